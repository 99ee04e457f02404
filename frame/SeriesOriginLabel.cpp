#include "frame/SeriesOriginLabel.h"

#include <QFontMetrics>

SeriesOriginLabel::SeriesOriginLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void SeriesOriginLabel::setOrigin(const std::optional<tavi::SeriesOrigin> &origin)
{
    if (origin == m_origin)
        return;
    m_origin = origin;
    showOrigin();
    emit originChanged();
}

void SeriesOriginLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    showOrigin();
}

// A long station name or list of methods is cut with "…"; the whole line, with the station's
// place, is in the tooltip.
void SeriesOriginLabel::showOrigin()
{
    if (!m_origin) {
        setText(QString());
        setToolTip(QString());
        return;
    }
    const QString line = tavi::seriesOriginLine(*m_origin);
    setText(fontMetrics().elidedText(line, Qt::ElideRight, width()));
    setToolTip(line + QStringLiteral("\n") + tavi::seriesOriginPlace(*m_origin));
}
