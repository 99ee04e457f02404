#include "core/base/LocaleSettings.h"
#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"
#include "core/numbers/ReadableNumber.h"

#include <QLocale>
#include <QtTest>

#include <cmath>

using namespace tavi;

Q_DECLARE_METATYPE(long double)
Q_DECLARE_METATYPE(tavi::LocaleSettings)

namespace
{

const LocaleSettings comma = LocaleSettings::brazilian();
const LocaleSettings point = LocaleSettings::decimalPoint();

LocaleSettings withCurrency(const QString &symbol, int format, int decimals)
{
    LocaleSettings s = LocaleSettings::brazilian();
    s.currencySymbol = symbol;
    s.currencyFormat = format;
    s.currencyDecimals = decimals;
    return s;
}

// A decimal comma with a blank for thousands, so "." is neither separator.
LocaleSettings spaceGrouped()
{
    LocaleSettings s = LocaleSettings::brazilian();
    s.thousandSeparator = QLatin1Char(' ');
    return s;
}

QString pointed(QString text)
{
    return text.replace(QLatin1Char(','), QLatin1Char('.'));
}

} // namespace

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void generalFormat_data();
    void generalFormat();
    void generalFormatReadsBack_data();
    void generalFormatReadsBack();
    void textToNumber_data();
    void textToNumber();
    void textToNumberError();
    void displayFormat_data();
    void displayFormat();
    void currencyPattern_data();
    void currencyPattern();
    void currencyShowsTheDecimalsHeld_data();
    void currencyShowsTheDecimalsHeld();
    void editText_data();
    void editText();
    void roundHalfAwayMatchesEditText_data();
    void roundHalfAwayMatchesEditText();
    void normaliseEntry_data();
    void normaliseEntry();
    void acceptsTyped_data();
    void acceptsTyped();
    void readableFormat_data();
    void readableFormat();
    void dayLabel_data();
    void dayLabel();
    void localeFromQLocale_data();
    void localeFromQLocale();
    void currentLocaleIsTheDefault();
};

void TestNumberText::generalFormat_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("text"); // in the comma locale; the point locale swaps the comma

    QTest::newRow("zero") << 0.0L << "0";
    QTest::newRow("negative zero") << -0.0L << "0";
    QTest::newRow("0.0001 stays fixed") << 0.0001L << "0,0001";
    QTest::newRow("0.00001 scientific") << 0.00001L << "1E-5";
    QTest::newRow("negative small") << -0.00001L << "-1E-5";
    QTest::newRow("2E-6") << 0.000002L << "2E-6";
    QTest::newRow("1.5E20") << 1.5e20L << "1,5E20";
    QTest::newRow("1E15") << 1e15L << "1E15";
    QTest::newRow("fifteen nines") << 999999999999999.0L << "999999999999999";
    QTest::newRow("rounds up to 1E15") << 999999999999999.9L << "1E15";
    QTest::newRow("negative rounds up to -1E15") << -999999999999999.9L << "-1E15";
    QTest::newRow("rounds up to 0.0001") << 9.999999999999995e-5L << "0,0001";
    QTest::newRow("just below 0.0001") << 9.99999999999994e-5L << "9,99999999999994E-5";
    QTest::newRow("1E14") << 1e14L << "100000000000000";
    QTest::newRow("-2.5") << -2.5L << "-2,5";
    QTest::newRow("one third") << 1.0L / 3 << "0,333333333333333";
    QTest::newRow("two thirds") << 2.0L / 3 << "0,666666666666667";
    QTest::newRow("0.61 / 14") << 0.61L / 14 << "0,0435714285714286";
    QTest::newRow("small with 15 digits") << 7.14324599854045e-7L << "7,14324599854045E-7";
    QTest::newRow("1E4000") << 1e4000L << "1E4000";
    QTest::newRow("1E-4000") << 1e-4000L << "1E-4000";
    QTest::newRow("double sum 0.1 + 0.2") << static_cast<long double>(0.1 + 0.2) << "0,3";
    QTest::newRow("half at the 16th digit") << 1.000000000000005L << "1,00000000000001";
    QTest::newRow("17 digits") << 123456789012345678.0L << "1,23456789012346E17";
    QTest::newRow("carry through nines") << 9.9999999999999999L << "10";
    QTest::newRow("integer") << 100.0L << "100";
    QTest::newRow("mixed") << 1234567890.12345L << "1234567890,12345";
    QTest::newRow("negative fraction") << -0.125L << "-0,125";
}

