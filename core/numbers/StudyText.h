#pragma once

#include "core/base/LocaleSettings.h"

#include <QString>

// How a text typed into a field or cell is kept in a study file, so that a study saved under
// one locale reopens identical under any other.
namespace tavi
{

// The settings of a study file's numbers: "." as decimal separator, no grouping.
const LocaleSettings &studyNumberSettings();

// A field's or cell's text as the study keeps it. A number (as the models read it in
// `locale`) keeps every character but has "." as its decimal separator; any other text is
// kept as typed. A text that would read back as a number, or that begins with the quote
// that marks such texts, gets a leading "'" so that it never turns into one.
QString toStudyText(const QString &windowText, const LocaleSettings &locale);

// The text the field or cell shows for a study text in `locale`: the inverse of
// toStudyText.
QString fromStudyText(const QString &studyText, const LocaleSettings &locale);

// Whether a study text can stand in a numeric field: empty (zero) or a number.
bool isFieldStudyText(const QString &studyText);

} // namespace tavi
