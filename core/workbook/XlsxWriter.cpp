#include "core/workbook/XlsxWriter.h"

#include "core/files/FileReplacement.h"
#include "core/numbers/ClassicNumberFormat.h"
#include "core/workbook/Workbook.h"
#include "core/workbook/WorkbookError.h"
#include "core/workbook/XlsxFailureReason.h"

#include <QDir>
#include <QFile>

#include <xlsxwriter.h>

#include <cerrno>
#include <new>

namespace tavi
{

namespace
{

QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("Não foi possível salvar o arquivo \"%1\": %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

QString libraryReason(lxw_error error)
{
    return xlsxFailureReason(error, 0);
}

QString outOfMemory()
{
    return QStringLiteral("Memória insuficiente");
}

// Builds the .xlsx package of a workbook with libxlsxwriter, into one file.
class PackageWriter
{
public:
    PackageWriter(const QByteArray &file, const QByteArray &scratchFolder)
        : m_scratch(scratchFolder)
    {
        lxw_workbook_options options = {};
        // Its scratch files go to the folder the user chose, like the file itself.
        options.tmpdir = m_scratch.data();
        m_book = workbook_new_opt(file.constData(), &options);
    }
    ~PackageWriter()
    {
        if (m_book)
            lxw_workbook_free(m_book);
    }
    PackageWriter(const PackageWriter &) = delete;
    PackageWriter &operator=(const PackageWriter &) = delete;

    // Returns an empty text on success, otherwise why it failed.
    QString write(const Workbook &workbook)
    {
        if (!m_book)
            return outOfMemory();
        m_bold = workbook_add_format(m_book);
        format_set_bold(m_bold);
        for (int i = 1; i <= workbook.sheetCount(); ++i) {
            const Workbook::Sheet &sheet = workbook.sheet(i);
            const QString problem =
                sheet.isChart() ? addChart(workbook, sheet) : addWorksheet(sheet);
            if (!problem.isEmpty())
                return problem;
        }
        lxw_workbook *book = m_book;
        m_book = nullptr; // closing frees it, whatever the outcome
        // The library reports a failed file operation by its own code alone; what the
        // system said is left in errno, and tells the user more (a full disk, say).
        errno = 0;
        const lxw_error closed = workbook_close(book);
        const int systemError = errno;
        return closed == LXW_NO_ERROR ? QString() : xlsxFailureReason(closed, systemError);
    }

private:
    QString addWorksheet(const Workbook::Sheet &sheet)
    {
        lxw_worksheet *out = workbook_add_worksheet(m_book, sheet.name.toUtf8().constData());
        if (!out)
            return QStringLiteral("a planilha '%1' não pôde ser criada").arg(sheet.name);
        for (const auto &[column, width] : sheet.worksheet->fittedWidths()) {
            const lxw_error e = worksheet_set_column(out, column - 1, column - 1, width, nullptr);
            if (e != LXW_NO_ERROR)
                return libraryReason(e);
        }
        lxw_error e = LXW_NO_ERROR;
        sheet.worksheet->forEachCell([&](int row, int column, const WorkbookCell &cell) {
            if (e != LXW_NO_ERROR)
                return;
            lxw_format *format = cell.bold ? m_bold : nullptr;
            const lxw_row_t r = row - 1;
            const lxw_col_t c = column - 1;
            switch (cell.kind) {
            case WorkbookCell::Kind::Number:
                e = worksheet_write_number(out, r, c, cell.number, format);
                break;
            case WorkbookCell::Kind::Text:
                e = worksheet_write_string(out, r, c, cell.text.toUtf8().constData(), format);
                break;
            case WorkbookCell::Kind::Empty:
                if (format)
                    e = worksheet_write_blank(out, r, c, format);
                break;
            }
        });
        return e == LXW_NO_ERROR ? QString() : libraryReason(e);
    }

    QString addChart(const Workbook &workbook, const Workbook::Sheet &sheet)
    {
        const WorkbookChart &chart = *sheet.chart;
        std::vector<QByteArray> references;
        std::vector<QByteArray> categories;
        std::vector<QByteArray> names;
        const auto formula = [](const CellRange &range) {
            return (QLatin1Char('=') + absoluteReference(range)).toUtf8();
        };
        for (int s = 1; s <= chart.seriesCount(); ++s)
            if (chart.series(s).values) {
                references.push_back(formula(*chart.series(s).values));
                const std::optional<CellRange> &named = chart.series(s).categories;
                categories.push_back(named ? formula(*named) : QByteArray());
                names.push_back(seriesHeading(workbook, *chart.series(s).values).toUtf8());
            }
        if (references.empty())
            return QString();
        lxw_chartsheet *out = workbook_add_chartsheet(m_book, sheet.name.toUtf8().constData());
        const uint8_t type = chart.isColumn()    ? LXW_CHART_COLUMN_STACKED
                             : chart.isArea()    ? LXW_CHART_AREA_STACKED
                             : chart.isStacked() ? LXW_CHART_LINE_STACKED
                                                 : LXW_CHART_LINE;
        lxw_chart *drawn = workbook_add_chart(m_book, type);
        if (!out || !drawn)
            return QStringLiteral("o gráfico '%1' não pôde ser criado").arg(sheet.name);
        for (std::size_t i = 0; i < references.size(); ++i) {
            lxw_chart_series *series = chart_add_series(
                drawn, categories[i].isEmpty() ? nullptr : categories[i].constData(),
                references[i].constData());
            if (!series)
                return QStringLiteral("o gráfico '%1' não pôde ser criado").arg(sheet.name);
            // A series without a heading keeps the name the spreadsheet gives it.
            if (!names[i].isEmpty())
                chart_series_set_name(series, names[i].constData());
        }
        const lxw_error e = chartsheet_set_chart(out, drawn);
        return e == LXW_NO_ERROR ? QString() : libraryReason(e);
    }

    QByteArray m_scratch;
    lxw_workbook *m_book = nullptr;
    lxw_format *m_bold = nullptr;
};

// The library prints cell values and column widths with printf, so the package is built with
// a decimal point whatever the user's locale: the file format knows no other.
bool writePackage(const Workbook &workbook, const QString &file, const QString &folder,
                  QString *problem)
{
    try {
        const ClassicNumberFormat classicNumbers;
        *problem =
            PackageWriter(QFile::encodeName(file), QFile::encodeName(folder)).write(workbook);
    } catch (const std::bad_alloc &) {
        *problem = outOfMemory();
    }
    return problem->isEmpty();
}

} // namespace

void saveXlsx(const Workbook &workbook, const QString &path)
{
    FileReplacement replacement(path);
    QString problem = replacement.begin();
    if (problem.isEmpty())
        writePackage(workbook, replacement.temporaryPath(), replacement.folder(), &problem);
    // A new file gets the usual permissions of a document.
    if (problem.isEmpty())
        problem = replacement.commit(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                     QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (!problem.isEmpty())
        throw WorkbookError(failure(path, problem));
}

} // namespace tavi
