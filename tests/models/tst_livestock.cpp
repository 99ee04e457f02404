#include "core/sectors/livestock/LivestockRun.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"
#include "support/WindowTesting.h"

#include <QHeaderView>
#include <QLabel>
#include <QToolButton>

using namespace testing;
using tavi::LocaleSettings;

namespace
{
const char *const kConsumption[] = {"me_bovino", "me_suino", "me_equino", "me_caprino",
                                    "me_galinaceo"};
const char *const kHerd[] = {"e_qte_bovino", "e_qte_suino", "e_qte_equino", "e_qte_caprino",
                             "e_qte_galinaceo"};

// Expected texts are written with "."; in a comma locale they carry "," instead.
QString inLocale(QString text, bool comma)
{
    return comma ? text.replace(QLatin1Char('.'), QLatin1Char(',')) : text;
}
} // namespace

using Values = QList<double>;

class LivestockTest : public QObject
{
    Q_OBJECT

    TF_Mod_Pecuaria *window = nullptr;

    NumericEdit *field(const char *name) { return fieldOf(window, name); }
    QToolButton *button(const char *name)
    {
        return window->findChild<QToolButton *>(QLatin1String(name));
    }
    QString cell(int col, int row) const { return window->resultGrid()->cell(col, row); }
    void simulate() { button("b_simular")->click(); }
    void setSpecies(int s, long double heads, long double litres)
    {
        field(kHerd[s])->setValue(heads);
        field(kConsumption[s])->setValue(litres);
    }

private slots:
    void init()
    {
        LocaleSettings::setCurrent(LocaleSettings::brazilian());
        window = new TF_Mod_Pecuaria;
        QVERIFY(showActive(window));
    }
    void cleanup()
    {
        delete window;
        window = nullptr;
    }

