#pragma once

#include "export/ResultChart.h"
#include "frame/ModuleWindow.h"

#include <array>

class NumericEdit;
class ResultGrid;

// "Módulo Pecuária": daily water demand of five species' herds and their total.
class TF_Mod_Pecuaria : public ModuleWindow
{
    Q_OBJECT
public:
    explicit TF_Mod_Pecuaria(QWidget *parent = nullptr);

    ResultGrid *resultGrid() const { return SG_Resultado; }
    // The daily demand of each species and their total, as the grid holds it.
    tavi::ResultChart resultChart() const;

public slots:
    void FormActivate() override;
    void b_simularClick() override;
    void b_salvarClick() override;
    void b_graficoClick() override;
    void me_galinaceoExit();
    void e_qte_galinaceoExit();

protected:
    void clearResults() override;

private:
    // Per-head consumption (litres per day) and herd size of each species, in species order.
    std::array<NumericEdit *, 5> m_consumption{};
    std::array<NumericEdit *, 5> m_herd{};
    NumericEdit *me_galinaceo = nullptr;
    NumericEdit *e_qte_bovino = nullptr;
    NumericEdit *e_qte_galinaceo = nullptr;
    ResultGrid *SG_Resultado = nullptr;
};
