#pragma once

#include <QPixmap>
#include <QWidget>

// A fixed picture drawn stretched over the whole widget, whatever its size.
class StretchedImage : public QWidget
{
    Q_OBJECT
public:
    explicit StretchedImage(QWidget *parent = nullptr);
    StretchedImage(const QPixmap &pixmap, QWidget *parent);

    void setPixmap(const QPixmap &pixmap);
    const QPixmap &pixmap() const { return m_pixmap; }

signals:
    // Emitted once, after the widget has been painted for the first time.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_pixmap;
    bool m_painted = false;
};
