#pragma once

#include "core/base/LocaleSettings.h"
#include "core/projection/PopulationCounts.h"
#include "core/study/Study.h"

#include <QMap>
#include <QString>

#include <optional>
#include <vector>

// What the horizon window tells the user about what was typed, before anything is computed:
// each message belongs beside one driver, table or field, and a scenario with any of them is
// not projected at all.
namespace HorizonChecks
{

struct Problems {
    // By the key of the driver or table it is about (HorizonKeys.h): keys::kBaseYear and
    // keys::kFinalYear for the years, keys::kScenarioWindows for the window fields.
    QMap<QString, QString> byKey;
    // True, but nothing is projected from it: the census counts when typed populations are
    // used, the note that no three counts are equally spaced.
    QMap<QString, QString> notes;
    // What the core finds wrong in the drivers taken together.
    QString general;

    bool blocks() const { return !byKey.isEmpty() || !general.isEmpty(); }
    // The first message, for the scenario's place in the results.
    QString first() const;
};

// The horizon's years: a whole number each, then horizonProblem().
QMap<QString, QString> yearProblems(const tavi::StudyHorizon &horizon,
                                    const tavi::LocaleSettings &locale);

// The (year, population) rows of the counts table, as the study keeps them; `problem` says
// which row cannot be read, and then the counts are those before it.
std::vector<tavi::projection::PopulationCount>
readCounts(const tavi::StudyGrid &rows, QString *problem, const tavi::LocaleSettings &locale);

// A saturation population typed, none when empty or unreadable.
std::optional<long double> typedSaturation(const QString &text);

// Every problem of a scenario of `study`'s horizon (which it must have). Texts quoted back
// are shown as the user typed them, in `locale`.
Problems checkScenario(const tavi::Study &study, int scenario, const tavi::LocaleSettings &locale);

} // namespace HorizonChecks
