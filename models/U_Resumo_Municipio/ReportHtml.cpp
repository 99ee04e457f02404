#include "models/U_Resumo_Municipio/ReportHtml.h"

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

} // namespace ReportHtml
