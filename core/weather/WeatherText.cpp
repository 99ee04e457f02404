#include "core/weather/WeatherText.h"

#include "core/base/LocaleSettings.h"
#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"

#include <QStringDecoder>

namespace tavi::eto
{

namespace ranges
{
const PlausibleRange temperature{-60, 60, "°C"};
const PlausibleRange relativeHumidity{0, 100, "%"};
const PlausibleRange windSpeed{0, 75, "m/s"};
const PlausibleRange windHeight{0.5L, 100, "m"};
const PlausibleRange hourlyRainfall{0, 250, "mm"};
const PlausibleRange dailyRainfall{0, 2000, "mm"};
// The solar constant brings 4921 kJ m-2 in an hour; nothing on the ground exceeds it.
const PlausibleRange hourlyRadiationKj{-1000, 5000, "kJ/m²"};
const PlausibleRange dailyRadiation{0, 50, "MJ/m²"};
const PlausibleRange sunshineHours{0, 24, "h"};
} // namespace ranges

QString decodeWeatherText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

QString foldedTitle(const QString &title)
{
    // "º" (ordinal) would decompose to "o"; station files write it for the degree sign.
    QString degrees = title;
    degrees.replace(QChar(0x00BA), QChar(0x00B0));
    const QString decomposed = degrees.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    bool blank = false;
    for (QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (c.isSpace()) {
            blank = !folded.isEmpty();
            continue;
        }
        if (blank)
            folded += QLatin1Char(' ');
        blank = false;
        folded += c.toUpper();
    }
    return folded;
}

std::optional<long double> readDecimal(const QString &text)
{
    static const LocaleSettings comma = LocaleSettings::brazilian();
    static const LocaleSettings point = LocaleSettings::decimalPoint();
    long double value = 0;
    const LocaleSettings &locale = text.contains(QLatin1Char(',')) ? comma : point;
    if (!tryTextToNumber(text, &value, locale))
        return std::nullopt;
    return value;
}

QString fieldMessage(int line, const QString &field, const QString &what)
{
    return QStringLiteral("Linha %1, campo \"%2\": %3").arg(line).arg(field, what);
}

std::optional<long double> readWeatherField(const QString &text, int line, const QString &field,
                                            const PlausibleRange &range)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.compare(QLatin1String("null"), Qt::CaseInsensitive) == 0)
        return std::nullopt;
    const std::optional<long double> value = readDecimal(trimmed);
    if (!value)
        throw TaviError(
            fieldMessage(line, field, QStringLiteral("\"%1\" não é um número.").arg(trimmed)));
    if (*value == -9999)
        return std::nullopt;
    if (!(*value >= range.low && *value <= range.high)) {
        const QString unit = QString::fromUtf8(range.unit);
        throw TaviError(fieldMessage(
            line, field,
            QStringLiteral("%1 %2 está fora da faixa plausível (%3 a %4 %2); confira a unidade.")
                .arg(trimmed, unit, formatGeneral(range.low, LocaleSettings::brazilian()),
                     formatGeneral(range.high, LocaleSettings::brazilian()))));
    }
    return value;
}

} // namespace tavi::eto
