#include "core/region/CodeTable.h"

namespace tavi::region
{

CodeTable readCodeTable(const QByteArray &, const QString &source, CodeTableKind kind)
{
    CodeTable table;
    table.kind = kind;
    table.source = source;
    return table;
}

CodeTable loadCodeTable(const QString &path, CodeTableKind kind)
{
    return readCodeTable({}, path, kind);
}

} // namespace tavi::region
