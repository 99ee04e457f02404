#pragma once

#include <QColor>

// The colours of the program's charts. The first three are the summary's sectors (public
// supply, livestock, agriculture), so a chart of the summary's workbook shows each sector as
// the summary window does.
namespace ChartColours
{

constexpr int kCount = 10;

// The colour of the chart's `index`-th series (from 0), repeating after kCount.
QColor series(int index);

} // namespace ChartColours
