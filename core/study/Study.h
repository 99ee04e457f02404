#pragma once

#include "core/study/StudyBalance.h"
#include "core/study/StudyHorizon.h"
#include "core/study/StudyInputs.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>
#include <vector>

// A study: the inputs of the four module windows for one municipality, with its name and
// notes. Every text is kept as the study file holds it (see StudyText.h), never as a window
// shows it, so a study means the same whatever the locale. Results are never part of it.
namespace tavi
{

class CellTable;
struct LocaleSettings;

struct Study {
    QString name;
    QString notes;
    // By the windows' study keys (keys::kSupplyWindow, ...).
    QMap<QString, WindowInputs> windows;
    // The planning horizon and its scenarios; none in a study that never had one, which then
    // reads, computes and saves as before.
    std::optional<StudyHorizon> horizon;
    // The river's flows and the water balance's choices; none in a study that never had one.
    std::optional<StudyBalance> balance;

    bool operator==(const Study &other) const
    {
        return name == other.name && notes == other.notes && windows == other.windows &&
               horizon == other.horizon && balance == other.balance;
    }
    bool operator!=(const Study &other) const { return !(*this == other); }
};

// Where an input grid's texts live in the window's cell table: rows firstRow onwards, the
// listed columns (the others are labels or results).
struct StudyGridLayout {
    QString name;
    int firstRow;
    int rows;
    std::vector<int> columns;
};

struct StudyWindowLayout {
    QString name;
    std::vector<QString> fields;
    std::vector<StudyGridLayout> grids;
    // Whether the window keeps where its series came from ("origem_serie").
    bool keepsSeriesOrigin = false;
};

// A grid's study rows written into a cell table shaped as the window's grid, each text as the
// window shows it in `locale` (batched: one change notice), and read back from one.
void writeStudyGrid(CellTable &table, const StudyGridLayout &layout, const StudyGrid &rows,
                    const LocaleSettings &locale);
StudyGrid readStudyGrid(const CellTable &table, const StudyGridLayout &layout,
                        const LocaleSettings &locale);

// The four windows, in the order of the main menu.
const std::vector<StudyWindowLayout> &studyLayout();
const StudyWindowLayout *findWindowLayout(const QString &windowName);

// A new study: each window's inputs exactly as a fresh window shows them.
const Study &defaultStudy();

// The inputs of `windowName` in `study`, or its defaults where the study has none.
WindowInputs windowInputs(const Study &study, const QString &windowName);

} // namespace tavi
