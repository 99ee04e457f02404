#pragma once

#include <QChar>
#include <QString>

class QLocale;

namespace tavi
{

// The user's regional settings that shape every number the program shows or reads.
// Read once at start; tests set them explicitly.
struct LocaleSettings {
    QChar decimalSeparator = QLatin1Char(',');
    QChar thousandSeparator = QLatin1Char('.');
    QString currencySymbol = QStringLiteral("R$");
    // Position of the symbol for positive amounts: 0 "R$1", 1 "1R$", 2 "R$ 1", 3 "1 R$".
    int currencyFormat = 2;
    int currencyDecimals = 2;

    // Brazilian Portuguese conventions: "," decimal, "." thousands, "R$", format 2, 2 decimals.
    static LocaleSettings brazilian();
    // A decimal-point locale (United States conventions): "." decimal, "," thousands, "$", 0, 2.
    static LocaleSettings decimalPoint();
    static LocaleSettings fromQLocale(const QLocale &locale);
    // The environment's locale; Brazilian conventions where it names none (C or POSIX).
    static LocaleSettings fromSystem();

    static const LocaleSettings &current();
    static void setCurrent(const LocaleSettings &settings);

    bool operator==(const LocaleSettings &other) const;
};

} // namespace tavi
