#pragma once

#include "core/sectors/catalogue/AgricultureTables.h"

#include <array>

class QFrame;
class ResultGrid;

// The lower panel of the agriculture window: a scroll box of day grids side by side (the
// input series SG_Serie, then the classes SG_Classe_A to SG_Classe_I), and beside it the
// daily total SG_Total, its first row level with day 1 of the grids.
struct DayGrids {
    ResultGrid *serie;
    std::array<ResultGrid *, tavi::agriculture::kClasses> classes;
    ResultGrid *total;
};

// Lays the grids and their titles out inside `panel`.
DayGrids addDayGrids(QFrame *panel);
