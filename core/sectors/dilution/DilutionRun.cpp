#include "core/sectors/dilution/DilutionRun.h"

#include "core/base/Ext.h"
#include "core/numbers/NumberText.h"
#include "core/numbers/ShownNumber.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/HeldFields.h"

#include <array>
#include <optional>

namespace tavi::dilution
{

namespace
{

// What the run reads back from the cells it wrote, by point (1 to 50).
using PointValues = std::array<long double, kDischargePoints + 1>;

// Writes a number into its cell; what the next step reads is returned.
long double put(CellTable &table, int col, int row, Ext value, const LocaleSettings &locale)
{
    const ShownNumber shown = shownNumber(value.value(), locale);
    table.setCell(col, row, shown.text);
    return shown.value;
}

} // namespace

DilutionInputs readInputs(const WindowInputs &inputs, const LocaleSettings &locale)
{
    const auto held = [&](const QString &key) {
        return heldFieldValue(inputs, SectorId::Dilution, key, locale);
    };
    DilutionInputs in;
    in.decayRate = held(keys::kDecayRate);
    in.points = held(keys::kDischargePoints);
    in.effluentFlow = held(keys::kEffluentFlow);
    in.effluentBod = held(keys::kEffluentBod);
    in.permittedBod = held(keys::kPermittedBod);
    in.riverBod = held(keys::kRiverBod);
    in.travelTime = held(keys::kTravelTime);
    return in;
}

Result::Result() : results(newDilutionResults()), contributions(newContributionMatrix())
{
    writeDilutionHeaders(*results);
    writePointNumbers(*results);
    writeContributionHeaders(*contributions);
}
Result::~Result() = default;
Result::Result(Result &&) noexcept = default;
Result &Result::operator=(Result &&) noexcept = default;

void run(const DilutionInputs &in, const LocaleSettings &locale, Result &result)
{
    const int discharging = dischargePointCount(in.points, locale);
    CellTable &results = *result.results;
    CellTable &matrix = *result.contributions;
    CellTable::Batch resultsBatch(results);
    CellTable::Batch matrixBatch(matrix);

    PointValues flow{}, dilution{};
    for (int p = 1; p <= discharging; ++p) {
        flow[p] = put(results, EffluentFlowColumn, p, Ext(in.effluentFlow) / in.points, locale);
        const long double bod =
            put(results, EffluentBodColumn, p, Ext(in.effluentBod) / in.points, locale);
        dilution[p] = put(
            results, DilutionFlowColumn, p,
            (Ext(bod) - in.permittedBod) / (Ext(in.permittedBod) - in.riverBod) * flow[p], locale);
    }

    // contribution[d][p]: the discharge at d as it reaches p.
    std::array<PointValues, kDischargePoints + 1> contribution{};
    // The decay over a number of intervals is the same from every point: worked out the first
    // time it is needed, where an overflow of it is raised. The points share the effluent
    // alike, so each discharge reaches the points below it as the first one does: its texts
    // are taken from the first one's wherever its own flow is the same.
    std::array<std::optional<Ext>, kDischargePoints> decay;
    std::array<ShownNumber, kDischargePoints> firstDischarge;
    long double firstOwn = 0;
    for (int d = 1; d <= discharging; ++d) {
        const ShownNumber own = shownNumber((Ext(flow[d]) + dilution[d]).value(), locale);
        matrix.setCell(d - 1, d, own.text);
        contribution[d][d] = own.value;
        const bool likeTheFirst = d > 1 && own.value == firstOwn;
        if (d == 1)
            firstOwn = own.value;
        for (int p = d + 1; p <= kDischargePoints; ++p) {
            const int intervals = p - d;
            if (!likeTheFirst) {
                std::optional<Ext> &factor = decay[intervals];
                if (!factor)
                    factor = exp(((Ext(-1) * in.decayRate) * in.travelTime) * Ext(intervals));
                const ShownNumber reached = shownNumber((Ext(own.value) * *factor).value(), locale);
                if (d == 1)
                    firstDischarge[intervals] = reached;
                matrix.setCell(d - 1, p, reached.text);
                contribution[d][p] = reached.value;
                continue;
            }
            matrix.setCell(d - 1, p, firstDischarge[intervals].text);
            contribution[d][p] = firstDischarge[intervals].value;
        }
    }

    PointValues accumulated{};
    for (int p = 1; p <= kDischargePoints; ++p) {
        Ext sum = contribution[1][p];
        for (int d = 2; d <= p && d <= discharging; ++d)
            sum = sum + contribution[d][p];
        accumulated[p] = put(results, AccumulatedFlowColumn, p, sum, locale);
    }

    double maximum = 0;
    for (int p = 1; p <= kDischargePoints; ++p) {
        if (accumulated[p] > maximum)
            maximum = toDouble(accumulated[p]);
    }
    result.maximum = maximum;
    result.maximumText = formatGeneral(maximum, locale);
    for (int p = 1; p <= kDischargePoints && maximum > 0; ++p) {
        if (double(accumulated[p]) == maximum) {
            result.maximumPoint = p;
            break;
        }
    }
}

Result run(const DilutionInputs &in, const LocaleSettings &locale)
{
    Result result;
    run(in, locale, result);
    return result;
}

} // namespace tavi::dilution
