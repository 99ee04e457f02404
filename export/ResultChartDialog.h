#pragma once

#include "export/ResultChart.h"
#include "frame/ReplaceableBox.h"

#include <QDialog>

#include <functional>

class ModuleWindow;
class QChartView;

// The chart of a module window's results in a modal window of its own ("F_Grafico"): its
// lines with a legend, titled axes with their units and tick labels written with the user's
// decimal separator. A cell that held no number leaves a gap in its line. Escape, Enter and
// "Fechar" close it.
class ResultChartDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ResultChartDialog(const tavi::ResultChart &chart, QWidget *parent = nullptr);

    QChartView *chartView() const { return m_view; }

private:
    QChartView *m_view;
};

// What the key F4 and the button "Gráfico" of a module window show.
namespace ResultChartBox
{

// The notice shown instead of a chart before the window has results to draw.
QString notSimulatedNotice();

// Shows the chart over `window` and waits until it closes; before the window's first
// "Simular", or when no cell of the chart holds a number, the notice instead. Either way the
// window then gets its activation back, as after every box of the program.
void show(ModuleWindow *window, const tavi::ResultChart &chart);

// Tests replace the chart's window and the notice (both wait for the user) with presenters
// of their own; an empty function brings the real one back.
using ChartPresenter = std::function<void(QWidget *parent, const tavi::ResultChart &chart)>;
void setChartPresenter(ChartPresenter presenter);
void setNoticePresenter(ReplaceableBox::Presenter presenter);

} // namespace ResultChartBox
