#include "core/base/Ext.h"
#include "core/base/TaviError.h"

#include <QtTest>

#include <cfloat>
#include <cmath>
#include <limits>

using tavi::Ext;
using tavi::FloatError;

Q_DECLARE_METATYPE(long double)

namespace
{

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

enum Op { Add, Sub, Mul, Div };

Ext apply(Op op, Ext a, Ext b)
{
    switch (op) {
    case Add:
        return a + b;
    case Sub:
        return a - b;
    case Mul:
        return a * b;
    case Div:
        break;
    }
    return a / b;
}

// -1 when no error is expected.
int kindThrown(Op op, long double a, long double b, long double *result)
{
    try {
        *result = apply(op, a, b).value();
    } catch (const FloatError &e) {
        return e.kind();
    }
    return -1;
}

} // namespace

class TestExt : public QObject
{
    Q_OBJECT

private slots:
    void errors_data();
    void errors();
    void quietResults_data();
    void quietResults();
    void messages_data();
    void messages();
    void exponential_data();
    void exponential();
    void narrowing_data();
    void narrowing();
    void extendedPrecisionKept();
};

void TestExt::errors_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<long double>("a");
    QTest::addColumn<long double>("b");
    QTest::addColumn<int>("kind");

    const int overflow = FloatError::Overflow;
    const int invalid = FloatError::InvalidOperation;
    const int byZero = FloatError::DivisionByZero;
    QTest::newRow("1E4000 * 1E4000") << int(Mul) << 1e4000L << 1e4000L << overflow;
    QTest::newRow("-1E4000 * 1E4000") << int(Mul) << -1e4000L << 1e4000L << overflow;
    QTest::newRow("max + max") << int(Add) << LDBL_MAX << LDBL_MAX << overflow;
    QTest::newRow("max - -max") << int(Sub) << LDBL_MAX << -LDBL_MAX << overflow;
    QTest::newRow("1E4000 / 1E-4000") << int(Div) << 1e4000L << 1e-4000L << overflow;
    QTest::newRow("0 / 0") << int(Div) << 0.0L << 0.0L << invalid;
    QTest::newRow("0 / -0") << int(Div) << 0.0L << -0.0L << invalid;
    QTest::newRow("NaN / 0") << int(Div) << kNaN << 0.0L << invalid;
    QTest::newRow("inf - inf") << int(Sub) << kInf << kInf << invalid;
    QTest::newRow("inf + -inf") << int(Add) << kInf << -kInf << invalid;
    QTest::newRow("0 * inf") << int(Mul) << 0.0L << kInf << invalid;
    QTest::newRow("inf / inf") << int(Div) << kInf << kInf << invalid;
    QTest::newRow("1 / 0") << int(Div) << 1.0L << 0.0L << byZero;
    QTest::newRow("-1 / 0") << int(Div) << -1.0L << 0.0L << byZero;
    QTest::newRow("1 / -0") << int(Div) << 1.0L << -0.0L << byZero;
    QTest::newRow("tiny / 0") << int(Div) << 1e-4940L << 0.0L << byZero;
}

void TestExt::errors()
{
    QFETCH(int, op);
    QFETCH(long double, a);
    QFETCH(long double, b);
    QFETCH(int, kind);
    long double result = 0;
    QCOMPARE(kindThrown(Op(op), a, b, &result), kind);
}

void TestExt::quietResults_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<long double>("a");
    QTest::addColumn<long double>("b");
    QTest::addColumn<long double>("expected");

    // Underflow, loss of precision and values that were already infinite or NaN pass.
    QTest::newRow("underflow to zero") << int(Mul) << 1e-4000L << 1e-4000L << 0.0L;
    QTest::newRow("underflow in division") << int(Div) << 1e-4000L << 1e4000L << 0.0L;
    QTest::newRow("infinite operand") << int(Add) << kInf << 1.0L << kInf;
    QTest::newRow("infinite dividend") << int(Div) << -kInf << 2.0L << -kInf;
    QTest::newRow("NaN operand") << int(Mul) << kNaN << 2.0L << kNaN;
    QTest::newRow("NaN both") << int(Sub) << kNaN << kNaN << kNaN;
    QTest::newRow("close to the top") << int(Mul) << 1e2466L << 1e2466L << 1e2466L * 1e2466L;
    QTest::newRow("loss of precision") << int(Add) << 1e30L << 1.0L << 1e30L;
    QTest::newRow("division") << int(Div) << 1.0L << 4.0L << 0.25L;
    QTest::newRow("zero dividend") << int(Div) << 0.0L << 5.0L << 0.0L;
}

