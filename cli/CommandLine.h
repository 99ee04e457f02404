#pragma once

#include "cli/ReportPrinter.h"

// The program started from a terminal with a command: `tavi calcular ESTUDO.tavi ...`,
// `tavi --ajuda`, `tavi --versao`. Runs before any application object exists and makes the
// one it needs: none for the help, a QCoreApplication for a computation, the report's
// application for a .pdf.
namespace tavi::cli
{

// Whether the program's arguments ask for the command line rather than the windows.
bool isCommandLine(int argc, char **argv);

// Runs the command and returns the program's exit status.
int runCommandLine(int &argc, char **argv, const ReportPrinter &printer);

} // namespace tavi::cli
