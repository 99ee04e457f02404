#pragma once

#include "core/weather/WeatherDay.h"

#include <QString>
#include <optional>

// Where a station stands, as the import's fields show it and the user types it: daily records
// do not say, and ETo depends on the latitude and the altitude.
namespace tavi::eto
{

struct StationSiteFields {
    QString name;
    QString code;
    QString latitude;  // decimal degrees, with either decimal separator
    QString longitude; // decimal degrees
    QString altitude;  // metres

    bool operator==(const StationSiteFields &other) const
    {
        return name == other.name && code == other.code && latitude == other.latitude &&
               longitude == other.longitude && altitude == other.altitude;
    }
    bool operator!=(const StationSiteFields &other) const { return !(*this == other); }
};

// The fields of a station a file described, its numbers in the user's locale.
StationSiteFields siteFieldsOf(const StationSite &site);

// The station the fields describe, name and code trimmed; or, for the first coordinate left
// empty or not a number within its range, why it cannot be used ("Informe a latitude da
// estação: ...", "A latitude da estação, \"91\", não é um número entre -90 e 90.").
struct SiteCheck {
    std::optional<StationSite> site;
    QString problem;
};
SiteCheck checkSiteFields(const StationSiteFields &fields);

} // namespace tavi::eto
