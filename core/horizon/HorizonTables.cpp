#include "core/horizon/HorizonTables.h"

#include "core/numbers/GeneralFormat.h"
#include "core/numbers/ReadableNumber.h"
#include "core/tables/CellTable.h"
#include "core/tables/TableWriter.h"

#include <algorithm>

namespace tavi::horizon
{

namespace
{

const QString kNotComputed = QStringLiteral("—");

// A municipality's annual volume in hm3 is read to the thousand m3.
constexpr int kHm3Decimals = 3;
constexpr long double kM3PerHm3 = 1000000;
constexpr int kRSquaredDecimals = 4;

struct Figures {
    bool readable;
    QString volume(long double m3) const
    {
        return readable ? formatReadable(m3, kVolumeDecimals) : formatGeneral(m3);
    }
    QString hm3(long double m3) const
    {
        const long double v = m3 / kM3PerHm3;
        return readable ? formatReadable(v, kHm3Decimals) : formatGeneral(v);
    }
    QString share(long double percent) const
    {
        return readable ? formatReadable(percent, kShareDecimals) : formatGeneral(percent);
    }
};

QStringList demandCells(const DemandFigures &demand, const Figures &figures)
{
    return {figures.volume(demand.annual), figures.hm3(demand.annual),
            figures.volume(demand.meanDaily), figures.volume(demand.peakDaily)};
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

// Names to the left, figures to the right, two blanks apart.
QString alignedRows(const std::vector<std::pair<QString, QString>> &rows)
{
    int left = 0, right = 0;
    for (const auto &[name, figure] : rows) {
        left = std::max(left, int(name.size()));
        right = std::max(right, int(figure.size()));
    }
    QString text;
    for (const auto &[name, figure] : rows)
        text += QStringLiteral("  ") + name.leftJustified(left) + QStringLiteral("  ") +
                figure.rightJustified(right) + QLatin1Char('\n');
    return text;
}

} // namespace

QStringList horizonYearHeaders(const ScenarioRun &run)
{
    QStringList headers{QStringLiteral("Ano")};
    QStringList names;
    for (int s = 0; s < kSummarySectors; ++s)
        names << summarySectorName(s);
    names << run.totalLabel();
    for (const QString &name : names)
        headers << QStringLiteral("%1 (m3/ano)").arg(name)
                << QStringLiteral("%1 (hm3/ano)").arg(name)
                << QStringLiteral("%1 média (m3/dia)").arg(name)
                << QStringLiteral("%1 pico (m3/dia)").arg(name);
    headers << QStringLiteral("População total") << QStringLiteral("População atendida")
            << QStringLiteral("Diluição: vazão indisponível máx. (m3/s)");
    return headers;
}

void fillHorizonYearTable(CellTable &table, const ScenarioRun &run, FiguresStyle style)
{
    TableWriter writer(table);
    writer.row(0, horizonYearHeaders(run));
    const Figures figures{style == FiguresStyle::Readable};
    const bool withPopulation = run.sectorComputed(SupplySector);
    const bool withDilution = run.dilutionError.isEmpty();
    int r = 1;
    for (const HorizonYear &year : run.years) {
        QStringList cells{QString::number(year.year)};
        for (int s = 0; s < kSummarySectors; ++s)
            cells << (run.sectorComputed(s) ? demandCells(year.sectors[std::size_t(s)], figures)
                                            : QStringList(4, kNotComputed));
        cells << demandCells(year.total, figures);
        const auto population = [&](long double v) {
            return !withPopulation    ? kNotComputed
                   : figures.readable ? formatReadable(v, kVolumeDecimals)
                                      : formatGeneral(v);
        };
        cells << population(year.totalPopulation) << population(year.servedPopulation);
        cells << (!withDilution      ? kNotComputed
                  : figures.readable ? formatReadable(year.dilutionMaximum, kFlowDecimals)
                                     : year.dilutionMaximumText);
        writer.row(r++, cells);
    }
}

void fillDifferenceTable(CellTable &table, const std::vector<ScenarioDifference> &rows,
                         FiguresStyle style)
{
    TableWriter writer(table);
    writer.row(
        0, {QStringLiteral("Cenário"), QStringLiteral("Total no ano final (m3/ano)"),
            QStringLiteral("Diferença no ano final (m3/ano)"),
            QStringLiteral("Diferença no ano final (%)"), QStringLiteral("Ano de maior diferença"),
            QStringLiteral("Maior diferença (m3/ano)"), QStringLiteral("Maior diferença (%)")});
    const Figures figures{style == FiguresStyle::Readable};
    int r = 1;
    for (const ScenarioDifference &row : rows) {
        const QString name =
            row.note.isEmpty() ? row.name : QStringLiteral("%1 (%2)").arg(row.name, row.note);
        if (!row.computed) {
            writer.row(r++, {name, kNotComputed, kNotComputed, kNotComputed, kNotComputed,
                             kNotComputed, kNotComputed});
            continue;
        }
        writer.row(r++, {name, figures.volume(row.finalTotal), figures.volume(row.finalDifference),
                         figures.share(row.finalPercent), QString::number(row.largestYear),
                         figures.volume(row.largestDifference), figures.share(row.largestPercent)});
    }
}

void fillProjectionTable(CellTable &table, const std::vector<projection::ProjectionFit> &fits,
                         int year)
{
    TableWriter writer(table);
    writer.row(0, {QStringLiteral("Método"), QStringLiteral("População em %1").arg(year),
                   QStringLiteral("Ajuste")});
    int r = 1;
    for (const projection::ProjectionFit &fit : fits) {
        const QString name = projection::methodName(fit.method());
        if (!fit.applies()) {
            writer.row(
                r++, {name, kNotComputed, QStringLiteral("não se aplica: %1").arg(fit.problem())});
            continue;
        }
        QString note;
        if (fit.rSquared())
            note =
                QStringLiteral("R² = %1").arg(formatReadable(*fit.rSquared(), kRSquaredDecimals));
        else if (fit.saturation())
            note = QStringLiteral("Saturação: %1")
                       .arg(formatReadable(*fit.saturation(), kVolumeDecimals));
        writer.row(r++, {name, formatReadable(fit.populationIn(year), kVolumeDecimals), note});
    }
}

QString finalYearText(const std::vector<ScenarioRun> &runs, const LocaleSettings &locale)
{
    const auto computed = std::find_if(runs.begin(), runs.end(), [](const ScenarioRun &run) {
        return run.computed() && !run.years.empty();
    });
    if (computed == runs.end())
        return QStringLiteral("Horizonte de planejamento: nenhum cenário calculado.\n");
    QString text = QStringLiteral("Horizonte de planejamento: %1 a %2, demanda anual no ano final "
                                  "(m3/ano)\n")
                       .arg(computed->years.front().year)
                       .arg(computed->years.back().year);
    for (const ScenarioRun &run : runs) {
        text += QLatin1Char('\n');
        if (!run.computed() || run.years.empty()) {
            text += QStringLiteral("Cenário %1: não calculado: %2\n").arg(run.name, run.problem);
            continue;
        }
        const HorizonYear &last = run.years.back();
        text += QStringLiteral("Cenário %1, %2 (população: %3)\n")
                    .arg(run.name)
                    .arg(last.year)
                    .arg(run.populationSource);
        std::vector<std::pair<QString, QString>> rows;
        for (int s = 0; s < kSummarySectors; ++s)
            rows.push_back(
                {summarySectorName(s),
                 run.sectorComputed(s)
                     ? formatReadable(last.sectors[std::size_t(s)].annual, kVolumeDecimals, locale)
                     : kNotComputed});
        rows.push_back(
            {run.totalLabel(), formatReadable(last.total.annual, kVolumeDecimals, locale)});
        text += alignedRows(rows);
    }
    return text;
}

QByteArray horizonCsv(const std::vector<ScenarioRun> &runs, const LocaleSettings &locale)
{
    QString text = QStringLiteral("cenario;ano;abastecimento;pecuaria;agricultura;total\n");
    for (const ScenarioRun &run : runs) {
        for (const HorizonYear &year : run.years) {
            QStringList fields{csvField(run.name), QString::number(year.year)};
            for (int s = 0; s < kSummarySectors; ++s)
                fields << (run.sectorComputed(s)
                               ? formatGeneral(year.sectors[std::size_t(s)].annual, locale)
                               : QString());
            fields << formatGeneral(year.total.annual, locale);
            text += fields.join(QLatin1Char(';')) + QLatin1Char('\n');
        }
    }
    return text.toUtf8();
}

} // namespace tavi::horizon
