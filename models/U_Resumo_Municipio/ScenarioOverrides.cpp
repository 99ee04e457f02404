#include "models/U_Resumo_Municipio/ScenarioOverrides.h"

#include "core/base/LocaleSettings.h"
#include "core/horizon/HorizonDrivers.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/sectors/catalogue/HorizonKeys.h"
#include "core/sectors/catalogue/LivestockAnimals.h"
#include "core/study/StudyCaptions.h"

#include <utility>

using namespace tavi;
using tavi::horizon::driverLabel;

namespace
{

// The drivers whose value is a choice, by its key.
const std::pair<QLatin1String, const char *> kChoices[] = {
    {keys::kPerCapitaElasticities, "pelas elasticidades"},
    {keys::kPerCapitaConstant, "constante"},
    {keys::kPerCapitaAnnualChange, "variação anual"},
    {keys::kClimateStudySeries, "a série do estudo"},
    {keys::kClimateFactors, "a série do estudo com fatores"},
    {keys::kDilutionWithPopulation, "acompanha a população"},
    {keys::kDilutionAsTyped, "como digitada"},
};

QString driverValue(const QString &key, const QString &value)
{
    if (value.trimmed().isEmpty())
        return QStringLiteral("—");
    if (key == keys::kProjectionMethod)
        return projection::methodName(horizon::methodOfKey(value));
    if (key == keys::kPerCapitaPath || key == keys::kClimate || key == keys::kDilutionPath)
        for (const auto &[choice, caption] : kChoices)
            if (value == choice)
                return QString::fromUtf8(caption);
    return fromStudyText(value, LocaleSettings::current());
}

// A table of [year, value] rows as "2010: 62.000; 2022: 70.000"; a wider one by its size.
QString tableText(const StudyGrid &rows)
{
    QStringList pairs;
    for (const StudyRow &row : rows) {
        if (row.size() != 2)
            return rows.size() == 1 ? QStringLiteral("tabela de 1 linha")
                                    : QStringLiteral("tabela de %1 linhas").arg(rows.size());
        pairs << QStringLiteral("%1: %2").arg(row[0].trimmed(),
                                              fromStudyText(row[1], LocaleSettings::current()));
    }
    return pairs.isEmpty() ? QStringLiteral("vazia") : pairs.join(QStringLiteral("; "));
}

// The drivers' keys sector by sector, as the horizon window groups them, rather than in the
// order of their names; any other after them.
QStringList sectorOrder(QStringList keys)
{
    QStringList ordered{keys::kProjectionMethod,   keys::kSaturation,    keys::kCoverageTarget,
                        keys::kCoverageTargetYear, keys::kPerCapitaPath, keys::kPerCapitaChange,
                        keys::kLossesToday,        keys::kLossesTarget,  keys::kLossesTargetYear};
    for (int s = 0; s < kSpeciesCount; ++s)
        ordered << keys::kHerdGrowthPrefix + herdFieldName(s);
    for (int k = 0; k < agriculture::kClasses; ++k)
        ordered << keys::kAreaGrowthPrefix + agriculture::classLetter(k);
    ordered << keys::kEfficiencyTarget << keys::kEfficiencyTargetYear << keys::kClimate
            << keys::kEtpFactor << keys::kRainFactor << keys::kDilutionPath;
    QStringList out;
    for (const QString &key : ordered)
        if (keys.removeAll(key) > 0)
            out << key;
    return out + keys;
}

// The tables and the window inputs a scenario sets.
void addTablesAndWindows(QList<QPair<QString, QString>> &lines, const ScenarioInputs &inputs)
{
    for (auto t = inputs.tables.cbegin(); t != inputs.tables.cend(); ++t)
        lines << qMakePair(driverLabel(t.key()), tableText(t.value()));
    for (auto w = inputs.windows.cbegin(); w != inputs.windows.cend(); ++w) {
        const QString window = QStringLiteral("janelas/%1/").arg(w.key());
        for (auto f = w.value().fields.cbegin(); f != w.value().fields.cend(); ++f)
            lines << qMakePair(studyMemberCaption(window + f.key()),
                               fromStudyText(f.value(), LocaleSettings::current()));
        for (auto g = w.value().grids.cbegin(); g != w.value().grids.cend(); ++g)
            lines << qMakePair(studyMemberCaption(window + g.key()),
                               QStringLiteral("substituída no cenário"));
    }
}

} // namespace

QList<QPair<QString, QString>> scenarioOverrides(const ScenarioInputs &inputs)
{
    QList<QPair<QString, QString>> lines;
    for (auto d = inputs.drivers.cbegin(); d != inputs.drivers.cend(); ++d)
        lines << qMakePair(driverLabel(d.key()), driverValue(d.key(), d.value()));
    addTablesAndWindows(lines, inputs);
    return lines;
}

QList<QPair<QString, QString>> baseDrivers(const ScenarioInputs &inputs)
{
    const QMap<QString, QString> &defaults = horizon::defaultDriverTexts();
    const auto held = [&inputs](const QString &key) {
        return !inputs.drivers.value(key).trimmed().isEmpty();
    };
    const auto value = [&](const QString &key) {
        return driverValue(key, held(key) ? inputs.drivers.value(key) : defaults.value(key));
    };
    // Five species' and nine classes' growth rates, mostly alike, read best on a line each.
    const auto group = [&](const QString &label, const QStringList &keys,
                           const QStringList &names) {
        QStringList parts;
        bool anyHeld = false;
        for (int i = 0; i < keys.size(); ++i) {
            parts << QStringLiteral("%1: %2").arg(names[i], value(keys[i]));
            anyHeld = anyHeld || held(keys[i]);
        }
        return qMakePair(label, parts.join(QStringLiteral("; ")) +
                                    (anyHeld ? QString() : QStringLiteral(" (padrão)")));
    };
    QStringList herdKeys, species, areaKeys, classes;
    for (int s = 0; s < kSpeciesCount; ++s) {
        herdKeys << keys::kHerdGrowthPrefix + herdFieldName(s);
        species << speciesCaption(s);
    }
    for (int k = 0; k < agriculture::kClasses; ++k) {
        areaKeys << keys::kAreaGrowthPrefix + agriculture::classLetter(k);
        classes << QString(agriculture::classLetter(k));
    }

    QList<QPair<QString, QString>> lines;
    for (const QString &key : sectorOrder(defaults.keys())) {
        if (key == herdKeys.first())
            lines << group(QStringLiteral("Crescimento dos rebanhos (% ao ano)"), herdKeys,
                           species);
        else if (key == areaKeys.first())
            lines << group(QStringLiteral("Crescimento da área irrigada, por classe (% ao ano)"),
                           areaKeys, classes);
        else if (!herdKeys.contains(key) && !areaKeys.contains(key))
            lines << qMakePair(driverLabel(key),
                               value(key) + (held(key) ? QString() : QStringLiteral(" (padrão)")));
    }
    addTablesAndWindows(lines, inputs);
    return lines;
}
