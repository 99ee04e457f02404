#pragma once

#include "core/base/LocaleSettings.h"
#include "core/sectors/agriculture/AgricultureCalendar.h"
#include "core/sectors/agriculture/AgricultureSimulation.h"
#include "core/study/Study.h"
#include "core/tables/DaySeries.h"

#include <memory>
#include <optional>

// The agriculture window's "Simular" without the window: the tables a study keeps go in, the
// grids the window shows come out.
namespace tavi::agriculture
{

struct Inputs {
    // The crop table, its parameters and the series' ETP and P, as the study keeps them: a
    // fresh window's defaults wherever the study holds nothing.
    StudyGrid crops;
    StudyGrid parameters;
    StudyGrid series;
    // The window's class grids, where it has them: their Kc (a calendar worked out before,
    // or typed by hand since) are taken as they stand, and no calendar is worked out. A
    // study alone has none, and its calendars are worked out from its tables.
    std::optional<std::array<const CellTable *, kClasses>> classGrids;
};

Inputs readInputs(const WindowInputs &inputs, const LocaleSettings &locale);

struct Result {
    Result();
    ~Result();
    Result(Result &&) noexcept;
    Result &operator=(Result &&) noexcept;

    // The tables of the run, shaped as the window's grids: the inputs as the window shows
    // them in the locale, and what the run wrote: the effective rainfall, each class's
    // calendar and demands, the total.
    const Tables &tables() const { return m_owned->tables(); }
    // The total of the days worked out.
    DaySeries total;

private:
    std::unique_ptr<OwnedTables> m_owned;
};

// The inputs over the window's defaults, then the crop calendar of every class (unless the
// window's Kc are given), then the simulation (simulate(), writing `detail`). An unreadable
// cell throws ConvertError, naming the cell in the run's tables; what was written before stays
// in `result`.
void run(const Inputs &in, const LocaleSettings &locale, Result &result,
         Detail detail = Detail::WindowTables);
Result run(const Inputs &in, const LocaleSettings &locale, Detail detail = Detail::WindowTables);

} // namespace tavi::agriculture
