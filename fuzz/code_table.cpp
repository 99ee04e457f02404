// Any bytes read as one of the planner's two-column tables, "código;valor": the group of each
// municipality, or its reference flow (first byte, bit 0: flows). What must hold:
// - reading ends with a table or a TableFormatError naming the file, nothing else;
// - every row read has a valid seven-digit code of its own and a line;
// - a group is one line of text; a flow is a number as a study file holds it, not negative,
//   or nothing where the table marks it not available.

#include "FuzzSupport.h"

#include "core/numbers/StudyText.h"
#include "core/region/CodeTable.h"
#include "core/region/MunicipalityCode.h"

#include <QSet>

#include <exception>

using namespace tavi;
using namespace tavi::region;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1),
                           static_cast<qsizetype>(size - 1));
    const CodeTableKind kind =
        (data[0] & 1) ? CodeTableKind::ReferenceFlows : CodeTableKind::Groups;
    CodeTable table;
    try {
        table = readCodeTable(bytes, QStringLiteral("codigos.csv"), kind);
    } catch (const TableFormatError &error) {
        FUZZ_CHECK(error.message().contains(QLatin1String("codigos.csv")),
                   "a refusal names the file", error.message());
        return 0;
    } catch (const std::exception &other) {
        fuzz::fail("nothing but a TableFormatError escapes", QString::fromUtf8(other.what()));
    }
    FUZZ_CHECK(table.kind == kind, "the table is the kind asked", QString());
    QSet<QString> codes;
    for (const CodeTableRow &row : table.rows) {
        const std::optional<MunicipalityCode> code = MunicipalityCode::fromText(row.code);
        FUZZ_CHECK(code && code->code() == row.code, "a row's code is a municipality's seven",
                   fuzz::visible(row.code));
        FUZZ_CHECK(!codes.contains(row.code), "a municipality has one row; again is a duplicate",
                   row.code);
        codes.insert(row.code);
        FUZZ_CHECK(row.line > 0, "a row names its line", row.code);
        if (kind == CodeTableKind::Groups) {
            FUZZ_CHECK(!row.value.contains(QLatin1Char('\n')) &&
                           !row.value.contains(QLatin1Char('\r')),
                       "a group is one line", fuzz::visible(row.value));
            continue;
        }
        if (row.value.isEmpty())
            continue;
        // The program's numbers reach far beyond a double's range: read as a study reads them.
        FUZZ_CHECK(isFieldStudyText(row.value) && !row.value.startsWith(QLatin1Char('-')),
                   "a flow is a number not below zero, as a study holds it",
                   fuzz::visible(row.value));
    }
    return 0;
}
