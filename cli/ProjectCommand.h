#pragma once

#include "cli/Arguments.h"
#include "core/base/LocaleSettings.h"

#include <QString>

// `tavi projetar`: every projection method fitted to the counts given, and the population
// each gives in the year asked, without a study.
namespace tavi::cli
{

// The table printed: a heading naming the counts and the year, then one line per method with
// its name, its population in that year and its R² or saturation, or why it does not apply.
QString projectionText(const ProjectRequest &request, const LocaleSettings &locale);

// Prints the table; the exit status.
int runProject(const ProjectRequest &request);

} // namespace tavi::cli