void TestExt::quietResults()
{
    QFETCH(int, op);
    QFETCH(long double, a);
    QFETCH(long double, b);
    QFETCH(long double, expected);
    long double result = 0;
    QCOMPARE(kindThrown(Op(op), a, b, &result), -1);
    if (std::isnan(expected))
        QVERIFY(std::isnan(result));
    else
        QVERIFY(result == expected);
}

void TestExt::messages_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<long double>("a");
    QTest::addColumn<long double>("b");
    QTest::addColumn<QString>("message");

    QTest::newRow("overflow") << int(Mul) << 1e4000L << 1e4000L
                              << QStringLiteral(
                                     "Excedeu a capacidade máxima do tipo ponto flutuante");
    QTest::newRow("invalid") << int(Div) << 0.0L << 0.0L
                             << QStringLiteral("Operação de ponto flutuante inválida");
    QTest::newRow("division by zero")
        << int(Div) << 1.0L << 0.0L << QStringLiteral("Divisão de ponto flutuante por zero");
}

void TestExt::messages()
{
    QFETCH(int, op);
    QFETCH(long double, a);
    QFETCH(long double, b);
    QFETCH(QString, message);
    try {
        apply(Op(op), a, b);
        QFAIL("no error raised");
    } catch (const tavi::TaviError &e) {
        QCOMPARE(e.message(), message);
        QCOMPARE(QString::fromUtf8(e.what()), message);
    }
}

void TestExt::exponential_data()
{
    QTest::addColumn<long double>("x");
    QTest::addColumn<bool>("overflows");
    QTest::addColumn<long double>("expected");

    QTest::newRow("exp(-1e6) underflows to 0") << -1e6L << false << 0.0L;
    QTest::newRow("exp(0)") << 0.0L << false << 1.0L;
    QTest::newRow("beyond double, inside extended") << 1000.0L << false << std::exp(1000.0L);
    QTest::newRow("just inside the range") << 11356.0L << false << std::exp(11356.0L);
    QTest::newRow("just outside the range") << 11357.0L << true << 0.0L;
    QTest::newRow("exp(1e6)") << 1e6L << true << 0.0L;
    QTest::newRow("infinite argument") << kInf << false << kInf;
    QTest::newRow("minus infinity") << -kInf << false << 0.0L;
}

void TestExt::exponential()
{
    QFETCH(long double, x);
    QFETCH(bool, overflows);
    QFETCH(long double, expected);
    try {
        const long double r = tavi::exp(x).value();
        QVERIFY(!overflows);
        QVERIFY(r == expected);
    } catch (const FloatError &e) {
        QVERIFY(overflows);
        QCOMPARE(e.kind(), FloatError::Overflow);
    }
}

void TestExt::narrowing_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<bool>("overflows");

    QTest::newRow("1e400") << 1e400L << true;
    QTest::newRow("-1e400") << -1e400L << true;
    QTest::newRow("1E4000") << 1e4000L << true;
    QTest::newRow("just above DBL_MAX") << static_cast<long double>(DBL_MAX) * (1 + 1e-15L) << true;
    QTest::newRow("DBL_MAX") << static_cast<long double>(DBL_MAX) << false;
    QTest::newRow("-DBL_MAX") << -static_cast<long double>(DBL_MAX) << false;
    QTest::newRow("1e300") << 1e300L << false;
    QTest::newRow("1e-400 underflows quietly") << 1e-400L << false;
    QTest::newRow("ordinary") << 2.5L << false;
}

void TestExt::narrowing()
{
    QFETCH(long double, value);
    QFETCH(bool, overflows);
    try {
        const double d = tavi::toDouble(value);
        QVERIFY(!overflows);
        QCOMPARE(d, static_cast<double>(value));
    } catch (const FloatError &e) {
        QVERIFY(overflows);
        QCOMPARE(e.kind(), FloatError::Overflow);
    }
}

void TestExt::extendedPrecisionKept()
{
    // The sum keeps the extended mantissa: in double precision 1 + 2^-60 would be 1.
    const Ext tiny = std::ldexp(1.0L, -60);
    const Ext sum = Ext(1.0L) + tiny;
    QVERIFY((sum - Ext(1.0L)).value() == tiny.value());
    QVERIFY((-sum).value() == -sum.value());
}

QTEST_GUILESS_MAIN(TestExt)
#include "tst_ext.moc"
