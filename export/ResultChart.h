#pragma once

#include "core/base/LocaleSettings.h"

#include <QString>

#include <optional>
#include <vector>

namespace tavi
{
class CellTable;

// One line of a results chart: its name in the legend and a value per point, empty where the
// cell held no number (a gap in the line, never a zero).
struct ChartLine {
    QString name;
    std::vector<std::optional<double>> values;
};

// What a module window's chart shows: lines over numbered points (days or discharge
// points), with the titles that say what and in which unit.
struct ResultChart {
    QString caption; // of the chart's window: "Gráfico - Módulo Pecuária"
    QString title;   // above the plot
    QString xTitle;  // "Dia", "Ponto de lançamento"
    QString yTitle;  // with its unit: "Demanda (m³/dia)"
    int firstX = 1;  // x of each line's first value; the next ones follow one apart
    std::vector<ChartLine> lines;

    // Whether any line holds a number: a chart of nothing but gaps says nothing.
    bool hasNumbers() const;
};

// The cells of column `col` from `firstRow` to `lastRow` as a line, each read with the
// models' text-to-number rule; an empty cell, one that does not read, or a number beyond
// the range of a double is a gap.
ChartLine columnLine(const CellTable &table, int col, int firstRow, int lastRow,
                     const QString &name, const LocaleSettings &locale = LocaleSettings::current());

} // namespace tavi
