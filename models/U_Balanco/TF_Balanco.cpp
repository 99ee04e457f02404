#include "models/U_Balanco/TF_Balanco.h"

#include "core/balance/BalanceTables.h"
#include "core/base/LocaleSettings.h"
#include "core/base/TaviError.h"
#include "core/flows/FlowSeriesFile.h"
#include "core/numbers/NumberText.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/BalanceKeys.h"
#include "core/tables/CellTable.h"
#include "core/tables/TableWriter.h"
#include "export/BalanceExport.h"
#include "export/BusyCursor.h"
#include "frame/ResultGrid.h"
#include "frame/WideWindowFrame.h"
#include "models/U_Balanco/BalanceChartViews.h"
#include "models/U_Horizonte/DriverForm.h"
#include "models/U_Horizonte/HorizonChecks.h"
#include "models/U_Horizonte/HorizonComputation.h"

#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace tavi;
using namespace tavi::balance;

namespace
{

// Room in the grids: a century and a half of a gauge's years, a horizon's years.
constexpr int kYearRows = 151;
constexpr int kReferenceRows = 9;
constexpr int kFitRows = 4;
constexpr int kRatioRows = 5;
constexpr int kMonthRows = 13;
constexpr int kHorizonRows = 152;

const QStringList kMonthNames = {
    QStringLiteral("Janeiro"), QStringLiteral("Fevereiro"), QStringLiteral("Março"),
    QStringLiteral("Abril"),   QStringLiteral("Maio"),      QStringLiteral("Junho"),
    QStringLiteral("Julho"),   QStringLiteral("Agosto"),    QStringLiteral("Setembro"),
    QStringLiteral("Outubro"), QStringLiteral("Novembro"),  QStringLiteral("Dezembro")};

ResultGrid *newGrid(const QString &name, const QString &accessible, int columns, int rows,
                    QWidget *parent)
{
    auto *grid = new ResultGrid(columns, rows, rows, true, parent);
    grid->setObjectName(name);
    grid->setAccessibleName(accessible);
    grid->setDefaultColumnWidth(110);
    // The tables are read with the arrows; Tab leaves them.
    grid->setTabKeyNavigation(false);
    return grid;
}

QVBoxLayout *chartHolder(QWidget *page)
{
    auto *holder = new QVBoxLayout(page);
    holder->setContentsMargins(0, 0, 0, 0);
    return holder;
}

// A caption and its field, the caption's mnemonic taking the keyboard to the field.
QLabel *captionFor(QWidget *field, const QString &caption, const QString &accessible,
                   QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(field);
    field->setAccessibleName(accessible);
    return label;
}

// The grid filled by core's function, as far as its rows reach.
template <class Fill> void fillGrid(ResultGrid *grid, Fill fill)
{
    CellTable filled(grid->table().columns(), grid->table().storedRows(),
                     grid->table().storedRows(), true);
    fill(filled);
    copyFitting(filled, grid->table());
    grid->fitColumnsToTexts();
}

QString percentText(long double percent)
{
    return formatDisplay(double(percent), QStringLiteral(",0.0")) + QStringLiteral(" %");
}

// Black on the light classes (yellow, orange), white on the dark ones: the class's name must
// be read on its own colour.
QString textOn(const QColor &background)
{
    const double light =
        0.299 * background.redF() + 0.587 * background.greenF() + 0.114 * background.blueF();
    return light > 0.55 ? QStringLiteral("#1a1a1a") : QStringLiteral("#ffffff");
}

QString referenceKey(const QString &stored)
{
    for (const QLatin1String key : {keys::kReferenceQ90, keys::kReferenceQ95, keys::kReferenceQ710,
                                    keys::kReferenceQmlt, keys::kReferenceTyped})
        if (stored == key)
            return key;
    return QString();
}

// Why each scenario may not be computed, as the horizon window tells it; empty for those
// that may.
std::vector<QString> refusalsOf(const Study &study)
{
    std::vector<QString> refused;
    for (int s = 0; s < int(study.horizon->scenarios.size()); ++s) {
        const HorizonChecks::Problems problems =
            HorizonChecks::checkScenario(study, s, LocaleSettings::current());
        refused.push_back(problems.blocks() ? problems.first() : QString());
    }
    return refused;
}

} // namespace

