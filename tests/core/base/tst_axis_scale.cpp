#include "core/base/AxisScale.h"

#include <QtTest>

using namespace tavi;

Q_DECLARE_METATYPE(tavi::AxisBase)

class TestAxisScale : public QObject
{
    Q_OBJECT

private slots:
    // Where the axis starts and ends, and whether it leaves zero out.
    void range_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<AxisBase>("base");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<bool>("broken");

        QTest::newRow("demand from nothing")
            << 0.0 << 530.0 << AxisBase::Data << 0.0 << 600.0 << false;
        QTest::newRow("near zero takes zero in")
            << 300.0 << 1000.0 << AxisBase::Data << 0.0 << 1000.0 << false;
        QTest::newRow("dilution in its high digits")
            << 1000.2 << 1010.7 << AxisBase::Data << 1000.0 << 1012.5 << true;
        QTest::newRow("stacked bands always from zero")
            << 6250.0 << 6400.0 << AxisBase::Zero << 0.0 << 8000.0 << false;
        QTest::newRow("constant total")
            << 6300.0 << 6300.0 << AxisBase::Zero << 0.0 << 8000.0 << false;
        QTest::newRow("constant flow fitted")
            << 50.0 << 50.0 << AxisBase::Data << 44.0 << 56.0 << true;
        QTest::newRow("all zero") << 0.0 << 0.0 << AxisBase::Data << 0.0 << 1.0 << false;
        QTest::newRow("negative far from zero")
            << -1010.0 << -1000.0 << AxisBase::Data << -1010.0 << -1000.0 << true;
        QTest::newRow("across zero") << -3.0 << 7.0 << AxisBase::Data << -4.0 << 8.0 << false;
        QTest::newRow("order of the ends")
            << 530.0 << 0.0 << AxisBase::Data << 0.0 << 600.0 << false;
        QTest::newRow("not a number") << qQNaN() << 5.0 << AxisBase::Data << 0.0 << 1.0 << false;
    }
    void range()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(AxisBase, base);
        const AxisScale scale = valueAxisScale(low, high, base);
        QTEST(scale.min, "min");
        QTEST(scale.max, "max");
        QTEST(scale.broken, "broken");
        // The data always lie inside, on round steps.
        QVERIFY(scale.min <= std::min(low, high) || std::isnan(low));
        QVERIFY(scale.max >= std::max(low, high) || std::isnan(low));
        QCOMPARE(scale.tickCount, qRound((scale.max - scale.min) / scale.step) + 1);
        QVERIFY(scale.tickCount >= 2 && scale.tickCount <= 12);
    }

    // One notation for every label of an axis: fixed with the places the step needs, or
    // scientific for all when fixed labels would not be read.
    void labels_data()
    {
        QTest::addColumn<double>("high");
        QTest::addColumn<bool>("scientific");
        QTest::addColumn<int>("decimals");

        QTest::newRow("millions in fixed notation") << 1.5e6 << false << 0;
        QTest::newRow("thousands of millions still fixed") << 4.2e12 << false << 0;
        QTest::newRow("beyond fixed") << 3e16 << true << 0;
        QTest::newRow("steps of a half") << 2.2 << false << 1;
        QTest::newRow("steps of a quarter") << 1.1 << false << 2;
        QTest::newRow("small flows") << 0.004 << false << 3;
        QTest::newRow("tiny") << 3e-9 << true << 0;
    }
    void labels()
    {
        QFETCH(double, high);
        const AxisScale scale = valueAxisScale(0, high, AxisBase::Zero);
        QTEST(scale.scientific, "scientific");
        QTEST(scale.decimals, "decimals");
    }
};

QTEST_MAIN(TestAxisScale)
#include "tst_axis_scale.moc"
