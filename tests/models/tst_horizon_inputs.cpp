#include "core/horizon/HorizonDrivers.h"
#include "core/sectors/catalogue/HorizonKeys.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "models/U_Horizonte/HorizonChecks.h"
#include "models/U_Horizonte/HorizonEditor.h"
#include "support/SummaryStudies.h"
#include "support/WindowTesting.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace tavi;

namespace
{

Study horizonStudy()
{
    Study study = testing::everySectorStudy();
    study.horizon = horizon::newHorizon(study, 2026);
    return study;
}

// One kind of value a scenario may hold or leave to the base, read and written alike.
struct Kind {
    std::function<QString(const HorizonEditor &)> value;
    std::function<bool(const HorizonEditor &)> owned;
    std::function<void(HorizonEditor &, const QString &)> set;
    std::function<void(HorizonEditor &)> followBase;
};

Kind kindNamed(const QString &name)
{
    if (name == QLatin1String("driver"))
        return {[](const HorizonEditor &e) { return e.driver(keys::kCoverageTarget); },
                [](const HorizonEditor &e) { return e.ownsDriver(keys::kCoverageTarget); },
                [](HorizonEditor &e, const QString &v) { e.setDriver(keys::kCoverageTarget, v); },
                [](HorizonEditor &e) { e.followBase(keys::kCoverageTarget); }};
    if (name == QLatin1String("table"))
        return {[](const HorizonEditor &e) { return e.table(keys::kTypedHerds).value(0).value(1); },
                [](const HorizonEditor &e) { return e.ownsTable(keys::kTypedHerds); },
                [](HorizonEditor &e, const QString &v) {
                    e.setTable(keys::kTypedHerds, {{QStringLiteral("2030"), v}});
                },
                [](HorizonEditor &e) { e.followBaseTable(keys::kTypedHerds); }};
    return {[](const HorizonEditor &e) {
                return e.windowField(keys::kSupplyWindow, keys::kCurrentPerCapita);
            },
            [](const HorizonEditor &e) {
                return e.ownsWindowField(keys::kSupplyWindow, keys::kCurrentPerCapita);
            },
            [](HorizonEditor &e, const QString &v) {
                e.setWindowField(keys::kSupplyWindow, keys::kCurrentPerCapita, v);
            },
            [](HorizonEditor &e) {
                e.followBaseWindowField(keys::kSupplyWindow, keys::kCurrentPerCapita);
            }};
}

} // namespace

