#include "core/horizon/HorizonDrivers.h"

#include "core/base/TaviError.h"
#include "core/numbers/EntryRules.h"
#include "core/numbers/GeneralFormat.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/HorizonKeys.h"
#include "core/sectors/catalogue/LivestockAnimals.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/HeldFields.h"

#include <cmath>

namespace tavi::horizon
{

namespace
{

QString herdGrowthKey(int animal)
{
    return keys::kHerdGrowthPrefix + herdFieldName(animal);
}

QString areaGrowthKey(int k)
{
    return keys::kAreaGrowthPrefix + agriculture::classLetter(k);
}

const QString kGoalYear = QString::number(projection::kServedShareGoalYear);

QMap<QString, QString> makeLabels()
{
    QMap<QString, QString> labels{
        {keys::kBaseYear, QStringLiteral("Ano-base")},
        {keys::kFinalYear, QStringLiteral("Ano final")},
        {keys::kCensusCounts, QStringLiteral("Censos")},
        {keys::kTypedPopulations, QStringLiteral("População digitada")},
        {keys::kProjectionMethod, QStringLiteral("Método de projeção")},
        {keys::kSaturation, QStringLiteral("População de saturação (habitantes)")},
        {keys::kCoverageTarget, QStringLiteral("Cobertura-alvo (%)")},
        {keys::kCoverageTargetYear, QStringLiteral("Ano da cobertura-alvo")},
        {keys::kPerCapitaPath, QStringLiteral("Demanda per-capita")},
        {keys::kPerCapitaChange, QStringLiteral("Variação anual da per-capita (%)")},
        {keys::kLossesToday, QStringLiteral("Perdas atuais (%)")},
        {keys::kLossesTarget, QStringLiteral("Perdas-alvo (%)")},
        {keys::kLossesTargetYear, QStringLiteral("Ano das perdas-alvo")},
        {keys::kTypedHerds, QStringLiteral("Rebanhos digitados")},
        {keys::kTypedAreas, QStringLiteral("Áreas digitadas")},
        {keys::kEfficiencyTarget, QStringLiteral("Eficiência-alvo")},
        {keys::kEfficiencyTargetYear, QStringLiteral("Ano da eficiência-alvo")},
        {keys::kClimate, QStringLiteral("Clima")},
        {keys::kEtpFactor, QStringLiteral("Fator da ETP")},
        {keys::kRainFactor, QStringLiteral("Fator da precipitação")},
        {keys::kDilutionPath, QStringLiteral("Vazão de efluentes")},
    };
    for (int s = 0; s < kSpeciesCount; ++s)
        labels.insert(
            herdGrowthKey(s),
            QStringLiteral("Crescimento do rebanho, %1 (% ao ano)").arg(speciesCaption(s)));
    for (int k = 0; k < agriculture::kClasses; ++k)
        labels.insert(areaGrowthKey(k),
                      QStringLiteral("Crescimento da área irrigada, classe %1 (% ao ano)")
                          .arg(agriculture::classLetter(k)));
    return labels;
}

QMap<QString, QString> makeDefaults()
{
    QMap<QString, QString> texts{
        {keys::kProjectionMethod, keys::kMethodKeys[int(projection::ProjectionMethod::Geometric)]},
        {keys::kSaturation, QString()},
        {keys::kCoverageTarget, QStringLiteral("99")},
        {keys::kCoverageTargetYear, kGoalYear},
        {keys::kPerCapitaPath, keys::kPerCapitaElasticities},
        {keys::kPerCapitaChange, QStringLiteral("0")},
        {keys::kLossesToday, QStringLiteral("0")},
        {keys::kLossesTarget, QString()},
        {keys::kLossesTargetYear, kGoalYear},
        {keys::kEfficiencyTarget, QString()},
        {keys::kEfficiencyTargetYear, kGoalYear},
        {keys::kClimate, keys::kClimateStudySeries},
        {keys::kEtpFactor, QStringLiteral("1")},
        {keys::kRainFactor, QStringLiteral("1")},
        {keys::kDilutionPath, keys::kDilutionWithPopulation},
    };
    for (int s = 0; s < kSpeciesCount; ++s)
        texts.insert(herdGrowthKey(s), QStringLiteral("0"));
    for (int k = 0; k < agriculture::kClasses; ++k)
        texts.insert(areaGrowthKey(k), QStringLiteral("0"));
    return texts;
}

[[noreturn]] void refuse(const QString &label, const QString &message)
{
    throw TaviError(QStringLiteral("%1: %2").arg(label, message));
}

long double numberIn(const QString &text, const QString &label)
{
    long double value = 0;
    if (!tryTextToNumber(text, &value, studyNumberSettings()))
        refuse(label, messages::notAFloat(text));
    return value;
}

// A year may come from a sheet as "2033.0"; anything not whole is refused.
int yearIn(const QString &text, const QString &label)
{
    long double value = 0;
    if (!tryTextToNumber(text, &value, studyNumberSettings()) || value != std::floor(value) ||
        std::fabs(value) > 99999)
        refuse(label, QStringLiteral("'%1' não é um ano válido").arg(text));
    return int(value);
}

// The texts of one scenario's drivers, each by its key.
class DriverTexts
{
public:
    explicit DriverTexts(const ResolvedScenario &scenario) : m_scenario(scenario) {}

