#include "core/sectors/agriculture/AgricultureRun.h"
#include "core/sectors/agriculture/AgricultureSimulation.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "frame/Activation.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"
#include "support/WindowTesting.h"

#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>

using namespace testing;
using namespace tavi::agriculture;
using tavi::LocaleSettings;

namespace
{

enum Class { A, B, C, D, E, F, G, H, I };

} // namespace

class AgricultureWindowTest : public QObject
{
    Q_OBJECT

    TF_Mod_Agricultura *window = nullptr;

    NumericEdit *field(const char *name) const { return fieldOf(window, name); }
    ResultGrid *grid(const char *name) const
    {
        auto *g = window->findChild<ResultGrid *>(QLatin1String(name));
        Q_ASSERT(g);
        return g;
    }
    void simulate() { window->findChild<QToolButton *>(QStringLiteral("b_simular"))->click(); }
    void setDay(int day, const QString &etp, const QString &rain)
    {
        window->serie()->setCell(kEtpColumn, day, etp);
        window->serie()->setCell(kRainColumn, day, rain);
    }
    QString result(int k, int col, int day) const { return window->classGrid(k)->cell(col, day); }
    // A change made as the grid's view makes it when the user types into a cell.
    void edit(ResultGrid *g, int col, int row, const QString &text)
    {
        tavi::CellTable &table = g->table();
        QVERIFY(table.setData(table.index(table.viewRow(row), col), text));
    }
    // Types into a cell with the keyboard and leaves it with Enter.
    void typeIntoCell(ResultGrid *g, int col, int row, const QString &text)
    {
        g->setFocus();
        g->setCurrentIndex(g->model()->index(g->table().viewRow(row), col));
        for (QChar c : text)
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    void open(const LocaleSettings &locale)
    {
        delete window;
        LocaleSettings::setCurrent(locale);
        window = new TF_Mod_Agricultura;
        QVERIFY(showActive(window));
    }

private slots:
    void init() { open(LocaleSettings::brazilian()); }
    void cleanup()
    {
        delete window;
        window = nullptr;
    }

    void opensWithTheLocalesDefaults_data()
    {
        QTest::addColumn<bool>("decimalComma");
        QTest::newRow("decimal comma") << true;
        QTest::newRow("decimal point") << false;
    }
    void opensWithTheLocalesDefaults()
    {
        QFETCH(bool, decimalComma);
        open(decimalComma ? LocaleSettings::brazilian() : LocaleSettings::decimalPoint());
        const QString sep = decimalComma ? QStringLiteral(",") : QStringLiteral(".");
        QCOMPARE(window->decimalSeparator(), sep.at(0));
        QCOMPARE(window->entrada()->cell(kPhaseColumn + 1, B), QStringLiteral("   0") + sep + "35");
        QCOMPARE(window->param()->cell(I, kEfficiencyRow), QStringLiteral("   0") + sep + "65");
        QCOMPARE(window->entrada()->cell(kLetterColumn, I), QStringLiteral("    I"));
        QCOMPARE(window->serie()->cell(kDayColumn, 9), QStringLiteral("09"));
        QCOMPARE(window->serie()->cell(kEtpColumn, 366), QStringLiteral("0"));
        QCOMPARE(window->total()->cell(0, 0), QStringLiteral("0"));
        // The crop calendar ran on opening.
        QCOMPARE(result(G, kCounterColumn, 366), QStringLiteral("317"));
        QCOMPARE(result(G, kKcColumn, 50), QStringLiteral("   1") + sep + "2");
        QVERIFY(window->serie()->hasFocus());
        QCOMPARE(window->windowTitle(), QStringLiteral("Módulo Agricultura"));
    }

    void componentsAndCaptions()
    {
        QCOMPARE(window->objectName(), QStringLiteral("F_Mod_Agricultura"));
        for (const char *name : {"SG_Entrada", "SG_Param", "SG_Serie", "SG_Classe_A", "SG_Classe_E",
                                 "SG_Classe_I", "SG_Total"})
            QVERIFY2(window->findChild<ResultGrid *>(QLatin1String(name)), name);
        QCOMPARE(grid("SG_Classe_C"), window->classGrid(C));
        for (const char *name : {"ce_aux", "ce_aux_valor", "ce_aux_valor2", "ce_aux_valor3",
                                 "ce_aux_valor4", "ce_aux_valor5"})
            QVERIFY2(!field(name)->isVisible(), name);
        QVERIFY(!window->findChild<QLineEdit *>(QStringLiteral("Edit1"))->isVisible());
        QCOMPARE(field("ce_aux")->text(), QStringLiteral("0,00"));

        QStringList captions;
        for (QLabel *label : window->findChildren<QLabel *>())
            captions << label->text();
        for (const char *caption : {"MODELO TAVI - Tavimar",
                                    "Módulo: Agricultura",
                                    "Demanda por Município",
                                    "Classes da Cultura Irrigada",
                                    "Parâmetros de Entrada do Modelo",
                                    "Classe",
                                    "Período de cultivo",
                                    "Fase 1",
                                    "Fase 4",
                                    "Classes",
                                    "A",
                                    "I",
                                    "Início do Plantio",
                                    "Área Irrigada (km2)",
                                    "Eficiência da Irrigação",
                                    "Simulação e Resultados",
                                    "Série de Dados de Entrada",
                                    "Classe A",
                                    "Classe I",
                                    "Total",
                                    "Agricultura",
                                    "(m3/dia)"})
            QVERIFY2(captions.contains(QString::fromUtf8(caption)), caption);
        QCOMPARE(captions.count(QStringLiteral("(dias)")), 5);
        QCOMPARE(captions.count(QStringLiteral("Kc")), 4);
    }

    void gridShapes()
    {
        // Days 1 to 365 shown under the header, day 366 stored below them; the total has
        // no header and shows all 366.
        QCOMPARE(window->serie()->model()->rowCount(), 365);
        QCOMPARE(window->serie()->table().storedRows(), 367);
        QCOMPARE(window->classGrid(I)->model()->rowCount(), 365);
        QCOMPARE(window->total()->model()->rowCount(), 366);
        QCOMPARE(window->entrada()->model()->rowCount(), 9);
        QCOMPARE(window->param()->model()->columnCount(), 9);
        for (ResultGrid *g : {window->entrada(), window->param(), window->serie(),
                              window->classGrid(A), window->classGrid(I)})
            QVERIFY2(g->isEditable(), qPrintable(g->objectName()));
        QVERIFY(!window->total()->isEditable());
        QVERIFY(!window->entrada()->tabKeyNavigation());
        QVERIFY(window->param()->tabKeyNavigation());
        QVERIFY(window->serie()->tabKeyNavigation());
        QVERIFY(window->classGrid(D)->tabKeyNavigation());
    }

    void theDecimalKeyArrivesAsTheLocalesSeparator_data()
    {
        QTest::addColumn<bool>("decimalComma");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("comma locale, point typed") << true << "2.5"
                                                   << "2,5";
        QTest::newRow("comma locale, comma typed") << true << "2,5"
                                                   << "2,5";
        QTest::newRow("point locale, comma typed") << false << "2,5"
                                                   << "2.5";
        QTest::newRow("point locale, point typed") << false << "2.5"
                                                   << "2.5";
    }
    void theDecimalKeyArrivesAsTheLocalesSeparator()
    {
        QFETCH(bool, decimalComma);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        open(decimalComma ? LocaleSettings::brazilian() : LocaleSettings::decimalPoint());
        typeIntoCell(window->serie(), kEtpColumn, 3, typed);
        QCOMPARE(window->serie()->cell(kEtpColumn, 3), stored);
        typeIntoCell(window->classGrid(F), kKcColumn, 40, typed);
        QCOMPARE(window->classGrid(F)->cell(kKcColumn, 40), stored);
        typeIntoCell(window->entrada(), kPhaseColumn + 1, C, typed);
        QCOMPARE(window->entrada()->cell(kPhaseColumn + 1, C), stored);

        const KeyOutcome other =
            window->FormKeyPress(WindowKey::typed(QLatin1Char(decimalComma ? '.' : ',')));
        QCOMPARE(other.action, KeyOutcome::Action::Replace);
        QCOMPARE(other.replacement, QLatin1Char(decimalComma ? ',' : '.'));
        const KeyOutcome own =
            window->FormKeyPress(WindowKey::typed(QLatin1Char(decimalComma ? ',' : '.')));
        QCOMPARE(own.action, KeyOutcome::Action::PassOn);
        QCOMPARE(window->FormKeyPress(WindowKey::typed(QLatin1Char('7'))).action,
                 KeyOutcome::Action::PassOn);
    }

    // Where the decimal separator is neither "," nor "." (Arabic and Persian locales), the
    // defaults, the keys and pastes all write it, and the defaults simulate as they stand.
    void aSeparatorOtherThanCommaOrPoint()
    {
        open(arabicSeparators());
        const QString sep(QChar(0x066B));
        QCOMPARE(window->decimalSeparator(), sep.at(0));
        QCOMPARE(window->entrada()->cell(kPhaseColumn + 1, B), QStringLiteral("   0") + sep + "35");
        QCOMPARE(window->param()->cell(I, kEfficiencyRow), QStringLiteral("   0") + sep + "65");
        ErrorRecorder errors;
        setDay(1, QStringLiteral("4"), QStringLiteral("0"));
        simulate();
        QCOMPARE(errors.messages, QStringList());
        QCOMPARE(result(A, kDiColumn, 1), QStringLiteral("1") + sep + "6");

        typeIntoCell(window->serie(), kEtpColumn, 3, QStringLiteral("4,5"));
        QCOMPARE(window->serie()->cell(kEtpColumn, 3), QStringLiteral("4") + sep + "5");
        typeIntoCell(window->serie(), kRainColumn, 3, QStringLiteral("4.5"));
        QCOMPARE(window->serie()->cell(kRainColumn, 3), QStringLiteral("4") + sep + "5");
        QCOMPARE(window->FormKeyPress(WindowKey::typed(QLatin1Char(','))).replacement, sep.at(0));

        QGuiApplication::clipboard()->setText(QStringLiteral("2.25\t0,5"));
        window->serie()->setCurrentIndex(
            window->serie()->model()->index(window->serie()->table().viewRow(4), kEtpColumn));
        QVERIFY(window->serie()->pasteClipboard());
        QCOMPARE(window->serie()->cell(kEtpColumn, 4), QStringLiteral("2") + sep + "25");
        QCOMPARE(window->serie()->cell(kRainColumn, 4), QStringLiteral("0") + sep + "5");
        simulate();
        QCOMPARE(errors.messages, QStringList());
    }

    void referenceValues()
    {
        setDay(1, QStringLiteral("4"), QStringLiteral("0"));
        setDay(2, QStringLiteral("0"), QStringLiteral("5"));
        setDay(3, QStringLiteral("0"), QStringLiteral("8,3"));
        setDay(4, QStringLiteral("0"), QStringLiteral("3,456"));
        setDay(5, QStringLiteral("0"), QStringLiteral("3,46"));
        simulate();
        QCOMPARE(result(A, kDiColumn, 1), QStringLiteral("1,6"));
        QCOMPARE(result(A, kDeColumn, 1), QStringLiteral("32000"));
        QCOMPARE(result(A, kDbColumn, 1), QStringLiteral("45714,2857142857"));
        QCOMPARE(window->serie()->cell(kEffectiveRainColumn, 2),
                 QStringLiteral("3,80095923261391"));
        QCOMPARE(window->serie()->cell(kEffectiveRainColumn, 3), QStringLiteral("4,97"));
        QCOMPARE(window->serie()->cell(kEffectiveRainColumn, 4),
                 window->serie()->cell(kEffectiveRainColumn, 5));
        for (int k = 0; k < kClasses; ++k) {
            for (int col : {kDiColumn, kDeColumn, kDbColumn})
                QCOMPARE(result(k, col, 2), QStringLiteral("0"));
        }
        QCOMPARE(window->total()->cell(0, 1), QStringLiteral("0"));
    }

    void theHiddenFieldsHoldTheRainfallConstants()
    {
        const RainfallConstants core;
        QVERIFY(field("ce_aux_valor")->value() == core.threshold);
        QVERIFY(field("ce_aux_valor2")->value() == core.divisor);
        QVERIFY(field("ce_aux_valor3")->value() == core.lowerSlope);
        QVERIFY(field("ce_aux_valor4")->value() == core.intercept);
        QVERIFY(field("ce_aux_valor5")->value() == core.upperSlope);
    }

    void theScratchFieldRoundsAsTheModelDoes_data()
    {
        QTest::addColumn<double>("rain");
        for (double p : {3.456, 2.345, 1.005, 0.125, 8.295, -0.125, -0.004, 12345.675, 1e-9, 1e16,
                         123456789012.345})
            QTest::newRow(qPrintable(QString::number(p, 'g', 17))) << p;
    }
    void theScratchFieldRoundsAsTheModelDoes()
    {
        QFETCH(double, rain);
        NumericEdit *scratch = field("ce_aux");
        scratch->setValue(rain);
        QVERIFY(scratch->value() == roundRainfall(rain));
    }

    // Typed in and run, the window shows what the run gives for the tables typed, as a study
    // keeps them, with the window's own Kc: the effective rainfall, every class grid and the
    // total.
    void theGridsShowTheRunsTexts()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("4,5\t0\n5\t12,345\n3,25\t8,3"));
        ResultGrid *serie = window->serie();
        serie->setCurrentIndex(serie->model()->index(serie->table().viewRow(1), kEtpColumn));
        QVERIFY(serie->pasteClipboard());
        typeIntoCell(serie, kEtpColumn, 365, QStringLiteral("6,5"));
        typeIntoCell(window->param(), B, kStartRow, QStringLiteral("2"));
        typeIntoCell(window->entrada(), kPhaseColumn + 1, E, QStringLiteral("1,25"));
        window->classGrid(D)->setCell(kKcColumn, 365, QStringLiteral("1,5"));
        simulate();

