#pragma once

#include "core/numbers/NumberText.h"
#include "core/numbers/StudyText.h"
#include "core/study/Study.h"

namespace bench
{

// A study in which every consuming sector works: the public supply and a herd, and a year
// of weather that varies from day to day.
inline tavi::Study fullStudy()
{
    tavi::Study study = tavi::defaultStudy();
    study.windows[QStringLiteral("TF_Abast_Publico")].fields = {
        {QStringLiteral("me_1"), QStringLiteral("25000")},
        {QStringLiteral("me_2"), QStringLiteral("0.2")},
        {QStringLiteral("me_3"), QStringLiteral("30000")},
        {QStringLiteral("me_5"), QStringLiteral("80")}};
    study.windows[QStringLiteral("TF_Mod_Pecuaria")].fields = {
        {QStringLiteral("me_bovino"), QStringLiteral("50")},
        {QStringLiteral("e_qte_bovino"), QStringLiteral("12000")}};
    tavi::StudyGrid &serie =
        study.windows[QStringLiteral("TF_Mod_Agricultura")].grids[QStringLiteral("SG_Serie")];
    for (int day = 0; day < serie.size(); ++day)
        serie[day] = {tavi::formatGeneral(3 + day % 40 * 0.1L, tavi::studyNumberSettings()),
                      QString::number(day % 9)};
    return study;
}

} // namespace bench
