// The general format of any finite extended value. What must hold:
// - the text has the general-format shape: at most 15 significant digits, no trailing zeros,
//   no grouping, the locale's separator, "E" with "-" only for a negative exponent and no
//   leading zeros;
// - fixed notation exactly when the value rounded to 15 digits lies in [0.0001, 10^15);
// - the text reads back within half a unit of the 15th significant digit of the value (see
//   tolerance() for the slack), and formatting the value read back gives the same text;
// - -v formats as "-" and the text of v.

#include "FuzzSupport.h"

#include "core/numbers/NumberText.h"

#include <QRegularExpression>

using namespace tavi;

namespace
{

// The text is built from the value's 18-digit decimal, rounded again to 15 digits, so that
// a value a hair below a midpoint that stands for it (1.000000000000005 stored a little
// low) rounds up as written. That second rounding may add half a unit of the 18th digit,
// a thousandth of the half unit of the 15th. Reading the text back rounds once more to the
// nearest extended value: at most half its spacing there (below the normal range that
// spacing is coarse, so it is allowed in full).
long double tolerance(long double v)
{
    return 0.5e-14L * std::fabs(v) * 1.001L + fuzz::ulpOf(v);
}

void checkValue(long double v, const LocaleSettings &locale)
{
    const QString text = formatGeneral(v, locale);
    if (v == 0) {
        FUZZ_CHECK(text == QLatin1String("0"), "zero formats as 0", text);
        return;
    }
    static const QRegularExpression fixedComma(
        QStringLiteral("^-?(0|[1-9][0-9]*)(,[0-9]*[1-9])?$"));
    static const QRegularExpression fixedPoint(
        QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?$"));
    static const QRegularExpression scientificComma(
        QStringLiteral("^-?[1-9](,[0-9]*[1-9])?E-?[1-9][0-9]*$"));
    static const QRegularExpression scientificPoint(
        QStringLiteral("^-?[1-9](\\.[0-9]*[1-9])?E-?[1-9][0-9]*$"));
    const bool comma = locale.decimalSeparator == QLatin1Char(',');
    const bool scientific = text.contains(QLatin1Char('E'));
    const QRegularExpression &shape = scientific ? (comma ? scientificComma : scientificPoint)
                                                 : (comma ? fixedComma : fixedPoint);
    const auto detail = [&] { return fuzz::describe(v) + QStringLiteral(" -> ") + text; };
    FUZZ_CHECK(shape.match(text).hasMatch(), "the general format has its shape", detail());

    qsizetype significant = 0;
    bool leading = true;
    for (QChar c : text.left(scientific ? text.indexOf(QLatin1Char('E')) : text.size())) {
        if (!c.isDigit() || (leading && c == QLatin1Char('0')))
            continue;
        leading = false;
        ++significant;
    }
    // Fixed text keeps the zeros in front of the separator of a whole number, so count only
    // up to the last nonzero digit there.
    if (!scientific && !text.contains(locale.decimalSeparator)) {
        qsizetype zeros = 0;
        for (qsizetype i = text.size() - 1; i >= 0 && text.at(i) == QLatin1Char('0'); --i)
            ++zeros;
        significant -= zeros;
    }
    FUZZ_CHECK(significant >= 1 && significant <= 15, "at most 15 significant digits", detail());

    long double back = 0;
    FUZZ_CHECK(tryTextToNumber(text, &back, locale), "the general format reads back", detail());
    const long double error = std::fabs(back - v);
    FUZZ_CHECK(error <= tolerance(v), "read back within half a unit of the 15th digit",
               detail() + QStringLiteral(" -> ") + fuzz::describe(back) +
                   QStringLiteral(" off by ") + fuzz::describe(error));
    FUZZ_CHECK(std::signbit(back) == std::signbit(v), "the sign survives", detail());

    // 0.0001 and 10^15 are exact decimal boundaries; the value read back stands for the
    // 15-digit rounding, which is what decides the notation.
    const long double magnitude = std::fabs(back);
    const bool fixedRange = magnitude >= 1e-4L && magnitude < 1e15L;
    FUZZ_CHECK(scientific != fixedRange, "fixed notation exactly within [0.0001, 10^15)", detail());

    FUZZ_CHECK(formatGeneral(back, locale) == text, "the text of the value read back is the same",
               detail() + QStringLiteral(" -> ") + formatGeneral(back, locale));
    const QString negated = formatGeneral(-v, locale);
    const QString expected = v > 0 ? QLatin1Char('-') + text : text.mid(1);
    FUZZ_CHECK(negated == expected, "-v formats as the text of v with a sign",
               detail() + QStringLiteral(" / ") + negated);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 11)
        return 0;
    const long double v = fuzz::extendedFrom(data + 1);
    if (!std::isfinite(v))
        return 0;
    checkValue(v, fuzz::localeFor(data[0]));
    return 0;
}
