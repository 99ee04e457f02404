#pragma once

#include "core/study/StudyInputs.h"
#include "models/U_Horizonte/DriversTab.h"
#include <QMap>
#include <QSet>
#include <QString>

class DriverForm;
class DriverTable;
class HorizonEditor;
class QChartView;
class QComboBox;
class QLabel;
class QToolButton;
class QVBoxLayout;
class ResultGrid;

// The population tab of the horizon window: the census counts and estimates, each method's
// population in the final year and its fit (table and chart), the method chosen, or the
// populations typed year by year in its place.
class PopulationPanel : public DriversTab
{
    Q_OBJECT
public:
    PopulationPanel(HorizonEditor *editor, QWidget *parent = nullptr);

    ResultGrid *countsGrid() const;
    ResultGrid *typedGrid() const;
    ResultGrid *methodsGrid() const { return m_methods; }
    QComboBox *methodList() const { return m_method; }
    QChartView *chart() const { return m_chart; }
    QLabel *countsMessage() const;

    void refresh() override;
    // The messages beside the counts, the method and the typed populations, and the methods'
    // table and chart for the counts as they are.
    void showProblems(const HorizonChecks::Problems &problems) override;
    // Why a scenario cannot be projected although its drivers read: typed populations chosen
    // and none typed.
    QString choiceProblem(int scenario) const;

    // The entry of cb_metodo that stands for the typed populations: after the methods.
    int typedEntry() const;

private:
    void methodChosen();
    void showMethods();
    void showChoice();
    bool typedChosen() const;

    HorizonEditor *m_editor;
    DriverTable *m_counts;
    DriverTable *m_typed;
    DriverForm *m_saturation;
    QComboBox *m_method;
    QToolButton *m_methodBase;
    QLabel *m_methodMessage;
    QLabel *m_methodsCaption;
    ResultGrid *m_methods;
    QVBoxLayout *m_chartPlace;
    QChartView *m_chart = nullptr;
    bool m_refreshing = false;
    // By scenario name: typed populations set aside when a method was chosen in their place,
    // brought back if the typed populations are chosen again; and the scenarios where they
    // were chosen before any was typed.
    QMap<QString, tavi::StudyGrid> m_setAside;
    QSet<QString> m_typedChosen;
};
