#include "models/U_Resumo_Municipio/BalanceReportChapter.h"

#include "core/balance/BalanceTables.h"
#include "core/numbers/ReadableNumber.h"
#include "core/tables/CellTable.h"
#include "models/U_Balanco/BalanceChartViews.h"
#include "models/U_Resumo_Municipio/ReportHtml.h"

#include <QChartView>
#include <QColor>
#include <QDate>
#include <QSet>

#include <algorithm>
#include <optional>

using namespace tavi;
using namespace tavi::balance;
using ReportHtml::escaped;
using ReportHtml::heading;

namespace BalanceReportChapter
{

namespace
{

const char *const kDurationMark = "[[grafico-balanco-permanencia]]";
const char *const kMinimaMark = "[[grafico-balanco-minimas]]";
const char *const kMonthsMark = "[[grafico-balanco-mensal]]";
const char *const kHorizonMark = "[[grafico-balanco-horizonte]]";

// Rows enough for any of the tables the chapter prints (twelve months and the headings at
// most); the rows a table leaves empty are not printed.
constexpr int kTableRows = 16;

QString warning(const QString &text)
{
    return QStringLiteral("<p style='color:#a00000'>%1</p>").arg(escaped(text));
}

QString flowText(long double flow)
{
    return formatReadable(flow, kFlowDecimals, QStringLiteral("m³/s"));
}

// A message as a sentence, whether or not it came with its full stop.
QString sentence(const QString &text)
{
    return text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.');
}

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString monthName(int month)
{
    static const char *const kNames[] = {"janeiro",  "fevereiro", "março",    "abril",
                                         "maio",     "junho",     "julho",    "agosto",
                                         "setembro", "outubro",   "novembro", "dezembro"};
    return QString::fromUtf8(kNames[std::clamp(month, 1, 12) - 1]);
}

// The class whose name a cell holds, when it holds one.
std::optional<StressClass> classNamed(const QString &text)
{
    for (StressClass stress : kStressClasses)
        if (stressClassName(stress) == text)
            return stress;
    return std::nullopt;
}

// A class as the page shows it: its name on its colour, in white on the dark ones, so that it
// reads in a grey print too.
QString classCell(StressClass stress, const QString &extra = QString())
{
    const QColor colour(stressClassColour(stress));
    const double lightness = 0.299 * colour.red() + 0.587 * colour.green() + 0.114 * colour.blue();
    return QStringLiteral("<td bgcolor='%1' align='center'><span style='color:%2'>%3%4</span>"
                          "</td>")
        .arg(colour.name(), lightness < 150 ? QStringLiteral("#ffffff") : QStringLiteral("#000000"),
             escaped(stressClassName(stress)), extra);
}

// A table made by core, row 0 its headings, as the report prints it: units as written on
// paper (core's tables write "m3", as a workbook's cell takes it), the rows the table left empty
// dropped, texts to the left and figures to the right, and a class's name in its colour. With
// the columns' shares of the page, in the smaller type of a table of many figures.
QString tableHtml(const CellTable &made, const QSet<int> &textColumns,
                  const QList<int> &percentWidths)
{
    const bool wide = !percentWidths.isEmpty();
    const QString font = wide ? QStringLiteral("; font-size: 8pt") : QString();
    QString html = QStringLiteral("<table border='1' cellspacing='0' cellpadding='2'%1 "
                                  "style='border-collapse:collapse; margin-bottom:8px%2'>"
                                  "<thead><tr>")
                       .arg(wide ? QStringLiteral(" width='100%'") : QString(), font);
    for (int c = 0; c < made.columns(); ++c)
        html +=
            QStringLiteral("<th bgcolor='#dde6f0'%1%2>%3</th>")
                .arg(wide ? QStringLiteral(" width='%1%'").arg(percentWidths.value(c)) : QString(),
                     wide ? QStringLiteral(" style='font-size: 8pt'") : QString(),
                     escaped(QString(made.cell(c, 0))
                                 .replace(QLatin1String("m3"), QStringLiteral("m³"))));
    html += QStringLiteral("</tr></thead>");
    for (int r = 1; r < made.storedRows(); ++r) {
        bool empty = true;
        for (int c = 0; c < made.columns(); ++c)
            empty = empty && made.cell(c, r).isEmpty();
        if (empty)
            continue;
        html += QStringLiteral("<tr>");
        for (int c = 0; c < made.columns(); ++c) {
            const QString text =
                QString(made.cell(c, r)).replace(QLatin1String("m3"), QStringLiteral("m³"));
            if (const std::optional<StressClass> stress = classNamed(text))
                html += classCell(*stress);
            else if (textColumns.contains(c))
                html += QStringLiteral("<td>%1</td>").arg(escaped(text));
            else if (wide)
                html += QStringLiteral("<td align='right' style='white-space: nowrap'>%1</td>")
                            .arg(escaped(text));
            else
                html += QStringLiteral("<td align='right'>%1</td>").arg(escaped(text));
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

template <typename Fill>
QString filledTable(int columns, Fill fill, const QSet<int> &textColumns = {0},
                    const QList<int> &percentWidths = {})
{
    CellTable table(columns, kTableRows, kTableRows, true);
    fill(table);
    return tableHtml(table, textColumns, percentWidths);
}

// A hydrological year runs into the next calendar year, and reads "1984/85": "1984" alone
// would hide that the days it lacks may be in 1985.
QString yearLabel(int year, int firstMonth)
{
    return firstMonth == 1
               ? QString::number(year)
               : QStringLiteral("%1/%2").arg(year).arg((year + 1) % 100, 2, 10, QLatin1Char('0'));
}

// "1971–1984, 1986, 1988–2000": a run of consecutive years as one span.
QString yearSpans(const std::vector<int> &years, int firstMonth)
{
    QStringList spans;
    for (std::size_t i = 0; i < years.size();) {
        std::size_t j = i;
        while (j + 1 < years.size() && years[j + 1] == years[j] + 1)
            ++j;
        spans << (j == i
                      ? yearLabel(years[i], firstMonth)
                      : QStringLiteral("%1%2%3").arg(yearLabel(years[i], firstMonth), QChar(0x2013),
                                                     yearLabel(years[j], firstMonth)));
        i = j + 1;
    }
    return spans.join(QStringLiteral(", "));
}

QString seriesHtml(const StudyBalance &inputs, const WaterBalance &balance)
{
    QString html = heading(QStringLiteral("Série de vazões"), 11);
    if (!inputs.series || inputs.series->isEmpty())
        return html + QStringLiteral("<p>Sem série de vazões: a vazão de referência foi "
                                     "digitada.</p>");
    const flows::FlowSeries &series = *inputs.series;
    const long missing = long(std::count_if(series.days.begin(), series.days.end(),
                                            [](const auto &day) { return !day.has_value(); }));
    html += QStringLiteral("<p>Estação: %1. Origem: %2.<br>Período: %3 a %4, %5 dias, %6 sem "
                           "dado.")
                .arg(series.station.trimmed().isEmpty() ? QStringLiteral("sem identificação")
                                                        : escaped(series.station.trimmed()),
                     inputs.seriesSource.isEmpty()
                         ? QStringLiteral("digitada ou colada na janela")
                         : QStringLiteral("arquivo %1").arg(escaped(inputs.seriesSource)),
                     dateText(series.first), dateText(series.last()),
                     formatReadable(series.days.size(), kVolumeDecimals),
                     formatReadable(missing, kVolumeDecimals));
    html += balance.choices.firstMonth == 1
                ? QStringLiteral("<br>Anos civis.")
                : QStringLiteral("<br>Anos hidrológicos, a partir de %1.")
                      .arg(monthName(balance.choices.firstMonth));
    if (balance.flows) {
        std::vector<int> used;
        QStringList leftOut;
        for (const flows::SeriesYear &year : balance.flows->years) {
            if (year.used)
                used.push_back(year.year);
            else
                leftOut << QStringLiteral("%1 (%2 de %3 dias sem dado)")
                               .arg(yearLabel(year.year, balance.choices.firstMonth))
                               .arg(year.missing)
                               .arg(year.days);
        }
        html += QStringLiteral("<br>Anos usados (%1): %2.")
                    .arg(used.size())
                    .arg(used.empty() ? QStringLiteral("nenhum")
                                      : yearSpans(used, balance.choices.firstMonth));
        html += QStringLiteral("<br>Anos deixados de fora, com mais de %1 % dos dias sem dado "
                               "(%2): %3.")
                    .arg(formatReadable(flows::kMostMissingShare * 100, 0))
                    .arg(leftOut.size())
                    .arg(leftOut.isEmpty() ? QStringLiteral("nenhum")
                                           : leftOut.join(QStringLiteral("; ")));
    }
    return html + QStringLiteral("</p>");
}

bool hasMinima(const WaterBalance &balance)
{
    if (!balance.flows)
        return false;
    return std::count_if(balance.flows->years.begin(), balance.flows->years.end(),
                         [](const flows::SeriesYear &year) { return year.minimum7.has_value(); }) >=
           2;
}

bool hasDuration(const WaterBalance &balance)
{
    return balance.flows && balance.flows->q95.has_value();
}

bool hasHorizon(const WaterBalance &balance, const std::vector<ScenarioBalance> &scenarios)
{
    return balance.computed() &&
           std::any_of(scenarios.begin(), scenarios.end(),
                       [](const ScenarioBalance &scenario) { return !scenario.years.empty(); });
}

QString chartHtml(const char *mark)
{
    return QStringLiteral("<p align='center'>%1</p>").arg(QLatin1String(mark));
}

// The river's figures: what a series gives whether or not the balance could be computed.
QString flowsHtml(const WaterBalance &balance)
{
    QString html = heading(QStringLiteral("Vazões de referência"), 11);
    html += filledTable(kReferenceFlowColumns,
                        [&balance](CellTable &table) { fillReferenceFlowTable(table, balance); },
                        {0, 2});
    if (balance.flows) {
        html += heading(QStringLiteral("Ajustes das mínimas anuais de 7 dias"), 11);
        html += filledTable(kFitColumns,
                            [&balance](CellTable &table) { fillFitTable(table, balance); }, {0, 1});
    }
    if (hasDuration(balance))
        html += chartHtml(kDurationMark);
    if (hasMinima(balance))
        html += chartHtml(kMinimaMark);
    return html;
}

QString legendHtml()
{
    QString html = QStringLiteral("<table border='1' cellspacing='0' cellpadding='3' "
                                  "style='border-collapse:collapse; margin-bottom:8px'><tr>");
    for (StressClass stress : kStressClasses)
        html += classCell(stress, QStringLiteral("<br>") + escaped(stressClassRange(stress)));
    return html + QStringLiteral("</tr></table>");
}

QString demandHtml(const WaterBalance &balance)
{
    QString html = heading(QStringLiteral("Demanda e disponibilidade"), 11);
    // Short lines, one figure each: the rich text breaks a line after the "/" of "m³/s", and
    // takes no "white-space: nowrap" from a span.
    html += QStringLiteral("<p>Vazão de referência escolhida: %1, %2.<br>Fração outorgável: %3 "
                           "%; vazão outorgável: %4.</p>")
                .arg(escaped(balance.referenceName), flowText(balance.reference),
                     formatReadable(balance.choices.grantShare, kShareDecimals),
                     flowText(balance.available));
    html += QStringLiteral("<p>Demanda: os setores consuntivos do resumo (abastecimento público, "
                           "demanda ATUAL; pecuária; agricultura), de m³/dia em m³/s.%1</p>")
                .arg(balance.dilutionComputed
                         ? QStringLiteral("<br>A vazão de diluição de esgotos, %1, não é "
                                          "consumida mas fica indisponível: soma-se à demanda "
                                          "nas linhas com diluição.")
                               .arg(flowText(balance.dilution))
                         : QString());
    if (!balance.partialNote.isEmpty())
        html += warning(balance.partialNote);
    for (const QString &error : balance.errors)
        html += warning(error);
    // As wide as the page, so that the ratios' names keep to a line or two.
    html +=
        filledTable(kRatioColumns, [&balance](CellTable &table) { fillRatioTable(table, balance); },
                    {0}, {30, 14, 18, 17, 21});
    html += legendHtml();
    QStringList exceeding;
    const std::pair<const char *, const Ratio *> ratios[] = {
        {"o dia médio", &balance.meanDay},
        {"o dia de maior demanda", &balance.peakDay},
        {"o dia médio com diluição", &balance.meanDayWithDilution},
        {"o dia de maior demanda com diluição", &balance.peakDayWithDilution}};
    for (const auto &[name, ratio] : ratios)
        if ((balance.dilutionComputed || ratio == &balance.meanDay || ratio == &balance.peakDay) &&
            ratio->grantUse > 100)
            exceeding << QString::fromUtf8(name);
    if (!exceeding.isEmpty())
        html += QStringLiteral("<p><b>A demanda excede a vazão outorgável</b> (uso acima de "
                               "100 %): %1.</p>")
                    .arg(exceeding.join(QStringLiteral(", ")));
    if (!balance.months.empty()) {
        html += heading(QStringLiteral("Balanço mês a mês"), 11);
        html += filledTable(kMonthColumns,
                            [&balance](CellTable &table) { fillMonthTable(table, balance); }, {0},
                            {10, 15, 14, 14, 15, 14, 18});
        html += chartHtml(kMonthsMark);
    }
    return html;
}

QString firstCriticalText(const std::optional<int> &year)
{
    return year ? QString::number(*year) : QStringLiteral("nenhum");
}

QString horizonHtml(const std::vector<ScenarioBalance> &scenarios)
{
    QString html = heading(QStringLiteral("Balanço no horizonte de planejamento"), 11);
    html += QStringLiteral("<p>O dia médio de cada ano de cada cenário contra a mesma vazão de "
                           "referência; o primeiro ano crítico é o primeiro cuja classe é "
                           "Crítica ou pior.</p>");
    QString rows;
    for (const ScenarioBalance &scenario : scenarios) {
        rows += QStringLiteral("<tr><td>%1</td>").arg(escaped(scenario.name));
        if (scenario.years.empty()) {
            rows += QStringLiteral("<td colspan='5'>Não pôde ser calculado: %1</td></tr>")
                        .arg(escaped(scenario.problem));
            continue;
        }
        const HorizonBalanceYear &last = scenario.years.back();
        rows +=
            QStringLiteral("<td align='right'>%1</td><td align='right'>%2</td>%3"
                           "<td align='right'>%4</td><td align='right'>%5</td></tr>")
                .arg(last.year)
                .arg(formatReadable(last.meanDay.percent, kShareDecimals),
                     classCell(last.meanDay.stress), firstCriticalText(scenario.firstCriticalYear),
                     firstCriticalText(scenario.firstCriticalYearWithDilution));
    }
    html += QStringLiteral("<table border='1' cellspacing='0' cellpadding='2' "
                           "style='border-collapse:collapse; margin-bottom:8px'><thead><tr>");
    for (const char *title : {"Cenário", "Último ano", "Dia médio / referência (%)", "Classe",
                              "Primeiro ano crítico", "Primeiro ano crítico com diluição"})
        html += QStringLiteral("<th bgcolor='#dde6f0'>%1</th>").arg(QString::fromUtf8(title));
    html += QStringLiteral("</tr></thead>") + rows + QStringLiteral("</table>");
    for (const ScenarioBalance &scenario : scenarios)
        if (!scenario.years.empty() && !scenario.partialNote.isEmpty())
            html += warning(QStringLiteral("%1: %2").arg(scenario.name, scenario.partialNote));
    return html + chartHtml(kHorizonMark);
}

} // namespace

QString html(const Study &study, const WaterBalance &balance,
             const std::vector<ScenarioBalance> &scenarios)
{
    if (!study.balance)
        return QString();
    QString html = heading(QStringLiteral("Balanço Hídrico"), 13, true);
    if (!balance.computed())
        html += warning(
            QStringLiteral("O balanço não pôde ser calculado: %1").arg(sentence(balance.problem)));
    html += seriesHtml(*study.balance, balance);
    if (balance.flows || balance.computed())
        html += flowsHtml(balance);
    if (!balance.computed())
        return html;
    html += demandHtml(balance);
    if (hasHorizon(balance, scenarios))
        html += horizonHtml(scenarios);
    return html;
}

std::vector<Chart> charts(const Study &study, const WaterBalance &balance,
                          const std::vector<ScenarioBalance> &scenarios)
{
    std::vector<Chart> made;
    if (!study.balance)
        return made;
    const auto add = [&made](const char *mark, QChartView *view, double heightShare) {
        made.push_back({QLatin1String(mark), std::unique_ptr<QChartView>(view), heightShare});
    };
    if (hasDuration(balance))
        add(kDurationMark, makeDurationCurveChart(balance, nullptr), 0.5);
    if (hasMinima(balance))
        add(kMinimaMark, makeMinimaFitChart(balance, nullptr), 0.5);
    if (balance.computed() && !balance.months.empty())
        add(kMonthsMark, makeMonthlyBalanceChart(balance, nullptr), 0.5);
    if (hasHorizon(balance, scenarios))
        add(kHorizonMark, makeHorizonRatioChart(scenarios, nullptr), 0.55);
    return made;
}

WaterBalance reportBalance(const Study &study, const MunicipalSummary &summary)
{
    return summary.scenario == SupplyScenario::Current ? computeBalance(study, summary)
                                                       : balanceOfStudy(study);
}

} // namespace BalanceReportChapter