void TestNumberText::generalFormat()
{
    QFETCH(long double, value);
    QFETCH(QString, text);
    QCOMPARE(formatGeneral(value, comma), text);
    QCOMPARE(formatGeneral(value, point), pointed(text));
}

void TestNumberText::generalFormatReadsBack_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<long double>("fifteenDigits");

    QTest::newRow("one third") << 1.0L / 3 << 0.333333333333333L;
    QTest::newRow("two thirds") << 2.0L / 3 << 0.666666666666667L;
    QTest::newRow("pi") << 3.14159265358979323846L << 3.14159265358979L;
    QTest::newRow("large") << 123456789012345678.0L << 1.23456789012346e17L;
    QTest::newRow("small") << -7.14324599854045123e-7L << -7.14324599854045e-7L;
    QTest::newRow("exact") << 2.5L << 2.5L;
    QTest::newRow("huge") << 1.2345678901234567e3000L << 1.23456789012346e3000L;
    QTest::newRow("tiny") << 4.4e-4000L << 4.4e-4000L;
}

void TestNumberText::generalFormatReadsBack()
{
    QFETCH(long double, value);
    QFETCH(long double, fifteenDigits);
    for (const LocaleSettings &locale : {comma, point}) {
        const QString text = formatGeneral(value, locale);
        long double read = 0;
        QVERIFY2(tryTextToNumber(text, &read, locale), qPrintable(text));
        QVERIFY2(read == fifteenDigits, qPrintable(text));
        // The text of a value read back from a cell is the cell's text again.
        QCOMPARE(formatGeneral(read, locale), text);
    }
}

void TestNumberText::textToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<LocaleSettings>("locale");
    QTest::addColumn<bool>("reads");
    QTest::addColumn<long double>("value");

    QTest::newRow("comma decimal") << "1,5" << comma << true << 1.5L;
    QTest::newRow("point in comma locale") << "1.5" << comma << false << 0.0L;
    QTest::newRow("grouping in comma locale") << "1.000" << comma << false << 0.0L;
    QTest::newRow("point decimal") << "1.5" << point << true << 1.5L;
    QTest::newRow("comma in point locale") << "1,5" << point << false << 0.0L;
    QTest::newRow("blanks around") << " \t12,25 \n" << comma << true << 12.25L;
    QTest::newRow("control characters around") << "\x01-3\x1f" << comma << true << -3.0L;
    QTest::newRow("inner blank") << "1 000" << comma << false << 0.0L;
    QTest::newRow("plus sign") << "+4" << comma << true << 4.0L;
    QTest::newRow("empty") << "" << comma << false << 0.0L;
    QTest::newRow("blank only") << "   " << comma << false << 0.0L;
    QTest::newRow("separator only") << "," << comma << false << 0.0L;
    QTest::newRow("sign only") << "-" << comma << false << 0.0L;
    QTest::newRow("two signs") << "--1" << comma << false << 0.0L;
    QTest::newRow("no integer digits") << ",5" << comma << true << 0.5L;
    QTest::newRow("no fraction digits") << "5," << comma << true << 5.0L;
    QTest::newRow("two separators") << "1,2,3" << comma << false << 0.0L;
    QTest::newRow("exponent") << "1E5" << comma << true << 1e5L;
    QTest::newRow("lower-case exponent") << "2,5e-3" << comma << true << 2.5e-3L;
    QTest::newRow("signed exponent") << "1e+2" << comma << true << 100.0L;
    QTest::newRow("exponent without digits") << "1e" << comma << false << 0.0L;
    QTest::newRow("exponent sign only") << "1e+" << comma << false << 0.0L;
    QTest::newRow("exponent only") << "e5" << comma << false << 0.0L;
    QTest::newRow("fractional exponent") << "1e5,5" << comma << false << 0.0L;
    QTest::newRow("trailing letter") << "12a" << comma << false << 0.0L;
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("١٢") << comma << false << 0.0L;
    QTest::newRow("1E4000 reads") << "1E4000" << comma << true << 1e4000L;
    QTest::newRow("beyond the range") << "1E5000" << comma << false << 0.0L;
    QTest::newRow("beyond the range, negative") << "-1E5000" << comma << false << 0.0L;
    QTest::newRow("huge exponent") << "1e99999999999999999999" << comma << false << 0.0L;
    QTest::newRow("underflow to zero") << "1e-99999" << comma << true << 0.0L;
    QTest::newRow("denormal") << "1e-4940" << comma << true << 1e-4940L;
    QTest::newRow("zero with huge exponent") << "0e99999999999999999999" << comma << true << 0.0L;
    QTest::newRow("exactly rounded 0.1") << "0,1" << comma << true << 0.1L;
    QTest::newRow("exactly rounded 1.005") << "1,005" << comma << true << 1.005L;
    QTest::newRow("many digits") << "123456789012345678901234567890,5" << comma << true
                                 << 123456789012345678901234567890.5L;
    QTest::newRow("fraction shifts exponent") << "12,5e-1" << point << false << 0.0L;
    QTest::newRow("fraction shifts exponent, point") << "12.5e-1" << point << true << 1.25L;
}

