#include "core/summary/MunicipalSummary.h"

#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"
#include "core/numbers/ReadableNumber.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/agriculture/AgricultureCalendar.h"
#include "core/sectors/agriculture/AgricultureSimulation.h"
#include "core/sectors/dilution/DilutionModel.h"
#include "core/sectors/livestock/LivestockModel.h"
#include "core/sectors/specs/AgricultureTables.h"
#include "core/sectors/supply/PublicSupplyModel.h"
#include "core/tables/CellTable.h"

#include <memory>

namespace tavi
{

namespace
{

const QString kSupplyWindow = QStringLiteral("TF_Abast_Publico");
const QString kLivestockWindow = QStringLiteral("TF_Mod_Pecuaria");
const QString kAgricultureWindow = QStringLiteral("TF_Mod_Agricultura");
const QString kDilutionWindow = QStringLiteral("TF_Dem_Agua");

// A value as a numeric field holding it gives it back: the edit text rounded to the field's
// decimals (empty for 0), read again.
long double heldByField(long double value, int decimals, const LocaleSettings &locale)
{
    long double held = 0;
    if (!readEntry(editText(value, decimals, true, locale), &held, locale))
        held = 0;
    return held;
}

// A field of the study as its window's field holds it once filled from the study.
long double fieldValue(const WindowInputs &inputs, const QString &name, int decimals,
                       const LocaleSettings &locale)
{
    long double value = 0;
    if (!readEntry(fromStudyText(inputs.fields.value(name), locale), &value, locale))
        value = 0;
    return heldByField(value, decimals, locale);
}

// A day's value from the text a window's grid shows.
void takeDaily(SectorSeries &series, const CellTable &table, int col, int firstRow, int rows,
               const LocaleSettings &locale)
{
    series.dailyTexts.clear();
    series.daily.clear();
    for (int day = 1; day <= kSummaryDays; ++day) {
        const QString text = table.cell(col, firstRow + qMin(day, rows) - 1);
        series.dailyTexts << text;
        series.daily.push_back(textToNumber(text, locale));
    }
}

// The public supply window's "Simular": its grid holds days 1 to 365; day 366, beyond the
// grid, repeats the constant daily demand.
void computeSupply(SectorSeries &series, const WindowInputs &inputs, SupplyScenario scenario,
                   const LocaleSettings &locale)
{
    PublicSupplyInputs in;
    in.servedPopulation = fieldValue(inputs, QStringLiteral("me_1"), 2, locale);
    in.currentPerCapita = fieldValue(inputs, QStringLiteral("me_2"), 2, locale);
    in.totalPopulation = fieldValue(inputs, QStringLiteral("me_3"), 2, locale);
    in.unservedPerCapita = fieldValue(inputs, QStringLiteral("me_4"), 2, locale);
    in.efficiency = fieldValue(inputs, QStringLiteral("me_5"), 2, locale);
    in.priceElasticity = fieldValue(inputs, QStringLiteral("e_p_1"), 6, locale);
    in.price = fieldValue(inputs, QStringLiteral("e_p_2"), 2, locale);
    in.incomeElasticity = fieldValue(inputs, QStringLiteral("e_p_3"), 6, locale);
    in.income = fieldValue(inputs, QStringLiteral("e_p_4"), 2, locale);
    checkPublicSupply(in);
    // Next year's demand uses the per-capita value as its field shows it.
    const long double nextYearRead =
        heldByField(nextYearPerCapita(in), kNextYearPerCapitaDecimals, locale);
    CellTable grid(3, 366, 366, true);
    fillPublicSupply(grid, in, nextYearRead);
    takeDaily(series, grid, scenario == SupplyScenario::Current ? 1 : 2, 1, 365, locale);
}

void computeLivestock(SectorSeries &series, const WindowInputs &inputs,
                      const LocaleSettings &locale)
{
    LivestockInputs in;
    for (int s = 0; s < kSpeciesCount; ++s) {
        in[s].heads = fieldValue(inputs, herdFieldName(s), 2, locale);
        in[s].litresPerHead = fieldValue(inputs, consumptionFieldName(s), 2, locale);
    }
    CellTable grid(kLivestockTotalColumn + 1, kLivestockDays + 1, 366, true);
    fillLivestock(grid, in);
    takeDaily(series, grid, kLivestockTotalColumn, 1, kLivestockDays, locale);
}

// The agriculture window opened on the study: its defaults, the study's tables and series
// over them, the crop calendars, then "Simular".
void computeAgriculture(SectorSeries &series, const WindowInputs &inputs,
                        const LocaleSettings &locale)
{
    using namespace agriculture;
    OwnedTables owned;
    const Tables &t = owned.tables();
    writeDefaults(t, locale.decimalSeparator);
    const StudyWindowLayout &layout = *findWindowLayout(kAgricultureWindow);
    CellTable *targets[] = {t.entrada, t.param, t.serie};
    for (std::size_t g = 0; g < layout.grids.size(); ++g)
        writeStudyGrid(*targets[g], layout.grids[g], inputs.grids.value(layout.grids[g].name),
                       locale);
    runCropCalendar(t);
    // The constants and the rounding of the day's rainfall come from the window's hidden
    // two-decimal fields.
    RainfallConstants constants;
    constants.threshold = heldByField(constants.threshold, 2, locale);
    constants.divisor = heldByField(constants.divisor, 2, locale);
    constants.lowerSlope = heldByField(constants.lowerSlope, 2, locale);
    constants.intercept = heldByField(constants.intercept, 2, locale);
    constants.upperSlope = heldByField(constants.upperSlope, 2, locale);
    simulate(t, constants, [&locale](long double rain) { return heldByField(rain, 2, locale); });
    takeDaily(series, *t.total, 0, 0, kDays, locale);
}

void computeDilution(MunicipalSummary &summary, const WindowInputs &inputs,
                     const LocaleSettings &locale)
{
    DilutionInputs in;
    in.decayRate = fieldValue(inputs, QStringLiteral("ce_2"), 2, locale);
    in.points = fieldValue(inputs, QStringLiteral("ce_3"), 2, locale);
    in.effluentFlow = fieldValue(inputs, QStringLiteral("ce_4"), 2, locale);
    in.effluentBod = fieldValue(inputs, QStringLiteral("ce_5"), 2, locale);
    in.permittedBod = fieldValue(inputs, QStringLiteral("ce_6"), 2, locale);
    in.riverBod = fieldValue(inputs, QStringLiteral("ce_7"), 2, locale);
    in.travelTime = fieldValue(inputs, QStringLiteral("ce_8"), 2, locale);
    std::unique_ptr<CellTable> results(newDilutionResults());
    std::unique_ptr<CellTable> contributions(newContributionMatrix());
    writeDilutionHeaders(*results);
    writePointNumbers(*results);
    summary.dilutionMaximum = runDilution(*results, *contributions, in);
    summary.dilutionMaximumText = formatGeneral(summary.dilutionMaximum, locale);
    summary.dilutionPoint = 0;
    for (int p = 1; p <= kDischargePoints && summary.dilutionMaximum > 0; ++p) {
        long double flow = 0;
        if (tryTextToNumber(results->cell(AccumulatedFlowColumn, p), &flow, locale) &&
            double(flow) == summary.dilutionMaximum) {
            summary.dilutionPoint = p;
            break;
        }
    }
}

// Runs a sector's computation; its error and the place it names, if any, stay with it.
template <class Compute> void guarded(QString &error, QString &where, Compute compute)
{
    try {
        compute();
    } catch (const TaviError &e) {
        error = e.message();
        where = e.where();
    }
}

} // namespace

QString summarySectorName(int sector)
{
    switch (sector) {
    case SupplySector:
        return QStringLiteral("Abastecimento Público");
    case LivestockSector:
        return QStringLiteral("Pecuária");
    case AgricultureSector:
        return QStringLiteral("Agricultura");
    }
    return QStringLiteral("Diluição de Esgotos Domésticos");
}

QStringList MunicipalSummary::errors() const
{
    QStringList out;
    for (int s = 0; s < kSummarySectors; ++s) {
        if (!sectors[s].error.isEmpty())
            out << summarySectorName(s) + QStringLiteral(": ") + sectors[s].error;
    }
    if (!dilutionError.isEmpty())
        out << summarySectorName(kSummarySectors) + QStringLiteral(": ") + dilutionError;
    return out;
}

QStringList MunicipalSummary::errorPlaces() const
{
    QStringList out;
    for (int s = 0; s < kSummarySectors; ++s) {
        if (!sectors[s].error.isEmpty())
            out << sectors[s].errorWhere;
    }
    if (!dilutionError.isEmpty())
        out << dilutionErrorWhere;
    return out;
}

bool MunicipalSummary::isPartial() const
{
    for (const SectorSeries &series : sectors)
        if (!series.computed())
            return true;
    return false;
}

QString MunicipalSummary::missingSectors() const
{
    QStringList missing;
    for (int s = 0; s < kSummarySectors; ++s)
        if (!sectors[s].computed())
            missing << summarySectorName(s);
    if (missing.size() <= 1)
        return missing.join(QString());
    const QString last = missing.takeLast();
    return missing.join(QStringLiteral(", ")) + QStringLiteral(" e ") + last;
}

QString MunicipalSummary::partialNote() const
{
    return isPartial() ? QStringLiteral("total parcial, sem %1").arg(missingSectors()) : QString();
}

QString MunicipalSummary::totalLabel() const
{
    return isPartial() ? QStringLiteral("Total parcial (sem %1)").arg(missingSectors())
                       : QStringLiteral("Total");
}

QString MunicipalSummary::peakDayLabel() const
{
    const QString label = QStringLiteral("Dia de maior demanda");
    return isPartial() ? label + QStringLiteral(" (%1)").arg(partialNote()) : label;
}

MunicipalSummary summarizeStudy(const Study &study, SupplyScenario scenario,
                                const LocaleSettings &locale)
{
    return summarizeStudy(study, scenario, SectorSelection(), locale);
}

MunicipalSummary summarizeStudy(const Study &study, SupplyScenario scenario,
                                const SectorSelection &selection, const LocaleSettings &locale)
{
    MunicipalSummary summary;
    summary.scenario = scenario;
    summary.selection = selection;
    static_assert(int(SectorId::Supply) == SupplySector &&
                  int(SectorId::Livestock) == LivestockSector &&
                  int(SectorId::Agriculture) == AgricultureSector);
    std::array<SectorSeries, kSummarySectors> &sectors = summary.sectors;
    const auto sectorRun = [&sectors, &selection](int s, auto compute) {
        sectors[s].selected = selection.contains(static_cast<SectorId>(s));
        if (sectors[s].selected)
            guarded(sectors[s].error, sectors[s].errorWhere, compute);
    };
    sectorRun(SupplySector, [&] {
        computeSupply(sectors[SupplySector], windowInputs(study, kSupplyWindow), scenario, locale);
    });
    sectorRun(LivestockSector, [&] {
        computeLivestock(sectors[LivestockSector], windowInputs(study, kLivestockWindow), locale);
    });
    sectorRun(AgricultureSector, [&] {
        computeAgriculture(sectors[AgricultureSector], windowInputs(study, kAgricultureWindow),
                           locale);
    });
    if (selection.contains(SectorId::Dilution))
        guarded(summary.dilutionError, summary.dilutionErrorWhere,
                [&] { computeDilution(summary, windowInputs(study, kDilutionWindow), locale); });

    for (SectorSeries &series : sectors) {
        if (!series.computed()) {
            series.dailyTexts.clear();
            series.daily.clear();
            continue;
        }
        for (long double v : series.daily)
            series.annual += v;
    }
    // The total adds the values the sectors show, day by day, in the order of the columns.
    for (int day = 0; day < kSummaryDays; ++day) {
        long double total = 0;
        for (const SectorSeries &series : sectors) {
            if (series.computed())
                total += series.daily[day];
        }
        summary.total.push_back(total);
        summary.totalTexts << formatGeneral(total, locale);
        summary.annualTotal += total;
        if (day == 0 || total > summary.peakTotal) {
            summary.peakTotal = total;
            summary.peakDay = day + 1;
        }
    }
    for (int s = 0; s < kSummarySectors; ++s)
        summary.shares[s] =
            summary.annualTotal != 0 ? sectors[s].annual / summary.annualTotal * 100 : 0;
    return summary;
}

QStringList summaryHeaders(const MunicipalSummary &summary)
{
    return {QStringLiteral("DIA"),
            summary.scenario == SupplyScenario::Current ? QStringLiteral("Abast. ATUAL")
                                                        : QStringLiteral("Abast. FUTURA"),
            QStringLiteral("Pecuária"), QStringLiteral("Agricultura"), summary.totalLabel()};
}

void fillSummaryTable(CellTable &table, const MunicipalSummary &summary)
{
    CellTable::Batch batch(table);
    const QStringList headers = summaryHeaders(summary);
    for (int c = 0; c < kSummaryColumns; ++c)
        table.setCell(c, 0, headers[c]);
    for (int day = 1; day <= kSummaryDays; ++day) {
        table.setCell(0, day, dayLabel(day));
        for (int s = 0; s < kSummarySectors; ++s) {
            const SectorSeries &series = summary.sectors[s];
            table.setCell(s + 1, day, series.computed() ? series.dailyTexts[day - 1] : QString());
        }
        table.setCell(kSummaryColumns - 1, day, summary.totalTexts[day - 1]);
    }
}

void fillFiguresTable(CellTable &table, const MunicipalSummary &summary, FiguresStyle style)
{
    CellTable::Batch batch(table);
    table.clear(0, table.columns() - 1, 0, table.storedRows() - 1);
    const bool readable = style == FiguresStyle::Readable;
    const auto volume = [readable](long double v) {
        return readable ? formatReadable(v, kVolumeDecimals) : formatGeneral(v);
    };
    const auto share = [readable](long double v) {
        return readable ? formatReadable(v, kShareDecimals) : formatGeneral(v);
    };
    const auto row = [&table](int r, const QString &a, const QString &b, const QString &c) {
        if (r >= table.storedRows())
            return;
        table.setCell(0, r, a);
        table.setCell(1, r, b);
        table.setCell(2, r, c);
    };
    row(0, QStringLiteral("Setor"), QStringLiteral("Volume anual (m3)"),
        QStringLiteral("Participação (%)"));
    for (int s = 0; s < kSummarySectors; ++s) {
        const SectorSeries &series = summary.sectors[s];
        row(s + 1, summarySectorName(s),
            series.computed() ? volume(series.annual) : QStringLiteral("—"),
            series.computed() ? share(summary.shares[s]) : QStringLiteral("—"));
    }
    row(4, summary.totalLabel(), volume(summary.annualTotal),
        share(summary.annualTotal != 0 ? 100 : 0));
    // Read, the day's total carries its unit; stored, it is a number and the unit goes to its
    // heading.
    if (readable)
        row(6, summary.peakDayLabel(), dayLabel(summary.peakDay),
            formatReadable(summary.peakTotal, kVolumeDecimals, QStringLiteral("m3/dia")));
    else
        row(6, summary.peakDayLabel() + QStringLiteral(" (m3/dia)"), dayLabel(summary.peakDay),
            formatGeneral(summary.peakTotal));
    if (summary.dilutionComputed())
        row(7, QStringLiteral("Máxima vazão indisponível acumulada (m3/s)"),
            readable ? formatReadable(summary.dilutionMaximum, kFlowDecimals)
                     : summary.dilutionMaximumText,
            summary.dilutionPoint > 0 ? QStringLiteral("ponto %1").arg(summary.dilutionPoint)
                                      : QStringLiteral("nenhum ponto"));
    const QStringList errors = summary.errors();
    const QStringList places = summary.errorPlaces();
    for (int e = 0; e < errors.size(); ++e)
        row(8 + e, QStringLiteral("Erro"), errors[e], places[e]);
}

} // namespace tavi
