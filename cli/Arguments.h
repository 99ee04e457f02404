#pragma once

#include "core/summary/SectorSelection.h"

#include <QString>
#include <QStringList>

namespace tavi::cli
{

// What `tavi calcular` writes besides its text, chosen by the file's extension.
enum class OutputKind { None, Workbook, Csv, Report };

struct CalculateRequest {
    QString studyPath;
    QString outputPath;
    OutputKind output = OutputKind::None;
    // Every sector unless --setor names some.
    SectorSelection sectors;
};

struct Arguments {
    enum class Command { Help, Version, Calculate, Invalid };
    Command command = Command::Invalid;
    CalculateRequest calculate;
    // Why the arguments cannot be used, in Portuguese, when Invalid.
    QString problem;
};

// Whether the arguments after the program's name ask for the command line rather than the
// windows: a command, or an option of two dashes. A study's file alone opens the windows, and
// Qt's own options (one dash, "-platform") go to them.
bool wantsCommandLine(const QStringList &arguments);

// Reads the arguments after the program's name.
Arguments parseArguments(const QStringList &arguments);

// The output kind an output file's name asks for, None when its extension is none of them.
OutputKind outputKindOf(const QString &path);

} // namespace tavi::cli
