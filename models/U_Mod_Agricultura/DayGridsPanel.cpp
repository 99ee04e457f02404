#include "models/U_Mod_Agricultura/DayGridsPanel.h"

#include "frame/Fonts.h"
#include "frame/ResultGrid.h"
#include "models/U_Mod_Agricultura/AgricultureWidgets.h"

#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

using namespace tavi::agriculture;
using AgricultureWidgets::addCentredLabel;
using AgricultureWidgets::addLabel;

namespace
{

constexpr int kDayColumnWidth = 70;
constexpr int kDayRowHeight = 21;
constexpr int kDayGridPitch = 380; // left edge to left edge of the grids in the scroll box
constexpr int kDayGridWidth = 375;
constexpr int kDayGridHeight = 359;
constexpr int kGridTitleHeight = 18;

ResultGrid *addDayGrid(QWidget *parent, const char *name, const TableShape &shape,
                       const QString &title, int left)
{
    addLabel(parent, title, Fonts::verdana(11, true))->move(left, 2);
    auto *grid = AgricultureWidgets::newGrid(shape, parent);
    grid->setObjectName(QLatin1String(name));
    grid->setFont(Fonts::verdana(9));
    grid->horizontalHeader()->setFont(Fonts::verdana(9));
    grid->setEditable(true);
    grid->setDecimalTranslationOnPaste(true);
    grid->setTabKeyNavigation(true);
    grid->setDefaultColumnWidth(kDayColumnWidth);
    grid->setRowHeight(kDayRowHeight);
    grid->setGeometry(left, kGridTitleHeight, kDayGridWidth, kDayGridHeight);
    return grid;
}

// The total, under its three title lines, beside the scroll box.
ResultGrid *addTotal(QFrame *panel, const QScrollArea *scrollBox)
{
    const int totalLeft = scrollBox->geometry().right() + 5;
    // Wide enough for a 15-digit total beside its scroll bar.
    const int totalWidth = 152;
    const int firstDayTop =
        scrollBox->y() + scrollBox->frameWidth() + kGridTitleHeight + kDayRowHeight;
    const QFont titleFont = Fonts::verdana(11, true);
    int top = 20;
    for (const char *line : {"Total", "Agricultura", "(m3/dia)"}) {
        QLabel *label = addCentredLabel(panel, QString::fromLatin1(line), titleFont, totalLeft,
                                        totalLeft + totalWidth, top);
        top += label->height() - 1;
    }
    ResultGrid *total = AgricultureWidgets::newGrid(kTotalShape, panel);
    total->setObjectName(QStringLiteral("SG_Total"));
    total->setFont(Fonts::verdana(9));
    total->setDefaultColumnWidth(kDayColumnWidth);
    total->setRowHeight(kDayRowHeight);
    // A total wider than its column scrolls sideways rather than being cut.
    total->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    total->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette silver = total->palette();
    silver.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    total->setPalette(silver);
    total->setGeometry(totalLeft, firstDayTop, totalWidth, 336);
    return total;
}

} // namespace

DayGrids addDayGrids(QFrame *panel)
{
    DayGrids grids{};
    auto *scrollBox = new QScrollArea(panel);
    scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    scrollBox->setGeometry(4, 22, 841, 398);
    scrollBox->setFocusPolicy(Qt::NoFocus);
    scrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *strip = new QWidget;
    strip->setAutoFillBackground(false);
    grids.serie =
        addDayGrid(strip, "SG_Serie", kSerieShape, QStringLiteral("Série de Dados de Entrada"), 4);
    // The day labels are not data: typed over, or pasted into by a block meant for the series,
    // they would shift ETP and P by a column without a word.
    grids.serie->table().setColumnReadOnly(kDayColumn);
    for (int k = 0; k < kClasses; ++k) {
        const QByteArray name = "SG_Classe_" + QByteArray(1, char('A' + k));
        grids.classes[k] =
            addDayGrid(strip, name.constData(), kClassShape,
                       QStringLiteral("Classe ") + classLetter(k), 4 + (k + 1) * kDayGridPitch);
    }
    strip->resize(4 + (kClasses + 1) * kDayGridPitch, kGridTitleHeight + kDayGridHeight + 1);
    scrollBox->setWidget(strip);
    // Moving the focus into a grid out of sight brings it into view.
    QObject::connect(qApp, &QApplication::focusChanged, scrollBox,
                     [scrollBox, strip](QWidget *, QWidget *now) {
                         for (QWidget *w = now; w; w = w->parentWidget()) {
                             if (w->parentWidget() == strip) {
                                 scrollBox->ensureWidgetVisible(w, 0, 0);
                                 return;
                             }
                         }
                     });
    grids.total = addTotal(panel, scrollBox);
    // The series, the classes and the total scroll as one, row for row, so that a total is
    // always beside its day.
    QList<ResultGrid *> days{grids.serie, grids.total};
    for (ResultGrid *grid : grids.classes)
        days << grid;
    for (ResultGrid *from : days)
        for (ResultGrid *to : days)
            if (from != to)
                QObject::connect(from->verticalScrollBar(), &QScrollBar::valueChanged,
                                 to->verticalScrollBar(), &QScrollBar::setValue);
    return grids;
}
