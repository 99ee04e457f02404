#include "export/SaveLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace SaveLocation
{

namespace
{
const QString kFolderKey = QStringLiteral("salvar/ultimaPasta");

// Named explicitly rather than from the application object, so the same settings are read
// whatever started the code (the program or a test).
QSettings &settings()
{
    static QSettings stored(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tavi"),
                            QStringLiteral("Tavi"));
    return stored;
}

QString defaultFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}
} // namespace

QString lastFolder()
{
    return settings().value(kFolderKey).toString();
}

void rememberSavedFile(const QString &path)
{
    settings().setValue(kFolderKey, QFileInfo(path).absolutePath());
    settings().sync();
}

QString dialogStart(const QString &suggestedName)
{
    if (QFileInfo(suggestedName).isAbsolute())
        return suggestedName;
    const QString remembered = lastFolder();
    const QString folder =
        !remembered.isEmpty() && QFileInfo(remembered).isDir() ? remembered : defaultFolder();
    return QDir(folder).filePath(suggestedName);
}

QString withXlsxExtension(const QString &path)
{
    if (path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return path;
    return path + QStringLiteral(".xlsx");
}

} // namespace SaveLocation
