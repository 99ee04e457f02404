#pragma once

#include "core/base/TaviError.h"

namespace tavi
{

// A workbook operation that the workbook cannot honour (a sheet, series or cell that does
// not exist, a name it cannot take), or a workbook that could not be saved. The message is
// in Portuguese, ready to show.
class WorkbookError : public TaviError
{
public:
    using TaviError::TaviError;
};

} // namespace tavi
