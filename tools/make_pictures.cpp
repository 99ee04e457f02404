// Draws the program's pictures (splash images, main window and about box pictures, button
// pictures) and writes them into a folder, normally resources/pictures. Not part of the
// default build: the pictures are committed, and this is run again only to change them,
// with `make pictures` (the CMake target make_pictures, run on resources/pictures).

#include "DropPath.h"

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>
#include <cstdio>

namespace
{

const QColor deepBlue(0x1b, 0x4f, 0x8a);
const QColor waterBlue(0x2e, 0x86, 0xc8);
const QColor lightWater(0x7c, 0xc0, 0xec);
const QColor grass(0x6d, 0xa8, 0x3f);
const QColor darkGrass(0x4a, 0x7f, 0x2c);
const QColor soil(0x9b, 0x6b, 0x3f);
const QColor roof(0xc2, 0x4e, 0x2e);
const QColor wall(0xf2, 0xe6, 0xcf);

QFont sans(qreal pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    return font;
}

void drawDrop(QPainter &p, qreal cx, qreal cy, qreal r, const QColor &colour)
{
    QLinearGradient g(cx - r, cy - 1.9 * r, cx + r, cy + r);
    g.setColorAt(0, colour.lighter(135));
    g.setColorAt(1, colour.darker(115));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(dropPath(cx, cy, r));
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QRectF(cx - 0.55 * r, cy - 0.55 * r, 0.32 * r, 0.5 * r));
}

void fillSky(QPainter &p, const QRectF &rect, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(rect, g);
}

// A house with a pitched roof standing on `ground`.
void drawHouse(QPainter &p, qreal x, qreal ground, qreal w, qreal h, const QColor &walls,
               const QColor &roofColour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(walls);
    p.drawRect(QRectF(x, ground - h, w, h));
    QPainterPath r;
    r.moveTo(x - w * 0.12, ground - h);
    r.lineTo(x + w / 2, ground - h - w * 0.5);
    r.lineTo(x + w * 1.12, ground - h);
    r.closeSubpath();
    p.setBrush(roofColour);
    p.drawPath(r);
    p.setBrush(QColor(0x5a, 0x7d, 0xa8));
    const qreal win = qMax<qreal>(1.5, w * 0.2);
    p.drawRect(QRectF(x + w * 0.18, ground - h * 0.72, win, win));
    p.drawRect(QRectF(x + w * 0.82 - win, ground - h * 0.72, win, win));
    p.setBrush(roofColour.darker(140));
    p.drawRect(QRectF(x + w / 2 - win / 2, ground - h * 0.45, win, h * 0.45));
}

// An elevated water tank on four legs: the town's reservoir.
void drawWaterTower(QPainter &p, qreal cx, qreal ground, qreal h)
{
    const qreal tankW = h * 0.55, tankH = h * 0.32;
    p.setPen(QPen(QColor(0x6b, 0x6b, 0x6b), qMax<qreal>(1.0, h * 0.04)));
    p.drawLine(QPointF(cx - tankW * 0.35, ground), QPointF(cx - tankW * 0.2, ground - h + tankH));
    p.drawLine(QPointF(cx + tankW * 0.35, ground), QPointF(cx + tankW * 0.2, ground - h + tankH));
    p.drawLine(QPointF(cx - tankW * 0.3, ground - h * 0.35),
               QPointF(cx + tankW * 0.3, ground - h * 0.35));
    p.setPen(Qt::NoPen);
    QLinearGradient g(cx - tankW / 2, 0, cx + tankW / 2, 0);
    g.setColorAt(0, QColor(0x9e, 0xc9, 0xe8));
    g.setColorAt(1, QColor(0x4f, 0x8f, 0xc0));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(cx - tankW / 2, ground - h, tankW, tankH), tankH * 0.25, tankH * 0.25);
}

void drawTree(QPainter &p, qreal x, qreal ground, qreal h, const QColor &leaves)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x6e, 0x4b, 0x2a));
    p.drawRect(QRectF(x - h * 0.06, ground - h * 0.45, h * 0.12, h * 0.45));
    p.setBrush(leaves);
    p.drawEllipse(QRectF(x - h * 0.3, ground - h, h * 0.6, h * 0.65));
}