void TestNumberText::textToNumber()
{
    QFETCH(QString, text);
    QFETCH(LocaleSettings, locale);
    QFETCH(bool, reads);
    QFETCH(long double, value);
    long double read = -99;
    QCOMPARE(tryTextToNumber(text, &read, locale), reads);
    if (reads)
        QVERIFY(read == value);
    else
        QVERIFY(read == -99);
}

void TestNumberText::textToNumberError()
{
    QVERIFY(tavi::textToNumber(QStringLiteral("-0,5"), comma) == -0.5L);
    QVERIFY(std::signbit(tavi::textToNumber(QStringLiteral("-0"), comma)));
    try {
        tavi::textToNumber(QStringLiteral(" abc"), comma);
        QFAIL("no error raised");
    } catch (const ConvertError &e) {
        QCOMPARE(e.text(), QStringLiteral(" abc"));
        QCOMPARE(e.message(), QStringLiteral("' abc' não é um valor de ponto flutuante válido"));
    }
}

void TestNumberText::displayFormat_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<LocaleSettings>("locale");
    QTest::addColumn<QString>("text");

    const QString twoDecimals = QStringLiteral(",0.00;-,0.00");
    const QString whole = QStringLiteral(",0.;-,0.");
    QTest::newRow("grouped two decimals") << 1234.567L << twoDecimals << comma << "1.234,57";
    QTest::newRow("grouped two decimals, point") << 1234.567L << twoDecimals << point << "1,234.57";
    QTest::newRow("negative below one") << -0.5L << twoDecimals << comma << "-0,50";
    QTest::newRow("zero two decimals") << 0.0L << twoDecimals << comma << "0,00";
    QTest::newRow("negative rounding to zero") << -0.004L << twoDecimals << comma << "0,00";
    QTest::newRow("millions") << -1234567.891L << twoDecimals << comma << "-1.234.567,89";
    QTest::newRow("half away, 3.445") << 3.445L << twoDecimals << comma << "3,45";
    QTest::newRow("half away, 1.005") << 1.005L << twoDecimals << comma << "1,01";
    QTest::newRow("half away, negative") << -1.005L << twoDecimals << comma << "-1,01";
    QTest::newRow("carry into a new group") << 999.995L << twoDecimals << comma << "1.000,00";
    QTest::newRow("whole, rounded") << 1234.5L << whole << comma << "1.235";
    QTest::newRow("whole, small") << 0.15L << whole << comma << "0";
    QTest::newRow("whole, half") << 0.5L << whole << comma << "1";
    QTest::newRow("whole, negative") << -1234.5L << whole << comma << "-1.235";
    QTest::newRow("whole, negative to zero") << -0.4L << whole << comma << "0";
    QTest::newRow("whole, exact group") << 1000.0L << whole << point << "1,000";
    QTest::newRow("whole, below a group") << 999.0L << whole << comma << "999";
    QTest::newRow("just below 1E18")
        << 999999999999999999.0L << whole << comma << "999.999.999.999.999.999";
    QTest::newRow("1E18 in the general format") << 1e18L << whole << comma << "1E18";
    QTest::newRow("beyond, negative") << -2.5e20L << twoDecimals << comma << "-2,5E20";
    QTest::newRow("1E4000") << 1e4000L << twoDecimals << comma << "1E4000";
    QTest::newRow("currency") << 1.5L << QString() << comma << "R$ 1,50";
    QTest::newRow("currency negative") << -1.5L << QString() << comma << "-R$ 1,50";
    QTest::newRow("currency zero") << 0.0L << QString() << comma << "R$ 0,00";
    QTest::newRow("currency grouped") << 1234.5L << QString() << comma << "R$ 1.234,50";
    QTest::newRow("currency, point") << -1234.5L << QString() << point << "-$1,234.50";
    QTest::newRow("no grouping") << 1234.5L << "0.00" << comma << "1234,50";
    QTest::newRow("one section, negative") << -1.5L << "0.00" << comma << "-1,50";
    QTest::newRow("empty negative section") << -1.5L << "0.0;" << comma << "-1,5";
    QTest::newRow("quoted suffix") << 2.25L << "0.0' kg'" << comma << "2,3 kg";
    QTest::newRow("quoted separators") << 7.0L << "'a,b.c;' 0" << comma << "a,b.c; 7";
    QTest::newRow("plain literals") << 3.0L << "0 m" << comma << "3 m";
    QTest::newRow("negative section literals") << -3.0L << "0;(0)" << comma << "(3)";
    QTest::newRow("leading zeros") << 7.0L << "000" << comma << "007";
    QTest::newRow("optional decimals") << 2.5L << "0.0#" << comma << "2,5";
    QTest::newRow("optional decimals used") << 2.567L << "0.0#" << comma << "2,57";
    // Large amounts round on their own digits, not on an 18-digit form of them that already
    // reaches the places shown.
    QTest::newRow("hundredths of 1.2E16")
        << 12345678901234567.25L << twoDecimals << comma << "12.345.678.901.234.567,25";
    QTest::newRow("rounds once at 1.7E13")
        << 17592188133375.89549255371L << ",0.000;-,0.000" << comma << "17.592.188.133.375,895";
}

