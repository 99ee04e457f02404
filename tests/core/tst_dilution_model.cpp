#include "core/DilutionModel.h"
#include "core/LocaleSettings.h"
#include "core/NumberText.h"
#include "core/TaviError.h"

#include <QTest>
#include <memory>

using namespace tavi;

namespace
{

// Texts below are written with "."; in a comma locale they carry "," instead.
QString inLocale(QString text)
{
    return text.replace(QLatin1Char('.'), LocaleSettings::current().decimalSeparator);
}

DilutionInputs defaults()
{
    DilutionInputs in;
    in.decayRate = 0.38L;
    in.points = 14;
    in.effluentFlow = 0.61L;
    in.effluentBod = 1124.55L;
    in.permittedBod = 10;
    in.riverBod = 2;
    in.travelTime = 7;
    return in;
}

class LocaleScope
{
public:
    explicit LocaleScope(const LocaleSettings &s) : m_previous(LocaleSettings::current())
    {
        LocaleSettings::setCurrent(s);
    }
    ~LocaleScope() { LocaleSettings::setCurrent(m_previous); }

private:
    LocaleSettings m_previous;
};

} // namespace

using Texts = QList<QString>;
using Flows = QList<QPair<int, QString>>; // (point, accumulated flow)

class DilutionModelTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CellTable> results;
    std::unique_ptr<CellTable> matrix;

    QString contribution(int discharge, int at) const { return matrix->cell(discharge - 1, at); }
    QString accumulated(int point) const { return results->cell(AccumulatedFlowColumn, point); }

    FloatError::Kind failingKind(const DilutionInputs &in)
    {
        try {
            runDilution(*results, *matrix, in);
        } catch (const FloatError &e) {
            return e.kind();
        }
        QTest::qFail("the run did not fail", __FILE__, __LINE__);
        return FloatError::Kind(-1);
    }

