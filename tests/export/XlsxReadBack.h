#pragma once

// Reads a saved .xlsx back with an independent reader, Debian's python3-openpyxl, so the
// tests check the file itself rather than what the writer meant to write.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace testing
{

struct ReadCell {
    QVariant value; // double for numbers, QString for texts, invalid for an empty cell
    bool bold = false;
};

struct ReadSheet {
    QMap<QPair<int, int>, ReadCell> cells; // (row, column) from 1
    QMap<QString, double> widths;          // column letters -> custom width
    ReadCell at(int row, int column) const { return cells.value({row, column}); }
};

struct ReadWorkbook {
    QStringList sheetNames;      // every sheet, in workbook order
    QStringList chartSheetNames; // the chart sheets among them
    QMap<QString, ReadSheet> sheets;
    QStringList chartXml; // xl/charts/chart*.xml, in name order
};

// Returns false with `skipReason` set when the reader is not installed; throws nothing.
inline bool readXlsx(const QString &path, ReadWorkbook *out, QString *skipReason, QString *error)
{
    static const char *const script = R"PY(
import json, sys, zipfile
try:
    import openpyxl
except ImportError:
    print("NO_OPENPYXL"); sys.exit(3)
path = sys.argv[1]
wb = openpyxl.load_workbook(path)
out = {"sheetnames": wb.sheetnames, "chartsheets": [c.title for c in wb.chartsheets],
       "sheets": {}, "charts": []}
for ws in wb.worksheets:
    cells = []
    for row in ws.iter_rows():
        for c in row:
            bold = bool(c.font and c.font.b)
            if c.value is None and not bold:
                continue
            v = c.value
            kind = "n" if isinstance(v, (int, float)) and not isinstance(v, bool) else \
                   ("e" if v is None else "s")
            cells.append([c.row, c.column, kind, float(v) if kind == "n" else v, bold])
    widths = {k: d.width for k, d in ws.column_dimensions.items() if d.customWidth}
    out["sheets"][ws.title] = {"cells": cells, "widths": widths}
with zipfile.ZipFile(path) as z:
    for n in sorted(z.namelist()):
        if n.startswith("xl/charts/chart") and n.endswith(".xml"):
            out["charts"].append(z.read(n).decode("utf-8"))
print(json.dumps(out))
)PY";
    const QString python = QStringLiteral("/usr/bin/python3");
    QProcess process;
    process.start(python, {QStringLiteral("-c"), QString::fromUtf8(script), path});
    if (!process.waitForStarted()) {
        *skipReason = QStringLiteral("%1 is not available").arg(python);
        return false;
    }
    process.waitForFinished(120000);
    const QByteArray output = process.readAllStandardOutput();
    if (process.exitCode() == 3 && output.startsWith("NO_OPENPYXL")) {
        *skipReason = QStringLiteral("python3-openpyxl is not installed");
        return false;
    }
    if (process.exitCode() != 0) {
        *error = QString::fromUtf8(process.readAllStandardError());
        return true;
    }
    const QJsonObject root = QJsonDocument::fromJson(output).object();
    for (const QJsonValue &name : root.value("sheetnames").toArray())
        out->sheetNames << name.toString();
    for (const QJsonValue &name : root.value("chartsheets").toArray())
        out->chartSheetNames << name.toString();
    const QJsonObject sheets = root.value("sheets").toObject();
    for (auto it = sheets.begin(); it != sheets.end(); ++it) {
        ReadSheet sheet;
        for (const QJsonValue &entry : it.value().toObject().value("cells").toArray()) {
            const QJsonArray c = entry.toArray();
            ReadCell cell;
            const QString kind = c.at(2).toString();
            if (kind == QLatin1String("n"))
                cell.value = c.at(3).toDouble();
            else if (kind == QLatin1String("s"))
                cell.value = c.at(3).toString();
            cell.bold = c.at(4).toBool();
            sheet.cells.insert({c.at(0).toInt(), c.at(1).toInt()}, cell);
        }
        const QJsonObject widths = it.value().toObject().value("widths").toObject();
        for (auto w = widths.begin(); w != widths.end(); ++w)
            sheet.widths.insert(w.key(), w.value().toDouble());
        out->sheets.insert(it.key(), sheet);
    }
    for (const QJsonValue &xml : root.value("charts").toArray())
        out->chartXml << xml.toString();
    return true;
}

// The raw bytes of one member of a saved package (such as "xl/worksheets/sheet1.xml"), read
// with Python's zipfile. Returns false with `error` set when it cannot be read.
inline bool readPackageMember(const QString &path, const QString &member, QByteArray *out,
                              QString *error)
{
    static const char *const script = R"PY(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    sys.stdout.buffer.write(z.read(sys.argv[2]))
)PY";
    QProcess process;
    process.start(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral("-c"), QString::fromUtf8(script), path, member});
    if (!process.waitForStarted() || !process.waitForFinished(120000) || process.exitCode() != 0) {
        *error = QString::fromUtf8(process.readAllStandardError());
        return false;
    }
    *out = process.readAllStandardOutput();
    return true;
}

} // namespace testing

// Reads `path` into `book`, skipping the test when the reader is missing and failing it
// when the file does not read.
#define READ_XLSX(path, book)                                                                      \
    do {                                                                                           \
        QString skipReason_, error_;                                                               \
        if (!testing::readXlsx((path), &(book), &skipReason_, &error_))                            \
            QSKIP(qPrintable(skipReason_));                                                        \
        QVERIFY2(error_.isEmpty(), qPrintable(error_));                                            \
    } while (false)
