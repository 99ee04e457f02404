#include "core/sectors/agriculture/AgricultureRun.h"

#include "core/sectors/catalogue/StudyKeys.h"

namespace tavi::agriculture
{

namespace
{

bool sameShape(const StudyGrid &a, const StudyGrid &b)
{
    if (a.size() != b.size())
        return false;
    for (int r = 0; r < a.size(); ++r)
        if (a[r].size() != b[r].size())
            return false;
    return true;
}

// The study's rows over the defaults: a study may hold fewer rows or cells than the window.
StudyGrid overDefaults(const WindowInputs &inputs, const QString &grid)
{
    StudyGrid merged = windowInputs(defaultStudy(), keys::kAgricultureWindow).grids.value(grid);
    const StudyGrid given = inputs.grids.value(grid);
    if (sameShape(merged, given))
        return given;
    for (int r = 0; r < merged.size() && r < given.size(); ++r)
        for (int c = 0; c < merged[r].size() && c < given[r].size(); ++c)
            merged[r][c] = given[r][c];
    return merged;
}

} // namespace

Inputs readInputs(const WindowInputs &inputs, const LocaleSettings &)
{
    Inputs in;
    in.crops = overDefaults(inputs, keys::kCropTable);
    in.parameters = overDefaults(inputs, keys::kCropParameters);
    in.series = overDefaults(inputs, keys::kSeries);
    return in;
}

Result::Result() : m_owned(std::make_unique<OwnedTables>()) {}
Result::~Result() = default;
Result::Result(Result &&) noexcept = default;
Result &Result::operator=(Result &&) noexcept = default;

// Whether the study's rows fill every input cell of the table: then the defaults under them
// would all be written over.
bool coversEveryCell(const StudyGrid &rows, const StudyGridLayout &layout)
{
    if (rows.size() < layout.rows)
        return false;
    for (int r = 0; r < layout.rows; ++r)
        if (rows[r].size() < int(layout.columns.size()))
            return false;
    return true;
}

void run(const Inputs &in, const LocaleSettings &locale, Result &result, Detail detail)
{
    const Tables &t = result.tables();
    const StudyWindowLayout &layout = *findWindowLayout(keys::kAgricultureWindow);
    const StudyGrid *grids[] = {&in.crops, &in.parameters, &in.series};
    CellTable *targets[] = {t.entrada, t.param, t.serie};
    Tables underneath;
    CellTable **defaults[] = {&underneath.entrada, &underneath.param, &underneath.serie};
    for (std::size_t g = 0; g < layout.grids.size(); ++g)
        if (!coversEveryCell(*grids[g], layout.grids[g]))
            *defaults[g] = targets[g];
    writeDefaults(underneath, locale.decimalSeparator);
    writeSeriesHeadings(*t.serie);
    for (std::size_t g = 0; g < layout.grids.size(); ++g)
        writeStudyGrid(*targets[g], layout.grids[g], *grids[g], locale);

    if (in.classGrids) {
        for (int k = 0; k < kClasses; ++k) {
            writeClassHeadings(*t.classes[k]);
            t.classes[k]->copyFrom(*(*in.classGrids)[k], kKcColumn, kCounterColumn);
        }
    } else {
        for (CellTable *grid : t.classes)
            writeClassHeadings(*grid);
        runCropCalendar(t, ClassSet().set(), locale);
    }
    result.total = simulate(t, locale, detail);
}

Result run(const Inputs &in, const LocaleSettings &locale, Detail detail)
{
    Result result;
    run(in, locale, result, detail);
    return result;
}

} // namespace tavi::agriculture
