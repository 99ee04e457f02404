#include "models/U_Horizonte/TF_Horizonte.h"

#include "core/base/LocaleSettings.h"
#include "core/base/TaviError.h"
#include "core/horizon/HorizonDrivers.h"
#include "core/numbers/NumberText.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/HorizonKeys.h"
#include "export/BusyCursor.h"
#include "export/HorizonExport.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "frame/WideWindowFrame.h"
#include "models/U_Horizonte/DriverForm.h"
#include "models/U_Horizonte/DriversTab.h"
#include "models/U_Horizonte/HorizonChecks.h"
#include "models/U_Horizonte/HorizonComputation.h"
#include "models/U_Horizonte/HorizonEditor.h"
#include "models/U_Horizonte/HorizonResultsPanel.h"
#include "models/U_Horizonte/PopulationPanel.h"
#include "models/U_Horizonte/ScenarioPrompts.h"
#include "models/U_Horizonte/WindowFieldsPanel.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace tavi;

namespace
{

StudyHorizon horizonOf(const Study &study)
{
    return study.horizon ? *study.horizon : horizon::newHorizon(study, QDate::currentDate().year());
}

NumericEdit *newYearField(const QString &name, QWidget *parent)
{
    auto *field = new NumericEdit(parent);
    field->setObjectName(name);
    field->setDecimalPlaces(0);
    field->setDisplayFormat(QStringLiteral("0;-0"));
    field->setBlankZero(true);
    field->setFixedWidth(64);
    return field;
}

QScrollArea *scrolled(QWidget *page, QWidget *parent)
{
    auto *area = new QScrollArea(parent);
    area->setWidget(page);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    // The fields inside take the focus; the area itself is no stop of its own.
    area->setFocusPolicy(Qt::NoFocus);
    return area;
}

} // namespace

TF_Horizonte::TF_Horizonte(QWidget *parent) : TF_Horizonte(defaultStudy(), parent) {}

