#pragma once

#include "core/base/AxisScale.h"

#include <QString>
#include <QStringList>

class QAbstractAxis;
class QCategoryAxis;
class QChart;

// The axes of every chart the program draws. Their labels are texts the program writes
// (ChartStyle::number), each standing at its value, so that they carry the user's separators
// whatever they are. Value axes are scaled by tavi::valueAxisScale: one notation for all the
// labels, grouped thousands, and a break mark where the axis leaves zero out.
namespace ChartAxes
{

// An axis of whole numbers from `first` to `last` (points, days) at the bottom of `chart`,
// labelled at round steps: every number up to 20 of them, every 5th up to 60, every 30th
// (about a month of days) up to 400, then in hundreds.
QCategoryAxis *addCountAxis(QChart *chart, int first, int last, const QString &title);

// An axis of points 1, 2, 3 ... at the bottom of `chart`, each named by its category (a
// spreadsheet chart's categories, as their cells show them), labelled at the steps of a count
// axis from the first.
QCategoryAxis *addCategoryAxis(QChart *chart, const QStringList &categories, const QString &title);

// An axis of years from `first` to `last` at the bottom of `chart`, written as years are
// ("2030", never grouped): each year up to 12 of them, otherwise every 2nd, 5th or 10th from
// the first, and always the last.
QCategoryAxis *addYearAxis(QChart *chart, int first, int last, const QString &title);

// A value axis for values from `low` to `high` on the `side` of `chart` (Qt::AlignLeft or
// Qt::AlignRight); when it does not reach zero, a break mark across it at the end nearer zero.
QCategoryAxis *addValueAxis(QChart *chart, double low, double high, tavi::AxisBase base,
                            const QString &title, Qt::Alignment side = Qt::AlignLeft);

// Attaches every series of `chart` to `x` and `y`.
void attachAll(QChart *chart, QAbstractAxis *x, QAbstractAxis *y);

// Whether `chart` carries a break mark on a value axis.
bool hasBreakMark(const QChart *chart);

// The labels of an axis made here, from its first value to its last.
QStringList labels(const QAbstractAxis *axis);

} // namespace ChartAxes
