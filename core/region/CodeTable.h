#pragma once

#include "core/region/RegionTable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// The planner's own two-column tables, "código;valor", one municipality a row, an optional
// header line: the group each municipality is reported under, or its reference flow for the
// water balance in m3/s. Read with the same tolerance as the public tables (Latin-1 or UTF-8,
// quotes, a trailing ";", ",8", notes after the data).
namespace tavi::region
{

enum class CodeTableKind { Groups, ReferenceFlows };

struct CodeTableRow {
    QString code; // seven digits
    // The group as written; or the flow as a study file holds numbers ("12.5"), "" where the
    // table marks it not available.
    QString value;
    int line = 0;
};

struct CodeTable {
    CodeTableKind kind = CodeTableKind::Groups;
    QString source;
    std::vector<CodeTableRow> rows;
    std::vector<TableDuplicate> duplicates;
    QStringList notes;
};

// Throws TableFormatError naming the file, the line and the column.
CodeTable readCodeTable(const QByteArray &content, const QString &source, CodeTableKind kind);
// Refused unread beyond kLargestTableBytes; throws TaviError naming the file.
CodeTable loadCodeTable(const QString &path, CodeTableKind kind);

} // namespace tavi::region
