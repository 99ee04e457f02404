#pragma once

#include <QWidget>

struct HorizonResults;
class QChartView;
class QHBoxLayout;
class QLabel;
class QTabWidget;
class ResultGrid;

// The horizon window's results: the chosen scenario's years (SG_Horizonte), every scenario
// against the base, the chosen scenario's sectors as stacked areas and every scenario's total
// as lines. Results that are not those of the inputs as they are now are never shown as if
// they were: while they are computed the panel is greyed under "Calculando…", and where
// nothing may be projected it is emptied and says why.
class HorizonResultsPanel : public QWidget
{
    Q_OBJECT
public:
    // Room for this many scenarios in the difference table.
    HorizonResultsPanel(int scenarios, QWidget *parent = nullptr);

    ResultGrid *yearGrid() const { return m_years; }
    ResultGrid *differenceGrid() const { return m_differences; }
    QChartView *sectorsChart() const { return m_sectorsChart; }
    QChartView *totalsChart() const { return m_totalsChart; }
    QLabel *status() const { return m_status; }
    bool isCurrent() const { return m_current; }

    // The results shown are no longer those of the inputs.
    void showStale();
    // Nothing may be projected: the tables and charts emptied, and why.
    void showRefused(const QString &problem);
    // Current results, the chosen scenario's in the year table and the sectors' chart.
    void showResults(const HorizonResults &results, int scenario);

    // Year rows: the longest horizon's years after the heading row.
    static constexpr int kYearRows = 52;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void setCurrent(bool current, const QString &cover);
    void replaceCharts(QChartView *sectors, QChartView *totals);
    void showRows(ResultGrid *grid, int rows);

    QLabel *m_status;
    QTabWidget *m_tables;
    ResultGrid *m_years;
    QLabel *m_yearNotes;
    ResultGrid *m_differences;
    QLabel *m_differenceNotes;
    QWidget *m_charts;
    QHBoxLayout *m_chartsLayout;
    QChartView *m_sectorsChart = nullptr;
    QChartView *m_totalsChart = nullptr;
    QLabel *m_cover;
    bool m_current = false;
};
