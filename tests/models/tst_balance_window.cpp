// The balance window against core: what its tables show is what core's fill functions give for
// the study as the window holds it, each choice computes again, a file that cannot be read
// leaves the series alone, and what is typed reaches the study and comes back from its file.
#include "core/balance/BalanceTables.h"
#include "core/balance/HorizonBalance.h"
#include "core/balance/WaterBalance.h"
#include "core/base/LocaleSettings.h"
#include "core/base/TaviError.h"
#include "core/flows/FlowSeriesFile.h"
#include "core/horizon/HorizonDrivers.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/BalanceKeys.h"
#include "core/study/StudyFile.h"
#include "core/tables/CellTable.h"
#include "frame/ResultGrid.h"
#include "models/U_Balanco/TF_Balanco.h"
#include "models/U_Horizonte/HorizonChecks.h"
#include "models/U_Horizonte/HorizonComputation.h"
#include "support/RiverSeries.h"
#include "support/SummaryStudies.h"
#include "support/WindowTesting.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace tavi;
using namespace tavi::balance;
using testing::everySectorStudy;

namespace
{

Study riverStudy()
{
    Study study = everySectorStudy();
    StudyBalance balance;
    balance.series = RiverSeries::flowSeries();
    balance.seriesSource = QStringLiteral("piracicaba.txt");
    study.balance = balance;
    return study;
}

// What core makes of `study`'s balance, computed here as the window must.
WaterBalance expectedOf(const Study &study)
{
    return computeBalance(study, summarizeStudy(study, SupplyScenario::Current));
}

using Fill = std::function<void(CellTable &, const WaterBalance &)>;

// Core's table in a grid's shape, as far as the grid reaches.
QStringList filled(const ResultGrid *grid, const Fill &fill, const WaterBalance &balance)
{
    CellTable table(grid->table().columns(), grid->table().storedRows(), grid->table().storedRows(),
                    true);
    fill(table, balance);
    return testing::cellTexts(table);
}

template <class W> W *child(const QWidget *window, const char *name)
{
    auto *found = window->findChild<W *>(QLatin1String(name));
    Q_ASSERT(found);
    return found;
}

QLineEdit *lineOf(const QWidget *window, const char *name)
{
    return child<QLineEdit>(window, name);
}

// Types over what the field holds, key by key, as the user does.
void typeOver(QLineEdit *field, const QString &text)
{
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    testing::typeInto(field, text);
}

void choose(QComboBox *box, const QString &key)
{
    const int at = box->findData(key);
    QVERIFY2(at >= 0, qPrintable(key));
    box->setCurrentIndex(at);
}

Study withBalance(Study study, const StudyBalance &balance)
{
    study.balance = balance;
    return study;
}

} // namespace

class BalanceWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LocaleSettings::setCurrent(LocaleSettings::brazilian()); }

    void theTablesShowCoresFigures_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<Fill>("fill");
        const auto fill = [](auto function) -> Fill {
            return [function](CellTable &t, const WaterBalance &b) {
                function(t, b, FiguresStyle::Readable);
            };
        };
        QTest::newRow("years") << "SG_Anos" << fill(&fillSeriesYearTable);
        QTest::newRow("reference flows") << "SG_Vazoes" << fill(&fillReferenceFlowTable);
        QTest::newRow("fits") << "SG_Ajustes" << fill(&fillFitTable);
        QTest::newRow("ratios") << "SG_Balanco" << fill(&fillRatioTable);
        QTest::newRow("months") << "SG_Meses" << fill(&fillMonthTable);
    }
    void theTablesShowCoresFigures()
    {
        QFETCH(QString, grid);
        QFETCH(Fill, fill);
        const Study study = riverStudy();
        TF_Balanco window(study);
        const auto *shown = child<ResultGrid>(&window, qPrintable(grid));
        QCOMPARE(testing::cellTexts(shown->table()), filled(shown, fill, expectedOf(study)));
        // Core's problem, whatever it is, in the message line and not a box.
        QCOMPARE(window.shownBalance().problem, expectedOf(study).problem);
    }

    // Each choice is the study's at once and everything is computed again from it.
    void aChoiceComputesAgain_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("value"); // a key to choose, or a text to type
        QTest::addColumn<QString>("kept");  // as the study keeps it
        QTest::newRow("Q90") << "cb_referencia" << QString(keys::kReferenceQ90) << "Q90";
        QTest::newRow("Q7,10") << "cb_referencia" << QString(keys::kReferenceQ710) << "Q7,10";
        QTest::newRow("QMLT") << "cb_referencia" << QString(keys::kReferenceQmlt) << "QMLT";
        QTest::newRow("log-normal")
            << "cb_ajuste" << QString(keys::kFitLogNormal3) << QString(keys::kFitLogNormal3);
        QTest::newRow("empirical")
            << "cb_ajuste" << QString(keys::kFitEmpirical) << QString(keys::kFitEmpirical);
        QTest::newRow("October") << "cb_inicio_ano"
                                 << "10"
                                 << "10";
        QTest::newRow("grant share") << "e_fracao_outorgavel"
                                     << "30,5"
                                     << "30.5";
    }
    void aChoiceComputesAgain()
    {
        QFETCH(QString, control);
        QFETCH(QString, value);
        QFETCH(QString, kept);
        const Study study = riverStudy();
        TF_Balanco window(study);
        QVERIFY(testing::showActive(&window));
        QSignalSpy edited(&window, &TF_Balanco::balanceEdited);
        if (auto *box = window.findChild<QComboBox *>(control))
            choose(box, value);
        else
            typeOver(lineOf(&window, qPrintable(control)), value);
        QVERIFY(!edited.isEmpty());

        const std::optional<StudyBalance> balance = window.studyBalance();
        QVERIFY(balance);
        const QString stored = control == "cb_referencia"   ? balance->reference
                               : control == "cb_ajuste"     ? balance->fit
                               : control == "cb_inicio_ano" ? balance->firstMonth
                                                            : balance->grantShare;
        QCOMPARE(stored, kept);
        // Nothing else moved: the series stays the study's.
        QVERIFY(balance->series);
        QCOMPARE(balance->series->days, study.balance->series->days);

        const WaterBalance expected = expectedOf(withBalance(study, *balance));
        const auto *flows = child<ResultGrid>(&window, "SG_Vazoes");
        QCOMPARE(testing::cellTexts(flows->table()),
                 filled(
                     flows,
                     [](CellTable &t, const WaterBalance &b) { fillReferenceFlowTable(t, b); },
                     expected));
        const auto *ratios = child<ResultGrid>(&window, "SG_Balanco");
        QCOMPARE(testing::cellTexts(ratios->table()),
                 filled(
                     ratios, [](CellTable &t, const WaterBalance &b) { fillRatioTable(t, b); },
                     expected));
        QCOMPARE(window.shownBalance().reference, expected.reference);
        QCOMPARE(window.shownBalance().problem, expected.problem);
    }

    // A file that is no flow series says why, line and column, and takes nothing away.
    void aBadFileKeepsTheSeries_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("no series") << QByteArray("uma lista de compras\nfeijão\narroz\n");
        QTest::newRow("negative flow") << QByteArray("01/01/2001;12,5\n02/01/2001;-3\n");
        QTest::newRow("no such day") << QByteArray("30/02/2001;12,5\n");
        QTest::newRow("no file") << QByteArray();
    }
    void aBadFileKeepsTheSeries()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vazoes.txt"));
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QString expected;
        try {
            flows::loadFlowSeriesFile(path);
        } catch (const TaviError &error) {
            expected = error.message();
        }
        QVERIFY2(!expected.isEmpty(), "the file should not read as a series");

        const Study study = riverStudy();
        TF_Balanco window(study);
        QVERIFY(testing::showActive(&window));
        QVERIFY(!window.openSeriesFile(path));
        const auto *message = child<QLabel>(&window, "l_mensagem");
        QVERIFY(message->isVisible());
        QCOMPARE(message->text(), expected);
        QCOMPARE(window.studyBalance(), study.balance);
        QCOMPARE(window.shownBalance().reference, expectedOf(study).reference);
    }

    // The export the agency gives, read through the window, is the study's series.
    void aHidroWebFileBecomesTheSeries()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("56425000.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(RiverSeries::hidroWebText(RiverSeries::flowSeries()));
        file.close();

        TF_Balanco window(everySectorStudy());
        QVERIFY(!window.studyBalance());
        QVERIFY(window.openSeriesFile(path));
        const std::optional<StudyBalance> balance = window.studyBalance();
        QVERIFY(balance && balance->series);
        QCOMPARE(balance->seriesSource, QStringLiteral("56425000.csv"));
        QCOMPARE(balance->series->days, flows::loadFlowSeriesFile(path).series.days);
        const Study expected = withBalance(everySectorStudy(), *balance);
        const auto *years = child<ResultGrid>(&window, "SG_Anos");
        QCOMPARE(testing::cellTexts(years->table()),
                 filled(
                     years, [](CellTable &t, const WaterBalance &b) { fillSeriesYearTable(t, b); },
                     expectedOf(expected)));
    }

    void pastedLinesBecomeTheSeries()
    {
        const flows::FlowSeries river = RiverSeries::flowSeries();
        TF_Balanco window(riverStudy());
        QVERIFY(window.pasteSeries(RiverSeries::pastedText(river, 400)));
        const std::optional<StudyBalance> balance = window.studyBalance();
        QVERIFY(balance && balance->series);
        QVERIFY(balance->seriesSource.isEmpty());
        QCOMPARE(balance->series->first, river.first);
        QCOMPARE(balance->series->days.size(), std::size_t(400));
        QVERIFY(!window.pasteSeries(QStringLiteral("isto não é uma série")));
        QCOMPARE(window.studyBalance()->series->days.size(), std::size_t(400));
    }

    // The typed flow is open only while it is the one chosen, and keeps what was typed even
    // when it cannot be read, with core's reason in the message line.
    void theTypedFlowKeepsWhatIsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("flow") << "12,5"
                              << "12.5";
        QTest::newRow("letters") << "doze"
                                 << "doze";
        QTest::newRow("negative") << "-3"
                                  << "-3";
        QTest::newRow("empty") << ""
                               << "";
    }
    void theTypedFlowKeepsWhatIsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        const Study study = riverStudy();
        TF_Balanco window(study);
        QVERIFY(testing::showActive(&window));
        QLineEdit *field = lineOf(&window, "e_vazao_digitada");
        QVERIFY(!field->isEnabled());
        choose(child<QComboBox>(&window, "cb_referencia"), QString(keys::kReferenceTyped));
        QVERIFY(field->isEnabled());
        typeOver(field, typed);
        QCOMPARE(field->text(), typed);
        QCOMPARE(window.studyBalance()->typedFlow, kept);

        const WaterBalance expected = expectedOf(withBalance(study, *window.studyBalance()));
        QCOMPARE(window.shownBalance().problem, expected.problem);
        const auto *message = child<QLabel>(&window, "l_mensagem");
        QCOMPARE(message->isVisible(), !expected.problem.isEmpty());
        if (!expected.problem.isEmpty())
            QCOMPARE(message->text(), expected.problem);

        choose(child<QComboBox>(&window, "cb_referencia"), QString(keys::kReferenceQ95));
        QVERIFY(!field->isEnabled());
        // Set aside, not lost.
        QCOMPARE(window.studyBalance()->typedFlow, kept);
    }

    // What the user typed is in the study's file and in the window opened on it again, in
    // either regional setting.
    void whatIsTypedSurvivesTheStudyFile_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("flow");
        QTest::addColumn<QString>("share");
        QTest::newRow("Brazilian") << "brazilian"
                                   << "7,25"
                                   << "40";
        QTest::newRow("decimal point") << "decimalPoint"
                                       << "7.25"
                                       << "12.5";
    }
    void whatIsTypedSurvivesTheStudyFile()
    {
        QFETCH(QString, locale);
        QFETCH(QString, flow);
        QFETCH(QString, share);
        LocaleSettings::setCurrent(locale == "brazilian" ? LocaleSettings::brazilian()
                                                         : LocaleSettings::decimalPoint());
        Study study = riverStudy();
        {
            TF_Balanco window(study);
            QVERIFY(testing::showActive(&window));
            choose(child<QComboBox>(&window, "cb_referencia"), QString(keys::kReferenceTyped));
            typeOver(lineOf(&window, "e_vazao_digitada"), flow);
            typeOver(lineOf(&window, "e_fracao_outorgavel"), share);
            choose(child<QComboBox>(&window, "cb_inicio_ano"), QStringLiteral("10"));
            choose(child<QComboBox>(&window, "cb_ajuste"), QString(keys::kFitEmpirical));
            study.balance = window.studyBalance();
        }
        const Study reread = readStudy(writeStudy(study)).study;
        QCOMPARE(reread.balance, study.balance);
        QCOMPARE(reread.balance->typedFlow, QStringLiteral("7.25"));

        TF_Balanco again(reread);
        QCOMPARE(lineOf(&again, "e_vazao_digitada")->text(), flow);
        QVERIFY(lineOf(&again, "e_vazao_digitada")->isEnabled());
        QCOMPARE(lineOf(&again, "e_fracao_outorgavel")->text(), share);
        QCOMPARE(child<QComboBox>(&again, "cb_inicio_ano")->currentData().toString(),
                 QStringLiteral("10"));
        QCOMPARE(child<QComboBox>(&again, "cb_ajuste")->currentData().toString(),
                 QString(keys::kFitEmpirical));
        // Opened and closed without a change, the balance is the one read.
        QCOMPARE(again.studyBalance(), reread.balance);
        LocaleSettings::setCurrent(LocaleSettings::brazilian());
    }

    void aStudyWithoutBalanceKeepsNone()
    {
        TF_Balanco window(everySectorStudy());
        QVERIFY(!window.studyBalance());
        QVERIFY(!window.shownBalance().computed());
        QVERIFY(child<QLabel>(&window, "l_mensagem")->isVisibleTo(&window));
    }

    // With a horizon, each scenario's years are core's, computed away from the window.
    void theHorizonShowsEachScenario()
    {
        Study study = riverStudy();
        study.horizon = horizon::newHorizon(study, 2026);
        TF_Balanco window(study);
        QTRY_VERIFY_WITH_TIMEOUT(!window.isComputingHorizon(), 30000);

        std::vector<QString> refused;
        for (int s = 0; s < int(study.horizon->scenarios.size()); ++s) {
            const HorizonChecks::Problems problems =
                HorizonChecks::checkScenario(study, s, LocaleSettings::current());
            refused.push_back(problems.blocks() ? problems.first() : QString());
        }
        const auto results = HorizonComputation::compute(study, refused, LocaleSettings::current());
        const std::vector<ScenarioBalance> expected =
            horizonBalance(results->runs, expectedOf(study));
        QCOMPARE(window.shownScenarios().size(), expected.size());
        auto *scenarios = child<QComboBox>(&window, "cb_cenario_balanco");
        QCOMPARE(scenarios->count(), int(expected.size()));
        const auto *grid = child<ResultGrid>(&window, "SG_Horizonte_Balanco");
        for (std::size_t s = 0; s < expected.size(); ++s) {
            scenarios->setCurrentIndex(int(s));
            QCOMPARE(testing::cellTexts(grid->table()),
                     filled(
                         grid,
                         [&](CellTable &t, const WaterBalance &) {
                             fillHorizonBalanceTable(t, expected[s]);
                         },
                         WaterBalance()));
        }
    }
};

QTEST_MAIN(BalanceWindowTest)
#include "tst_balance_window.moc"
