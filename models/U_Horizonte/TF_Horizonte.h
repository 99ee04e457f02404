#pragma once

#include "core/study/Study.h"
#include "frame/ModuleWindow.h"

#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

struct HorizonResults;
class DriversTab;
class HorizonComputation;
class HorizonEditor;
class HorizonResultsPanel;
class NumericEdit;
class PopulationPanel;
class QComboBox;
class QLabel;
class QPushButton;
class QSplitter;
class QTabWidget;
class ResultGrid;
class WindowFieldsPanel;

// "Horizonte e Cenários": the study's planning horizon, its scenarios and their drivers
// sector by sector, and what each scenario demands year by year. The window only collects:
// every edit is computed again by the core away from the window's thread, and the results
// shown are always those of the inputs as they are, or marked as not yet so.
class TF_Horizonte : public ModuleWindow
{
    Q_OBJECT
public:
    // `study`: the study the window works on. A study without a horizon is shown one that
    // starts this year, which becomes the study's only once the user changes something.
    explicit TF_Horizonte(const tavi::Study &study, QWidget *parent = nullptr);
    // Over a new study.
    explicit TF_Horizonte(QWidget *parent = nullptr);
    ~TF_Horizonte() override;

    // The horizon the study is to keep; none while the study had none and nothing changed.
    std::optional<tavi::StudyHorizon> studyHorizon() const;

    HorizonEditor *editor() const { return m_editor; }
    HorizonResultsPanel *results() const { return m_results; }
    PopulationPanel *population() const { return m_population; }
    WindowFieldsPanel *windowFields() const { return m_windowFields; }
    QTabWidget *driverTabs() const { return m_tabs; }
    // The results the window shows, null before the first arrives; current only while
    // results()->isCurrent().
    const HorizonResults *shownResults() const { return m_shown.get(); }

    // Room in the difference table, and so in the scenario list.
    static constexpr int kMostScenarios = 30;
    // How long typing may pause before the horizon is computed again.
    static constexpr int kPauseMs = 150;

public slots:
    void FormActivate() override;
    // "Salvar": the horizon's tables and charts in a workbook, computed first if they are
    // not those of the inputs as they are.
    void b_salvarClick() override;
    void b_novoClick();
    void b_renomearClick();
    void b_duplicarClick();
    void b_excluirClick();
    void cb_cenarioChange();

signals:
    // What the study keeps of the horizon changed.
    void horizonEdited();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *buildTopBar();
    QWidget *buildDrivers();
    void placeFrame();
    // Everything shows the chosen scenario.
    void showScenario();
    void showScenarioList();
    void showChecks();
    void inputsEdited();
    void yearEdited(NumericEdit *field, void (HorizonEditor::*set)(const QString &));
    // Why each scenario may not be computed, empty for those that may.
    std::vector<QString> refusals() const;
    void compute();
    // A scenario's name from the user; `self`, the scenario renamed, or -1.
    std::optional<QString> askScenarioName(const QString &title, const QString &suggested,
                                           int self);
    void showResults(std::shared_ptr<const HorizonResults> results);

    HorizonEditor *m_editor = nullptr;
    HorizonComputation *m_computation = nullptr;
    bool m_hadHorizon = false;
    bool m_touched = false;
    int m_capacity = kMostScenarios;
    QTimer m_pause;
    std::shared_ptr<const HorizonResults> m_shown;

    NumericEdit *e_ano_base = nullptr;
    NumericEdit *e_ano_final = nullptr;
    QLabel *l_horizonte = nullptr;
    QComboBox *cb_cenario = nullptr;
    QPushButton *b_novo = nullptr;
    QPushButton *b_renomear = nullptr;
    QPushButton *b_duplicar = nullptr;
    QPushButton *b_excluir = nullptr;
    QLabel *l_cenario = nullptr;
    QWidget *m_topBar = nullptr;
    QSplitter *m_split = nullptr;
    QTabWidget *m_tabs = nullptr;
    PopulationPanel *m_population = nullptr;
    std::vector<DriversTab *> m_sectorTabs;
    WindowFieldsPanel *m_windowFields = nullptr;
    HorizonResultsPanel *m_results = nullptr;
    bool m_showingScenario = false;
};
