#include "models/U_Regiao/RegionReport.h"

#include "core/base/TaviError.h"
#include "core/numbers/ReadableNumber.h"
#include "core/numbers/StudyText.h"
#include "core/region/RegionTables.h"
#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/StudyCaptions.h"
#include "core/tables/CellTable.h"
#include "core/weather/SeriesOrigin.h"
#include "models/U_Regiao/RegionCharts.h"
#include "models/U_Resumo_Municipio/ReportHtml.h"

#include <QChart>
#include <QChartView>
#include <QDate>
#include <QDir>
#include <QPageLayout>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <map>
#include <memory>

using namespace tavi;
using namespace tavi::region;
using ReportHtml::escaped;
using ReportHtml::heading;

namespace RegionReport
{

namespace
{

const char *const kLargestMark = "[[grafico-maiores-municipios]]";
const char *const kGroupsMark = "[[grafico-grupos]]";
const char *const kScenariosMark = "[[grafico-cenarios]]";
// As the summary's report: text laid out at the printer's fineness, charts as vectors.
constexpr int kResolution = 300;
// What a value a table marked not available shows in the inputs by source.
const char *const kNotAvailable = "n.d.";

QString regionName(const Region &region)
{
    return region.name.trimmed().isEmpty() ? QStringLiteral("Nova região") : region.name.trimmed();
}

QString warning(const QString &html)
{
    return QStringLiteral("<p style='color:#a00000'>%1</p>").arg(html);
}

// A table made by core, row 0 its headings: the columns kept, units as written on paper.
struct PaperTable {
    QStringList headers;
    QList<QStringList> rows;
};

PaperTable paperTable(const CellTable &made, const QList<int> &columns)
{
    PaperTable paper;
    for (const int c : columns)
        paper.headers
            << QString(made.cell(c, 0)).replace(QLatin1String("m3"), QStringLiteral("m³"));
    for (int r = 1; r < made.storedRows(); ++r) {
        QStringList row;
        for (const int c : columns)
            row << made.cell(c, r);
        paper.rows << row;
    }
    return paper;
}

// The columns of names and words, set to the left; every other one holds figures.
bool isTextColumn(const QString &header)
{
    static const QStringList texts{QStringLiteral("Código"),   QStringLiteral("Município"),
                                   QStringLiteral("Grupo"),    QStringLiteral("Classe"),
                                   QStringLiteral("Mensagem"), QStringLiteral("Onde")};
    return texts.contains(header);
}

// How wide a column is against the others: names wide, shares narrow, volumes between, so
// that no heading's word breaks.
double columnWeight(const QString &header)
{
    if (header == QLatin1String("Município"))
        return 3;
    if (header == QLatin1String("Grupo"))
        return 2.2;
    if (header == QLatin1String("Código"))
        return 1.2;
    // "Abastecimento" is the longest word of a heading.
    if (header.endsWith(QLatin1String("(%)")))
        return 1.7;
    if (header == QLatin1String("Municípios") || header.startsWith(QLatin1String("Com total")) ||
        header.startsWith(QLatin1String("Dia de")))
        return 1.3;
    return 2;
}

// A table of the report: its heading row again on each page it crosses, names to the left
// and figures to the right, never broken across lines. A table of many columns spans the
// page, each column by its weight; one of a few columns keeps to its contents.
QString paperHtml(const PaperTable &paper)
{
    constexpr int kSpanningColumns = 6;
    const bool spans = paper.headers.size() >= kSpanningColumns;
    double weights = 0;
    for (const QString &header : paper.headers)
        weights += columnWeight(header);
    QString html = QStringLiteral("<table border='1' cellspacing='0' cellpadding='2'%1 "
                                  "style='border-collapse:collapse; margin-bottom:8px; "
                                  "font-size: 8pt'><thead><tr>")
                       .arg(spans ? QStringLiteral(" width='100%'") : QString());
    for (const QString &header : paper.headers)
        html += QStringLiteral("<th bgcolor='#dde6f0'%1 style='font-size: 8pt'>%2</th>")
                    .arg(spans ? QStringLiteral(" width='%1%'")
                                     .arg(qRound(100 * columnWeight(header) / weights))
                               : QString(),
                         escaped(header));
    html += QStringLiteral("</tr></thead>");
    QList<bool> text;
    for (const QString &header : paper.headers)
        text << isTextColumn(header);
    for (const QStringList &row : paper.rows) {
        html += QStringLiteral("<tr>");
        for (int c = 0; c < row.size(); ++c)
            html += QString::fromLatin1(text.value(c) ? "<td>%1</td>"
                                                      : "<td align='right' style='white-space: "
                                                        "nowrap'>%1</td>")
                        .arg(escaped(row[c]));
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

// ---- The template and the inputs by source ----

QString shown(const QString &studyText)
{
    return fromStudyText(studyText, LocaleSettings::current());
}

QString fieldsHtml(const Study &study, const QString &window)
{
    const WindowInputs inputs = windowInputs(study, window);
    QList<QStringList> rows;
    for (const auto &[name, caption] : studyFieldCaptions(window))
        rows << QStringList{caption, shown(inputs.fields.value(name))};
    return heading(escaped(studyWindowCaption(window)), 11) +
           ReportHtml::table({QStringLiteral("Parâmetro"), QStringLiteral("Valor")}, rows);
}

QString agricultureHtml(const Study &study)
{
    const WindowInputs agriculture = windowInputs(study, keys::kAgricultureWindow);
    QString html = heading(escaped(studyWindowCaption(keys::kAgricultureWindow)), 11) +
                   ReportHtml::cropTable(agriculture);
    html += QStringLiteral("<p>%1.</p>")
                .arg(agriculture.seriesOrigin
                         ? escaped(seriesOriginLine(*agriculture.seriesOrigin))
                         : QStringLiteral("Série de ETP e P: digitada ou colada na janela"));
    return html;
}

QString templateHtml(const Region &region)
{
    return heading(QStringLiteral("Estudo modelo"), 11) +
           QStringLiteral("<p>As entradas que cada município recebe quando nem as tabelas nem o "
                          "planejador dão as suas.</p>") +
           fieldsHtml(region.templateStudy, keys::kSupplyWindow) +
           fieldsHtml(region.templateStudy, keys::kLivestockWindow) +
           agricultureHtml(region.templateStudy) +
           fieldsHtml(region.templateStudy, keys::kDilutionWindow);
}

int sourceRows(const Region &region)
{
    int rows = 0;
    for (const Municipality &municipality : region.municipalities)
        rows += municipality.sources.size() + municipality.notAvailable.size() +
                (municipality.referenceFlowSource.isEmpty() ? 0 : 1);
    return rows;
}

// "rebanhos.csv, 2022" of "rebanhos.csv, 2022, linha 14": the table a value came from.
QString tableOf(const QString &origin)
{
    static const QRegularExpression line(QStringLiteral(",\\s*linha\\s+\\d+.*$"),
                                         QRegularExpression::DotMatchesEverythingOption);
    return QString(origin).remove(line).trimmed();
}

// One table of the inputs a source table gave: a row per municipality, a column per input.
struct SourceTable {
    QString name;
    QStringList inputs;
    QStringList codes;
    std::map<QString, QStringList> rows; // by code: name, then the inputs' values
    int notAvailable = 0;
};

QString sourcesHtml(const Region &region)
{
    QString html = heading(QStringLiteral("Entradas por tabela de origem"), 11);
    const int count = sourceRows(region);
    if (count == 0)
        return html + QStringLiteral("<p>Nenhuma entrada veio de uma tabela: cada município tem "
                                     "as entradas do estudo modelo e as digitadas.</p>");
    CellTable made(5, count + 1, count + 1, true);
    fillSourceTable(made, region);

    // The inputs a table marked not available, by code and caption, to show them as such
    // whatever the table of sources puts beside them.
    QSet<QString> notAvailable;
    for (const Municipality &municipality : region.municipalities)
        for (auto it = municipality.notAvailable.cbegin(); it != municipality.notAvailable.cend();
             ++it)
            notAvailable.insert(municipality.code + QLatin1Char('|') + inputCaption(it.key()));

    std::vector<SourceTable> tables;
    for (int r = 1; r < made.storedRows(); ++r) {
        const QString code = made.cell(0, r);
        if (code.isEmpty())
            continue;
        const QString name = tableOf(made.cell(4, r));
        auto table = std::find_if(tables.begin(), tables.end(),
                                  [&name](const SourceTable &t) { return t.name == name; });
        if (table == tables.end())
            table = tables.insert(tables.end(), SourceTable{name, {}, {}, {}, 0});
        const QString input = made.cell(2, r);
        int column = int(table->inputs.indexOf(input));
        if (column < 0) {
            column = int(table->inputs.size());
            table->inputs << input;
        }
        QStringList &row = table->rows[code];
        if (row.isEmpty()) {
            table->codes << code;
            row << made.cell(1, r);
        }
        while (row.size() <= column + 1)
            row << QString();
        const bool missing = notAvailable.contains(code + QLatin1Char('|') + input);
        row[column + 1] = missing ? QLatin1String(kNotAvailable) : made.cell(3, r);
        table->notAvailable += missing ? 1 : 0;
    }

    html += QStringLiteral("<p>Cada valor que uma tabela deu a um município, tabela a tabela; a "
                           "linha de cada valor está na pasta de trabalho do botão Salvar. %1 "
                           "marca um valor que a tabela não dá: o município fica com o do "
                           "estudo modelo.</p>")
                .arg(QLatin1String(kNotAvailable));
    for (const SourceTable &table : tables) {
        QList<QStringList> rows;
        for (const QString &code : table.codes) {
            QStringList row = QStringList{code} + table.rows.at(code);
            while (row.size() < table.inputs.size() + 2)
                row << QString();
            rows << row;
        }
        QString subtitle =
            QStringLiteral("%1: %2 municípios").arg(escaped(table.name)).arg(table.codes.size());
        if (table.notAvailable == 1)
            subtitle += QStringLiteral(", 1 valor não disponível");
        else if (table.notAvailable > 1)
            subtitle += QStringLiteral(", %1 valores não disponíveis").arg(table.notAvailable);
        const QStringList headers =
            QStringList{QStringLiteral("Código"), QStringLiteral("Município")} + table.inputs;
        html += heading(subtitle, 10) + paperHtml({headers, rows});
    }
    return html;
}

// ---- The results ----

// The column of the year's total: the horizon's and the balance's columns come after it.
int totalColumn(const CellTable &made)
{
    for (int c = 0; c < made.columns(); ++c)
        if (made.cell(c, 0).startsWith(QLatin1String("Total (")))
            return c;
    return made.columns() - 1;
}

QList<int> columnRange(int first, int last)
{
    QList<int> columns;
    for (int c = first; c <= last; ++c)
        columns << c;
    return columns;
}

// The year's totals with the shares, and each scenario's final year in a table of its own,
// so that no heading is squeezed to a letter a line.
QString totalsHtml(const RegionResults &results)
{
    const int rows = int(results.groups.size()) + 2;
    CellTable made(int(totalHeaders(results).size()), rows, rows, true);
    fillTotalTable(made, results);
    const int total = totalColumn(made);
    QString html = heading(QStringLiteral("Totais por grupo e da região"), 11) +
                   paperHtml(paperTable(made, columnRange(0, total)));
    if (total + 1 < made.columns())
        html +=
            heading(QStringLiteral("Totais no ano final do horizonte"), 11) +
            paperHtml(paperTable(made, QList<int>{0} + columnRange(total + 1, made.columns() - 1)));
    const int partial = results.region.partialMunicipalities;
    if (partial > 0)
        html += warning((partial == 1 ? QStringLiteral("Totais parciais: 1 município com algum "
                                                       "setor que não pôde ser calculado entra")
                                      : QStringLiteral("Totais parciais: %1 municípios com algum "
                                                       "setor que não pôde ser calculado entram")
                                            .arg(partial)) +
                        QStringLiteral(" só com os demais setores (veja \"Municípios que não "
                                       "puderam ser calculados\")."));
    return html;
}

// The municipalities' table is read down many pages: the figures of the year in one table,
// the shares left to the totals, and the horizon's and the balance's columns, when there
// are any, in a second table with the code and the name again.
QString municipalitiesHtml(const RegionResults &results)
{
    const int rows = int(results.municipalities.size()) + 1;
    const QStringList headers = municipalityHeaders(results);
    CellTable made(int(headers.size()), rows, rows, true);
    fillMunicipalityTable(made, results);
    const int total = totalColumn(made);
    QList<int> year, after{0, 1};
    for (int c = 0; c < headers.size(); ++c) {
        if (c > total)
            after << c;
        else if (!headers[c].endsWith(QLatin1String("(%)")))
            year << c;
    }
    QString html = heading(QStringLiteral("Demanda no ano"), 11);
    const PaperTable paper = paperTable(made, year);
    html += paperHtml(paper);
    if (after.size() > 2) {
        const bool balance =
            std::any_of(results.municipalities.begin(), results.municipalities.end(),
                        [](const MunicipalityResult &m) { return m.hasBalance; });
        const QString title =
            results.scenarios.isEmpty() ? QStringLiteral("Balanço hídrico por município")
            : balance ? QStringLiteral("Horizonte (ano final) e balanço hídrico por município")
                      : QStringLiteral("Horizonte por município: o ano final de cada cenário");
        html += heading(title, 11) + paperHtml(paperTable(made, after));
    }
    return html;
}

QString failuresHtml(const RegionResults &results)
{
    QString html = heading(QStringLiteral("Municípios que não puderam ser calculados"), 11);
    int failed = 0;
    for (const MunicipalityResult &municipality : results.municipalities)
        failed += municipality.failed() ? 1 : 0;
    if (failed == 0)
        return html + QStringLiteral("<p>Todos os municípios foram calculados por inteiro.</p>");
    int rows = 1;
    for (const MunicipalityResult &municipality : results.municipalities)
        rows += municipality.errors.size();
    CellTable made(3, rows, rows, true);
    fillFailureTable(made, results);
    const PaperTable paper = paperTable(made, columnRange(0, made.columns() - 1));
    return html +
           QStringLiteral("<p>Cada setor que falhou fica fora do total do município e dos "
                          "totais; os demais setores do município entram.</p>") +
           paperHtml(paper);
}

QString chartsHtml(const RegionResults &results)
{
    QString html = heading(QStringLiteral("Gráficos"), 13, true) +
                   QStringLiteral("<p align='center'>%1</p><p align='center'>%2</p>")
                       .arg(QLatin1String(kLargestMark), QLatin1String(kGroupsMark));
    if (!results.scenarios.isEmpty())
        html += QStringLiteral("<p align='center'>%1</p>").arg(QLatin1String(kScenariosMark));
    return html;
}

QString overviewHtml(const Region &region, const RegionResults &results)
{
    int failed = 0;
    for (const MunicipalityResult &municipality : results.municipalities)
        failed += municipality.failed() ? 1 : 0;
    QString html = QStringLiteral("<p>Relatório do Modelo TAVI, %1. %2 municípios, cada um "
                                  "calculado como o seu estudo sozinho: o estudo modelo com as "
                                  "entradas do município.</p>")
                       .arg(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")))
                       .arg(region.municipalities.size());
    if (!results.municipalities.empty())
        html += QStringLiteral("<p><b>Demanda anual da região:</b> %1.</p>")
                    .arg(formatReadable(results.region.annualTotal, kVolumeDecimals,
                                        QStringLiteral("m³")));
    if (failed > 0)
        html += warning((failed == 1 ? QStringLiteral("<b>1 município não pôde ser calculado por "
                                                      "inteiro</b>")
                                     : QStringLiteral("<b>%1 municípios não puderam ser "
                                                      "calculados por inteiro</b>")
                                           .arg(failed)) +
                        QStringLiteral("; os totais são parciais. As mensagens estão no fim do "
                                       "relatório."));
    if (results.cancelled)
        html += warning(QStringLiteral("O cálculo foi interrompido: só os municípios calculados "
                                       "até então estão no relatório."));
    if (!region.notes.trimmed().isEmpty())
        html += heading(QStringLiteral("Notas"), 11) +
                QStringLiteral("<p>%1</p>")
                    .arg(escaped(region.notes).replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    return html;
}

// The report's pages, as the summary's, with a footer naming the region.
void printPages(QPdfWriter &pdf, const QString &html, const QString &name,
                const RegionResults &results)
{
    const std::pair<const char *, std::unique_ptr<QChartView>> views[] = {
        {kLargestMark,
         std::unique_ptr<QChartView>(makeLargestMunicipalitiesChart(results, nullptr))},
        {kGroupsMark, std::unique_ptr<QChartView>(makeGroupTotalsChart(results, nullptr))},
        {kScenariosMark, std::unique_ptr<QChartView>(makeScenarioTotalsChart(results, nullptr))}};
    std::vector<ReportHtml::PlacedChart> charts;
    for (const auto &[mark, view] : views)
        // On a landscape page a chart as high as half its width fills the page's height.
        if (view && view->chart())
            charts.push_back({QLatin1String(mark), view->chart(), 0.5});
    ReportHtml::printPages(pdf, html, charts, QStringLiteral("Modelo TAVI — Região %1").arg(name));
}

} // namespace

QString reportHtml(const Region &region, const RegionResults &results)
{
    QString html = QStringLiteral("<html><body style='font-family: sans-serif; font-size: 9pt'>");
    html += heading(QStringLiteral("Demanda da Região — %1").arg(escaped(regionName(region))), 16);
    html += overviewHtml(region, results);
    // The figures a planner reads first stand on the first page.
    html += totalsHtml(results);
    html += heading(QStringLiteral("Entradas"), 13, true);
    html += templateHtml(region);
    html += sourcesHtml(region);
    html += heading(QStringLiteral("Resultados por município"), 13, true);
    html += municipalitiesHtml(results);
    html += chartsHtml(results);
    html += failuresHtml(results);
    return html + QStringLiteral("</body></html>");
}

void write(QIODevice &device, const Region &region, const RegionResults &results)
{
    QPdfWriter pdf(&device);
    pdf.setTitle(QStringLiteral("Demanda da Região — %1").arg(regionName(region)));
    pdf.setCreator(QStringLiteral("Tavi"));
    // Landscape: the municipalities' table has a column per sector beside the names.
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                  QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    pdf.setResolution(kResolution);
    printPages(pdf, reportHtml(region, results), regionName(region), results);
}

void write(const QString &path, const Region &region, const RegionResults &results)
{
    // Written beside the file and put in its place only once complete.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly))
        write(file, region, results);
    if (!file.commit())
        throw TaviError(QStringLiteral("Não foi possível gravar o relatório \"%1\": %2.")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace RegionReport
