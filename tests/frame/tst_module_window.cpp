#include "core/base/TaviError.h"
#include "frame/Activation.h"
#include "frame/ModuleWindow.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "support/WindowTesting.h"

#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QToolButton>

using namespace testing;

// A minimal module window: a panel with two fields, a grid, the buttons; it counts its
// activations, runs and charts asked for, and has "." and "," type "," like the windows that need
// it.
class ProbeWindow : public ModuleWindow
{
public:
    ProbeWindow()
    {
        resize(500, 400);
        addTitleBlock(QStringLiteral("Teste"));
        QFrame *panel = addPanel(this, QRect(9, 60, 300, 120), QStringLiteral("Painel"),
                                 QStringLiteral("Panel1"));
        first = new NumericEdit(panel);
        first->setGeometry(10, 30, 80, 21);
        second = new NumericEdit(panel);
        second->setGeometry(10, 60, 80, 21);
        grid = new ResultGrid(2, 4, 4, true, this);
        grid->setEditable(true);
        grid->setGeometry(9, 190, 200, 120);
        addButtons(this, QPoint(320, 60), QPoint(320, 130), QPoint(320, 200));
        addChartButton(this, QPoint(320, 270));
        setTabOrder(panel, first);
        setTabOrder(first, second);
        setTabOrder(second, grid);
        setTabOrder(grid, simularButton());
        setTabOrder(simularButton(), salvarButton());
        setTabOrder(salvarButton(), sairButton());
        translateDecimalKeyTo(QLatin1Char(','));
    }
    void FormActivate() override
    {
        ++activations;
        first->setFocus();
    }
    void b_simularClick() override { ++runs; }
    void b_graficoClick() override { ++charts; }

    NumericEdit *first;
    NumericEdit *second;
    ResultGrid *grid;
    int activations = 0;
    int runs = 0;
    int charts = 0;
};

class ModuleWindowTest : public QObject
{
    Q_OBJECT

    ProbeWindow *window = nullptr;

private slots:
    void init()
    {
        window = new ProbeWindow;
        QVERIFY(showActive(window));
    }
    void cleanup()
    {
        delete window;
        window = nullptr;
    }

    void activatesOnFirstShowAndAfterAWindowOfTheProgramCloses()
    {
        QCOMPARE(window->activations, 1);
        QVERIFY(window->first->hasFocus());

        QDialog box(window);
        QVERIFY(showActive(&box));
        window->second->setFocus();
        box.close();
        giveActivationBack(window);
        QCOMPARE(window->activations, 2);
        QVERIFY(window->first->hasFocus());
    }

    void comingBackFromAnotherProgramIsNoActivation()
    {
        QApplication::setActiveWindow(nullptr);
        QVERIFY(showActive(window));
        QCOMPARE(window->activations, 1);
    }