// A cow seen from the side, facing right, standing on `ground`; `s` is its body length.
void drawCow(QPainter &p, qreal x, qreal ground, qreal s, const QColor &hide, bool spots,
             bool facingLeft = false)
{
    p.save();
    if (facingLeft) {
        p.translate(2 * x + s, 0);
        p.scale(-1, 1);
    }
    const qreal legH = s * 0.32, bodyH = s * 0.45;
    const qreal top = ground - legH - bodyH;
    p.setPen(Qt::NoPen);
    p.setBrush(hide.darker(120));
    const qreal legW = s * 0.09;
    for (qreal lx : {0.08, 0.24, 0.68, 0.84})
        p.drawRect(QRectF(x + s * lx, ground - legH - 1, legW, legH + 1));
    p.setBrush(hide);
    p.drawRoundedRect(QRectF(x, top, s, bodyH), bodyH * 0.35, bodyH * 0.35);
    QPainterPath tail;
    tail.moveTo(x + 1, top + bodyH * 0.15);
    tail.quadTo(x - s * 0.12, top + bodyH * 0.4, x - s * 0.06, top + bodyH * 0.95);
    p.setPen(QPen(hide.darker(130), qMax<qreal>(1.0, s * 0.04), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tail);
    p.setPen(Qt::NoPen);
    if (spots) {
        p.setBrush(QColor(0x3a, 0x32, 0x2c));
        p.drawEllipse(QRectF(x + s * 0.2, top + bodyH * 0.15, s * 0.22, bodyH * 0.5));
        p.drawEllipse(QRectF(x + s * 0.55, top + bodyH * 0.35, s * 0.18, bodyH * 0.45));
    }
    // neck and head, the head held a little low as when grazing
    p.setBrush(hide);
    QPainterPath neck;
    neck.moveTo(x + s * 0.8, top + bodyH * 0.05);
    neck.lineTo(x + s * 1.08, top + bodyH * 0.05);
    neck.lineTo(x + s * 1.1, top + bodyH * 0.7);
    neck.lineTo(x + s * 0.85, top + bodyH * 0.85);
    neck.closeSubpath();
    p.drawPath(neck);
    QTransform headTurn;
    headTurn.translate(x + s * 1.12, top + bodyH * 0.2);
    headTurn.rotate(28);
    p.save();
    p.setTransform(headTurn, true);
    p.drawRoundedRect(QRectF(-s * 0.1, -s * 0.1, s * 0.3, s * 0.2), s * 0.07, s * 0.07);
    p.setBrush(QColor(0xe8, 0xa8, 0x9a));
    p.drawRoundedRect(QRectF(s * 0.1, -s * 0.09, s * 0.11, s * 0.18), s * 0.05, s * 0.05);
    p.setBrush(QColor(0xf3, 0xf0, 0xe6));
    p.drawEllipse(QRectF(-s * 0.08, -s * 0.2, s * 0.06, s * 0.12)); // horn
    p.setBrush(hide.darker(125));
    p.drawEllipse(QRectF(-s * 0.2, -s * 0.08, s * 0.12, s * 0.07)); // ear
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(s * 0.02, -s * 0.06, s * 0.045, s * 0.045));
    p.restore();
    p.restore();
}

// A meandering river from a narrow point on the horizon to a wide mouth at the bottom edge;
// `width` is the width of the scene, which sets how far the bends swing.
QPainterPath riverPath(qreal width, qreal horizonY, qreal bottom, qreal startX, qreal narrow,
                       qreal wide)
{
    const qreal h = bottom + 1 - horizonY;
    auto xAt = [&](qreal t) {
        // two bends, growing towards the viewer
        return startX + std::sin(t * 3.3) * width * 0.16 * t + t * width * 0.05;
    };
    auto halfWidth = [&](qreal t) { return narrow / 2 + (wide - narrow) / 2 * t * t; };
    const int steps = 48;
    QPainterPath path;
    path.moveTo(xAt(0) - halfWidth(0), horizonY);
    for (int i = 1; i <= steps; ++i) {
        const qreal t = qreal(i) / steps;
        path.lineTo(xAt(t) - halfWidth(t), horizonY + h * t);
    }
    for (int i = steps; i >= 0; --i) {
        const qreal t = qreal(i) / steps;
        path.lineTo(xAt(t) + halfWidth(t), horizonY + h * t);
    }
    path.closeSubpath();
    return path;
}

