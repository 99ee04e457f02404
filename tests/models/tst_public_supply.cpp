#include "core/sectors/supply/SupplyRun.h"
#include "export/ExportPrompts.h"
#include "export/RecordingSpreadsheet.h"
#include "export/ResultExport.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "frame/ResultsNotice.h"
#include "models/U_Abast_Publico/TF_Abast_Publico.h"
#include "support/WindowTesting.h"

#include <QLabel>
#include <QToolButton>

using namespace testing;
using tavi::LocaleSettings;

class PublicSupplyTest : public QObject
{
    Q_OBJECT

    TF_Abast_Publico *window = nullptr;

    NumericEdit *field(const char *name) { return fieldOf(window, name); }
    QString cell(int col, int row) const { return window->resultGrid()->cell(col, row); }
    void set(const char *name, long double v) { field(name)->setValue(v); }
    void simulate() { window->findChild<QToolButton *>(QStringLiteral("b_simular"))->click(); }

private slots:
    void init()
    {
        LocaleSettings::setCurrent(LocaleSettings::brazilian());
        window = new TF_Abast_Publico;
        QVERIFY(showActive(window));
    }
    void cleanup()
    {
        delete window;
        window = nullptr;
    }

    void opensWithFocusInFirstFieldAndHeaders()
    {
        QVERIFY(field("me_1")->hasFocus());
        QCOMPARE(cell(0, 0), QStringLiteral("DIA"));
        QCOMPARE(cell(1, 0), QStringLiteral("ATUAL"));
        QCOMPARE(cell(2, 0), QStringLiteral("FUTURA"));
        QCOMPARE(cell(1, 1), QString());
        QCOMPARE(field("me_demanda")->text(), QStringLiteral("0,0000"));
        QCOMPARE(field("me_2")->text(), QStringLiteral("0,00"));
        QCOMPARE(field("e_p_2")->text(), QStringLiteral("R$ 0,00"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Módulo Abastecimento Público"));
    }

    void allZeroInputs()
    {
        simulate();
        QCOMPARE(field("me_demanda")->text(), QStringLiteral("0,0000"));
        for (int day : {1, 9, 10, 99, 100, 365}) {
            QCOMPARE(cell(1, day), QStringLiteral("0"));
            QCOMPARE(cell(2, day), QStringLiteral("0"));
        }
        QCOMPARE(cell(0, 1), QStringLiteral("01"));
        QCOMPARE(cell(0, 9), QStringLiteral("09"));
        QCOMPARE(cell(0, 10), QStringLiteral("10"));
        QCOMPARE(cell(0, 100), QStringLiteral("100"));
        QCOMPARE(cell(0, 365), QStringLiteral("365"));
    }

    void demandFromPopulationAndElasticities()
    {
        set("me_1", 1000);
        set("me_2", 0.15L);
        set("me_3", 1200);
        set("me_4", 0.1L);
        simulate();
        QCOMPARE(field("me_demanda")->editText(), QStringLiteral("0,15"));
        QCOMPARE(cell(1, 1), QStringLiteral("170"));
        QCOMPARE(cell(2, 365), QStringLiteral("170"));

        // Next year's demand uses the per-capita value as its field holds it, rounded half away
        // from zero to four decimals: 0,1613, not 0,16125 (181,25) nor 0,16 (180).
        set("e_p_1", 0.05L);
        set("e_p_2", 1.5L);
        simulate();
        QCOMPARE(field("me_demanda")->text(), QStringLiteral("0,1613"));
        QCOMPARE(cell(1, 200), QStringLiteral("170"));
        QCOMPARE(cell(2, 200), QStringLiteral("181,3"));

        // A total population below the served one lowers both columns.
        set("me_3", 800);
        simulate();
        QCOMPARE(cell(1, 1), QStringLiteral("130"));

        // An efficiency divides the net demand; a second run gives the same texts.
        set("me_5", 55);
        simulate();
        const QString before = cell(2, 17);
        QCOMPARE(before, QStringLiteral("256,909090909091"));
        simulate();
        QCOMPARE(cell(2, 17), before);
    }

    // Elasticities per real are small: typed or pasted, they survive leaving the field, show
    // as held, and reach next year's per-capita demand.
    void smallElasticitiesKeepSixDecimals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("demand");
        // me_2 0,15; price 20; income 30000.
        QTest::newRow("income, 0,00001") << "e_p_3"
                                         << "0,00001"
                                         << "R$ 0,00001"
                                         << "0,1950";
        QTest::newRow("income, 1E-5") << "e_p_3"
                                      << "1E-5"
                                      << "R$ 0,00001"
                                      << "0,1950";
        QTest::newRow("price, 0,025") << "e_p_1"
                                      << "0,025"
                                      << "R$ 0,025"
                                      << "0,2250";
        QTest::newRow("seventh decimal refused") << "e_p_3"
                                                 << "0,0000019"
                                                 << "R$ 0,000001"
                                                 << "0,1545";
    }
    void smallElasticitiesKeepSixDecimals()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, demand);
        set("me_2", 0.15L);
        set("e_p_2", 20);
        set("e_p_4", 30000);
        NumericEdit *edit = field(qPrintable(name));
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(edit, typed);
        field("me_1")->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit->text(), shown);
        simulate();
        QCOMPARE(field("me_demanda")->text(), demand);
    }

    // A large next-year demand shows whole, its unit still on screen.
    void aLargeDemandIsShownWhole()
    {
        set("me_2", 123456789.5L);
        simulate();
        NumericEdit *demand = field("me_demanda");
        QCOMPARE(demand->text(), QStringLiteral("123.456.789,5000"));
        QVERIFY(demand->width() > demand->fontMetrics().horizontalAdvance(demand->text()));
        auto *unit = window->findChild<QLabel *>(QStringLiteral("demandUnit"));
        QVERIFY(unit);
        QVERIFY(unit->geometry().right() < unit->parentWidget()->width());
        QVERIFY(!unit->geometry().intersects(demand->geometry()));

        // The largest that still shows in fixed notation keeps within its panel.
        set("me_2", 9.9e17L);
        simulate();
        QVERIFY2(demand->text().size() > 25, qPrintable(demand->text()));
        QVERIFY(demand->geometry().right() < demand->parentWidget()->width());
    }

    // Typed in and run, the window shows what the run gives for the texts typed, as a study
    // keeps them: the grid, and next year's per-capita demand as its field holds it.
    void theWindowShowsTheRunsTexts()
    {
        const QList<QPair<QString, QString>> typed = {
            {"me_1", "12345,67"}, {"me_2", "0,18"},     {"me_3", "15032,1"},
            {"me_4", "0,09"},     {"me_5", "87,5"},     {"e_p_1", "-0,021"},
            {"e_p_2", "3,17"},    {"e_p_3", "0,00001"}, {"e_p_4", "25000"}};
        tavi::WindowInputs study;
        for (const auto &[name, text] : typed) {
            typeIntoField(window, name, text);
            study.fields[name] = QString(text).replace(QLatin1Char(','), QLatin1Char('.'));
        }
        simulate();
        const LocaleSettings &locale = LocaleSettings::current();
        const tavi::supply::Result run =
            tavi::supply::run(tavi::supply::readInputs(study, locale), locale);
        QCOMPARE(cellTexts(window->resultGrid()->table()), cellTexts(*run.grid));
        QVERIFY(field("me_demanda")->value() == *run.nextYearPerCapita);
        // (1 − 0,021 × 3,17 + 0,00001 × 25000) × 0,18; (0,09 × 2686,43 + 0,18 × 12345,67) ÷ 0,875.
        QCOMPARE(field("me_demanda")->text(), QStringLiteral("0,2130"));
        QCOMPARE(cell(1, 1), QStringLiteral("2815,9992"));
    }

    void perCapitaDemandsShowTheirDecimals()
    {
        set("me_2", 0.15L);
        set("me_4", 1234.5L);
        QCOMPARE(field("me_2")->text(), QStringLiteral("0,15"));
        QCOMPARE(field("me_4")->text(), QStringLiteral("1.234,50"));
    }

    void pointLocaleWritesPointDecimals()
    {
        LocaleScope point(LocaleSettings::decimalPoint());
        set("me_1", 3);
        set("me_2", 0.25L);
        set("me_3", 3);
        simulate();
        QCOMPARE(cell(1, 1), QStringLiteral("0.75"));
    }

    void enterWalksTheFocusChainToSimular()
    {
        const char *chain[] = {"me_1",  "me_2",  "me_3",  "me_4", "me_5",
                               "e_p_1", "e_p_2", "e_p_3", "e_p_4"};
        const char *typed[] = {"1000", "0,15", "1200", "0,1", "80", "", "", "", ""};
        for (size_t i = 0; i < std::size(chain); ++i) {
            NumericEdit *f = field(chain[i]);
            QVERIFY2(f->hasFocus(), chain[i]);
            typeInto(f, QString::fromLatin1(typed[i]));
            QTest::keyClick(f, Qt::Key_Return);
            settle();
        }
        auto *simular = window->findChild<QToolButton *>(QStringLiteral("b_simular"));
        QVERIFY(simular->hasFocus());
        QTest::keyClick(simular, Qt::Key_Return);
        // 170 m3/dia delivered at 80 % efficiency.
        QCOMPARE(cell(1, 1), QStringLiteral("212,5"));
    }

    // Leaving a group's last field forwards lands on the next group; a click or Shift+Tab
    // goes where the user pointed, so a 9 typed after clicking lands in the clicked field.
    void exitHandlersFollowOnlyForwardMoves_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("landsOn");
        QTest::newRow("Tab from me_5") << "me_5" << int(Qt::TabFocusReason) << "me_2"
                                       << "e_p_1";
        QTest::newRow("click from me_5") << "me_5" << int(Qt::MouseFocusReason) << "me_1"
                                         << "me_1";
        QTest::newRow("Shift+Tab from me_5") << "me_5" << int(Qt::BacktabFocusReason) << "me_4"
                                             << "me_4";
        QTest::newRow("Tab from e_p_4") << "e_p_4" << int(Qt::TabFocusReason) << "me_1"
                                        << "b_simular";
        QTest::newRow("click from e_p_4") << "e_p_4" << int(Qt::MouseFocusReason) << "e_p_2"
                                          << "e_p_2";
    }
    void exitHandlersFollowOnlyForwardMoves()
    {
        QFETCH(QString, from);
        QFETCH(int, reason);
        QFETCH(QString, to);
        QFETCH(QString, landsOn);
        field(qPrintable(from))->setFocus(Qt::TabFocusReason);
        field(qPrintable(to))->setFocus(Qt::FocusReason(reason));
        QCOMPARE(QApplication::focusWidget()->objectName(), landsOn);
    }

    // A click on "Simular" that takes the focus from a field whose text does not read is
    // not acted on: the error comes first, nothing is computed, and the field the focus had
    // moved to shows its value again.
    void simularIsNotActedOnOverARejectedField_data()
    {
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("click on Simular") << true;
        QTest::newRow("Tab, then Simular") << false;
    }
    void simularIsNotActedOnOverARejectedField()
    {
        QFETCH(bool, byMouse);
        CoveringErrorBox errors;
        set("me_1", 1000);
        set("me_2", 0.15L);
        set("me_4", 0.1L);
        NumericEdit *rejected = field("me_3");
        rejected->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(rejected, QStringLiteral("1e"));
        auto *simular = window->findChild<QToolButton *>(QStringLiteral("b_simular"));
        if (byMouse) {
            QTest::mouseClick(simular, Qt::LeftButton);
        } else {
            QTest::keyClick(rejected, Qt::Key_Tab);
            QVERIFY(field("me_4")->isEditing());
            simular->click();
        }
        settle();
        QCOMPARE(errors.messages,
                 QStringList{QStringLiteral("'1e' não é um valor de ponto flutuante válido.")});
        QCOMPARE(cell(1, 1), QString());
        QVERIFY(rejected->hasFocus());
        QCOMPARE(rejected->selectedText(), QStringLiteral("1e"));
        QVERIFY(!field("me_4")->isEditing());
        QCOMPARE(field("me_4")->text(), QStringLiteral("0,10"));

        QTest::keyClick(rejected, Qt::Key_Backspace);
        QTest::keyClicks(rejected, QStringLiteral("1200"));
        QTest::mouseClick(simular, Qt::LeftButton);
        QCOMPARE(cell(1, 1), QStringLiteral("170"));
    }

    void shiftTabGoesBackPastTheGroupsLastField()
    {
        field("e_p_1")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field("e_p_1"), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("me_5"));
        QTest::keyClick(field("me_5"), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("me_4"));
    }

    // Enter shows where the focus went, as Tab does: the user sees that Enter again runs it.
    void enterShowsTheFocusFrame()
    {
        window->setAttribute(Qt::WA_KeyboardFocusChange, false);
        field("e_p_4")->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(field("e_p_4"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("b_simular"));
        QVERIFY(window->testAttribute(Qt::WA_KeyboardFocusChange));
    }

    void escapeClosesTheWindow()
    {
        QTest::keyClick(field("me_1"), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

    void overflowIsReportedAndStopsTheRun()
    {
        ErrorRecorder errors;
        set("me_1", 1e4000L);
        set("me_2", 1e4000L);
        simulate();
        QCOMPARE(errors.messages, QStringList{QStringLiteral(
                                      "Excedeu a capacidade máxima do tipo ponto flutuante.")});
        // Next year's per-capita demand is computed first and does not overflow; the first
        // day's label is written before the current demand fails.
        QCOMPARE(cell(0, 1), QStringLiteral("01"));
        QCOMPARE(cell(1, 1), QString());
        QVERIFY(window->isVisible());
    }

    void theGridTakesNoTyping()
    {
        ResultGrid *grid = window->resultGrid();
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 1));
        QTest::keyClicks(grid, QStringLiteral("9"));
        QCOMPARE(cell(1, 1), QString());
    }

    // "Salvar" exports the grid as it stands, headers in bold first.
    void salvarExportsTheGridAsItStands()
    {
        QStringList messages;
        ExportPrompts::Hooks hooks;
        hooks.showError = [&messages](QWidget *, const QString &text) { messages << text; };
        ExportPrompts::setHooks(hooks);
        RecordingSpreadsheet app;
        setSpreadsheetFactory(&app);
        auto *salvar = window->findChild<QToolButton *>(QStringLiteral("b_salvar"));

        // Before "Simular" there is nothing to save: the window says so, and exports nothing.
        QStringList notices;
        ResultsNotice::setPresenter([&](QWidget *, const QString &text) { notices << text; });
        salvar->click();
        ResultsNotice::setPresenter({});
        QCOMPARE(notices, QStringList{ResultsNotice::text(ResultsNotice::Purpose::Save, false)});
        QVERIFY(app.calls.isEmpty());

        set("me_1", 1000);
        set("me_2", 0.15L);
        set("me_3", 1200);
        set("me_4", 0.1L);
        simulate();
        const QStringList before = cellTexts(window->resultGrid()->table());
        app.calls.clear();
        app.ops.clear();
        salvar->click();
        setSpreadsheetFactory(nullptr);
        ExportPrompts::setHooks({});

        QStringList headers;
        for (int column = 1; column <= 3; ++column)
            headers << RecordingSpreadsheet::bold(2, column);
        headers << RecordingSpreadsheet::cell(2, 1, "DIA")
                << RecordingSpreadsheet::cell(2, 2, "ATUAL")
                << RecordingSpreadsheet::cell(2, 3, "FUTURA");
        QCOMPARE(app.calls.mid(2, 6), headers);
        QCOMPARE(app.calls.size(), 2 + 6 + 365 * 3 + 3);
        QCOMPARE(app.calls.at(8), QStringLiteral("cell A3 01"));
        QCOMPARE(app.calls.at(9), QStringLiteral("cell B3 170"));
        QCOMPARE(app.calls.at(8 + 364 * 3), QStringLiteral("cell A367 365"));
        QCOMPARE(app.calls.last(), QStringLiteral("quit"));
        QVERIFY(messages.isEmpty());
        QCOMPARE(cellTexts(window->resultGrid()->table()), before);
    }
};

QTEST_MAIN(PublicSupplyTest)
#include "tst_public_supply.moc"
