#include "cli/OutputFile.h"

#include "core/base/TaviError.h"
#include "core/files/FileFailureReason.h"
#include "core/files/FileReplacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace tavi::cli
{

QString outputFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Não foi possível salvar o arquivo \"%1\": %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

bool isSameFile(const QString &a, const QString &b)
{
    const QFileInfo first(a), second(b);
    return first.exists() && second.exists() &&
           first.canonicalFilePath() == second.canonicalFilePath();
}

QString replaceFile(const QString &path, const std::function<void(QIODevice &)> &fill)
{
    FileReplacement replacement(path);
    QString problem = replacement.begin();
    if (problem.isEmpty()) {
        QFile file(replacement.temporaryPath());
        errno = 0;
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            problem = fileFailureReason(errno ? errno : EIO);
        } else {
            try {
                fill(file);
            } catch (const TaviError &error) {
                problem = error.message();
            }
            if (problem.isEmpty() && (file.error() != QFileDevice::NoError || !file.flush()))
                problem = fileFailureReason(errno ? errno : EIO);
            file.close();
        }
    }
    // A new file gets the usual permissions of a document.
    if (problem.isEmpty())
        problem = replacement.commit(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                     QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return problem.isEmpty() ? QString() : outputFailure(path, problem);
}

} // namespace tavi::cli
