#include "models/U_Resumo_Municipio/ReportChartObject.h"

#include <QAbstractTextDocumentLayout>
#include <QChart>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QPaintDevice>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

namespace
{

constexpr int kChartType = QTextFormat::UserObject + 1;
constexpr int kChartIndex = QTextFormat::UserProperty + 1;
constexpr int kHeightShare = QTextFormat::UserProperty + 2;
// The charts are laid out as on a screen of 96 dots an inch, where their fonts, given in
// pixels, read at the size in points they are meant to have on paper.
constexpr double kChartDpi = 96;

} // namespace

ReportChartObject::ReportChartObject(QTextDocument *document)
    : QObject(document), m_document(document)
{
    document->documentLayout()->registerHandler(kChartType, this);
}

void ReportChartObject::place(const QString &mark, QChart *chart, double heightShare)
{
    QTextCursor cursor = m_document->find(mark);
    if (cursor.isNull())
        return;
    QTextCharFormat format;
    format.setObjectType(kChartType);
    format.setProperty(kChartIndex, int(m_charts.size()));
    format.setProperty(kHeightShare, heightShare);
    m_charts << chart;
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

QSizeF ReportChartObject::intrinsicSize(QTextDocument *document, int, const QTextFormat &format)
{
    const double width = document->pageSize().width() - 2 * document->documentMargin() - 4;
    return QSizeF(width, width * format.doubleProperty(kHeightShare));
}

void ReportChartObject::drawObject(QPainter *painter, const QRectF &rect, QTextDocument *, int,
                                   const QTextFormat &format)
{
    QChart *chart = m_charts.value(format.intProperty(kChartIndex));
    if (!chart || !chart->scene())
        return;
    const double dpi = painter->device() ? painter->device()->logicalDpiX() : kChartDpi;
    chart->resize(rect.size() * (kChartDpi / dpi));
    // The chart lays itself out on the events of its resizing.
    QCoreApplication::sendPostedEvents();
    if (chart->layout())
        chart->layout()->activate();
    chart->scene()->render(painter, rect, chart->sceneBoundingRect(), Qt::KeepAspectRatio);
}
