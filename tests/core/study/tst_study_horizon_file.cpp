#include "core/horizon/HorizonRun.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/HorizonKeys.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/StudyFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace tavi;

namespace
{

const QString kSupply = keys::kSupplyWindow;
const QString kAgriculture = keys::kAgricultureWindow;

// A horizon with three scenarios: the base holding drivers and tables, one overriding a driver
// and a table, one overriding window inputs (a field, and the series with its origin).
Study studyWithScenarios()
{
    Study study = defaultStudy();
    study.name = QStringLiteral("Plano de São João");
    StudyHorizon horizon;
    horizon.baseYear = QStringLiteral("2026");
    horizon.finalYear = QStringLiteral("2056");

    Scenario base{QString(keys::kBaseScenario), {}};
    base.inputs.drivers[keys::kProjectionMethod] = QStringLiteral("logistico");
    base.inputs.drivers[keys::kCoverageTarget] = QStringLiteral("99");
    base.inputs.drivers[keys::kPerCapitaChange] = QStringLiteral("-0.25");
    base.inputs.drivers[QString(keys::kAreaGrowthPrefix) + QLatin1Char('A')] =
        QStringLiteral("1.5");
    base.inputs.tables[keys::kCensusCounts] = {{QStringLiteral("2000"), QStringLiteral("41000")},
                                               {QStringLiteral("2010"), QStringLiteral("45100")},
                                               {QStringLiteral("2020"), QStringLiteral("48000")}};
    base.inputs.tables[keys::kTypedAreas] = {
        {QStringLiteral("2030"), QStringLiteral("12.5"), QString(), QStringLiteral("\"x\"")}};

    Scenario trend{QStringLiteral("Crescimento acelerado"), {}};
    trend.inputs.drivers[keys::kProjectionMethod] = QStringLiteral("geometrico");
    trend.inputs.tables[keys::kCensusCounts] = {{QStringLiteral("2010"), QStringLiteral("45100")},
                                                {QStringLiteral("2022"), QStringLiteral("52000")}};

    Scenario rational{QStringLiteral("Uso racional"), {}};
    rational.inputs.windows[kSupply].fields[keys::kCurrentPerCapita] = QStringLiteral("120.5");
    StudyGrid series = study.windows[kAgriculture].grids[keys::kSeries];
    for (int day = 0; day < series.size(); ++day)
        series[day] = {QStringLiteral("5.%1").arg(day % 10), QStringLiteral("0")};
    rational.inputs.windows[kAgriculture].grids[keys::kSeries] = series;
    SeriesOrigin origin;
    origin.station = QStringLiteral("BRASÍLIA");
    origin.code = QStringLiteral("A001");
    origin.year = QStringLiteral("2015");
    rational.inputs.windows[kAgriculture].seriesOrigin = origin;

    horizon.scenarios = {base, trend, rational};
    study.horizon = horizon;
    return study;
}

QJsonObject rootOf(const Study &study)
{
    return QJsonDocument::fromJson(writeStudy(study)).object();
}

// The study's content with its horizon replaced by `horizon`.
QByteArray withHorizon(const QJsonValue &horizon)
{
    QJsonObject root = rootOf(studyWithScenarios());
    root[keys::kHorizon] = horizon;
    return QJsonDocument(root).toJson();
}

QJsonObject goodHorizon()
{
    return rootOf(studyWithScenarios()).value(keys::kHorizon).toObject();
}

QJsonObject withScenario(int index, const QString &member, const QJsonValue &value)
{
    QJsonObject horizon = goodHorizon();
    QJsonArray scenarios = horizon.value(keys::kScenarios).toArray();
    QJsonObject scenario = scenarios[index].toObject();
    if (value.isUndefined())
        scenario.remove(member);
    else
        scenario[member] = value;
    scenarios[index] = scenario;
    horizon[keys::kScenarios] = scenarios;
    return horizon;
}

} // namespace

