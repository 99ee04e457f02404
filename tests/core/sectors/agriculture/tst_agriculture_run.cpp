// The agriculture run from a study's tables: the defaults under them, the crop calendars, the
// simulation; or the window's own Kc in place of the calendars.
#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"
#include "core/sectors/agriculture/AgricultureRun.h"
#include "core/sectors/catalogue/StudyKeys.h"

#include <QTest>

using namespace tavi;
using namespace tavi::agriculture;

namespace
{

enum Class { A, B, C, D, E, F, G, H, I };

// A study holding a series: ETP and P of the days given, "0" elsewhere.
WindowInputs withDays(const QList<QPair<int, QStringList>> &days)
{
    WindowInputs inputs;
    StudyGrid serie(kDays, StudyRow{QStringLiteral("0"), QStringLiteral("0")});
    for (const auto &[day, texts] : days)
        serie[day - 1] = StudyRow{texts[0], texts[1]};
    inputs.grids[keys::kSeries] = serie;
    return inputs;
}

QString inLocale(QString pointText, const LocaleSettings &locale)
{
    return pointText.replace(QLatin1Char('.'), locale.decimalSeparator);
}

} // namespace

class AgricultureRunTest : public QObject
{
    Q_OBJECT

    static QString cell(const Result &r, int k, int col, int day)
    {
        return r.tables().classes[k]->cell(col, day);
    }

private slots:
    // Study texts → what the window shows for the day: effective rainfall, a class's three
    // demands and the total, in both separators.
    void oneDay_data()
    {
        QTest::addColumn<QStringList>("day"); // ETP, P
        QTest::addColumn<int>("cls");
        QTest::addColumn<QStringList>("demands"); // DI, DE, DB
        QTest::addColumn<QString>("pef");
        QTest::addColumn<QString>("total");
        // Day 1: A (Kc 0.4, 20 km2, 0.7), D, E and H are planted; the others are not.
        QTest::newRow("dry day, class A") << QStringList{"4", "0"} << int(A)
                                          << QStringList{"1.6", "32000", "45714.2857142857"} << "0"
                                          << "401904.761904762";
        QTest::newRow("dry day, class B not planted")
            << QStringList{"4", "0"} << int(B) << QStringList{"0", "0", "0"} << "0"
            << "401904.761904762";
        // The rain is used as a two-decimal field holds it: 3.456 is 3.46. D and H still ask
        // for water.
        QTest::newRow("rain at two decimals")
            << QStringList{"4", "3.456"} << int(E)
            << QStringList{"1.11417745803357", "27854.4364508393", "39792.0520726276"}
            << "2.88582254196643"
            << "60737.2159415323";
        // From 8.3 mm on, the upper branch.
        QTest::newRow("threshold") << QStringList{"5.5", "8.295"} << int(E)
                                   << QStringList{"0.53", "13250", "18928.5714285714"} << "4.97"
                                   << "23178.5714285714";
    }
    void oneDay()
    {
        QFETCH(QStringList, day);
        QFETCH(int, cls);
        QFETCH(QStringList, demands);
        QFETCH(QString, pef);
        QFETCH(QString, total);
        for (const LocaleSettings &locale :
             {LocaleSettings::decimalPoint(), LocaleSettings::brazilian()}) {
            const Result r = run(readInputs(withDays({{1, day}}), locale), locale);
            QCOMPARE(r.tables().serie->cell(kEffectiveRainColumn, 1), inLocale(pef, locale));
            for (int col : {kDiColumn, kDeColumn, kDbColumn})
                QCOMPARE(cell(r, cls, col, 1), inLocale(demands[col], locale));
            QCOMPARE(r.tables().total->cell(0, totalRow(1)), inLocale(total, locale));
            QCOMPARE(r.total.texts.first(), inLocale(total, locale));
            QCOMPARE(double(r.total.values.front()),
                     double(textToNumber(r.total.texts.first(), locale)));
        }
    }

    // The study's tables stand over the window's defaults: a study without its crop tables
    // takes the defaults; one with its own takes them, its calendars worked out from them.
    void theStudysTablesOverTheDefaults()
    {
        const LocaleSettings locale = LocaleSettings::brazilian();
        WindowInputs study = withDays({{60, {"5", "0"}}, {366, {"4", "0"}}});
        Result r = run(readInputs(study, locale), locale);
        QCOMPARE(r.tables().entrada->cell(kPhaseColumn + 1, B), QStringLiteral("   0,35"));
        // G is planted on day 50 with Kc 1.2: day 60 is its eleventh.
        QCOMPARE(cell(r, G, kCounterColumn, 60), QStringLiteral("11"));
        QCOMPARE(cell(r, G, kKcColumn, 60), QStringLiteral("   1,2"));
        QCOMPARE(cell(r, G, kDiColumn, 60), QStringLiteral("6"));
        QCOMPARE(cell(r, A, kDbColumn, 366), QStringLiteral("0"));
        QCOMPARE(r.total.texts.size(), kDays);

        StudyGrid param = windowInputs(defaultStudy(), keys::kAgricultureWindow)
                              .grids.value(keys::kCropParameters);
        param[kStartRow][G] = QStringLiteral("60");
        study.grids[keys::kCropParameters] = param;
        // A study of an earlier version may hold fewer rows: the rest are the defaults'.
        study.grids[keys::kCropTable] = {{"A", "366", "dias", "366", "0.5"}};
        r = run(readInputs(study, locale), locale);
        QCOMPARE(cell(r, G, kCounterColumn, 60), QStringLiteral("1"));
        QCOMPARE(cell(r, A, kKcColumn, 366), QStringLiteral("0,5"));
        QCOMPARE(cell(r, A, kDbColumn, 366), QStringLiteral("57142,8571428571"));
        QCOMPARE(cell(r, B, kKcColumn, 10), QStringLiteral("   0,35"));
    }