void fillRiver(QPainter &p, const QPainterPath &river, qreal top, qreal bottom)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, QColor(0xa9, 0xd6, 0xf2));
    g.setColorAt(1, waterBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(river);
}

// Light ripples on a river: short white strokes inside it.
void drawRipples(QPainter &p, const QPainterPath &river, qreal top, qreal bottom, int count)
{
    p.save();
    p.setClipPath(river);
    p.setPen(QPen(QColor(255, 255, 255, 120), 1.2, Qt::SolidLine, Qt::RoundCap));
    const QRectF b = river.boundingRect();
    for (int i = 0; i < count; ++i) {
        const qreal t = (i * 0.618034) - std::floor(i * 0.618034);
        const qreal y = top + (bottom - top) * (0.15 + 0.85 * (qreal(i) / count));
        const qreal len = 3 + 14 * (y - top) / (bottom - top);
        const qreal x = b.left() + b.width() * t;
        p.drawLine(QPointF(x, y), QPointF(x + len, y));
    }
    p.restore();
}

// Cultivated plots between two lines: parallelogram strips in alternating crop colours.
void drawFieldStrips(QPainter &p, const QPolygonF &plot, int strips, const QColor &a,
                     const QColor &b)
{
    // plot: four corners, top-left, top-right, bottom-right, bottom-left
    p.setPen(Qt::NoPen);
    for (int i = 0; i < strips; ++i) {
        const qreal t0 = qreal(i) / strips, t1 = qreal(i + 1) / strips;
        auto along = [&](const QPointF &u, const QPointF &v, qreal t) { return u + (v - u) * t; };
        QPolygonF strip;
        strip << along(plot[0], plot[1], t0) << along(plot[0], plot[1], t1)
              << along(plot[3], plot[2], t1) << along(plot[3], plot[2], t0);
        p.setBrush(i % 2 ? a : b);
        p.drawPolygon(strip);
    }
}

void drawSun(QPainter &p, const QPointF &c, qreal r)
{
    QRadialGradient glow(c, r * 3);
    glow.setColorAt(0, QColor(255, 244, 190, 200));
    glow.setColorAt(1, QColor(255, 244, 190, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, r * 3, r * 3);
    p.setBrush(QColor(0xff, 0xd4, 0x4a));
    p.drawEllipse(c, r, r);
}

void drawCloud(QPainter &p, qreal x, qreal y, qreal s)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(QRectF(x, y + s * 0.25, s * 0.9, s * 0.45));
    p.drawEllipse(QRectF(x + s * 0.25, y, s * 0.6, s * 0.6));
    p.drawEllipse(QRectF(x + s * 0.6, y + s * 0.15, s * 0.7, s * 0.5));
}

// ---------------------------------------------------------------------------------------
// The pictures

QImage newImage(int w, int h, bool transparent = false)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(transparent ? Qt::transparent : Qt::white);
    return image;
}

QImage splashDrops()
{
    QImage image = newImage(97, 49);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    fillSky(p, image.rect(), QColor(0xf2, 0xf8, 0xfd), QColor(0xc8, 0xe3, 0xf6));
    // ripples where the drops fall
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(QColor(0x2e, 0x86, 0xc8, 180 - i * 50), 1.2));
        p.drawEllipse(QRectF(60 - i * 9, 39 - i * 2.2, 24 + i * 18, 6 + i * 4.4));
    }
    drawDrop(p, 22, 30, 10, waterBlue);
    drawDrop(p, 47, 20, 6.5, lightWater.darker(115));
    drawDrop(p, 72, 25, 8, deepBlue);
    return image;
}

