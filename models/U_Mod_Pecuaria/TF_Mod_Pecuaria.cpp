#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"

#include "core/sectors/livestock/LivestockModel.h"
#include "export/ResultChartDialog.h"
#include "export/ResultExport.h"
#include "frame/Fonts.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

namespace
{

struct Species {
    const char *caption;     // input rows (no accent on "Suino")
    const char *consumption; // per-head consumption field
    const char *herd;        // herd size field
    const char *header;      // grid header ("SUÍNO" with its accent)
    const char *chartName;   // the chart's legend
};

const Species kSpecies[tavi::kSpeciesCount] = {
    {"Bovino", "me_bovino", "e_qte_bovino", "BOVINO", "Bovino"},
    {"Suino", "me_suino", "e_qte_suino", "SUÍNO", "Suíno"},
    {"Equino", "me_equino", "e_qte_equino", "EQUINO", "Equino"},
    {"Caprino", "me_caprino", "e_qte_caprino", "CAPRINO", "Caprino"},
    {"Galináceo", "me_galinaceo", "e_qte_galinaceo", "GALINÁCEO", "Galináceo"},
};

// Where the rows of an input group sit, group-relative.
constexpr int kCaptionX = 6;
constexpr int kFieldX = 74;
constexpr int kFirstRowY = 30;
constexpr int kRowStep = 22;
constexpr int kFieldHeight = 20;

// A thin sunken strip in the workspace colour, separating captions from fields or a header
// line from the rows.
QFrame *addStrip(QWidget *parent, const QRect &geometry)
{
    auto *strip = new QFrame(parent);
    strip->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    strip->setLineWidth(1);
    strip->setAutoFillBackground(true);
    strip->setBackgroundRole(QPalette::Dark);
    strip->setGeometry(geometry);
    return strip;
}

QLabel *addLabel(QWidget *parent, const QString &text, const QPoint &at,
                 const QFont &font = Fonts::windowFont())
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    label->adjustSize();
    label->move(at);
    return label;
}

// One input group: the header line "Rebanho" / `fieldHeading`, then one row per species of
// caption, field (named by `fieldName`) and, where given, the unit.
QGroupBox *makeSpeciesGroup(QWidget *parent, const QRect &geometry, const QString &fieldHeading,
                            const char *Species::*fieldName, int fieldWidth, const QString &format,
                            const QString &unit,
                            std::array<NumericEdit *, tavi::kSpeciesCount> &fields)
{
    auto *group = new QGroupBox(parent);
    group->setGeometry(geometry);
    const QFont headerFont = Fonts::verdana(9, true);
    addLabel(group, QStringLiteral("Rebanho"), QPoint(kCaptionX, 8), headerFont);
    addLabel(group, fieldHeading, QPoint(kFieldX, 8), headerFont);
    addStrip(group, QRect(3, 22, geometry.width() - 6, 3));
    const int rowsBottom = kFirstRowY + (tavi::kSpeciesCount - 1) * kRowStep + kFieldHeight;
    addStrip(group, QRect(kFieldX - 9, kFirstRowY, 5, rowsBottom - kFirstRowY));
    for (int i = 0; i < tavi::kSpeciesCount; ++i) {
        const int y = kFirstRowY + i * kRowStep;
        auto *caption =
            addLabel(group, QString::fromUtf8(kSpecies[i].caption), QPoint(kCaptionX, y));
        caption->setFixedHeight(kFieldHeight);
        auto *field = new NumericEdit(group);
        field->setObjectName(QString::fromLatin1(kSpecies[i].*fieldName));
        field->setDisplayFormat(format);
        field->setGeometry(kFieldX, y, fieldWidth, kFieldHeight);
        if (!unit.isEmpty())
            addLabel(group, unit, QPoint(kFieldX + fieldWidth + 5, y))
                ->setFixedHeight(kFieldHeight);
        fields[i] = field;
    }
    return group;
}

// A bold title centred over the grid columns [first, last].
void addColumnTitle(QWidget *parent, const QString &text, const QRect &grid, int columnWidth,
                    int first, int last)
{
    QLabel *title = addLabel(parent, text, QPoint(), Fonts::verdana(11, true));
    const int left = grid.x() + 1 + first * columnWidth;
    const int width = (last - first + 1) * columnWidth;
    title->move(left + (width - title->width()) / 2, grid.y() - title->height() - 3);
}

} // namespace

