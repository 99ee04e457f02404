#include "cli/SummaryText.h"

#include "core/balance/BalanceTables.h"
#include "core/numbers/ReadableNumber.h"
#include "core/summary/DailyPeak.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tavi::cli
{

namespace
{

constexpr int kTableColumns = 5;
using TableRow = std::array<QString, kTableColumns>;

const QString kNotComputed = QStringLiteral("—");

// Aligned columns two blanks apart: the names to the left, the figures to the right.
QString alignedTable(const std::vector<TableRow> &rows)
{
    std::array<int, kTableColumns> widths{};
    for (const TableRow &row : rows)
        for (int c = 0; c < kTableColumns; ++c)
            widths[c] = std::max(widths[c], int(row[c].size()));
    QString text;
    for (const TableRow &row : rows) {
        QString line = row[0].leftJustified(widths[0]);
        for (int c = 1; c < kTableColumns; ++c)
            line += QStringLiteral("  ") + row[c].rightJustified(widths[c]);
        text += line + QLatin1Char('\n');
    }
    return text;
}

TableRow sectorRow(const MunicipalSummary &summary, int sector, const LocaleSettings &locale)
{
    const SectorSeries &series = summary.sectors[sector];
    if (!series.computed())
        return {summarySectorName(sector), kNotComputed, kNotComputed, kNotComputed, kNotComputed};
    const DailyPeak peak = dailyPeak(series.daily);
    return {summarySectorName(sector), formatReadable(series.annual, kVolumeDecimals, locale),
            formatReadable(summary.shares[sector], kShareDecimals, locale),
            QString::number(peak.day), formatReadable(peak.value, kVolumeDecimals, locale)};
}

TableRow totalRow(const MunicipalSummary &summary, const LocaleSettings &locale)
{
    return {summary.totalLabel(), formatReadable(summary.annualTotal, kVolumeDecimals, locale),
            formatReadable(summary.annualTotal != 0 ? 100 : 0, kShareDecimals, locale),
            QString::number(summary.peakDay),
            formatReadable(summary.peakTotal, kVolumeDecimals, locale)};
}

QString dilutionLine(const MunicipalSummary &summary, const LocaleSettings &locale)
{
    const QString name = summarySectorName(kSummarySectors);
    if (!summary.dilutionComputed())
        return QStringLiteral("%1: não calculada.").arg(name);
    if (summary.dilutionPoint == 0)
        return QStringLiteral("%1: nenhuma vazão indisponível.").arg(name);
    return QStringLiteral("%1: máxima vazão indisponível acumulada de %2 m3/s, no ponto %3.")
        .arg(name, formatReadable(summary.dilutionMaximum, kFlowDecimals, locale))
        .arg(summary.dilutionPoint);
}

} // namespace

QString summaryText(const MunicipalSummary &summary, const QString &studyName,
                    const LocaleSettings &locale)
{
    QString text = QStringLiteral("Resumo do Município: %1\n").arg(studyName);
    const SectorSelection &selection = summary.selection;
    std::vector<TableRow> rows;
    for (int s = 0; s < kSummarySectors; ++s)
        if (selection.contains(static_cast<SectorId>(s)))
            rows.push_back(sectorRow(summary, s, locale));
    if (!rows.empty()) {
        text += QStringLiteral("Abastecimento público: demanda %1\n\n")
                    .arg(summary.scenario == SupplyScenario::Current ? QStringLiteral("ATUAL")
                                                                     : QStringLiteral("FUTURA"));
        rows.insert(rows.begin(),
                    {QStringLiteral("Setor"), QStringLiteral("Volume anual (m3)"),
                     QStringLiteral("Participação (%)"), QStringLiteral("Dia de maior demanda"),
                     QStringLiteral("Maior demanda (m3/dia)")});
        rows.push_back(totalRow(summary, locale));
        text += alignedTable(rows);
        // A total that leaves a sector out is never presented as the municipality's.
        if (summary.isPartial())
            text += QStringLiteral("\nTotal parcial, sem %1: o total, as participações e o dia "
                                   "de maior demanda são só dos setores calculados.\n")
                        .arg(summary.missingSectors());
    }
    if (selection.contains(SectorId::Dilution))
        text += QLatin1Char('\n') + dilutionLine(summary, locale) + QLatin1Char('\n');
    return text;
}

QString balanceSummaryText(const balance::WaterBalance &balance,
                           const std::vector<balance::ScenarioBalance> &scenarios,
                           const LocaleSettings &locale)
{
    QString text;
    // Without a reference flow the balance's own first line says it is not computed.
    const QString heading = balance.computed() ? QStringLiteral("Balanço hídrico\n") : QString();
    for (const QString &part :
         {heading + balance::balanceText(balance, locale),
          scenarios.empty() ? QString() : balance::horizonBalanceText(scenarios, locale)}) {
        if (part.trimmed().isEmpty())
            continue;
        text += QLatin1Char('\n') + part;
        if (!text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
    }
    return text;
}

} // namespace tavi::cli
