// The dilution run from a study's texts: the result grid, the contribution matrix, the
// maximum and its point, and the errors that stop it where they happen.
#include "core/base/LocaleSettings.h"
#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/sectors/dilution/DilutionRun.h"

#include <QTest>

using namespace tavi;

namespace
{

// Texts below are written with "."; in a comma locale they carry "," instead.
QString inLocale(QString text, const LocaleSettings &locale)
{
    return text.replace(QLatin1Char('.'), locale.decimalSeparator);
}

// K, N, Qtotal, DBO5total, mit, rio, Δt as a study keeps them (ce_2 to ce_8); the defaults
// where none is given.
WindowInputs study(const QStringList &texts = {})
{
    const QStringList defaults = {"0.38", "14", "0.61", "1124.55", "10", "2", "7"};
    const QLatin1String fields[] = {keys::kDecayRate,   keys::kDischargePoints, keys::kEffluentFlow,
                                    keys::kEffluentBod, keys::kPermittedBod,    keys::kRiverBod,
                                    keys::kTravelTime};
    WindowInputs inputs;
    inputs.fields[keys::kRiverVelocity] = QStringLiteral("1");
    inputs.fields[keys::kTotalTravelTime] = QStringLiteral("2");
    for (int i = 0; i < 7; ++i)
        inputs.fields[fields[i]] = texts.value(i, defaults[i]);
    return inputs;
}

DilutionInputs defaults()
{
    return dilution::readInputs(study(), LocaleSettings::decimalPoint());
}

} // namespace

using Texts = QList<QString>;
using Flows = QList<QPair<int, QString>>; // (point, accumulated flow)

class DilutionRunTest : public QObject
{
    Q_OBJECT

    dilution::Result run;
    LocaleSettings locale = LocaleSettings::decimalPoint();

    QString contribution(int discharge, int at) const
    {
        return run.contributions->cell(discharge - 1, at);
    }
    QString accumulated(int point) const { return run.results->cell(AccumulatedFlowColumn, point); }
    QString resultCell(int col, int point) const { return run.results->cell(col, point); }
    void runOn(const DilutionInputs &in) { run = dilution::run(in, locale); }

    FloatError::Kind failingKind(const DilutionInputs &in)
    {
        run = dilution::Result();
        try {
            dilution::run(in, locale, run);
        } catch (const FloatError &e) {
            return e.kind();
        }
        QTest::qFail("the run did not fail", __FILE__, __LINE__);
        return FloatError::Kind(-1);
    }

private slots:
    void init()
    {
        locale = LocaleSettings::decimalPoint();
        run = dilution::Result();
    }

