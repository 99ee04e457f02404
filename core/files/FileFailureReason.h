#pragma once

#include <QString>

namespace tavi
{

// Why a file could not be written, in the user's words, from the system's error number:
// "Permissão negada", "A pasta não existe", "Disco cheio"... An error the user has no
// words for gets a general reason with the system's own text in parentheses, for whoever
// has to look into it.
QString fileFailureReason(int systemError);

// The reason for a target file that must not be replaced because it is read-only.
QString readOnlyFileReason();

} // namespace tavi