TF_Balanco::TF_Balanco(QWidget *parent) : TF_Balanco(defaultStudy(), parent) {}

TF_Balanco::TF_Balanco(const Study &study, QWidget *parent)
    : ModuleWindow(parent), m_study(study), m_balance(study.balance.value_or(StudyBalance())),
      m_hadBalance(study.balance.has_value())
{
    setObjectName(QStringLiteral("TF_Balanco"));
    setWindowTitle(QStringLiteral("Balanço Hídrico"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setMinimumSize(1000, 600);
    resize(1300, 700);
    addTitleBlock(QStringLiteral("Balanço Hídrico"));

    // The demand does not change while the window is open (no other window of the study can
    // be): the summary is computed once.
    m_summary = summarizeStudy(m_study, SupplyScenario::Current, LocaleSettings::current());

    m_topBar = buildTopBar();
    m_split = new QSplitter(Qt::Horizontal, this);
    m_split->setObjectName(QStringLiteral("sp_balanco"));
    m_split->setChildrenCollapsible(false);
    m_split->addWidget(buildChoices());
    m_tabs = new QTabWidget(m_split);
    m_tabs->setObjectName(QStringLiteral("tw_balanco"));
    m_tabs->setAccessibleName(QStringLiteral("Balanço hídrico"));
    m_tabs->addTab(buildSeriesTab(), QStringLiteral("&Série"));
    m_tabs->addTab(buildFlowsTab(), QStringLiteral("&Vazões de referência"));
    m_tabs->addTab(buildBalanceTab(), QStringLiteral("&Balanço"));
    m_tabs->addTab(buildMonthsTab(), QStringLiteral("&Meses"));
    if (m_study.horizon)
        m_tabs->addTab(buildHorizonTab(), QStringLiteral("&Horizonte"));
    m_split->addWidget(m_tabs);
    m_split->setStretchFactor(0, 0);
    m_split->setStretchFactor(1, 1);
    m_split->setSizes({300, 1000});

    addButtons(this, QPoint(), QPoint(), QPoint());
    simularButton()->hide();
    salvarButton()->setToolTip(
        QStringLiteral("Leva as tabelas e os gráficos do balanço a uma pasta de trabalho"));
    placeFrame();

    showChoices();
    compute();
    if (m_balance.series)
        placeChart(m_hydrographHolder, m_hydrograph,
                   makeHydrographChart(*m_balance.series, nullptr));
    if (m_study.horizon) {
        m_computation = new HorizonComputation(this);
        connect(m_computation, &HorizonComputation::computed, this,
                [this](std::shared_ptr<const HorizonResults> results) {
                    guarded([this, &results] { horizonComputed(std::move(results)); });
                });
        startHorizon();
    }
}

TF_Balanco::~TF_Balanco()
{
    // Before the widgets go: a computation in flight stops and is waited for.
    if (m_computation) {
        m_computation->disconnect(this);
        delete m_computation;
    }
}

QWidget *TF_Balanco::buildTopBar()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("p_balanco"));
    auto *layout = new QVBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    l_estacao = new QLabel(bar);
    l_estacao->setObjectName(QStringLiteral("l_estacao"));
    l_estacao->setTextFormat(Qt::PlainText);
    QFont bold = l_estacao->font();
    bold.setBold(true);
    l_estacao->setFont(bold);
    l_mensagem = newMessageLabel(bar);
    l_mensagem->setObjectName(QStringLiteral("l_mensagem"));
    layout->addWidget(l_estacao);
    layout->addWidget(l_mensagem);
    layout->addStretch(1);
    return bar;
}

