// Any bytes read as a study file. What must hold:
// - reading either gives a study or refuses the content with a message; nothing else
//   escapes, crashes, hangs or leaks;
// - a study that reads has every window, field and grid of the program, with grids of their
//   full size;
// - a horizon, when it has one, begins with its base scenario;
// - a balance's series, when it has one, holds no flow below zero and none that is not finite;
// - written again and read back, it is the same study, and writing is stable; a recovery
//   copy keeps its original path and the region it belongs to.

#include "FuzzSupport.h"

#include "core/study/StudyFile.h"

#include <cmath>

using namespace tavi;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), int(size));
    StudyReading reading;
    try {
        reading = readStudy(content);
    } catch (const StudyFormatError &error) {
        FUZZ_CHECK(!error.message().isEmpty(), "a refused study says why", QString());
        return 0;
    }
    for (const StudyWindowLayout &layout : studyLayout()) {
        FUZZ_CHECK(reading.study.windows.contains(layout.name), "every window is read",
                   layout.name);
        const WindowInputs &inputs = reading.study.windows[layout.name];
        for (const QString &field : layout.fields)
            FUZZ_CHECK(inputs.fields.contains(field), "every field is read", field);
        for (const StudyGridLayout &grid : layout.grids) {
            const StudyGrid &rows = inputs.grids[grid.name];
            FUZZ_CHECK(rows.size() == grid.rows, "grids have every row", grid.name);
            for (const StudyRow &row : rows)
                FUZZ_CHECK(row.size() == int(grid.columns.size()), "rows have every cell",
                           grid.name);
        }
    }
    if (reading.study.horizon) {
        const std::vector<Scenario> &scenarios = reading.study.horizon->scenarios;
        FUZZ_CHECK(!scenarios.empty() && scenarios.front().name == QLatin1String("Base"),
                   "a horizon begins with its base", QString());
    }
    if (reading.study.balance && reading.study.balance->series) {
        for (const std::optional<long double> &flow : reading.study.balance->series->days)
            FUZZ_CHECK(!flow || (std::isfinite(*flow) && *flow >= 0 && !std::signbit(*flow)),
                       "a study's flows are finite and not negative", QString());
    }
    const QByteArray written = writeStudy(reading.study);
    StudyReading again;
    try {
        again = readStudy(written);
    } catch (const StudyFormatError &error) {
        fuzz::fail("a written study reads back", error.message());
    }
    FUZZ_CHECK(again.study == reading.study, "a study survives writing", QString());
    FUZZ_CHECK(again.defaulted.isEmpty(), "a written study is complete",
               again.defaulted.join(QLatin1Char(',')));
    FUZZ_CHECK(writeStudy(again.study) == written, "writing is stable", QString());
    try {
        again = readStudy(writeStudy(reading.study, reading.originalPath, reading.regionLink));
    } catch (const StudyFormatError &error) {
        fuzz::fail("a recovery copy reads back", error.message());
    }
    FUZZ_CHECK(again.originalPath == reading.originalPath && again.regionLink == reading.regionLink,
               "a recovery copy keeps what it belongs to",
               fuzz::visible(again.originalPath + QLatin1Char('|') + again.regionLink.regionPath +
                             QLatin1Char('|') + again.regionLink.code));
    return 0;
}
