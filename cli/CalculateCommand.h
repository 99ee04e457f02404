#pragma once

#include "cli/Arguments.h"
#include "cli/ReportPrinter.h"

namespace tavi::cli
{

// `tavi calcular`: reads the study, computes the sectors asked for, writes the output file if
// one was asked for, then prints the summary and, on standard error, each sector's message.
// Returns the exit status. Runs under an application already made (the report's, for a .pdf).
int runCalculate(const CalculateRequest &request, const ReportPrinter &printer);

} // namespace tavi::cli