QWidget *TF_Balanco::buildChoices()
{
    auto *column = new QWidget(this);
    column->setObjectName(QStringLiteral("p_escolhas"));
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 4, 0);

    b_abrir_serie =
        newBarButton(QStringLiteral("b_abrir_serie"), QStringLiteral("&Abrir série…"),
                     QStringLiteral("Lê as vazões diárias de uma exportação do HidroWeb "
                                    "ou de um texto de data e vazão"),
                     column);
    b_colar_serie = newBarButton(QStringLiteral("b_colar_serie"), QStringLiteral("&Colar série…"),
                                 QStringLiteral("Vazões diárias coladas ou digitadas, uma linha "
                                                "\"data;vazão\" por dia"),
                                 column);
    auto *series = new QHBoxLayout;
    series->addWidget(b_abrir_serie);
    series->addWidget(b_colar_serie);
    layout->addLayout(series);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cb_referencia = new QComboBox(column);
    cb_referencia->setObjectName(QStringLiteral("cb_referencia"));
    cb_referencia->addItem(QStringLiteral("Q90"), QString(keys::kReferenceQ90));
    cb_referencia->addItem(QStringLiteral("Q95"), QString(keys::kReferenceQ95));
    cb_referencia->addItem(QStringLiteral("Q7,10"), QString(keys::kReferenceQ710));
    cb_referencia->addItem(QStringLiteral("QMLT"), QString(keys::kReferenceQmlt));
    cb_referencia->addItem(QStringLiteral("Vazão digitada"), QString(keys::kReferenceTyped));
    form->addRow(captionFor(cb_referencia, QStringLiteral("&Referência:"),
                            QStringLiteral("Vazão de referência"), column),
                 cb_referencia);
    e_vazao_digitada = new QLineEdit(column);
    e_vazao_digitada->setObjectName(QStringLiteral("e_vazao_digitada"));
    e_vazao_digitada->setToolTip(
        QStringLiteral("A vazão de referência regionalizada do estado, em m³/s"));
    form->addRow(captionFor(e_vazao_digitada, QStringLiteral("Vazão &digitada (m³/s):"),
                            QStringLiteral("Vazão digitada em metros cúbicos por segundo"), column),
                 e_vazao_digitada);
    e_fracao_outorgavel = new QLineEdit(column);
    e_fracao_outorgavel->setObjectName(QStringLiteral("e_fracao_outorgavel"));
    e_fracao_outorgavel->setToolTip(
        QStringLiteral("A parte da vazão de referência que pode ser outorgada"));
    form->addRow(captionFor(e_fracao_outorgavel, QStringLiteral("Fração &outorgável (%):"),
                            QStringLiteral("Fração outorgável em porcentagem"), column),
                 e_fracao_outorgavel);
    cb_inicio_ano = new QComboBox(column);
    cb_inicio_ano->setObjectName(QStringLiteral("cb_inicio_ano"));
    for (int m = 0; m < 12; ++m)
        cb_inicio_ano->addItem(kMonthNames[m], QString::number(m + 1));
    form->addRow(captionFor(cb_inicio_ano, QStringLiteral("&Início do ano:"),
                            QStringLiteral("Primeiro mês do ano hidrológico"), column),
                 cb_inicio_ano);
    cb_ajuste = new QComboBox(column);
    cb_ajuste->setObjectName(QStringLiteral("cb_ajuste"));
    cb_ajuste->addItem(QStringLiteral("Weibull"), QString(keys::kFitWeibull));
    cb_ajuste->addItem(QStringLiteral("Log-normal 3P"), QString(keys::kFitLogNormal3));
    cb_ajuste->addItem(QStringLiteral("Empírica"), QString(keys::kFitEmpirical));
    form->addRow(captionFor(cb_ajuste, QStringLiteral("A&juste da Q7,10:"),
                            QStringLiteral("Ajuste das mínimas anuais para a Q7,10"), column),
                 cb_ajuste);
    layout->addLayout(form);

    // The class stays in sight whichever tab is open: it is what the window is read for.
    auto *classCaption = new QLabel(QStringLiteral("Classe do dia médio:"), column);
    l_classe = new QLabel(column);
    l_classe->setObjectName(QStringLiteral("l_classe"));
    l_classe->setAlignment(Qt::AlignCenter);
    l_classe->setWordWrap(true);
    l_classe->setMinimumHeight(86);
    l_classe->setTextFormat(Qt::PlainText);
    l_classe->setAccessibleName(QStringLiteral("Classe do dia médio"));
    l_classe_diluicao = new QLabel(column);
    l_classe_diluicao->setObjectName(QStringLiteral("l_classe_diluicao"));
    l_classe_diluicao->setAlignment(Qt::AlignCenter);
    l_classe_diluicao->setWordWrap(true);
    l_classe_diluicao->setTextFormat(Qt::PlainText);
    l_classe_diluicao->setAccessibleName(QStringLiteral("Classe do dia médio com diluição"));
    l_parcial = new QLabel(column);
    l_parcial->setObjectName(QStringLiteral("l_parcial"));
    l_parcial->setWordWrap(true);
    l_parcial->setTextFormat(Qt::PlainText);
    l_parcial->setStyleSheet(QStringLiteral("color: #7a4a00"));
    layout->addSpacing(8);
    layout->addWidget(classCaption);
    layout->addWidget(l_classe);
    layout->addWidget(l_classe_diluicao);
    layout->addWidget(l_parcial);
    layout->addStretch(1);
    column->setMinimumWidth(290);

    connect(b_abrir_serie, &QPushButton::clicked, this,
            [this] { guarded([this] { b_abrir_serieClick(); }); });
    connect(b_colar_serie, &QPushButton::clicked, this,
            [this] { guarded([this] { b_colar_serieClick(); }); });
    for (QComboBox *box : {cb_referencia, cb_inicio_ano, cb_ajuste})
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this,
                [this] { guarded([this] { choiceEdited(); }); });
    for (QLineEdit *field : {e_vazao_digitada, e_fracao_outorgavel})
        connect(field, &QLineEdit::textEdited, this,
                [this] { guarded([this] { choiceEdited(); }); });
    return column;
}

