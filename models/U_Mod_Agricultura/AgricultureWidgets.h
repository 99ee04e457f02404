#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QWidget;
class ResultGrid;

namespace tavi::agriculture
{
struct TableShape;
}

// The small widget makers both panels of the agriculture window use.
namespace AgricultureWidgets
{

// A label sized to its text, not yet placed.
QLabel *addLabel(QWidget *parent, const QString &text, const QFont &font);
// A label centred over the horizontal span [left, right) at `top`, in a condensed face where
// the font would run over the span's edges.
QLabel *addCentredLabel(QWidget *parent, const QString &text, const QFont &font, int left,
                        int right, int top);
// A grid of the table's shape.
ResultGrid *newGrid(const tavi::agriculture::TableShape &shape, QWidget *parent);

} // namespace AgricultureWidgets
