#pragma once

#include "core/weather/SeriesOrigin.h"

#include <QMap>
#include <QString>
#include <QVector>

#include <optional>

// What a study keeps of one window: its inputs' texts, as the study file holds them.
namespace tavi
{

using StudyRow = QVector<QString>;
using StudyGrid = QVector<StudyRow>;

// One window's inputs, by component name.
struct WindowInputs {
    QMap<QString, QString> fields;
    QMap<QString, StudyGrid> grids;
    // The agriculture window's only: where its series came from, when it was filled from a
    // weather station; none when it was typed or pasted.
    std::optional<SeriesOrigin> seriesOrigin;

    bool operator==(const WindowInputs &other) const
    {
        return fields == other.fields && grids == other.grids && seriesOrigin == other.seriesOrigin;
    }
    bool operator!=(const WindowInputs &other) const { return !(*this == other); }
};

} // namespace tavi