TF_Horizonte::TF_Horizonte(const Study &study, QWidget *parent)
    : ModuleWindow(parent), m_hadHorizon(study.horizon.has_value())
{
    setObjectName(QStringLiteral("TF_Horizonte"));
    setWindowTitle(QStringLiteral("Horizonte e Cenários"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setMinimumSize(1040, 620);
    resize(1260, 720);
    addTitleBlock(QStringLiteral("Horizonte e Cenários"));

    m_editor = new HorizonEditor(study, horizonOf(study), this);
    m_capacity = std::max(kMostScenarios, int(m_editor->horizon().scenarios.size()));
    m_computation = new HorizonComputation(this);

    m_topBar = buildTopBar();
    m_split = new QSplitter(Qt::Horizontal, this);
    m_split->setObjectName(QStringLiteral("sp_horizonte"));
    m_split->setChildrenCollapsible(false);
    m_split->addWidget(buildDrivers());
    m_results = new HorizonResultsPanel(m_capacity, m_split);
    m_results->setObjectName(QStringLiteral("p_resultados"));
    m_split->addWidget(m_results);
    m_split->setStretchFactor(0, 0);
    m_split->setStretchFactor(1, 1);
    m_split->setSizes({520, 720});

    // Last in the tab order, at the top right: the window computes by itself, so it has
    // no "Simular".
    addButtons(this, QPoint(), QPoint(), QPoint());
    simularButton()->hide();
    salvarButton()->setToolTip(
        QStringLiteral("Leva as tabelas e os gráficos do horizonte a uma pasta de trabalho"));
    placeFrame();

    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, [this] { guarded([this] { compute(); }); });
    connect(m_editor, &HorizonEditor::edited, this,
            [this] { guarded([this] { inputsEdited(); }); });
    connect(m_editor, &HorizonEditor::scenariosChanged, this,
            [this] { guarded([this] { showScenarioList(); }); });
    connect(m_editor, &HorizonEditor::scenarioChosen, this,
            [this] { guarded([this] { showScenario(); }); });
    connect(m_computation, &HorizonComputation::computed, this,
            [this](std::shared_ptr<const HorizonResults> results) {
                guarded([this, &results] { showResults(std::move(results)); });
            });

    showScenarioList();
    showScenario();
    // The window opens computing what the study's horizon gives.
    compute();
}

TF_Horizonte::~TF_Horizonte()
{
    // Before the widgets go: a computation in flight stops and is waited for.
    m_computation->disconnect(this);
    delete m_computation;
}

QWidget *TF_Horizonte::buildTopBar()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("p_horizonte"));
    auto *grid = new QGridLayout(bar);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    auto *baseCaption = new QLabel(QStringLiteral("Ano-&base:"), bar);
    e_ano_base = newYearField(QStringLiteral("e_ano_base"), bar);
    baseCaption->setBuddy(e_ano_base);
    e_ano_base->setAccessibleName(QStringLiteral("Ano-base"));
    auto *finalCaption = new QLabel(QStringLiteral("Ano &final:"), bar);
    e_ano_final = newYearField(QStringLiteral("e_ano_final"), bar);
    finalCaption->setBuddy(e_ano_final);
    e_ano_final->setAccessibleName(QStringLiteral("Ano final"));
    l_horizonte = newMessageLabel(bar);
    l_horizonte->setObjectName(QStringLiteral("l_horizonte"));
    l_horizonte->setWordWrap(false);
    auto *years = new QHBoxLayout;
    years->addWidget(baseCaption);
    years->addWidget(e_ano_base);
    years->addSpacing(12);
    years->addWidget(finalCaption);
    years->addWidget(e_ano_final);
    years->addSpacing(12);
    years->addWidget(l_horizonte);
    years->addStretch(1);

    auto *scenarioCaption = new QLabel(QStringLiteral("&Cenário:"), bar);
    cb_cenario = new QComboBox(bar);
    cb_cenario->setObjectName(QStringLiteral("cb_cenario"));
    cb_cenario->setMinimumWidth(200);
    cb_cenario->setAccessibleName(QStringLiteral("Cenário"));
    scenarioCaption->setBuddy(cb_cenario);
    b_novo = newBarButton(QStringLiteral("b_novo"), QStringLiteral("&Novo…"),
                          QStringLiteral("Um cenário novo, que segue a Base em tudo"), bar);
    b_renomear = newBarButton(QStringLiteral("b_renomear"), QStringLiteral("&Renomear…"),
                              QStringLiteral("Muda o nome do cenário escolhido"), bar);
    b_duplicar = newBarButton(QStringLiteral("b_duplicar"), QStringLiteral("&Duplicar…"),
                              QStringLiteral("Um cenário novo com tudo o que o escolhido tem de "
                                             "próprio (a cópia da Base fixa os valores dela)"),
                              bar);
    b_excluir = newBarButton(QStringLiteral("b_excluir"), QStringLiteral("E&xcluir"),
                             QStringLiteral("Exclui o cenário escolhido"), bar);
    auto *scenarios = new QHBoxLayout;
    scenarios->addWidget(scenarioCaption);
    scenarios->addWidget(cb_cenario);
    for (QPushButton *button : {b_novo, b_renomear, b_duplicar, b_excluir})
        scenarios->addWidget(button);
    scenarios->addStretch(1);

    grid->addLayout(years, 0, 0);
    grid->addLayout(scenarios, 1, 0);

    connect(e_ano_base, &QLineEdit::textChanged, this,
            [this] { guarded([this] { yearEdited(e_ano_base, &HorizonEditor::setBaseYear); }); });
    connect(e_ano_final, &QLineEdit::textChanged, this,
            [this] { guarded([this] { yearEdited(e_ano_final, &HorizonEditor::setFinalYear); }); });
    connect(cb_cenario, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { guarded([this] { cb_cenarioChange(); }); });
    connect(b_novo, &QPushButton::clicked, this, [this] { guarded([this] { b_novoClick(); }); });
    connect(b_renomear, &QPushButton::clicked, this,
            [this] { guarded([this] { b_renomearClick(); }); });
    connect(b_duplicar, &QPushButton::clicked, this,
            [this] { guarded([this] { b_duplicarClick(); }); });
    connect(b_excluir, &QPushButton::clicked, this,
            [this] { guarded([this] { b_excluirClick(); }); });
    return bar;
}