    // The reference run, in both separators. Down to point N = 14 the accumulated flow rises
    // at every point, since every point adds effluent and each contribution decays only over
    // the intervals it has travelled; below the last discharge it only decays.
    void defaultRun_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::newRow("point") << false;
        QTest::newRow("comma") << true;
    }
    void defaultRun()
    {
        QFETCH(bool, comma);
        locale = comma ? LocaleSettings::brazilian() : LocaleSettings::decimalPoint();
        run = dilution::run(dilution::readInputs(study(), locale), locale);
        for (int p = 1; p <= 14; ++p) {
            QCOMPARE(resultCell(EffluentFlowColumn, p), inLocale("0.0435714285714286", locale));
            QCOMPARE(resultCell(EffluentBodColumn, p), inLocale("80.325", locale));
            QCOMPARE(resultCell(DilutionFlowColumn, p), inLocale("0.383020089285715", locale));
            QCOMPARE(contribution(p, p), inLocale("0.426591517857144", locale));
        }
        for (int p = 15; p <= kDischargePoints; ++p) {
            for (int col : {EffluentFlowColumn, EffluentBodColumn, DilutionFlowColumn})
                QCOMPARE(resultCell(col, p), QString());
            QCOMPARE(contribution(p, p), QString());
        }
        const Flows expected = {
            {1, "0.426591517857144"},    {2, "0.456430835942605"},    {3, "0.458518043180756"},
            {4, "0.458664039615477"},    {5, "0.458674251806467"},    {6, "0.458674966131067"},
            {10, "0.458675019853387"},   {14, "0.458675019854673"},   {15, "0.0320835019975288"},
            {16, "0.00224418391206824"}, {20, "5.37236062297328E-8"}, {25, "8.99598138180081E-14"},
            {50, "1.18431028637027E-42"}};
        for (const auto &[point, text] : expected)
            QCOMPARE(accumulated(point), inLocale(text, locale));
        for (int p = 2; p <= 14; ++p)
            QVERIFY(textToNumber(accumulated(p), locale) >=
                    textToNumber(accumulated(p - 1), locale));
        for (int p = 15; p <= kDischargePoints; ++p)
            QVERIFY(textToNumber(accumulated(p), locale) <
                    textToNumber(accumulated(p - 1), locale));
        QCOMPARE(run.maximumText, inLocale("0.458675019854673", locale));
        QCOMPARE(run.maximumPoint, 14);
        // Below 0.0001 a contribution is written in scientific notation, and read back from
        // it like any other text (point 6's total depends on it).
        QCOMPARE(contribution(1, 6), inLocale("7.14324599854045E-7", locale));
        QCOMPARE(contribution(1, 50), inLocale("1.05698651012452E-57", locale));
    }

    // The tables come with the window's headings and point numbers.
    void theTablesHaveTheWindowsHeadings()
    {
        QCOMPARE(resultCell(PointColumn, 0), QStringLiteral("Ponto de Lançamento"));
        QCOMPARE(resultCell(AccumulatedFlowColumn, 0), QStringLiteral("Qind.n (acumulada)"));
        QCOMPARE(resultCell(PointColumn, 50), QStringLiteral("50"));
        QCOMPARE(contribution(50, 0), QStringLiteral("Qind.50"));
        QCOMPARE(run.maximumText, QString());
    }

    // A discharge at point d decays over p − d intervals on its way to point p, whichever
    // point it starts from: the triangle's columns are the same series shifted down.
    void contributionsDecayOverTheIntervalsTravelled()
    {
        runOn(defaults());
        for (int d = 1; d <= 14; ++d) {
            for (int p = 1; p < d; ++p)
                QCOMPARE(contribution(d, p), QString());
            for (int p = d; p <= kDischargePoints; ++p)
                QCOMPARE(contribution(d, p), contribution(1, p - d + 1));
        }
        // Points below the last discharge add nothing of their own.
        for (int d = 15; d <= kDischargePoints; ++d)
            for (int p = 1; p <= kDischargePoints; ++p)
                QCOMPARE(contribution(d, p), QString());
        // Point 3's discharge at point 9 has travelled six intervals, not eight.
        QCOMPARE(contribution(3, 9), QStringLiteral("4.99657355082529E-8"));
        QCOMPARE(contribution(3, 9), contribution(1, 7));
    }

    // Values derived apart from this program, in decimal arithmetic of 50 digits rounded to
    // 15 significant digits wherever the model reads a value back.
    void otherInputs_data()
    {
        QTest::addColumn<QStringList>("inputs"); // K, N, Qtotal, DBO5total, mit, rio, Δt
        QTest::addColumn<Texts>("row");          // Qefluente, DBO5efluente, Qdil, own
        QTest::addColumn<Flows>("flows");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<int>("point");
        QTest::addColumn<Texts>("contributions"); // (1, 6), (3, 9), (7, 50)

        QTest::newRow("slow decay, N 3")
            << QStringList{"0.25", "3", "1.75", "450.5", "5", "1.5", "1.5"}
            << Texts{"0.583333333333333", "150.166666666667", "24.1944444444445",
                     "24.7777777777778"}
            << Flows{{1, "24.7777777777778"}, {2, "41.8072787967097"},  {3, "53.5114722701815"},
                     {4, "36.7778611836162"}, {10, "3.87635804979703"}, {20, "0.0911632034620218"}}
            << QStringLiteral("53.5114722701815") << 3
            << Texts{"3.79979528960212", "2.61155856414397", ""};
        // Effluent below the permitted BOD5 gives a negative dilution flow, used unchanged;
        // with every accumulated flow negative the maximum stays 0, at no point.
        QTest::newRow("clean effluent, N 8")
            << QStringList{"1.2", "8", "0.9", "20", "4", "3.25", "0.5"}
            << Texts{"0.1125", "2.5", "-0.225", "-0.1125"}
            << Flows{{1, "-0.1125"},
                     {2, "-0.174241309060578"},
                     {3, "-0.208125657900701"},
                     {6, "-0.242528597762073"},
                     {10, "-0.0744821717681776"},
                     {50, "-2.81180219574977E-12"}}
            << QStringLiteral("0") << 0
            << Texts{"-0.00560104519138469", "-0.00307391877532041", "-7.02028735938271E-13"};
        // The fields hold two decimals: K 0.254 is 0.25, N 3.004 is 3, Δt 1.495 is 1.5.
        QTest::newRow("fields at their decimals")
            << QStringList{"0.254", "3.004", "1.745", "450.499", "5", "1.5", "1.495"}
            << Texts{"0.583333333333333", "150.166666666667", "24.1944444444445",
                     "24.7777777777778"}
            << Flows{{1, "24.7777777777778"}, {3, "53.5114722701815"}}
            << QStringLiteral("53.5114722701815") << 3
            << Texts{"3.79979528960212", "2.61155856414397", ""};
    }
    void otherInputs()
    {
        QFETCH(QStringList, inputs);
        QFETCH(Texts, row);
        QFETCH(Flows, flows);
        QFETCH(QString, maximum);
        QFETCH(int, point);
        QFETCH(Texts, contributions);
        const DilutionInputs in = dilution::readInputs(study(inputs), locale);
        runOn(in);
        const int n = int(in.points);
        for (int p : {1, n}) {
            QCOMPARE(resultCell(EffluentFlowColumn, p), row[0]);
            QCOMPARE(resultCell(EffluentBodColumn, p), row[1]);
            QCOMPARE(resultCell(DilutionFlowColumn, p), row[2]);
            QCOMPARE(contribution(p, p), row[3]);
        }
        QCOMPARE(resultCell(EffluentFlowColumn, n + 1), QString());
        for (const auto &[p, text] : flows)
            QCOMPARE(accumulated(p), text);
        QCOMPARE(run.maximumText, maximum);
        QCOMPARE(run.maximumPoint, point);
        QCOMPARE(contribution(1, 6), contributions[0]);
        QCOMPARE(contribution(3, 9), contributions[1]);
        QCOMPARE(contribution(7, 50), contributions[2]);
    }

    // The maximum's point is the first where the largest flow stands: with no decay every
    // point below the last discharge carries the same flow.
    void theMaximumsPointIsTheFirstOnATie()
    {
        DilutionInputs in = defaults();
        in.decayRate = 0;
        runOn(in);
        QCOMPARE(accumulated(14), accumulated(50));
        QCOMPARE(run.maximumText, accumulated(14));
        QCOMPARE(run.maximumPoint, 14);
    }

    // The total effluent is shared among the N points that discharge: the river receives it
    // all, never 50/N of it nor less, whatever N is.
    void theRiverReceivesTheTotalEffluent_data()
    {
        QTest::addColumn<int>("points");
        for (int n : {1, 3, 14, 49, 50})
            QTest::addRow("N %d", n) << n;
    }
    void theRiverReceivesTheTotalEffluent()
    {
        QFETCH(int, points);
        DilutionInputs in = defaults();
        in.points = points;
        runOn(in);
        long double received = 0;
        for (int p = 1; p <= kDischargePoints; ++p) {
            const QString flow = resultCell(EffluentFlowColumn, p);
            QCOMPARE(flow.isEmpty(), p > points);
            if (!flow.isEmpty())
                received += textToNumber(flow, locale);
        }
        QVERIFY(qAbs(double(received) - 0.61) < 1e-13);
        // Every point still carries what comes from upstream, and the maximum is taken over
        // all 50.
        for (int p = 1; p <= kDischargePoints; ++p)
            QVERIFY(!accumulated(p).isEmpty());
    }

    // N counts points: a whole number from 1 to 50. Anything else stops the run before a
    // cell is written, naming the field, which the window then makes current.
    void pointCountOutOfRangeIsRefused_data()
    {
        QTest::addColumn<QString>("points");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0") << "0"
                           << "0";
        QTest::newRow("51") << "51"
                            << "51";
        QTest::newRow("60") << "60"
                            << "60";
        QTest::newRow("14.5") << "14.5"
                              << "14,5";
        QTest::newRow("-3") << "-3"
                            << "-3";
    }
    void pointCountOutOfRangeIsRefused()
    {
        QFETCH(QString, points);
        QFETCH(QString, shown);
        locale = LocaleSettings::brazilian();
        try {
            dilution::run(dilution::readInputs(study({"0.38", points}), locale), locale, run);
            QFAIL("the run went on");
        } catch (const FloatError &) {
            QFAIL("a count of points is no arithmetic error");
        } catch (const TaviError &error) {
            QCOMPARE(error.message(),
                     QStringLiteral("O \"Número de Pontos de Lançamento\" deve ser um número "
                                    "inteiro de 1 a 50, e não %1")
                         .arg(shown));
            QCOMPARE(error.place().field, QStringLiteral("ce_3"));
        }
        QCOMPARE(resultCell(EffluentFlowColumn, 1), QString());
        QCOMPARE(resultCell(PointColumn, 1), QStringLiteral("1"));
        QCOMPARE(dischargePointCount(50), 50);
        QCOMPARE(dischargePointCount(1), 1);
    }

    // Each failure ends the run where it happens; what was written before stays.
    void errorsEndTheRunWhereTheyHappen()
    {
        DilutionInputs in = defaults();
        in.riverBod = in.permittedBod;
        QCOMPARE(failingKind(in), FloatError::DivisionByZero);
        QCOMPARE(resultCell(EffluentFlowColumn, 1), QStringLiteral("0.0435714285714286"));
        QCOMPARE(resultCell(EffluentBodColumn, 1), QStringLiteral("80.325"));
        QCOMPARE(resultCell(DilutionFlowColumn, 1), QString());
        QCOMPARE(resultCell(EffluentFlowColumn, 2), QString());
        QCOMPARE(run.maximumText, QString());
        // The effluent's BOD5 equal to the permitted one as well: 0 / 0.
        in.effluentBod = 140; // 10 per point
        QCOMPARE(failingKind(in), FloatError::InvalidOperation);
    }

    void overflowsEndTheRun()
    {
        // A negative rate large enough makes the growth factor leave the extended range two
        // intervals downstream.
        DilutionInputs in = defaults();
        in.decayRate = -1000;
        QCOMPARE(failingKind(in), FloatError::Overflow);
        QVERIFY(!contribution(1, 2).isEmpty());
        QCOMPARE(contribution(1, 3), QString());
        QCOMPARE(accumulated(1), QString());

        // Flows within the extended range but beyond a double's: the maximum overflows.
        in = defaults();
        in.points = 1;
        in.effluentFlow = 1e400L;
        QCOMPARE(failingKind(in), FloatError::Overflow);
        QVERIFY(!accumulated(50).isEmpty());
        QCOMPARE(run.maximumText, QString());
    }
};

QTEST_GUILESS_MAIN(DilutionRunTest)
#include "tst_dilution_run.moc"
