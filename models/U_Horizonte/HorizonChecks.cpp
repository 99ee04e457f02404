#include "models/U_Horizonte/HorizonChecks.h"

#include "core/base/TaviError.h"
#include "core/horizon/HorizonDrivers.h"
#include "core/numbers/NumberText.h"
#include "core/numbers/StudyText.h"
#include "core/projection/PlanningHorizon.h"
#include "core/projection/PopulationProjection.h"
#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/sectors/catalogue/HorizonKeys.h"
#include "core/sectors/catalogue/LivestockAnimals.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/StudyCaptions.h"

#include <algorithm>
#include <cmath>

using namespace tavi;
using projection::PopulationCount;

namespace HorizonChecks
{

namespace
{

// Drivers hold study texts; a message quotes them as the user typed them.
QString shown(const QString &studyText, const LocaleSettings &locale)
{
    return fromStudyText(studyText, locale);
}

bool readNumber(const QString &studyText, long double *value)
{
    return tryTextToNumber(studyText, value, studyNumberSettings());
}

bool readYear(const QString &studyText, int *year)
{
    long double value = 0;
    if (!readNumber(studyText, &value) || value != std::floor(value) || value < -1e6L ||
        value > 1e6L)
        return false;
    *year = int(value);
    return true;
}

QString notANumber(const QString &studyText, const LocaleSettings &locale)
{
    return QStringLiteral("'%1' não é um valor de ponto flutuante válido.")
        .arg(shown(studyText, locale));
}

QString notAYear(const QString &studyText, const LocaleSettings &locale)
{
    return QStringLiteral("'%1' não é um ano válido.").arg(shown(studyText, locale));
}

// An empty driver takes its default in the core: only what is typed is looked at.
struct Checker {
    const ResolvedScenario &scenario;
    const LocaleSettings &locale;
    Problems &problems;

    QString text(const QString &key) const { return scenario.drivers.value(key).trimmed(); }

    std::optional<long double> number(const QString &key)
    {
        const QString typed = text(key);
        long double value = 0;
        if (typed.isEmpty())
            return std::nullopt;
        if (!readNumber(typed, &value)) {
            problems.byKey[key] = notANumber(typed, locale);
            return std::nullopt;
        }
        return value;
    }

    void year(const QString &key)
    {
        const QString typed = text(key);
        int value = 0;
        if (!typed.isEmpty() && !readYear(typed, &value))
            problems.byKey[key] = notAYear(typed, locale);
    }

    void share(const QString &key, const QString &what,
               QString (*problem)(long double, const QString &))
    {
        if (const std::optional<long double> value = number(key)) {
            if (const QString found = problem(*value, what); !found.isEmpty())
                problems.byKey[key] = found;
        }
    }

