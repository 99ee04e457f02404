#include "core/region/RegionImport.h"

namespace tavi::region
{

QString ImportPreview::countsText() const
{
    return {};
}

ImportPreview previewImport(const Region &, const ImportTables &tables,
                            const ImportOptions &options)
{
    ImportPreview preview;
    preview.tables = tables;
    preview.options = options;
    return preview;
}

Region applyImport(const Region &region, const ImportPreview &)
{
    return region;
}

} // namespace tavi::region