QWidget *TF_Balanco::buildSeriesTab()
{
    auto *page = new QSplitter(Qt::Horizontal, this);
    page->setObjectName(QStringLiteral("sp_serie"));
    page->setChildrenCollapsible(false);
    SG_Anos = newGrid(QStringLiteral("SG_Anos"), QStringLiteral("Anos da série"),
                      kSeriesYearColumns, kYearRows, page);
    SG_Anos->setDefaultColumnWidth(80);
    auto *chart = new QWidget(page);
    m_hydrographHolder = chartHolder(chart);
    page->addWidget(SG_Anos);
    page->addWidget(chart);
    page->setStretchFactor(0, 0);
    page->setStretchFactor(1, 1);
    page->setSizes({470, 530});
    return page;
}

QWidget *TF_Balanco::buildFlowsTab()
{
    auto *page = new QSplitter(Qt::Vertical, this);
    page->setObjectName(QStringLiteral("sp_vazoes"));
    page->setChildrenCollapsible(false);
    auto *tables = new QWidget(page);
    auto *tablesLayout = new QHBoxLayout(tables);
    tablesLayout->setContentsMargins(0, 0, 0, 0);
    SG_Vazoes = newGrid(QStringLiteral("SG_Vazoes"), QStringLiteral("Vazões de referência"),
                        kReferenceFlowColumns, kReferenceRows, tables);
    SG_Ajustes = newGrid(QStringLiteral("SG_Ajustes"), QStringLiteral("Ajustes das mínimas"),
                         kFitColumns, kFitRows, tables);
    tablesLayout->addWidget(SG_Vazoes, 4);
    tablesLayout->addWidget(SG_Ajustes, 5);
    auto *charts = new QWidget(page);
    auto *chartsLayout = new QHBoxLayout(charts);
    chartsLayout->setContentsMargins(0, 0, 0, 0);
    auto *duration = new QWidget(charts);
    m_durationHolder = chartHolder(duration);
    auto *fit = new QWidget(charts);
    m_fitHolder = chartHolder(fit);
    chartsLayout->addWidget(duration, 1);
    chartsLayout->addWidget(fit, 1);
    charts->setMinimumHeight(280);
    page->addWidget(tables);
    page->addWidget(charts);
    page->setStretchFactor(0, 1);
    page->setStretchFactor(1, 3);
    page->setSizes({230, 370});
    return page;
}

