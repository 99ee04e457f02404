#pragma once

#include "core/summary/MunicipalSummary.h"
#include "frame/ModuleWindow.h"

#include <functional>

class QChartView;
class QComboBox;
class QLabel;
class ResultGrid;

// "Resumo do Município": the municipality's total daily demand, computed from the current
// study by the same models the module windows run; its annual figures, the dilution result
// apart (a flow made unavailable, not consumed), and two charts.
class TF_Resumo_Municipio : public ModuleWindow
{
    Q_OBJECT
public:
    // `study`: the current study, asked for afresh at each "Atualizar".
    explicit TF_Resumo_Municipio(std::function<tavi::Study()> study, QWidget *parent = nullptr);
    // Without a study: the defaults.
    explicit TF_Resumo_Municipio(QWidget *parent = nullptr);

    ResultGrid *summaryGrid() const { return SG_Resumo; }
    ResultGrid *figuresGrid() const { return SG_Anual; }
    const tavi::MunicipalSummary &summary() const { return m_summary; }
    QChartView *dailyChart() const { return m_dailyChart; }
    QChartView *sharesChart() const { return m_sharesChart; }

public slots:
    void FormActivate() override;
    // "Atualizar": computes everything again from the study.
    void b_simularClick() override;
    void b_salvarClick() override;
    // "Imprimir relatório…": the summary as a PDF file the user chooses.
    void b_relatorioClick();

public:
    // Tests choose the report's file instead of the dialog; an empty function brings the
    // dialog back.
    using ReportPathChooser = std::function<QString(QWidget *parent, const QString &suggested)>;
    static void setReportPathChooser(ReportPathChooser chooser);

private:
    void showSummary();

    std::function<tavi::Study()> m_study;
    tavi::MunicipalSummary m_summary;
    QComboBox *cb_cenario = nullptr;
    ResultGrid *SG_Resumo = nullptr;
    ResultGrid *SG_Anual = nullptr;
    QLabel *l_erros = nullptr;
    QWidget *m_chartsPanel = nullptr;
    QChartView *m_dailyChart = nullptr;
    QChartView *m_sharesChart = nullptr;
};
