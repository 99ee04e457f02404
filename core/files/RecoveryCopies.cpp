#include "core/files/RecoveryCopies.h"

#include "core/files/WholeFileWrite.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>

namespace tavi
{

namespace
{

const QString kCopyPrefix = QStringLiteral("recuperacao-");
const QString kLockSuffix = QStringLiteral(".lock");

QString lockPathOf(const QString &copyPath)
{
    return copyPath + kLockSuffix;
}

} // namespace

RecoveryCopies::RecoveryCopies(const QString &folder, const QString &suffix)
    : m_folder(folder), m_suffix(suffix), m_latest(std::make_shared<std::atomic<quint64>>(0))
{
    m_writer.setMaxThreadCount(1);
    QDir().mkpath(m_folder);
    m_ownCopy = QDir(m_folder).filePath(
        kCopyPrefix + QString::number(QCoreApplication::applicationPid()) + m_suffix);
    m_lock = std::make_unique<QLockFile>(lockPathOf(m_ownCopy));
    // A live program's lock never goes stale with age; only its end frees it.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        // An unremovable lock of a gone program with this process number: its copy is not
        // ours to overwrite, so ours gets a name of its own.
        m_ownCopy = QDir(m_folder).filePath(
            kCopyPrefix + QString::number(QCoreApplication::applicationPid()) +
            QStringLiteral("-") + QString::number(QDateTime::currentMSecsSinceEpoch()) + m_suffix);
        m_lock = std::make_unique<QLockFile>(lockPathOf(m_ownCopy));
        m_lock->setStaleLockTime(0);
        m_lock->tryLock(0);
    }
}

RecoveryCopies::~RecoveryCopies()
{
    m_writer.waitForDone();
}

void RecoveryCopies::write(std::function<QByteArray()> content)
{
    const quint64 generation = ++*m_latest;
    m_writer.start([path = m_ownCopy, latest = m_latest, generation, content = std::move(content)] {
        if (latest->load() != generation)
            return;
        try {
            writeWholeFile(path, content());
        } catch (...) {
            // A copy that cannot be made leaves the last one; the user's work is untouched.
        }
    });
}

void RecoveryCopies::waitForWrites()
{
    m_writer.waitForDone();
}

void RecoveryCopies::remove()
{
    m_writer.waitForDone();
    QFile::remove(m_ownCopy);
}

QFileInfoList RecoveryCopies::orphanCopies()
{
    // A program that ended before writing any copy leaves only its lock: taking a stale lock
    // and letting it go removes it.
    const QDir folder(m_folder);
    const QString pattern = kCopyPrefix + QLatin1Char('*') + m_suffix;
    for (const QString &lockName : folder.entryList({pattern + kLockSuffix})) {
        const QString lockPath = folder.filePath(lockName);
        if (lockPath == lockPathOf(m_ownCopy) ||
            QFile::exists(lockPath.chopped(kLockSuffix.size())))
            continue;
        QLockFile lock(lockPath);
        lock.setStaleLockTime(0);
        if (lock.tryLock(0))
            lock.unlock();
    }
    QFileInfoList orphans;
    const QFileInfo own(m_ownCopy);
    for (const QFileInfo &copy : folder.entryInfoList({pattern}, QDir::Files, QDir::Time)) {
        if (copy.absoluteFilePath() == own.absoluteFilePath())
            continue;
        QLockFile lock(lockPathOf(copy.absoluteFilePath()));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue; // its program is still running
        lock.unlock();
        orphans << copy;
    }
    return orphans;
}

void RecoveryCopies::discard(const QString &copyPath)
{
    QFile::remove(copyPath);
    QFile::remove(lockPathOf(copyPath));
}

} // namespace tavi