    // The window's own Kc (typed by hand after its calendar ran) are taken as they stand.
    void theWindowsKcAreTaken()
    {
        const LocaleSettings locale = LocaleSettings::brazilian();
        OwnedTables window;
        writeDefaults(window.tables(), locale.decimalSeparator);
        Inputs in = readInputs(withDays({{20, {"5", "0"}}, {21, {"5", "0"}}}), locale);
        runCropCalendar(window.tables(), ClassSet().set(), locale);
        window.tables().classes[B]->setCell(kKcColumn, 20, QStringLiteral("2"));
        // The window's calendar is taken whatever the crop table says.
        in.crops[A][kPhaseColumn + 1] = QStringLiteral("9");
        in.classGrids.emplace();
        for (int k = 0; k < kClasses; ++k)
            (*in.classGrids)[k] = window.tables().classes[k];
        const Result r = run(in, locale);
        QCOMPARE(cell(r, B, kDiColumn, 20), QStringLiteral("10"));
        QCOMPARE(cell(r, B, kDiColumn, 21), QStringLiteral("1,75"));
        QCOMPARE(cell(r, A, kKcColumn, 20), QStringLiteral("   0,4"));
        QCOMPARE(cell(r, A, kDiColumn, 20), QStringLiteral("2"));
        QCOMPARE(cell(r, B, kCounterColumn, 20),
                 window.tables().classes[B]->cell(kCounterColumn, 20));
    }

    // Where only the daily total is wanted, it is the same, text for text, and nothing else
    // of the simulation is written.
    void theDailyTotalAloneIsTheSame()
    {
        const LocaleSettings locale = LocaleSettings::brazilian();
        QList<QPair<int, QStringList>> days;
        for (int day = 1; day <= kDays; ++day)
            days << qMakePair(day, QStringList{QString::number(2 + day % 50 / 10.0),
                                               day % 3 ? "0" : QString::number(day % 17 * 1.3)});
        const Inputs in = readInputs(withDays(days), locale);
        const Result tables = run(in, locale);
        const Result total = run(in, locale, Detail::DailyTotal);
        QCOMPARE(total.total.texts, tables.total.texts);
        QVERIFY(total.total.values == tables.total.values);
        for (int day = 1; day <= kDays; ++day)
            QCOMPARE(total.tables().total->cell(0, totalRow(day)),
                     tables.tables().total->cell(0, totalRow(day)));
        QVERIFY(tables.total.texts.count(QStringLiteral("0")) < kDays / 2);
        QCOMPARE(cell(total, A, kDiColumn, 1), QString());
        QCOMPARE(total.tables().serie->cell(kEffectiveRainColumn, 3), QString());
    }

    // An unreadable cell stops the run with the window's message and the place it names;
    // the days before it are worked out, the rest empty.
    void errorsStopTheRunWhereTheyHappen_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("lastDay"); // the last day whose total was written
        QTest::newRow("ETP of day 100") << QString(keys::kSeries) << 99 << 0 << "abc"
                                        << "'abc' não é um valor de ponto flutuante válido"
                                        << "Série, dia 100, coluna ETP" << 99;
        QTest::newRow("P of day 366") << QString(keys::kSeries) << 365 << 1 << ""
                                      << "'' não é um valor de ponto flutuante válido"
                                      << "Série, dia 366, coluna P" << 365;
        QTest::newRow("a period") << QString(keys::kCropTable) << int(E) << int(kPeriodColumn)
                                  << "9O"
                                  << "'9O' não é um valor de ponto flutuante válido"
                                  << "" << 0;
        QTest::newRow("an area") << QString(keys::kCropParameters) << int(kAreaRow) << int(C) << "x"
                                 << "'x' não é um valor de ponto flutuante válido"
                                 << "" << 0;
        QTest::newRow("no efficiency")
            << QString(keys::kCropParameters) << int(kEfficiencyRow) << int(D) << "0"
            << "Divisão de ponto flutuante por zero"
            << "" << 0;
    }
    void errorsStopTheRunWhereTheyHappen()
    {
        QFETCH(QString, grid);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, where);
        QFETCH(int, lastDay);
        const LocaleSettings locale = LocaleSettings::brazilian();
        QList<QPair<int, QStringList>> days;
        for (int day = 1; day <= kDays; ++day)
            days << qMakePair(day, QStringList{"4", "1"});
        Inputs in = readInputs(withDays(days), locale);
        StudyGrid &target = grid == keys::kSeries      ? in.series
                            : grid == keys::kCropTable ? in.crops
                                                       : in.parameters;
        target[row][col] = text;
        Result r;
        try {
            run(in, locale, r);
            QFAIL("no error");
        } catch (const TaviError &error) {
            QCOMPARE(error.message(), message);
            QCOMPARE(error.where(), where);
            if (grid == keys::kSeries) {
                QVERIFY(error.place().table == r.tables().serie);
                QCOMPARE(error.place().row, row + 1);
            }
        }
        for (int day = 1; day <= kDays; ++day)
            QCOMPARE(r.tables().total->cell(0, totalRow(day)).isEmpty(), day > lastDay);
    }
};

QTEST_GUILESS_MAIN(AgricultureRunTest)
#include "tst_agriculture_run.moc"
