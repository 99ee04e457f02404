#pragma once

#include "core/sectors/catalogue/Sectors.h"
#include "frame/ResultsNotice.h"
#include "frame/WindowKeys.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class QFrame;
class QLabel;
class QToolButton;
class NumericEdit;
namespace tavi
{
struct CellPlace;
struct WindowInputs;
} // namespace tavi

// The frame shared by the module windows: the title block, sunken panels with their
// headings, the three buttons, and the keyboard convention. While it is the active window it
// sees every key typed in any of its controls first: Enter moves the focus to the next control
// in tab order (or presses the focused button), Escape closes the window, and windows that
// need it translate the decimal key. Its activation handler runs when it is first shown and
// whenever a window of the program that covered it closes, never when the user comes back
// from another program. F4, from any control, asks for the chart of the window's results.
class ModuleWindow : public QDialog
{
    Q_OBJECT
public:
    explicit ModuleWindow(QWidget *parent = nullptr);
    // The window of a sector: its inputs are the sector's part of a study.
    explicit ModuleWindow(tavi::SectorId sector, QWidget *parent = nullptr);
    ~ModuleWindow() override;

    // The sector whose inputs the window holds; none for a window that holds no study inputs.
    std::optional<tavi::SectorId> sector() const { return m_sector; }

    // The window's key handler: Enter moves the focus on and Escape closes the window (both
    // consumed); "." and "," become the decimal separator where the window translates them.
    KeyOutcome FormKeyPress(const WindowKey &key);

    // The character that "." and "," type in this window: the regional decimal separator,
    // as its last activation read it, in windows that translate the decimal key; null in
    // the others, where they arrive as typed.
    QChar decimalSeparator() const { return m_decimalSeparator; }

    // Moves the focus forwards in tab order from the focused control, counting only visible,
    // enabled tab stops of this window and wrapping from the last to the first.
    void focusNextControl();
    // Gives `control` the focus as the keyboard does, with its focus frame showing: after
    // Enter the user must see that Enter again will press "Simular" (or "Sair").
    void moveFocusTo(QWidget *control);

    QToolButton *simularButton() const { return m_simular; }
    QToolButton *salvarButton() const { return m_salvar; }
    QToolButton *sairButton() const { return m_sair; }
    // The small "Gráfico" button, where the window has one.
    QToolButton *graficoButton() const { return m_grafico; }

    // Whether "Simular" has run since the window opened (stopped by an error or not): before
    // that the grids hold no results of this window's inputs.
    // Whether the window shows results of its inputs as they are: "Simular" has run since the
    // window opened (stopped by an error or not) and no input has changed since.
    bool hasSimulated() const { return m_simulated; }

    // Runs `look` (a notice, a chart: something that covers the window and changes nothing
    // in it) and gives the focus back where it was once the window is active again, rather
    // than to the first field, as other activations do.
    void keepingFocus(const std::function<void()> &look);
    // Whether the results of the last run were taken away because an input changed after it.
    bool inputsChangedSinceRun() const { return m_inputsChanged; }

public slots:
    virtual void FormActivate() {}
    virtual void b_simularClick() {}
    virtual void b_salvarClick() {}
    void b_sairClick();
    // The chart of the results: the button "Gráfico" and the key F4.
    virtual void b_graficoClick() {}

protected:
    // Empties what "Simular" wrote: result cells and the labels and fields derived from them.
    // Runs when an input changes after a run (typing, a paste, a fill, an undo), so that the
    // window never shows results beside inputs they were not computed from.
    virtual void clearResults() {}
    // For "Salvar" and the like: true when the window has results of its inputs as they are;
    // otherwise the notice says "Simular" must run first, and false.
    bool requireCurrentResults(ResultsNotice::Purpose purpose);

    // From now on "." and "," type `separator`, for windows whose grids take numbers.
    void translateDecimalKeyTo(QChar separator) { m_decimalSeparator = separator; }

    // The three lines of the title block at the top left.
    void addTitleBlock(const QString &moduleName);
    // A sunken panel at `geometry` with its heading in Verdana bold italic; the panel itself
    // is a tab stop that takes the focus without showing it.
    QFrame *addPanel(QWidget *parent, const QRect &geometry, const QString &heading,
                     const QString &objectName, QLabel **headingLabel = nullptr);
    // The buttons "Simular", "Salvar" and "Sair", wired to their handlers.
    void addButtons(QWidget *parent, const QPoint &simular, const QPoint &salvar,
                    const QPoint &sair);
    // The small button "Gráfico" at `at`, wired to b_graficoClick. It takes no focus and so
    // stays out of the Enter and Tab chain of the window's controls.
    void addChartButton(QWidget *parent, const QPoint &at);

    // Runs a handler under the program's guard (errors go to the application error box);
    // when it stopped at a cell of one of the window's grids, that cell is then shown to
    // the user: made current, scrolled into view and selected.
    bool guarded(const std::function<void()> &handler);
    // Runs `handler` whenever `field` is left forwards (Enter or Tab) with a readable text.
    template <class W> void onExit(NumericEdit *field, W *window, void (W::*handler)());

    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;

private:
    QToolButton *makeButton(QWidget *parent, const QString &name, const QString &caption,
                            const QString &picture, const QPoint &at);
    bool ownsKeyEvent(QObject *watched) const;
    bool isEditingCell() const;
    // A field of the window whose unreadable text is being reported: a button clicked
    // meanwhile is not acted on.
    bool hasRejectedField() const;
    // Runs a button's handler, unless a field's error stands; returns whether it ran.
    bool buttonHandler(const std::function<void()> &handler);
    void showCell(const tavi::CellPlace &place);
    void showField(const QString &name);
    // After a run: what the inputs were, so that a later change can be told from a write
    // that changed nothing an input holds.
    void rememberInputsOfRun();
    void inputsMaybeChanged();

    std::optional<tavi::SectorId> m_sector;
    QToolButton *m_simular = nullptr;
    QToolButton *m_salvar = nullptr;
    QToolButton *m_sair = nullptr;
    QToolButton *m_grafico = nullptr;
    bool m_simulated = false;
    bool m_inputsChanged = false;
    bool m_running = false;
    bool m_watchingInputs = false;
    std::unique_ptr<tavi::WindowInputs> m_inputsOfRun;
    bool m_activated = false;
    bool m_coveredByOwnWindow = false;
    // While a look runs, where the focus was when it covered the window.
    bool m_keepingFocus = false;
    QPointer<QWidget> m_focusBeforeCover;
    QChar m_decimalSeparator;
};

#include "frame/NumericEdit.h"

template <class W> void ModuleWindow::onExit(NumericEdit *field, W *window, void (W::*handler)())
{
    connect(field, &NumericEdit::exitedForwards, window,
            [this, window, handler] { guarded([window, handler] { (window->*handler)(); }); });
}
