#include "core/numbers/NumberText.h"
#include "core/workbook/Workbook.h"
#include "core/workbook/WorkbookError.h"
#include "export/ChartSheetView.h"
#include "export/ExportPrompts.h"
#include "export/SaveLocation.h"
#include "export/WindowedSpreadsheet.h"
#include "export/WorkbookWindow.h"
#include "frame/ChartAxes.h"
#include "frame/ModuleWindow.h"
#include "support/WindowTesting.h"

#include <QChartView>
#include <QDir>
#include <QFileInfo>
#include <QLegend>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QValueAxis>
#include <QtTest>

using ExportPrompts::SaveAnswer;
using tavi::LocaleSettings;
using tavi::WorkbookError;

namespace
{

const QString kChart = QStringLiteral("Graf. Vazão Indisponível");

// A module window that counts its activations.
class CountingWindow : public ModuleWindow
{
public:
    int activations = 0;
    void FormActivate() override { ++activations; }
};

// Scripted answers to the save question and the file dialog; messages recorded.
class ScriptedUser
{
public:
    ScriptedUser()
    {
        ExportPrompts::Hooks hooks;
        hooks.askToSave = [this](QWidget *, const QString &name) {
            questions << name;
            return answers.isEmpty() ? SaveAnswer::Cancel : answers.takeFirst();
        };
        hooks.chooseSaveFile = [this](QWidget *, const QString &suggested) {
            suggestions << suggested;
            return paths.isEmpty() ? QString() : paths.takeFirst();
        };
        hooks.showError = [this](QWidget *, const QString &text) { errors << text; };
        ExportPrompts::setHooks(hooks);
    }
    ~ScriptedUser() { ExportPrompts::setHooks({}); }

    QList<SaveAnswer> answers;
    QStringList paths;
    QStringList questions, suggestions, errors;
};

// Fills the application as the dilution export does, up to making it visible.
void fillDilutionLike(SpreadsheetApp &app)
{
    app.workbooksAdd(1);
    app.setCellFontStyle(1, 1, 1, 1, QStringLiteral("Negrito"));
    app.setCellText(1, 1, 1, 1, QStringLiteral("Ponto de Lançamento"));
    for (int point = 1; point <= 50; ++point) {
        app.setCellText(1, 1, point + 2, 1, QString::number(point));
        app.setCellText(1, 1, point + 2, 5, QStringLiteral("%1,5").arg(point));
    }
    app.columnsAutoFit();
}

void addChart(SpreadsheetApp &app)
{
    app.sheetsAdd(1, 1, -4109);
    app.setSheetName(1, 1, kChart);
    app.setSheetName(1, 2, QStringLiteral("Resultados"));
    app.setSeriesValues(kChart, 1, app.sheetRange(QStringLiteral("Resultados"), "E3:E52"));
    app.setChartType(kChart, 63);
}

} // namespace

class WorkbookWindowTest : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    CountingWindow *owner = nullptr;
    std::unique_ptr<testing::LocaleScope> locale;

    QStringList savedFiles() const
    {
        return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    }

