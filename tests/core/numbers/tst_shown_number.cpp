// The quick general format must be the general format: every text and every value read back
// identical to formatGeneral and textToNumber, and every held value to roundHalfAway, over
// values of every size, ties at the eighteenth digit and the fifteenth, and carries.
#include "core/numbers/NumberText.h"
#include "core/numbers/ShownNumber.h"

#include <QRandomGenerator>
#include <QTest>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <vector>

using namespace tavi;

namespace
{

// An extended value from its 64-bit significand (integer bit set) and a power of two.
long double extended(std::uint64_t significand, int power, bool negative)
{
    const long double v =
        std::ldexp(static_cast<long double>(significand | (1ULL << 63)), power - 63);
    return negative ? -v : v;
}

// Values that reach every branch: random significands over the whole range the runs write
// (and far beyond), decimal-looking values, and exact ties.
std::vector<long double> probes()
{
    std::vector<long double> values;
    QRandomGenerator random(20240611);
    for (int i = 0; i < 60000; ++i) {
        const int power = int(random.bounded(-200, 80));
        values.push_back(extended(random.generate64(), power, random.bounded(2) == 1));
    }
    // Numbers typed or computed from typed ones: few digits, then their neighbours.
    for (int i = 0; i < 20000; ++i) {
        const long double typed = static_cast<long double>(random.bounded(1, 100000000)) /
                                  std::pow(10.0L, static_cast<long double>(random.bounded(0, 12)));
        values.push_back(typed);
        values.push_back(std::nextafter(typed, 0.0L));
        values.push_back(std::nextafter(typed, 1e30L));
        values.push_back(typed / 7 * 3);
    }
    // Halves of odd 19-digit integers are exact decimals ending in 5: ties at the nineteenth
    // digit, some of them after "499", where the eighteenth digit decides the fifteenth.
    for (std::uint64_t n : {1234567890123454995ULL, 2469135780246909991ULL, 4000000000000004999ULL,
                            1999999999999999999ULL})
        for (std::uint64_t k = 0; k < 40; k += 2) {
            values.push_back(static_cast<long double>(n + k) / 2);
            values.push_back(static_cast<long double>(n + k) / 2 / 1024);
        }
    for (const char *text : {"123456789012345.0625",
                             "1.00000000000000500",
                             "9.99999999999999500",
                             "999999999999999.5",
                             "999999999999999999",
                             "0.0001",
                             "0.00009999999999999995",
                             "1e-5",
                             "1e15",
                             "1e18",
                             "9.2233720368547758e18",
                             "1e-300",
                             "1e-4000",
                             "1e4000",
                             "0.5",
                             "2.5",
                             "-2.5",
                             "1.005",
                             "0.125",
                             "8.295",
                             "12345.675"})
        values.push_back(std::strtold(text, nullptr));
    for (int e = -30; e <= 30; ++e) {
        const long double power = std::pow(10.0L, static_cast<long double>(e));
        values.push_back(power);
        values.push_back(std::nextafter(power, 0.0L));
        values.push_back(std::nextafter(power, 1e40L));
    }
    for (int counter = -400; counter <= 400; ++counter)
        values.push_back(counter);
    values.push_back(LDBL_MAX);
    values.push_back(LDBL_MIN);
    values.push_back(LDBL_TRUE_MIN);
    values.push_back(-0.0L);
    return values;
}

bool same(long double a, long double b)
{
    return std::memcmp(&a, &b, 10) == 0;
}

QString hex(long double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%La", v);
    return QString::fromLatin1(text);
}

} // namespace

class ShownNumberTest : public QObject
{
    Q_OBJECT

private slots:
    void sameTextAndValueAsTheGeneralFormat_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::newRow("comma") << "comma";
        QTest::newRow("point") << "point";
        QTest::newRow("arabic") << "arabic";
    }
    void sameTextAndValueAsTheGeneralFormat()
    {
        QFETCH(QString, settings);
        LocaleSettings locale = settings == QLatin1String("point") ? LocaleSettings::decimalPoint()
                                                                   : LocaleSettings::brazilian();
        if (settings == QLatin1String("arabic")) {
            locale.decimalSeparator = QChar(0x066B);
            locale.thousandSeparator = QChar(0x066C);
        }
        for (long double v : probes()) {
            const ShownNumber shown = shownNumber(v, locale);
            const QString text = formatGeneral(v, locale);
            QVERIFY2(shown.text == text, qPrintable(hex(v) + ": " + shown.text + " " + text));
            long double read = v;
            tryTextToNumber(text, &read, locale);
            QVERIFY2(same(shown.value, read), qPrintable(hex(v) + " " + text));
            QVERIFY2(same(shownValue(v), read), qPrintable(hex(v) + " " + text));
        }
    }

    void heldAsRoundHalfAway()
    {
        for (long double v : probes()) {
            for (int decimals : {0, 2, 4, 6, 10}) {
                const long double expected = roundHalfAway(v, decimals);
                QVERIFY2(same(heldValue(v, decimals), expected) ||
                             (std::isnan(expected) && std::isnan(heldValue(v, decimals))),
                         qPrintable(hex(v) + QStringLiteral(" at %1").arg(decimals)));
            }
        }
    }

    // Texts as cells hold them, typed or written: every one reads, or fails to, as it does
    // by the text-to-number rule.
    void readsAsTheTextToNumberRule()
    {
        const LocaleSettings comma = LocaleSettings::brazilian();
        QStringList texts = {"",
                             " ",
                             "0",
                             "-0",
                             "+7",
                             "  12,5  ",
                             "1,",
                             ",5",
                             ",",
                             "-",
                             "1,2,3",
                             "1.5",
                             "1E5",
                             "2,5E-3",
                             "abc",
                             "1 000",
                             "\t3,25",
                             "00012,50",
                             "0,000000000000000000000000000001",
                             "123456789012345678",
                             "1234567890123456789",
                             "99999999999999999999999,9"};
        QRandomGenerator random(7);
        for (int i = 0; i < 20000; ++i) {
            QString digits = QString::number(random.generate64() >> random.bounded(0, 64));
            const int at = int(random.bounded(0, int(digits.size()) + 1));
            if (random.bounded(2))
                digits.insert(at, QLatin1Char(','));
            if (random.bounded(4) == 0)
                digits.prepend(QLatin1Char('-'));
            if (random.bounded(8) == 0)
                digits = QStringLiteral("  ") + digits + QLatin1Char(' ');
            texts << digits;
        }
        for (const QString &text : texts) {
            long double quick = -1, general = -1;
            const bool quickReads = readShownNumber(text, &quick, comma);
            QCOMPARE(quickReads, tryTextToNumber(text, &general, comma));
            QVERIFY2(same(quick, general), qPrintable(text));
        }
    }
};

QTEST_GUILESS_MAIN(ShownNumberTest)
#include "tst_shown_number.moc"