QImage splashTown()
{
    QImage image = newImage(97, 49);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    fillSky(p, image.rect(), QColor(0xbf, 0xe0, 0xf7), QColor(0xf4, 0xfa, 0xfe));
    p.setPen(Qt::NoPen);
    p.setBrush(grass);
    p.drawRect(QRectF(0, 38, 97, 11));
    drawWaterTower(p, 14, 38, 30);
    drawHouse(p, 26, 38, 12, 10, wall, roof);
    // church with a tower
    p.setBrush(QColor(0xfa, 0xf6, 0xee));
    p.drawRect(QRectF(44, 14, 9, 24));
    QPainterPath spire;
    spire.moveTo(42.5, 14);
    spire.lineTo(48.5, 5);
    spire.lineTo(54.5, 14);
    p.setBrush(roof.darker(110));
    p.drawPath(spire);
    p.setBrush(QColor(0x5a, 0x7d, 0xa8));
    p.drawEllipse(QRectF(46.5, 18, 4, 4));
    drawHouse(p, 57, 38, 14, 13, QColor(0xf7, 0xd9, 0xa6), roof);
    drawHouse(p, 76, 38, 12, 9, wall, QColor(0xa8, 0x3f, 0x2a));
    drawTree(p, 92, 38, 12, darkGrass);
    // the river in front of the town
    p.setBrush(waterBlue);
    QPainterPath water;
    water.moveTo(0, 43);
    water.cubicTo(30, 40, 60, 47, 97, 42);
    water.lineTo(97, 49);
    water.lineTo(0, 49);
    water.closeSubpath();
    p.drawPath(water);
    return image;
}

QImage splashCrops()
{
    QImage image = newImage(159, 49);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    fillSky(p, QRectF(0, 0, 159, 18), QColor(0xb5, 0xdb, 0xf5), QColor(0xee, 0xf7, 0xfd));
    drawSun(p, QPointF(140, 8), 5);
    // rows converging on a point beyond the horizon
    const QPointF vanish(80, -40);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb6, 0x8a, 0x55));
    p.drawRect(QRectF(0, 17, 159, 32));
    const int rows = 14;
    for (int i = 0; i < rows; ++i) {
        const qreal x0 = -40 + i * (240.0 / rows);
        const qreal x1 = x0 + (240.0 / rows) * 0.55;
        auto atY = [&](qreal x, qreal y) {
            const qreal t = (y - vanish.y()) / (49 - vanish.y());
            return vanish.x() + (x - vanish.x()) * t;
        };
        QPolygonF row;
        row << QPointF(atY(x0, 17), 17) << QPointF(atY(x1, 17), 17) << QPointF(x1, 49)
            << QPointF(x0, 49);
        p.setBrush(i % 3 == 0 ? darkGrass : grass);
        p.drawPolygon(row);
    }
    // a sprinkler throwing water over the crop
    p.setPen(QPen(QColor(0x6b, 0x6b, 0x6b), 1.5));
    p.drawLine(QPointF(38, 44), QPointF(38, 31));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x86, 0xc8, 220));
    for (int arc = 0; arc < 2; ++arc) {
        for (int k = 0; k < 7; ++k) {
            const qreal t = k / 6.0;
            const qreal side = arc ? 1 : -1;
            const qreal x = 38 + side * t * 26;
            const qreal y = 31 - std::sin(t * M_PI * 0.9) * 10 + t * 6;
            p.drawEllipse(QPointF(x, y), 1.3, 1.3);
        }
    }
    // two stalks of maize in the foreground
    for (qreal x : {118.0, 132.0}) {
        p.setPen(QPen(QColor(0x3d, 0x6e, 0x22), 1.6));
        p.drawLine(QPointF(x, 49), QPointF(x, 25));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x58, 0x94, 0x2f));
        QPainterPath leaf;
        leaf.moveTo(x, 40);
        leaf.quadTo(x + 8, 33, x + 11, 36);
        leaf.quadTo(x + 6, 36, x, 42);
        p.drawPath(leaf);
        QPainterPath leaf2;
        leaf2.moveTo(x, 34);
        leaf2.quadTo(x - 8, 27, x - 11, 30);
        leaf2.quadTo(x - 6, 30, x, 36);
        p.drawPath(leaf2);
        p.setBrush(QColor(0xf0, 0xc4, 0x3a));
        p.drawEllipse(QRectF(x + 0.5, 27, 3.5, 8));
    }
    return image;
}

