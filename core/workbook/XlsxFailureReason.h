#pragma once

#include <QString>

namespace tavi
{

// Why libxlsxwriter could not build a package, in Portuguese: from the system's error
// number when the library failed at a file operation and the system said why (the usual
// case: a full disk, a folder gone), otherwise from the library's own error code, with its
// English text in parentheses for whoever has to look into it.
QString xlsxFailureReason(int libraryError, int systemError);

} // namespace tavi
