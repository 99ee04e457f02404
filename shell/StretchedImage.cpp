#include "shell/StretchedImage.h"

#include <QPainter>

StretchedImage::StretchedImage(QWidget *parent) : QWidget(parent)
{
    // The picture covers every pixel, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

StretchedImage::StretchedImage(const QPixmap &pixmap, QWidget *parent) : StretchedImage(parent)
{
    m_pixmap = pixmap;
}

void StretchedImage::setPixmap(const QPixmap &pixmap)
{
    m_pixmap = pixmap;
    update();
}

void StretchedImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_pixmap.isNull()) {
        painter.fillRect(rect(), palette().window());
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), m_pixmap);
    }
    if (!m_painted) {
        m_painted = true;
        emit firstPainted();
    }
}
