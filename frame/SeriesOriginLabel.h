#pragma once

#include "core/weather/SeriesOrigin.h"

#include <QLabel>
#include <QPointer>
#include <QVector>

#include <optional>

namespace tavi
{
class CellTable;
}

// The line beside a window's series that says where it came from ("Série: A701 SAO PAULO -
// MIRANTE, 2023, ..."); empty while the series was typed or pasted. It holds the origin itself,
// so that a study finds it there (StudyInputs) and the window sets it in one place. Once told
// which cells hold the series, it marks in the origin every day changed after the origin was
// set (typed, pasted), so that the line never vouches for values the station did not give.
class SeriesOriginLabel : public QLabel
{
    Q_OBJECT
public:
    explicit SeriesOriginLabel(QWidget *parent = nullptr);

    const std::optional<tavi::SeriesOrigin> &origin() const { return m_origin; }
    // The origin of the series as it is now: set after the series was written.
    void setOrigin(const std::optional<tavi::SeriesOrigin> &origin);

    // The series: days 1..`days` in rows firstRow.., ETP and P in the two columns given.
    void trackEdits(const tavi::CellTable *serie, int etpColumn, int rainColumn, int firstRow,
                    int days);

signals:
    void originChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showOrigin();
    QVector<QString> seriesTexts() const;
    void seriesChanged();

    std::optional<tavi::SeriesOrigin> m_origin;
    QPointer<const tavi::CellTable> m_serie;
    int m_etpColumn = 0, m_rainColumn = 0, m_firstRow = 0, m_days = 0;
    // The ETP and P texts as the origin last accounted for them, day by day.
    QVector<QString> m_accounted;
};
