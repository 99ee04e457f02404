#pragma once

#include "export/ResultChart.h"
#include "frame/ModuleWindow.h"

#include <array>

class NumericEdit;
class QLabel;
class QScrollArea;
class ResultGrid;

namespace tavi
{
class CellTable;
}

// "Demanda por Água para a Diluição de Esgotos Domésticos": the river flow that domestic
// sewage discharged at N of 50 points makes unavailable, its decay downstream and the largest
// accumulated flow.
class TF_Dem_Agua : public ModuleWindow
{
    Q_OBJECT
public:
    explicit TF_Dem_Agua(QWidget *parent = nullptr);

    ResultGrid *resultGrid() const { return SG_Resultado; }
    // The accumulated unavailable flow along the discharge points, as the grid holds it.
    tavi::ResultChart resultChart() const;
    // The contribution of each discharge point at every point below it; never shown.
    const tavi::CellTable &contributionMatrix() const { return *SG; }

public slots:
    void FormActivate() override;
    void b_simularClick() override;
    void b_salvarClick() override;
    void b_graficoClick() override;

protected:
    void clearResults() override;

private:
    // ce_1 to ce_9, in order.
    std::array<NumericEdit *, 9> m_fields{};
    NumericEdit *ce_1 = nullptr;
    NumericEdit *ce_aux_valor = nullptr;
    QLabel *l_vazao = nullptr;
    QScrollArea *m_resultBox = nullptr;
    ResultGrid *SG_Resultado = nullptr;
    tavi::CellTable *SG = nullptr;
};
