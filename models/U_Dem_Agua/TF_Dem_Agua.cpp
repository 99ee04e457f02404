#include "models/U_Dem_Agua/TF_Dem_Agua.h"

#include "core/base/LocaleSettings.h"
#include "core/numbers/NumberText.h"
#include "core/sectors/dilution/DilutionModel.h"
#include "core/study/Study.h"
#include "core/tables/CellTable.h"
#include "export/ResultChartDialog.h"
#include "export/ResultExport.h"
#include "frame/Activation.h"
#include "frame/Fonts.h"
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
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

using namespace tavi;

namespace
{

struct FieldRow {
    const char *name;
    const char *caption;
    const char *unit;
    bool unused = false; // kept for the record, entering no formula
};

const QString kNotUsed = QStringLiteral("Não é usado no cálculo.");

const FieldRow kFields[] = {
    {"ce_1", "Velocidade Média do Curso da Água", "m/s", true},
    {"ce_2", "Coeficiente de Desoxigenação (K)", "(dia-1)"},
    {"ce_3", "Número de Pontos de Lançamento", ""},
    {"ce_4", "Qtotal.efluentes", "m3/s"},
    {"ce_5", "DBO5total", "mg/litro"},
    {"ce_6", "DBO5mit.n", "mg/litro"},
    {"ce_7", "DBO5rio", "mg/litro"},
    {"ce_8", "Tempo de percurso entre pontos", "dia"},
    {"ce_9", "Tempo de percurso total", "dia", true},
};

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

TF_Dem_Agua::TF_Dem_Agua(QWidget *parent) : ModuleWindow(parent)
{
    setObjectName(QStringLiteral("F_Dem_Agua"));
    setWindowTitle(QStringLiteral("Demanda por Água para a Diluição de Esgotos Domésticos"));
    setFixedSize(623, 721);
    // This window opens centred on the screen rather than over the main window.
    centreOnScreen(this);
    addTitleBlock(QStringLiteral("Diluição de Esgotos Domésticos"));

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
    for (int i = 0; i < int(m_fields.size()); ++i) {
        const FieldRow &row = kFields[i];
        auto *field = makeField(group, QString::fromLatin1(row.name), 0);
        field->setFixedSize(96, kRowHeight);
        auto *caption = new QLabel(QString::fromUtf8(row.caption), group);
        if (row.unused) {
            caption->setToolTip(kNotUsed);
            field->setToolTip(kNotUsed);
        }
        rows->addWidget(caption, i, 0);
        rows->addWidget(field, i, 1);
        rows->addWidget(new QLabel(QString::fromUtf8(row.unit), group), i, 2);
        m_fields[i] = field;
    }
    rows->setColumnStretch(0, 1);
    rows->setColumnMinimumWidth(2, 60);
    ce_1 = m_fields[0];
    // The defaults are those of a new study.
    StudyInputs::fill(this, windowInputs(defaultStudy(), QStringLiteral("TF_Dem_Agua")));
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

DilutionInputs TF_Dem_Agua::readInputs()
{
    // ce_1 (river velocity) and ce_9 (total travel time) enter no formula.
    DilutionInputs in;
    in.decayRate = m_fields[1]->value();
    in.points = m_fields[2]->value();
    in.effluentFlow = m_fields[3]->value();
    in.effluentBod = m_fields[4]->value();
    in.permittedBod = m_fields[5]->value();
    in.riverBod = m_fields[6]->value();
    in.travelTime = m_fields[7]->value();
    return in;
}

void TF_Dem_Agua::b_simularClick()
{
    // A run that stops leaves nothing of an earlier run on the screen, its maximum included.
    clearResults();
    const DilutionInputs in = readInputs();
    m_dischargePoints = dischargePointCount(in.points);
    fillPointValues(SG_Resultado->table(), in);
    for (int d = 1; d <= m_dischargePoints; ++d)
        PropagaContribuicao(d);
    {
        CellTable::Batch batch(SG_Resultado->table());
        for (int p = 1; p <= kDischargePoints; ++p)
            AcumulaVazao(p);
    }
    const QString maximum = formatGeneral(maximumAccumulatedFlow(SG_Resultado->table()));
    MaximumBox::show(this, maximum);
    // The box covered this window: its activation handler runs again (focus back to ce_1),
    // whether or not a window manager hands activation back.
    giveActivationBack(this);
    l_vazao->setText(kMaximumCaption + QLatin1Char(' ') + maximum);
}

void TF_Dem_Agua::clearResults()
{
    clearDilutionRun(SG_Resultado->table(), *SG);
    l_vazao->setText(kMaximumCaption);
}

void TF_Dem_Agua::PropagaContribuicao(int point)
{
    propagateContribution(SG_Resultado->table(), *SG, readInputs(), point);
}

void TF_Dem_Agua::AcumulaVazao(int point)
{
    accumulateFlow(SG_Resultado->table(), *SG, point, m_dischargePoints);
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