QWidget *TF_Balanco::buildBalanceTab()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    SG_Balanco = newGrid(QStringLiteral("SG_Balanco"), QStringLiteral("Demanda e referência"),
                         kRatioColumns, kRatioRows, page);
    // Its few rows whole, without a scroll bar or a stretch of empty grid below them.
    SG_Balanco->setMinimumHeight(150);
    SG_Balanco->setMaximumHeight(150);
    layout->addWidget(SG_Balanco);

    // What each class means, so that the colour beside the choices is read without the
    // manual; each class named, never told by its colour alone.
    auto *legend = new QLabel(page);
    legend->setObjectName(QStringLiteral("l_classes"));
    legend->setTextFormat(Qt::RichText);
    QString rows;
    for (StressClass stress : kStressClasses) {
        const QColor colour(stressClassColour(stress));
        rows += QStringLiteral("<tr><td style='background:%1; color:%2; padding:4px 10px'>"
                               "<b>%3</b></td><td style='padding:4px 10px'>%4</td></tr>")
                    .arg(colour.name(), textOn(colour), stressClassName(stress).toHtmlEscaped(),
                         stressClassRange(stress).toHtmlEscaped());
    }
    legend->setText(
        QStringLiteral("<p><b>Classes da demanda sobre a vazão de referência</b> (relatórios "
                       "nacionais de conjuntura dos recursos hídricos)</p><table>%1</table>")
            .arg(rows));
    legend->setAccessibleName(QStringLiteral("Classes da demanda sobre a vazão de referência"));
    layout->addWidget(legend);
    layout->addStretch(1);
    return page;
}

QWidget *TF_Balanco::buildMonthsTab()
{
    auto *page = new QSplitter(Qt::Vertical, this);
    page->setObjectName(QStringLiteral("sp_meses"));
    page->setChildrenCollapsible(false);
    SG_Meses = newGrid(QStringLiteral("SG_Meses"), QStringLiteral("Balanço mês a mês"),
                       kMonthColumns, kMonthRows, page);
    SG_Meses->setDefaultColumnWidth(90);
    auto *chart = new QWidget(page);
    m_monthHolder = chartHolder(chart);
    chart->setMinimumHeight(260);
    page->addWidget(SG_Meses);
    page->addWidget(chart);
    page->setSizes({290, 330});
    return page;
}

QWidget *TF_Balanco::buildHorizonTab()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    auto *choice = new QHBoxLayout;
    cb_cenario_balanco = new QComboBox(page);
    cb_cenario_balanco->setObjectName(QStringLiteral("cb_cenario_balanco"));
    cb_cenario_balanco->setMinimumWidth(200);
    choice->addWidget(captionFor(cb_cenario_balanco, QStringLiteral("Ce&nário:"),
                                 QStringLiteral("Cenário da tabela"), page));
    choice->addWidget(cb_cenario_balanco);
    choice->addStretch(1);
    layout->addLayout(choice);
    l_anos_criticos = new QLabel(page);
    l_anos_criticos->setObjectName(QStringLiteral("l_anos_criticos"));
    l_anos_criticos->setWordWrap(true);
    l_anos_criticos->setTextFormat(Qt::PlainText);
    l_anos_criticos->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(l_anos_criticos);
    auto *split = new QSplitter(Qt::Vertical, page);
    split->setChildrenCollapsible(false);
    SG_Horizonte_Balanco = newGrid(QStringLiteral("SG_Horizonte_Balanco"),
                                   QStringLiteral("Balanço por ano do cenário"),
                                   kHorizonBalanceColumns, kHorizonRows, split);
    SG_Horizonte_Balanco->setDefaultColumnWidth(90);
    auto *chart = new QWidget(split);
    m_ratioHolder = chartHolder(chart);
    split->addWidget(SG_Horizonte_Balanco);
    split->addWidget(chart);
    chart->setMinimumHeight(240);
    split->setSizes({260, 300});
    layout->addWidget(split, 1);
    connect(cb_cenario_balanco, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { guarded([this] { showScenarioTable(); }); });
    return page;
}

void TF_Balanco::resizeEvent(QResizeEvent *event)
{
    ModuleWindow::resizeEvent(event);
    placeFrame();
}

void TF_Balanco::placeFrame()
{
    placeWideFrame(*this, m_topBar, m_split);
}

void TF_Balanco::FormActivate()
{
    translateDecimalKeyTo(LocaleSettings::current().decimalSeparator);
    b_abrir_serie->setFocus(Qt::OtherFocusReason);
}