void TestNumberText::displayFormat()
{
    QFETCH(long double, value);
    QFETCH(QString, pattern);
    QFETCH(LocaleSettings, locale);
    QFETCH(QString, text);
    QCOMPARE(formatDisplay(value, pattern, locale), text);
}

void TestNumberText::currencyPattern_data()
{
    QTest::addColumn<LocaleSettings>("locale");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("shown"); // 1234.5, then -1234.5 after a "|"

    QTest::newRow("Brazilian") << comma << "R$ ,0.00;-R$ ,0.00"
                               << "R$ 1.234,50|-R$ 1.234,50";
    QTest::newRow("before, no space") << withCurrency("R$", 0, 2) << "R$,0.00;-R$,0.00"
                                      << "R$1.234,50|-R$1.234,50";
    QTest::newRow("after, no space") << withCurrency("R$", 1, 2) << ",0.00R$;-,0.00R$"
                                     << "1.234,50R$|-1.234,50R$";
    QTest::newRow("before, space") << withCurrency("R$", 2, 2) << "R$ ,0.00;-R$ ,0.00"
                                   << "R$ 1.234,50|-R$ 1.234,50";
    QTest::newRow("after, space") << withCurrency("R$", 3, 2) << ",0.00 R$;-,0.00 R$"
                                  << "1.234,50 R$|-1.234,50 R$";
    QTest::newRow("no decimals") << withCurrency("R$", 2, 0) << "R$ ,0.;-R$ ,0."
                                 << "R$ 1.235|-R$ 1.235";
    QTest::newRow("three decimals") << withCurrency("R$", 0, 3) << "R$,0.000;-R$,0.000"
                                    << "R$1.234,500|-R$1.234,500";
    QTest::newRow("point in the symbol")
        << withCurrency(QStringLiteral("Kč."), 3, 2) << QStringLiteral(",0.00 Kč'.';-,0.00 Kč'.'")
        << QStringLiteral("1.234,50 Kč.|-1.234,50 Kč.");
    QTest::newRow("separators in the symbol")
        << withCurrency("S/.", 2, 2) << "S/'.' ,0.00;-S/'.' ,0.00"
        << "S/. 1.234,50|-S/. 1.234,50";
    QTest::newRow("comma in the symbol") << withCurrency("a,b", 0, 2) << "a','b,0.00;-a','b,0.00"
                                         << "a,b1.234,50|-a,b1.234,50";
    QTest::newRow("point locale") << point << "$,0.00;-$,0.00"
                                  << "$1,234.50|-$1,234.50";
}

