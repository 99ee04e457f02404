#include "models/U_Dem_Agua/TF_Dem_Agua.h"

#include "core/base/LocaleSettings.h"
#include "core/sectors/dilution/DilutionRun.h"
#include "core/tables/CellTable.h"
#include "export/ResultChartDialog.h"
#include "export/ResultExport.h"
#include "frame/Activation.h"
#include "frame/Fonts.h"
#include "frame/InputField.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "frame/ScreenCentre.h"
#include "frame/StudyInputs.h"
#include "models/U_Dem_Agua/MaximumBox.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

using namespace tavi;

namespace
{

const QString kTwoDecimals = QStringLiteral(",0.00;-,0.00");
const QString kMaximumCaption = QStringLiteral("Máxima Vazão Acumulada:");

constexpr int kRowHeight = 21;
constexpr int kPointColumnWidth = 150;
constexpr int kFlowColumnWidth = 80;
constexpr int kDefaultColumnWidth = 100;

NumericEdit *makeField(QWidget *parent, const QString &name, long double value)
{
    auto *field = new NumericEdit(parent);
    field->setObjectName(name);
    field->setDisplayFormat(kTwoDecimals);
    field->setValue(value);
    return field;
}

} // namespace

TF_Dem_Agua::TF_Dem_Agua(QWidget *parent) : ModuleWindow(SectorId::Dilution, parent)
{
    setObjectName(QStringLiteral("F_Dem_Agua"));
    setWindowTitle(tavi::sectorDescriptor(tavi::SectorId::Dilution).title);
    setFixedSize(623, 721);
    // This window opens centred on the screen rather than over the main window.
    centreOnScreen(this);
    addTitleBlock(tavi::sectorDescriptor(tavi::SectorId::Dilution).caption);

    QFrame *parameters =
        addPanel(this, QRect(9, 60, 517, 262),
                 QStringLiteral("Parâmetros para o Cálculo da Vazão Alocada ou Indisponível"),
                 QStringLiteral("Panel1"));
    parameters->setFocusPolicy(Qt::NoFocus);
    auto *group = new QGroupBox(parameters);
    group->setGeometry(6, 26, 505, 230);
    auto *rows = new QGridLayout(group);
    rows->setContentsMargins(8, 6, 8, 6);
    rows->setHorizontalSpacing(8);
    rows->setVerticalSpacing(3);
    const std::vector<FieldDefinition> &inputRows = fieldDefinitions(SectorId::Dilution);
    for (int i = 0; i < int(m_fields.size()); ++i) {
        const FieldDefinition &input = inputRows[std::size_t(i)];
        NumericEdit *field = newInputField(input, group);
        field->setFixedSize(96, kRowHeight);
        auto *caption = new QLabel(input.caption, group);
        if (input.unused)
            caption->setToolTip(unusedFieldTip());
        rows->addWidget(caption, i, 0);
        rows->addWidget(field, i, 1);
        rows->addWidget(new QLabel(input.unit, group), i, 2);
        m_fields[i] = field;
    }
    rows->setColumnStretch(0, 1);
    rows->setColumnMinimumWidth(2, 60);
    ce_1 = m_fields[0];
    // A hidden field of the window's own; the decimal keys follow the regional settings, not
    // its text.
    ce_aux_valor = makeField(parameters, QStringLiteral("ce_aux_valor"), 8.3L);
    ce_aux_valor->hide();

    addButtons(this, QPoint(538, 60), QPoint(538, 128), QPoint(538, 196));
    addChartButton(this, QPoint(538, 264));

    auto *results = new QFrame(this);
    results->setObjectName(QStringLiteral("Panel2"));
    results->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    results->setLineWidth(2);
    results->setGeometry(9, 330, 605, 382);
    l_vazao = new QLabel(kMaximumCaption, results);
    l_vazao->setObjectName(QStringLiteral("l_vazao"));
    l_vazao->setFont(Fonts::verdana(12, true));
    l_vazao->setGeometry(10, 8, 585, 18);

    // The grid shows all its rows at once; the box around it scrolls vertically only.
    SG_Resultado =
        new ResultGrid(DilutionColumnCount, kDischargePoints + 1, kDischargePoints + 1, true);
    SG_Resultado->setObjectName(QStringLiteral("SG_Resultado"));
    SG_Resultado->setFont(Fonts::verdana(9));
    SG_Resultado->setDefaultColumnWidth(kDefaultColumnWidth);
    SG_Resultado->setRowHeight(kRowHeight);
    SG_Resultado->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SG_Resultado->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * SG_Resultado->frameWidth();
    SG_Resultado->setFixedSize(kPointColumnWidth + kFlowColumnWidth + 3 * kDefaultColumnWidth +
                                   frame,
                               (kDischargePoints + 1) * kRowHeight + frame);
    m_resultBox = new QScrollArea(results);
    m_resultBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_resultBox->setFocusPolicy(Qt::NoFocus);
    m_resultBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_resultBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_resultBox->setWidget(SG_Resultado);
    const int boxWidth = SG_Resultado->width() +
                         m_resultBox->verticalScrollBar()->sizeHint().width() +
                         2 * m_resultBox->frameWidth();
    m_resultBox->setGeometry((results->width() - boxWidth) / 2, 34, boxWidth, 340);
    // Moving through the cells by keyboard keeps the current cell in view.
    connect(SG_Resultado->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                const QRect cell = SG_Resultado->visualRect(current);
                const QPoint at = SG_Resultado->viewport()->mapTo(SG_Resultado, cell.center());
                m_resultBox->ensureVisible(at.x(), at.y(), cell.width() / 2, cell.height());
            });

    SG = newContributionMatrix(this);
    SG->setObjectName(QStringLiteral("SG"));

    QList<QWidget *> chain;
    for (NumericEdit *f : m_fields)
        chain << f;
    chain << simularButton() << sairButton() << salvarButton() << SG_Resultado;
    for (int i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

void TF_Dem_Agua::FormActivate()
{
    translateDecimalKeyTo(LocaleSettings::current().decimalSeparator);
    ce_1->setFocus(Qt::OtherFocusReason);
    writeDilutionHeaders(SG_Resultado->table());
    SG_Resultado->setColumnWidth(PointColumn, kPointColumnWidth);
    SG_Resultado->setColumnWidth(EffluentFlowColumn, kFlowColumnWidth);
    writeContributionHeaders(*SG);
    writePointNumbers(SG_Resultado->table());
}

void TF_Dem_Agua::b_simularClick()
{
    // A run that stops leaves nothing of an earlier run on the screen, its maximum included.
    clearResults();
    const LocaleSettings &locale = LocaleSettings::current();
    dilution::Result result;
    {
        // What the run wrote before an error is shown as well.
        const auto show = qScopeGuard([this, &result] {
            SG_Resultado->table().copyFrom(*result.results);
            SG->copyFrom(*result.contributions);
        });
        dilution::run(dilution::readInputs(StudyInputs::collect(this), locale), locale, result);
    }
    MaximumBox::show(this, result.maximumText);
    // The box covered this window: its activation handler runs again (focus back to ce_1),
    // whether or not a window manager hands activation back.
    giveActivationBack(this);
    l_vazao->setText(kMaximumCaption + QLatin1Char(' ') + result.maximumText);
}

void TF_Dem_Agua::clearResults()
{
    clearDilutionRun(SG_Resultado->table(), *SG);
    l_vazao->setText(kMaximumCaption);
}

ResultChart TF_Dem_Agua::resultChart() const
{
    ResultChart chart;
    chart.caption = QStringLiteral("Gráfico - ") + windowTitle();
    chart.title = QStringLiteral("Vazão indisponível acumulada ao longo do rio");
    chart.xTitle = QStringLiteral("Ponto de lançamento");
    chart.yTitle = QStringLiteral("Vazão (m³/s)");
    chart.lines.push_back(columnLine(SG_Resultado->table(), AccumulatedFlowColumn, 1,
                                     kDischargePoints, QStringLiteral("Qind.n (acumulada)")));
    return chart;
}

void TF_Dem_Agua::b_graficoClick()
{
    ResultChartBox::show(this, resultChart());
}

void TF_Dem_Agua::b_salvarClick()
{
    if (!requireCurrentResults(ResultsNotice::Purpose::Save))
        return;
    // The application lives only while the export runs: its two chart operations take it
    // as an argument instead of reaching it through a field of this window.
    exportDilution(this, SG_Resultado->table());
}