std::optional<StudyBalance> TF_Balanco::studyBalance() const
{
    if (!m_hadBalance && !m_touched)
        return std::nullopt;
    return m_balance;
}

bool TF_Balanco::isComputingHorizon() const
{
    return m_computation && m_computation->isComputing();
}

void TF_Balanco::showChoices()
{
    m_showingChoices = true;
    const LocaleSettings &locale = LocaleSettings::current();
    const auto choose = [](QComboBox *box, const QString &stored) {
        const int at = box->findData(stored);
        // A choice the window does not know is left for core to name in the message line.
        box->setCurrentIndex(at);
    };
    choose(cb_referencia, referenceKey(m_balance.reference));
    choose(cb_inicio_ano, m_balance.firstMonth.trimmed());
    choose(cb_ajuste, m_balance.fit);
    e_vazao_digitada->setText(fromStudyText(m_balance.typedFlow, locale));
    e_fracao_outorgavel->setText(fromStudyText(m_balance.grantShare, locale));
    m_showingChoices = false;
    e_vazao_digitada->setEnabled(m_balance.reference == keys::kReferenceTyped);
}

void TF_Balanco::choiceEdited()
{
    if (m_showingChoices)
        return;
    const LocaleSettings &locale = LocaleSettings::current();
    // Unknown choices (a study written by hand) are kept until the user picks another.
    if (cb_referencia->currentIndex() >= 0)
        m_balance.reference = cb_referencia->currentData().toString();
    if (cb_inicio_ano->currentIndex() >= 0)
        m_balance.firstMonth = cb_inicio_ano->currentData().toString();
    if (cb_ajuste->currentIndex() >= 0)
        m_balance.fit = cb_ajuste->currentData().toString();
    // The fields' texts are kept as typed, whatever they hold: core says what is wrong with
    // them, and the user goes on from what is there.
    m_balance.typedFlow = toStudyText(e_vazao_digitada->text(), locale);
    m_balance.grantShare = toStudyText(e_fracao_outorgavel->text(), locale);
    e_vazao_digitada->setEnabled(m_balance.reference == keys::kReferenceTyped);
    edited();
}

void TF_Balanco::edited()
{
    m_touched = true;
    emit balanceEdited();
    compute();
}

void TF_Balanco::compute()
{
    Study study = m_study;
    study.balance = m_balance;
    m_result = computeBalance(study, m_summary);
    m_scenarios =
        m_runs.empty() ? std::vector<ScenarioBalance>() : horizonBalance(m_runs, m_result);
    showBalance();
    showHorizon();
}

void TF_Balanco::showBalance()
{
    const std::optional<flows::FlowSeries> &series = m_balance.series;
    if (series && !series->isEmpty()) {
        const QString source = m_balance.seriesSource.isEmpty() ? QStringLiteral("série colada")
                                                                : m_balance.seriesSource;
        l_estacao->setText(QStringLiteral("%1 — %2 a %3 (%4)")
                               .arg(series->station.isEmpty() ? QStringLiteral("Estação sem nome")
                                                              : series->station,
                                    series->first.toString(QStringLiteral("dd/MM/yyyy")),
                                    series->last().toString(QStringLiteral("dd/MM/yyyy")), source));
    } else {
        l_estacao->setText(QStringLiteral("Sem série de vazões"));
    }
    // A file that could not be read comes first: the user has just asked for it.
    const QString problem = !m_seriesError.isEmpty() ? m_seriesError : m_result.problem;
    showMessage(l_mensagem, problem, m_readingNote);

    fillGrid(SG_Anos, [this](CellTable &t) { fillSeriesYearTable(t, m_result); });
    fillGrid(SG_Vazoes, [this](CellTable &t) { fillReferenceFlowTable(t, m_result); });
    fillGrid(SG_Ajustes, [this](CellTable &t) { fillFitTable(t, m_result); });
    fillGrid(SG_Balanco, [this](CellTable &t) { fillRatioTable(t, m_result); });
    fillGrid(SG_Meses, [this](CellTable &t) { fillMonthTable(t, m_result); });
    placeChart(m_durationHolder, m_duration, makeDurationCurveChart(m_result, nullptr));
    placeChart(m_fitHolder, m_fit, makeMinimaFitChart(m_result, nullptr));
    placeChart(m_monthHolder, m_monthChart, makeMonthlyBalanceChart(m_result, nullptr));
    showClass();
}

