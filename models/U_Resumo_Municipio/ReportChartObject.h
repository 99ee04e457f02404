#pragma once

#include <QList>
#include <QObject>
#include <QTextObjectInterface>

class QChart;
class QTextDocument;

// Charts inside a text document, drawn as vectors by whatever paints the document: on a PDF
// their lines and labels stay sharp at any zoom, and their text keeps its size in points.
class ReportChartObject : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    // Serves the charts of `document`, which it must outlive.
    explicit ReportChartObject(QTextDocument *document);

    // Puts `chart` where the text `mark` stands, as wide as the page's text and `heightShare`
    // of that width high. The chart, in a scene of its own, must outlive the painting.
    void place(const QString &mark, QChart *chart, double heightShare);

    QSizeF intrinsicSize(QTextDocument *document, int position, const QTextFormat &format) override;
    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *document, int position,
                    const QTextFormat &format) override;

private:
    QTextDocument *m_document;
    QList<QChart *> m_charts;
};
