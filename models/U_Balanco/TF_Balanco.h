#pragma once

#include "core/balance/HorizonBalance.h"
#include "core/balance/WaterBalance.h"
#include "core/horizon/HorizonRun.h"
#include "core/study/Study.h"
#include "core/summary/MunicipalSummary.h"
#include "frame/ModuleWindow.h"

#include <memory>
#include <optional>
#include <vector>

struct HorizonResults;
class HorizonComputation;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QVBoxLayout;
class ResultGrid;

// "Balanço Hídrico": the river's daily flows, the reference flow the planner picks from them
// (or types), and the municipality's demand set against it, today and over the horizon. The
// window only collects and shows: every figure comes from core's balance, computed again on
// each change, and the study keeps the series and the choices as typed.
class TF_Balanco : public ModuleWindow
{
    Q_OBJECT
public:
    // A study without a balance is shown the default choices and no series; it becomes the
    // study's only once the user changes something.
    explicit TF_Balanco(const tavi::Study &study, QWidget *parent = nullptr);
    explicit TF_Balanco(QWidget *parent = nullptr);
    ~TF_Balanco() override;

    // The balance the study is to keep; none while the study had none and nothing changed.
    std::optional<tavi::StudyBalance> studyBalance() const;
    // What the window shows now.
    const tavi::balance::WaterBalance &shownBalance() const { return m_result; }
    const std::vector<tavi::balance::ScenarioBalance> &shownScenarios() const
    {
        return m_scenarios;
    }
    // Whether the horizon's scenarios are still being computed.
    bool isComputingHorizon() const;

    // The series in the file at `path` (what "Abrir série..." does once a file is chosen); a
    // file that cannot be read leaves the series as it was and says why. Returns whether it
    // was read.
    bool openSeriesFile(const QString &path);
    // The series in pasted "data;vazão" lines, the same way.
    bool pasteSeries(const QString &text);

public slots:
    void FormActivate() override;
    void b_salvarClick() override;
    void b_abrir_serieClick();
    void b_colar_serieClick();

signals:
    // What the study keeps of the balance changed.
    void balanceEdited();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *buildTopBar();
    QWidget *buildChoices();
    QWidget *buildSeriesTab();
    QWidget *buildFlowsTab();
    QWidget *buildBalanceTab();
    QWidget *buildMonthsTab();
    QWidget *buildHorizonTab();
    void placeFrame();
    // The choices' fields from the balance, without counting as an edit.
    void showChoices();
    void choiceEdited();
    void seriesRead(const QString &source, const tavi::flows::FlowSeries &series,
                    const QStringList &notes);
    void edited();
    void compute();
    void showBalance();
    void showClass();
    void showHorizon();
    void showScenarioTable();
    void startHorizon();
    void horizonComputed(std::shared_ptr<const HorizonResults> results);
    // Swaps the chart in `holder` for `chart`.
    void placeChart(QVBoxLayout *holder, QChartView *&shown, QChartView *chart);

    tavi::Study m_study;
    tavi::StudyBalance m_balance;
    bool m_hadBalance = false;
    bool m_touched = false;
    bool m_showingChoices = false;
    tavi::MunicipalSummary m_summary;
    QString m_summaryProblem;
    tavi::balance::WaterBalance m_result;
    HorizonComputation *m_computation = nullptr;
    std::vector<tavi::horizon::ScenarioRun> m_runs;
    std::vector<tavi::balance::ScenarioBalance> m_scenarios;
    // A note from reading the series, shown while no problem stands before it.
    QString m_readingNote;
    QString m_seriesError;

    QWidget *m_topBar = nullptr;
    QSplitter *m_split = nullptr;
    QTabWidget *m_tabs = nullptr;
    QLabel *l_estacao = nullptr;
    QLabel *l_mensagem = nullptr;
    QPushButton *b_abrir_serie = nullptr;
    QPushButton *b_colar_serie = nullptr;
    QComboBox *cb_referencia = nullptr;
    QLineEdit *e_vazao_digitada = nullptr;
    QLineEdit *e_fracao_outorgavel = nullptr;
    QComboBox *cb_inicio_ano = nullptr;
    QComboBox *cb_ajuste = nullptr;
    QLabel *l_classe = nullptr;
    QLabel *l_classe_diluicao = nullptr;
    QLabel *l_parcial = nullptr;
    ResultGrid *SG_Anos = nullptr;
    ResultGrid *SG_Vazoes = nullptr;
    ResultGrid *SG_Ajustes = nullptr;
    ResultGrid *SG_Balanco = nullptr;
    ResultGrid *SG_Meses = nullptr;
    ResultGrid *SG_Horizonte_Balanco = nullptr;
    QComboBox *cb_cenario_balanco = nullptr;
    QLabel *l_anos_criticos = nullptr;
    QVBoxLayout *m_hydrographHolder = nullptr;
    QVBoxLayout *m_durationHolder = nullptr;
    QVBoxLayout *m_fitHolder = nullptr;
    QVBoxLayout *m_monthHolder = nullptr;
    QVBoxLayout *m_ratioHolder = nullptr;
    QChartView *m_hydrograph = nullptr;
    QChartView *m_duration = nullptr;
    QChartView *m_fit = nullptr;
    QChartView *m_monthChart = nullptr;
    QChartView *m_ratioChart = nullptr;
};
