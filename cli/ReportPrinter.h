#pragma once

#include "core/horizon/HorizonRun.h"
#include "core/region/Region.h"
#include "core/region/RegionRun.h"
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
    // Writes a region's report as a PDF into an open device.
    std::function<void(QIODevice &device, const region::Region &region,
                       const region::RegionResults &results)>
        writeRegion;

    bool isAvailable() const { return makeApplication && write; }
    bool isRegionAvailable() const { return makeApplication && writeRegion; }
};

} // namespace tavi::cli
