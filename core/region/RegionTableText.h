#pragma once

#include "core/files/DelimitedFields.h"
#include "core/region/RegionTable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The pieces both table readers share: lines, fields, titles and values as the portals write
// them.
namespace tavi::region::text
{

// The lines of a file's content, decoded from UTF-8 or else Latin-1, a CR before each line
// end dropped; throws TableFormatError for an empty or too large content.
QStringList tableLines(const QByteArray &content, const QString &source);

// The fields of a line split at `separator`, quotes taken off, each trimmed; an empty field
// after the last separator is kept, for checkWidth to weigh against the header.
inline QStringList splitFields(const QString &line, QChar separator)
{
    return splitDelimitedFields(line, separator, TrailingEmptyField::Kept);
}

// The separator a header line is written with: ";" (the portals' Brazilian CSV), a tab, or
// "," (SIDRA's CSV for other locales).
QChar separatorOf(const QString &line);

// The titles of a header line: its fields, those left empty at its end dropped.
QStringList headerFields(const QString &line, QChar separator);

bool isBlank(const QStringList &fields);

// A title reduced for comparison: accents dropped, upper case, no blanks, any dash "-".
QString compact(const QString &title);

// The value of a field: "-" is zero; empty, ".", "..", "...", "X" are not available; any
// other text must be a non-negative number, with a decimal comma or point. In a column of
// counts, dots between groups of three digits group thousands ("1.234" heads); elsewhere a
// dot is the decimal point unless a comma follows it ("1.234,5").
std::optional<long double> readValue(const QString &text, bool count, const QString &source,
                                     int line, const QString &column);

// A value as a study file holds numbers, "." as decimal separator: "0.1523" for the 152,3
// L/hab/dia read and divided by 1000, without the binary noise of extended precision.
QString studyNumberText(long double value);

// The year in a field ("2022"), or 0 when it holds none.
int yearOf(const QString &text);

// The row's width against the header's, an empty field after a trailing separator dropped;
// throws TableFormatError naming the first missing or extra column.
void checkWidth(QStringList &fields, const QStringList &titles, const QString &source, int line);

// The whole content of the table file at `path`, refused unread beyond kLargestTableBytes:
// `tables` names what no table outgrows in that message ("qualquer tabela pública"). Throws
// TaviError naming the file, or TableFormatError for one too large.
QByteArray readTableFile(const QString &path, const QString &tables);

} // namespace tavi::region::text
