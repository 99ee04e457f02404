// "Simular" of the agriculture window on tables of their own: effective rainfall, the
// demands of the nine classes and their total, checked against values derived here with the
// C library's own formatting and reading.
#include "core/base/TaviError.h"
#include "core/numbers/ClassicNumberFormat.h"
#include "core/numbers/NumberText.h"
#include "core/sectors/agriculture/AgricultureCalendar.h"
#include "core/sectors/agriculture/AgricultureSimulation.h"

#include <QTest>

#include <cstdio>
#include <locale>
#include <sstream>

using namespace tavi;
using namespace tavi::agriculture;

namespace
{

enum Class { A, B, C, D, E, F, G, H, I };

long double readBack(const QString &text, QChar decimal);

// The number a cell shows, made independently of the program's formatter: the value as 18
// significant digits (the most an extended value carries), those rounded half away from
// zero to 15, then printed through printf's %g (which switches to the exponent form at the
// same bounds) with the exponent rewritten "E", "-" only when negative, no leading zeros.
QString general15(long double v, QChar decimal)
{
    if (v == 0)
        return QStringLiteral("0");
    // printf's decimal point, whatever locale the test runs under.
    const ClassicNumberFormat classicNumbers;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Le", v);
    QString digits = QString::fromLatin1(buf);
    const bool negative = digits.startsWith(QLatin1Char('-'));
    const int e = digits.indexOf(QLatin1Char('e'));
    int exponent = digits.mid(e + 1).toInt();
    digits = digits.left(e).remove(QLatin1Char('-')).remove(QLatin1Char('.'));
    qint64 mantissa = digits.left(15).toLongLong();
    if (digits[15] >= QLatin1Char('5'))
        ++mantissa;
    const QString rounded =
        QStringLiteral("%1%2e%3").arg(negative ? "-" : "").arg(mantissa).arg(exponent - 14);
    std::snprintf(buf, sizeof buf, "%.15Lg", readBack(rounded, QLatin1Char('.')));
    QString text = QString::fromLatin1(buf);
    const int at = text.indexOf(QLatin1Char('e'));
    if (at >= 0) {
        exponent = text.mid(at + 1).toInt();
        text = text.left(at) + QLatin1Char('E') + QString::number(exponent);
    }
    text.replace(QLatin1Char('.'), decimal);
    return text;
}

long double readBack(const QString &text, QChar decimal)
{
    QString s = text.trimmed();
    s.replace(decimal, QLatin1Char('.'));
    std::istringstream in(s.toStdString());
    in.imbue(std::locale::classic());
    long double v = 0;
    in >> v;
    return v;
}

// A deterministic, varied year: rainfall in thousandths of a millimetre (never a tie at the
// third decimal, so that its two-decimal value is plain), dry spells, the threshold itself.
struct YearSeries {
    int etpThousandths[kDays + 1];
    int rainThousandths[kDays + 1];
};

YearSeries variedYear()
{
    YearSeries s{};
    unsigned state = 12345;
    const auto next = [&state](unsigned range) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % range;
    };
    for (int day = 1; day <= kDays; ++day) {
        s.etpThousandths[day] = int(next(9000)) + (day % 30 == 0 ? 0 : 500);
        int rain = day % 4 == 0 ? 0 : int(next(25000));
        if (rain % 10 == 5)
            rain += 1;
        s.rainThousandths[day] = rain;
    }
    s.rainThousandths[7] = 8300; // the threshold goes to the upper branch
    s.rainThousandths[8] = 8294; // 8.29, just below it
    s.rainThousandths[366] = 3456;
    s.etpThousandths[366] = 7123;
    return s;
}

QString thousandths(int n, QChar decimal)
{
    return QString::number(n / 1000) + decimal +
           QStringLiteral("%1").arg(n % 1000, 3, 10, QLatin1Char('0'));
}

// Rainfall rounded to two decimals, halves away from zero, on its decimal digits.
long double rainToTwoDecimals(int thousandths)
{
    const int hundredths = (thousandths + 5) / 10;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%02d", hundredths / 100, hundredths % 100);
    return readBack(QString::fromLatin1(buf), QLatin1Char('.'));
}

} // namespace

class AgricultureSimulationTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<OwnedTables> owned;
    const Tables &t() const { return owned->tables(); }
    void setDay(int day, const QString &etp, const QString &rain)
    {
        t().serie->setCell(kEtpColumn, day, etp);
        t().serie->setCell(kRainColumn, day, rain);
    }
    QString pef(int day) const { return t().serie->cell(kEffectiveRainColumn, day); }
    QString result(int k, int col, int day) const { return t().classes[k]->cell(col, day); }
    QString total(int day) const { return t().total->cell(0, totalRow(day)); }

    void openWith(const LocaleSettings &locale)
    {
        LocaleSettings::setCurrent(locale);
        owned = std::make_unique<OwnedTables>();
        writeDefaults(t(), locale.decimalSeparator);
        runCropCalendar(t());
    }

private slots:
    void init() { openWith(LocaleSettings::decimalPoint()); }

    void effectiveRainfall_data()
    {
        QTest::addColumn<QString>("rain");
        QTest::addColumn<QString>("expected");
        QTest::newRow("5") << "5"
                           << "3.80095923261391";
        QTest::newRow("threshold goes to the upper branch") << "8.3"
                                                            << "4.97";
        QTest::newRow("above the threshold") << "20"
                                             << "6.14";
        QTest::newRow("3.456 is used as 3.46") << "3.456"
                                               << "2.88582254196643";
        QTest::newRow("3.46") << "3.46"
                              << "2.88582254196643";
        QTest::newRow("8.295 rounds up to the threshold") << "8.295"
                                                          << "4.97";
        QTest::newRow("8.294 stays below it") << "8.294"
                                              << "4.99388009592326";
        QTest::newRow("no rain") << "0"
                                 << "0";
        QTest::newRow("blanks around") << "  5  "
                                       << "3.80095923261391";
    }
    void effectiveRainfall()
    {
        QFETCH(QString, rain);
        QFETCH(QString, expected);
        setDay(1, QStringLiteral("0"), rain);
        simulate(t());
        QCOMPARE(pef(1), expected);
    }

    void demandsOfClassAOnTheFirstDay()
    {
        setDay(1, QStringLiteral("4"), QStringLiteral("0"));
        simulate(t());
        QCOMPARE(result(A, kDiColumn, 1), QStringLiteral("1.6"));
        QCOMPARE(result(A, kDeColumn, 1), QStringLiteral("32000"));
        QCOMPARE(result(A, kDbColumn, 1), QStringLiteral("45714.2857142857"));
        // Classes planted later ask nothing yet; D, E and H started on day 1 too.
        QCOMPARE(result(B, kDiColumn, 1), QStringLiteral("0"));
        QCOMPARE(result(D, kDiColumn, 1), QStringLiteral("3"));
        QCOMPARE(result(D, kDeColumn, 1), QStringLiteral("90000"));
        QCOMPARE(result(D, kDbColumn, 1), QStringLiteral("150000"));
    }

    void rainBeyondTheNeedAsksNoWater()
    {
        setDay(1, QStringLiteral("0"), QStringLiteral("5"));
        simulate(t());
        for (int k = 0; k < kClasses; ++k) {
            for (int col : {kDiColumn, kDeColumn, kDbColumn})
                QCOMPARE(result(k, col, 1), QStringLiteral("0"));
        }
        QCOMPARE(total(1), QStringLiteral("0"));

        // Class E (Kc 1) needs 4 − 3.80095923261391; A (Kc 0.4) would be negative and must
        // not lower the total.
        setDay(2, QStringLiteral("4"), QStringLiteral("5"));
        simulate(t());
        QCOMPARE(result(A, kDiColumn, 2), QStringLiteral("0"));
        QCOMPARE(result(E, kDiColumn, 2), QStringLiteral("0.19904076738609"));
        QCOMPARE(result(E, kDeColumn, 2), QStringLiteral("4976.01918465225"));
        QCOMPARE(result(H, kDiColumn, 2), QStringLiteral("0"));
        QCOMPARE(total(2), result(E, kDbColumn, 2));
    }

    void wholeYear_data()
    {
        QTest::addColumn<bool>("decimalComma");
        QTest::newRow("decimal point") << false;
        QTest::newRow("decimal comma") << true;
    }
    void wholeYear()
    {
        QFETCH(bool, decimalComma);
        openWith(decimalComma ? LocaleSettings::brazilian() : LocaleSettings::decimalPoint());
        const QChar dec = decimalComma ? QLatin1Char(',') : QLatin1Char('.');
        // Planting starts that put every class in some phase during the year.
        t().param->setCell(C, kStartRow, QStringLiteral("200"));
        t().param->setCell(I, kStartRow, QStringLiteral("300"));
        runCropCalendar(t());
        const YearSeries year = variedYear();
        for (int day = 1; day <= kDays; ++day)
            setDay(day, thousandths(year.etpThousandths[day], dec),
                   thousandths(year.rainThousandths[day], dec));
        simulate(t());

        int positive = 0;
        for (int day = 1; day <= kDays; ++day) {
            const long double p = rainToTwoDecimals(year.rainThousandths[day]);
            const long double pefValue =
                p < 8.3L ? p * (4.17L - 0.2L * p) / 4.17L : p * 0.1L + 4.14L;
            const QString pefText = general15(pefValue, dec);
            QCOMPARE(pef(day), pefText);
            const long double pefRead = readBack(pefText, dec);
            long double totalValue = 0;
            for (int k = 0; k < kClasses; ++k) {
                const long double kc = readBack(result(k, kKcColumn, day), dec);
                long double di =
                    readBack(thousandths(year.etpThousandths[day], dec), dec) * kc - pefRead;
                if (!(di > 0))
                    di = 0;
                const QString diText = general15(di, dec);
                const long double area = readBack(t().param->cell(k, kAreaRow), dec);
                const long double de = readBack(diText, dec) / 1000 * area * 1000000;
                const QString deText = general15(de, dec);
                const long double e = readBack(t().param->cell(k, kEfficiencyRow), dec);
                const QString dbText = general15(readBack(deText, dec) / e, dec);
                QCOMPARE(result(k, kDiColumn, day), diText);
                QCOMPARE(result(k, kDeColumn, day), deText);
                QCOMPARE(result(k, kDbColumn, day), dbText);
                totalValue += readBack(dbText, dec);
                positive += di > 0;
            }
            QCOMPARE(total(day), general15(totalValue, dec));
        }
        // The year must really exercise both sides of the floor.
        QVERIFY(positive > 500);
        QVERIFY(positive < kDays * kClasses - 500);

        // A second run on the same input writes the same texts.
        const QString before = total(123) + result(G, kDbColumn, 140) + pef(366);
        simulate(t());
        QCOMPARE(total(123) + result(G, kDbColumn, 140) + pef(366), before);
    }

    void day366IsComputed()
    {
        setDay(366, QStringLiteral("4"), QStringLiteral("0"));
        simulate(t());
        QCOMPARE(pef(366), QStringLiteral("0"));
        // Class A's Kc on day 366 (counter 366, past its 360-day period) is "0"; E, planted
        // on day 1 with the same period, likewise; only the total row 365 shows the day.
        QCOMPARE(result(A, kDiColumn, 366), QStringLiteral("0"));
        t().classes[A]->setCell(kKcColumn, 366, QStringLiteral("0.4"));
        simulate(t());
        QCOMPARE(result(A, kDbColumn, 366), QStringLiteral("45714.2857142857"));
        QCOMPARE(t().total->cell(0, 365), QStringLiteral("45714.2857142857"));
    }

    // The error names the cell, and what the run did not reach is empty rather than an
    // earlier run's; the inputs are never touched.
    void anUnreadableCellStopsTheRunWhereItIs()
    {
        for (int day = 1; day <= kDays; ++day)
            setDay(day, QStringLiteral("4"), QStringLiteral("1"));
        simulate(t());
        QVERIFY(!total(200).isEmpty());
        setDay(100, QStringLiteral("abc"), QStringLiteral("5"));
        try {
            simulate(t());
            QFAIL("no error");
        } catch (const ConvertError &error) {
            QCOMPARE(error.message(),
                     QStringLiteral("'abc' não é um valor de ponto flutuante válido"));
            QVERIFY(error.place().table == t().serie);
            QCOMPARE(error.place().col, int(kEtpColumn));
            QCOMPARE(error.place().row, 100);
        }
        QVERIFY(total(99) != QStringLiteral("0"));
        QCOMPARE(pef(100), QStringLiteral("3.80095923261391"));
        for (int day : {100, 101, 366}) {
            QCOMPARE(result(A, kDiColumn, day), QString());
            QCOMPARE(result(I, kDbColumn, day), QString());
            QCOMPARE(total(day), QString());
        }
        QCOMPARE(pef(101), QString());
        QCOMPARE(t().serie->cell(kEtpColumn, 100), QStringLiteral("abc"));
        QCOMPARE(t().serie->cell(kRainColumn, 366), QStringLiteral("1"));
        QVERIFY(!result(A, kKcColumn, 200).isEmpty());
    }

    // An empty or unreadable series cell keeps the program's message, and names its day and
    // column on a line of its own: a year is too long to find it by eye.
    void anUnreadableSeriesCellNamesItsDayAndColumn_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("etp");
        QTest::addColumn<QString>("rain");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("where");
        QTest::newRow("empty ETP") << 100 << ""
                                   << "1"
                                   << "'' não é um valor de ponto flutuante válido"
                                   << "Série, dia 100, coluna ETP";
        QTest::newRow("rainfall in words") << 5 << "4"
                                           << "muita"
                                           << "'muita' não é um valor de ponto flutuante válido"
                                           << "Série, dia 5, coluna P";
        QTest::newRow("day 366") << 366 << "4"
                                 << ""
                                 << "'' não é um valor de ponto flutuante válido"
                                 << "Série, dia 366, coluna P";
    }
    void anUnreadableSeriesCellNamesItsDayAndColumn()
    {
        QFETCH(int, day);
        QFETCH(QString, etp);
        QFETCH(QString, rain);
        QFETCH(QString, message);
        QFETCH(QString, where);
        for (int d = 1; d <= kDays; ++d)
            setDay(d, QStringLiteral("4"), QStringLiteral("1"));
        setDay(day, etp, rain);
        try {
            simulate(t());
            QFAIL("no error");
        } catch (const TaviError &error) {
            QCOMPARE(error.message(), message);
            QCOMPARE(error.where(), where);
            QCOMPARE(error.fullMessage(), message + QLatin1Char('\n') + where);
        }
    }

    // A cell of the crop tables is found by the selection the window makes; its message has
    // no second line.
    void otherCellsKeepTheirOneLineMessage()
    {
        for (int d = 1; d <= kDays; ++d)
            setDay(d, QStringLiteral("4"), QStringLiteral("1"));
        t().param->setCell(0, kAreaRow, QStringLiteral("x"));
        try {
            simulate(t());
            QFAIL("no error");
        } catch (const TaviError &error) {
            QCOMPARE(error.where(), QString());
        }
    }

    void arithmeticErrors_data()
    {
        QTest::addColumn<QString>("etp");
        QTest::addColumn<QString>("efficiencyOfE");
        QTest::addColumn<QString>("message");
        QTest::newRow("zero efficiency") << "4"
                                         << "0"
                                         << "Divisão de ponto flutuante por zero";
        // Nothing to deliver at no efficiency is 0 ÷ 0.
        QTest::newRow("zero efficiency, no demand") << "0"
                                                    << "0"
                                                    << "Operação de ponto flutuante inválida";
        QTest::newRow("overflow") << "1E4930"
                                  << "0.7"
                                  << "Excedeu a capacidade máxima do tipo ponto flutuante";
    }
    void arithmeticErrors()
    {
        QFETCH(QString, etp);
        QFETCH(QString, efficiencyOfE);
        QFETCH(QString, message);
        setDay(1, etp, QStringLiteral("0"));
        t().param->setCell(E, kEfficiencyRow, efficiencyOfE);
        t().total->setCell(0, 0, QStringLiteral("old"));
        try {
            simulate(t());
            QFAIL("no error");
        } catch (const FloatError &error) {
            QCOMPARE(error.message(), message);
        }
        QCOMPARE(total(1), QString());
    }

    void aRunNotifiesEachTableOnce()
    {
        int notices = 0;
        const auto count = [&notices] { ++notices; };
        connect(t().serie, &CellTable::dataChanged, this, count);
        connect(t().total, &CellTable::dataChanged, this, count);
        for (CellTable *grid : t().classes)
            connect(grid, &CellTable::dataChanged, this, count);
        for (int day = 1; day <= kDays; ++day)
            setDay(day, QStringLiteral("5"), QString::number(day % 3));
        notices = 0;
        simulate(t());
        QCOMPARE(notices, kClasses + 2);
    }
};

QTEST_GUILESS_MAIN(AgricultureSimulationTest)
#include "tst_agriculture_simulation.moc"
