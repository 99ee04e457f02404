#include "core/study/StudyRecovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace tavi
{

namespace
{

const QString kCopyPrefix = QStringLiteral("recuperacao-");
const QString kCopySuffix = QStringLiteral(".tavi");
const QString kLockSuffix = QStringLiteral(".lock");

QString lockPathOf(const QString &copyPath)
{
    return copyPath + kLockSuffix;
}

} // namespace

QString StudyRecovery::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

StudyRecovery::StudyRecovery(const QString &folder) : m_folder(folder)
{
    m_writer.setMaxThreadCount(1);
    QDir().mkpath(m_folder);
    m_ownCopy = QDir(m_folder).filePath(
        kCopyPrefix + QString::number(QCoreApplication::applicationPid()) + kCopySuffix);
    m_lock = std::make_unique<QLockFile>(lockPathOf(m_ownCopy));
    // A live program's lock never goes stale with age; only its end frees it.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        // An unremovable lock of a gone program with this process number: its copy is not
        // ours to overwrite, so ours gets a name of its own.
        m_ownCopy = QDir(m_folder).filePath(
            kCopyPrefix + QString::number(QCoreApplication::applicationPid()) +
            QStringLiteral("-") + QString::number(QDateTime::currentMSecsSinceEpoch()) +
            kCopySuffix);
        m_lock = std::make_unique<QLockFile>(lockPathOf(m_ownCopy));
        m_lock->setStaleLockTime(0);
        m_lock->tryLock(0);
    }
}

StudyRecovery::~StudyRecovery()
{
    m_writer.waitForDone();
}

void StudyRecovery::write(const Study &study, const QString &originalPath,
                          const StudyRegionLink &regionLink)
{
    const QByteArray content = writeStudy(study, originalPath, regionLink);
    const QString path = m_ownCopy;
    // The copy is written whole in the background: one at a time, the last one winning.
    m_writer.start([path, content] {
        try {
            saveStudyContent(path, content);
        } catch (const TaviError &) {
        }
    });
}

void StudyRecovery::waitForWrites()
{
    m_writer.waitForDone();
}

void StudyRecovery::remove()
{
    m_writer.waitForDone();
    QFile::remove(m_ownCopy);
}

std::optional<StudyRecovery::Orphan> StudyRecovery::findOrphan()
{
    // A program that ended before writing any copy leaves only its lock: taking a stale lock
    // and letting it go removes it.
    const QDir folder(m_folder);
    for (const QString &lockName :
         folder.entryList({kCopyPrefix + QLatin1Char('*') + kCopySuffix + kLockSuffix})) {
        const QString lockPath = folder.filePath(lockName);
        if (lockPath == lockPathOf(m_ownCopy) ||
            QFile::exists(lockPath.chopped(kLockSuffix.size())))
            continue;
        QLockFile lock(lockPath);
        lock.setStaleLockTime(0);
        if (lock.tryLock(0))
            lock.unlock();
    }
    QFileInfoList copies = QDir(m_folder).entryInfoList(
        {kCopyPrefix + QLatin1Char('*') + kCopySuffix}, QDir::Files, QDir::Time);
    for (const QFileInfo &copy : copies) {
        if (copy.absoluteFilePath() == QFileInfo(m_ownCopy).absoluteFilePath())
            continue;
        QLockFile lock(lockPathOf(copy.absoluteFilePath()));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue; // its program is still running
        lock.unlock();
        try {
            Orphan orphan{copy.absoluteFilePath(), copy.lastModified(),
                          loadStudyFile(copy.absoluteFilePath())};
            return orphan;
        } catch (const TaviError &) {
            QFile::remove(copy.absoluteFilePath());
        }
    }
    return std::nullopt;
}

void StudyRecovery::discard(const Orphan &orphan)
{
    QFile::remove(orphan.copyPath);
    QFile::remove(lockPathOf(orphan.copyPath));
}

} // namespace tavi