    // Rows of a year and values, blanks allowed where `blanks` says so.
    void yearTable(const QString &key, bool blanks)
    {
        const StudyGrid rows = scenario.tables.value(key);
        for (int r = 0; r < rows.size(); ++r) {
            const StudyRow &row = rows[r];
            const QString where = QStringLiteral("Linha %1: ").arg(r + 1);
            if (std::all_of(row.begin(), row.end(),
                            [](const QString &cell) { return cell.trimmed().isEmpty(); }))
                continue;
            int year = 0;
            if (!readYear(row[0].trimmed(), &year)) {
                problems.byKey[key] =
                    where + (row[0].trimmed().isEmpty() ? QStringLiteral("falta o ano.")
                                                        : notAYear(row[0].trimmed(), locale));
                return;
            }
            for (int c = 1; c < row.size(); ++c) {
                const QString cell = row[c].trimmed();
                long double value = 0;
                if (cell.isEmpty() && !blanks) {
                    problems.byKey[key] = where + QStringLiteral("falta o valor de %1.").arg(year);
                    return;
                }
                if (!cell.isEmpty() && !readNumber(cell, &value)) {
                    problems.byKey[key] = where + notANumber(cell, locale);
                    return;
                }
                if (value < 0) {
                    problems.byKey[key] =
                        where + QStringLiteral("o valor de %1 é negativo.").arg(year);
                    return;
                }
            }
        }
    }
};

void checkPopulation(Checker &checker)
{
    const ResolvedScenario &scenario = checker.scenario;
    Problems &problems = checker.problems;
    checker.yearTable(keys::kTypedPopulations, false);
    // Typed populations take the place of the projection: the counts then project nothing.
    const bool projected = scenario.tables.value(keys::kTypedPopulations).isEmpty();
    QMap<QString, QString> &countsPlace = projected ? problems.byKey : problems.notes;

    checker.number(keys::kSaturation);
    QString unreadable;
    const std::vector<PopulationCount> counts =
        readCounts(scenario.tables.value(keys::kCensusCounts), &unreadable, checker.locale);
    if (!unreadable.isEmpty()) {
        countsPlace[keys::kCensusCounts] = unreadable;
        return;
    }
    if (const QString problem = projection::countsProblem(counts); !problem.isEmpty()) {
        countsPlace[keys::kCensusCounts] = problem;
        return;
    }
    if (!projection::equallySpacedCounts(projection::inYearOrder(counts)))
        problems.notes[keys::kCensusCounts] =
            QStringLiteral("Não há três contagens igualmente espaçadas no tempo (os censos do "
                           "IBGE de 1970, 1980, 1991, 2000, 2010 e 2022 não têm): a curva "
                           "logística não se aplica, e a taxa decrescente só com a população de "
                           "saturação digitada.");
    if (!projected || problems.byKey.contains(keys::kSaturation))
        return;
    const projection::ProjectionFit fit = projection::ProjectionFit::fit(
        horizon::methodOfKey(checker.text(keys::kProjectionMethod)), counts,
        typedSaturation(scenario.drivers.value(keys::kSaturation)));
    if (!fit.applies())
        problems.byKey[keys::kProjectionMethod] =
            QStringLiteral("O método escolhido não se aplica a estas contagens: %1")
                .arg(fit.problem());
}

void checkSupply(Checker &checker)
{
    checker.share(keys::kCoverageTarget, QStringLiteral("A cobertura-alvo"),
                  &projection::coverageProblem);
    checker.year(keys::kCoverageTargetYear);
    checker.number(keys::kPerCapitaChange);
    checker.share(keys::kLossesToday, QStringLiteral("As perdas atuais"),
                  &projection::lossesProblem);
    checker.share(keys::kLossesTarget, QStringLiteral("As perdas-alvo"),
                  &projection::lossesProblem);
    checker.year(keys::kLossesTargetYear);
}

void checkLivestock(Checker &checker)
{
    for (int s = 0; s < kSpeciesCount; ++s)
        checker.number(QString(keys::kHerdGrowthPrefix) + herdFieldName(s));
    checker.yearTable(keys::kTypedHerds, true);
}

void checkAgriculture(Checker &checker)
{
    for (int k = 0; k < agriculture::kClasses; ++k)
        checker.number(QString(keys::kAreaGrowthPrefix) + agriculture::classLetter(k));
    checker.yearTable(keys::kTypedAreas, true);
    checker.number(keys::kEfficiencyTarget);
    checker.year(keys::kEfficiencyTargetYear);
    checker.number(keys::kEtpFactor);
    checker.number(keys::kRainFactor);
}

// A window field the scenario replaces must be a number, as the window would hold it.
void checkWindowFields(const Study &study, int index, const LocaleSettings &locale,
                       Problems &problems)
{
    const StudyHorizon &horizon = *study.horizon;
    for (std::size_t s = 0; s < horizon.scenarios.size(); ++s) {
        // The base's replacements count in every scenario; the others' in their own.
        if (s != 0 && int(s) != index)
            continue;
        const QMap<QString, WindowInputs> &windows = horizon.scenarios[s].inputs.windows;
        for (auto w = windows.cbegin(); w != windows.cend(); ++w) {
            for (auto f = w->fields.cbegin(); f != w->fields.cend(); ++f) {
                if (isFieldStudyText(f.value()))
                    continue;
                problems.byKey[keys::kScenarioWindows] = QStringLiteral("%1: %2").arg(
                    studyMemberCaption(QStringLiteral("janelas/%1/%2").arg(w.key(), f.key())),
                    notANumber(f.value(), locale));
                return;
            }
        }
    }
}

} // namespace

QString Problems::first() const
{
    if (!byKey.isEmpty())
        return byKey.first();
    return general;
}

QMap<QString, QString> yearProblems(const StudyHorizon &horizon, const LocaleSettings &locale)
{
    QMap<QString, QString> problems;
    projection::PlanningHorizon years;
    if (!readYear(horizon.baseYear.trimmed(), &years.baseYear))
        problems[keys::kBaseYear] = horizon.baseYear.trimmed().isEmpty()
                                        ? QStringLiteral("Informe o ano-base.")
                                        : notAYear(horizon.baseYear.trimmed(), locale);
    if (!readYear(horizon.finalYear.trimmed(), &years.finalYear))
        problems[keys::kFinalYear] = horizon.finalYear.trimmed().isEmpty()
                                         ? QStringLiteral("Informe o ano final.")
                                         : notAYear(horizon.finalYear.trimmed(), locale);
    if (!problems.isEmpty())
        return problems;
    const QString problem = projection::horizonProblem(years);
    if (!problem.isEmpty()) {
        // A base year out of the range is the base year's fault; the rest, the final year's.
        const bool baseOut = years.baseYear < projection::kFirstCountYear ||
                             years.baseYear > projection::kLastProjectedYear;
        problems[baseOut ? QString(keys::kBaseYear) : QString(keys::kFinalYear)] = problem;
    }
    return problems;
}

std::vector<PopulationCount> readCounts(const StudyGrid &rows, QString *problem,
                                        const LocaleSettings &locale)
{
    std::vector<PopulationCount> counts;
    for (int r = 0; r < rows.size(); ++r) {
        const StudyRow &row = rows[r];
        const QString year = row.value(0).trimmed();
        const QString population = row.value(1).trimmed();
        const QString where = QStringLiteral("Linha %1: ").arg(r + 1);
        PopulationCount count;
        // Rows left blank are no counts, as the core reads the table.
        if (year.isEmpty() && population.isEmpty())
            continue;
        if (year.isEmpty() || population.isEmpty()) {
            *problem = where + (year.isEmpty() ? QStringLiteral("falta o ano.")
                                               : QStringLiteral("falta a população."));
            return counts;
        }
        if (!readYear(year, &count.year)) {
            *problem = where + notAYear(year, locale);
            return counts;
        }
        if (!readNumber(population, &count.population)) {
            *problem = where + notANumber(population, locale);
            return counts;
        }
        counts.push_back(count);
    }
    return counts;
}

std::optional<long double> typedSaturation(const QString &text)
{
    long double value = 0;
    if (text.trimmed().isEmpty() || !readNumber(text.trimmed(), &value) || value == 0)
        return std::nullopt;
    return value;
}

Problems checkScenario(const Study &study, int scenario, const LocaleSettings &locale)
{
    Problems problems;
    const ResolvedScenario resolved = resolveScenario(study, scenario);
    Checker checker{resolved, locale, problems};
    checkPopulation(checker);
    checkSupply(checker);
    checkLivestock(checker);
    checkAgriculture(checker);
    checkWindowFields(study, scenario, locale, problems);
    if (problems.byKey.isEmpty() && yearProblems(*study.horizon, locale).isEmpty()) {
        // What no one field says: the drivers as the core reads them, and their limits.
        try {
            const horizon::HorizonDrivers drivers = horizon::readDrivers(*study.horizon, resolved);
            problems.general = horizon::livestockDriversProblem(drivers.horizon, drivers.livestock);
            if (problems.general.isEmpty())
                problems.general =
                    horizon::agricultureDriversProblem(drivers.horizon, drivers.agriculture);
        } catch (const TaviError &error) {
            problems.general = error.message();
        }
    }
    return problems;
}

} // namespace HorizonChecks
