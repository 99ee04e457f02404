#include "BenchUtil.h"

#include "core/numbers/NumberText.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/StudyFile.h"
#include "frame/StudyInputs.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"

#include <QTemporaryDir>

namespace
{

// A study whose agriculture series holds a full year of 15-digit numbers, the largest a
// planner's study gets.
tavi::Study fullStudy()
{
    tavi::Study study = tavi::defaultStudy();
    study.name = QStringLiteral("Município de referência");
    tavi::StudyGrid &serie =
        study.windows[tavi::keys::kAgricultureWindow].grids[tavi::keys::kSeries];
    for (int day = 0; day < serie.size(); ++day)
        serie[day] = {
            tavi::formatGeneral(day * 0.0123456789012345L + 3, tavi::studyNumberSettings()),
            tavi::formatGeneral(day * 0.987654321098765L, tavi::studyNumberSettings())};
    return study;
}

} // namespace

void benchStudy()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("estudo.tavi"));
    const tavi::Study study = fullStudy();
    bench::row(QStringLiteral("study: save a full year to its file"),
               bench::medianMs(21, [&] { tavi::saveStudyFile(path, study); }), "ms",
               QStringLiteral("goal < 20"));
    bench::row(QStringLiteral("study: open a full year from its file"),
               bench::medianMs(21, [&] { tavi::loadStudyFile(path); }), "ms",
               QStringLiteral("goal < 20"));
    TF_Mod_Agricultura window;
    const tavi::WindowInputs inputs = study.windows.value(tavi::keys::kAgricultureWindow);
    bench::row(QStringLiteral("study: fill the agriculture window and take it back"),
               bench::medianMs(21,
                               [&] {
                                   StudyInputs::fill(&window, inputs);
                                   StudyInputs::collect(&window);
                               }),
               "ms");
}