class StudyHorizonFileTest : public QObject
{
    Q_OBJECT

private slots:
    void horizonSurvivesWritingAndReading()
    {
        const Study study = studyWithScenarios();
        const QByteArray content = writeStudy(study);
        const StudyReading reading = readStudy(content);
        QVERIFY(reading.defaulted.isEmpty());
        QVERIFY(reading.study.horizon.has_value());
        QVERIFY(*reading.study.horizon == *study.horizon);
        QVERIFY(reading.study == study);
        QCOMPARE(writeStudy(reading.study), content);

        // The members as a JSON reader finds them: scenarios in their order, each window
        // override holding only what the scenario changes.
        const QJsonObject horizon = rootOf(study).value(keys::kHorizon).toObject();
        QCOMPARE(horizon.value(keys::kBaseYear).toString(), QStringLiteral("2026"));
        const QJsonArray scenarios = horizon.value(keys::kScenarios).toArray();
        QCOMPARE(scenarios.size(), 3);
        QCOMPARE(scenarios[0].toObject().value("nome").toString(), QStringLiteral("Base"));
        QCOMPARE(scenarios[1].toObject().value("direcionadores").toObject().value("metodo"),
                 QJsonValue(QStringLiteral("geometrico")));
        const QJsonObject rational = scenarios[2].toObject().value("janelas").toObject();
        QCOMPARE(rational.value(kSupply).toObject().keys(), QStringList{"me_2"});
        QCOMPARE(rational.value(kAgriculture).toObject().keys(),
                 (QStringList{"SG_Serie", "origem_serie"}));
    }

    // A study that never had a horizon writes none, and reads back without one: files
    // written before horizons existed, and after, are the same.
    void studyWithoutHorizonIsUnchanged()
    {
        const QByteArray content = writeStudy(defaultStudy());
        QVERIFY(!content.contains("horizonte"));
        const StudyReading reading = readStudy(content);
        QVERIFY(!reading.study.horizon.has_value());
        QVERIFY(reading.study == defaultStudy());

        // A horizon left with its base alone is still a horizon.
        Study study = defaultStudy();
        study.horizon = StudyHorizon{
            QStringLiteral("2026"), QStringLiteral("2046"), {Scenario{QStringLiteral("Base"), {}}}};
        QVERIFY(readStudy(writeStudy(study)).study == study);
    }