void TestNumberText::currencyPattern()
{
    QFETCH(LocaleSettings, locale);
    QFETCH(QString, pattern);
    QFETCH(QString, shown);
    QCOMPARE(tavi::currencyPattern(locale), pattern);
    const QStringList texts = shown.split(QLatin1Char('|'));
    QCOMPARE(formatDisplay(1234.5L, QString(), locale), texts.at(0));
    QCOMPARE(formatDisplay(-1234.5L, QString(), locale), texts.at(1));
}

void TestNumberText::currencyShowsTheDecimalsHeld_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<LocaleSettings>("locale");
    QTest::addColumn<QString>("shown");
    // Rial and yen have no decimals: the field must still show what it uses.
    LocaleSettings rial = withCurrency(QString::fromUtf8("ریال"), 2, 0);
    rial.decimalSeparator = QChar(0x066B);
    rial.thousandSeparator = QChar(0x066C);
    const LocaleSettings yen = withCurrency(QString::fromUtf8("￥"), 0, 0);
    QTest::newRow("rial, a fifth below zero") << -0.2L << rial << QString::fromUtf8("-ریال 0٫2");
    QTest::newRow("rial, a half") << 2.5L << rial << QString::fromUtf8("ریال 2٫5");
    QTest::newRow("rial, whole") << 3.0L << rial << QString::fromUtf8("ریال 3");
    QTest::newRow("rial, grouped") << 1234.25L << rial << QString::fromUtf8("ریال 1٬234٫25");
    QTest::newRow("yen, third decimal rounds") << 2.345L << yen << QString::fromUtf8("￥2,35");
    QTest::newRow("yen, rounds to whole") << 1.999L << yen << QString::fromUtf8("￥2");
    QTest::newRow("real keeps its two") << 2.5L << comma << "R$ 2,50";
    QTest::newRow("real, zero") << 0.0L << comma << "R$ 0,00";
    QTest::newRow("three-decimal currency") << 2.5L << withCurrency("KD", 0, 3) << "KD2,500";
}

void TestNumberText::currencyShowsTheDecimalsHeld()
{
    QFETCH(long double, value);
    QFETCH(LocaleSettings, locale);
    QFETCH(QString, shown);
    QCOMPARE(formatCurrency(value, 2, locale), shown);
}

void TestNumberText::editText_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("zeroEmpty");
    QTest::addColumn<QString>("text"); // in the comma locale; the point locale swaps the comma

    QTest::newRow("12.345") << 12.345L << 2 << true << "12,35";
    QTest::newRow("3.456") << 3.456L << 2 << true << "3,46";
    QTest::newRow("3.445") << 3.445L << 2 << true << "3,45";
    QTest::newRow("1.005") << 1.005L << 2 << true << "1,01";
    QTest::newRow("negative half") << -12.345L << 2 << true << "-12,35";
    QTest::newRow("trailing zero dropped") << 12.3L << 2 << true << "12,3";
    QTest::newRow("bare separator dropped") << 12.004L << 2 << true << "12";
    QTest::newRow("carry to a whole number") << 9.995L << 2 << true << "10";
    QTest::newRow("smallest step") << 0.005L << 2 << true << "0,01";
    QTest::newRow("no grouping") << 1234567.5L << 2 << true << "1234567,5";
    QTest::newRow("zero, empty") << 0.0L << 2 << true << "";
    QTest::newRow("zero, shown") << 0.0L << 2 << false << "0";
    QTest::newRow("negative zero") << -0.0L << 2 << true << "";
    QTest::newRow("rounds to zero, empty") << -0.004L << 2 << true << "";
    QTest::newRow("rounds to zero, shown") << -0.004L << 2 << false << "0";
    QTest::newRow("whole number, half") << 2.5L << 0 << true << "3";
    QTest::newRow("whole number, negative half") << -2.5L << 0 << true << "-3";
    QTest::newRow("four decimals") << 0.12345L << 4 << true << "0,1235";
    QTest::newRow("below 1E18") << 123456789012345.678L << 2 << true << "123456789012345,68";
    QTest::newRow("hundredths of 1.2E16")
        << 12345678901234567.25L << 2 << true << "12345678901234567,25";
    QTest::newRow("rounds once at 1.2E14")
        << 123456789012345.6749L << 2 << true << "123456789012345,67";
    QTest::newRow("1E18 general") << 1e18L << 2 << true << "1E18";
    QTest::newRow("negative beyond") << -1e20L << 2 << true << "-1E20";
    QTest::newRow("1E4000") << 1e4000L << 2 << true << "1E4000";
}

