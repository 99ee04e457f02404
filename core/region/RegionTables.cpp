#include "core/region/RegionTables.h"

#include "core/numbers/GeneralFormat.h"
#include "core/numbers/ReadableNumber.h"
#include "core/numbers/StudyText.h"
#include "core/tables/CellTable.h"
#include "core/tables/TableWriter.h"

#include <algorithm>
#include <numeric>

namespace tavi::region
{

namespace
{

const QString kNotComputed = QStringLiteral("—");

struct Figures {
    bool readable;
    QString volume(long double m3) const
    {
        return readable ? formatReadable(m3, kVolumeDecimals) : formatGeneral(m3);
    }
    QString share(long double percent) const
    {
        return readable ? formatReadable(percent, kShareDecimals) : formatGeneral(percent);
    }
    QString flow(long double m3s) const
    {
        return readable ? formatReadable(m3s, kFlowDecimals) : formatGeneral(m3s);
    }
};

bool anyBalance(const RegionResults &results)
{
    return std::any_of(results.municipalities.begin(), results.municipalities.end(),
                       [](const MunicipalityResult &m) { return m.hasBalance; });
}

// "Tendencial 2046 (m³/ano)": the final year is the region's, which every municipality of a
// template's horizon shares.
QStringList scenarioHeaders(const RegionResults &results)
{
    QStringList headers;
    for (int s = 0; s < results.scenarios.size(); ++s) {
        const int year = s < int(results.region.horizon.size())
                             ? results.region.horizon[std::size_t(s)].year
                             : 0;
        headers << (year > 0 ? QStringLiteral("%1 %2 (m³/ano)").arg(results.scenarios[s]).arg(year)
                             : QStringLiteral("%1 (m³/ano)").arg(results.scenarios[s]));
    }
    return headers;
}

const ScenarioFinal *finalNamed(const std::vector<ScenarioFinal> &finals, const QString &name)
{
    for (const ScenarioFinal &final : finals)
        if (final.scenario == name)
            return &final;
    return nullptr;
}

QStringList sectorHeaders()
{
    QStringList headers;
    for (int s = 0; s < kSummarySectors; ++s)
        headers << QStringLiteral("%1 (m³/ano)").arg(summarySectorName(s))
                << QStringLiteral("%1 (%)").arg(summarySectorName(s));
    return headers;
}

// Quoted only where a reader would otherwise split or join it.
QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QStringList municipalityHeaders(const RegionResults &results)
{
    QStringList headers{QStringLiteral("Código"), QStringLiteral("Município"),
                        QStringLiteral("Grupo")};
    headers << sectorHeaders();
    headers << QStringLiteral("Dia de maior demanda")
            << QStringLiteral("Maior demanda diária (m³/dia)") << QStringLiteral("Total (m³/ano)");
    headers << scenarioHeaders(results);
    if (anyBalance(results))
        headers << QStringLiteral("Vazão de referência (m³/s)") << QStringLiteral("Demanda/vazão")
                << QStringLiteral("Classe");
    return headers;
}

void fillMunicipalityTable(CellTable &table, const RegionResults &results, FiguresStyle style)
{
    TableWriter writer(table);
    const Figures figures{style == FiguresStyle::Readable};
    writer.row(0, municipalityHeaders(results));
    const bool balance = anyBalance(results);
    int r = 1;
    for (const MunicipalityResult &m : results.municipalities) {
        QStringList cells{m.code, m.name, m.group};
        // Read, the texts are the ones the municipality's own summary shows.
        for (std::size_t s = 0; s < std::size_t(kSummarySectors); ++s) {
            if (!m.computed[s])
                cells << kNotComputed << kNotComputed;
            else if (figures.readable)
                cells << m.annualTexts[s] << m.shareTexts[s];
            else
                cells << figures.volume(m.annual[s]) << figures.share(m.shares[s]);
        }
        if (m.failed() && std::none_of(m.computed.begin(), m.computed.end(),
                                       [](bool computed) { return computed; }))
            cells << kNotComputed << kNotComputed << kNotComputed;
        else
            cells << dayLabel(m.peakDay)
                  << (figures.readable ? m.peakTotalText : figures.volume(m.peakTotal))
                  << (figures.readable ? m.annualTotalText : figures.volume(m.annualTotal));
        for (const QString &scenario : results.scenarios) {
            const ScenarioFinal *final = finalNamed(m.horizon, scenario);
            cells << (final && final->problem.isEmpty() ? figures.volume(final->total)
                                                        : kNotComputed);
        }
        if (balance) {
            if (m.hasBalance && m.balanceProblem.isEmpty())
                cells << figures.flow(m.referenceFlow)
                      << (figures.readable ? m.ratioText : formatGeneral(m.ratio))
                      << m.stressClassName;
            else
                cells << kNotComputed << kNotComputed << kNotComputed;
        }
        writer.row(r++, cells);
    }
}

QStringList totalHeaders(const RegionResults &results)
{
    QStringList headers{QStringLiteral("Grupo"), QStringLiteral("Municípios"),
                        QStringLiteral("Com total parcial")};
    headers << sectorHeaders() << QStringLiteral("Total (m³/ano)") << scenarioHeaders(results);
    return headers;
}

void fillTotalTable(CellTable &table, const RegionResults &results, FiguresStyle style)
{
    TableWriter writer(table);
    const Figures figures{style == FiguresStyle::Readable};
    writer.row(0, totalHeaders(results));
    std::vector<const RegionTotal *> rows;
    for (const RegionTotal &group : results.groups)
        rows.push_back(&group);
    rows.push_back(&results.region);
    int r = 1;
    for (const RegionTotal *total : rows) {
        QStringList cells{total == &results.region ? QStringLiteral("Região") : total->group,
                          QString::number(total->municipalities),
                          QString::number(total->partialMunicipalities)};
        for (std::size_t s = 0; s < std::size_t(kSummarySectors); ++s)
            cells << figures.volume(total->annual[s]) << figures.share(total->shares[s]);
        cells << figures.volume(total->annualTotal);
        for (const QString &scenario : results.scenarios) {
            const ScenarioFinal *final = finalNamed(total->horizon, scenario);
            cells << (final && final->problem.isEmpty() ? figures.volume(final->total)
                                                        : kNotComputed);
        }
        writer.row(r++, cells);
    }
}

void fillFailureTable(CellTable &table, const RegionResults &results)
{
    TableWriter writer(table);
    writer.row(0,
               {QStringLiteral("Município"), QStringLiteral("Mensagem"), QStringLiteral("Onde")});
    int r = 1;
    for (const MunicipalityResult &m : results.municipalities)
        for (int e = 0; e < m.errors.size(); ++e)
            writer.row(r++, {m.name, m.errors[e], m.errorPlaces.value(e)});
}

void fillSourceTable(CellTable &table, const Region &region)
{
    TableWriter writer(table);
    writer.row(0, {QStringLiteral("Código"), QStringLiteral("Município"), QStringLiteral("Entrada"),
                   QStringLiteral("Valor"), QStringLiteral("Origem")});
    const LocaleSettings &locale = LocaleSettings::current();
    // A value as the study windows show it; a grid is named, not spelled out.
    const auto valueOf = [&locale](const StudyOverrides &overrides, const Study &study,
                                   const QString &path) {
        const QString window = path.section(QLatin1Char('/'), 0, 0);
        const QString component = path.section(QLatin1Char('/'), 1);
        const auto fields = overrides.fields.constFind(window);
        if (fields != overrides.fields.constEnd() && fields->contains(component))
            return fromStudyText(fields->value(component), locale);
        const auto grids = overrides.grids.constFind(window);
        if (grids != overrides.grids.constEnd() && grids->contains(component))
            return QStringLiteral("(tabela)");
        return fromStudyText(windowInputs(study, window).fields.value(component), locale);
    };
    int r = 1;
    for (const Municipality &m : region.municipalities) {
        for (auto it = m.sources.constBegin(); it != m.sources.constEnd(); ++it)
            writer.row(r++, {m.code, m.displayName(), inputCaption(it.key()),
                             valueOf(m.overrides, region.templateStudy, it.key()), it.value()});
        // Not available in the table: the template's value stands, and the table that said so.
        for (auto it = m.notAvailable.constBegin(); it != m.notAvailable.constEnd(); ++it)
            writer.row(r++, {m.code, m.displayName(), inputCaption(it.key()),
                             valueOf(StudyOverrides(), region.templateStudy, it.key()) +
                                 QStringLiteral(" (do modelo; não disponível)"),
                             it.value()});
        if (!m.referenceFlowSource.isEmpty())
            writer.row(r++, {m.code, m.displayName(), QStringLiteral("Vazão de referência (m³/s)"),
                             fromStudyText(m.referenceFlow, locale), m.referenceFlowSource});
    }
}

std::vector<int> largestMunicipalities(const RegionResults &results, int count)
{
    std::vector<int> order(results.municipalities.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&results](int a, int b) {
        return results.municipalities[std::size_t(a)].annualTotal >
               results.municipalities[std::size_t(b)].annualTotal;
    });
    if (int(order.size()) > count)
        order.resize(std::size_t(std::max(0, count)));
    return order;
}

QByteArray regionCsv(const RegionResults &results, const LocaleSettings &locale)
{
    QString text =
        QStringLiteral("codigo;municipio;grupo;abastecimento;pecuaria;agricultura;total\n");
    for (const MunicipalityResult &m : results.municipalities) {
        QStringList fields{m.code, csvField(m.name), csvField(m.group)};
        for (std::size_t s = 0; s < std::size_t(kSummarySectors); ++s)
            fields << (m.computed[s] ? formatGeneral(m.annual[s], locale) : QString());
        const bool none =
            std::none_of(m.computed.begin(), m.computed.end(), [](bool c) { return c; });
        fields << (none ? QString() : formatGeneral(m.annualTotal, locale));
        text += fields.join(QLatin1Char(';')) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

QString regionText(const RegionResults &results, const LocaleSettings &locale)
{
    const auto volume = [&locale](long double m3) {
        return formatReadable(m3, kVolumeDecimals, locale);
    };
    const auto totalLines = [&](const RegionTotal &total, const QString &title) {
        QString text = QStringLiteral("%1: %2 município(s)").arg(title).arg(total.municipalities);
        if (total.partialMunicipalities > 0)
            text += QStringLiteral(", %1 com total parcial").arg(total.partialMunicipalities);
        text += QLatin1Char('\n');
        for (int s = 0; s < kSummarySectors; ++s)
            text += QStringLiteral("  %1: %2 m³/ano (%3 %)\n")
                        .arg(summarySectorName(s), volume(total.annual[std::size_t(s)]),
                             formatReadable(total.shares[std::size_t(s)], kShareDecimals, locale));
        text +=
            QStringLiteral("  Total: %1 m³/ano%2\n")
                .arg(volume(total.annualTotal),
                     total.partialMunicipalities > 0 ? QStringLiteral(" (parcial)") : QString());
        for (const ScenarioFinal &final : total.horizon) {
            if (!final.problem.isEmpty())
                text += QStringLiteral("  Cenário %1: não calculado: %2\n")
                            .arg(final.scenario, final.problem);
            else
                text += QStringLiteral("  Cenário %1, %2: %3 m³/ano%4\n")
                            .arg(final.scenario)
                            .arg(final.year)
                            .arg(volume(final.total),
                                 final.partial ? QStringLiteral(" (parcial)") : QString());
        }
        return text;
    };
    QString text;
    if (results.cancelled)
        text += QStringLiteral("Cálculo interrompido: os totais cobrem os municípios "
                               "calculados.\n\n");
    text += totalLines(results.region, QStringLiteral("Região"));
    for (const RegionTotal &group : results.groups)
        text += QLatin1Char('\n') + totalLines(group, group.group);
    const QStringList failures = results.failures();
    if (!failures.isEmpty()) {
        text += QStringLiteral("\nFalhas (%1):\n").arg(failures.size());
        for (const QString &failure : failures)
            text += QStringLiteral("  ") + failure + QLatin1Char('\n');
    }
    return text;
}

} // namespace tavi::region
