#include "core/numbers/DisplayPattern.h"

#include "core/numbers/DecimalDigits.h"
#include "core/numbers/GeneralFormat.h"

#include <QStringList>

namespace tavi
{

using namespace decimal;

namespace
{

struct Section {
    QString prefix;
    QString suffix;
    bool grouping = false;
    bool hasPlaceholder = false;
    int integerMin = 0;
    int decimalsMin = 0;
    int decimalsMax = 0;
};

QStringList splitSections(const QString &pattern)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

Section parseSection(const QString &text)
{
    Section s;
    bool afterPoint = false;
    auto literal = [&s](QChar c) {
        if (s.hasPlaceholder)
            s.suffix += c;
        else
            s.prefix += c;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            for (++i; i < text.size() && text.at(i) != c; ++i)
                literal(text.at(i));
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            s.hasPlaceholder = true;
            if (afterPoint) {
                ++s.decimalsMax;
                if (c == QLatin1Char('0'))
                    s.decimalsMin = s.decimalsMax;
            } else if (c == QLatin1Char('0')) {
                ++s.integerMin;
            }
        } else if (c == QLatin1Char('.')) {
            // A second point means nothing more than the first.
            s.hasPlaceholder = true;
            afterPoint = true;
        } else if (c == QLatin1Char(',')) {
            s.grouping = true;
        } else {
            literal(c);
        }
    }
    return s;
}

// `magnitude` is already rounded to the section's decimals.
QString formatSection(const Decimal &magnitude, const Section &s, const LocaleSettings &locale)
{
    if (!s.hasPlaceholder)
        return s.prefix + s.suffix;
    std::string ints = integerDigits(magnitude);
    if (ints.size() < static_cast<size_t>(s.integerMin))
        ints.insert(0, static_cast<size_t>(s.integerMin) - ints.size(), '0');
    QString number;
    for (size_t i = 0; i < ints.size(); ++i) {
        if (s.grouping && i > 0 && (ints.size() - i) % 3 == 0)
            number += locale.thousandSeparator;
        number += QLatin1Char(ints[i]);
    }
    std::string fraction = fractionDigits(magnitude);
    if (fraction.size() < static_cast<size_t>(s.decimalsMin))
        fraction.resize(static_cast<size_t>(s.decimalsMin), '0');
    if (!fraction.empty()) {
        number += locale.decimalSeparator;
        number += fromDigits(fraction);
    }
    return s.prefix + number + s.suffix;
}

Decimal roundedMagnitude(long double value, int decimals)
{
    Decimal d = roundedTo(value, decimals);
    d.negative = false;
    return d;
}

QString quotedSymbol(const QString &symbol)
{
    // Characters the pattern would take for placeholders or separators are quoted one by
    // one, so the symbol shows exactly as the locale gives it.
    QString quoted;
    for (QChar c : symbol) {
        switch (c.unicode()) {
        case ',':
        case '.':
        case '0':
        case '#':
        case ';':
        case '"':
            quoted += QLatin1Char('\'') + c + QLatin1Char('\'');
            break;
        case '\'':
            quoted += QStringLiteral("\"'\"");
            break;
        default:
            quoted += c;
        }
    }
    return quoted;
}

} // namespace

QString currencyPattern(const LocaleSettings &locale, int minimumDecimals)
{
    const int decimals = qMax(qMax(0, locale.currencyDecimals), minimumDecimals);
    const QString number = QStringLiteral(",0.") + QString(decimals, QLatin1Char('0'));
    const QString symbol = quotedSymbol(locale.currencySymbol);
    QString positive;
    switch (locale.currencyFormat) {
    case 1:
        positive = number + symbol;
        break;
    case 2:
        positive = symbol + QLatin1Char(' ') + number;
        break;
    case 3:
        positive = number + QLatin1Char(' ') + symbol;
        break;
    default:
        positive = symbol + number;
        break;
    }
    return positive + QStringLiteral(";-") + positive;
}

QString formatDisplay(long double value, const QString &pattern, const LocaleSettings &locale)
{
    if (std::isnan(value) || std::fabs(value) >= kFixedLimit)
        return formatGeneral(value, locale);
    const QStringList sections =
        splitSections(pattern.isEmpty() ? currencyPattern(locale) : pattern);
    const Section positive = parseSection(sections.at(0));
    if (value < 0) {
        const bool ownSection = sections.size() > 1 && !sections.at(1).isEmpty();
        const Section negative = ownSection ? parseSection(sections.at(1)) : positive;
        const Decimal magnitude = roundedMagnitude(-value, negative.decimalsMax);
        if (!magnitude.isZero()) {
            const QString text = formatSection(magnitude, negative, locale);
            return ownSection ? text : QLatin1Char('-') + text;
        }
        // Rounds to nothing: shown as the zero of the first section, without a sign.
        return formatSection(Decimal(), positive, locale);
    }
    return formatSection(roundedMagnitude(value, positive.decimalsMax), positive, locale);
}

QString formatCurrency(long double value, int decimals, const LocaleSettings &locale)
{
    if (std::isnan(value) || std::fabs(value) >= kFixedLimit)
        return formatGeneral(value, locale);
    const Decimal held = roundedTo(value, qMax(0, decimals));
    const int heldDecimals = static_cast<int>(fractionDigits(held).size());
    return formatDisplay(value, currencyPattern(locale, heldDecimals), locale);
}

} // namespace tavi