void TestNumberText::editText()
{
    QFETCH(long double, value);
    QFETCH(int, decimals);
    QFETCH(bool, zeroEmpty);
    QFETCH(QString, text);
    QCOMPARE(tavi::editText(value, decimals, zeroEmpty, comma), text);
    QCOMPARE(tavi::editText(value, decimals, zeroEmpty, point), pointed(text));
}

void TestNumberText::roundHalfAwayMatchesEditText_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<long double>("rounded");

    QTest::newRow("1.005") << 1.005L << 2 << 1.01L;
    QTest::newRow("12.345") << 12.345L << 2 << 12.35L;
    QTest::newRow("-2.5 whole") << -2.5L << 0 << -3.0L;
    QTest::newRow("one third") << 1.0L / 3 << 2 << 0.33L;
    QTest::newRow("to zero") << -0.004L << 2 << 0.0L;
    QTest::newRow("zero") << 0.0L << 2 << 0.0L;
    QTest::newRow("large exact") << 1e17L << 2 << 1e17L;
    QTest::newRow("hundredths kept at 1.2E16")
        << 12345678901234567.25L << 2 << 12345678901234567.25L;
    QTest::newRow("beyond 1E18: 15 digits")
        << 123456789012345678901.0L << 2 << 1.23456789012346e20L;
    QTest::newRow("1E4000") << 1e4000L << 2 << 1e4000L;
    QTest::newRow("many decimals") << 0.123456789L << 6 << 0.123457L;
}

void TestNumberText::roundHalfAwayMatchesEditText()
{
    QFETCH(long double, value);
    QFETCH(int, decimals);
    QFETCH(long double, rounded);
    const long double r = roundHalfAway(value, decimals);
    QVERIFY(r == rounded);
    QVERIFY(!std::signbit(r) || r != 0);
    // A model that writes a value into a field and reads it back gets exactly this.
    for (const LocaleSettings &locale : {comma, point}) {
        long double read = -1;
        QVERIFY(readEntry(tavi::editText(value, decimals, true, locale), &read, locale));
        QVERIFY(read == r);
    }
}

void TestNumberText::normaliseEntry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<LocaleSettings>("locale");
    QTest::addColumn<QString>("normalised");
    QTest::addColumn<bool>("reads");
    QTest::addColumn<long double>("value");

    QTest::newRow("pasted with grouping")
        << "  1.234,56 " << comma << "1234,56" << true << 1234.56L;
    QTest::newRow("point is grouping") << "1.5" << comma << "15" << true << 15.0L;
    QTest::newRow("point locale grouping") << "1,234.56" << point << "1234.56" << true << 1234.56L;
    QTest::newRow("comma is grouping") << "1,5" << point << "15" << true << 15.0L;
    QTest::newRow("empty") << "" << comma << "0" << true << 0.0L;
    QTest::newRow("blank") << " \t " << comma << "0" << true << 0.0L;
    QTest::newRow("lone minus") << " - " << comma << "-0" << true << -0.0L;
    QTest::newRow("letters") << "abc" << comma << "abc" << false << 0.0L;
    QTest::newRow("two separators") << "1,2,3" << comma << "1,2,3" << false << 0.0L;
    QTest::newRow("point becomes decimal")
        << "1 234.5" << spaceGrouped() << "1234,5" << true << 1234.5L;
    QTest::newRow("comma kept as decimal")
        << "1 234,5" << spaceGrouped() << "1234,5" << true << 1234.5L;
    QTest::newRow("exponent kept") << "1,5E3" << comma << "1,5E3" << true << 1500.0L;
}

void TestNumberText::normaliseEntry()
{
    QFETCH(QString, text);
    QFETCH(LocaleSettings, locale);
    QFETCH(QString, normalised);
    QFETCH(bool, reads);
    QFETCH(long double, value);
    QCOMPARE(tavi::normaliseEntry(text, locale), normalised);
    long double read = -99;
    QCOMPARE(readEntry(text, &read, locale), reads);
    if (reads) {
        QVERIFY(read == value);
        QCOMPARE(std::signbit(read), std::signbit(value));
    }
}

