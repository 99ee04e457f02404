#pragma once

// The water drop that the program's pictures and its icon both draw.

#include <QPainterPath>
#include <QRectF>

// A drop whose round part has its centre at (cx, cy) and radius r; the tip points up.
inline QPainterPath dropPath(qreal cx, qreal cy, qreal r)
{
    QPainterPath p;
    p.moveTo(cx, cy - 1.9 * r);
    p.cubicTo(cx + 0.25 * r, cy - 1.35 * r, cx + r, cy - 0.75 * r, cx + r, cy);
    p.arcTo(QRectF(cx - r, cy - r, 2 * r, 2 * r), 0, -180);
    p.cubicTo(cx - r, cy - 0.75 * r, cx - 0.25 * r, cy - 1.35 * r, cx, cy - 1.9 * r);
    p.closeSubpath();
    return p;
}