QWidget *TF_Horizonte::buildDrivers()
{
    auto *column = new QWidget(this);
    column->setObjectName(QStringLiteral("p_direcionadores"));
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    l_cenario = newMessageLabel(column);
    l_cenario->setObjectName(QStringLiteral("l_cenario"));
    layout->addWidget(l_cenario);
    m_tabs = new QTabWidget(column);
    m_tabs->setObjectName(QStringLiteral("tw_direcionadores"));
    m_tabs->setAccessibleName(QStringLiteral("Direcionadores do cenário"));
    layout->addWidget(m_tabs, 1);

    m_population = new PopulationPanel(m_editor, nullptr);
    m_tabs->addTab(scrolled(m_population, m_tabs), QStringLiteral("&População"));
    const struct {
        FormTab *(*make)(HorizonEditor *, QWidget *);
        const char *caption;
    } sectors[] = {{&newSupplyTab, "Abas&tecimento"},
                   {&newLivestockTab, "Pecuár&ia"},
                   {&newAgricultureTab, "A&gricultura"},
                   {&newDilutionTab, "Di&luição"}};
    m_sectorTabs.push_back(m_population);
    for (const auto &sector : sectors) {
        FormTab *tab = sector.make(m_editor, nullptr);
        m_tabs->addTab(scrolled(tab, m_tabs), QString::fromUtf8(sector.caption));
        m_sectorTabs.push_back(tab);
    }
    m_windowFields = new WindowFieldsPanel(m_editor, m_tabs);
    m_tabs->addTab(m_windowFields, QStringLiteral("&Janelas"));
    column->setMinimumWidth(470);
    return column;
}

void TF_Horizonte::resizeEvent(QResizeEvent *event)
{
    ModuleWindow::resizeEvent(event);
    placeFrame();
}

void TF_Horizonte::placeFrame()
{
    placeWideFrame(*this, m_topBar, m_split);
}

void TF_Horizonte::FormActivate()
{
    translateDecimalKeyTo(LocaleSettings::current().decimalSeparator);
    e_ano_base->setFocus(Qt::OtherFocusReason);
}

std::optional<StudyHorizon> TF_Horizonte::studyHorizon() const
{
    if (!m_hadHorizon && !m_touched)
        return std::nullopt;
    return m_editor->horizon();
}

void TF_Horizonte::yearEdited(NumericEdit *field, void (HorizonEditor::*set)(const QString &))
{
    if (m_showingScenario)
        return;
    // A field that only shows its value again changes nothing.
    const LocaleSettings &locale = LocaleSettings::current();
    const QString text = toStudyText(field->keptText(), locale);
    const QString &held =
        field == e_ano_base ? m_editor->horizon().baseYear : m_editor->horizon().finalYear;
    long double heldValue = 0, typedValue = 0;
    if (readEntry(fromStudyText(held, locale), &heldValue, locale) &&
        readEntry(field->keptText(), &typedValue, locale) && heldValue == typedValue)
        return;
    (m_editor->*set)(text);
}

void TF_Horizonte::showScenarioList()
{
    m_showingScenario = true;
    cb_cenario->clear();
    cb_cenario->addItems(m_editor->scenarioNames());
    cb_cenario->setCurrentIndex(m_editor->scenario());
    m_showingScenario = false;
    const bool room = int(m_editor->horizon().scenarios.size()) < m_capacity;
    b_novo->setEnabled(room);
    b_duplicar->setEnabled(room);
}

void TF_Horizonte::showScenario()
{
    m_showingScenario = true;
    cb_cenario->setCurrentIndex(m_editor->scenario());
    const LocaleSettings &locale = LocaleSettings::current();
    for (auto [field, text] : {std::pair{e_ano_base, m_editor->horizon().baseYear},
                               std::pair{e_ano_final, m_editor->horizon().finalYear}}) {
        long double value = 0;
        if (!readEntry(fromStudyText(text, locale), &value, locale))
            value = 0;
        field->setValue(value);
    }
    m_showingScenario = false;
    b_renomear->setEnabled(!m_editor->isBase());
    b_excluir->setEnabled(!m_editor->isBase());
    for (DriversTab *tab : m_sectorTabs)
        tab->refresh();
    m_windowFields->refresh();
    showChecks();
    // Another scenario of the same results: nothing to compute again.
    if (m_shown && m_results->isCurrent())
        m_results->showResults(*m_shown, m_editor->scenario());
}

void TF_Horizonte::showChecks()
{
    const Study study = m_editor->study();
    const LocaleSettings &locale = LocaleSettings::current();
    const QMap<QString, QString> years = HorizonChecks::yearProblems(*study.horizon, locale);
    HorizonChecks::Problems problems =
        HorizonChecks::checkScenario(study, m_editor->scenario(), locale);
    for (auto y = years.cbegin(); y != years.cend(); ++y)
        problems.byKey[y.key()] = y.value();
    showMessage(l_horizonte, years.value(keys::kBaseYear, years.value(keys::kFinalYear)));
    for (NumericEdit *field : {e_ano_base, e_ano_final})
        field->setAccessibleDescription(years.value(
            field == e_ano_base ? QString(keys::kBaseYear) : QString(keys::kFinalYear)));
    for (DriversTab *tab : m_sectorTabs)
        tab->showProblems(problems);
    m_windowFields->showProblem(problems.byKey.value(keys::kScenarioWindows));
    showMessage(l_cenario, problems.general);
}