class HorizonInputsTest : public QObject
{
    Q_OBJECT

private slots:
    // A scenario holds only what it sets; everything else is the base's as it is now, the
    // base's later changes included; given back, a value is the base's again.
    void scenariosFollowTheBaseUnlessTheySetAValue_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("driver") << "driver";
        QTest::newRow("table") << "table";
        QTest::newRow("window field") << "window field";
    }
    void scenariosFollowTheBaseUnlessTheySetAValue()
    {
        QFETCH(QString, kind);
        const Kind value = kindNamed(kind);
        HorizonEditor editor(horizonStudy(), *horizonStudy().horizon);
        value.set(editor, QStringLiteral("90"));
        QVERIFY(editor.addScenario(QStringLiteral("Outro")).isEmpty());
        QCOMPARE(value.value(editor), QStringLiteral("90"));
        QVERIFY(!value.owned(editor));

        // Writing the value in force is no change, and makes nothing the scenario's own.
        QSignalSpy edited(&editor, &HorizonEditor::edited);
        value.set(editor, QStringLiteral("90"));
        QCOMPARE(edited.size(), 0);
        QVERIFY(!value.owned(editor));
        QVERIFY(editor.horizon().scenarios[1].inputs.isEmpty());

        editor.chooseScenario(0);
        value.set(editor, QStringLiteral("91"));
        editor.chooseScenario(1);
        QCOMPARE(value.value(editor), QStringLiteral("91"));

        value.set(editor, QStringLiteral("80"));
        QVERIFY(value.owned(editor));
        editor.chooseScenario(0);
        value.set(editor, QStringLiteral("92"));
        editor.chooseScenario(1);
        QCOMPARE(value.value(editor), QStringLiteral("80"));

        value.followBase(editor);
        QVERIFY(!value.owned(editor));
        QCOMPARE(value.value(editor), QStringLiteral("92"));
        QVERIFY(editor.horizon().scenarios[1].inputs.isEmpty());
    }

    // A window's field in the base is the study's own until the base replaces it.
    void theBasesWindowFieldIsTheStudys()
    {
        const Study study = horizonStudy();
        HorizonEditor editor(study, *study.horizon);
        QCOMPARE(editor.baseWindowField(keys::kSupplyWindow, keys::kCurrentPerCapita),
                 study.windows.value(keys::kSupplyWindow).fields.value(keys::kCurrentPerCapita));
        QCOMPARE(editor.study().windows, study.windows);
    }

    void scenariosAreAddedRenamedDuplicatedAndRemoved()
    {
        HorizonEditor editor(horizonStudy(), *horizonStudy().horizon);
        QVERIFY(!editor.renameScenario(QStringLiteral("Outra")).isEmpty());
        QVERIFY(!editor.addScenario(QStringLiteral(" base ")).isEmpty());
        QVERIFY(!editor.addScenario(QStringLiteral("  ")).isEmpty());

        // A copy of the base holds every driver the base has now.
        QVERIFY(editor.duplicateScenario(QStringLiteral("Cópia")).isEmpty());
        QCOMPARE(editor.horizon().scenarios[1].inputs, editor.horizon().scenarios[0].inputs);
        QVERIFY(editor.addScenario(QStringLiteral("Tendencial")).isEmpty());
        editor.setDriver(keys::kLossesTarget, QStringLiteral("20"));
        QVERIFY(editor.duplicateScenario(QStringLiteral("Tendencial 2")).isEmpty());
        QCOMPARE(editor.horizon().scenarios[3].inputs.drivers.keys(),
                 QStringList{QString(keys::kLossesTarget)});
        QCOMPARE(editor.scenario(), 3);

        QVERIFY(!editor.renameScenario(QStringLiteral("tendencial")).isEmpty());
        QVERIFY(editor.renameScenario(QStringLiteral("Tendencial baixo")).isEmpty());
        editor.removeScenario();
        QCOMPARE(editor.scenarioNames(), (QStringList{"Base", "Cópia", "Tendencial"}));
        QCOMPARE(editor.scenario(), 2);
        editor.chooseScenario(0);
        editor.removeScenario();
        QCOMPARE(editor.scenarioNames().size(), 3);
    }

    // A horizon whose first scenario is not the base is given one to follow.
    void aHorizonAlwaysStartsWithTheBase()
    {
        StudyHorizon horizon{QStringLiteral("2026"),
                             QStringLiteral("2046"),
                             {Scenario{QStringLiteral("Outro"), {}}}};
        HorizonEditor editor(defaultStudy(), horizon);
        QCOMPARE(editor.scenarioNames(), (QStringList{"Base", "Outro"}));
        QVERIFY(editor.isBase());
    }

    // Each refused driver is reported under its own key, so that its message stands beside
    // it, and stops the scenario; what is true but projects nothing is a note.
    void eachProblemBelongsToItsDriver_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("reportedUnder");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("blocks");
        QTest::newRow("coverage") << "cobertura_alvo"
                                  << "120"
                                  << ""
                                  << "cobertura_alvo"
                                  << "A cobertura-alvo de 120" << true;
        QTest::newRow("losses today") << "perdas_atuais"
                                      << "100"
                                      << ""
                                      << "perdas_atuais"
                                      << "As perdas atuais de 100" << true;
        QTest::newRow("losses target") << "perdas_alvo"
                                       << "-3"
                                       << ""
                                       << "perdas_alvo"
                                       << "As perdas-alvo de -3" << true;
        QTest::newRow("a year") << "ano_cobertura"
                                << "2030.5"
                                << ""
                                << "ano_cobertura"
                                << "'2030,5' não é um ano válido" << true;
        QTest::newRow("a rate") << "crescimento_area_B"
                                << "x"
                                << ""
                                << "crescimento_area_B"
                                << "'x' não é um valor de ponto flutuante válido" << true;
        QTest::newRow("logistic without equal spacing")
            << "metodo"
            << "logistico"
            << "censos: 1970=1000 1980=1300 1991=1500"
            << "metodo"
            << "O método escolhido não se aplica" << true;
        QTest::newRow("IBGE spacing is only a note")
            << "metodo"
            << "geometrico"
            << "censos: 1970=1000 1980=1300 1991=1500"
            << "censos"
            << "Não há três contagens igualmente espaçadas" << false;
        QTest::newRow("typed population without its value")
            << ""
            << ""
            << "populacao_digitada: 2030="
            << "populacao_digitada"
            << "Linha 1: falta o valor de 2030" << true;
        QTest::newRow("counts left aside by typed populations")
            << ""
            << ""
            << "populacao_digitada: 2030=5000; censos: 2010=1000"
            << "censos"
            << "Informe ao menos duas contagens" << false;
        QTest::newRow("a negative typed herd") << ""
                                               << ""
                                               << "rebanhos_digitados: 2030=-4"
                                               << "rebanhos_digitados"
                                               << "Linha 1: o valor de 2030 é negativo" << true;
        QTest::newRow("blank rows are no counts") << ""
                                                  << ""
                                                  << "censos: 2000=1000 = 2010=1200"
                                                  << "-"
                                                  << "" << false;
        QTest::newRow("what only the core sees") << "crescimento_e_qte_suino"
                                                 << "-100"
                                                 << ""
                                                 << ""
                                                 << "" << true;
    }
    void eachProblemBelongsToItsDriver()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, table);
        QFETCH(QString, reportedUnder);
        QFETCH(QString, message);
        QFETCH(bool, blocks);
        const LocaleSettings comma = LocaleSettings::brazilian();
        Study study = horizonStudy();
        // Set in a scenario of its own: the base stays as it was, and has no problem.
        Scenario scenario{QStringLiteral("Outro"), {}};
        if (!key.isEmpty())
            scenario.inputs.drivers[key] = text;
        // "name: year=value year=value; name: ..."
        for (const QString &part : table.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString name = part.section(QLatin1Char(':'), 0, 0).trimmed();
            StudyGrid rows;
            for (const QString &cell :
                 part.section(QLatin1Char(':'), 1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
                rows << StudyRow{cell.section(QLatin1Char('='), 0, 0),
                                 cell.section(QLatin1Char('='), 1)};
            scenario.inputs.tables[name] = rows;
        }
        study.horizon->scenarios.push_back(scenario);

        const HorizonChecks::Problems base = HorizonChecks::checkScenario(study, 0, comma);
        QVERIFY2(!base.blocks(), qPrintable(base.first()));
        const HorizonChecks::Problems problems = HorizonChecks::checkScenario(study, 1, comma);
        QCOMPARE(problems.blocks(), blocks);
        if (reportedUnder == QLatin1String("-")) {
            QVERIFY2(problems.byKey.isEmpty() && problems.general.isEmpty(),
                     qPrintable(problems.first()));
            return;
        }
        if (reportedUnder.isEmpty()) {
            QVERIFY(problems.byKey.isEmpty());
            QVERIFY(!problems.general.isEmpty());
            return;
        }
        const QString found =
            blocks ? problems.byKey.value(reportedUnder) : problems.notes.value(reportedUnder);
        QVERIFY2(found.startsWith(message), qPrintable(found));
        QCOMPARE(problems.first().isEmpty(), !blocks);
    }

    void theYearsMustMakeAHorizon_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("final");
        QTest::addColumn<QString>("reportedUnder");
        QTest::addColumn<QString>("message");
        QTest::newRow("a good one") << "2026"
                                    << "2046"
                                    << ""
                                    << "";
        QTest::newRow("final before base") << "2026"
                                           << "2020"
                                           << "ano_final"
                                           << "O ano final (2020) é anterior ao ano-base (2026)";
        QTest::newRow("same year") << "2026"
                                   << "2026"
                                   << "ano_final"
                                   << "O ano final deve vir ao menos um ano depois";
        QTest::newRow("base out of range") << "1700"
                                           << "1710"
                                           << "ano_base"
                                           << "O ano 1700 está fora de 1872 a 2100";
        QTest::newRow("no final year") << "2026"
                                       << ""
                                       << "ano_final"
                                       << "Informe o ano final";
        QTest::newRow("not a year") << "20x6"
                                    << "2046"
                                    << "ano_base"
                                    << "'20x6' não é um ano válido";
    }
    void theYearsMustMakeAHorizon()
    {
        QFETCH(QString, base);
        QFETCH(QString, final);
        QFETCH(QString, reportedUnder);
        QFETCH(QString, message);
        StudyHorizon horizon{base, final, {Scenario{QStringLiteral("Base"), {}}}};
        const QMap<QString, QString> problems =
            HorizonChecks::yearProblems(horizon, LocaleSettings::brazilian());
        if (reportedUnder.isEmpty()) {
            QVERIFY(problems.isEmpty());
            return;
        }
        QCOMPARE(problems.keys(), QStringList{reportedUnder});
        QVERIFY2(problems.first().startsWith(message), qPrintable(problems.first()));
    }
};

QTEST_MAIN(HorizonInputsTest)
#include "tst_horizon_inputs.moc"