TF_Mod_Pecuaria::TF_Mod_Pecuaria(QWidget *parent) : ModuleWindow(parent)
{
    setObjectName(QStringLiteral("F_Mod_Pecuaria"));
    setWindowTitle(QStringLiteral("Módulo Pecuária"));
    setFixedSize(557, 692);
    addTitleBlock(QStringLiteral("Pecuária"));

    QFrame *input =
        addPanel(this, QRect(20, 60, 425, 193), QStringLiteral("Parâmetros de Entrada do Modelo"),
                 QStringLiteral("Panel1"));
    auto *perCapita = new QLabel(QStringLiteral("Consumos Per - Capita"), input);
    perCapita->setFont(Fonts::verdana(11, true, true));
    perCapita->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    perCapita->setIndent(4);
    perCapita->setGeometry(6, 24, 216, 18);
    makeSpeciesGroup(input, QRect(6, 44, 216, 143), QStringLiteral("Consumo per - capita"),
                     &Species::consumption, 70, QStringLiteral(",0.00;-,0.00"),
                     QStringLiteral("litros/dia"), m_consumption);
    makeSpeciesGroup(input, QRect(226, 44, 193, 143), QStringLiteral("Número de cabeças"),
                     &Species::herd, 100, QStringLiteral(",0.;-,0."), QString(), m_herd);
    me_galinaceo = m_consumption.back();
    e_qte_bovino = m_herd.front();
    e_qte_galinaceo = m_herd.back();

    addButtons(this, QPoint(461, 60), QPoint(461, 128), QPoint(461, 196));

    QFrame *results = addPanel(this, QRect(20, 270, 493, 395),
                               QStringLiteral("Simulação e Resultados"), QStringLiteral("Panel2"));
    // Header row plus days 1 to 365 shown; day 366 is stored below them.
    SG_Resultado = new ResultGrid(7, tavi::kLivestockDays + 1, 366, true, results);
    SG_Resultado->setObjectName(QStringLiteral("SG_Resultado"));
    SG_Resultado->setFont(Fonts::verdana(11));
    SG_Resultado->setEditable(true);
    const QRect gridRect(5, 62, 482, 326);
    SG_Resultado->setGeometry(gridRect);
    addColumnTitle(results, QStringLiteral("Demanda (m3/dia)"), gridRect, 65, 1, 5);
    addColumnTitle(results, QStringLiteral("Total Pecuária"), gridRect, 65, 6, 6);
    addChartButton(results, QPoint(results->width() - 83, 4));

    // Tab order differs from the buttons' order on screen: Simular, Sair, Salvar.
    QList<QWidget *> chain{input};
    for (NumericEdit *f : m_consumption)
        chain << f;
    for (NumericEdit *f : m_herd)
        chain << f;
    chain << simularButton() << sairButton() << salvarButton() << results << SG_Resultado;
    for (int i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);

    onExit(me_galinaceo, this, &TF_Mod_Pecuaria::me_galinaceoExit);
    onExit(e_qte_galinaceo, this, &TF_Mod_Pecuaria::e_qte_galinaceoExit);
}

void TF_Mod_Pecuaria::FormActivate()
{
    m_consumption.front()->setFocus(Qt::OtherFocusReason);
    SG_Resultado->setCell(0, 0, QStringLiteral("DIA"));
    for (int s = 0; s < tavi::kSpeciesCount; ++s)
        SG_Resultado->setCell(s + 1, 0, QString::fromUtf8(kSpecies[s].header));
    SG_Resultado->setCell(tavi::kLivestockTotalColumn, 0, QStringLiteral("m3/dia"));
}

void TF_Mod_Pecuaria::me_galinaceoExit()
{
    moveFocusTo(e_qte_bovino);
}

void TF_Mod_Pecuaria::e_qte_galinaceoExit()
{
    moveFocusTo(simularButton());
}

void TF_Mod_Pecuaria::b_simularClick()
{
    tavi::LivestockInputs in;
    for (int s = 0; s < tavi::kSpeciesCount; ++s) {
        in[s].heads = m_herd[s]->value();
        in[s].litresPerHead = m_consumption[s]->value();
    }
    tavi::fillLivestock(SG_Resultado->table(), in);
}

void TF_Mod_Pecuaria::clearResults()
{
    tavi::clearLivestock(SG_Resultado->table());
}

tavi::ResultChart TF_Mod_Pecuaria::resultChart() const
{
    tavi::ResultChart chart;
    chart.caption = QStringLiteral("Gráfico - ") + windowTitle();
    chart.title = QStringLiteral("Demanda diária da pecuária");
    chart.xTitle = QStringLiteral("Dia");
    chart.yTitle = QStringLiteral("Demanda (m³/dia)");
    const tavi::CellTable &grid = SG_Resultado->table();
    for (int s = 0; s < tavi::kSpeciesCount; ++s)
        chart.lines.push_back(tavi::columnLine(grid, s + 1, 1, tavi::kLivestockDays,
                                               QString::fromUtf8(kSpecies[s].chartName)));
    chart.lines.push_back(tavi::columnLine(grid, tavi::kLivestockTotalColumn, 1,
                                           tavi::kLivestockDays, QStringLiteral("Total")));
    return chart;
}

void TF_Mod_Pecuaria::b_graficoClick()
{
    ResultChartBox::show(this, resultChart());
}

void TF_Mod_Pecuaria::b_salvarClick()
{
    if (!requireCurrentResults(ResultsNotice::Purpose::Save))
        return;
    exportLivestock(this, SG_Resultado->table());
}
