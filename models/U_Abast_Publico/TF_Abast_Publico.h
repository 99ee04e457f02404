#pragma once

#include "export/ResultChart.h"
#include "frame/ModuleWindow.h"

class NumericEdit;
class QLabel;
class ResultGrid;
namespace tavi::supply
{
struct Result;
}

// "Módulo Abastecimento Público": current and next-year gross daily demand of the public
// supply network.
class TF_Abast_Publico : public ModuleWindow
{
    Q_OBJECT
public:
    explicit TF_Abast_Publico(QWidget *parent = nullptr);

    ResultGrid *resultGrid() const { return SG_Resultado; }
    // The current and next-year daily demand, as the grid holds them.
    tavi::ResultChart resultChart() const;

public slots:
    void FormActivate() override;
    void b_simularClick() override;
    void b_salvarClick() override;
    void b_graficoClick() override;
    void me_5Exit();
    void e_p_4Exit();

protected:
    void clearResults() override;

private:
    NumericEdit *me_1, *me_2, *me_3, *me_4, *me_5;
    NumericEdit *e_p_1, *e_p_2, *e_p_3, *e_p_4;
    NumericEdit *me_demanda;
    QLabel *demandUnit;
    static constexpr int kDemandFieldWidth = 56;
    void showWholeDemand();
    void showResult(const tavi::supply::Result &result);
    ResultGrid *SG_Resultado;
};
