#pragma once

#include "cli/ReportPrinter.h"

// How `tavi calcular ... --saida X.pdf` draws its report: under a GUI application on the
// offscreen platform, so no display is needed, with the summary window's report.
tavi::cli::ReportPrinter commandLineReportPrinter();
