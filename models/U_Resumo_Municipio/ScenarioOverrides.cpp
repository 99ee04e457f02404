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

namespace
{

struct Caption {
    QLatin1String key;
    const char *caption;
};

// The drivers and the drivers' tables whose key names them whole.
const Caption kCaptions[] = {
    {keys::kCensusCounts, "Contagens da população (censos)"},
    {keys::kTypedPopulations, "População digitada"},
    {keys::kProjectionMethod, "Método de projeção"},
    {keys::kSaturation, "População de saturação (habitantes)"},
    {keys::kCoverageTarget, "Cobertura-alvo (%)"},
    {keys::kCoverageTargetYear, "Ano da cobertura-alvo"},
    {keys::kPerCapitaPath, "Consumo per capita"},
    {keys::kPerCapitaChange, "Variação do consumo per capita (% ao ano)"},
    {keys::kLossesToday, "Perdas atuais (%)"},
    {keys::kLossesTarget, "Perdas-alvo (%)"},
    {keys::kLossesTargetYear, "Ano das perdas-alvo"},
    {keys::kTypedHerds, "Rebanhos digitados"},
    {keys::kTypedAreas, "Áreas digitadas"},
    {keys::kEfficiencyTarget, "Eficiência-alvo"},
    {keys::kEfficiencyTargetYear, "Ano da eficiência-alvo"},
    {keys::kClimate, "Clima"},
    {keys::kEtpFactor, "Fator da ETP"},
    {keys::kRainFactor, "Fator da precipitação"},
    {keys::kDilutionPath, "Vazão de esgotos da diluição"},
};

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

} // namespace

QString horizonDriverCaption(const QString &key)
{
    for (const Caption &caption : kCaptions)
        if (key == caption.key)
            return QString::fromUtf8(caption.caption);
    if (key.startsWith(keys::kAreaGrowthPrefix))
        return QStringLiteral("Crescimento da área, classe %1 (% ao ano)")
            .arg(key.mid(keys::kAreaGrowthPrefix.size()));
    if (key.startsWith(keys::kHerdGrowthPrefix)) {
        const QString herd = key.mid(keys::kHerdGrowthPrefix.size());
        for (int s = 0; s < kSpeciesCount; ++s)
            if (herd == herdFieldName(s))
                return QStringLiteral("Crescimento do rebanho, %1 (% ao ano)")
                    .arg(speciesCaption(s));
    }
    return key;
}

QList<QPair<QString, QString>> scenarioOverrides(const ScenarioInputs &inputs)
{
    QList<QPair<QString, QString>> lines;
    for (auto d = inputs.drivers.cbegin(); d != inputs.drivers.cend(); ++d)
        lines << qMakePair(horizonDriverCaption(d.key()), driverValue(d.key(), d.value()));
    for (auto t = inputs.tables.cbegin(); t != inputs.tables.cend(); ++t)
        lines << qMakePair(horizonDriverCaption(t.key()), tableText(t.value()));
    for (auto w = inputs.windows.cbegin(); w != inputs.windows.cend(); ++w) {
        const QString window = QStringLiteral("janelas/%1/").arg(w.key());
        for (auto f = w.value().fields.cbegin(); f != w.value().fields.cend(); ++f)
            lines << qMakePair(studyMemberCaption(window + f.key()),
                               fromStudyText(f.value(), LocaleSettings::current()));
        for (auto g = w.value().grids.cbegin(); g != w.value().grids.cend(); ++g)
            lines << qMakePair(studyMemberCaption(window + g.key()),
                               QStringLiteral("substituída no cenário"));
    }
    return lines;
}