QImage splashCattle()
{
    QImage image = newImage(153, 49);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    fillSky(p, image.rect(), QColor(0xbf, 0xe0, 0xf7), QColor(0xf2, 0xf9, 0xfd));
    p.setPen(Qt::NoPen);
    QLinearGradient pasture(0, 26, 0, 49);
    pasture.setColorAt(0, QColor(0x8c, 0xc2, 0x5a));
    pasture.setColorAt(1, grass);
    p.setBrush(pasture);
    QPainterPath hill;
    hill.moveTo(0, 30);
    hill.cubicTo(40, 22, 90, 32, 153, 25);
    hill.lineTo(153, 49);
    hill.lineTo(0, 49);
    hill.closeSubpath();
    p.drawPath(hill);
    // fence posts along the hill
    p.setPen(QPen(QColor(0x8a, 0x66, 0x44), 1));
    for (int x = 4; x < 153; x += 12)
        p.drawLine(QPointF(x, 27), QPointF(x, 33));
    p.drawLine(QPointF(0, 29), QPointF(153, 29));
    drawCow(p, 10, 44, 30, QColor(0xf4, 0xf1, 0xea), true);
    drawCow(p, 62, 42, 24, QColor(0xa8, 0x6a, 0x3c), false);
    // a water trough
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7a, 0x5a, 0x3c));
    p.drawRect(QRectF(106, 36, 38, 9));
    p.setBrush(waterBlue);
    p.drawRect(QRectF(108, 36, 34, 3));
    p.setBrush(QColor(0x5e, 0x44, 0x2c));
    p.drawRect(QRectF(108, 45, 3, 3));
    p.drawRect(QRectF(139, 45, 3, 3));
    return image;
}

