#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"

#include "core/sectors/livestock/LivestockRun.h"
#include "export/ResultChartDialog.h"
#include "export/ResultExport.h"
#include "frame/Fonts.h"
#include "frame/InputField.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "frame/StudyInputs.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QScopeGuard>
#include <QToolButton>

namespace
{

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
// caption, field and, where the input rows give one, the unit. The species' rows are the
// input rows from `first` on.
QGroupBox *makeSpeciesGroup(QWidget *parent, const QRect &geometry, const QString &fieldHeading,
                            int first, int fieldWidth,
                            std::array<NumericEdit *, tavi::kSpeciesCount> &fields)
{
    const std::vector<tavi::FieldDefinition> &rows =
        tavi::fieldDefinitions(tavi::SectorId::Livestock);
    auto *group = new QGroupBox(parent);
    group->setGeometry(geometry);
    const QFont headerFont = Fonts::verdana(9, true);
    addLabel(group, QStringLiteral("Rebanho"), QPoint(kCaptionX, 8), headerFont);
    addLabel(group, fieldHeading, QPoint(kFieldX, 8), headerFont);
    addStrip(group, QRect(3, 22, geometry.width() - 6, 3));
    const int rowsBottom = kFirstRowY + (tavi::kSpeciesCount - 1) * kRowStep + kFieldHeight;
    addStrip(group, QRect(kFieldX - 9, kFirstRowY, 5, rowsBottom - kFirstRowY));
    for (int i = 0; i < tavi::kSpeciesCount; ++i) {
        const tavi::FieldDefinition &row = rows[std::size_t(first + i)];
        const int y = kFirstRowY + i * kRowStep;
        auto *caption = addLabel(group, row.caption, QPoint(kCaptionX, y));
        caption->setFixedHeight(kFieldHeight);
        NumericEdit *field = newInputField(row, group);
        field->setGeometry(kFieldX, y, fieldWidth, kFieldHeight);
        if (!row.unit.isEmpty())
            addLabel(group, row.unit, QPoint(kFieldX + fieldWidth + 5, y))
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

TF_Mod_Pecuaria::TF_Mod_Pecuaria(QWidget *parent) : ModuleWindow(tavi::SectorId::Livestock, parent)
{
    setObjectName(QStringLiteral("F_Mod_Pecuaria"));
    setWindowTitle(tavi::sectorDescriptor(tavi::SectorId::Livestock).title);
    setFixedSize(557, 692);
    addTitleBlock(tavi::sectorDescriptor(tavi::SectorId::Livestock).caption);

    QFrame *input =
        addPanel(this, QRect(20, 60, 425, 193), QStringLiteral("Parâmetros de Entrada do Modelo"),
                 QStringLiteral("Panel1"));
    auto *perCapita = new QLabel(QStringLiteral("Consumos Per - Capita"), input);
    perCapita->setFont(Fonts::verdana(11, true, true));
    perCapita->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    perCapita->setIndent(4);
    perCapita->setGeometry(6, 24, 216, 18);
    // The input rows hold the five consumptions, then the five herds.
    makeSpeciesGroup(input, QRect(6, 44, 216, 143), QStringLiteral("Consumo per - capita"), 0, 70,
                     m_consumption);
    makeSpeciesGroup(input, QRect(226, 44, 193, 143), QStringLiteral("Número de cabeças"),
                     tavi::kSpeciesCount, 100, m_herd);
    me_galinaceo = m_consumption.back();
    e_qte_bovino = m_herd.front();
    e_qte_galinaceo = m_herd.back();

    addButtons(this, QPoint(461, 60), QPoint(461, 128), QPoint(461, 196));

    QFrame *results = addPanel(this, QRect(20, 270, 493, 395),
                               QStringLiteral("Simulação e Resultados"), QStringLiteral("Panel2"));
    // Header row plus days 1 to 365 shown; day 366 is stored below them.
    SG_Resultado = new ResultGrid(tavi::kLivestockTotalColumn + 1, tavi::kLivestockDays + 1,
                                  tavi::kLivestockDays, true, results);
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
    const std::unique_ptr<tavi::CellTable> headings(tavi::livestock::newGrid());
    for (int c = 0; c <= tavi::kLivestockTotalColumn; ++c)
        SG_Resultado->setCell(c, 0, headings->cell(c, 0));
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
    const tavi::LocaleSettings &locale = tavi::LocaleSettings::current();
    tavi::livestock::Result result;
    // What the run wrote before an error is shown as well.
    const auto show =
        qScopeGuard([this, &result] { SG_Resultado->table().copyFrom(*result.grid); });
    tavi::livestock::run(tavi::livestock::readInputs(StudyInputs::collect(this), locale), locale,
                         result);
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
        chart.lines.push_back(
            tavi::columnLine(grid, s + 1, 1, tavi::kLivestockDays, tavi::speciesCaption(s)));
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
