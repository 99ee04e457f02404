#include "core/horizon/AgricultureHorizon.h"

#include "core/base/TaviError.h"
#include "core/numbers/GeneralFormat.h"
#include "core/numbers/ShownNumber.h"
#include "core/numbers/StudyText.h"
#include "core/projection/PopulationCounts.h"
#include "core/sectors/catalogue/StudyKeys.h"

#include <QDate>

#include <algorithm>
#include <cmath>

namespace tavi::horizon
{

namespace
{

using agriculture::kClasses;

QString className(int k)
{
    return QStringLiteral("Classe %1").arg(agriculture::classLetter(k));
}

QString typedAreasProblem(int k, const std::vector<std::pair<int, long double>> &typed)
{
    const QString name = className(k);
    std::vector<int> years;
    for (const auto &[year, area] : typed) {
        if (year < projection::kFirstCountYear || year > projection::kLastProjectedYear)
            return QStringLiteral("%1: o ano %2 está fora de %3 a %4.")
                .arg(name)
                .arg(year)
                .arg(projection::kFirstCountYear)
                .arg(projection::kLastProjectedYear);
        if (area < 0)
            return QStringLiteral("%1: a área de %2 é negativa.").arg(name).arg(year);
        if (std::find(years.begin(), years.end(), year) != years.end())
            return QStringLiteral("%1: o ano %2 aparece duas vezes.").arg(name).arg(year);
        years.push_back(year);
    }
    return QString();
}

// A cell of a study grid as a number, when it reads as one; a cell that does not is left for
// the window's run to refuse, naming it.
std::optional<long double> studyValue(const StudyGrid &grid, int row, int col)
{
    long double value = 0;
    if (row < grid.size() && col < grid[row].size() &&
        tryTextToNumber(grid[row][col], &value, studyNumberSettings()))
        return value;
    return std::nullopt;
}

// Writes `value` where the cell's own value stood, only when it differs: a cell nothing moved
// keeps its text character for character, so that such a year is the window's, text for text.
// Returns the value the run will read.
long double putMoved(StudyGrid &grid, int row, int col, long double value,
                     std::optional<long double> typed)
{
    if ((typed && value == *typed) || row >= grid.size() || col >= grid[row].size())
        return value;
    const ShownNumber shown = shownNumber(value, studyNumberSettings());
    grid[row][col] = shown.text;
    return shown.value;
}

void scaleColumn(StudyGrid &series, int col, long double factor)
{
    if (factor == 1)
        return;
    for (int r = 0; r < series.size(); ++r)
        if (const std::optional<long double> value = studyValue(series, r, col))
            putMoved(series, r, col, *value * factor, std::nullopt);
}

// Whether the parameters fill the whole table: then writing them leaves nothing of another
// year's, and no default under them.
bool coversEveryParameter(const StudyGrid &parameters)
{
    if (parameters.size() < agriculture::kParamRows)
        return false;
    for (const StudyRow &row : parameters)
        if (row.size() < kClasses)
            return false;
    return true;
}

const StudyGridLayout &parameterLayout()
{
    for (const StudyGridLayout &grid : findWindowLayout(keys::kAgricultureWindow)->grids)
        if (grid.name == keys::kCropParameters)
            return grid;
    Q_UNREACHABLE();
}

// The series' columns as the study keeps them (ETP, then P).
constexpr int kStudyEtpColumn = 0;
constexpr int kStudyRainColumn = 1;

} // namespace

QString agricultureDriversProblem(const projection::PlanningHorizon &horizon,
                                  const AgricultureDrivers &drivers)
{
    const QString problem = projection::horizonProblem(horizon);
    if (!problem.isEmpty())
        return problem;
    for (int k = 0; k < kClasses; ++k) {
        const AreaDriver &driver = drivers.areas[std::size_t(k)];
        if (!driver.typed.empty()) {
            const QString typed = typedAreasProblem(k, driver.typed);
            if (!typed.isEmpty())
                return typed;
        } else if (driver.annualGrowthPercent <= -100) {
            return QStringLiteral("%1: uma taxa de %2 % ao ano acabaria com a área irrigada; "
                                  "deve ser maior que -100 %.")
                .arg(className(k), formatGeneral(driver.annualGrowthPercent));
        }
    }
    // A zero efficiency would divide the delivered volume by zero; above 1 a system would
    // deliver more than it withdraws.
    if (drivers.efficiencyTarget &&
        (*drivers.efficiencyTarget <= 0 || *drivers.efficiencyTarget > 1))
        return QStringLiteral("A eficiência-alvo de %1 deve ser maior que 0 e no máximo 1, "
                              "como as eficiências da tabela de parâmetros.")
            .arg(formatGeneral(*drivers.efficiencyTarget));
    if (drivers.climate == ClimateChoice::Factors) {
        if (drivers.etpFactor < 0)
            return QStringLiteral("O fator da ETP de %1 é negativo.")
                .arg(formatGeneral(drivers.etpFactor));
        if (drivers.rainFactor < 0)
            return QStringLiteral("O fator da precipitação de %1 é negativo.")
                .arg(formatGeneral(drivers.rainFactor));
    }
    return QString();
}

std::vector<AgricultureYear> agricultureOverHorizon(const agriculture::Inputs &window,
                                                    const projection::PlanningHorizon &horizon,
                                                    const AgricultureDrivers &drivers,
                                                    const LocaleSettings &locale,
                                                    const std::atomic<bool> *cancelled)
{
    const QString problem = agricultureDriversProblem(horizon, drivers);
    if (!problem.isEmpty())
        throw TaviError(problem);
    const int base = horizon.baseYear;

    agriculture::Inputs climate = window;
    if (drivers.climate == ClimateChoice::Factors) {
        scaleColumn(climate.series, kStudyEtpColumn, drivers.etpFactor);
        scaleColumn(climate.series, kStudyRainColumn, drivers.rainFactor);
    }

    std::array<std::optional<long double>, kClasses> areas, efficiencies;
    std::array<projection::PathToTarget, kClasses> efficiencyPaths;
    for (int k = 0; k < kClasses; ++k) {
        const std::size_t c = std::size_t(k);
        areas[c] = studyValue(window.parameters, agriculture::kAreaRow, k);
        efficiencies[c] = studyValue(window.parameters, agriculture::kEfficiencyRow, k);
        if (drivers.efficiencyTarget && efficiencies[c])
            efficiencyPaths[c] = {base, *efficiencies[c], *drivers.efficiencyTarget,
                                  drivers.efficiencyTargetYear};
    }

    // The crop table and the series are the same every year: a year whose parameters are
    // another's has its days. One set of tables serves every run, as the window's grids do,
    // and as there the calendars stand while only areas and efficiencies change: a later year
    // writes its parameters and simulates.
    struct Simulated {
        StudyGrid parameters;
        std::vector<long double> days;
    };
    std::vector<Simulated> simulated;
    agriculture::Result tables;
    const StudyGridLayout &parameters = parameterLayout();
    bool calendarsStand = false;

    std::vector<AgricultureYear> years;
    for (int year = base; year <= horizon.finalYear; ++year) {
        if (cancelled && cancelled->load(std::memory_order_relaxed))
            break;
        agriculture::Inputs in = climate;
        AgricultureYear row;
        row.year = year;
        for (int k = 0; k < kClasses; ++k) {
            const std::size_t c = std::size_t(k);
            std::optional<long double> area = areas[c];
            std::optional<long double> efficiency = efficiencies[c];
            // The base year is the window's parameters as typed.
            if (year != base) {
                const AreaDriver &driver = drivers.areas[c];
                if (!driver.typed.empty())
                    area = putMoved(in.parameters, agriculture::kAreaRow, k,
                                    projection::interpolatedIn(driver.typed, year), area);
                else if (area && driver.annualGrowthPercent != 0)
                    area = putMoved(in.parameters, agriculture::kAreaRow, k,
                                    *area * std::pow(1 + driver.annualGrowthPercent / 100,
                                                     static_cast<long double>(year - base)),
                                    area);
                if (drivers.efficiencyTarget && efficiency)
                    efficiency = putMoved(in.parameters, agriculture::kEfficiencyRow, k,
                                          efficiencyPaths[c].valueIn(year), efficiency);
            }
            row.areas[c] = area.value_or(0);
            row.efficiencies[c] = efficiency.value_or(0);
        }

        auto found = std::find_if(simulated.begin(), simulated.end(), [&](const Simulated &s) {
            return s.parameters == in.parameters;
        });
        if (found == simulated.end()) {
            if (calendarsStand) {
                writeStudyGrid(*tables.tables().param, parameters, in.parameters, locale);
                tables.total =
                    agriculture::simulate(tables.tables(), locale, agriculture::Detail::DailyTotal);
            } else {
                agriculture::run(in, locale, tables, agriculture::Detail::DailyTotal);
                calendarsStand = coversEveryParameter(in.parameters);
            }
            simulated.push_back({in.parameters, tables.total.values});
            found = simulated.end() - 1;
        }
        const std::size_t days =
            std::min(std::size_t(QDate(year, 1, 1).daysInYear()), found->days.size());
        row.daily.assign(found->days.begin(), found->days.begin() + std::ptrdiff_t(days));
        for (long double day : row.daily)
            row.annual += day;
        years.push_back(std::move(row));
    }
    return years;
}

} // namespace tavi::horizon
