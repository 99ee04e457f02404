#pragma once

// What every reading of a public table must be, whichever kind it was read as; shared by the
// population, livestock and sanitation targets, which differ in the seeds and in the lines
// they may put in front of the input.

#include "FuzzSupport.h"

#include "core/region/MunicipalityCode.h"
#include "core/region/RegionTable.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <cmath>
#include <exception>

namespace fuzz
{

inline void checkTableReading(const tavi::region::TableReading &reading)
{
    using namespace tavi::region;
    FUZZ_CHECK(!reading.quantities.empty(), "a table read gives some quantity", reading.source);
    for (std::size_t q = 0; q < reading.quantities.size(); ++q)
        FUZZ_CHECK(reading.indexOf(reading.quantities[q]) == int(q),
                   "each quantity is found where it stands", quantityName(reading.quantities[q]));
    FUZZ_CHECK(reading.year == 0 || reading.years.contains(reading.year),
               "the year read is one the table has", QString::number(reading.year));
    QSet<QString> codes;
    for (const TableRow &row : reading.rows) {
        const std::optional<MunicipalityCode> code = MunicipalityCode::fromText(row.code);
        FUZZ_CHECK(code && code->code() == row.code, "a row's code is a municipality's seven",
                   visible(row.code));
        FUZZ_CHECK(!codes.contains(row.code), "a municipality has one row; again is a duplicate",
                   row.code);
        codes.insert(row.code);
        FUZZ_CHECK(row.line > 0, "a row names its line", row.code);
        FUZZ_CHECK(row.values.size() == reading.quantities.size(),
                   "a row has a value or a gap for each quantity", row.code);
        for (const std::optional<long double> &value : row.values)
            FUZZ_CHECK(!value || (std::isfinite(*value) && *value >= 0 && !std::signbit(*value)),
                       "values are finite and not negative",
                       row.code + QLatin1Char(' ') + describe(value.value_or(0)));
    }
    for (const TableDuplicate &duplicate : reading.duplicates)
        FUZZ_CHECK(codes.contains(duplicate.code) && duplicate.firstLine > 0 &&
                       duplicate.line > duplicate.firstLine,
                   "a duplicate follows the row kept", duplicate.code);
}

// Reads `bytes` as a public table: a reading that holds, or a refusal naming where.
inline void readTable(const QByteArray &bytes, int year,
                      std::optional<tavi::region::TableKind> expected)
{
    using namespace tavi::region;
    try {
        const TableReading reading = readRegionTable(bytes, QStringLiteral("tabela.csv"), year);
        checkTableReading(reading);
        // The lines put in front make it that kind; nothing after them may turn it into
        // another.
        FUZZ_CHECK(!expected || reading.kind == *expected, "a table stays the kind it starts as",
                   kindName(reading.kind));
    } catch (const TableFormatError &error) {
        FUZZ_CHECK(!error.message().isEmpty() && error.line() >= 0, "a refusal says why and where",
                   QString());
        FUZZ_CHECK(error.message().contains(QLatin1String("tabela.csv")),
                   "a refusal names the file", error.message());
    } catch (const std::exception &other) {
        fail("nothing but a TableFormatError escapes", QString::fromUtf8(other.what()));
    }
}

// The first input byte: bit 0 puts the kind's title and header in front of the rest, bit 1
// writes those lines in Latin-1, bits 2 and 3 pick the year asked (0 for the latest).
inline int fuzzTable(const uint8_t *data, size_t size, const QString &head,
                     tavi::region::TableKind kind)
{
    if (size < 1)
        return 0;
    QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    const bool withHead = data[0] & 1;
    if (withHead)
        bytes.prepend((data[0] & 2) ? head.toLatin1() : head.toUtf8());
    static const int kYears[] = {0, 2021, 2022, 1900};
    readTable(bytes, kYears[(data[0] >> 2) & 3],
              withHead ? std::optional<tavi::region::TableKind>(kind) : std::nullopt);
    return 0;
}

} // namespace fuzz
