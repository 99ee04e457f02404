#pragma once

#include "core/projection/PopulationCounts.h"
#include "core/summary/SectorSelection.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

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
    // --horizonte: the study's planning horizon, every scenario over every year, in place of
    // the summary.
    bool horizon = false;
};

// `tavi projetar ANO=POP ANO=POP ... --ate ANO [--saturacao POP]`.
struct ProjectRequest {
    std::vector<projection::PopulationCount> counts;
    int year = 0;
    std::optional<long double> saturation;
};

// `tavi vazoes ARQUIVO [--inicio-ano-hidrologico MES]`.
struct FlowsRequest {
    QString path;
    // The month a year of the series begins in: 1 for the calendar year.
    int firstMonth = 1;
};

// `tavi regiao ARQUIVO.tavi-regiao [--saida X]`, or with --criar the region built from a
// template study and the public tables.
struct RegionRequest {
    QString regionPath;
    QString outputPath;
    OutputKind output = OutputKind::None;
    bool create = false;
    QString templatePath;
    QStringList tables;
    QString groupsPath;
    QString flowsPath;
    // --ano: the sanitation indicators' year; 0 for the latest each table has.
    int year = 0;
};

struct Arguments {
    enum class Command { Help, Version, Calculate, Project, Flows, Region, Invalid };
    Command command = Command::Invalid;
    CalculateRequest calculate;
    ProjectRequest project;
    FlowsRequest flows;
    RegionRequest region;
    // Why the arguments cannot be used, in Portuguese, when Invalid.
    QString problem;
};

// Whether the arguments after the program's name ask for the command line rather than the
// windows: a command, or an option of two dashes. A study's file alone opens the windows, and
// Qt's own options (one dash, "-platform") go to them.
bool wantsCommandLine(const QStringList &arguments);

// Reads the arguments after the program's name.
Arguments parseArguments(const QStringList &arguments);

// A population as a user types it: whole inhabitants with or without a thousands separator
// ("62000", "62.000", "62,000"), or with a decimal comma or point ("62,5"); a sign is read,
// so that a negative count is refused for what it is. Nothing when it is not a number.
std::optional<long double> readPopulation(const QString &text);

// The output kind an output file's name asks for, None when its extension is none of them.
OutputKind outputKindOf(const QString &path);

} // namespace tavi::cli
