// A municipality's study made from the region's template and its overrides, and an edited
// study taken back: what the planner changed becomes the municipality's own, what a table
// gave keeps its source, and a study taken back unchanged leaves the region as it was.
#include "core/region/Region.h"
#include "core/sectors/catalogue/BalanceKeys.h"
#include "core/sectors/catalogue/LivestockAnimals.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "support/RegionSamples.h"

#include <QTest>

using namespace tavi;
using namespace tavi::region;

class TestRegion : public QObject
{
    Q_OBJECT

private slots:
    void studyTakenBackUnchangedLeavesTheRegion_data();
    void studyTakenBackUnchangedLeavesTheRegion();
    void municipalityStudyHoldsItsOverrides();
    void overridesAreWhatTheEditChanges_data();
    void overridesAreWhatTheEditChanges();
    void editedStudyTakenBack_data();
    void editedStudyTakenBack();
    void captions_data();
    void captions();
};

void TestRegion::studyTakenBackUnchangedLeavesTheRegion_data()
{
    QTest::addColumn<int>("index");
    const Region region = testing::sampleRegion();
    for (std::size_t i = 0; i < region.municipalities.size(); ++i)
        QTest::newRow(qPrintable(region.municipalities[i].name)) << int(i);
}

void TestRegion::studyTakenBackUnchangedLeavesTheRegion()
{
    QFETCH(int, index);
    const Region region = testing::sampleRegion();
    Region taken = region;
    setMunicipalityStudy(taken, index, municipalityStudy(region, index));
    QCOMPARE(taken.municipalities[std::size_t(index)].overrides,
             region.municipalities[std::size_t(index)].overrides);
    QVERIFY(taken == region);
    // Taken back and made again, the study is the same.
    QVERIFY(municipalityStudy(taken, index) == municipalityStudy(region, index));
}

void TestRegion::municipalityStudyHoldsItsOverrides()
{
    const Region region = testing::sampleRegion();

    const Study plain = municipalityStudy(region, 0);
    QCOMPARE(plain.name, QStringLiteral("São Paulo (SP)"));
    Study expected = region.templateStudy;
    expected.name = plain.name;
    QVERIFY(plain == expected);

    const Study imported = municipalityStudy(region, 1);
    QCOMPARE(imported.windows[keys::kLivestockWindow].fields[herdFieldName(0)],
             QStringLiteral("4512"));
    // A field the template's own window lacks still reads the others as a fresh window.
    QCOMPARE(imported.windows[keys::kLivestockWindow].fields[consumptionFieldName(0)],
             defaultStudy().windows[keys::kLivestockWindow].fields[consumptionFieldName(0)]);

    // A reference flow with no balance of its own or the template's: a fresh balance on it.
    const Study flowing = municipalityStudy(region, 2);
    QVERIFY(flowing.balance);
    QCOMPARE(flowing.balance->reference, QString(keys::kReferenceTyped));
    QCOMPARE(flowing.balance->typedFlow, QStringLiteral("12.5"));
    QCOMPARE(flowing.balance->grantShare, StudyBalance{}.grantShare);

    const Study own = municipalityStudy(region, 3);
    QCOMPARE(own.horizon->finalYear, QStringLiteral("2050"));
    QCOMPARE(own.balance->grantShare, QStringLiteral("30"));
    QCOMPARE(own.windows[keys::kAgricultureWindow].grids[keys::kCropParameters][1][0],
             QStringLiteral("3.75"));
    QCOMPARE(own.windows[keys::kAgricultureWindow].seriesOrigin->station,
             QStringLiteral("CURITIBA"));
    // The series itself is still the template's.
    QCOMPARE(own.windows[keys::kAgricultureWindow].grids[keys::kSeries],
             region.templateStudy.windows[keys::kAgricultureWindow].grids[keys::kSeries]);

    // Its own balance, with the table's flow as the typed reference.
    const Study both = municipalityStudy(region, 4);
    QCOMPARE(both.balance->grantShare, QStringLiteral("40"));
    QCOMPARE(both.balance->reference, QString(keys::kReferenceTyped));
    QCOMPARE(both.balance->typedFlow, QStringLiteral("0.75"));
}

using StudyEdit = std::function<void(Study &)>;
Q_DECLARE_METATYPE(StudyEdit)

