#include "frame/ResultGrid.h"
#include "support/WindowTesting.h"

#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>

using namespace testing;

class GridClipboardTest : public QObject
{
    Q_OBJECT

    ResultGrid *grid = nullptr;

    void goTo(int viewRow, int col)
    {
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(viewRow, col));
    }

private slots:
    void init()
    {
        // A daily grid: header, days 1 to 365 shown, day 366 stored below them.
        grid = new ResultGrid(3, 367, 366, true);
        grid->setEditable(true);
        grid->resize(300, 300);
        QVERIFY(showActive(grid));
    }
    void cleanup()
    {
        delete grid;
        grid = nullptr;
    }

    void ctrlCCopiesTheSelectionAsItReads()
    {
        grid->setCell(1, 1, QStringLiteral("   0,4"));
        grid->setCell(2, 1, QStringLiteral("1E-5"));
        grid->setCell(1, 2, QStringLiteral("abc"));
        goTo(0, 1);
        grid->selectionModel()->select(
            QItemSelection(grid->model()->index(0, 1), grid->model()->index(1, 2)),
            QItemSelectionModel::ClearAndSelect);
        QTest::keySequence(grid, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("   0,4\t1E-5\nabc\t\n"));
    }

    void ctrlVFillsRightAndDownToTheStoredEnd()
    {
        QString year;
        for (int day = 1; day <= 366; ++day)
            year += QStringLiteral("%1\tx%1\n").arg(day);
        QGuiApplication::clipboard()->setText(year);
        goTo(0, 1);
        QTest::keySequence(grid, QKeySequence::Paste);
        QCOMPARE(grid->cell(1, 1), QStringLiteral("1"));
        QCOMPARE(grid->cell(2, 365), QStringLiteral("x365"));
        QCOMPARE(grid->cell(1, 366), QStringLiteral("366"));
        QCOMPARE(grid->cell(2, 366), QStringLiteral("x366"));
        QCOMPARE(grid->cell(0, 1), QString());
        QCOMPARE(grid->cell(1, 0), QString()); // the header row is untouched
    }

    void decimalTranslationIsPerGrid()
    {
        LocaleScope comma(tavi::LocaleSettings::brazilian());
        QGuiApplication::clipboard()->setText(QStringLiteral("2.5;3,75"));
        goTo(4, 0);
        QTest::keySequence(grid, QKeySequence::Paste);
        QCOMPARE(grid->cell(0, 5), QStringLiteral("2.5"));
        grid->setDecimalTranslationOnPaste(true);
        QTest::keySequence(grid, QKeySequence::Paste);
        QCOMPARE(grid->cell(0, 5), QStringLiteral("2,5"));
        QCOMPARE(grid->cell(1, 5), QStringLiteral("3,75"));
    }

    void aGridTheUserMayNotEditRefusesThePaste()
    {
        grid->setEditable(false);
        QSignalSpy refused(grid, &ResultGrid::pasteRefused);
        QGuiApplication::clipboard()->setText(QStringLiteral("9\t9\n"));
        goTo(0, 0);
        QTest::keySequence(grid, QKeySequence::Paste);
        QCOMPARE(refused.count(), 1);
        QCOMPARE(grid->cell(0, 1), QString());
        QCOMPARE(grid->cell(1, 1), QString());
    }

    // No cell takes a text longer than any number, typed or pasted into its editor: the
    // keystroke or paste is refused and the text stays as it was.
    void anOpenEditorTakesNoTextBeyondTheLimit()
    {
        goTo(0, 1);
        QTest::keyClick(grid, Qt::Key_F2);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor && grid->isAncestorOf(editor));
        editor->setText(QString(tavi::kLongestCellText - 1, QLatin1Char('1')));
        QTest::keyClicks(editor, QStringLiteral("23"));
        QCOMPARE(editor->text().size(), tavi::kLongestCellText);
        QVERIFY(editor->text().endsWith(QLatin1Char('2')));
        editor->selectAll();
        QGuiApplication::clipboard()->setText(QString(tavi::kLongestCellText + 1, '9'));
        QTest::keySequence(editor, QKeySequence::Paste);
        QCOMPARE(editor->text().size(), tavi::kLongestCellText);
        QGuiApplication::clipboard()->setText(QStringLiteral("4,5"));
        QTest::keySequence(editor, QKeySequence::Paste);
        QCOMPARE(editor->text(), QStringLiteral("4,5"));
    }
};

QTEST_MAIN(GridClipboardTest)
#include "tst_grid_clipboard.moc"
