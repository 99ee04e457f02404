// Display formats. Any pattern, with any value, must format without a crash. For the
// patterns the program uses (",0.00;-,0.00", ",0.;-,0." and the locale's currency pattern,
// over every currency layout and some awkward symbols) the text must have the right shape
// (symbol, sign, thousands grouped by three, exactly the decimals of the pattern) and its
// digits, grouping removed, must read back within half a unit of the last shown decimal,
// as exactly the value the edit text of the field keeps (roundHalfAway).

#include "FuzzSupport.h"

#include "core/numbers/NumberText.h"

#include <QHash>
#include <QRegularExpression>

using namespace tavi;

namespace
{

// Symbols that need quoting in a pattern, or none at all.
const char *const kSymbols[] = {"R$", "$", "€", "Kč.", "S/.", "a,b;c", "p'q\"0#", ""};

// Bit 0 the separators; bits 1-2 the currency layout, 3-4 its decimals, 5-7 its symbol.
LocaleSettings localeFor(uint8_t selector)
{
    LocaleSettings locale = fuzz::localeFor(selector);
    locale.currencyFormat = (selector >> 1) & 3;
    locale.currencyDecimals = (selector >> 3) & 3;
    locale.currencySymbol = QString::fromUtf8(kSymbols[(selector >> 5) & 7]);
    return locale;
}

// An extended value from 10 bytes. Most random exponents lie far beyond any amount the
// windows show, so half of those are folded into 2^-64 .. 2^64, where every digit shows and
// rounding decides the text; values already in that span, infinities and NaNs are kept.
long double valueFrom(const uint8_t *bytes)
{
    uint8_t raw[10];
    std::memcpy(raw, bytes, sizeof raw);
    const int exponent = raw[8] | ((raw[9] & 0x7f) << 8);
    constexpr int kLow = 16383 - 64;
    constexpr int kNonFinite = 0x7fff;
    if ((exponent < kLow || exponent >= kLow + 128) && (exponent & 1) && exponent != kNonFinite) {
        const int folded = kLow + exponent % 128;
        raw[8] = uint8_t(folded & 0xff);
        raw[9] = uint8_t((raw[9] & 0x80) | (folded >> 8));
    }
    return fuzz::extendedFrom(raw);
}

struct ProgramPattern {
    QString pattern;
    int decimals;
    QString prefix; // around the number of a positive value; a negative one adds "-" in front
    QString suffix;
};

ProgramPattern currency(const LocaleSettings &locale)
{
    ProgramPattern p{currencyPattern(locale), locale.currencyDecimals, QString(), QString()};
    const QString &symbol = locale.currencySymbol;
    switch (locale.currencyFormat) {
    case 1:
        p.suffix = symbol;
        break;
    case 2:
        p.prefix = symbol + QLatin1Char(' ');
        break;
    case 3:
        p.suffix = QLatin1Char(' ') + symbol;
        break;
    default:
        p.prefix = symbol;
    }
    return p;
}

// Compiled once per separator pair and number of decimals.
const QRegularExpression &numberShape(const LocaleSettings &locale, int decimals)
{
    static QHash<QString, QRegularExpression> shapes;
    const QString group = QRegularExpression::escape(QString(locale.thousandSeparator));
    const QString sep = QRegularExpression::escape(QString(locale.decimalSeparator));
    QString shape = QStringLiteral("^(0|[1-9][0-9]{0,2}(%1[0-9]{3})*)").arg(group);
    if (decimals > 0)
        shape += QStringLiteral("%1[0-9]{%2}").arg(sep).arg(decimals);
    shape += QLatin1Char('$');
    auto it = shapes.find(shape);
    if (it == shapes.end())
        it = shapes.insert(shape, QRegularExpression(shape));
    return *it;
}

void checkProgramPattern(long double v, const ProgramPattern &p, const LocaleSettings &locale)
{
    const QString text = formatDisplay(v, p.pattern, locale);
    const auto detail = [&] {
        return fuzz::describe(v) + QStringLiteral(" through ") + fuzz::visible(p.pattern) +
               QStringLiteral(" -> ") + fuzz::visible(text);
    };
    if (std::fabs(v) >= 1e18L) {
        FUZZ_CHECK(text == formatGeneral(v, locale), "from 10^18 on the general format shows",
                   detail());
        return;
    }

    const bool negative = text.startsWith(QLatin1Char('-'));
    const QString body = negative ? text.mid(1) : text;
    FUZZ_CHECK(body.startsWith(p.prefix) && body.endsWith(p.suffix) &&
                   body.size() >= p.prefix.size() + p.suffix.size(),
               "the text carries the literals of the pattern", detail());
    QString number = body.mid(p.prefix.size(), body.size() - p.prefix.size() - p.suffix.size());
    FUZZ_CHECK(numberShape(locale, p.decimals).match(number).hasMatch(),
               "the number is grouped by three and shows the pattern's decimals", detail());

    number.remove(locale.thousandSeparator);
    long double magnitude = 0;
    FUZZ_CHECK(tryTextToNumber(number, &magnitude, locale), "the digits read back", detail());
    const long double shown = negative ? -magnitude : magnitude;
    FUZZ_CHECK(!negative || (v < 0 && magnitude != 0), "a sign only on a negative amount",
               detail());
    FUZZ_CHECK(!(v < 0 && magnitude != 0) || negative, "a negative amount shows its sign",
               detail());

    // The display rounds the decimal form of the value, so that an amount stored a hair below
    // a midpoint that stands for it (1.005) rounds up as written; that may add a thousandth
    // of the half unit. Reading the text back adds the spacing of extended values there.
    const long double halfUnit = 0.5L * fuzz::powerOfTen(-p.decimals);
    const long double allowed = halfUnit * 1.001L + fuzz::ulpOf(v) + fuzz::ulpOf(shown);
    const long double error = std::fabs(shown - v);
    FUZZ_CHECK(error <= allowed, "the text is within half a unit of its last decimal",
               detail() + QStringLiteral(" reads ") + fuzz::describe(shown) +
                   QStringLiteral(", off by ") + fuzz::describe(error));

    // What the field shows without the focus is what its edit text holds with it.
    const long double kept = roundHalfAway(v, p.decimals);
    FUZZ_CHECK(shown == kept, "the display shows the value the edit text keeps",
               detail() + QStringLiteral(" vs ") + fuzz::describe(kept));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 11)
        return 0;
    const LocaleSettings locale = localeFor(data[0]);
    const long double v = valueFrom(data + 1);
    const QString pattern =
        QString::fromLatin1(reinterpret_cast<const char *>(data + 11), qsizetype(size - 11));

    // Any pattern: only that nothing breaks (the sanitizers watch every access).
    for (long double x : {v, -v, 0.0L, 1234.5L}) {
        const QString text = formatDisplay(x, pattern, locale);
        // Literals once, placeholders with their grouping, and at most 18 integer digits.
        FUZZ_CHECK(text.size() <= 3 * pattern.size() + 64,
                   "a display text stays within the size of its pattern", fuzz::visible(text));
    }
    if (std::isnan(v))
        return 0;

    const ProgramPattern programPatterns[] = {
        {QStringLiteral(",0.00;-,0.00"), 2, QString(), QString()},
        {QStringLiteral(",0.;-,0."), 0, QString(), QString()},
        currency(locale),
    };
    for (const ProgramPattern &p : programPatterns) {
        if (!std::isfinite(v)) {
            formatDisplay(v, p.pattern, locale);
            continue;
        }
        checkProgramPattern(v, p, locale);
        checkProgramPattern(-v, p, locale);
    }
    // The field with no display format uses the currency pattern.
    FUZZ_CHECK(formatDisplay(v, QString(), locale) ==
                   formatDisplay(v, currencyPattern(locale), locale),
               "an empty pattern means the currency pattern", fuzz::describe(v));
    return 0;
}