        tavi::WindowInputs study =
            tavi::windowInputs(tavi::defaultStudy(), tavi::keys::kAgricultureWindow);
        study.grids[tavi::keys::kSeries][0] = {"4.5", "0"};
        study.grids[tavi::keys::kSeries][1] = {"5", "12.345"};
        study.grids[tavi::keys::kSeries][2] = {"3.25", "8.3"};
        study.grids[tavi::keys::kSeries][364] = {"6.5", "0"};
        study.grids[tavi::keys::kCropParameters][kStartRow][B] = QStringLiteral("2");
        study.grids[tavi::keys::kCropTable][E][kPhaseColumn + 1] = QStringLiteral("1.25");
        const LocaleSettings &locale = LocaleSettings::current();
        Inputs in = readInputs(study, locale);
        in.classGrids.emplace();
        for (int k = 0; k < kClasses; ++k)
            (*in.classGrids)[k] = &window->classGrid(k)->table();
        const Result run = tavi::agriculture::run(in, locale);
        QCOMPARE(cellTexts(window->serie()->table()), cellTexts(*run.tables().serie));
        for (int k = 0; k < kClasses; ++k)
            QCOMPARE(cellTexts(window->classGrid(k)->table()), cellTexts(*run.tables().classes[k]));
        QCOMPARE(cellTexts(window->total()->table()), cellTexts(*run.tables().total));
        // D's Kc typed by hand on day 365, after its period: 6,5 × 1,5.
        QCOMPARE(result(D, kDiColumn, 365), QStringLiteral("9,75"));
        QCOMPARE(result(E, kKcColumn, 1), QStringLiteral("1,25"));
        QCOMPARE(result(B, kCounterColumn, 2), QStringLiteral("1"));
    }

    void reactivationKeepsEveryCell()
    {
        setDay(10, QStringLiteral("5,5"), QStringLiteral("2"));
        window->classGrid(H)->setCell(kKcColumn, 10, QStringLiteral("1,5"));
        simulate();
        const QString total = window->total()->cell(0, 9);
        QVERIFY(total != QStringLiteral("0"));

        // Another window of the program covers this one and closes: an activation, which
        // reads the separator again from the regional settings and keeps every cell.
        LocaleScope point(LocaleSettings::decimalPoint());
        window->entrada()->setFocus();
        QDialog box(window);
        QVERIFY(showActive(&box));
        box.close();
        giveActivationBack(window);
        QCOMPARE(window->decimalSeparator(), QLatin1Char('.'));
        QVERIFY(window->serie()->hasFocus());
        QCOMPARE(window->serie()->cell(kEtpColumn, 10), QStringLiteral("5,5"));
        QCOMPARE(window->classGrid(H)->cell(kKcColumn, 10), QStringLiteral("1,5"));
        QCOMPARE(window->total()->cell(0, 9), total);
        QCOMPARE(window->entrada()->cell(kPhaseColumn + 1, B), QStringLiteral("   0,35"));
    }

    void tableEditsTakeEffectAtTheNextRun()
    {
        for (int day = 1; day <= kDays; ++day)
            setDay(day, QStringLiteral("5"), QStringLiteral("0"));
        // A later planting start for G, a shorter first phase for A, a Kc typed by hand in B.
        edit(window->param(), G, kStartRow, QStringLiteral("60"));
        edit(window->entrada(), kPhaseColumn, A, QStringLiteral("10"));
        window->classGrid(B)->setCell(kKcColumn, 20, QStringLiteral("2"));
        edit(window->param(), B, kAreaRow, QStringLiteral("1"));
        QCOMPARE(window->editedClasses(), ClassSet().set(G).set(A));
        // Nothing changes until "Simular".
        QCOMPARE(result(G, kCounterColumn, 60), QStringLiteral("11"));

        simulate();
        QVERIFY(window->editedClasses().none());
        QCOMPARE(result(G, kCounterColumn, 59), QStringLiteral("0"));
        QCOMPARE(result(G, kCounterColumn, 60), QStringLiteral("1"));
        QCOMPARE(result(G, kKcColumn, 59), QStringLiteral("0"));
        QCOMPARE(result(G, kDiColumn, 59), QStringLiteral("0"));
        QCOMPARE(result(G, kDiColumn, 60), QStringLiteral("6")); // 5 × 1,2
        QCOMPARE(result(A, kKcColumn, 10), QStringLiteral("   0,4"));
        QCOMPARE(result(A, kKcColumn, 11), QStringLiteral("   0,65"));
        QCOMPARE(result(A, kDiColumn, 11), QStringLiteral("3,25"));
        QCOMPARE(result(B, kKcColumn, 20), QStringLiteral("2"));
        QCOMPARE(result(B, kDiColumn, 20), QStringLiteral("10"));
        QCOMPARE(result(B, kDeColumn, 20), QStringLiteral("10000"));

        // Typed through the grid, a planting start marks its class the same way.
        typeIntoCell(window->param(), E, kStartRow, QStringLiteral("300"));
        QVERIFY(window->editedClasses().test(E));
        simulate();
        QCOMPARE(result(E, kDiColumn, 299), QStringLiteral("0"));
        QCOMPARE(result(E, kCounterColumn, 300), QStringLiteral("1"));
    }

    void pastedBlocksMarkOnlyTheClassesTheyTouch()
    {
        for (int day = 1; day <= kDays; ++day)
            setDay(day, QStringLiteral("5"), QStringLiteral("0"));
        window->classGrid(C)->setCell(kKcColumn, 30, QStringLiteral("2"));
        // New areas for every class: no calendar source among them.
        ResultGrid *param = window->param();
        param->setCurrentIndex(param->model()->index(kAreaRow, A));
        QGuiApplication::clipboard()->setText(QStringLiteral("1\t2\t3\t4\t5\t6\t7\t8\t9"));
        QVERIFY(param->pasteClipboard());
        QVERIFY(window->editedClasses().none());
        // A planting start and a Kc, pasted with a point in a decimal-comma locale.
        param->setCurrentIndex(param->model()->index(kStartRow, F));
        QGuiApplication::clipboard()->setText(QStringLiteral("15"));
        QVERIFY(param->pasteClipboard());
        ResultGrid *crops = window->entrada();
        crops->setCurrentIndex(crops->model()->index(I, kPhaseColumn + 1));
        QGuiApplication::clipboard()->setText(QStringLiteral("0.5"));
        QVERIFY(crops->pasteClipboard());
        QCOMPARE(crops->cell(kPhaseColumn + 1, I), QStringLiteral("0,5"));
        QCOMPARE(window->editedClasses(), ClassSet().set(F).set(I));

        simulate();
        QCOMPARE(result(C, kDiColumn, 30), QStringLiteral("10"));
        QCOMPARE(result(C, kDeColumn, 30), QStringLiteral("30000"));
        QCOMPARE(result(F, kCounterColumn, 15), QStringLiteral("1"));
        QCOMPARE(result(I, kKcColumn, 50), QStringLiteral("0,5"));
        QCOMPARE(result(I, kDiColumn, 50), QStringLiteral("2,5"));
    }

    void anUnreadableTableCellStopsTheRun()
    {
        CoveringErrorBox errors;
        setDay(1, QStringLiteral("4"), QStringLiteral("0"));
        edit(window->entrada(), kPhaseColumn + 4, D, QStringLiteral("9O"));
        simulate();
        QCOMPARE(errors.messages,
                 QStringList{QStringLiteral("'9O' não é um valor de ponto flutuante válido.")});
        QCOMPARE(result(A, kDiColumn, 1), QStringLiteral("0"));
        QVERIFY(window->editedClasses().test(D));
        QCOMPARE(window->entrada()->cell(kPhaseColumn + 4, D), QStringLiteral("9O"));

        edit(window->entrada(), kPhaseColumn + 4, D, QStringLiteral("90"));
        simulate();
        QCOMPARE(errors.messages.size(), 1);
        QCOMPARE(result(A, kDiColumn, 1), QStringLiteral("1,6"));
    }

    void anUnreadableEtpOnDay100()
    {
        CoveringErrorBox errors;
        for (int day = 1; day <= kDays; ++day)
            setDay(day, QString::number(day % 7 + 1), QStringLiteral("1,25"));
        typeIntoCell(window->serie(), kEtpColumn, 100, QStringLiteral("abc"));
        window->classGrid(H)->setCell(kKcColumn, 200, QStringLiteral("1,5"));
        simulate();
        QCOMPARE(errors.messages,
                 QStringList{QStringLiteral("'abc' não é um valor de ponto flutuante válido.\n"
                                            "Série, dia 100, coluna ETP")});
        QVERIFY(window->isVisible());
        QVERIFY(window->total()->cell(0, 98) != QStringLiteral("0"));
        // Day 99: ETP 2, Kc 0,65 (phase 2), Pef 1,25 × 3,92 ÷ 4,17 = 1,17505995203837.
        QCOMPARE(result(A, kDiColumn, 99), QStringLiteral("0,12494004796163"));
        QCOMPARE(result(A, kDbColumn, 99), QStringLiteral("3569,71565604657"));
        QVERIFY(window->serie()->cell(kEffectiveRainColumn, 100) != QStringLiteral("0"));
        // What the run did not reach is empty, not an earlier run's.
        QCOMPARE(result(A, kDiColumn, 100), QString());
        QCOMPARE(window->serie()->cell(kEffectiveRainColumn, 101), QString());
        // The box covered the window and closed: every typed cell is still there.
        QCOMPARE(window->serie()->cell(kEtpColumn, 100), QStringLiteral("abc"));
        for (int day : {1, 99, 101, 366}) {
            QCOMPARE(window->serie()->cell(kEtpColumn, day), QString::number(day % 7 + 1));
            QCOMPARE(window->serie()->cell(kRainColumn, day), QStringLiteral("1,25"));
        }
        QCOMPARE(window->classGrid(H)->cell(kKcColumn, 200), QStringLiteral("1,5"));
        // After the box the failing cell is shown: current, selected, in the focused grid.
        ResultGrid *serie = window->serie();
        QVERIFY(serie->hasFocus());
        QCOMPARE(serie->currentIndex(), serie->model()->index(99, kEtpColumn));
        QCOMPARE(serie->selectionModel()->selectedIndexes(),
                 QModelIndexList{serie->model()->index(99, kEtpColumn)});
        QVERIFY(serie->viewport()->rect().intersects(serie->visualRect(serie->currentIndex())));
    }

    void aZeroEfficiencyEndsTheRun()
    {
        CoveringErrorBox errors;
        setDay(1, QStringLiteral("4"), QStringLiteral("0"));
        edit(window->param(), D, kEfficiencyRow, QStringLiteral("0"));
        simulate();
        QCOMPARE(errors.messages,
                 QStringList{QStringLiteral("Divisão de ponto flutuante por zero.")});
        QCOMPARE(result(A, kDbColumn, 1), QStringLiteral("45714,2857142857"));
        QCOMPARE(result(D, kDbColumn, 1), QString());
    }

    void day366IsStoredAndComputed()
    {
        setDay(366, QStringLiteral("4"), QStringLiteral("0"));
        window->classGrid(A)->setCell(kKcColumn, 366, QStringLiteral("0,4"));
        simulate();
        QCOMPARE(result(A, kDbColumn, 366), QStringLiteral("45714,2857142857"));
        QCOMPARE(window->total()->cell(0, 365), QStringLiteral("45714,2857142857"));
        QCOMPARE(window->serie()->cell(kDayColumn, 366), QStringLiteral("366"));
        QCOMPARE(window->serie()->table().viewRow(366), -1);
    }

    void aRunUpdatesEachViewOnce()
    {
        for (int day = 1; day <= kDays; ++day)
            setDay(day, QStringLiteral("6"), QString::number(day % 4));
        int notices = 0;
        const auto count = [&notices] { ++notices; };
        connect(&window->serie()->table(), &tavi::CellTable::dataChanged, this, count);
        connect(&window->total()->table(), &tavi::CellTable::dataChanged, this, count);
        for (int k = 0; k < kClasses; ++k)
            connect(&window->classGrid(k)->table(), &tavi::CellTable::dataChanged, this, count);
        simulate();
        QCOMPARE(notices, kClasses + 2);
    }

    void escapeClosesTheWindow()
    {
        QTest::keyClick(window->serie(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

    // After a run no result is cut: every column is as wide as its longest text, header
    // included; and the total scrolls with the series and the classes, row for row.
    void everyResultIsReadableAndTheTotalFollowsItsDay()
    {
        for (int day = 1; day <= kDays; ++day)
            setDay(day, QStringLiteral("7,77"), QStringLiteral("1,11"));
        edit(window->param(), A, kAreaRow, QStringLiteral("123456,789"));
        simulate();
        QList<ResultGrid *> grids{window->serie(), window->total()};
        for (int k = 0; k < kClasses; ++k)
            grids << window->classGrid(k);
        for (ResultGrid *g : grids) {
            const QFontMetrics metrics(g->font());
            for (int col = 0; col < g->table().columns(); ++col)
                for (int row = 0; row < g->table().shownRows(); ++row)
                    QVERIFY2(g->columnWidth(col) >= metrics.horizontalAdvance(g->cell(col, row)),
                             qPrintable(g->objectName() + ": " + g->cell(col, row)));
        }
        QVERIFY(window->total()->cell(0, 0).size() >= 15);

        window->serie()->scrollTo(window->serie()->model()->index(199, kEtpColumn),
                                  QAbstractItemView::PositionAtTop);
        const int top = window->serie()->rowAt(0);
        QCOMPARE(top, 199);
        QCOMPARE(window->total()->rowAt(0), top);
        QCOMPARE(window->classGrid(E)->rowAt(0), top);
        window->total()->verticalScrollBar()->setValue(10);
        QCOMPARE(window->serie()->rowAt(0), 10);
    }

    // Escape in an open cell editor means "cancel this edit", not "close the window".
    void escapeInACellEditorCancelsOnlyTheEdit()
    {
        ResultGrid *serie = window->serie();
        serie->setFocus();
        serie->setCurrentIndex(serie->model()->index(0, kEtpColumn));
        const QString before = serie->cell(kEtpColumn, 1);
        QTest::keyClick(serie, Qt::Key_F2);
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor != serie && serie->isAncestorOf(editor));
        QTest::keyClicks(editor, QStringLiteral("99"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(window->isVisible());
        QCOMPARE(serie->cell(kEtpColumn, 1), before);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

    // A block pasted while a cell is being edited lands as a block from that cell.
    void aBlockPastedIntoAnOpenEditorLandsAsABlock()
    {
        ResultGrid *serie = window->serie();
        serie->setFocus();
        serie->setCurrentIndex(serie->model()->index(1, kEtpColumn));
        QTest::keyClick(serie, Qt::Key_F2);
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor != serie && serie->isAncestorOf(editor));
        QGuiApplication::clipboard()->setText(QStringLiteral("1.5\t2\r\n3\t4.25\r\n"));
        QTest::keySequence(editor, QKeySequence::Paste);
        QCOMPARE(serie->cell(kEtpColumn, 2), QStringLiteral("1,5"));
        QCOMPARE(serie->cell(kRainColumn, 2), QStringLiteral("2"));
        QCOMPARE(serie->cell(kEtpColumn, 3), QStringLiteral("3"));
        QCOMPARE(serie->cell(kRainColumn, 3), QStringLiteral("4,25"));
        QCOMPARE(QApplication::focusWidget(), serie);
    }

    // The day labels cannot be typed over or pasted into; typing starts on day 01's ETP.
    void theDayColumnIsReadOnly()
    {
        ResultGrid *serie = window->serie();
        QCOMPARE(serie->currentIndex(), serie->model()->index(0, kEtpColumn));
        QTest::keyClicks(serie, QStringLiteral("5"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(serie->cell(kEtpColumn, 1), QStringLiteral("5"));
        QCOMPARE(serie->cell(kDayColumn, 1), QStringLiteral("01"));

        serie->setFocus();
        serie->setCurrentIndex(serie->model()->index(4, kDayColumn));
        QTest::keyClicks(serie, QStringLiteral("7"));
        QCOMPARE(serie->cell(kDayColumn, 5), QStringLiteral("05"));
        QSignalSpy refused(serie, &ResultGrid::pasteRefused);
        QGuiApplication::clipboard()->setText(QStringLiteral("01\t4\t1\n"));
        QTest::keySequence(serie, QKeySequence::Paste);
        QCOMPARE(refused.count(), 1);
        QCOMPARE(serie->cell(kDayColumn, 5), QStringLiteral("05"));
        QCOMPARE(serie->cell(kRainColumn, 5), window->serie()->cell(kRainColumn, 6));
    }
};

QTEST_MAIN(AgricultureWindowTest)
#include "tst_agriculture.moc"
