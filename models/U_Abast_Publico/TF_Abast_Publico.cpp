#include "models/U_Abast_Publico/TF_Abast_Publico.h"

#include "core/sectors/supply/SupplyRun.h"
#include "export/ResultChartDialog.h"
#include "export/ResultExport.h"
#include "frame/Fonts.h"
#include "frame/InputField.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "frame/StudyInputs.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScopeGuard>
#include <QToolButton>

namespace
{

// One group box of caption / field / unit rows, one per input row from `first` to `last`.
QGroupBox *makeGroup(QWidget *parent, const QRect &geometry, int first, int last,
                     QList<NumericEdit *> &fields)
{
    const std::vector<tavi::FieldDefinition> &rows = tavi::fieldDefinitions(tavi::SectorId::Supply);
    auto *group = new QGroupBox(parent);
    group->setGeometry(geometry);
    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);
    for (int i = first; i <= last; ++i) {
        const tavi::FieldDefinition &row = rows[std::size_t(i)];
        auto *caption = new QLabel(row.caption, group);
        caption->setWordWrap(true);
        NumericEdit *field = newInputField(row, group);
        field->setFixedSize(84, 21);
        auto *unit = new QLabel(row.unit, group);
        grid->addWidget(caption, i - first, 0);
        grid->addWidget(field, i - first, 1);
        grid->addWidget(unit, i - first, 2);
        fields << field;
    }
    grid->setColumnStretch(0, 1);
    return group;
}

} // namespace

TF_Abast_Publico::TF_Abast_Publico(QWidget *parent) : ModuleWindow(tavi::SectorId::Supply, parent)
{
    setObjectName(QStringLiteral("F_Abast_Publico"));
    setWindowTitle(tavi::sectorDescriptor(tavi::SectorId::Supply).title);
    setFixedSize(990, 519);
    addTitleBlock(tavi::sectorDescriptor(tavi::SectorId::Supply).caption);

    QFrame *input =
        addPanel(this, QRect(9, 60, 511, 290), QStringLiteral("Parâmetros de Entrada do Modelo"),
                 QStringLiteral("Panel1"));
    QList<NumericEdit *> fields;
    // The current demand's five fields, then next year's four.
    makeGroup(input, QRect(6, 24, 499, 140), 0, 4, fields);
    auto *nextYear = new QLabel(QStringLiteral("Cálculo da Demanda no Ano Subsequente"), input);
    nextYear->setFont(Fonts::verdana(12, true, true));
    nextYear->adjustSize();
    nextYear->move(8, 166);
    makeGroup(input, QRect(6, 181, 499, 105), 5, 8, fields);
    me_1 = fields[0], me_2 = fields[1], me_3 = fields[2], me_4 = fields[3], me_5 = fields[4];
    e_p_1 = fields[5], e_p_2 = fields[6], e_p_3 = fields[7], e_p_4 = fields[8];

    addButtons(this, QPoint(526, 120), QPoint(526, 190), QPoint(526, 260));

    QFrame *results = addPanel(this, QRect(605, 60, 377, 444),
                               QStringLiteral("Simulação e Resultados"), QStringLiteral("Panel2"));
    auto *demandLine =
        new QLabel(QStringLiteral("Demanda per-capita no ano subsequente: "), results);
    demandLine->setFont(Fonts::verdana(9, true));
    demandLine->adjustSize();
    demandLine->move(6, 34);
    me_demanda = new NumericEdit(results);
    me_demanda->setObjectName(QStringLiteral("me_demanda"));
    me_demanda->setDisplayFormat(QStringLiteral(",0.0000;-,0.0000"));
    me_demanda->setDecimalPlaces(tavi::kNextYearPerCapitaDecimals);
    me_demanda->setReadOnly(true);
    me_demanda->setGeometry(demandLine->x() + demandLine->width() + 3, 30, kDemandFieldWidth, 21);
    demandUnit = new QLabel(QStringLiteral("(m3/dia.habitante)"), results);
    demandUnit->setObjectName(QStringLiteral("demandUnit"));
    demandUnit->setFont(Fonts::verdana(9));
    demandUnit->adjustSize();
    demandUnit->move(me_demanda->geometry().right() + 4, 35);

    auto *gridTitle = new QLabel(QStringLiteral("Demanda Bruta (m3/dia)"), results);
    gridTitle->setFont(Fonts::verdana(11, true));
    gridTitle->adjustSize();
    gridTitle->move(78, 64);

    SG_Resultado = new ResultGrid(tavi::supply::kGridColumns, tavi::supply::kGridDays + 1,
                                  tavi::supply::kGridDays + 1, true, results);
    SG_Resultado->setObjectName(QStringLiteral("SG_Resultado"));
    SG_Resultado->setFont(Fonts::verdana(9));
    SG_Resultado->setGeometry(78, 82, 220, 354);
    addChartButton(results, QPoint(results->width() - 83, 4));

    setTabOrder(input, me_1);
    QWidget *chain[] = {me_1,           me_2,         me_3,         me_4,
                        me_5,           e_p_1,        e_p_2,        e_p_3,
                        e_p_4,          results,      SG_Resultado, simularButton(),
                        salvarButton(), sairButton(), me_demanda};
    for (size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);

    onExit(me_5, this, &TF_Abast_Publico::me_5Exit);
    onExit(e_p_4, this, &TF_Abast_Publico::e_p_4Exit);
}