// The drop with a landscape inside it: the program's emblem.
void drawEmblem(QPainter &p, qreal cx, qreal cy, qreal r)
{
    const QPainterPath drop = dropPath(cx, cy, r);
    const QRectF box = drop.boundingRect();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawPath(drop.translated(2, 3));
    p.setClipPath(drop);
    fillSky(p, box, QColor(0x8f, 0xcb, 0xf2), QColor(0xe6, 0xf4, 0xfd));
    drawSun(p, QPointF(cx + r * 0.35, cy - r * 0.85), r * 0.16);
    const qreal horizon = cy - r * 0.1;
    p.setBrush(QColor(0x8f, 0xbf, 0x6a));
    QPainterPath hills;
    hills.moveTo(box.left(), horizon + 4);
    hills.cubicTo(cx - r * 0.5, horizon - r * 0.35, cx, horizon + r * 0.1, box.right(),
                  horizon - r * 0.2);
    hills.lineTo(box.right(), box.bottom());
    hills.lineTo(box.left(), box.bottom());
    hills.closeSubpath();
    p.drawPath(hills);
    p.setBrush(grass);
    p.drawRect(QRectF(box.left(), horizon + r * 0.15, box.width(), box.height()));
    const QPainterPath river =
        riverPath(box.width(), horizon + r * 0.15, box.bottom(), cx - r * 0.1, 2, r * 1.1);
    fillRiver(p, river, horizon, box.bottom());
    p.setClipping(false);
    p.setPen(QPen(deepBlue, qMax<qreal>(2.0, r * 0.06)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(drop);
    p.restore();
}

QImage splashLogo()
{
    QImage image = newImage(201, 174);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    fillSky(p, image.rect(), QColor(0xff, 0xff, 0xff), QColor(0xe3, 0xf0, 0xfa));
    drawEmblem(p, 100, 86, 42);
    p.setFont(sans(34, true));
    p.setPen(deepBlue);
    p.drawText(QRectF(0, 128, 201, 44), Qt::AlignHCenter | Qt::AlignVCenter, "TAVI");
    return image;
}

QImage mainPicture()
{
    const int w = 696, h = 456;
    QImage image = newImage(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal horizon = 190;
    fillSky(p, QRectF(0, 0, w, horizon + 10), QColor(0x5e, 0xa8, 0xe0), QColor(0xe2, 0xf1, 0xfb));
    drawSun(p, QPointF(560, 70), 26);
    drawCloud(p, 90, 40, 90);
    drawCloud(p, 330, 75, 70);
    drawCloud(p, 600, 120, 55);

    // distant hills in three layers
    const QColor layers[] = {QColor(0xa9, 0xc8, 0xd8), QColor(0x8f, 0xb8, 0x8a),
                             QColor(0x76, 0xa8, 0x5c)};
    for (int i = 0; i < 3; ++i) {
        QPainterPath hills;
        const qreal base = horizon - 40 + i * 18;
        hills.moveTo(0, base + 10);
        for (int x = 0; x <= w; x += 58) {
            const qreal y =
                base - 22 * std::sin((x + i * 120) / 97.0) - 12 * std::sin((x + i * 45) / 41.0);
            hills.lineTo(x, y);
        }
        hills.lineTo(w, h);
        hills.lineTo(0, h);
        hills.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(layers[i]);
        p.drawPath(hills);
    }

    // the plain
    QLinearGradient plain(0, horizon, 0, h);
    plain.setColorAt(0, QColor(0x86, 0xb8, 0x57));
    plain.setColorAt(1, QColor(0x5c, 0x95, 0x35));
    p.setBrush(plain);
    p.drawRect(QRectF(0, horizon, w, h - horizon));

    // fields on the right bank
    drawFieldStrips(p,
                    QPolygonF() << QPointF(430, horizon + 8) << QPointF(640, horizon + 4)
                                << QPointF(696, horizon + 70) << QPointF(470, horizon + 84),
                    9, QColor(0xe3, 0xc8, 0x5a), QColor(0xcf, 0xb0, 0x45));
    drawFieldStrips(p,
                    QPolygonF() << QPointF(470, horizon + 92) << QPointF(696, horizon + 78)
                                << QPointF(696, horizon + 190) << QPointF(520, horizon + 200),
                    11, QColor(0x4f, 0x8c, 0x2c), QColor(0x6b, 0xa8, 0x3a));
    drawFieldStrips(p,
                    QPolygonF() << QPointF(420, horizon + 200) << QPointF(696, horizon + 196)
                                << QPointF(696, h) << QPointF(470, h),
                    8, QColor(0xa6, 0x7c, 0x4c), QColor(0x8e, 0x65, 0x3b));
    // hedges between the fields
    p.setPen(QPen(QColor(0x3f, 0x6e, 0x25), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(470, horizon + 88), QPointF(696, horizon + 74));
    p.drawLine(QPointF(520, horizon + 198), QPointF(696, horizon + 190));
    p.setPen(Qt::NoPen);

    // the river
    const QPainterPath river = riverPath(w, horizon + 2, h, 330, 6, 170);
    fillRiver(p, river, horizon, h);
    drawRipples(p, river, horizon + 10, h, 40);

    // the town on the left bank, behind the river
    const qreal ground = horizon + 40;
    p.setBrush(QColor(0x9a, 0xc0, 0x6b));
    p.drawEllipse(QRectF(20, ground - 16, 280, 50));
    drawWaterTower(p, 60, ground + 4, 62);
    const struct {
        qreal x, w, h;
        QColor walls, roofs;
    } houses[] = {
        {80, 26, 20, wall, roof},
        {112, 22, 26, QColor(0xf7, 0xd9, 0xa6), QColor(0xa8, 0x3f, 0x2a)},
        {176, 30, 22, QColor(0xe8, 0xe1, 0xd3), roof},
        {214, 24, 18, QColor(0xf5, 0xc8, 0x9a), QColor(0xb5, 0x47, 0x2c)},
        {244, 20, 15, wall, roof.darker(110)},
    };
    for (const auto &house : houses)
        drawHouse(p, house.x, ground + 6, house.w, house.h, house.walls, house.roofs);
    // the church
    p.setBrush(QColor(0xfb, 0xf8, 0xf1));
    p.drawRect(QRectF(142, ground - 42, 20, 48));
    QPainterPath spire;
    spire.moveTo(139, ground - 42);
    spire.lineTo(152, ground - 66);
    spire.lineTo(165, ground - 42);
    p.setBrush(roof.darker(115));
    p.drawPath(spire);
    p.setBrush(QColor(0x5a, 0x7d, 0xa8));
    p.drawEllipse(QRectF(147, ground - 36, 10, 10));
    p.setBrush(roof.darker(150));
    p.drawRect(QRectF(148, ground - 10, 8, 16));

    // trees along the banks
    const QColor leaves[] = {QColor(0x3f, 0x7a, 0x2a), QColor(0x4d, 0x8c, 0x30),
                             QColor(0x35, 0x6b, 0x24)};
    const struct {
        qreal x, y, h;
    } trees[] = {{30, 282, 46},  {64, 300, 56},  {110, 335, 70}, {196, 300, 44}, {255, 268, 34},
                 {300, 240, 26}, {420, 250, 30}, {452, 292, 44}, {18, 396, 86}};
    int n = 0;
    for (const auto &tree : trees)
        drawTree(p, tree.x, tree.y, tree.h, leaves[n++ % 3]);

    // cattle in the meadow on the left
    drawCow(p, 170, 380, 46, QColor(0xf4, 0xf1, 0xea), true);
    drawCow(p, 232, 402, 40, QColor(0xa8, 0x6a, 0x3c), false, true);
    return image;
}

QImage aboutPicture()
{
    const int w = 624, h = 348;
    QImage image = newImage(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    fillSky(p, image.rect(), QColor(0xff, 0xff, 0xff), QColor(0xd9, 0xec, 0xf9));
    // waves along the bottom
    const QColor waves[] = {QColor(0x9c, 0xcf, 0xf0), QColor(0x5c, 0xa8, 0xdc), waterBlue};
    for (int i = 0; i < 3; ++i) {
        QPainterPath wave;
        const qreal base = h - 58 + i * 18;
        wave.moveTo(0, base);
        for (int x = 0; x <= w; x += 8)
            wave.lineTo(x, base + 7 * std::sin((x + i * 60) / 48.0));
        wave.lineTo(w, h);
        wave.lineTo(0, h);
        wave.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(waves[i]);
        p.drawPath(wave);
    }
    drawEmblem(p, 120, 176, 66);

    // the texts, each shrunk to the room on the right of the emblem if needed
    const qreal left = 232, right = w - 24;
    auto fitted = [&](qreal pixelSize, bool bold, const QString &text) {
        QFont font = sans(pixelSize, bold);
        while (QFontMetricsF(font).horizontalAdvance(text) > right - left && pixelSize > 8)
            font = sans(--pixelSize, bold);
        return font;
    };
    const QString title = QStringLiteral("MODELO TAVI");
    const QString name = QStringLiteral("Tavimar");
    const QString subtitle = QString::fromUtf8("Modelo de Demanda de Água por Município");
    p.setPen(deepBlue);
    p.setFont(fitted(46, true, title));
    p.drawText(QRectF(left, 70, right - left, 60), Qt::AlignLeft | Qt::AlignVCenter, title);
    p.setPen(QColor(0x2e, 0x6d, 0xa4));
    p.setFont(fitted(28, false, name));
    p.drawText(QRectF(left, 128, right - left, 40), Qt::AlignLeft | Qt::AlignVCenter, name);
    p.setPen(QPen(waterBlue, 2));
    p.drawLine(QPointF(left, 176), QPointF(right, 176));
    p.setPen(QColor(0x33, 0x4a, 0x5e));
    p.setFont(fitted(17, false, subtitle));
    p.drawText(QRectF(left, 186, right - left, 30), Qt::AlignLeft | Qt::AlignVCenter, subtitle);
    return image;
}

// --- button pictures, 32 x 32 with transparency

QImage buttonSimular()
{
    QImage image = newImage(32, 32, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // a gear behind a play sign: run the model
    QPainterPath gear;
    const QPointF c(16, 16);
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a0 = (i - 0.5) * M_PI / teeth, a1 = (i + 0.5) * M_PI / teeth;
        const qreal r = i % 2 ? 12.0 : 15.0;
        const QPointF p0 = c + QPointF(std::cos(a0) * r, std::sin(a0) * r);
        const QPointF p1 = c + QPointF(std::cos(a1) * r, std::sin(a1) * r);
        if (i == 0)
            gear.moveTo(p0);
        else
            gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    QLinearGradient metal(0, 0, 32, 32);
    metal.setColorAt(0, QColor(0x7a, 0xc9, 0x5a));
    metal.setColorAt(1, QColor(0x2f, 0x7d, 0x2a));
    p.setPen(QPen(QColor(0x24, 0x5e, 0x20), 1));
    p.setBrush(metal);
    p.drawPath(gear);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    QPolygonF play;
    play << QPointF(12.5, 9.5) << QPointF(23, 16) << QPointF(12.5, 22.5);
    p.drawPolygon(play);
    return image;
}

QImage buttonSalvar()
{
    QImage image = newImage(32, 32, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // a worksheet with a header row, and an arrow going into it
    QPainterPath sheet;
    sheet.moveTo(5, 2.5);
    sheet.lineTo(21, 2.5);
    sheet.lineTo(27.5, 9);
    sheet.lineTo(27.5, 29.5);
    sheet.lineTo(5, 29.5);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(0x55, 0x66, 0x77), 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x8a, 0x4a));
    p.drawRect(QRectF(6, 10, 21, 4));
    p.setPen(QPen(QColor(0x9a, 0xb4, 0xa2), 1));
    for (qreal y : {18.5, 22.5, 26.5})
        p.drawLine(QPointF(6, y), QPointF(27, y));
    for (qreal x : {12.5, 19.5})
        p.drawLine(QPointF(x, 10), QPointF(x, 29));
    p.setPen(QPen(QColor(0x55, 0x66, 0x77), 1));
    p.setBrush(QColor(0xdd, 0xe6, 0xee));
    QPolygonF fold;
    fold << QPointF(21, 2.5) << QPointF(21, 9) << QPointF(27.5, 9);
    p.drawPolygon(fold);
    // arrow into the sheet
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x6f, 0xc0));
    QPolygonF arrow;
    arrow << QPointF(0.5, 19) << QPointF(8, 19) << QPointF(8, 15) << QPointF(15, 22)
          << QPointF(8, 29) << QPointF(8, 25) << QPointF(0.5, 25);
    p.drawPolygon(arrow);
    return image;
}

QImage buttonSair()
{
    QImage image = newImage(32, 32, true);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // a door frame, the door swung open, and an arrow leaving through it
    p.setPen(QPen(QColor(0x5a, 0x3a, 0x22), 2));
    p.setBrush(QColor(0x2a, 0x2a, 0x2a));
    p.drawRect(QRectF(13, 3, 15, 26));
    p.setPen(Qt::NoPen);
    QLinearGradient wood(0, 0, 12, 0);
    wood.setColorAt(0, QColor(0xc8, 0x8a, 0x4e));
    wood.setColorAt(1, QColor(0x9a, 0x62, 0x30));
    p.setBrush(wood);
    QPolygonF door;
    door << QPointF(14, 4) << QPointF(22, 7) << QPointF(22, 31) << QPointF(14, 28);
    p.drawPolygon(door);
    p.setBrush(QColor(0xf0, 0xc4, 0x3a));
    p.drawEllipse(QPointF(20, 18), 1.2, 1.2);
    p.setBrush(QColor(0xd0, 0x33, 0x2a));
    QPolygonF arrow;
    arrow << QPointF(16, 14) << QPointF(8, 14) << QPointF(8, 10) << QPointF(1, 17) << QPointF(8, 24)
          << QPointF(8, 20) << QPointF(16, 20);
    p.drawPolygon(arrow);
    return image;
}

bool save(const QImage &image, const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    const bool jpeg = name.endsWith(QLatin1String(".jpg"));
    const bool ok = jpeg ? image.convertToFormat(QImage::Format_RGB32).save(path, "JPEG", 90)
                         : image.save(path, "PNG");
    std::printf("%s %s (%dx%d)\n", ok ? "wrote" : "FAILED", qPrintable(path), image.width(),
                image.height());
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    ok &= save(splashDrops(), dir, QStringLiteral("splash_drops.png"));
    ok &= save(splashTown(), dir, QStringLiteral("splash_town.png"));
    ok &= save(splashCattle(), dir, QStringLiteral("splash_cattle.png"));
    ok &= save(splashCrops(), dir, QStringLiteral("splash_crops.png"));
    ok &= save(splashLogo(), dir, QStringLiteral("splash_logo.png"));
    ok &= save(mainPicture(), dir, QStringLiteral("main.jpg"));
    ok &= save(aboutPicture(), dir, QStringLiteral("about.jpg"));
    ok &= save(buttonSimular(), dir, QStringLiteral("b_simular.png"));
    ok &= save(buttonSalvar(), dir, QStringLiteral("b_salvar.png"));
    ok &= save(buttonSair(), dir, QStringLiteral("b_sair.png"));
    return ok ? 0 : 1;
}