void TestNumberText::acceptsTyped_data()
{
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<LocaleSettings>("locale");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("two decimals") << "12,34" << 2 << comma << true;
    QTest::newRow("third decimal") << "12,345" << 2 << comma << false;
    QTest::newRow("second separator") << "1,2,3" << 2 << comma << false;
    QTest::newRow("separator after separator") << "1,," << 2 << comma << false;
    QTest::newRow("lone minus") << "-" << 2 << comma << true;
    QTest::newRow("lone plus") << "+" << 2 << comma << true;
    QTest::newRow("open exponent") << "1e" << 2 << comma << true;
    QTest::newRow("open signed exponent") << "1E-" << 2 << comma << true;
    QTest::newRow("open exponent, plus") << "-2,5e+" << 2 << comma << true;
    QTest::newRow("exponent alone") << "e" << 2 << comma << false;
    QTest::newRow("sign then exponent") << "-E" << 2 << comma << false;
    QTest::newRow("second exponent") << "1e5e" << 2 << comma << false;
    QTest::newRow("sign after exponent digits") << "1e5-" << 2 << comma << false;
    QTest::newRow("exponent") << "1e5" << 2 << comma << true;
    QTest::newRow("decimals then exponent") << "1,25E10" << 2 << comma << true;
    QTest::newRow("too many decimals before exponent") << "1,255e1" << 2 << comma << false;
    QTest::newRow("separator right before exponent") << "1,e5" << 2 << comma << true;
    QTest::newRow("letter") << "12a" << 2 << comma << false;
    QTest::newRow("blank inside") << "1 2" << 2 << comma << false;
    QTest::newRow("blank at the end") << "12 " << 2 << comma << false;
    QTest::newRow("empty") << "" << 2 << comma << true;
    QTest::newRow("separator first") << ",5" << 2 << comma << true;
    QTest::newRow("minus separator") << "-," << 2 << comma << true;
    QTest::newRow("negative") << "-1,25" << 2 << comma << true;
    QTest::newRow("grouping point dropped") << "1.234,5" << 2 << comma << true;
    QTest::newRow("1E4000") << "1E4000" << 2 << comma << true;
    QTest::newRow("beyond the range") << "1E5000" << 2 << comma << false;
    QTest::newRow("no decimals allowed") << "12,3" << 0 << comma << false;
    QTest::newRow("bare separator, no decimals") << "12," << 0 << comma << true;
    QTest::newRow("point locale") << "12.34" << 2 << point << true;
    QTest::newRow("point locale, third decimal") << "12.345" << 2 << point << false;
    QTest::newRow("point locale, comma is grouping") << "1,5" << 2 << point << true;
    QTest::newRow("point locale, comma locale text") << "1,234,5" << 2 << point << true;
    // The first 63 characters decide; a longer text must also read as a whole, or the
    // field would hold a text it cannot leave.
    const QString ones63(63, QLatin1Char('1'));
    QTest::newRow("open exponent past 63") << ones63 + "e" << 2 << comma << true;
    QTest::newRow("sign past 63") << ones63 + "-" << 2 << comma << false;
    QTest::newRow("second separator past 63") << ones63 + ".5." << 2 << point << false;
    QTest::newRow("beyond the range past 63") << ones63 + "e4932" << 2 << comma << false;
    QTest::newRow("exponent past 63") << ones63 + "e5" << 2 << comma << true;
    QTest::newRow("long number") << QString(80, QLatin1Char('9')) << 2 << point << true;
    QTest::newRow("open exponent at 63")
        << QString(62, QLatin1Char('1')) + "e5" << 2 << comma << true;
    QTest::newRow("second exponent past 63") << ones63 + "e5e" << 2 << comma << false;
}

void TestNumberText::acceptsTyped()
{
    QFETCH(QString, candidate);
    QFETCH(int, decimals);
    QFETCH(LocaleSettings, locale);
    QFETCH(bool, accepted);
    QCOMPARE(tavi::acceptsTyped(candidate, decimals, locale), accepted);
}

