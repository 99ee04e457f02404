// Any bytes read as a region file (".tavi-regiao"). What must hold:
// - reading gives a region or refuses the content with a message; nothing else escapes;
// - a region read has municipalities with valid seven-digit codes, each once;
// - each municipality's study has every window, field and full-sized grid;
// - written again and read back, it is the same region with the same original path, and
//   writing is stable.

#include "FuzzSupport.h"

#include "core/region/MunicipalityCode.h"
#include "core/region/RegionFile.h"

#include <QSet>

#include <exception>

using namespace tavi;
using namespace tavi::region;

namespace
{

void checkStudy(const Study &study, const QString &code)
{
    for (const StudyWindowLayout &layout : studyLayout()) {
        FUZZ_CHECK(study.windows.contains(layout.name), "a municipality's study has every window",
                   code + QLatin1Char(' ') + layout.name);
        const WindowInputs &inputs = study.windows[layout.name];
        for (const QString &field : layout.fields)
            FUZZ_CHECK(inputs.fields.contains(field), "a municipality's study has every field",
                       code + QLatin1Char(' ') + field);
        for (const StudyGridLayout &grid : layout.grids) {
            const StudyGrid &rows = inputs.grids[grid.name];
            FUZZ_CHECK(rows.size() == grid.rows, "a municipality's grids have every row",
                       code + QLatin1Char(' ') + grid.name);
            for (const StudyRow &row : rows)
                FUZZ_CHECK(row.size() == int(grid.columns.size()),
                           "a municipality's rows have every cell",
                           code + QLatin1Char(' ') + grid.name);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), int(size));
    RegionReading reading;
    try {
        reading = readRegion(content);
    } catch (const RegionFormatError &error) {
        FUZZ_CHECK(!error.message().isEmpty(), "a refused region says why", QString());
        return 0;
    } catch (const std::exception &other) {
        fuzz::fail("nothing but a RegionFormatError escapes", QString::fromUtf8(other.what()));
    }
    const Region &region = reading.region;
    QSet<QString> codes;
    for (std::size_t i = 0; i < region.municipalities.size(); ++i) {
        const Municipality &municipality = region.municipalities[i];
        const std::optional<MunicipalityCode> code = MunicipalityCode::fromText(municipality.code);
        FUZZ_CHECK(code && code->code() == municipality.code,
                   "a municipality's code is seven valid digits", fuzz::visible(municipality.code));
        FUZZ_CHECK(!codes.contains(municipality.code), "each municipality once", municipality.code);
        codes.insert(municipality.code);
        FUZZ_CHECK(region.indexOf(municipality.code) == int(i), "a code finds its municipality",
                   municipality.code);
        checkStudy(municipalityStudy(region, int(i)), municipality.code);
    }
    const QByteArray written = writeRegion(region, reading.originalPath);
    RegionReading again;
    try {
        again = readRegion(written);
    } catch (const RegionFormatError &error) {
        fuzz::fail("a written region reads back", error.message());
    }
    FUZZ_CHECK(again.region == region, "a region survives writing", QString());
    FUZZ_CHECK(again.originalPath == reading.originalPath, "the original path survives writing",
               fuzz::visible(again.originalPath));
    FUZZ_CHECK(writeRegion(again.region, again.originalPath) == written, "writing is stable",
               QString());
    return 0;
}
