#pragma once

#include <vector>

class QChart;
class QChartView;
class QWidget;

namespace tavi
{
class Workbook;
class WorkbookChart;
} // namespace tavi

// The lines a chart draws, one per series holding values, each point i at x = i + 1. In a
// stacked chart each line adds the values of the ones before it.
std::vector<std::vector<double>> chartLines(const tavi::Workbook &workbook,
                                            const tavi::WorkbookChart &chart);

// A chart sheet as the workbook window shows it: its lines, a legend naming each by the
// heading above its values in the summary's colours, points named along x by the first
// series' categories (numbered where it has none), and a value axis scaled as every chart of
// the program scales it; no title.
QChartView *makeChartView(const tavi::Workbook &workbook, const tavi::WorkbookChart &chart,
                          QWidget *parent = nullptr);