private slots:
    void init()
    {
        LocaleSettings::setCurrent(LocaleSettings::decimalPoint());
        results.reset(newDilutionResults());
        matrix.reset(newContributionMatrix());
    }

    // The reference run, in both separators. The accumulated flow rises at every point,
    // since every point adds effluent and each contribution decays only over the intervals
    // it has travelled.
    void defaultRun_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::newRow("point") << false;
        QTest::newRow("comma") << true;
    }
    void defaultRun()
    {
        QFETCH(bool, comma);
        LocaleScope locale(comma ? LocaleSettings::brazilian() : LocaleSettings::decimalPoint());
        const double maximum = runDilution(*results, *matrix, defaults());
        for (int p = 1; p <= kDischargePoints; ++p) {
            QCOMPARE(results->cell(EffluentFlowColumn, p), inLocale("0.0435714285714286"));
            QCOMPARE(results->cell(EffluentBodColumn, p), inLocale("80.325"));
            QCOMPARE(results->cell(DilutionFlowColumn, p), inLocale("0.383020089285715"));
            QCOMPARE(contribution(p, p), inLocale("0.426591517857144"));
        }
        const Flows expected = {
            {1, "0.426591517857144"},  {2, "0.456430835942605"},  {3, "0.458518043180756"},
            {4, "0.458664039615477"},  {5, "0.458674251806467"},  {6, "0.458674966131067"},
            {10, "0.458675019853387"}, {20, "0.458675019854673"}, {50, "0.458675019854673"}};
        for (const auto &[point, text] : expected)
            QCOMPARE(accumulated(point), inLocale(text));
        for (int p = 2; p <= kDischargePoints; ++p)
            QVERIFY(textToNumber(accumulated(p)) >= textToNumber(accumulated(p - 1)));
        QCOMPARE(formatGeneral(maximum), inLocale("0.458675019854673"));
        // Below 0.0001 a contribution is written in scientific notation, and read back from
        // it like any other text (point 6's total depends on it).
        QCOMPARE(contribution(1, 6), inLocale("7.14324599854045E-7"));
        QCOMPARE(contribution(1, 50), inLocale("1.05698651012452E-57"));
    }

    // A discharge at point d decays over p − d intervals on its way to point p, whichever
    // point it starts from: the triangle's columns are the same series shifted down.
    void contributionsDecayOverTheIntervalsTravelled()
    {
        runDilution(*results, *matrix, defaults());
        for (int d = 1; d <= kDischargePoints; ++d) {
            for (int p = 1; p < d; ++p)
                QCOMPARE(contribution(d, p), QString());
            for (int p = d; p <= kDischargePoints; ++p)
                QCOMPARE(contribution(d, p), contribution(1, p - d + 1));
        }
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
        QTest::addColumn<Texts>("contributions"); // (1, 6), (3, 9), (7, 50)

        QTest::newRow("slow decay, N 3")
            << QStringList{"0.25", "3", "1.75", "450.5", "5", "1.5", "1.5"}
            << Texts{"0.583333333333333", "150.166666666667", "24.1944444444445",
                     "24.7777777777778"}
            << Flows{{1, "24.7777777777778"},
                     {2, "41.8072787967097"},
                     {3, "53.5114722701815"},
                     {10, "77.3720203886148"},
                     {50, "79.2354592248238"}}
            << QStringLiteral("79.2354592248238")
            << Texts{"3.79979528960212", "2.61155856414397", "2.46072925734538E-6"};
        // Effluent below the permitted BOD5 gives a negative dilution flow, used unchanged;
        // with every accumulated flow negative the maximum stays 0.
        QTest::newRow("clean effluent, N 7.5")
            << QStringList{"1.2", "7.5", "0.9", "20", "4", "3.25", "0.5"}
            << Texts{"0.12", "2.66666666666667", "-0.213333333333333", "-0.093333333333333"}
            << Flows{{1, "-0.093333333333333"},
                     {2, "-0.144555752702109"},
                     {3, "-0.172667212480581"},
                     {10, "-0.206348369280152"},
                     {50, "-0.206861126748328"}}
            << QStringLiteral("0")
            << Texts{"-0.00464679304766728", "-0.00255021409508063", "-5.82423840185822E-13"};
    }
    void otherInputs()
    {
        QFETCH(QStringList, inputs);
        QFETCH(Texts, row);
        QFETCH(Flows, flows);
        QFETCH(QString, maximum);
        QFETCH(Texts, contributions);
        DilutionInputs in;
        in.decayRate = textToNumber(inputs[0]);
        in.points = textToNumber(inputs[1]);
        in.effluentFlow = textToNumber(inputs[2]);
        in.effluentBod = textToNumber(inputs[3]);
        in.permittedBod = textToNumber(inputs[4]);
        in.riverBod = textToNumber(inputs[5]);
        in.travelTime = textToNumber(inputs[6]);
        const double max = runDilution(*results, *matrix, in);
        for (int p : {1, 25, 50}) {
            QCOMPARE(results->cell(EffluentFlowColumn, p), row[0]);
            QCOMPARE(results->cell(EffluentBodColumn, p), row[1]);
            QCOMPARE(results->cell(DilutionFlowColumn, p), row[2]);
            QCOMPARE(contribution(p, p), row[3]);
        }
        for (const auto &[point, text] : flows)
            QCOMPARE(accumulated(point), text);
        QCOMPARE(formatGeneral(max), maximum);
        QCOMPARE(contribution(1, 6), contributions[0]);
        QCOMPARE(contribution(3, 9), contributions[1]);
        QCOMPARE(contribution(7, 50), contributions[2]);
    }

    void accumulationReadsScientificTexts()
    {
        matrix->setCell(0, 2, inLocale("1E-5"));
        matrix->setCell(1, 2, inLocale("2.5E-5"));
        accumulateFlow(*results, *matrix, 2);
        QCOMPARE(accumulated(2), QStringLiteral("3.5E-5"));
    }

    // Each failure ends the run where it happens; what was written before stays.
    void errorsEndTheRunWhereTheyHappen()
    {
        DilutionInputs in = defaults();
        in.points = 0;
        QCOMPARE(failingKind(in), FloatError::DivisionByZero);
        QCOMPARE(results->cell(EffluentFlowColumn, 1), QString());
        in.effluentFlow = 0;
        QCOMPARE(failingKind(in), FloatError::InvalidOperation);

        in = defaults();
        in.riverBod = in.permittedBod;
        QCOMPARE(failingKind(in), FloatError::DivisionByZero);
        QCOMPARE(results->cell(EffluentFlowColumn, 1), QStringLiteral("0.0435714285714286"));
        QCOMPARE(results->cell(EffluentBodColumn, 1), QStringLiteral("80.325"));
        QCOMPARE(results->cell(DilutionFlowColumn, 1), QString());
        QCOMPARE(results->cell(EffluentFlowColumn, 2), QString());
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
        results.reset(newDilutionResults());
        matrix.reset(newContributionMatrix());
        in = defaults();
        in.points = 1;
        in.effluentFlow = 1e400L;
        QCOMPARE(failingKind(in), FloatError::Overflow);
        QVERIFY(!accumulated(50).isEmpty());
    }
};

QTEST_GUILESS_MAIN(DilutionModelTest)
#include "tst_dilution_model.moc"