// Figures for reading: grouped, fixed places, and nothing real shown as nothing.
void TestNumberText::readableFormat_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text"); // in the comma locale; the point locale swaps both marks

    QTest::newRow("annual volume") << 177229279.4L << 0 << "177.229.279";
    QTest::newRow("rounds half away") << 2500.5L << 0 << "2.501";
    QTest::newRow("share") << 98.66L << 1 << "98,7";
    QTest::newRow("whole share keeps its place") << 100.0L << 1 << "100,0";
    QTest::newRow("monthly rain") << 4.8L << 1 << "4,8";
    QTest::newRow("negative") << -1234567.0L << 0 << "-1.234.567";
    QTest::newRow("zero") << 0.0L << 0 << "0";
    QTest::newRow("small volume keeps two digits") << 0.0012345L << 0 << "0,0012";
    QTest::newRow("small share keeps two digits") << 0.04L << 1 << "0,040";
    QTest::newRow("negative small") << -0.3L << 0 << "-0,30";
    QTest::newRow("huge in general format") << 1.5e20L << 0 << "1,5E20";
}

void TestNumberText::readableFormat()
{
    QFETCH(long double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(formatReadable(value, decimals, comma), text);
    QString swapped = text;
    for (QChar &c : swapped)
        c = c == QLatin1Char(',') ? QLatin1Char('.') : c == QLatin1Char('.') ? QLatin1Char(',') : c;
    QCOMPARE(formatReadable(value, decimals, point), swapped);
    QCOMPARE(formatReadable(value, decimals, QStringLiteral("m³"), comma),
             text + QChar(0x00A0) + QStringLiteral("m³"));
}

void TestNumberText::dayLabel_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("label");
    QTest::newRow("1") << 1 << "01";
    QTest::newRow("9") << 9 << "09";
    QTest::newRow("10") << 10 << "10";
    QTest::newRow("99") << 99 << "99";
    QTest::newRow("100") << 100 << "100";
    QTest::newRow("365") << 365 << "365";
    QTest::newRow("366") << 366 << "366";
}

void TestNumberText::dayLabel()
{
    QFETCH(int, day);
    QFETCH(QString, label);
    QCOMPARE(tavi::dayLabel(day), label);
}

void TestNumberText::localeFromQLocale_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<LocaleSettings>("expected");

    QTest::newRow("pt_BR") << "pt_BR" << LocaleSettings::brazilian();
    QTest::newRow("en_US") << "en_US" << LocaleSettings::decimalPoint();
    LocaleSettings german = LocaleSettings::brazilian();
    german.currencySymbol = QString::fromUtf8("€");
    german.currencyFormat = 3;
    QTest::newRow("de_DE") << "de_DE" << german;
    LocaleSettings japanese = LocaleSettings::decimalPoint();
    japanese.currencySymbol = QString::fromUtf8("￥");
    japanese.currencyDecimals = 0;
    QTest::newRow("ja_JP") << "ja_JP" << japanese;
}

void TestNumberText::localeFromQLocale()
{
    QFETCH(QString, name);
    QFETCH(LocaleSettings, expected);
    const LocaleSettings s = LocaleSettings::fromQLocale(QLocale(name));
    QCOMPARE(s.decimalSeparator, expected.decimalSeparator);
    QCOMPARE(s.thousandSeparator, expected.thousandSeparator);
    QCOMPARE(s.currencySymbol, expected.currencySymbol);
    QCOMPARE(s.currencyFormat, expected.currencyFormat);
    QCOMPARE(s.currencyDecimals, expected.currencyDecimals);
    QVERIFY(s == expected);
}

void TestNumberText::currentLocaleIsTheDefault()
{
    const LocaleSettings saved = LocaleSettings::current();
    LocaleSettings::setCurrent(point);
    QVERIFY(LocaleSettings::current() == point);
    QCOMPARE(formatGeneral(-2.5L), QStringLiteral("-2.5"));
    QCOMPARE(formatDisplay(1.5L, QString()), QStringLiteral("$1.50"));
    LocaleSettings::setCurrent(comma);
    QCOMPARE(formatGeneral(-2.5L), QStringLiteral("-2,5"));
    long double read = 0;
    QVERIFY(readEntry(QStringLiteral("1.234,5"), &read));
    QVERIFY(read == 1234.5L);
    LocaleSettings::setCurrent(saved);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_number_text.moc"
