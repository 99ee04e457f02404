#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace tavi
{

// What an empty field after a line's last separator is. The flow files end every line with a
// separator, which makes no column; the public tables' rows are checked against their header
// for width, and a last column left empty is still one there.
enum class TrailingEmptyField { Kept, Dropped };

// The fields of a line of a delimited text file split at `separator`, quotes taken off ("a;b"
// in quotes is one field, "" inside quotes is a quote), each trimmed. A line with nothing on it
// is one empty field.
QStringList splitDelimitedFields(const QString &line, QChar separator, TrailingEmptyField trailing);

} // namespace tavi