    void badHorizonIsRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("not an object")
            << withHorizon(QJsonArray{1}) << "\"horizonte\" deveria ser um objeto";
        QJsonObject noScenarios = goodHorizon();
        noScenarios.remove(keys::kScenarios);
        QTest::newRow("no scenarios")
            << withHorizon(noScenarios) << "deveria ser uma lista de cenários";
        QJsonObject emptyList = goodHorizon();
        emptyList[keys::kScenarios] = QJsonArray();
        QTest::newRow("empty list")
            << withHorizon(emptyList) << "o primeiro cenário do horizonte deveria ser \"Base\"";
        QTest::newRow("base not first")
            << withHorizon(withScenario(0, "nome", QStringLiteral("Tendencial")))
            << "o primeiro cenário do horizonte deveria ser \"Base\"";
        QTest::newRow("same name, other case")
            << withHorizon(withScenario(2, "nome", QStringLiteral("crescimento ACELERADO")))
            << "cenários de mesmo nome (\"crescimento ACELERADO\")";
        QTest::newRow("no name") << withHorizon(withScenario(1, "nome", QJsonValue::Undefined))
                                 << "um cenário do horizonte não tem nome";
        QTest::newRow("driver a number")
            << withHorizon(withScenario(1, "direcionadores", QJsonObject{{"metodo", 3}}))
            << "no cenário \"Crescimento acelerado\" do horizonte";
        QTest::newRow("table row a text")
            << withHorizon(withScenario(1, "tabelas", QJsonObject{{"censos", QJsonArray{"x"}}}))
            << "deveria ser uma lista de textos";
        QTest::newRow("unknown window")
            << withHorizon(withScenario(2, "janelas", QJsonObject{{"TF_Outra", QJsonObject()}}))
            << "\"TF_Outra\" não é uma janela do TAVI";
        QTest::newRow("field not a number")
            << withHorizon(withScenario(
                   2, "janelas",
                   QJsonObject{{kSupply, QJsonObject{{"me_2", QStringLiteral("muito")}}}}))
            << "deveria conter um número, mas contém \"muito\"";
        QTest::newRow("member of no window")
            << withHorizon(
                   withScenario(2, "janelas",
                                QJsonObject{{kSupply, QJsonObject{{"ce_4", QStringLiteral("1")}}}}))
            << "\"ce_4\" não é um dado da janela Abastecimento Público";
        QJsonArray longSeries;
        for (int day = 0; day < 400; ++day)
            longSeries.append(QJsonArray{QStringLiteral("1"), QStringLiteral("0")});
        QTest::newRow("series too long")
            << withHorizon(
                   withScenario(2, "janelas",
                                QJsonObject{{kAgriculture, QJsonObject{{"SG_Serie", longSeries}}}}))
            << "tem 400 linhas; a grade tem 366";
        QJsonArray longTable;
        for (int row = 0; row < 501; ++row)
            longTable.append(QJsonArray{QStringLiteral("2000"), QStringLiteral("1")});
        QTest::newRow("table too long")
            << withHorizon(withScenario(1, "tabelas", QJsonObject{{"censos", longTable}}))
            << "tem 501 linhas; o máximo é 500";
    }

    void badHorizonIsRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        try {
            readStudy(content);
            QFAIL("read");
        } catch (const StudyFormatError &error) {
            if (!error.message().contains(message))
                QFAIL(qPrintable(error.message()));
        }
    }

    // A scenario computes with the base's drivers and the study's windows, each member it
    // holds put in their place, and nothing else.
    void scenarioFollowsTheBaseWhereItOverridesNothing()
    {
        Study study = studyWithScenarios();
        const ResolvedScenario base = resolveScenario(study, 0);
        QCOMPARE(base.name, QStringLiteral("Base"));
        QCOMPARE(base.drivers, study.horizon->scenarios[0].inputs.drivers);
        QVERIFY(base.windows == study.windows);

        const ResolvedScenario trend = resolveScenario(study, 1);
        QCOMPARE(trend.drivers.value(keys::kProjectionMethod), QStringLiteral("geometrico"));
        QCOMPARE(trend.drivers.value(keys::kCoverageTarget), QStringLiteral("99"));
        QCOMPARE(trend.tables.value(keys::kCensusCounts).size(), 2);
        QCOMPARE(trend.tables.value(keys::kTypedAreas), base.tables.value(keys::kTypedAreas));
        QVERIFY(trend.windows == study.windows);

        // A change to the base reaches every scenario that does not override it.
        study.horizon->scenarios[0].inputs.drivers[keys::kCoverageTarget] = QStringLiteral("95");
        QCOMPARE(resolveScenario(study, 1).drivers.value(keys::kCoverageTarget),
                 QStringLiteral("95"));

        const ResolvedScenario rational = resolveScenario(study, 2);
        const WindowInputs &supply = rational.windows.value(kSupply);
        QCOMPARE(supply.fields.value(keys::kCurrentPerCapita), QStringLiteral("120.5"));
        for (const QString &field : study.windows.value(kSupply).fields.keys())
            if (field != keys::kCurrentPerCapita)
                QCOMPARE(supply.fields.value(field),
                         study.windows.value(kSupply).fields.value(field));
        const WindowInputs &agriculture = rational.windows.value(kAgriculture);
        QCOMPARE(agriculture.seriesOrigin->code, QStringLiteral("A001"));
        QCOMPARE(agriculture.grids.value(keys::kCropParameters),
                 study.windows.value(kAgriculture).grids.value(keys::kCropParameters));

        // A series typed by hand in a scenario leaves behind the study's station, not the
        // other way round.
        study.windows[kAgriculture].seriesOrigin = SeriesOrigin{};
        study.windows[kAgriculture].seriesOrigin->code = QStringLiteral("A701");
        study.horizon->scenarios[2].inputs.windows[kAgriculture].seriesOrigin.reset();
        QVERIFY(!resolveScenario(study, 2).windows.value(kAgriculture).seriesOrigin);
        QCOMPARE(resolveScenario(study, 1).windows.value(kAgriculture).seriesOrigin->code,
                 QStringLiteral("A701"));
    }

    void scenarioNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("self");
        QTest::addColumn<QString>("problem");
        QTest::newRow("new") << "Tendencial" << -1 << "";
        QTest::newRow("blank") << "  " << -1 << "Dê um nome ao cenário.";
        QTest::newRow("taken") << " uso RACIONAL " << -1
                               << "Já existe um cenário chamado \"uso RACIONAL\".";
        QTest::newRow("its own") << "Uso racional" << 2 << "";
        QTest::newRow("the base's") << "base" << 1 << "Já existe um cenário chamado \"base\".";
    }

    void scenarioNames()
    {
        QFETCH(QString, name);
        QFETCH(int, self);
        QFETCH(QString, problem);
        QCOMPARE(scenarioNameProblem(*studyWithScenarios().horizon, name, self), problem);
    }

    // Drivers typed under a decimal comma, saved, and reopened under a decimal point: the
    // same study, the same texts shown in the other locale's way, the same figures.
    void savedUnderOneLocaleReopensIdenticalUnderAnother()
    {
        const LocaleSettings brazil = LocaleSettings::brazilian();
        const LocaleSettings states = LocaleSettings::decimalPoint();
        Study study = studyWithScenarios();
        Scenario &trend = study.horizon->scenarios[1];
        trend.inputs.drivers[keys::kCoverageTarget] = toStudyText(QStringLiteral("97,5"), brazil);
        trend.inputs.drivers[keys::kLossesToday] = toStudyText(QStringLiteral("38,25"), brazil);
        QCOMPARE(trend.inputs.drivers[keys::kCoverageTarget], QStringLiteral("97.5"));

        const Study reopened = readStudy(writeStudy(study)).study;
        QVERIFY(reopened == study);
        const QString shown = fromStudyText(
            reopened.horizon->scenarios[1].inputs.drivers[keys::kLossesToday], states);
        QCOMPARE(shown, QStringLiteral("38.25"));
        QCOMPARE(toStudyText(shown, states), QStringLiteral("38.25"));

        const std::vector<horizon::ScenarioRun> here = horizon::runHorizon(study, brazil);
        const std::vector<horizon::ScenarioRun> there = horizon::runHorizon(reopened, states);
        QCOMPARE(here.size(), std::size_t(3));
        QCOMPARE(there.size(), here.size());
        for (std::size_t s = 0; s < here.size(); ++s) {
            QCOMPARE(there[s].name, here[s].name);
            QCOMPARE(there[s].problem, here[s].problem);
            QCOMPARE(there[s].years.size(), here[s].years.size());
            for (std::size_t y = 0; y < here[s].years.size(); ++y) {
                QCOMPARE(there[s].years[y].year, here[s].years[y].year);
                for (int sector = 0; sector < kSummarySectors; ++sector)
                    QVERIFY(there[s].years[y].sectors[std::size_t(sector)].annual ==
                            here[s].years[y].sectors[std::size_t(sector)].annual);
                QVERIFY(there[s].years[y].total.peakDaily == here[s].years[y].total.peakDaily);
            }
        }
    }
};

QTEST_GUILESS_MAIN(StudyHorizonFileTest)
#include "tst_study_horizon_file.moc"
