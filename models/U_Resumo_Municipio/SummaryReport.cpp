#include "models/U_Resumo_Municipio/SummaryReport.h"

#include "core/AgricultureTables.h"
#include "core/LivestockModel.h"
#include "core/NumberText.h"
#include "core/SeriesMonths.h"
#include "core/StudyText.h"
#include "core/TaviError.h"

#include <QDate>
#include <QDir>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>

using namespace tavi;

namespace SummaryReport
{

namespace
{

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// A study text as the window shows it in the user's locale.
QString shown(const QString &studyText)
{
    return fromStudyText(studyText, LocaleSettings::current());
}

QString table(const QStringList &headers, const QList<QStringList> &rows)
{
    QString html = QStringLiteral("<table border='1' cellspacing='0' cellpadding='3' "
                                  "style='border-collapse:collapse; margin-bottom:8px'><tr>");
    for (const QString &h : headers)
        html += QStringLiteral("<th bgcolor='#dde6f0'>%1</th>").arg(escaped(h));
    html += QStringLiteral("</tr>");
    for (const QStringList &row : rows) {
        html += QStringLiteral("<tr>");
        for (const QString &cell : row)
            html += QStringLiteral("<td>%1</td>").arg(escaped(cell));
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString day366Note()
{
    return QStringLiteral("<p><i>O ano da série tem 365 dias: o dia 366 aparece à parte, fora "
                          "de dezembro.</i></p>");
}

QString fieldsTable(const WindowInputs &inputs, const QList<QPair<QString, QString>> &captions)
{
    QList<QStringList> rows;
    for (const auto &[name, caption] : captions)
        rows << QStringList{caption, shown(inputs.fields.value(name))};
    return table({QStringLiteral("Parâmetro"), QStringLiteral("Valor")}, rows);
}

QString inputsHtml(const Study &study)
{
    QString html = QStringLiteral("<h2>Parâmetros de entrada</h2>");
    html += QStringLiteral("<h3>Abastecimento Público</h3>");
    html +=
        fieldsTable(windowInputs(study, QStringLiteral("TF_Abast_Publico")),
                    {{"me_1", "População atendida pela rede pública (habitantes)"},
                     {"me_2", "Demanda per-capita ATUAL da população atendida (m3/dia.habitante)"},
                     {"me_3", "População total do município (habitantes)"},
                     {"me_4", "Demanda per-capita da população NÃO atendida (m3/dia.habitante)"},
                     {"me_5", "Eficiência média do sistema de abastecimento (%)"},
                     {"e_p_1", "Elasticidade do preço da água (1/R$)"},
                     {"e_p_2", "Preço atual da água (R$)"},
                     {"e_p_3", "Elasticidade da renda (1/R$)"},
                     {"e_p_4", "Renda per-capita (R$)"}});

    html += QStringLiteral("<h3>Pecuária</h3>");
    const WindowInputs livestock = windowInputs(study, QStringLiteral("TF_Mod_Pecuaria"));
    QList<QStringList> herd;
    const char *const names[] = {"Bovino", "Suíno", "Equino", "Caprino", "Galináceo"};
    for (int s = 0; s < 5; ++s)
        herd << QStringList{QString::fromUtf8(names[s]),
                            shown(livestock.fields.value(consumptionFieldName(s))),
                            shown(livestock.fields.value(herdFieldName(s)))};
    html += table({QStringLiteral("Rebanho"), QStringLiteral("Consumo per-capita (litros/dia)"),
                   QStringLiteral("Número de cabeças")},
                  herd);

    html += QStringLiteral("<h3>Agricultura</h3>");
    const WindowInputs agriculture = windowInputs(study, QStringLiteral("TF_Mod_Agricultura"));
    const StudyGrid crops = agriculture.grids.value(QStringLiteral("SG_Entrada"));
    const StudyGrid params = agriculture.grids.value(QStringLiteral("SG_Param"));
    QList<QStringList> cropRows;
    for (int k = 0; k < crops.size() && k < agriculture::kClasses; ++k) {
        QStringList row;
        for (const QString &cell : crops[k])
            row << shown(cell).trimmed();
        row.removeAt(agriculture::kUnitColumn);
        for (int p = 0; p < params.size(); ++p)
            row << shown(params[p].value(k)).trimmed();
        cropRows << row;
    }
    html += table({QStringLiteral("Classe"), QStringLiteral("Ciclo (dias)"),
                   QStringLiteral("Fase 1"), QStringLiteral("Kc 1"), QStringLiteral("Fase 2"),
                   QStringLiteral("Kc 2"), QStringLiteral("Fase 3"), QStringLiteral("Kc 3"),
                   QStringLiteral("Fase 4"), QStringLiteral("Kc 4"), QStringLiteral("Início"),
                   QStringLiteral("Área (km2)"), QStringLiteral("Eficiência")},
                  cropRows);
    // The year of series, month by month: its sums, where every day reads.
    if (agriculture.seriesOrigin)
        html +=
            QStringLiteral("<p>%1</p>").arg(escaped(seriesOriginLine(*agriculture.seriesOrigin)));
    const StudyGrid serie = agriculture.grids.value(QStringLiteral("SG_Serie"));
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
        monthRows << QStringList{span.label, readable ? formatGeneral(etp) : QStringLiteral("—"),
                                 readable ? formatGeneral(rain) : QStringLiteral("—")};
    }
    html += table({QStringLiteral("Mês"), QStringLiteral("ETP (mm)"), QStringLiteral("P (mm)")},
                  monthRows);
    if (hasDay366Apart(months))
        html += day366Note();

    html += QStringLiteral("<h3>Diluição de Esgotos Domésticos</h3>");
    html += fieldsTable(windowInputs(study, QStringLiteral("TF_Dem_Agua")),
                        {{"ce_1", "Velocidade média do curso da água (m/s)"},
                         {"ce_2", "Coeficiente de desoxigenação K (dia-1)"},
                         {"ce_3", "Número de pontos de lançamento"},
                         {"ce_4", "Qtotal.efluentes (m3/s)"},
                         {"ce_5", "DBO5total (mg/litro)"},
                         {"ce_6", "DBO5mit.n (mg/litro)"},
                         {"ce_7", "DBO5rio (mg/litro)"},
                         {"ce_8", "Tempo de percurso entre pontos (dia)"},
                         {"ce_9", "Tempo de percurso total (dia)"}});
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
    QString html = QStringLiteral("<h2 style='page-break-before: always'>Demanda do município"
                                  "</h2><h3>Totais mensais (m3)</h3>");
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
            row << (column.empty() ? QStringLiteral("—") : formatGeneral(column[m]));
        rows << row;
    }
    html += table({QStringLiteral("Mês"), headers[1], headers[2], headers[3], headers[4]}, rows);
    if (hasDay366Apart(months))
        html += day366Note();

    html += QStringLiteral("<h3>Totais anuais</h3>");
    QList<QStringList> annual;
    for (int s = 0; s < kSummarySectors; ++s) {
        const SectorSeries &series = summary.sectors[s];
        annual << QStringList{
            summarySectorName(s),
            series.computed() ? formatGeneral(series.annual) : QStringLiteral("—"),
            series.computed() ? formatDisplay(summary.shares[s], QStringLiteral(",0.00;-,0.00"))
                              : QStringLiteral("—")};
    }
    annual << QStringList{
        summary.totalLabel(), formatGeneral(summary.annualTotal),
        formatDisplay(summary.annualTotal != 0 ? 100 : 0, QStringLiteral(",0.00;-,0.00"))};
    html += table({QStringLiteral("Setor"), QStringLiteral("Volume anual (m3)"),
                   QStringLiteral("Participação (%)")},
                  annual);
    html += QStringLiteral("<p>%1: %2, com %3 m3/dia.</p>")
                .arg(escaped(summary.peakDayLabel()), dayLabel(summary.peakDay),
                     formatGeneral(summary.peakTotal));
    if (summary.dilutionError.isEmpty())
        html += QStringLiteral("<p>Diluição de esgotos domésticos (vazão indisponível, não "
                               "consumida): máxima vazão acumulada de %1 m3/s%2.</p>")
                    .arg(summary.dilutionMaximumText,
                         summary.dilutionPoint > 0
                             ? QStringLiteral(" no ponto %1").arg(summary.dilutionPoint)
                             : QString());
    html += errorsHtml(summary);
    html += QStringLiteral("<h2 style='page-break-before: always'>Gráficos</h2>"
                           "<p><img src='grafico-diario' width='600' height='280'></p>"
                           "<p><img src='grafico-participacao' width='600' height='280'></p>");
    return html;
}

} // namespace

QString reportHtml(const Study &study, const MunicipalSummary &summary)
{
    const QString name =
        study.name.trimmed().isEmpty() ? QStringLiteral("Estudo sem nome") : study.name.trimmed();
    QString html = QStringLiteral("<html><body style='font-family: sans-serif; font-size: 9pt'>");
    html += QStringLiteral("<h1>Demanda por Município — %1</h1>").arg(escaped(name));
    html +=
        QStringLiteral("<p>Relatório do Modelo TAVI, %1. Abastecimento público: demanda %2.</p>")
            .arg(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")),
                 summary.scenario == SupplyScenario::Current ? QStringLiteral("ATUAL")
                                                             : QStringLiteral("FUTURA"));
    if (summary.isPartial())
        html += QStringLiteral("<p style='color:#a00000'><b>Total parcial, sem %1:</b> o que não "
                               "pôde ser calculado (abaixo) não está incluído nos totais, no dia "
                               "de maior demanda nem nos gráficos deste relatório.</p>%2")
                    .arg(escaped(summary.missingSectors()), errorsHtml(summary));
    if (!study.notes.trimmed().isEmpty())
        html += QStringLiteral("<h3>Notas</h3><p>%1</p>")
                    .arg(escaped(study.notes).replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    html += inputsHtml(study);
    const WindowInputs agriculture = windowInputs(study, QStringLiteral("TF_Mod_Agricultura"));
    html += resultsHtml(summary, seriesMonths(agriculture.seriesOrigin));
    return html + QStringLiteral("</body></html>");
}

void write(const QString &path, const Study &study, const MunicipalSummary &summary,
           const Charts &charts)
{
    QTextDocument document;
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("grafico-diario")),
                         charts.daily);
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("grafico-participacao")),
                         charts.shares);
    document.setHtml(reportHtml(study, summary));
    // Written beside the file and put in its place only once complete.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        QPdfWriter pdf(&file);
        pdf.setTitle(QStringLiteral("Demanda por Município — %1").arg(study.name));
        pdf.setCreator(QStringLiteral("Tavi"));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        pdf.setResolution(150);
        document.print(&pdf);
    }
    if (!file.commit())
        throw TaviError(QStringLiteral("Não foi possível gravar o relatório \"%1\": %2.")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace SummaryReport
