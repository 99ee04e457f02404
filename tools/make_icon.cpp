// Draws the program's icon, a blue water drop on a rounded light tile, at each size the
// desktop menus ask for, and writes them into a folder, normally packaging/icons, as
// tavi-NxN.png. Not part of the normal build: the icons are committed, and this is run again
// only to change them (`make icons`). Each size is drawn on its own, not scaled down from the
// largest, so the small ones stay sharp.

#include "DropPath.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace
{

const QColor deepBlue(0x1b, 0x4f, 0x8a);
const QColor waterBlue(0x2e, 0x86, 0xc8);
const QColor tileTop(0xf4, 0xfa, 0xff);
const QColor tileBottom(0xcf, 0xe6, 0xf7);

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;

    // Below 32 pixels the tile's border would eat the drop, so the drop stands alone there.
    if (size >= 32) {
        const QRectF tile(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
        QLinearGradient g(tile.topLeft(), tile.bottomLeft());
        g.setColorAt(0, tileTop);
        g.setColorAt(1, tileBottom);
        p.setPen(QPen(deepBlue, qMax<qreal>(1.0, s / 48)));
        p.setBrush(g);
        p.drawRoundedRect(tile, s * 0.18, s * 0.18);
    }

    const qreal r = size >= 32 ? s * 0.25 : s * 0.31;
    const qreal cx = s / 2, cy = size >= 32 ? s * 0.62 : s * 0.66;
    QLinearGradient g(cx - r, cy - 1.9 * r, cx + r, cy + r);
    g.setColorAt(0, waterBlue.lighter(135));
    g.setColorAt(1, waterBlue.darker(125));
    p.setPen(QPen(deepBlue, qMax<qreal>(1.0, s / 64)));
    p.setBrush(g);
    p.drawPath(dropPath(cx, cy, r));

    // The glint that makes it read as water rather than as a blue blob.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 180));
    p.drawEllipse(QRectF(cx - 0.6 * r, cy - 0.6 * r, 0.34 * r, 0.55 * r));
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString name = QStringLiteral("tavi-%1x%1.png").arg(size);
        if (!drawIcon(size).save(folder.filePath(name))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(folder.filePath(name)));
            return 1;
        }
    }
    return 0;
}
