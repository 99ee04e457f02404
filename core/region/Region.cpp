#include "core/region/Region.h"

#include "core/sectors/catalogue/BalanceKeys.h"
#include "core/study/StudyCaptions.h"

namespace tavi::region
{

namespace
{

// The balance a municipality computes with, before its reference flow: its own, else the
// template's, else a fresh one when only the flow gives it a balance.
std::optional<StudyBalance> baseBalance(const Study &templateStudy, const StudyOverrides &overrides)
{
    return overrides.balance ? overrides.balance : templateStudy.balance;
}

std::optional<StudyBalance> withReferenceFlow(std::optional<StudyBalance> balance,
                                              const QString &referenceFlow)
{
    if (referenceFlow.isEmpty())
        return balance;
    if (!balance)
        balance = StudyBalance{};
    balance->reference = keys::kReferenceTyped;
    balance->typedFlow = referenceFlow;
    return balance;
}

Study applyOverrides(const Study &templateStudy, const StudyOverrides &overrides)
{
    Study study = templateStudy;
    auto windowOf = [&](const QString &window) -> WindowInputs & {
        if (!study.windows.contains(window))
            study.windows.insert(window, windowInputs(templateStudy, window));
        return study.windows[window];
    };
    for (auto w = overrides.fields.cbegin(); w != overrides.fields.cend(); ++w) {
        WindowInputs &inputs = windowOf(w.key());
        for (auto f = w->cbegin(); f != w->cend(); ++f)
            inputs.fields[f.key()] = f.value();
    }
    for (auto w = overrides.grids.cbegin(); w != overrides.grids.cend(); ++w) {
        WindowInputs &inputs = windowOf(w.key());
        for (auto g = w->cbegin(); g != w->cend(); ++g)
            inputs.grids[g.key()] = g.value();
    }
    for (auto w = overrides.seriesOrigins.cbegin(); w != overrides.seriesOrigins.cend(); ++w)
        windowOf(w.key()).seriesOrigin = w.value();
    if (overrides.horizon)
        study.horizon = overrides.horizon;
    study.balance = baseBalance(templateStudy, overrides);
    return study;
}

// Every window either study has: the layout's, and any other a file carried along.
QStringList windowsOf(const Study &a, const Study &b)
{
    QStringList windows;
    for (const StudyWindowLayout &layout : studyLayout())
        windows << layout.name;
    for (const Study *study : {&a, &b})
        for (auto w = study->windows.cbegin(); w != study->windows.cend(); ++w)
            if (!windows.contains(w.key()))
                windows << w.key();
    return windows;
}

template <typename Value>
QStringList keysOf(const QMap<QString, Value> &a, const QMap<QString, Value> &b)
{
    QStringList keys = a.keys();
    for (const QString &key : b.keys())
        if (!a.contains(key))
            keys << key;
    return keys;
}

// Calls `visit(window, component, wasValue, isValue)` for each field and grid of the two
// studies, and `origin(window, was, is)` for each window's series origin.
template <typename Field, typename Grid, typename Origin>
void compareInputs(const Study &was, const Study &is, Field field, Grid grid, Origin origin)
{
    for (const QString &window : windowsOf(was, is)) {
        const WindowInputs before = windowInputs(was, window);
        const WindowInputs after = windowInputs(is, window);
        for (const QString &key : keysOf(before.fields, after.fields))
            field(window, key, before.fields.value(key), after.fields.value(key));
        for (const QString &key : keysOf(before.grids, after.grids))
            grid(window, key, before.grids.value(key), after.grids.value(key));
        origin(window, before.seriesOrigin, after.seriesOrigin);
    }
}

} // namespace

QString inputPath(const QString &window, const QString &component)
{
    return window + QLatin1Char('/') + component;
}

QString inputCaption(const QString &path)
{
    if (path == kGroupInput)
        return QStringLiteral("Grupo");
    if (path == kReferenceFlowInput)
        return QStringLiteral("Balanço hídrico: Vazão de referência (m3/s)");
    // An input's path is its member in a study file, less the "janelas/" every one begins with.
    return studyMemberCaption(QStringLiteral("janelas/") + path);
}

QString Municipality::displayName() const
{
    return state.isEmpty() ? name : name + QStringLiteral(" (") + state + QLatin1Char(')');
}

bool Municipality::operator==(const Municipality &other) const
{
    return code == other.code && name == other.name && state == other.state &&
           group == other.group && overrides == other.overrides && sources == other.sources &&
           notAvailable == other.notAvailable && referenceFlow == other.referenceFlow &&
           referenceFlowSource == other.referenceFlowSource;
}

int Region::indexOf(const QString &code) const
{
    for (std::size_t i = 0; i < municipalities.size(); ++i)
        if (municipalities[i].code == code)
            return int(i);
    return -1;
}

bool Region::operator==(const Region &other) const
{
    return name == other.name && notes == other.notes && templateStudy == other.templateStudy &&
           municipalities == other.municipalities;
}

Region emptyRegion()
{
    Region region;
    region.templateStudy = defaultStudy();
    return region;
}

Study municipalityStudy(const Region &region, int index)
{
    const Municipality &municipality = region.municipalities[std::size_t(index)];
    Study study = applyOverrides(region.templateStudy, municipality.overrides);
    study.balance = withReferenceFlow(study.balance, municipality.referenceFlow);
    study.name = municipality.displayName();
    return study;
}

StudyOverrides overridesOf(const Study &templateStudy, const Study &edited)
{
    StudyOverrides overrides;
    compareInputs(
        templateStudy, edited,
        [&](const QString &window, const QString &key, const QString &was, const QString &is) {
            if (was != is)
                overrides.fields[window][key] = is;
        },
        [&](const QString &window, const QString &key, const StudyGrid &was, const StudyGrid &is) {
            if (was != is)
                overrides.grids[window][key] = is;
        },
        [&](const QString &window, const std::optional<SeriesOrigin> &was,
            const std::optional<SeriesOrigin> &is) {
            if (was != is)
                overrides.seriesOrigins[window] = is;
        });
    if (edited.horizon && edited.horizon != templateStudy.horizon)
        overrides.horizon = edited.horizon;
    if (edited.balance && edited.balance != templateStudy.balance)
        overrides.balance = edited.balance;
    return overrides;
}

void setMunicipalityStudy(Region &region, int index, const Study &edited)
{
    Municipality &municipality = region.municipalities[std::size_t(index)];
    const Study &templateStudy = region.templateStudy;
    // Only what the planner changed is taken: an input a table gave keeps its override and
    // its source while it still reads the same, even where it equals the template's.
    const Study current = municipalityStudy(region, index);
    StudyOverrides &overrides = municipality.overrides;
    auto typed = [&](const QString &path) {
        municipality.sources.remove(path);
        municipality.notAvailable.remove(path);
    };
    compareInputs(
        current, edited,
        [&](const QString &window, const QString &key, const QString &was, const QString &is) {
            if (was == is)
                return;
            typed(inputPath(window, key));
            if (windowInputs(templateStudy, window).fields.value(key) == is) {
                overrides.fields[window].remove(key);
                if (overrides.fields[window].isEmpty())
                    overrides.fields.remove(window);
            } else {
                overrides.fields[window][key] = is;
            }
        },
        [&](const QString &window, const QString &key, const StudyGrid &was, const StudyGrid &is) {
            if (was == is)
                return;
            typed(inputPath(window, key));
            if (windowInputs(templateStudy, window).grids.value(key) == is) {
                overrides.grids[window].remove(key);
                if (overrides.grids[window].isEmpty())
                    overrides.grids.remove(window);
            } else {
                overrides.grids[window][key] = is;
            }
        },
        [&](const QString &window, const std::optional<SeriesOrigin> &was,
            const std::optional<SeriesOrigin> &is) {
            if (was == is)
                return;
            if (windowInputs(templateStudy, window).seriesOrigin == is)
                overrides.seriesOrigins.remove(window);
            else
                overrides.seriesOrigins[window] = is;
        });

    if (edited.horizon != current.horizon)
        overrides.horizon = edited.horizon != templateStudy.horizon ? edited.horizon : std::nullopt;

    if (edited.balance != current.balance) {
        const bool keepsTypedFlow = !municipality.referenceFlow.isEmpty() && edited.balance &&
                                    edited.balance->reference == keys::kReferenceTyped;
        if (keepsTypedFlow) {
            if (edited.balance->typedFlow != municipality.referenceFlow) {
                municipality.referenceFlow = edited.balance->typedFlow;
                municipality.referenceFlowSource.clear();
            }
        } else if (!municipality.referenceFlow.isEmpty()) {
            // The planner chose another reference: the table's flow no longer holds.
            municipality.referenceFlow.clear();
            municipality.referenceFlowSource.clear();
        }
        overrides.balance.reset();
        if (withReferenceFlow(templateStudy.balance, municipality.referenceFlow) != edited.balance)
            overrides.balance = edited.balance;
    }
}

} // namespace tavi::region
