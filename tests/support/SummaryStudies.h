#pragma once

// Studies for the summary and the command line: one in which every sector computes, and the
// same with the agriculture series unreadable at one cell.

#include "core/numbers/NumberText.h"
#include "core/numbers/StudyText.h"
#include "core/study/Study.h"

namespace testing
{

// Every consuming sector has demand that varies over the year, and the dilution a positive
// maximum at one of its points.
inline tavi::Study everySectorStudy()
{
    tavi::Study s = tavi::defaultStudy();
    s.name = QStringLiteral("Município de Águas Claras");
    s.windows["TF_Abast_Publico"].fields = {{"me_1", "25000"}, {"me_2", "0.2"}, {"me_3", "30000"},
                                            {"me_4", "0.1"},   {"me_5", "80"},  {"e_p_2", "2"},
                                            {"e_p_4", "1000"}};
    s.windows["TF_Mod_Pecuaria"].fields = {{"me_bovino", "50"}, {"e_qte_bovino", "12000"}};
    tavi::StudyGrid &series = s.windows["TF_Mod_Agricultura"].grids["SG_Serie"];
    for (int day = 0; day < series.size(); ++day)
        series[day] = {tavi::formatGeneral(3 + day % 40 * 0.1L, tavi::studyNumberSettings()),
                       QString::number(day % 9)};
    s.windows["TF_Dem_Agua"].fields = {{"ce_2", "0.38"}, {"ce_3", "50"}, {"ce_4", "1.2"},
                                       {"ce_5", "300"},  {"ce_6", "5"},  {"ce_7", "1"},
                                       {"ce_8", "0.1"}};
    return s;
}

// The place the agriculture's message names for the cell spoiled below.
inline const char *const kSpoiledCellPlace = "Série, dia 100, coluna ETP";

inline tavi::Study agricultureFailingStudy()
{
    tavi::Study s = everySectorStudy();
    s.windows["TF_Mod_Agricultura"].grids["SG_Serie"][99][0] = QStringLiteral("abc");
    return s;
}

} // namespace testing
