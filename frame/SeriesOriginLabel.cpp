#include "frame/SeriesOriginLabel.h"

#include "core/tables/CellTable.h"

#include <QFontMetrics>

SeriesOriginLabel::SeriesOriginLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void SeriesOriginLabel::setOrigin(const std::optional<tavi::SeriesOrigin> &origin)
{
    m_accounted = seriesTexts();
    if (origin == m_origin)
        return;
    m_origin = origin;
    showOrigin();
    emit originChanged();
}

void SeriesOriginLabel::trackEdits(const tavi::CellTable *serie, int etpColumn, int rainColumn,
                                   int firstRow, int days)
{
    m_serie = serie;
    m_etpColumn = etpColumn;
    m_rainColumn = rainColumn;
    m_firstRow = firstRow;
    m_days = days;
    m_accounted = seriesTexts();
    connect(serie, &tavi::CellTable::dataChanged, this, &SeriesOriginLabel::seriesChanged);
    connect(serie, &tavi::CellTable::modelReset, this, &SeriesOriginLabel::seriesChanged);
}

QVector<QString> SeriesOriginLabel::seriesTexts() const
{
    QVector<QString> texts;
    if (!m_serie)
        return texts;
    texts.reserve(2 * m_days);
    for (int day = 1; day <= m_days; ++day) {
        texts << m_serie->cell(m_etpColumn, m_firstRow + day - 1)
              << m_serie->cell(m_rainColumn, m_firstRow + day - 1);
    }
    return texts;
}

void SeriesOriginLabel::seriesChanged()
{
    const QVector<QString> now = seriesTexts();
    if (!m_origin || now.size() != m_accounted.size()) {
        m_accounted = now;
        return;
    }
    std::set<int> etp, rain;
    for (int day = 1; day <= m_days; ++day) {
        if (now[2 * (day - 1)] != m_accounted[2 * (day - 1)])
            etp.insert(day);
        if (now[2 * (day - 1) + 1] != m_accounted[2 * (day - 1) + 1])
            rain.insert(day);
    }
    m_accounted = now;
    if (etp.empty() && rain.empty())
        return;
    tavi::markEditedDays(*m_origin, etp, rain);
    showOrigin();
    emit originChanged();
}

void SeriesOriginLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    showOrigin();
}

// A long station name or list of methods is cut with "…"; the whole line, with the station's
// place and the choices of the import, is in the tooltip.
void SeriesOriginLabel::showOrigin()
{
    if (!m_origin) {
        setText(QString());
        setToolTip(QString());
        return;
    }
    const QString line = tavi::seriesOriginLine(*m_origin);
    setText(fontMetrics().elidedText(line, Qt::ElideRight, width()));
    QString tip = line + QStringLiteral("\n") + tavi::seriesOriginPlace(*m_origin);
    const QString choices = tavi::seriesOriginChoices(*m_origin);
    if (!choices.isEmpty())
        tip += QStringLiteral("\n") + choices;
    setToolTip(tip);
}
