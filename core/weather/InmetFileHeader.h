#pragma once

#include "core/weather/WeatherDay.h"
#include "core/weather/WeatherText.h"

#include <QList>
#include <QStringList>
#include <QStringView>

// What an INMET hourly file says before its hours: the station, in header lines of either
// layout, and which column holds what, from the column titles.
namespace tavi::eto
{

struct InmetColumns {
    enum Quantity {
        Rainfall,
        Radiation,
        DryBulb,
        DewPoint,
        TMax,
        TMin,
        RhMax,
        RhMin,
        Rh,
        Wind,
        kQuantities
    };
    int index[kQuantities]; // -1 where the file has no such column
    QString title[kQuantities];
};

// The values each column's readings may take.
const PlausibleRange &inmetRange(InmetColumns::Quantity quantity);

struct InmetFileHeader {
    StationSite site;
    QStringList titles;
    InmetColumns columns;
    qsizetype titleLine = -1; // index in the file's lines
};

// The header of a file split into lines. Throws TaviError when there is no title line, no
// temperature column, or no latitude, longitude or altitude, or when one of those is not a
// number in its range.
InmetFileHeader readInmetFileHeader(const QList<QStringView> &lines);

} // namespace tavi::eto
