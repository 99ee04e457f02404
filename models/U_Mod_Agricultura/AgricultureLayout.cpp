// The layout of the agriculture window: the crop and parameter tables above, the series, the
// class grids and the total below, and the hidden fields.
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"

#include "frame/Fonts.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>

using namespace tavi::agriculture;

namespace
{

constexpr int kCropColumnWidth = 45;
// The layout's 35 pixels and two more, so that "   0,65" shows whole in the fonts at hand.
constexpr int kParamColumnWidth = 37;
constexpr int kTableRowHeight = 16;
constexpr int kDayColumnWidth = 70;
constexpr int kDayRowHeight = 21;
constexpr int kDayGridPitch = 380; // left edge to left edge of the grids in the scroll box
constexpr int kDayGridWidth = 375;
constexpr int kDayGridHeight = 359;
constexpr int kGridTitleHeight = 18;

QLabel *addLabel(QWidget *parent, const QString &text, const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    label->adjustSize();
    return label;
}

// A label centred over the horizontal span [left, right) at `top`, in a condensed face where
// the font would run over the span's edges.
QLabel *addCentredLabel(QWidget *parent, const QString &text, const QFont &font, int left,
                        int right, int top)
{
    QLabel *label = addLabel(parent, text, font);
    if (label->width() > right - left - 4) {
        QFont condensed = font;
        condensed.setStretch(QFont::Condensed);
        label->setFont(condensed);
        label->adjustSize();
    }
    label->move(left + (right - left - label->width()) / 2, top);
    return label;
}

ResultGrid *newGrid(const TableShape &shape, QWidget *parent)
{
    return new ResultGrid(shape.columns, shape.storedRows, shape.shownRows, shape.headerRow,
                          parent);
}

// A table whose cells all show at once: no scroll bars, the exact size of its cells.
ResultGrid *addTable(QWidget *parent, const char *name, const TableShape &shape, int columnWidth,
                     const QPoint &at)
{
    const int columns = shape.columns;
    const int rows = shape.storedRows;
    auto *grid = newGrid(shape, parent);
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

ResultGrid *addDayGrid(QWidget *parent, const char *name, const TableShape &shape,
                       const QString &title, int left)
{
    addLabel(parent, title, Fonts::verdana(11, true))->move(left, 2);
    auto *grid = newGrid(shape, parent);
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

NumericEdit *addHiddenField(QWidget *parent, const char *name, long double value)
{
    auto *field = new NumericEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setDisplayFormat(QStringLiteral(",0.00;-,0.00"));
    field->setValue(value);
    field->hide();
    return field;
}

} // namespace

void TF_Mod_Agricultura::buildCropPanel()
{
    QFrame *panel =
        addPanel(this, QRect(9, 51, 990, 216), QStringLiteral("Classes da Cultura Irrigada"),
                 QStringLiteral("Panel6"));
    m_cropPanel = panel;
    addLabel(panel, QStringLiteral("Parâmetros de Entrada do Modelo"),
             Fonts::verdana(12, true, true))
        ->move(534, 5);
    const QFont headerFont = Fonts::verdana(9, true);

    // The crop table and its two header lines.
    auto *crops = new QGroupBox(panel);
    crops->setObjectName(QStringLiteral("GroupBox1"));
    crops->setGeometry(6, 20, 517, 193);
    SG_Entrada = addTable(crops, "SG_Entrada", kEntradaShape, kCropColumnWidth, {8, 44});
    SG_Entrada->setFont(Fonts::verdana(9));
    const int x0 = SG_Entrada->x() + SG_Entrada->frameWidth();
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

    // The parameter table, one column per class.
    auto *params = new QGroupBox(panel);
    params->setObjectName(QStringLiteral("GroupBox3"));
    params->setGeometry(526, 20, 461, 193);
    SG_Param = addTable(params, "SG_Param", kParamShape, kParamColumnWidth, {120, 44});
    SG_Param->setFont(Fonts::verdana(9));
    SG_Param->setTabKeyNavigation(true);
    const int p0 = SG_Param->x() + SG_Param->frameWidth();
    addCentredLabel(params, QStringLiteral("Classes"), headerFont, p0,
                    p0 + kClasses * kParamColumnWidth, 13);
    for (int k = 0; k < kClasses; ++k) {
        addCentredLabel(params, QString(classLetter(k)), headerFont, p0 + k * kParamColumnWidth,
                        p0 + (k + 1) * kParamColumnWidth, 28);
    }
    const char *rowCaptions[] = {"Início do Plantio", "Área Irrigada (km2)",
                                 "Eficiência da Irrigação"};
    for (int row = 0; row < kParamRows; ++row) {
        QLabel *caption = addLabel(params, QString::fromUtf8(rowCaptions[row]), font());
        caption->move(6, SG_Param->y() + SG_Param->frameWidth() + row * kTableRowHeight +
                             (kTableRowHeight - caption->height()) / 2);
    }
}

void TF_Mod_Agricultura::buildResultsPanel()
{
    QLabel *heading = nullptr;
    QFrame *panel =
        addPanel(this, QRect(0, height() - 423, width(), 423),
                 QStringLiteral("Simulação e Resultados"), QStringLiteral("Panel7"), &heading);
    heading->setObjectName(QStringLiteral("Label24"));
    m_resultsPanel = panel;

    auto *scrollBox = new QScrollArea(panel);
    scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    scrollBox->setGeometry(4, 22, 901, 398);
    scrollBox->setFocusPolicy(Qt::NoFocus);
    scrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *strip = new QWidget;
    strip->setAutoFillBackground(false);
    SG_Serie =
        addDayGrid(strip, "SG_Serie", kSerieShape, QStringLiteral("Série de Dados de Entrada"), 4);
    for (int k = 0; k < kClasses; ++k) {
        const QByteArray name = "SG_Classe_" + QByteArray(1, char('A' + k));
        SG_Classe[k] =
            addDayGrid(strip, name.constData(), kClassShape,
                       QStringLiteral("Classe ") + classLetter(k), 4 + (k + 1) * kDayGridPitch);
    }
    strip->resize(4 + (kClasses + 1) * kDayGridPitch, kGridTitleHeight + kDayGridHeight + 1);
    scrollBox->setWidget(strip);
    // Moving the focus into a grid out of sight brings it into view.
    connect(qApp, &QApplication::focusChanged, scrollBox,
            [scrollBox, strip](QWidget *, QWidget *now) {
                for (QWidget *w = now; w; w = w->parentWidget()) {
                    if (w->parentWidget() == strip) {
                        scrollBox->ensureWidgetVisible(w, 0, 0);
                        return;
                    }
                }
            });

    // The total, outside the scroll box, its first row level with day 1 of the grids.
    const int totalLeft = scrollBox->geometry().right() + 5;
    const int totalWidth = 92;
    const int firstDayTop =
        scrollBox->y() + scrollBox->frameWidth() + kGridTitleHeight + kDayRowHeight;
    const QFont titleFont = Fonts::verdana(11, true);
    int top = 20;
    for (const char *line : {"Total", "Agricultura", "(m3/dia)"}) {
        QLabel *label = addCentredLabel(panel, QString::fromLatin1(line), titleFont, totalLeft,
                                        totalLeft + totalWidth, top);
        top += label->height() - 1;
    }
    SG_Total = newGrid(kTotalShape, panel);
    SG_Total->setObjectName(QStringLiteral("SG_Total"));
    SG_Total->setFont(Fonts::verdana(9));
    SG_Total->setDefaultColumnWidth(kDayColumnWidth);
    SG_Total->setRowHeight(kDayRowHeight);
    SG_Total->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SG_Total->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette silver = SG_Total->palette();
    silver.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    SG_Total->setPalette(silver);
    SG_Total->setGeometry(totalLeft, firstDayTop, totalWidth, 336);
}

void TF_Mod_Agricultura::buildHiddenFields()
{
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->hide();
    ce_aux = addHiddenField(this, "ce_aux", 0);
    ce_aux_valor = addHiddenField(this, "ce_aux_valor", 8.3L);
    ce_aux_valor2 = addHiddenField(this, "ce_aux_valor2", 4.17L);
    ce_aux_valor3 = addHiddenField(this, "ce_aux_valor3", 0.2L);
    ce_aux_valor4 = addHiddenField(this, "ce_aux_valor4", 4.14L);
    ce_aux_valor5 = addHiddenField(this, "ce_aux_valor5", 0.1L);
}
