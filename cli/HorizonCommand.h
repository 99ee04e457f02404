#pragma once

#include "cli/Arguments.h"
#include "cli/ReportPrinter.h"
#include "core/study/StudyFile.h"

namespace tavi::cli
{

// `tavi calcular ESTUDO.tavi --horizonte`: every scenario of the study's planning horizon over
// its years; writes the output asked for (.csv one row per scenario and year, .xlsx the
// horizon's workbook, .pdf the report with its chapter on the horizon), then prints each
// scenario's final year and, on standard error, what could not be computed, scenario by
// scenario. A study without a horizon is refused with nothing written. Returns the exit status.
int runHorizonCalculation(const CalculateRequest &request, const ReportPrinter &printer,
                          const StudyReading &reading);

} // namespace tavi::cli
