#include "core/TaviError.h"
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
// activations and runs, and has "." and "," type "," like the windows that need it.
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

    NumericEdit *first;
    NumericEdit *second;
    ResultGrid *grid;
    int activations = 0;
    int runs = 0;
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
