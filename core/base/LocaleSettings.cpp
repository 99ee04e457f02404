#include "core/base/LocaleSettings.h"

#include <QLocale>

namespace tavi
{

LocaleSettings LocaleSettings::brazilian()
{
    LocaleSettings s;
    s.decimalSeparator = QLatin1Char(',');
    s.thousandSeparator = QLatin1Char('.');
    s.currencySymbol = QStringLiteral("R$");
    s.currencyFormat = 2;
    s.currencyDecimals = 2;
    return s;
}

LocaleSettings LocaleSettings::decimalPoint()
{
    LocaleSettings s;
    s.decimalSeparator = QLatin1Char('.');
    s.thousandSeparator = QLatin1Char(',');
    s.currencySymbol = QStringLiteral("$");
    s.currencyFormat = 0;
    s.currencyDecimals = 2;
    return s;
}

static QChar firstChar(const QString &text, QChar fallback)
{
    return text.isEmpty() ? fallback : text.at(0);
}

static bool containsSpace(const QString &text)
{
    for (QChar c : text) {
        if (c.isSpace())
            return true;
    }
    return false;
}

LocaleSettings LocaleSettings::fromQLocale(const QLocale &locale)
{
    LocaleSettings s;
    s.decimalSeparator = firstChar(locale.decimalPoint(), QLatin1Char('.'));
    s.thousandSeparator = firstChar(locale.groupSeparator(), QLatin1Char(','));
    s.currencySymbol = locale.currencySymbol(QLocale::CurrencySymbol);

    // The locale describes its currency layout only by example, so read the position of the
    // symbol and the number of decimals off an amount it formats itself.
    const QString sample = locale.toCurrencyString(1.5);
    qsizetype firstDigit = -1;
    qsizetype lastDigit = -1;
    for (qsizetype i = 0; i < sample.size(); ++i) {
        if (sample.at(i).isDigit()) {
            if (firstDigit < 0)
                firstDigit = i;
            lastDigit = i;
        }
    }

    s.currencyDecimals = 0;
    const QString point = locale.decimalPoint();
    if (firstDigit >= 0 && !point.isEmpty()) {
        const qsizetype at = sample.lastIndexOf(point, lastDigit);
        if (at > firstDigit) {
            for (qsizetype i = at + point.size(); i <= lastDigit; ++i) {
                if (sample.at(i).isDigit())
                    ++s.currencyDecimals;
            }
        }
    }

    const qsizetype symbolAt = s.currencySymbol.isEmpty() ? -1 : sample.indexOf(s.currencySymbol);
    if (symbolAt < 0 || firstDigit < 0) {
        // Nothing to place: keep the symbol (if any) directly in front of the number.
        s.currencyFormat = 0;
    } else if (symbolAt < firstDigit) {
        const qsizetype gapStart = symbolAt + s.currencySymbol.size();
        s.currencyFormat = containsSpace(sample.mid(gapStart, firstDigit - gapStart)) ? 2 : 0;
    } else {
        s.currencyFormat =
            containsSpace(sample.mid(lastDigit + 1, symbolAt - lastDigit - 1)) ? 3 : 1;
    }
    return s;
}

LocaleSettings LocaleSettings::fromSystem()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return brazilian();
    return fromQLocale(system);
}

static LocaleSettings &processSettings()
{
    static LocaleSettings settings = LocaleSettings::fromSystem();
    return settings;
}

const LocaleSettings &LocaleSettings::current()
{
    return processSettings();
}

void LocaleSettings::setCurrent(const LocaleSettings &settings)
{
    processSettings() = settings;
}

bool LocaleSettings::operator==(const LocaleSettings &other) const
{
    return decimalSeparator == other.decimalSeparator &&
           thousandSeparator == other.thousandSeparator && currencySymbol == other.currencySymbol &&
           currencyFormat == other.currencyFormat && currencyDecimals == other.currencyDecimals;
}

} // namespace tavi
