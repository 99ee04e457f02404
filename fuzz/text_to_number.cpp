// The text-to-number rule on any text. What must hold:
// - a text reads exactly when it has the shape of the rule (blanks and control characters
//   at both ends, sign, digits with at most one locale separator, exponent) and its value
//   lies within the extended range;
// - textToNumber agrees with tryTextToNumber and names the text in its error;
// - a value that reads formats back, through the general format, to a text that reads as
//   the same value rounded to 15 significant digits; and the sign survives.

#include "FuzzSupport.h"

#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"

#include <QRegularExpression>

using namespace tavi;

namespace
{

QRegularExpression shapeOf(const LocaleSettings &locale)
{
    const QString sep = QRegularExpression::escape(QString(locale.decimalSeparator));
    return QRegularExpression(QStringLiteral("^[\\x{0}-\\x{20}]*([+-]?)((?:[0-9]+(?:%1[0-9]*)?)|"
                                             "(?:%1[0-9]+))([eE][+-]?[0-9]+)?[\\x{0}-\\x{20}]*$")
                                  .arg(sep));
}

// The decimal exponent of the number a well-shaped text writes (that of its first nonzero
// digit), or nothing for a zero mantissa. The exponent saturates far beyond any range.
bool writtenExponent(const QString &mantissa, const QString &exponent, QChar sep, long long *out)
{
    long long position = 0; // weight of the digit being looked at, before the exponent
    const qsizetype point = mantissa.indexOf(sep);
    const qsizetype integerDigits = point < 0 ? mantissa.size() : point;
    position = integerDigits - 1;
    for (QChar c : mantissa) {
        if (c == sep)
            continue;
        if (c != QLatin1Char('0')) {
            long long e = 0;
            bool negative = false;
            for (QChar x : exponent) {
                if (x == QLatin1Char('-'))
                    negative = true;
                else if (x.isDigit() && e < 1000000000LL)
                    e = e * 10 + (x.unicode() - '0');
            }
            *out = position + (negative ? -e : e);
            return true;
        }
        --position;
    }
    return false;
}

void checkText(const QString &text, const LocaleSettings &locale)
{
    static const QRegularExpression commaShape = shapeOf(LocaleSettings::brazilian());
    static const QRegularExpression pointShape = shapeOf(LocaleSettings::decimalPoint());
    const QRegularExpression &shape =
        locale.decimalSeparator == QLatin1Char(',') ? commaShape : pointShape;

    long double value = -7;
    const bool reads = tryTextToNumber(text, &value, locale);
    const QRegularExpressionMatch match = shape.match(text);

    if (!reads) {
        FUZZ_CHECK(value == -7, "a text that does not read leaves the output alone",
                   fuzz::visible(text));
        try {
            textToNumber(text, locale);
            fuzz::fail("textToNumber reads what tryTextToNumber refuses", fuzz::visible(text));
        } catch (const ConvertError &e) {
            FUZZ_CHECK(e.text() == text, "the error names the text", fuzz::visible(e.text()));
            FUZZ_CHECK(e.message() == messages::notAFloat(text), "the error carries the message",
                       e.message());
        }
        if (match.hasMatch()) {
            // Well shaped, so only a magnitude beyond the extended range (about 1.19E4932)
            // may refuse it.
            long long e = 0;
            const bool nonzero = writtenExponent(match.captured(2), match.captured(3).mid(1),
                                                 locale.decimalSeparator, &e);
            FUZZ_CHECK(nonzero && e >= 4932, "a well-shaped text in range reads",
                       fuzz::visible(text));
        }
        return;
    }

    FUZZ_CHECK(match.hasMatch(), "only a well-shaped text reads", fuzz::visible(text));
    FUZZ_CHECK(std::isfinite(value), "a text reads as a finite value",
               fuzz::visible(text) + QLatin1Char(' ') + fuzz::describe(value));
    long long e = 0;
    if (writtenExponent(match.captured(2), match.captured(3).mid(1), locale.decimalSeparator, &e)) {
        FUZZ_CHECK(e <= 4932, "a text beyond the range does not read", fuzz::visible(text));
        if (value != 0)
            FUZZ_CHECK(std::signbit(value) == (match.captured(1) == QLatin1String("-")),
                       "the value keeps the sign of the text", fuzz::visible(text));
    } else {
        FUZZ_CHECK(value == 0, "a zero mantissa reads as zero", fuzz::visible(text));
    }
    FUZZ_CHECK(textToNumber(text, locale) == value, "textToNumber agrees with tryTextToNumber",
               fuzz::visible(text));

    const QString shown = formatGeneral(value, locale);
    long double back = 0;
    FUZZ_CHECK(tryTextToNumber(shown, &back, locale), "the general format of a read value reads",
               fuzz::visible(text) + QStringLiteral(" -> ") + fuzz::visible(shown));
    const QString again = formatGeneral(back, locale);
    FUZZ_CHECK(again == shown, "the general format reads back to the same 15-digit value",
               fuzz::visible(text) + QStringLiteral(" -> ") + shown + QStringLiteral(" -> ") +
                   fuzz::describe(back) + QStringLiteral(" -> ") + again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const LocaleSettings locale = fuzz::localeFor(data[0]);
    const char *bytes = reinterpret_cast<const char *>(data + 1);
    const qsizetype length = static_cast<qsizetype>(size - 1);
    // Bit 1 picks how the bytes become text: one character per byte, or UTF-8 (which brings
    // in characters beyond Latin-1, non-ASCII digits among them).
    const QString text =
        (data[0] & 2) ? QString::fromUtf8(bytes, length) : QString::fromLatin1(bytes, length);
    checkText(text, locale);
    return 0;
}