    void opensWithFocusInFirstFieldAndHeaders()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("Módulo Pecuária"));
        QCOMPARE(window->size(), QSize(557, 692));
        QVERIFY(field("me_bovino")->hasFocus());
        const QStringList headers = {"DIA",     "BOVINO",    "SUÍNO", "EQUINO",
                                     "CAPRINO", "GALINÁCEO", "m3/dia"};
        auto *grid = window->findChild<ResultGrid *>(QStringLiteral("SG_Resultado"));
        const QFontMetrics metrics(grid->horizontalHeader()->font());
        for (int col = 0; col < headers.size(); ++col) {
            QCOMPARE(cell(col, 0), headers[col]);
            // Whole before the first run.
            QVERIFY2(grid->columnWidth(col) > metrics.horizontalAdvance(headers[col]),
                     qPrintable(headers[col]));
        }
        QCOMPARE(cell(1, 1), QString());
        // The input rows spell the species without accent, the grid header with it.
        QStringList captions;
        for (QLabel *label : window->findChildren<QLabel *>())
            captions << label->text();
        QVERIFY(captions.contains(QStringLiteral("Suino")));
        QVERIFY(!captions.contains(QStringLiteral("Suíno")));
        QCOMPARE(field("me_suino")->text(), QStringLiteral("0,00"));
        QCOMPARE(field("e_qte_suino")->text(), QStringLiteral("0"));
    }

    void speciesDemandAndTotal_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<Values>("heads");
        QTest::addColumn<Values>("litres");
        QTest::addColumn<QStringList>("expected"); // columns 1 to 6, written with "."

        for (bool comma : {true, false}) {
            const char *tag = comma ? "comma" : "point";
            QTest::addRow("%s: all zero", tag)
                << comma << Values{0, 0, 0, 0, 0} << Values{0, 0, 0, 0, 0}
                << QStringList{"0", "0", "0", "0", "0", "0"};
            QTest::addRow("%s: cattle", tag)
                << comma << Values{1000, 0, 0, 0, 0} << Values{50, 0, 0, 0, 0}
                << QStringList{"50", "0", "0", "0", "0", "50"};
            QTest::addRow("%s: cattle and poultry", tag)
                << comma << Values{1000, 0, 0, 0, 10000} << Values{50, 0, 0, 0, 0.25}
                << QStringList{"50", "0", "0", "0", "2.5", "52.5"};
            QTest::addRow("%s: goats below a thousandth", tag)
                << comma << Values{0, 0, 0, 3, 0} << Values{0, 0, 0, 0.33, 0}
                << QStringList{"0", "0", "0", "0.00099", "0", "0.00099"};
            // A herd without consumption, or consumption without a herd, demands nothing.
            QTest::addRow("%s: one factor missing", tag)
                << comma << Values{500, 0, 7, 0, 0} << Values{0, 12, 0, 0, 0}
                << QStringList{"0", "0", "0", "0", "0", "0"};
            // No check on the inputs: a negative herd is used with its sign.
            QTest::addRow("%s: every species, a negative herd", tag)
                << comma << Values{200, 150, -40, 60, 3000} << Values{45.5, 12, 40, 5.25, 0.2}
                << QStringList{"9.1", "1.8", "-1.6", "0.315", "0.6", "10.215"};
        }
    }
    void speciesDemandAndTotal()
    {
        QFETCH(bool, comma);
        QFETCH(Values, heads);
        QFETCH(Values, litres);
        QFETCH(QStringList, expected);
        LocaleScope locale(comma ? LocaleSettings::brazilian() : LocaleSettings::decimalPoint());
        for (int s = 0; s < 5; ++s)
            setSpecies(s, heads[s], litres[s]);
        simulate();
        for (int day : {1, 180, 365, 366}) {
            for (int col = 1; col <= 6; ++col)
                QCOMPARE(cell(col, day), inLocale(expected[col - 1], comma));
        }
    }

    // The total is summed from the five texts as shown, each rounded to 15 significant
    // digits. Here both products carry a 16th digit that rounds up, so the sum of the shown
    // numbers (…234569) differs in its 15th digit from the rounded sum of the unrounded
    // products (345679011.2345684, shown …234568).
    void totalIsTheSumOfTheShownTexts()
    {
        setSpecies(0, 12345678901234.57L, 0.01L); // 123456789.0123457 m3/day
        setSpecies(1, 22222222222222.27L, 0.01L); // 222222222.2222227 m3/day
        simulate();
        QCOMPARE(cell(1, 1), QStringLiteral("123456789,012346"));
        QCOMPARE(cell(2, 1), QStringLiteral("222222222,222223"));
        QCOMPARE(cell(6, 1), QStringLiteral("345679011,234569"));
        QCOMPARE(cell(6, 366), QStringLiteral("345679011,234569"));
    }

    void day366IsStoredBelowTheRowsShown()
    {
        setSpecies(4, 10000, 0.25L);
        simulate();
        ResultGrid *grid = window->resultGrid();
        QCOMPARE(grid->model()->rowCount(), 365);
        const QModelIndex lastShown = grid->model()->index(364, 0);
        QCOMPARE(lastShown.data().toString(), QStringLiteral("365"));
        QCOMPARE(cell(0, 1), QStringLiteral("01"));
        QCOMPARE(cell(0, 9), QStringLiteral("09"));
        QCOMPARE(cell(0, 10), QStringLiteral("10"));
        QCOMPARE(cell(0, 100), QStringLiteral("100"));
        QCOMPARE(cell(0, 366), QStringLiteral("366"));
        for (int col = 1; col <= 6; ++col)
            QCOMPARE(cell(col, 366), cell(col, 1));
        QCOMPARE(cell(5, 366), QStringLiteral("2,5"));
    }

    // Typed in and run, the grid shows what the run gives for the texts typed, as a study
    // keeps them.
    void theGridShowsTheRunsTexts()
    {
        const QStringList litres = {"45,5", "12", "40,25", "5,25", "0,2"};
        const QStringList heads = {"200", "150,5", "40", "60", "3000"};
        tavi::WindowInputs study;
        for (int s = 0; s < tavi::kSpeciesCount; ++s) {
            typeIntoField(window, kConsumption[s], litres[s]);
            typeIntoField(window, kHerd[s], heads[s]);
            study.fields[kConsumption[s]] = QString(litres[s]).replace(',', '.');
            study.fields[kHerd[s]] = QString(heads[s]).replace(',', '.');
        }
        simulate();
        const LocaleSettings &locale = LocaleSettings::current();
        const tavi::livestock::Result run =
            tavi::livestock::run(tavi::livestock::readInputs(study, locale), locale);
        QCOMPARE(cellTexts(window->resultGrid()->table()), cellTexts(*run.grid));
        QCOMPARE(cell(2, 366), QStringLiteral("1,806"));
    }

    void typedTextInAResultCellIsReplacedByTheNextRun()
    {
        setSpecies(0, 1000, 50);
        simulate();
        ResultGrid *grid = window->resultGrid();
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(9, 1)); // day 10, BOVINO
        QTest::keyClicks(grid, QStringLiteral("x"));
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor && editor != grid);
        QTest::keyClicks(editor, QStringLiteral("yz"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(cell(1, 10), QStringLiteral("xyz"));
        // Typed text stays until the next run; the total is not recomputed from it.
        QCOMPARE(cell(6, 10), QStringLiteral("50"));
        simulate();
        QCOMPARE(cell(1, 10), QStringLiteral("50"));
    }

    void enterAloneWalksTheFocusChainAndRuns()
    {
        const QStringList typed = {"50", "", "", "", "0,25", "1000", "", "", "", "10000"};
        QStringList chain;
        for (const char *name : kConsumption)
            chain << QLatin1String(name);
        for (const char *name : kHerd)
            chain << QLatin1String(name);
        for (int i = 0; i < chain.size(); ++i) {
            NumericEdit *f = field(chain[i].toLatin1().constData());
            QVERIFY2(f->hasFocus(), qPrintable(chain[i]));
            typeInto(f, typed[i]);
            QTest::keyClick(f, Qt::Key_Return);
            settle();
        }
        QToolButton *simular = button("b_simular");
        QVERIFY(simular->hasFocus());
        QTest::keyClick(simular, Qt::Key_Return);
        QCOMPARE(cell(6, 1), QStringLiteral("52,5"));
        QCOMPARE(cell(6, 366), QStringLiteral("52,5"));
    }

    // The exit handlers follow forward moves only; a click goes where the user pointed.
    void leavingTheLastFieldOfAGroupForwardsLandsOnItsTarget()
    {
        field("me_galinaceo")->setFocus(Qt::TabFocusReason);
        field("me_suino")->setFocus(Qt::TabFocusReason);
        QVERIFY(field("e_qte_bovino")->hasFocus());
        field("e_qte_galinaceo")->setFocus(Qt::TabFocusReason);
        field("me_bovino")->setFocus(Qt::TabFocusReason);
        QVERIFY(button("b_simular")->hasFocus());
        field("me_galinaceo")->setFocus(Qt::TabFocusReason);
        field("me_suino")->setFocus(Qt::MouseFocusReason);
        QVERIFY(field("me_suino")->hasFocus());
        field("e_qte_galinaceo")->setFocus(Qt::TabFocusReason);
        field("e_qte_suino")->setFocus(Qt::BacktabFocusReason);
        QVERIFY(field("e_qte_suino")->hasFocus());
    }

    // Tab order runs Simular, Sair, Salvar, unlike the buttons' order on screen.
    void tabOrderAfterTheFieldsIsSimularSairSalvarThenTheGrid()
    {
        button("b_simular")->setFocus(Qt::TabFocusReason);
        window->focusNextControl();
        QVERIFY(button("b_sair")->hasFocus());
        window->focusNextControl();
        QVERIFY(button("b_salvar")->hasFocus());
        window->focusNextControl(); // the results panel, which shows no focus
        window->focusNextControl();
        QVERIFY(window->resultGrid()->hasFocus());
    }

    void overflowEndsTheRunAndKeepsWhatWasWritten()
    {
        ErrorRecorder errors;
        setSpecies(0, 1e4000L, 1e4000L);
        simulate();
        QCOMPARE(errors.messages, QStringList{QStringLiteral(
                                      "Excedeu a capacidade máxima do tipo ponto flutuante.")});
        QCOMPARE(cell(0, 1), QStringLiteral("01"));
        QCOMPARE(cell(1, 1), QString());
        QVERIFY(window->isVisible());
    }
};

QTEST_MAIN(LivestockTest)
#include "tst_livestock.moc"