    // The scenario's text, trimmed; the default's where it holds none or an empty one.
    QString text(const QString &key) const
    {
        const QString own = m_scenario.drivers.value(key).trimmed();
        return own.isEmpty() ? defaultDriverTexts().value(key) : own;
    }
    long double number(const QString &key) const { return numberIn(text(key), driverLabel(key)); }
    std::optional<long double> optionalNumber(const QString &key) const
    {
        const QString t = text(key);
        if (t.isEmpty())
            return std::nullopt;
        return numberIn(t, driverLabel(key));
    }
    int year(const QString &key) const { return yearIn(text(key), driverLabel(key)); }
    // The index of the key's text among `choices`.
    int choice(const QString &key, const QStringList &choices) const
    {
        const QString t = text(key);
        const int index = int(choices.indexOf(t));
        if (index < 0)
            refuse(driverLabel(key), QStringLiteral("'%1' não é uma das opções").arg(t));
        return index;
    }

    // The table's rows that hold anything, each cell trimmed, with their row numbers from 1.
    std::vector<std::pair<int, StudyRow>> rows(const QString &key) const
    {
        std::vector<std::pair<int, StudyRow>> out;
        const StudyGrid grid = m_scenario.tables.value(key);
        for (int r = 0; r < grid.size(); ++r) {
            StudyRow row;
            bool blank = true;
            for (const QString &cell : grid[r]) {
                row << cell.trimmed();
                blank = blank && row.back().isEmpty();
            }
            if (!blank)
                out.push_back({r + 1, row});
        }
        return out;
    }

private:
    const ResolvedScenario &m_scenario;
};

QString rowLabel(const QString &key, int row)
{
    return QStringLiteral("%1, linha %2").arg(driverLabel(key)).arg(row);
}

// [year, value] rows.
std::vector<std::pair<int, long double>> yearValues(const DriverTexts &texts, const QString &key)
{
    std::vector<std::pair<int, long double>> out;
    for (const auto &[r, row] : texts.rows(key)) {
        const QString label = rowLabel(key, r);
        out.push_back({yearIn(row.value(0), label), numberIn(row.value(1), label)});
    }
    return out;
}

// [year, one value per column, empty where not typed] rows, by column.
std::vector<std::vector<std::pair<int, long double>>> yearColumns(const DriverTexts &texts,
                                                                  const QString &key, int columns)
{
    std::vector<std::vector<std::pair<int, long double>>> out(static_cast<std::size_t>(columns));
    for (const auto &[r, row] : texts.rows(key)) {
        const QString label = rowLabel(key, r);
        const int year = yearIn(row.value(0), label);
        for (int c = 0; c < columns; ++c) {
            const QString cell = row.value(c + 1);
            if (!cell.isEmpty())
                out[std::size_t(c)].push_back({year, numberIn(cell, label)});
        }
    }
    return out;
}

} // namespace

QString driverLabel(const QString &key)
{
    static const QMap<QString, QString> labels = makeLabels();
    return labels.value(key, key);
}

const QMap<QString, QString> &defaultDriverTexts()
{
    static const QMap<QString, QString> texts = makeDefaults();
    return texts;
}

projection::PlanningHorizon readPlanningHorizon(const StudyHorizon &horizon)
{
    const projection::PlanningHorizon years{
        yearIn(horizon.baseYear.trimmed(), driverLabel(keys::kBaseYear)),
        yearIn(horizon.finalYear.trimmed(), driverLabel(keys::kFinalYear))};
    const QString problem = projection::horizonProblem(years);
    if (!problem.isEmpty())
        throw TaviError(problem);
    return years;
}

HorizonDrivers readDrivers(const StudyHorizon &horizon, const ResolvedScenario &scenario)
{
    HorizonDrivers drivers;
    drivers.horizon = readPlanningHorizon(horizon);
    const DriverTexts texts(scenario);

    SupplyDrivers &supply = drivers.supply;
    for (const auto &[year, population] : yearValues(texts, keys::kCensusCounts))
        supply.population.counts.push_back({year, population});
    supply.population.typed = yearValues(texts, keys::kTypedPopulations);
    QStringList methods;
    for (projection::ProjectionMethod method : projection::kProjectionMethods)
        methods << methodKey(method);
    supply.population.method =
        projection::kProjectionMethods[texts.choice(keys::kProjectionMethod, methods)];
    supply.population.saturation = texts.optionalNumber(keys::kSaturation);
    supply.coverageTargetPercent = texts.number(keys::kCoverageTarget);
    supply.coverageTargetYear = texts.year(keys::kCoverageTargetYear);
    const PerCapitaPath paths[] = {PerCapitaPath::Elasticities, PerCapitaPath::Constant,
                                   PerCapitaPath::AnnualChange};
    supply.perCapita = paths[texts.choice(
        keys::kPerCapitaPath,
        {keys::kPerCapitaElasticities, keys::kPerCapitaConstant, keys::kPerCapitaAnnualChange})];
    supply.perCapitaChangePercent = texts.number(keys::kPerCapitaChange);
    supply.lossesTodayPercent = texts.number(keys::kLossesToday);
    // Losses with no target of their own stay as they are today.
    supply.lossesTargetPercent =
        texts.optionalNumber(keys::kLossesTarget).value_or(supply.lossesTodayPercent);
    supply.lossesTargetYear = texts.year(keys::kLossesTargetYear);

    const auto herds = yearColumns(texts, keys::kTypedHerds, kSpeciesCount);
    for (int s = 0; s < kSpeciesCount; ++s) {
        HerdDriver &herd = drivers.livestock[std::size_t(s)];
        herd.annualGrowthPercent = texts.number(herdGrowthKey(s));
        herd.typed = herds[std::size_t(s)];
    }

    AgricultureDrivers &agriculture = drivers.agriculture;
    const auto areas = yearColumns(texts, keys::kTypedAreas, agriculture::kClasses);
    for (int k = 0; k < agriculture::kClasses; ++k) {
        AreaDriver &area = agriculture.areas[std::size_t(k)];
        area.annualGrowthPercent = texts.number(areaGrowthKey(k));
        area.typed = areas[std::size_t(k)];
    }
    agriculture.efficiencyTarget = texts.optionalNumber(keys::kEfficiencyTarget);
    agriculture.efficiencyTargetYear = texts.year(keys::kEfficiencyTargetYear);
    agriculture.climate =
        texts.choice(keys::kClimate, {keys::kClimateStudySeries, keys::kClimateFactors}) == 0
            ? ClimateChoice::StudySeries
            : ClimateChoice::Factors;
    agriculture.etpFactor = texts.number(keys::kEtpFactor);
    agriculture.rainFactor = texts.number(keys::kRainFactor);

    drivers.dilution = texts.choice(keys::kDilutionPath,
                                    {keys::kDilutionWithPopulation, keys::kDilutionAsTyped}) == 0
                           ? DilutionPath::WithPopulation
                           : DilutionPath::AsTyped;
    return drivers;
}

StudyHorizon newHorizon(const Study &study, int baseYear)
{
    StudyHorizon horizon;
    horizon.baseYear = QString::number(baseYear);
    horizon.finalYear = QString::number(baseYear + projection::kDefaultHorizonYears);
    Scenario base{QString(keys::kBaseScenario), {}};
    base.inputs.drivers = defaultDriverTexts();

    // Counts that grow ever more slowly to the window's population reach it in the base year,
    // and fit every method, the logistic curve's conditions included (P0 < P1 < P2,
    // P0 P2 < P1²): the planner replaces them with the census.
    const long double today =
        heldFieldValue(windowInputs(study, keys::kSupplyWindow), SectorId::Supply,
                       keys::kTotalPopulation, LocaleSettings::current());
    const std::pair<int, long double> example[] = {
        {baseYear - 20, 0.80L}, {baseYear - 10, 0.91L}, {baseYear, 1}};
    std::vector<projection::PopulationCount> counts;
    StudyGrid rows;
    for (const auto &[year, share] : example) {
        const long double population = roundHalfAway(today * share, 0);
        counts.push_back({year, population});
        rows.push_back({QString::number(year), formatGeneral(population, studyNumberSettings())});
    }
    bool everyMethod = projection::countsProblem(counts).isEmpty();
    for (const projection::ProjectionFit &fit : projection::fitEveryMethod(counts))
        everyMethod = everyMethod && fit.applies();
    if (everyMethod)
        base.inputs.tables.insert(keys::kCensusCounts, rows);
    horizon.scenarios.push_back(base);
    return horizon;
}

QString methodKey(projection::ProjectionMethod method)
{
    return QString(keys::kMethodKeys[int(method)]);
}

projection::ProjectionMethod methodOfKey(const QString &key)
{
    for (projection::ProjectionMethod method : projection::kProjectionMethods) {
        if (key == keys::kMethodKeys[int(method)])
            return method;
    }
    return projection::ProjectionMethod::Geometric;
}

} // namespace tavi::horizon