void TF_Abast_Publico::FormActivate()
{
    me_1->setFocus(Qt::OtherFocusReason);
    const std::unique_ptr<tavi::CellTable> headings(tavi::supply::newGrid());
    for (int c = 0; c < tavi::supply::kGridColumns; ++c)
        SG_Resultado->setCell(c, 0, headings->cell(c, 0));
}

void TF_Abast_Publico::me_5Exit()
{
    moveFocusTo(e_p_1);
}

void TF_Abast_Publico::e_p_4Exit()
{
    moveFocusTo(simularButton());
}

void TF_Abast_Publico::b_simularClick()
{
    const tavi::LocaleSettings &locale = tavi::LocaleSettings::current();
    tavi::supply::Result result;
    // What the run wrote before an error is shown as well.
    const auto show = qScopeGuard([this, &result] { showResult(result); });
    tavi::supply::run(tavi::supply::readInputs(StudyInputs::collect(this), locale), locale, result);
}

void TF_Abast_Publico::showResult(const tavi::supply::Result &result)
{
    // A run stopped by its inputs leaves the window as it was.
    if (!result.nextYearPerCapita)
        return;
    me_demanda->setValue(*result.nextYearPerCapita);
    showWholeDemand();
    SG_Resultado->table().copyFrom(*result.grid);
}

void TF_Abast_Publico::clearResults()
{
    me_demanda->setValue(0);
    tavi::clearPublicSupply(SG_Resultado->table());
}

// The field widens to show a large per-capita demand whole, up to the edge of its panel; its
// unit moves under it when the line has no room left.
void TF_Abast_Publico::showWholeDemand()
{
    const int needed =
        me_demanda->fontMetrics().horizontalAdvance(me_demanda->displayTextOfValue());
    const QRect field = me_demanda->geometry();
    const int room = me_demanda->parentWidget()->width() - field.x() - 4;
    me_demanda->resize(qMax(kDemandFieldWidth, qMin(needed + 12, room)), field.height());
    const int right = me_demanda->geometry().right() + 4;
    const bool fits = right + demandUnit->width() <= me_demanda->parentWidget()->width() - 4;
    demandUnit->move(fits ? QPoint(right, 35) : QPoint(field.x(), field.bottom() + 2));
}

tavi::ResultChart TF_Abast_Publico::resultChart() const
{
    // Days 1 to 365 in rows 1 to 365.
    constexpr int kLastDay = 365;
    tavi::ResultChart chart;
    chart.caption = QStringLiteral("Gráfico - ") + windowTitle();
    chart.title = QStringLiteral("Demanda bruta diária do abastecimento público");
    chart.xTitle = QStringLiteral("Dia");
    chart.yTitle = QStringLiteral("Demanda (m³/dia)");
    const tavi::CellTable &grid = SG_Resultado->table();
    chart.lines.push_back(tavi::columnLine(grid, 1, 1, kLastDay, QStringLiteral("Atual")));
    chart.lines.push_back(tavi::columnLine(grid, 2, 1, kLastDay, QStringLiteral("Futura")));
    return chart;
}

void TF_Abast_Publico::b_graficoClick()
{
    ResultChartBox::show(this, resultChart());
}

void TF_Abast_Publico::b_salvarClick()
{
    if (!requireCurrentResults(ResultsNotice::Purpose::Save))
        return;
    exportPublicSupply(this, SG_Resultado->table());
}
