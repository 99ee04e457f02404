#include "core/weather/StationSiteFields.h"

#include "core/numbers/NumberText.h"
#include "core/weather/WeatherText.h"

namespace tavi::eto
{

StationSiteFields siteFieldsOf(const StationSite &site)
{
    const LocaleSettings &locale = LocaleSettings::current();
    return {site.name, site.code, formatGeneral(site.latitude, locale),
            formatGeneral(site.longitude, locale), formatGeneral(site.altitude, locale)};
}

SiteCheck checkSiteFields(const StationSiteFields &fields)
{
    StationSite site;
    site.name = fields.name.trimmed();
    site.code = fields.code.trimmed();
    struct Coordinate {
        const QString &text;
        const char *what;
        long double low, high;
        long double *into;
        // What daily records need it for: said when it is missing.
        const char *use;
    };
    const Coordinate coordinates[] = {
        {fields.latitude, "latitude", -90, 90, &site.latitude,
         "a radiação que chega ao topo da atmosfera, e com ela a ETo, depende dela"},
        {fields.longitude, "longitude", -180, 180, &site.longitude,
         "ela não entra na ETo de registros diários, mas fica na origem da série, com a "
         "latitude e a altitude, para dizer de onde vieram os dados"},
        {fields.altitude, "altitude", -500, 9000, &site.altitude,
         "a pressão atmosférica, e com ela a ETo de Penman–Monteith, depende dela"},
    };
    for (const Coordinate &c : coordinates) {
        const QString text = c.text.trimmed();
        if (text.isEmpty())
            return {std::nullopt, QStringLiteral("Informe a %1 da estação: os registros diários "
                                                 "não a trazem, e %2.")
                                      .arg(QLatin1String(c.what), QString::fromUtf8(c.use))};
        const std::optional<long double> value = readDecimal(text);
        if (!value || *value < c.low || *value > c.high)
            return {std::nullopt,
                    QStringLiteral("A %1 da estação, \"%2\", não é um número entre %3 e %4.")
                        .arg(QLatin1String(c.what), text)
                        .arg(static_cast<double>(c.low))
                        .arg(static_cast<double>(c.high))};
        *c.into = *value;
    }
    return {site, QString()};
}

} // namespace tavi::eto
