#include "core/files/FileReplacement.h"

#include "core/files/FileFailureReason.h"
#include "core/files/FileOperations.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavi
{

namespace
{

// As many links in a row as the system follows before it gives up with ELOOP.
constexpr int kMostLinksFollowed = 40;

// Whether an existing file must not be replaced. The write bits are read as well as
// access(): a process with every privilege may write anything, and would otherwise replace
// a file its owner marked read-only.
bool isReadOnly(const QString &file)
{
    const QByteArray name = QFile::encodeName(file);
    struct stat status {
    };
    if (::stat(name.constData(), &status) != 0 || S_ISDIR(status.st_mode))
        return false;
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           ::access(name.constData(), W_OK) != 0;
}

} // namespace

FileReplacement::FileReplacement(const QString &target) : m_target(target) {}

FileReplacement::~FileReplacement()
{
    removeTemporary();
}

void FileReplacement::removeTemporary()
{
    if (!m_temporary.isEmpty())
        ::unlink(QFile::encodeName(m_temporary).constData());
    m_temporary.clear();
}

QString FileReplacement::folder() const
{
    return QFileInfo(m_realFile).absolutePath();
}

QString FileReplacement::resolveLinks(QString *problem) const
{
    QString file = QFileInfo(m_target).absoluteFilePath();
    for (int followed = 0; QFileInfo(file).isSymLink(); ++followed) {
        if (followed == kMostLinksFollowed) {
            *problem = fileFailureReason(ELOOP);
            return QString();
        }
        file = QFileInfo(file).symLinkTarget();
    }
    return file;
}

QString FileReplacement::begin()
{
    QString problem;
    m_realFile = resolveLinks(&problem);
    if (!problem.isEmpty())
        return problem;
    const QFileInfo real(m_realFile);
    if (real.isDir())
        return fileFailureReason(EISDIR);
    if (!QFileInfo(real.absolutePath()).isDir())
        return fileFailureReason(ENOENT);
    if (isReadOnly(m_realFile))
        return readOnlyFileReason();

    QByteArray pattern = QFile::encodeName(real.absolutePath() + QStringLiteral("/.tavi-XXXXXX"));
    const int descriptor = fileOperations().createTemporary(pattern.data());
    if (descriptor < 0)
        return fileFailureReason(errno);
    ::close(descriptor);
    m_temporary = QFile::decodeName(pattern);
    return QString();
}

QString FileReplacement::commit(QFileDevice::Permissions newFilePermissions)
{
    const bool replacing = QFileInfo::exists(m_realFile);
    QFile::setPermissions(m_temporary,
                          replacing ? QFile::permissions(m_realFile) : newFilePermissions);

    const QByteArray temporary = QFile::encodeName(m_temporary);
    const int descriptor = ::open(temporary.constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return fileFailureReason(errno);
    const int flushed = fileOperations().flush(descriptor);
    const int flushError = errno;
    ::close(descriptor);
    if (flushed != 0)
        return fileFailureReason(flushError);

    // Checked again at the last moment: the file may have been made read-only meanwhile.
    if (isReadOnly(m_realFile))
        return readOnlyFileReason();
    if (fileOperations().rename(temporary.constData(), QFile::encodeName(m_realFile).constData()) !=
        0)
        return fileFailureReason(errno);
    m_temporary.clear();
    return QString();
}

} // namespace tavi
