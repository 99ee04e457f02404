#include "core/files/WholeFileWrite.h"

#include "core/files/FileFailureReason.h"
#include "core/files/FileReplacement.h"

#include <QFile>

#include <cerrno>

namespace tavi
{

QString writeWholeFile(const QString &path, const QByteArray &content)
{
    FileReplacement replacement(path);
    QString problem = replacement.begin();
    if (problem.isEmpty()) {
        QFile file(replacement.temporaryPath());
        errno = 0;
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(content) != content.size() || !file.flush())
            problem = fileFailureReason(errno ? errno : EIO);
        file.close();
    }
    if (problem.isEmpty())
        problem = replacement.commit(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                     QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return problem;
}

} // namespace tavi
