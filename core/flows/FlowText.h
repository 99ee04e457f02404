#pragma once

#include "core/files/DelimitedFields.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// The pieces both flow layouts are written with: lines as exports and spreadsheets save them,
// fields in quotes or not, dates in the two styles planners meet, and flows as the agency and
// people write them.
namespace tavi::flows
{

class FlowFormatError;

// The lines of a file's text, a CR before each line end dropped.
QStringList flowLines(const QString &text);

// The fields of a line split at `separator`, quotes taken off ("a;b" in quotes is one field),
// each trimmed; a trailing separator does not make one more field.
inline QStringList splitFlowFields(const QString &line, QChar separator)
{
    return splitDelimitedFields(line, separator, TrailingEmptyField::Dropped);
}

// Whether the text has the shape of a date, "dd/mm/aaaa" or "aaaa-mm-dd", a time after it
// aside, whether or not such a day exists; so that a day that does not exist is told apart
// from a line that holds no date at all.
bool looksLikeDate(const QString &text);

// The date in a field that looks like one; throws FlowFormatError naming the line and column
// when it is no day of the calendar (31/02/2001), or lies so far from any river record
// (before 1800, after 2200) that it can only be mistyped, where it would otherwise stretch
// the series over centuries of missing days.
QDate readFlowDate(const QString &text, int line, const QString &column);

// The flow in a field: none for a blank field and for what exports write for a value not
// measured (-9999, "null", "-", "...", "X"); throws FlowFormatError naming the line and
// column for anything else that is not a flow, a negative one included.
std::optional<long double> readFlowValue(const QString &text, int line, const QString &column);

// "Linha 14, coluna Vazao03: <what>".
QString flowMessage(int line, const QString &column, const QString &what);

} // namespace tavi::flows
