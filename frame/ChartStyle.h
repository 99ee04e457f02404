#pragma once

#include <QColor>
#include <QString>

class QChart;

// The one look of the program's charts, in the result window, the workbook window, the
// summary and its report, and the station dialog: numbers written with the user's regional
// settings whatever their separators, the fonts on the screen and on paper, the series'
// colours. Their axes are ChartAxes'.
namespace ChartStyle
{

// A new chart as every view starts it, for the screen: its title's font, the legend below,
// narrow margins.
void prepare(QChart *chart);

// The fonts of the chart's title, legend and axes on paper, once its axes are in: sizes in
// pixels of a 96-dpi layout, so that 11 px print at about 8 pt whatever screen the program
// runs on.
void setPaperFonts(QChart *chart);

// A number as a chart writes it: `decimals` places, thousands grouped, the separators of the
// user's regional settings ("1.234,5", "1,234.5", "1٬234٫5"). No QLocale writes Latin digits
// with "٫", so Qt's own locale-aware labels cannot be used.
QString number(double value, int decimals);
// Scientific notation, the user's decimal separator: "1,50e+06".
QString scientificNumber(double value, int decimals);

// The colour of the chart's `index`-th series (from 0), repeating after kColours. The first
// three are the summary's sectors (public supply, livestock, agriculture), so a chart of the
// summary's workbook shows each sector as the summary window does.
constexpr int kColours = 10;
QColor seriesColour(int index);

} // namespace ChartStyle
