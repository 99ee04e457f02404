#include "BenchUtil.h"
#include "frame/ResultGrid.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

// A year of evapotranspiration and rainfall pasted into the agriculture window's series at
// day 1, as a planner brings it over from a spreadsheet.
void benchPaste()
{
    TF_Mod_Agricultura window;
    window.show();
    QApplication::setActiveWindow(&window);
    ResultGrid *serie = window.serie();
    QString year;
    for (int day = 1; day <= 366; ++day)
        year += QStringLiteral("%1.25\t%2.5\r\n").arg(day % 7).arg(day % 5);
    QGuiApplication::clipboard()->setText(year);
    const double ms = bench::medianMs(21, [&] {
        serie->setCurrentIndex(serie->model()->index(0, 1));
        serie->selectionModel()->clearSelection();
        QTest::keySequence(serie, QKeySequence::Paste);
        QCoreApplication::processEvents();
    });
    bench::row(QStringLiteral("agriculture: paste of 366 x 2 cells into the series"), ms, "ms",
               QStringLiteral("goal < 100"));
}
