#include "models/U_Mod_Agricultura/CropTablesPanel.h"

#include "core/sectors/catalogue/AgricultureTables.h"
#include "frame/Fonts.h"
#include "frame/ResultGrid.h"
#include "models/U_Mod_Agricultura/AgricultureWidgets.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>

using namespace tavi::agriculture;
using AgricultureWidgets::addCentredLabel;
using AgricultureWidgets::addLabel;

namespace
{

constexpr int kCropColumnWidth = 45;
// The layout's 35 pixels and two more, so that "   0,65" shows whole in the fonts at hand.
constexpr int kParamColumnWidth = 37;
constexpr int kTableRowHeight = 16;

// A table whose cells all show at once: no scroll bars, the exact size of its cells.
ResultGrid *addTable(QWidget *parent, const char *name, const TableShape &shape, int columnWidth,
                     const QPoint &at)
{
    const int columns = shape.columns;
    const int rows = shape.storedRows;
    auto *grid = AgricultureWidgets::newGrid(shape, parent);
    grid->setObjectName(QLatin1String(name));
    grid->setEditable(true);
    grid->setDecimalTranslationOnPaste(true);
    grid->setDefaultColumnWidth(columnWidth);
    grid->setRowHeight(kTableRowHeight);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * grid->frameWidth();
    grid->setGeometry(at.x(), at.y(), columns * columnWidth + frame,
                      rows * kTableRowHeight + frame);
    return grid;
}

// A thin sunken strip, dark like the application workspace, between two header groups.
void addSeparator(QWidget *parent, const char *name, int x, int y)
{
    auto *strip = new QFrame(parent);
    strip->setObjectName(QLatin1String(name));
    strip->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    strip->setLineWidth(1);
    strip->setAutoFillBackground(true);
    strip->setBackgroundRole(QPalette::Dark);
    strip->setGeometry(x, y, 2, 29);
}

ResultGrid *addCropTable(QFrame *panel, const QFont &headerFont)
{
    auto *crops = new QGroupBox(panel);
    crops->setObjectName(QStringLiteral("GroupBox1"));
    crops->setGeometry(6, 20, 517, 193);
    ResultGrid *entrada = addTable(crops, "SG_Entrada", kEntradaShape, kCropColumnWidth, {8, 44});
    entrada->setFont(Fonts::verdana(9));
    const int x0 = entrada->x() + entrada->frameWidth();
    const auto columnLeft = [x0](int c) { return x0 + c * kCropColumnWidth; };
    const int upper = 13;
    const int lower = 28;
    addCentredLabel(crops, QStringLiteral("Classe"), headerFont, columnLeft(0), columnLeft(1),
                    upper);
    addCentredLabel(crops, QStringLiteral("Período de cultivo"), headerFont, columnLeft(1),
                    columnLeft(3), upper);
    addCentredLabel(crops, QStringLiteral("(dias)"), headerFont, columnLeft(1), columnLeft(2),
                    lower);
    for (int p = 0; p < 4; ++p) {
        const int length = kPhaseColumn + 2 * p;
        addCentredLabel(crops, QStringLiteral("Fase %1").arg(p + 1), headerFont, columnLeft(length),
                        columnLeft(length + 2), upper);
        addCentredLabel(crops, QStringLiteral("(dias)"), headerFont, columnLeft(length),
                        columnLeft(length + 1), lower);
        addCentredLabel(crops, QStringLiteral("Kc"), headerFont, columnLeft(length + 1),
                        columnLeft(length + 2), lower);
    }
    const char *separators[] = {"Panel2", "Panel3", "Panel8", "Panel9", "Panel10"};
    const int groupStarts[] = {1, 3, 5, 7, 9};
    for (int i = 0; i < 5; ++i)
        addSeparator(crops, separators[i], columnLeft(groupStarts[i]) - 1, 12);
    return entrada;
}

ResultGrid *addParamTable(QFrame *panel, const QFont &headerFont)
{
    auto *params = new QGroupBox(panel);
    params->setObjectName(QStringLiteral("GroupBox3"));
    params->setGeometry(526, 20, 461, 193);
    ResultGrid *param = addTable(params, "SG_Param", kParamShape, kParamColumnWidth, {120, 44});
    param->setFont(Fonts::verdana(9));
    param->setTabKeyNavigation(true);
    const int p0 = param->x() + param->frameWidth();
    addCentredLabel(params, QStringLiteral("Classes"), headerFont, p0,
                    p0 + kClasses * kParamColumnWidth, 13);
    for (int k = 0; k < kClasses; ++k) {
        addCentredLabel(params, QString(classLetter(k)), headerFont, p0 + k * kParamColumnWidth,
                        p0 + (k + 1) * kParamColumnWidth, 28);
    }
    const char *rowCaptions[] = {"Início do Plantio", "Área Irrigada (km2)",
                                 "Eficiência da Irrigação"};
    // The captions in the window's own font, which the panel carries.
    for (int row = 0; row < kParamRows; ++row) {
        QLabel *caption = addLabel(params, QString::fromUtf8(rowCaptions[row]), panel->font());
        caption->move(6, param->y() + param->frameWidth() + row * kTableRowHeight +
                             (kTableRowHeight - caption->height()) / 2);
    }
    return param;
}

} // namespace

CropTables addCropTables(QFrame *panel)
{
    addLabel(panel, QStringLiteral("Parâmetros de Entrada do Modelo"),
             Fonts::verdana(12, true, true))
        ->move(534, 5);
    const QFont headerFont = Fonts::verdana(9, true);
    ResultGrid *entrada = addCropTable(panel, headerFont);
    ResultGrid *param = addParamTable(panel, headerFont);
    return {entrada, param};
}
