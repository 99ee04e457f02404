#pragma once

#include "cli/ReportPrinter.h"

// How `tavi calcular ... --saida X.pdf` and `tavi regiao ... --saida X.pdf` draw their
// reports: under a GUI application on the offscreen platform, so no display is needed, with
// the summary window's report and the region window's.
tavi::cli::ReportPrinter commandLineReportPrinter();