    void enterMovesTheFocusInTabOrderAndWraps()
    {
        QTest::keyClick(window->first, Qt::Key_Return);
        QVERIFY(window->second->hasFocus());
        QTest::keyClick(window->second, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(window->grid->hasFocus());
        QTest::keyClick(window->grid, Qt::Key_Return);
        QVERIFY(window->findChild<QToolButton *>(QStringLiteral("b_simular"))->hasFocus());
        QCOMPARE(window->runs, 0);
        // Enter on a focused button presses it instead.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(window->runs, 1);
        window->sairButton()->setFocus(Qt::TabFocusReason);
        window->focusNextControl();
        // Wraps to the panel, which takes the focus without showing it, then the first field.
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Panel1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(window->first->hasFocus());
    }

    void enterInACellEditorCommitsAndMovesOn()
    {
        ResultGrid *grid = window->grid;
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 1));
        QTest::keyClicks(grid, QStringLiteral("4"));
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor != grid);
        QTest::keyClicks(editor, QStringLiteral(".5"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(grid->cell(1, 1), QStringLiteral("4,5"));
        QVERIFY(window->simularButton()->hasFocus());
    }

    void theKeyHandlerSaysWhatItDid()
    {
        window->first->setFocus();
        const KeyOutcome enter = window->FormKeyPress(WindowKey::enter());
        QCOMPARE(enter.action, KeyOutcome::Action::Consume);
        QVERIFY(window->second->hasFocus());
        const KeyOutcome point = window->FormKeyPress(WindowKey::typed(QLatin1Char('.')));
        QCOMPARE(point.action, KeyOutcome::Action::Replace);
        QCOMPARE(point.replacement, QLatin1Char(','));
        QCOMPARE(window->FormKeyPress(WindowKey::typed(QLatin1Char(','))).action,
                 KeyOutcome::Action::PassOn);
        QCOMPARE(window->FormKeyPress(WindowKey::typed(QLatin1Char('7'))).action,
                 KeyOutcome::Action::PassOn);
        QCOMPARE(window->FormKeyPress(WindowKey::escape()).action, KeyOutcome::Action::Consume);
        QVERIFY(!window->isVisible());
    }

    // The window looks at keys only while it is the active window; a key sent to it while
    // another window is active reaches the control untouched.
    void keysAreHandledOnlyWhileTheWindowIsActive()
    {
        auto *plain = new QLineEdit(window);
        plain->show();
        QTest::keyClicks(plain, QStringLiteral("1.5"));
        QCOMPARE(plain->text(), QStringLiteral("1,5"));

        QWidget other;
        QVERIFY(showActive(&other));
        plain->clear();
        QTest::keyClicks(plain, QStringLiteral("1.5"));
        QCOMPARE(plain->text(), QStringLiteral("1.5"));

        other.close();
        giveActivationBack(window);
        plain->clear();
        QTest::keyClicks(plain, QStringLiteral("1.5"));
        QCOMPARE(plain->text(), QStringLiteral("1,5"));
    }

    void escapeClosesFromAnyControl()
    {
        window->grid->setFocus();
        QTest::keyClick(window->grid, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

    // F4 alone asks for the chart from every control, a grid's open cell editor included,
    // and never reaches the control; with a modifier it is left alone (Alt+F4 belongs to the
    // window manager).
    void f4AsksForTheChartFromAnyControl_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("charts");
        for (const char *from : {"field", "grid", "cell editor", "button"}) {
            QTest::addRow("%s, F4", from) << from << Qt::KeyboardModifiers() << 1;
            QTest::addRow("%s, Shift+F4", from)
                << from << Qt::KeyboardModifiers(Qt::ShiftModifier) << 0;
            QTest::addRow("%s, Alt+F4", from)
                << from << Qt::KeyboardModifiers(Qt::AltModifier) << 0;
        }
        QTest::newRow("keypad F4") << "field" << Qt::KeyboardModifiers(Qt::KeypadModifier) << 1;
    }
    void f4AsksForTheChartFromAnyControl()
    {
        QFETCH(QString, from);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, charts);
        QWidget *target = window->first;
        if (from == QLatin1String("grid") || from == QLatin1String("cell editor")) {
            window->grid->setFocus();
            window->grid->setCurrentIndex(window->grid->model()->index(0, 1));
            target = window->grid;
        }
        if (from == QLatin1String("cell editor")) {
            QTest::keyClick(window->grid, Qt::Key_F2);
            target = QApplication::focusWidget();
            QVERIFY(window->grid->isAncestorOf(target));
        }
        if (from == QLatin1String("button"))
            target = window->simularButton();
        target->setFocus();
        QTest::keyClick(target, Qt::Key_F4, modifiers);
        QCOMPARE(window->charts, charts);
        QCOMPARE(window->runs, 0);
        QVERIFY(window->isVisible());
        if (from == QLatin1String("cell editor")) {
            // The edit goes on: the editor is still open and Escape still cancels only it.
            QCOMPARE(QApplication::focusWidget(), target);
            QTest::keyClick(target, Qt::Key_Escape);
            QVERIFY(window->isVisible());
        }
    }

    // The chart button acts when clicked but takes no focus, so Enter never stops on it.
    void theChartButtonStaysOutOfTheFocusChain()
    {
        QToolButton *button = window->graficoButton();
        QCOMPARE(button->objectName(), QStringLiteral("b_grafico"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(window->charts, 1);
        QVERIFY(window->first->hasFocus());
        for (int i = 0; i < 12; ++i) {
            window->focusNextControl();
            QVERIFY(QApplication::focusWidget() != button);
        }
    }

    // A run counts even when it stopped with an error: it has written over the grids.
    void simularMarksTheWindowAsSimulated()
    {
        QVERIFY(!window->hasSimulated());
        window->simularButton()->click();
        QVERIFY(window->hasSimulated());

        ErrorRecorder errors;
        struct Failing : ProbeWindow {
            void b_simularClick() override { throw tavi::FloatError(tavi::FloatError::Overflow); }
        } failing;
        QVERIFY(showActive(&failing));
        failing.simularButton()->click();
        QCOMPARE(errors.messages.size(), 1);
        QVERIFY(failing.hasSimulated());
    }

    void handlerErrorsReachTheErrorBoxAndTheWindowGoesOn()
    {
        ErrorRecorder errors;
        struct Failing : ProbeWindow {
            void b_simularClick() override
            {
                grid->setCell(0, 1, QStringLiteral("escrito"));
                throw tavi::FloatError(tavi::FloatError::DivisionByZero);
            }
        } failing;
        QVERIFY(showActive(&failing));
        failing.simularButton()->click();
        QCOMPARE(errors.messages,
                 QStringList{QStringLiteral("Divisão de ponto flutuante por zero.")});
        QCOMPARE(failing.grid->cell(0, 1), QStringLiteral("escrito"));
        QVERIFY(failing.isVisible());
    }
};

QTEST_MAIN(ModuleWindowTest)
#include "tst_module_window.moc"
