#pragma once

#include "core/SeriesOrigin.h"

#include <QLabel>

#include <optional>

// The line beside a window's series that says where it came from ("Série: A701 SAO PAULO -
// MIRANTE, 2023, ..."); empty while the series was typed or pasted. It holds the origin itself,
// so that a study finds it there (StudyInputs) and the window sets it in one place.
class SeriesOriginLabel : public QLabel
{
    Q_OBJECT
public:
    explicit SeriesOriginLabel(QWidget *parent = nullptr);

    const std::optional<tavi::SeriesOrigin> &origin() const { return m_origin; }
    void setOrigin(const std::optional<tavi::SeriesOrigin> &origin);

signals:
    void originChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showOrigin();

    std::optional<tavi::SeriesOrigin> m_origin;
};