private slots:
    void init()
    {
        locale = std::make_unique<testing::LocaleScope>(LocaleSettings::brazilian());
        for (const QString &name : savedFiles())
            QFile::remove(folder.filePath(name));
        owner = new CountingWindow;
        QVERIFY(testing::showActive(owner));
    }
    void cleanup()
    {
        delete owner;
        owner = nullptr;
        locale.reset();
    }

    // The component refuses what its workbook cannot honour, as an automation call fails.
    void callsTheWorkbookCannotHonourFail()
    {
        WorkbookSpreadsheet app;
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.setCellText(1, 1, 1, 1, "x"));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.columnsAutoFit());
        app.workbooksAdd(1);
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.workbooksAdd(1));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.setCellText(2, 1, 1, 1, "x"));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.setCellText(1, 2, 1, 1, "x"));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.setCellText(1, 1, 0, 1, "x"));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.setCellFontStyle(1, 1, 1, 1, "Sublinhado"));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.sheetRange("Resultados", "E3:E52"));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.setChartType("Plan1", 63));
        app.sheetsAdd(1, 1, -4109);
        // The chart sheet is active now, and has no columns to fit or cells to take.
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.columnsAutoFit());
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.setCellText(1, 1, 1, 1, "x"));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.sheetRange("Gráf1", "A1"));
        const tavi::CellRange range = app.sheetRange("plan1", "E3:E52");
        QCOMPARE(range.sheet, QStringLiteral("Plan1"));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.setSeriesValues("Gráf1", 2, range));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.setSeriesValues("Nenhum", 1, range));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.setChartType("Gráf1", 51));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.setSheetName(1, 3, "X"));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.setSheetName(1, 1, "Plan1"));
        app.setSeriesValues("Gráf1", 1, range);
        app.quit();
        QVERIFY(!app.workbook());
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.setSheetName(1, 1, "X"));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.quit());
    }

    // Cells take numbers under the regional settings in force when written.
    void cellsFollowTheRegionalSettings()
    {
        WorkbookSpreadsheet app;
        app.workbooksAdd(1);
        app.setCellText(1, 1, 1, 1, "0,5");
        {
            testing::LocaleScope point(LocaleSettings::decimalPoint());
            app.setCellText(1, 1, 1, 2, "0,5");
            app.setCellText(1, 1, 1, 3, "0.5");
        }
        const tavi::Worksheet &sheet = app.workbook()->worksheet(1);
        QCOMPARE(sheet.cell(1, 1)->number, 0.5);
        QCOMPARE(sheet.cell(1, 2)->kind, tavi::WorkbookCell::Kind::Text);
        QCOMPARE(sheet.cell(1, 3)->number, 0.5);
    }

    void visibleShowsEverySheetInItsWindow()
    {
        ScriptedUser user;
        WindowedSpreadsheet app(owner);
        fillDilutionLike(app);
        QVERIFY(!app.window());
        app.setVisible(true);
        QPointer<WorkbookWindow> window = app.window();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowModality(), Qt::WindowModal);
        QCOMPARE(window->windowTitle(), QStringLiteral("Pasta1"));

        // Built after the window is shown, as the user watches.
        addChart(app);
        QTRY_COMPARE(window->tabs()->count(), 2);
        QCOMPARE(window->tabs()->tabText(0), kChart);
        QCOMPARE(window->tabs()->tabText(1), QStringLiteral("Resultados"));

        auto *grid = qobject_cast<QTableView *>(window->tabs()->widget(1));
        QVERIFY(grid);
        QAbstractItemModel *model = grid->model();
        QCOMPARE(model->headerData(4, Qt::Horizontal).toString(), QStringLiteral("E"));
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Ponto de Lançamento"));
        QVERIFY(model->index(0, 0).data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(model->index(51, 4).data().toString(), QStringLiteral("50,5"));
        QVERIFY(!model->index(51, 4).data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(model->index(51, 4).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
        // The fitted first column is wider than an unfitted one and shows its header whole.
        const QFontMetrics metrics(grid->font());
        QVERIFY(grid->columnWidth(0) >= metrics.horizontalAdvance("Ponto de Lançamento"));
        QVERIFY(grid->columnWidth(0) > grid->columnWidth(2));

        auto *chartView = qobject_cast<QChartView *>(window->tabs()->widget(0));
        QVERIFY(chartView);
        const auto lines = chartView->chart()->series();
        QCOMPARE(lines.size(), 1);
        auto *line = qobject_cast<QLineSeries *>(lines.first());
        QCOMPARE(line->count(), 50);
        QCOMPARE(line->at(0), QPointF(1, 1.5));
        QCOMPARE(line->at(49), QPointF(50, 50.5));
        QVERIFY(chartView->chart()->title().isEmpty());

        app.quit(); // asks; the script cancels
        QCOMPARE(user.questions, QStringList({"Pasta1"}));
        window->discard();
    }

    // A chart plots its series' numbers, 0 for anything else; stacking a single series
    // draws the same line.
    void chartLinesComeFromTheRange()
    {
        tavi::Workbook book;
        for (int r = 1; r <= 3; ++r) {
            book.worksheet(1).setEntry(r, 1, QString::number(r));
            book.worksheet(1).setEntry(r, 2, QStringLiteral("10"));
        }
        book.worksheet(1).setEntry(2, 1, QStringLiteral("dois"));
        tavi::WorkbookChart chart;
        chart.setSeriesValues(1, tavi::parseRangeReference("Plan1", "A1:A3"));
        const auto plain = chartLines(book, chart);
        QCOMPARE(plain, (std::vector<std::vector<double>>{{1, 0, 3}}));
        chart.setChartType(63);
        QCOMPARE(chartLines(book, chart), plain); // one series: the same line
    }

    // The value axis fits the data, not zero; huge values keep short labels; the legend
    // names the series by the heading above its values.
    void chartAxisAndLegend_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("step");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("scientific");
        QTest::newRow("flows near 0,45")
            << "Qind.n (acumulada)" << 0.42 << 0.001 << "Qind.n (acumulada)" << false;
        QTest::newRow("huge values") << "" << 1.5e20 << 1e18 << "Série 1" << true;
        QTest::newRow("negative") << "Saldo" << -3000.0 << 10.0 << "Saldo" << false;
    }
    void chartAxisAndLegend()
    {
        QFETCH(QString, heading);
        QFETCH(double, first);
        QFETCH(double, step);
        QFETCH(QString, name);
        QFETCH(bool, scientific);
        tavi::Workbook book;
        if (!heading.isEmpty())
            book.worksheet(1).setEntry(1, 5, heading);
        for (int point = 1; point <= 50; ++point)
            book.worksheet(1).setEntry(point + 2, 5, tavi::formatGeneral(first + step * point));
        tavi::WorkbookChart chart;
        chart.setSeriesValues(1, tavi::parseRangeReference("Plan1", "E3:E52"));
        std::unique_ptr<QChartView> view(makeChartView(book, chart));
        QChart *drawn = view->chart();
        QVERIFY(drawn->legend()->isVisible());
        QCOMPARE(drawn->series().first()->name(), name);
        auto *y = qobject_cast<QValueAxis *>(drawn->axes(Qt::Vertical).first());
        QVERIFY(y->min() <= first + step && y->max() >= first + 50 * step);
        QVERIFY(y->max() - y->min() < 20 * (50 * step)); // the data fills the axis
        QCOMPARE(ChartAxes::labels(y).value(0).contains(QLatin1Char('e')), scientific);
    }

    // Numbers in the workbook window are shown whole, whatever the fitted width estimated.
    void numbersAreNeverCut()
    {
        ScriptedUser user;
        WindowedSpreadsheet app(owner);
        app.workbooksAdd(1);
        app.setCellText(1, 1, 3, 2, QStringLiteral("2151428,57142857"));
        app.setCellText(1, 1, 4, 2, QStringLiteral("-1,23456789012345E-200"));
        app.setVisible(true);
        QPointer<WorkbookWindow> window = app.window();
        auto *grid = qobject_cast<QTableView *>(window->tabs()->widget(0));
        const QFontMetrics metrics(grid->font());
        QVERIFY(grid->columnWidth(1) >= metrics.horizontalAdvance("-1,23456789012345E-200"));
        app.quit();
        window->discard();
    }

    void quitAndDontSaveDropsTheWorkbook()
    {
        ScriptedUser user;
        user.answers = {SaveAnswer::DontSave};
        QPointer<WorkbookWindow> window;
        {
            WindowedSpreadsheet app(owner);
            fillDilutionLike(app);
            app.setVisible(true);
            window = app.window();
            const int before = owner->activations;
            app.quit();
            QVERIFY(!window->isVisible());
            // Activation came back to the module window.
            QCOMPARE(owner->activations, before + 1);
        }
        QTRY_VERIFY(!window);
        QCOMPARE(user.questions, QStringList({"Pasta1"}));
        QVERIFY(user.suggestions.isEmpty());
        QVERIFY(savedFiles().isEmpty());
    }

    void quitAndSaveWritesTheChosenFile()
    {
        ScriptedUser user;
        user.answers = {SaveAnswer::Save};
        user.paths = {folder.filePath("diluicao.xlsx")};
        WindowedSpreadsheet app(owner);
        fillDilutionLike(app);
        app.setVisible(true);
        addChart(app);
        QPointer<WorkbookWindow> window = app.window();
        app.quit();
        QCOMPARE(user.suggestions, QStringList({"Pasta1.xlsx"}));
        QVERIFY(user.errors.isEmpty());
        QCOMPARE(savedFiles(), QStringList({"diluicao.xlsx"}));
        QCOMPARE(SaveLocation::lastFolder(), QFileInfo(folder.path()).absoluteFilePath());
        QTRY_VERIFY(!window);
    }

    // Cancel keeps the window with the workbook; closing asks again; the window's own save
    // command saves; once saved, closing asks nothing.
    void cancelKeepsTheWindowWhichSavesOnItsOwn()
    {
        ScriptedUser user;
        user.answers = {SaveAnswer::Cancel, SaveAnswer::Cancel};
        QPointer<WorkbookWindow> window;
        {
            WindowedSpreadsheet app(owner);
            fillDilutionLike(app);
            app.setVisible(true);
            window = app.window();
            app.quit();
        }
        // The application is released; the window and its workbook live on.
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->workbook().worksheet(1).cell(52, 5)->number, 50.5);
        const int before = owner->activations;
        QVERIFY(!window->close());
        QCOMPARE(user.questions.size(), 2);
        QCOMPARE(owner->activations, before);

        // A name from wherever, without ".xlsx", still saves as an .xlsx file.
        user.paths = {folder.filePath("pasta.csv")};
        window->findChild<QPushButton *>("saveButton")->click();
        QCOMPARE(savedFiles(), QStringList({"pasta.csv.xlsx"}));
        QVERIFY(!window->isModified());
        QCOMPARE(window->windowTitle(), QStringLiteral("pasta.csv.xlsx"));
        window->findChild<QPushButton *>("closeButton")->click();
        QCOMPARE(user.questions.size(), 2);
        QCOMPARE(owner->activations, before + 1);
        QTRY_VERIFY(!window);
    }

    // Escape closes the window as every other window closes, through the save question.
    void escapeClosesThroughTheSaveQuestion()
    {
        ScriptedUser user;
        // The export's own quit, then two presses of Escape.
        user.answers = {SaveAnswer::Cancel, SaveAnswer::Cancel, SaveAnswer::DontSave};
        QPointer<WorkbookWindow> window;
        {
            WindowedSpreadsheet app(owner);
            fillDilutionLike(app);
            app.setVisible(true);
            window = app.window();
            app.quit();
        }
        QVERIFY(window && window->isVisible());
        // Wholly on the screen, however small the screen.
        QVERIFY2(window->screen()->availableGeometry().contains(window->frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(window->frameGeometry().x())
                                .arg(window->frameGeometry().y())
                                .arg(window->frameGeometry().width())
                                .arg(window->frameGeometry().height())));
        QTest::keyClick(window->findChild<QTabWidget *>("sheetTabs")->currentWidget(),
                        Qt::Key_Escape);
        QCOMPARE(user.questions.size(), 2);
        QVERIFY(window && window->isVisible());
        QTest::keyClick(window->findChild<QTabWidget *>("sheetTabs")->currentWidget(),
                        Qt::Key_Escape);
        QCOMPARE(user.questions.size(), 3);
        QTRY_VERIFY(!window);
    }

    void failedSaveKeepsTheWindowAndWorkbook()
    {
        ScriptedUser user;
        user.answers = {SaveAnswer::Save, SaveAnswer::Save};
        user.paths = {folder.filePath("nenhuma/pasta.xlsx"), QString()};
        const QString remembered = SaveLocation::lastFolder();
        WindowedSpreadsheet app(owner);
        fillDilutionLike(app);
        app.setVisible(true);
        QPointer<WorkbookWindow> window = app.window();
        app.quit();
        QCOMPARE(user.errors.size(), 1);
        QCOMPARE(user.errors.first(),
                 QStringLiteral("Não foi possível salvar o arquivo \"%1\": A pasta não existe")
                     .arg(folder.filePath("nenhuma/pasta.xlsx")));
        QCOMPARE(SaveLocation::lastFolder(), remembered);
        QVERIFY(window && window->isVisible());
        QVERIFY(window->isModified());
        QCOMPARE(window->workbook().worksheet(1).cellCount(), 101);

        // Cancelling the file dialog keeps the window too.
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        QVERIFY(savedFiles().isEmpty());
        window->discard();
        QTRY_VERIFY(!window);
    }

    // A failed export ends the application; a window already shown goes without asking.
    void abandonClosesWithoutAsking()
    {
        ScriptedUser user;
        WindowedSpreadsheet app(owner);
        fillDilutionLike(app);
        app.setVisible(true);
        QPointer<WorkbookWindow> window = app.window();
        app.abandon();
        QVERIFY(user.questions.isEmpty());
        QVERIFY(!app.workbook());
        QTRY_VERIFY(!window);
        QVERIFY_THROWS_EXCEPTION(WorkbookError, app.setCellText(1, 1, 1, 1, "x"));

        // Before the hand-over nothing was shown, and nothing is.
        WindowedSpreadsheet hidden(owner);
        hidden.workbooksAdd(1);
        hidden.abandon();
        QVERIFY(!hidden.window());
        QVERIFY(user.questions.isEmpty());
    }

    // The real question: "Salvar", "Não Salvar", "Cancelar"; Escape cancels.
    void realSaveQuestion()
    {
        QStringList texts;
        QString question;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            question = box->text();
            for (QAbstractButton *b : box->buttons())
                texts << b->text();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(ExportPrompts::askToSave(owner, "Pasta1"), SaveAnswer::Cancel);
        texts.sort();
        QCOMPARE(texts, QStringList({"Cancelar", "Não Salvar", "Salvar"}));
        QCOMPARE(question, QStringLiteral("Deseja salvar as alterações em Pasta1?"));
    }
};

QTEST_MAIN(WorkbookWindowTest)
#include "tst_workbook_window.moc"
