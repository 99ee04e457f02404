#include "core/workbook/XlsxFailureReason.h"

#include "core/files/FileFailureReason.h"

#include <xlsxwriter.h>

namespace tavi
{

namespace
{

bool isFileOperation(int libraryError)
{
    switch (libraryError) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return true;
    default:
        return false;
    }
}

QString ownReason(int libraryError)
{
    switch (libraryError) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("Memória insuficiente");
    case LXW_ERROR_CREATING_XLSX_FILE:
        return QStringLiteral("O arquivo não pôde ser criado");
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return QStringLiteral("Falha nos arquivos temporários da gravação");
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
        return QStringLiteral("Falha ao compactar o arquivo");
    default:
        return QStringLiteral("Falha ao montar o arquivo");
    }
}

} // namespace

QString xlsxFailureReason(int libraryError, int systemError)
{
    if (isFileOperation(libraryError) && systemError != 0)
        return fileFailureReason(systemError);
    const char *detail = lxw_strerror(static_cast<lxw_error>(libraryError));
    return QStringLiteral("%1 (%2)").arg(ownReason(libraryError), QString::fromUtf8(detail));
}

} // namespace tavi
