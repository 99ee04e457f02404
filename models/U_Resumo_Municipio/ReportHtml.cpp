#include "models/U_Resumo_Municipio/ReportHtml.h"

#include "core/base/LocaleSettings.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/StudyCaptions.h"
#include "core/study/StudyInputs.h"
#include "frame/ChartStyle.h"
#include "models/U_Resumo_Municipio/ReportChartObject.h"

#include <QAbstractTextDocumentLayout>
#include <QChart>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace ReportHtml
{

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

QString table(const QStringList &headers, const QList<QStringList> &rows,
              const QSet<int> &textColumns)
{
    QString html =
        QStringLiteral("<table border='1' cellspacing='0' cellpadding='2' "
                       "style='border-collapse:collapse; margin-bottom:8px'><thead><tr>");
    for (const QString &h : headers)
        html += QStringLiteral("<th bgcolor='#dde6f0'>%1</th>").arg(escaped(h));
    html += QStringLiteral("</tr></thead>");
    for (const QStringList &row : rows) {
        html += QStringLiteral("<tr>");
        for (int c = 0; c < row.size(); ++c)
            html += QString::fromLatin1(textColumns.contains(c) ? "<td>%1</td>"
                                                                : "<td align='right'>%1</td>")
                        .arg(escaped(row[c]));
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString wideTable(const QStringList &headers, const QList<QStringList> &rows,
                  const QList<int> &percentWidths)
{
    QString html = QStringLiteral(
        "<table border='1' cellspacing='0' cellpadding='2' width='100%' "
        "style='border-collapse:collapse; margin-bottom:8px; font-size: 8pt'><thead><tr>");
    for (int c = 0; c < headers.size(); ++c)
        html += QStringLiteral("<th bgcolor='#dde6f0' width='%1%' style='font-size: 8pt'>%2</th>")
                    .arg(percentWidths.value(c))
                    .arg(escaped(headers[c]));
    html += QStringLiteral("</tr></thead>");
    for (const QStringList &row : rows) {
        html += QStringLiteral("<tr>");
        for (int c = 0; c < row.size(); ++c)
            html += QString::fromLatin1(c == 0 ? "<td>%1</td>"
                                               : "<td align='right' style='white-space: "
                                                 "nowrap'>%1</td>")
                        .arg(escaped(row[c]));
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString heading(const QString &text, int points, bool newPage)
{
    return QStringLiteral("<p style='margin-top: 10px; margin-bottom: 4px%1'>"
                          "<span style='font-size: %2pt; font-weight: bold'>%3</span></p>")
        .arg(newPage ? QStringLiteral("; page-break-before: always") : QString())
        .arg(points)
        .arg(text);
}

QString cropTable(const tavi::WindowInputs &agriculture)
{
    using namespace tavi;
    const auto shown = [](const QString &studyText) {
        return fromStudyText(studyText, LocaleSettings::current()).trimmed();
    };
    const StudyGrid crops = agriculture.grids.value(keys::kCropTable);
    const StudyGrid params = agriculture.grids.value(keys::kCropParameters);
    QList<QStringList> rows;
    for (int k = 0; k < crops.size() && k < agriculture::kClasses; ++k) {
        QStringList row;
        for (const QString &cell : crops[k])
            row << shown(cell);
        row.removeAt(agriculture::kUnitColumn);
        for (int p = 0; p < params.size(); ++p)
            row << shown(params[p].value(k));
        rows << row;
    }
    QStringList headings = cropColumnCaptions();
    headings.removeAt(agriculture::kUnitColumn);
    return table(headings + cropParameterCaptions(), rows);
}

void printPages(QPdfWriter &pdf, const QString &html, const std::vector<PlacedChart> &charts,
                const QString &footer)
{
    constexpr double kFooterMillimetres = 6;
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&pdf);
    const QSizeF paper = pdf.pageLayout().paintRectPixels(pdf.resolution()).size();
    const double footerHeight = kFooterMillimetres / 25.4 * pdf.resolution();
    const QSizeF body(paper.width(), paper.height() - footerHeight);
    document.setPageSize(body);
    auto *objects = new ReportChartObject(&document);
    document.setHtml(html);
    for (const PlacedChart &chart : charts) {
        ChartStyle::setPaperFonts(chart.chart);
        objects->place(chart.mark, chart.chart, chart.heightShare);
    }
    // Each chart put in place relays the text after it out only in part, and the layout's
    // stale marks of where its pages run then keep text after the first chart from being
    // drawn at all (headings of the horizon's chapter went missing); the whole text is laid
    // out again once every chart stands in it.
    document.markContentsDirty(0, document.characterCount());

    QPainter painter(&pdf);
    QFont footerFont(QStringLiteral("sans-serif"));
    footerFont.setPointSizeF(8);
    const int pages = document.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            pdf.newPage();
        painter.save();
        painter.translate(0, -page * body.height());
        document.drawContents(&painter, QRectF(QPointF(0, page * body.height()), body));
        painter.restore();
        painter.setFont(footerFont);
        painter.setPen(Qt::darkGray);
        // Apart from the name, which may hold a "%1" of its own.
        painter.drawText(QRectF(0, body.height(), paper.width(), footerHeight),
                         Qt::AlignBottom | Qt::AlignHCenter,
                         footer + QStringLiteral(" — página %1 de %2").arg(page + 1).arg(pages));
    }
}

} // namespace ReportHtml
