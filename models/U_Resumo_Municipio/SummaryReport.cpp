#include "models/U_Resumo_Municipio/SummaryReport.h"

#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"
#include "core/numbers/ReadableNumber.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/sectors/catalogue/Sectors.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/sectors/livestock/LivestockModel.h"
#include "core/study/StudyCaptions.h"
#include "core/weather/SeriesMonths.h"
#include "models/U_Resumo_Municipio/BalanceReportChapter.h"
#include "models/U_Resumo_Municipio/HorizonReportChapter.h"
#include "models/U_Resumo_Municipio/ReportHtml.h"
#include "models/U_Resumo_Municipio/SummaryCharts.h"

#include <QChart>
#include <QChartView>
#include <QDate>
#include <QDir>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <QUrl>

using namespace tavi;

namespace SummaryReport
{

namespace
{

// Where the charts stand in the report's text until they are drawn there.
const char *const kDailyChartMark = "[[grafico-diario]]";
const char *const kSharesChartMark = "[[grafico-participacao]]";
// Text and tables are laid out at the printer's fineness; the charts are vectors anyway.
constexpr int kResolution = 300;

using ReportHtml::escaped;
using ReportHtml::heading;
using ReportHtml::table;

// A study text as the window shows it in the user's locale.
QString shown(const QString &studyText)
{
    return fromStudyText(studyText, LocaleSettings::current());
}

QString day366Note()
{
    return QStringLiteral("<p><i>O ano da série tem 365 dias: o dia 366 aparece à parte, fora "
                          "de dezembro.</i></p>");
}

// Where the daily series came from: the station, its code and year, the methods, and the days
// edited by hand since; or that it was typed or pasted.
QString seriesOriginHtml(const std::optional<SeriesOrigin> &origin)
{
    if (!origin)
        return QStringLiteral("<p>Série de ETP e P: digitada ou colada na janela.</p>");
    QString html = QStringLiteral("<p>%1").arg(escaped(seriesOriginLine(*origin)));
    if (!isReplaced(*origin)) {
        html += QStringLiteral("; %1").arg(escaped(seriesOriginPlace(*origin)));
        const auto listed = [&html](const QString &what, const QString &days) {
            if (!dayList(days).empty())
                // "3, 17, 100–120": a bare comma would read as a decimal one.
                html += QStringLiteral("<br>%1: %2")
                            .arg(what, escaped(dayListText(dayList(days))
                                                   .replace(QLatin1Char(','), QStringLiteral(", "))
                                                   .replace(QLatin1Char('-'), QChar(0x2013))));
        };
        listed(QStringLiteral("Dias editados à mão, ETP"), origin->editedEtpDays);
        listed(QStringLiteral("Dias editados à mão, P"), origin->editedRainDays);
        const QString choices = seriesOriginChoices(*origin);
        if (!choices.isEmpty())
            html += QStringLiteral("<br>") + escaped(choices);
        listed(QStringLiteral("Dias preenchidos, ETP"), origin->filledEtpDays);
        listed(QStringLiteral("Dias preenchidos, P"), origin->filledRainDays);
    }
    return html + QStringLiteral(".</p>");
}

QString fieldsTable(const WindowInputs &inputs, const QList<QPair<QString, QString>> &captions)
{
    QList<QStringList> rows;
    for (const auto &[name, caption] : captions)
        rows << QStringList{caption, shown(inputs.fields.value(name))};
    return table({QStringLiteral("Parâmetro"), QStringLiteral("Valor")}, rows);
}

WindowInputs inputsOf(const Study &study, SectorId sector)
{
    return windowInputs(study, sectorDescriptor(sector).studyKey);
}

// A sector's heading and its fields with their captions.
QString sectorFieldsHtml(const Study &study, SectorId sector)
{
    const QString key = sectorDescriptor(sector).studyKey;
    return heading(sectorDescriptor(sector).caption, 11) +
           fieldsTable(windowInputs(study, key), studyFieldCaptions(key));
}

QString supplyInputsHtml(const Study &study)
{
    return sectorFieldsHtml(study, SectorId::Supply);
}

QString livestockInputsHtml(const Study &study)
{
    QString html = heading(sectorDescriptor(SectorId::Livestock).caption, 11);
    const WindowInputs livestock = inputsOf(study, SectorId::Livestock);
    QList<QStringList> herd;
    for (int s = 0; s < 5; ++s)
        herd << QStringList{speciesCaption(s),
                            shown(livestock.fields.value(consumptionFieldName(s))),
                            shown(livestock.fields.value(herdFieldName(s)))};
    html += table({QStringLiteral("Rebanho"), QStringLiteral("Consumo per-capita (litros/dia)"),
                   QStringLiteral("Número de cabeças")},
                  herd);
    return html;
}

QString agricultureInputsHtml(const Study &study)
{
    QString html = heading(sectorDescriptor(SectorId::Agriculture).caption, 11);
    const WindowInputs agriculture = inputsOf(study, SectorId::Agriculture);
    html += ReportHtml::cropTable(agriculture);
    html += seriesOriginHtml(agriculture.seriesOrigin);
    // The year of series, month by month: its sums, where every day reads.
    const StudyGrid serie = agriculture.grids.value(keys::kSeries);
    const std::vector<DaySpan> months = seriesMonths(agriculture.seriesOrigin);
    QList<QStringList> monthRows;
    for (const DaySpan &span : months) {
        long double etp = 0, rain = 0;
        bool readable = true;
        for (int day = span.firstDay - 1; day < span.lastDay; ++day) {
            long double e = 0, p = 0;
            readable = readable && day < serie.size() &&
                       tryTextToNumber(serie[day].value(0), &e, studyNumberSettings()) &&
                       tryTextToNumber(serie[day].value(1), &p, studyNumberSettings());
            etp += e;
            rain += p;
        }
        monthRows << QStringList{
            span.label, readable ? formatReadable(etp, kDepthDecimals) : QStringLiteral("—"),
            readable ? formatReadable(rain, kDepthDecimals) : QStringLiteral("—")};
    }
    html += table({QStringLiteral("Mês"), QStringLiteral("ETP (mm)"), QStringLiteral("P (mm)")},
                  monthRows);
    if (hasDay366Apart(months))
        html += day366Note();
    return html;
}

QString dilutionInputsHtml(const Study &study)
{
    return sectorFieldsHtml(study, SectorId::Dilution);
}

// The inputs of the sectors the summary computed.
QString inputsHtml(const Study &study, const SectorSelection &selection)
{
    QString html = heading(QStringLiteral("Parâmetros de entrada"), 13);
    const std::pair<SectorId, QString (*)(const Study &)> sectors[] = {
        {SectorId::Supply, supplyInputsHtml},
        {SectorId::Livestock, livestockInputsHtml},
        {SectorId::Agriculture, agricultureInputsHtml},
        {SectorId::Dilution, dilutionInputsHtml}};
    for (const auto &[id, sectorHtml] : sectors)
        if (selection.contains(id))
            html += sectorHtml(study);
    return html;
}

// Each sector's message as its window shows it, with the place it names on a line below.
QString errorsHtml(const MunicipalSummary &summary)
{
    QString html;
    const QStringList errors = summary.errors();
    const QStringList places = summary.errorPlaces();
    for (int e = 0; e < errors.size(); ++e) {
        QString text = escaped(errors[e]);
        if (!places[e].isEmpty())
            text += QStringLiteral("<br>") + escaped(places[e]);
        html += QStringLiteral("<p style='color:#a00000'>%1</p>").arg(text);
    }
    return html;
}

QString resultsHtml(const MunicipalSummary &summary, const std::vector<DaySpan> &months)
{
    QString html = heading(QStringLiteral("Demanda do município"), 13, true) +
                   heading(QStringLiteral("Totais mensais (m³)"), 11);
    const QStringList headers = summaryHeaders(summary);
    std::vector<std::vector<long double>> sums;
    for (const SectorSeries &series : summary.sectors)
        sums.push_back(series.computed() ? spanSums(series.daily, months)
                                         : std::vector<long double>());
    sums.push_back(spanSums(summary.total, months));
    QList<QStringList> rows;
    for (std::size_t m = 0; m < months.size(); ++m) {
        QStringList row{months[m].label};
        for (const std::vector<long double> &column : sums)
            row << (column.empty() ? QStringLiteral("—")
                                   : formatReadable(column[m], kVolumeDecimals));
        rows << row;
    }
    html += table({QStringLiteral("Mês"), headers[1], headers[2], headers[3], headers[4]}, rows);
    if (hasDay366Apart(months))
        html += day366Note();

    html += heading(QStringLiteral("Totais anuais"), 11);
    QList<QStringList> annual;
    for (int s = 0; s < kSummarySectors; ++s) {
        const SectorSeries &series = summary.sectors[s];
        annual << QStringList{summarySectorName(s),
                              series.computed() ? formatReadable(series.annual, kVolumeDecimals)
                                                : QStringLiteral("—"),
                              series.computed() ? formatReadable(summary.shares[s], kShareDecimals)
                                                : QStringLiteral("—")};
    }
    annual << QStringList{summary.totalLabel(),
                          formatReadable(summary.annualTotal, kVolumeDecimals),
                          formatReadable(summary.annualTotal != 0 ? 100 : 0, kShareDecimals)};
    html += table({QStringLiteral("Setor"), QStringLiteral("Volume anual (m³)"),
                   QStringLiteral("Participação (%)")},
                  annual);
    html += QStringLiteral("<p>%1: %2, com %3.</p>")
                .arg(escaped(summary.peakDayLabel()), dayLabel(summary.peakDay),
                     formatReadable(summary.peakTotal, kVolumeDecimals, QStringLiteral("m³/dia")));
    if (summary.dilutionComputed())
        html += QStringLiteral("<p>Diluição de esgotos domésticos (vazão indisponível, não "
                               "consumida): máxima vazão acumulada de %1 m³/s%2.</p>")
                    .arg(formatReadable(summary.dilutionMaximum, kFlowDecimals),
                         summary.dilutionPoint > 0
                             ? QStringLiteral(" no ponto %1").arg(summary.dilutionPoint)
                             : QString());
    html += errorsHtml(summary);
    html += heading(QStringLiteral("Gráficos"), 13, true) +
            QStringLiteral(""
                           "<p align='center'>%1</p><p align='center'>%2</p>")
                .arg(QLatin1String(kDailyChartMark), QLatin1String(kSharesChartMark));
    return html;
}

// The report's pages, with a footer naming the study.
void printPages(QPdfWriter &pdf, const QString &html, const QString &name,
                const MunicipalSummary &summary,
                const std::vector<HorizonReportChapter::Chart> &chapterCharts)
{
    std::unique_ptr<QChartView> daily(makeDailyDemandChart(summary, nullptr));
    std::unique_ptr<QChartView> shares(makeAnnualSharesChart(summary, nullptr));
    std::vector<ReportHtml::PlacedChart> charts{
        {QLatin1String(kDailyChartMark), daily->chart(), 0.55},
        {QLatin1String(kSharesChartMark), shares->chart(), 0.45}};
    for (const HorizonReportChapter::Chart &chart : chapterCharts)
        charts.push_back({chart.mark, chart.view->chart(), chart.heightShare});
    ReportHtml::printPages(pdf, html, charts, QStringLiteral("Modelo TAVI — %1").arg(name));
}

// The study's name as the main window's caption shows it.
QString studyName(const Study &study)
{
    return study.name.trimmed().isEmpty() ? QStringLiteral("Novo estudo") : study.name.trimmed();
}

// The balance's figures, computed once for the report's text and its charts.
struct ReportBalance {
    balance::WaterBalance balance;
    std::vector<balance::ScenarioBalance> scenarios;
};

ReportBalance reportBalance(const Study &study, const MunicipalSummary &summary,
                            const std::vector<horizon::ScenarioRun> &runs)
{
    ReportBalance made;
    if (!study.balance)
        return made;
    made.balance = BalanceReportChapter::reportBalance(study, summary);
    made.scenarios = balance::horizonBalance(runs, made.balance);
    return made;
}

QString reportHtml(const Study &study, const MunicipalSummary &summary,
                   const std::vector<horizon::ScenarioRun> &runs, const ReportBalance &balance)
{
    const QString name = studyName(study);
    QString html = QStringLiteral("<html><body style='font-family: sans-serif; font-size: 9pt'>");
    html += heading(QStringLiteral("Demanda por Município — %1").arg(escaped(name)), 16);
    html +=
        QStringLiteral("<p>Relatório do Modelo TAVI, %1. Abastecimento público: demanda %2.</p>")
            .arg(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")),
                 summary.scenario == SupplyScenario::Current ? QStringLiteral("ATUAL")
                                                             : QStringLiteral("FUTURA"));
    if (summary.isPartial())
        html += QStringLiteral("<p style='color:#a00000'><b>Total parcial, sem %1:</b> %2 não "
                               "está incluído nos totais, no dia de maior demanda nem nos "
                               "gráficos deste relatório.</p>%3")
                    .arg(escaped(summary.missingSectors()),
                         summary.selection.containsAll()
                             ? QStringLiteral("o que não pôde ser calculado (abaixo)")
                             : QStringLiteral("o que não foi escolhido ou não pôde ser calculado"),
                         errorsHtml(summary));
    if (!study.notes.trimmed().isEmpty())
        html += heading(QStringLiteral("Notas"), 11) +
                QStringLiteral("<p>%1</p>")
                    .arg(escaped(study.notes).replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    html += inputsHtml(study, summary.selection);
    const WindowInputs agriculture = inputsOf(study, SectorId::Agriculture);
    html += resultsHtml(summary, seriesMonths(agriculture.seriesOrigin));
    html += HorizonReportChapter::html(study, runs);
    html += BalanceReportChapter::html(study, balance.balance, balance.scenarios);
    return html + QStringLiteral("</body></html>");
}

} // namespace

QString reportHtml(const Study &study, const MunicipalSummary &summary,
                   const std::vector<horizon::ScenarioRun> &runs)
{
    return reportHtml(study, summary, runs, reportBalance(study, summary, runs));
}

void write(QIODevice &device, const Study &study, const MunicipalSummary &summary,
           const std::vector<horizon::ScenarioRun> &runs)
{
    QPdfWriter pdf(&device);
    pdf.setTitle(QStringLiteral("Demanda por Município — %1").arg(studyName(study)));
    pdf.setCreator(QStringLiteral("Tavi"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    pdf.setResolution(kResolution);
    const ReportBalance balance = reportBalance(study, summary, runs);
    std::vector<HorizonReportChapter::Chart> charts = HorizonReportChapter::charts(runs);
    for (BalanceReportChapter::Chart &chart :
         BalanceReportChapter::charts(study, balance.balance, balance.scenarios))
        charts.push_back(std::move(chart));
    printPages(pdf, reportHtml(study, summary, runs, balance), studyName(study), summary, charts);
}

void write(QIODevice &device, const Study &study, const MunicipalSummary &summary)
{
    write(device, study, summary,
          study.horizon ? horizon::runHorizon(study, LocaleSettings::current())
                        : std::vector<horizon::ScenarioRun>());
}

void write(const QString &path, const Study &study, const MunicipalSummary &summary)
{
    // Written beside the file and put in its place only once complete.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly))
        write(file, study, summary);
    if (!file.commit())
        throw TaviError(QStringLiteral("Não foi possível gravar o relatório \"%1\": %2.")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace SummaryReport
