#pragma once

#include "core/horizon/HorizonRun.h"
#include "core/study/Study.h"
#include "core/summary/MunicipalSummary.h"

#include <QCoreApplication>
#include <QIODevice>

#include <functional>
#include <memory>

namespace tavi::cli
{

// The printed report needs a GUI application and the report's own layer, which the command
// line does not link: the program hands both over.
struct ReportPrinter {
    // Makes the application the report is drawn under, in place of a plain QCoreApplication.
    std::function<std::unique_ptr<QCoreApplication>(int &argc, char **argv)> makeApplication;
    // Writes the report as a PDF into an open device, with the chapter of the horizon's
    // scenarios when there are any.
    std::function<void(QIODevice &device, const Study &study, const MunicipalSummary &summary,
                       const std::vector<horizon::ScenarioRun> &runs)>
        write;

    bool isAvailable() const { return makeApplication && write; }
};

} // namespace tavi::cli