void TF_Balanco::showClass()
{
    if (!m_result.computed()) {
        l_classe->setText(QStringLiteral("Sem balanço"));
        l_classe->setStyleSheet(
            QStringLiteral("background: #e8e8e8; color: #404040; border: 1px solid #a0a0a0; "
                           "font-size: 18px; font-weight: bold; padding: 6px"));
        l_classe_diluicao->clear();
        l_classe_diluicao->setStyleSheet(QString());
        l_parcial->setText(m_result.partialNote);
        return;
    }
    const auto paint = [this](QLabel *label, const Ratio &ratio, const QString &what, int size) {
        const QColor colour(stressClassColour(ratio.stress));
        label->setText(QStringLiteral("%1%2\n%3 da %4")
                           .arg(what, stressClassName(ratio.stress), percentText(ratio.percent),
                                m_result.referenceName));
        label->setStyleSheet(QStringLiteral("background: %1; color: %2; border: 1px solid %3; "
                                            "font-size: %4px; font-weight: bold; padding: 6px")
                                 .arg(colour.name(), textOn(colour), colour.darker(140).name(),
                                      QString::number(size)));
        label->setAccessibleDescription(label->text());
    };
    paint(l_classe, m_result.meanDay, QString(), 22);
    if (m_result.dilutionComputed)
        paint(l_classe_diluicao, m_result.meanDayWithDilution, QStringLiteral("Com diluição: "),
              13);
    else {
        l_classe_diluicao->setText(QStringLiteral("Com diluição: sem o resultado da diluição"));
        l_classe_diluicao->setStyleSheet(QString());
    }
    l_parcial->setText(m_result.partialNote);
}

void TF_Balanco::placeChart(QVBoxLayout *holder, QChartView *&shown, QChartView *chart)
{
    if (!holder)
        return;
    if (shown) {
        holder->removeWidget(shown);
        shown->deleteLater();
    }
    shown = chart;
    holder->addWidget(chart);
}

void TF_Balanco::seriesRead(const QString &source, const flows::FlowSeries &series,
                            const QStringList &notes)
{
    m_balance.series = series;
    m_balance.seriesSource = source;
    m_seriesError.clear();
    m_readingNote =
        notes.isEmpty()
            ? QString()
            : QStringLiteral("Ao ler a série: %1").arg(notes.join(QStringLiteral("; ")));
    placeChart(m_hydrographHolder, m_hydrograph, makeHydrographChart(series, nullptr));
    edited();
}

bool TF_Balanco::openSeriesFile(const QString &path)
{
    flows::FlowReading reading;
    try {
        reading = flows::loadFlowSeriesFile(path);
    } catch (const TaviError &error) {
        // The series the window had stays, and with it everything computed from it.
        m_seriesError = error.message();
        showMessage(l_mensagem, m_seriesError);
        return false;
    }
    seriesRead(QFileInfo(path).fileName(), reading.series, reading.notes);
    return true;
}

bool TF_Balanco::pasteSeries(const QString &text)
{
    flows::FlowReading reading;
    try {
        reading = flows::readFlowSeries(text.toUtf8());
    } catch (const TaviError &error) {
        m_seriesError = error.message();
        showMessage(l_mensagem, m_seriesError);
        return false;
    }
    seriesRead(QString(), reading.series, reading.notes);
    return true;
}

void TF_Balanco::b_abrir_serieClick()
{
    QString path;
    keepingFocus([&] {
        path = QFileDialog::getOpenFileName(
            this, QStringLiteral("Abrir série de vazões"), QString(),
            QStringLiteral("Séries de vazões (*.txt *.csv);;Todos os arquivos (*)"));
    });
    if (!path.isEmpty())
        openSeriesFile(path);
}