void TF_Horizonte::inputsEdited()
{
    m_touched = true;
    emit horizonEdited();
    showChecks();
    // What is shown is no longer what the inputs give, from this keystroke on.
    m_computation->cancel();
    m_results->showStale();
    m_pause.start();
}

std::vector<QString> TF_Horizonte::refusals() const
{
    const Study study = m_editor->study();
    const LocaleSettings &locale = LocaleSettings::current();
    std::vector<QString> refused;
    for (int s = 0; s < int(study.horizon->scenarios.size()); ++s) {
        const HorizonChecks::Problems problems = HorizonChecks::checkScenario(study, s, locale);
        refused.push_back(problems.blocks() ? problems.first() : m_population->choiceProblem(s));
    }
    return refused;
}

void TF_Horizonte::compute()
{
    m_pause.stop();
    const Study study = m_editor->study();
    const QMap<QString, QString> years =
        HorizonChecks::yearProblems(*study.horizon, LocaleSettings::current());
    if (!years.isEmpty()) {
        // Nothing is projected over years that do not make a horizon.
        m_computation->cancel();
        m_shown.reset();
        m_results->showRefused(years.first());
        return;
    }
    m_results->showStale();
    m_computation->start(study, refusals());
}

void TF_Horizonte::showResults(std::shared_ptr<const HorizonResults> results)
{
    m_shown = std::move(results);
    m_results->showResults(*m_shown, m_editor->scenario());
}

void TF_Horizonte::cb_cenarioChange()
{
    if (m_showingScenario)
        return;
    m_editor->chooseScenario(cb_cenario->currentIndex());
}

std::optional<QString> TF_Horizonte::askScenarioName(const QString &title, const QString &suggested,
                                                     int self)
{
    std::optional<QString> name;
    // The dialog covers the window: the focus comes back to the button that opened it.
    keepingFocus([&] {
        name = ScenarioPrompts::askName(this, title, suggested, [this, self](const QString &typed) {
            return scenarioNameProblem(m_editor->horizon(), typed, self);
        });
    });
    return name;
}

void TF_Horizonte::b_novoClick()
{
    if (const auto name = askScenarioName(QStringLiteral("Novo cenário"), QString(), -1))
        m_editor->addScenario(*name);
}

void TF_Horizonte::b_renomearClick()
{
    if (m_editor->isBase())
        return;
    if (const auto name = askScenarioName(QStringLiteral("Renomear cenário"),
                                          cb_cenario->currentText(), m_editor->scenario()))
        m_editor->renameScenario(*name);
}

void TF_Horizonte::b_duplicarClick()
{
    if (const auto name =
            askScenarioName(QStringLiteral("Duplicar cenário"),
                            QStringLiteral("%1 (cópia)").arg(cb_cenario->currentText()), -1))
        m_editor->duplicateScenario(*name);
}

void TF_Horizonte::b_excluirClick()
{
    if (m_editor->isBase())
        return;
    bool remove = false;
    keepingFocus(
        [&] { remove = ScenarioPrompts::confirmRemoval(this, cb_cenario->currentText()); });
    if (!remove)
        return;
    m_editor->removeScenario();
    // The button may have no scenario left to act on; the list says which one is shown now.
    moveFocusTo(cb_cenario);
}

void TF_Horizonte::b_salvarClick()
{
    const Study study = m_editor->study();
    const QMap<QString, QString> years =
        HorizonChecks::yearProblems(*study.horizon, LocaleSettings::current());
    if (!years.isEmpty())
        throw TaviError(QStringLiteral("Nada a salvar: %1").arg(years.first()));
    if (!m_shown || !m_results->isCurrent()) {
        // The workbook holds the inputs as they are: computed now, while the user waits.
        BusyCursor busy;
        busy.set();
        m_pause.stop();
        m_computation->cancel();
        showResults(HorizonComputation::compute(study, refusals(), LocaleSettings::current()));
    }
    exportHorizon(this, m_shown->runs, m_editor->scenario());
}
