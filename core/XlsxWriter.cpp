#include "core/XlsxWriter.h"

#include "core/ClassicNumberFormat.h"
#include "core/Workbook.h"
#include "core/WorkbookError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <unistd.h>

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
    return QString::fromUtf8(lxw_strerror(error));
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
            return QStringLiteral("sem memória para montar o arquivo");
        m_bold = workbook_add_format(m_book);
        format_set_bold(m_bold);
        for (int i = 1; i <= workbook.sheetCount(); ++i) {
            const Workbook::Sheet &sheet = workbook.sheet(i);
            const QString problem = sheet.isChart() ? addChart(sheet) : addWorksheet(sheet);
            if (!problem.isEmpty())
                return problem;
        }
        lxw_workbook *book = m_book;
        m_book = nullptr; // closing frees it, whatever the outcome
        const lxw_error closed = workbook_close(book);
        return closed == LXW_NO_ERROR ? QString() : libraryReason(closed);
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

    QString addChart(const Workbook::Sheet &sheet)
    {
        const WorkbookChart &chart = *sheet.chart;
        std::vector<QByteArray> references;
        for (int s = 1; s <= chart.seriesCount(); ++s)
            if (chart.series(s).values)
                references.push_back(
                    (QLatin1Char('=') + absoluteReference(*chart.series(s).values)).toUtf8());
        if (references.empty())
            return QString();
        lxw_chartsheet *out = workbook_add_chartsheet(m_book, sheet.name.toUtf8().constData());
        lxw_chart *drawn =
            workbook_add_chart(m_book, chart.isStacked() ? LXW_CHART_LINE_STACKED : LXW_CHART_LINE);
        if (!out || !drawn)
            return QStringLiteral("o gráfico '%1' não pôde ser criado").arg(sheet.name);
        for (const QByteArray &reference : references)
            if (!chart_add_series(drawn, nullptr, reference.constData()))
                return QStringLiteral("o gráfico '%1' não pôde ser criado").arg(sheet.name);
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
        *problem = QStringLiteral("sem memória para montar o arquivo");
    }
    return problem->isEmpty();
}

// Flushes a finished file to the disk, so the rename never exposes an empty file.
bool flushToDisk(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return ::fsync(file.handle()) == 0;
}

} // namespace

void saveXlsx(const Workbook &workbook, const QString &path)
{
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    if (target.isDir())
        throw WorkbookError(failure(path, QStringLiteral("é uma pasta")));
    if (!QFileInfo(folder).isDir())
        throw WorkbookError(failure(path, QStringLiteral("a pasta não existe")));

    QTemporaryFile scratch(folder + QStringLiteral("/.") + target.fileName() +
                           QStringLiteral(".XXXXXX"));
    if (!scratch.open())
        throw WorkbookError(failure(path, scratch.errorString()));
    const QString scratchPath = scratch.fileName();
    scratch.close();

    QString problem;
    if (!writePackage(workbook, scratchPath, folder, &problem))
        throw WorkbookError(failure(path, problem));

    // A replaced file keeps its permissions; a new one gets the usual ones for a document.
    const QFileDevice::Permissions permissions =
        target.exists() ? QFile::permissions(path)
                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                              QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QFile::setPermissions(scratchPath, permissions);
    if (!flushToDisk(scratchPath))
        throw WorkbookError(failure(path, QStringLiteral("falha ao gravar no disco")));
    // rename() replaces the target in one step; QFile::rename would refuse an existing one.
    if (std::rename(QFile::encodeName(scratchPath).constData(),
                    QFile::encodeName(path).constData()) != 0)
        throw WorkbookError(failure(path, QString::fromLocal8Bit(std::strerror(errno))));
    scratch.setAutoRemove(false);
}

} // namespace tavi
