#include "models/U_Resumo_Municipio/HorizonReportChapter.h"

#include "core/base/TaviError.h"
#include "core/horizon/HorizonDrivers.h"
#include "core/horizon/HorizonTables.h"
#include "core/horizon/HorizonYearColumns.h"
#include "core/numbers/ReadableNumber.h"
#include "core/tables/CellTable.h"
#include "models/U_Horizonte/HorizonCharts.h"
#include "models/U_Resumo_Municipio/ReportHtml.h"
#include "models/U_Resumo_Municipio/ScenarioOverrides.h"

#include <QChartView>

#include <algorithm>

using namespace tavi;
using namespace tavi::horizon;
using ReportHtml::escaped;
using ReportHtml::heading;

namespace HorizonReportChapter
{

namespace
{

const char *const kTotalsMark = "[[grafico-horizonte-totais]]";

QString sectorsMark(std::size_t scenario)
{
    return QStringLiteral("[[grafico-horizonte-setores-%1]]").arg(scenario);
}

bool isDrawn(const ScenarioRun &run)
{
    return run.computed() && !run.years.empty();
}

QString warning(const QString &text)
{
    return QStringLiteral("<p style='color:#a00000'>%1</p>").arg(escaped(text));
}

// A table made by core, row 0 its headings, as the report prints it: units as they are
// written on paper. Given the columns' shares of the page, as a table of many figures.
QString reportTable(const CellTable &made, const QSet<int> &textColumns = {0},
                    const QList<int> &percentWidths = {})
{
    QStringList headers;
    QList<QStringList> rows;
    for (int c = 0; c < made.columns(); ++c)
        headers << QString(made.cell(c, 0)).replace(QLatin1String("m3"), QStringLiteral("m³"));
    for (int r = 1; r < made.storedRows(); ++r) {
        QStringList row;
        for (int c = 0; c < made.columns(); ++c)
            row << made.cell(c, r);
        rows << row;
    }
    return percentWidths.isEmpty() ? ReportHtml::table(headers, rows, textColumns)
                                   : ReportHtml::wideTable(headers, rows, percentWidths);
}

QString overviewHtml(const StudyHorizon &horizon, const std::vector<ScenarioRun> &runs)
{
    QStringList names;
    for (const ScenarioRun &run : runs)
        names << run.name;
    QString html = QStringLiteral("<p>De %1 a %2, cada ano calculado, setor a setor, pelos "
                                  "modelos das janelas sobre os dados daquele ano. %3: %4.</p>")
                       .arg(escaped(horizon.baseYear), escaped(horizon.finalYear),
                            runs.size() == 1 ? QStringLiteral("Um cenário")
                                             : QStringLiteral("%1 cenários").arg(runs.size()),
                            escaped(names.join(QStringLiteral(", "))));

    QList<QStringList> rows;
    for (std::size_t s = 0; s < runs.size() && s < horizon.scenarios.size(); ++s) {
        QStringList sets;
        for (const auto &[what, value] : scenarioOverrides(horizon.scenarios[s].inputs))
            sets << QStringLiteral("%1: %2").arg(what, value);
        const QString population =
            runs[s].populationSource.isEmpty() ? QStringLiteral("—") : runs[s].populationSource;
        if (s == 0)
            rows << QStringList{runs[s].name, population,
                                QStringLiteral("referência dos demais cenários")};
        else
            rows << QStringList{runs[s].name, population,
                                sets.isEmpty() ? QStringLiteral("nada: segue o Base")
                                               : sets.join(QStringLiteral("; "))};
    }
    html += heading(QStringLiteral("Cenários"), 11) +
            ReportHtml::table({QStringLiteral("Cenário"), QStringLiteral("População"),
                               QStringLiteral("O que altera em relação ao Base")},
                              rows, {0, 1, 2});

    QList<QStringList> drivers;
    if (!horizon.scenarios.empty())
        for (const auto &[what, value] : baseDrivers(horizon.scenarios.front().inputs))
            drivers << QStringList{what, value};
    html +=
        heading(QStringLiteral("Direcionadores do cenário %1").arg(escaped(runs.front().name)), 11);
    return html + ReportHtml::table({QStringLiteral("Direcionador"), QStringLiteral("Valor")},
                                    drivers, {0, 1});
}

// The base's census counts under every method, to the final year: what the method each
// scenario uses is chosen among.
QString projectionHtml(const Study &study)
{
    QString html = heading(QStringLiteral("Projeção da população"), 11);
    HorizonDrivers drivers;
    try {
        drivers = readDrivers(*study.horizon, resolveScenario(study, 0));
    } catch (const TaviError &error) {
        return html + warning(error.message());
    }
    const PopulationDriver &population = drivers.supply.population;
    if (population.counts.empty())
        return html + QStringLiteral("<p>O cenário Base não tem contagens da população.</p>");
    QStringList counts;
    for (const projection::PopulationCount &count : population.counts)
        counts << QStringLiteral("%1: %2")
                      .arg(count.year)
                      .arg(formatReadable(count.population, kVolumeDecimals));
    html += QStringLiteral("<p>Contagens do cenário Base (habitantes): %1.%2</p>")
                .arg(escaped(counts.join(QStringLiteral("; "))),
                     population.typed.empty()
                         ? QString()
                         : QStringLiteral(" O cenário usa a população digitada; os métodos "
                                          "ficam para comparação."));
    const QString problem = projection::countsProblem(population.counts);
    if (!problem.isEmpty())
        return html + warning(problem);
    const std::vector<projection::ProjectionFit> fits =
        projection::fitEveryMethod(population.counts, population.saturation);
    CellTable table(kProjectionColumns, int(fits.size()) + 1, int(fits.size()) + 1, true);
    fillProjectionTable(table, fits, drivers.horizon.finalYear);
    return html + reportTable(table, {0, 2});
}

// The year table is twenty columns wide; the page takes the annual volumes, the total's peak,
// the populations and the dilution, which is what a reader compares year to year. The
// workbook keeps every column.
QString yearsHtml(const ScenarioRun &run)
{
    using namespace YearColumns;
    CellTable table(kHorizonYearColumns, int(run.years.size()) + 1, int(run.years.size()) + 1,
                    true);
    fillHorizonYearTable(table, run, FiguresStyle::Readable);
    // Headings shorter than the table's own, so that no word of them is broken on the page.
    const std::pair<int, QString> columns[] = {
        {kYear, QStringLiteral("Ano")},
        {column(SupplySector, Annual), QStringLiteral("Abastecimento (m³/ano)")},
        {column(LivestockSector, Annual), QStringLiteral("Pecuária (m³/ano)")},
        {column(AgricultureSector, Annual), QStringLiteral("Agricultura (m³/ano)")},
        {column(kTotal, Annual), run.totalLabel() + QStringLiteral(" (m³/ano)")},
        {column(kTotal, PeakDaily), QStringLiteral("Pico do total (m³/dia)")},
        {kTotalPopulation, QStringLiteral("População total")},
        {kServedPopulation, QStringLiteral("População atendida")},
        {kDilutionMaximum, QStringLiteral("Diluição máx. (m³/s)")}};
    QStringList headers;
    for (const auto &[c, heading] : columns)
        headers << heading;
    QList<QStringList> rows;
    for (int r = 1; r < table.storedRows(); ++r) {
        QStringList row;
        for (const auto &[c, heading] : columns)
            row << table.cell(c, r);
        rows << row;
    }
    return ReportHtml::wideTable(headers, rows, {5, 15, 10, 12, 13, 12, 11, 11, 11});
}

QString scenarioHtml(const ScenarioRun &run, std::size_t index)
{
    // A scenario's years and its chart take about a page: each starts one, never leaving its
    // heading at the foot of the page before. One not computed says so in a line.
    QString html = heading(QStringLiteral("Cenário %1").arg(escaped(run.name)), 11, isDrawn(run));
    if (!run.computed())
        return html + warning(QStringLiteral("Não pôde ser calculado: %1").arg(run.problem));
    const QStringList messages = run.errorMessages();
    const QStringList places = run.errorPlaces();
    for (int m = 0; m < messages.size(); ++m)
        html +=
            QStringLiteral("<p style='color:#a00000'>%1%2</p>")
                .arg(escaped(messages[m]), places.value(m).isEmpty()
                                               ? QString()
                                               : QStringLiteral("<br>") + escaped(places.value(m)));
    html += yearsHtml(run);
    if (isDrawn(run))
        html += QStringLiteral("<p align='center'>%1</p>").arg(sectorsMark(index));
    return html;
}

QString comparisonHtml(const std::vector<ScenarioRun> &runs)
{
    QString html = heading(QStringLiteral("Comparação dos cenários"), 11, true);
    const std::vector<ScenarioDifference> differences = differencesFromBase(runs);
    if (!differences.empty()) {
        CellTable table(kDifferenceColumns, int(differences.size()) + 1,
                        int(differences.size()) + 1, true);
        fillDifferenceTable(table, differences, FiguresStyle::Readable);
        html += reportTable(table, {0}, {22, 14, 13, 11, 11, 16, 13});
    } else if (runs.size() > 1) {
        html += QStringLiteral("<p>Sem o cenário Base calculado, não há diferenças a "
                               "comparar.</p>");
    } else {
        html += QStringLiteral("<p>O horizonte tem só o cenário Base.</p>");
    }
    if (std::any_of(runs.begin(), runs.end(), isDrawn))
        html += QStringLiteral("<p align='center'>%1</p>").arg(QLatin1String(kTotalsMark));
    return html;
}

} // namespace

QString html(const Study &study, const std::vector<ScenarioRun> &runs)
{
    if (!study.horizon || runs.empty())
        return QString();
    QString html = heading(QStringLiteral("Horizonte de planejamento"), 13, true);
    html += overviewHtml(*study.horizon, runs);
    html += projectionHtml(study);
    for (std::size_t s = 0; s < runs.size(); ++s)
        html += scenarioHtml(runs[s], s);
    return html + comparisonHtml(runs);
}

std::vector<Chart> charts(const std::vector<ScenarioRun> &runs)
{
    std::vector<Chart> made;
    for (std::size_t s = 0; s < runs.size(); ++s)
        if (isDrawn(runs[s]))
            made.push_back({sectorsMark(s),
                            std::unique_ptr<QChartView>(makeHorizonSectorsChart(runs[s], nullptr)),
                            0.45});
    if (std::any_of(runs.begin(), runs.end(), isDrawn))
        made.push_back({QLatin1String(kTotalsMark),
                        std::unique_ptr<QChartView>(makeScenarioTotalsChart(runs, nullptr)), 0.55});
    return made;
}

} // namespace HorizonReportChapter
