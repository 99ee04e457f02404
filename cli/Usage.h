#pragma once

#include <QString>

namespace tavi::cli
{

// What `tavi --ajuda` prints.
QString usageText();
// What `tavi --versao` prints: "tavi 1.0.0".
QString versionText();
// The line under a message about the arguments, pointing to the help.
QString usageHint();

} // namespace tavi::cli