void TestRegion::overridesAreWhatTheEditChanges_data()
{
    QTest::addColumn<StudyEdit>("edit");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("nothing") << StudyEdit([](Study &) {}) << QStringList();
    QTest::newRow("name and notes are no inputs") << StudyEdit([](Study &study) {
        study.name = QStringLiteral("Outro");
        study.notes = QStringLiteral("notas");
    }) << QStringList();
    QTest::newRow("one field") << StudyEdit([](Study &study) {
        study.windows[keys::kSupplyWindow].fields[keys::kSupplyEfficiency] = "80";
    }) << QStringList{"TF_Abast_Publico/me_5=80"};
    QTest::newRow("a window the template lacks")
        << StudyEdit([](Study &study) { study.windows.remove(keys::kDilutionWindow); })
        << QStringList();
    QTest::newRow("one cell of a grid takes the grid") << StudyEdit([](Study &study) {
        study.windows[keys::kAgricultureWindow].grids[keys::kSeries][10][0] = "4.5";
    }) << QStringList{"TF_Mod_Agricultura/SG_Serie"};
    QTest::newRow("series origin") << StudyEdit([](Study &study) {
        study.windows[keys::kAgricultureWindow].seriesOrigin = SeriesOrigin{};
    }) << QStringList{"TF_Mod_Agricultura origem"};
    QTest::newRow("horizon and balance") << StudyEdit([](Study &study) {
        study.horizon = testing::sampleHorizon(QStringLiteral("2040"));
        study.balance = testing::sampleBalance(QStringLiteral("20"));
    }) << QStringList{"horizonte", "balanco"};
}

void TestRegion::overridesAreWhatTheEditChanges()
{
    QFETCH(StudyEdit, edit);
    QFETCH(QStringList, expected);
    Study templateStudy = defaultStudy();
    templateStudy.horizon = testing::sampleHorizon(QStringLiteral("2046"));
    Study edited = templateStudy;
    edit(edited);
    const StudyOverrides overrides = overridesOf(templateStudy, edited);

    QStringList shown;
    for (auto w = overrides.fields.cbegin(); w != overrides.fields.cend(); ++w)
        for (auto f = w->cbegin(); f != w->cend(); ++f)
            shown << inputPath(w.key(), f.key()) + QLatin1Char('=') + f.value();
    for (auto w = overrides.grids.cbegin(); w != overrides.grids.cend(); ++w)
        for (auto g = w->cbegin(); g != w->cend(); ++g)
            shown << inputPath(w.key(), g.key());
    for (auto w = overrides.seriesOrigins.cbegin(); w != overrides.seriesOrigins.cend(); ++w)
        shown << w.key() + QStringLiteral(" origem");
    if (overrides.horizon)
        shown << QStringLiteral("horizonte");
    if (overrides.balance)
        shown << QStringLiteral("balanco");
    QCOMPARE(shown, expected);

    // The overrides over the template make the edited study again.
    Region region = emptyRegion();
    region.templateStudy = templateStudy;
    region.municipalities.push_back(testing::sampleMunicipality("3550308", "São Paulo", "SP"));
    region.municipalities[0].overrides = overrides;
    Study made = municipalityStudy(region, 0);
    made.name = edited.name;
    made.notes = edited.notes;
    if (!edited.windows.contains(keys::kDilutionWindow))
        made.windows.remove(keys::kDilutionWindow);
    QVERIFY(made == edited);
}