void TF_Balanco::b_colar_serieClick()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("TF_Colar_Serie"));
    dialog.setWindowTitle(QStringLiteral("Colar série de vazões"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *text = new QPlainTextEdit(&dialog);
    text->setObjectName(QStringLiteral("e_serie_colada"));
    text->setTabChangesFocus(true);
    auto *caption = new QLabel(
        QStringLiteral("&Uma linha por dia, \"data;vazão\" (por exemplo 01/01/1990;12,5):"),
        &dialog);
    caption->setBuddy(text);
    text->setAccessibleName(QStringLiteral("Vazões diárias coladas"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Ler"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(caption);
    layout->addWidget(text, 1);
    layout->addWidget(buttons);
    dialog.resize(460, 420);
    bool accepted = false;
    keepingFocus([&] { accepted = dialog.exec() == QDialog::Accepted; });
    if (accepted && !text->toPlainText().trimmed().isEmpty())
        pasteSeries(text->toPlainText());
}

void TF_Balanco::startHorizon()
{
    l_anos_criticos->setText(QStringLiteral("Calculando os cenários do horizonte…"));
    m_computation->start(m_study, refusalsOf(m_study));
}

void TF_Balanco::horizonComputed(std::shared_ptr<const HorizonResults> results)
{
    m_runs = results->runs;
    m_scenarios = horizonBalance(m_runs, m_result);
    showHorizon();
}

void TF_Balanco::showHorizon()
{
    if (!cb_cenario_balanco)
        return;
    if (isComputingHorizon())
        return;
    const int chosen = std::max(0, cb_cenario_balanco->currentIndex());
    {
        const QSignalBlocker quiet(cb_cenario_balanco);
        cb_cenario_balanco->clear();
        for (const ScenarioBalance &scenario : m_scenarios)
            cb_cenario_balanco->addItem(scenario.name);
        cb_cenario_balanco->setCurrentIndex(std::min(chosen, int(cb_cenario_balanco->count()) - 1));
    }
    QStringList lines;
    for (const ScenarioBalance &scenario : m_scenarios) {
        if (!scenario.problem.isEmpty()) {
            lines << QStringLiteral("%1: %2").arg(scenario.name, scenario.problem);
            continue;
        }
        const std::optional<int> &plain = scenario.firstCriticalYear;
        const std::optional<int> &diluted = scenario.firstCriticalYearWithDilution;
        lines << QStringLiteral("%1: %2; %3")
                     .arg(scenario.name,
                          plain ? QStringLiteral("chega a Crítica em %1").arg(*plain)
                                : QStringLiteral("não chega a Crítica no horizonte"),
                          diluted ? QStringLiteral("com a diluição, em %1").arg(*diluted)
                                  : QStringLiteral("com a diluição, também não"));
    }
    if (m_scenarios.empty())
        lines << (m_result.computed()
                      ? QStringLiteral("Nenhum cenário do horizonte pôde ser calculado.")
                      : QStringLiteral("Sem vazão de referência, não há balanço no horizonte."));
    l_anos_criticos->setText(lines.join(QLatin1Char('\n')));
    placeChart(m_ratioHolder, m_ratioChart, makeHorizonRatioChart(m_scenarios, nullptr));
    showScenarioTable();
}

void TF_Balanco::showScenarioTable()
{
    const int chosen = cb_cenario_balanco->currentIndex();
    if (chosen < 0 || chosen >= int(m_scenarios.size())) {
        SG_Horizonte_Balanco->table().clear(0, kHorizonBalanceColumns - 1, 0, kHorizonRows - 1);
        return;
    }
    fillGrid(SG_Horizonte_Balanco, [this, chosen](CellTable &t) {
        fillHorizonBalanceTable(t, m_scenarios[std::size_t(chosen)]);
    });
}

void TF_Balanco::b_salvarClick()
{
    if (!m_result.computed())
        throw TaviError(QStringLiteral("Nada a salvar: %1").arg(m_result.problem));
    if (m_computation && m_computation->isComputing()) {
        // The workbook holds the scenarios too: computed now, while the user waits.
        BusyCursor busy;
        busy.set();
        m_computation->cancel();
        horizonComputed(
            HorizonComputation::compute(m_study, refusalsOf(m_study), LocaleSettings::current()));
    }
    exportBalance(this, m_result, m_scenarios);
}
