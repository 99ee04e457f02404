#pragma once

#include "core/study/Study.h"

#include <functional>

class QObject;
class QWidget;

// The inputs of a module window as a study keeps them: found by component name among the
// window's fields and grids, converted between the study's texts and the locale's.
namespace StudyInputs
{

// The key a study keeps the window's inputs under: its sector's (keys::kSupplyWindow, ...);
// empty for a window of no sector.
QString studyKeyOf(const QWidget *window);

// Writes `inputs` into the fields and input grids of `window`, as the user would have left
// them, and the origin of its series into its SeriesOriginLabel where it keeps one. The
// window's members are those of its sector; members it does not have are skipped.
void fill(QWidget *window, const tavi::WindowInputs &inputs);

// What the window's fields and input grids hold now. A field being edited counts with the
// number typed so far, where it reads.
tavi::WindowInputs collect(const QWidget *window);

// Calls `changed` after every edit of one of the window's inputs (and after some that change
// nothing: compare what collect() gives).
void watch(QWidget *window, QObject *context, const std::function<void()> &changed);

} // namespace StudyInputs