void TestRegion::editedStudyTakenBack_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<StudyEdit>("edit");
    QTest::addColumn<StudyEdit>("check");
    QTest::addColumn<QStringList>("sources");
    QTest::addColumn<QString>("referenceFlow");

    const QString population = inputPath(keys::kSupplyWindow, keys::kTotalPopulation);
    const QString cattle = inputPath(keys::kLivestockWindow, herdFieldName(0));

    QTest::newRow("typed over a table's value drops its source")
        << 1 << StudyEdit([](Study &study) {
               study.windows[keys::kLivestockWindow].fields[herdFieldName(0)] = "5000";
           })
        << StudyEdit([](Study &study) {
               QCOMPARE(study.windows[keys::kLivestockWindow].fields[herdFieldName(0)],
                        QStringLiteral("5000"));
           })
        << QStringList{population} << QString();
    QTest::newRow("typed where the table had none drops the flag")
        << 1 << StudyEdit([](Study &study) {
               study.windows[keys::kLivestockWindow].fields[herdFieldName(3)] = "75";
           })
        << StudyEdit([](Study &) {}) << QStringList{population, cattle} << QString();
    QTest::newRow("back to the template's value") << 1 << StudyEdit([](Study &study) {
        study.windows[keys::kLivestockWindow].fields[herdFieldName(0)] =
            defaultStudy().windows[keys::kLivestockWindow].fields[herdFieldName(0)];
    }) << StudyEdit([](Study &) {}) << QStringList{population}
                                                  << QString();
    QTest::newRow("another typed flow becomes its reference flow")
        << 2 << StudyEdit([](Study &study) { study.balance->typedFlow = "7.25"; })
        << StudyEdit([](Study &study) { QCOMPARE(study.balance->typedFlow, QString("7.25")); })
        << QStringList() << QStringLiteral("7.25");
    QTest::newRow("another reference drops the table's flow") << 2 << StudyEdit([](Study &study) {
        study.balance->reference = keys::kReferenceQ90;
    }) << StudyEdit([](Study &study) {
        QCOMPARE(study.balance->reference, QString(keys::kReferenceQ90));
    }) << QStringList() << QString();
    QTest::newRow("the balance's share keeps the flow") << 4 << StudyEdit([](Study &study) {
        study.balance->grantShare = "45";
    }) << StudyEdit([](Study &study) {
        QCOMPARE(study.balance->grantShare, QString("45"));
        QCOMPARE(study.balance->typedFlow, QString("0.75"));
    }) << QStringList() << QStringLiteral("0.75");
    QTest::newRow("the template's horizon again") << 3 << StudyEdit([](Study &study) {
        study.horizon = testing::sampleHorizon(QStringLiteral("2046"));
    }) << StudyEdit([](Study &study) { QCOMPARE(study.horizon->finalYear, QString("2046")); })
                                                  << QStringList() << QString();
}

void TestRegion::editedStudyTakenBack()
{
    QFETCH(int, index);
    QFETCH(StudyEdit, edit);
    QFETCH(StudyEdit, check);
    QFETCH(QStringList, sources);
    QFETCH(QString, referenceFlow);

    const Region region = testing::sampleRegion();
    Region taken = region;
    Study edited = municipalityStudy(region, index);
    edit(edited);
    setMunicipalityStudy(taken, index, edited);

    const Municipality &municipality = taken.municipalities[std::size_t(index)];
    QCOMPARE(municipality.sources.keys(), sources);
    // Only a value typed where the table had none drops the flag.
    const bool typedGoats =
        QTest::currentDataTag() == QByteArray("typed where the table had none drops the flag");
    QCOMPARE(municipality.notAvailable.size(),
             region.municipalities[std::size_t(index)].notAvailable.size() - int(typedGoats));
    QCOMPARE(municipality.referenceFlow, referenceFlow);
    // What the region makes of it is what was edited; the others are untouched.
    const Study made = municipalityStudy(taken, index);
    QVERIFY(made == edited);
    check(const_cast<Study &>(made));
    for (std::size_t i = 0; i < region.municipalities.size(); ++i)
        if (int(i) != index)
            QVERIFY(taken.municipalities[i] == region.municipalities[i]);
    // A value equal to the template's is not kept as the municipality's own.
    if (QTest::currentDataTag() == QByteArray("back to the template's value"))
        QVERIFY(!municipality.overrides.fields[keys::kLivestockWindow].contains(herdFieldName(0)));
    if (QTest::currentDataTag() == QByteArray("the template's horizon again"))
        QVERIFY(!municipality.overrides.horizon);
}

void TestRegion::captions_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caption");
    QTest::newRow("population") << inputPath(keys::kSupplyWindow, keys::kTotalPopulation)
                                << "Abastecimento Público: População total do município "
                                   "(habitantes)";
    QTest::newRow("herd") << inputPath(keys::kLivestockWindow, herdFieldName(4))
                          << "Pecuária: Número de cabeças, Galináceo";
    QTest::newRow("grid") << inputPath(keys::kAgricultureWindow, keys::kSeries)
                          << "Agricultura: Série";
}

void TestRegion::captions()
{
    QFETCH(QString, path);
    QFETCH(QString, caption);
    QCOMPARE(inputCaption(path), caption);
}

QTEST_GUILESS_MAIN(TestRegion)
#include "tst_region.moc"
