#pragma once

#include "cli/Arguments.h"
#include "core/base/LocaleSettings.h"
#include "core/flows/FlowSeriesFile.h"
#include "core/flows/ReferenceFlows.h"

#include <QString>

// `tavi vazoes`: a river's daily flow series read, and the reference flows a water balance
// measures demand against, without a study.
namespace tavi::cli
{

// The series and its years (used, and left out with their days missing), then one line for
// each of Q90, Q95, Q7,10 and QMLT with its value in m3/s; the Q7,10 line names its fit and
// parameters, the other fits beside it, or why there is none.
QString flowsText(const flows::FlowReading &reading, const flows::ReferenceFlows &reference,
                  int firstMonth, const LocaleSettings &locale);

// Prints the text; the exit status: 1 when Q7,10 could not be computed (the rest printed), 2
// when the file is no flow series.
int runFlows(const FlowsRequest &request);

} // namespace tavi::cli
