#pragma once

#include "core/sectors/agriculture/AgricultureCalendar.h"
#include "export/ResultChart.h"
#include "frame/ModuleWindow.h"
#include "models/U_Mod_Agricultura/SeriesFillUndo.h"

class QLineEdit;
class NumericEdit;
class ResultGrid;
class SeriesOriginLabel;
namespace tavi::agriculture
{
struct Result;
}

// "Módulo Agricultura": the daily irrigation demand of nine crop classes over a year of
// evapotranspiration and rainfall, and its total.
class TF_Mod_Agricultura : public ModuleWindow
{
    Q_OBJECT
public:
    explicit TF_Mod_Agricultura(QWidget *parent = nullptr);

    // The grids, as the export reads them.
    ResultGrid *entrada() const { return SG_Entrada; }
    ResultGrid *param() const { return SG_Param; }
    ResultGrid *serie() const { return SG_Serie; }
    ResultGrid *classGrid(int k) const { return SG_Classe[k]; } // 0 = A ... 8 = I
    ResultGrid *total() const { return SG_Total; }

    // The daily total and each class's gross demand, as the grids hold them.
    tavi::ResultChart resultChart() const;

    // The classes whose crop table row or planting start was edited since their calendar
    // last ran.
    tavi::agriculture::ClassSet editedClasses() const;

public slots:
    void FormActivate() override;
    void b_simularClick() override;
    void b_salvarClick() override;
    void b_graficoClick() override;
    // "Série a partir de estação…" (Ctrl+E): fills ETP and P from a station's year.
    void b_estacaoClick();
    // Ctrl+Z: the series as it was before the last fill from a station.
    void undoSeriesFill();

protected:
    void clearResults() override;

private:
    void buildCropPanel();
    void buildResultsPanel();
    void buildHiddenFields();
    tavi::agriculture::Tables tables() const;
    void showResult(const tavi::agriculture::Result &result);

    ResultGrid *SG_Entrada;
    ResultGrid *SG_Param;
    ResultGrid *SG_Serie;
    ResultGrid *SG_Classe[tavi::agriculture::kClasses];
    ResultGrid *SG_Total;
    NumericEdit *ce_aux;
    NumericEdit *ce_aux_valor, *ce_aux_valor2, *ce_aux_valor3, *ce_aux_valor4, *ce_aux_valor5;
    QLineEdit *Edit1;
    QWidget *m_cropPanel = nullptr;
    QWidget *m_resultsPanel = nullptr;
    SeriesOriginLabel *l_origem_serie = nullptr;
    SeriesFillUndo m_seriesFillUndo;

    bool m_opened = false;
    tavi::agriculture::CalendarSources m_calendarSources;
};
