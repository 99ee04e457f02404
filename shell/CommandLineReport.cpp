#include "shell/CommandLineReport.h"

#include "models/U_Regiao/RegionReport.h"
#include "models/U_Resumo_Municipio/SummaryReport.h"

#include <QApplication>

tavi::cli::ReportPrinter commandLineReportPrinter()
{
    tavi::cli::ReportPrinter printer;
    printer.makeApplication = [](int &argc, char **argv) -> std::unique_ptr<QCoreApplication> {
        // The report's charts are widgets drawn into the PDF, never shown.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    };
    printer.write = [](QIODevice &device, const tavi::Study &study,
                       const tavi::MunicipalSummary &summary,
                       const std::vector<tavi::horizon::ScenarioRun> &runs) {
        SummaryReport::write(device, study, summary, runs);
    };
    printer.writeRegion = [](QIODevice &device, const tavi::region::Region &region,
                             const tavi::region::RegionResults &results) {
        RegionReport::write(device, region, results);
    };
    return printer;
}
