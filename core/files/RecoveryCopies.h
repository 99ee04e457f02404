#pragma once

#include <QByteArray>
#include <QFileInfoList>
#include <QLockFile>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>

namespace tavi
{

// The recovery copies of one kind of document (studies, regions), kept in a folder beside the
// user's data while the program runs, so that a crash loses at most the last few seconds of
// work. Each running program has a copy of its own, held by a lock; a copy whose program is
// gone (the lock is stale) is an orphan, which the next start offers to restore.
class RecoveryCopies
{
public:
    // Copies are named "recuperacao-<process><suffix>" (suffix ".tavi", ".tavi-regiao").
    RecoveryCopies(const QString &folder, const QString &suffix);
    ~RecoveryCopies();
    RecoveryCopies(const RecoveryCopies &) = delete;
    RecoveryCopies &operator=(const RecoveryCopies &) = delete;

    // Makes the content and writes the copy in the background, one write at a time; a write
    // still waiting when a later one comes is dropped, since only the last one counts. Failures
    // are silent: the copy is a safety net, not the user's file.
    void write(std::function<QByteArray()> content);
    void waitForWrites();
    // Removes this program's copy, once any write in flight has ended.
    void remove();
    const QString &ownCopyPath() const { return m_ownCopy; }

    // The copies left by programs that are gone, newest first. Locks left without a copy by a
    // program that ended before writing one are cleared on the way.
    QFileInfoList orphanCopies();
    // Removes an orphan copy and its lock.
    void discard(const QString &copyPath);

private:
    QString m_folder;
    QString m_suffix;
    QString m_ownCopy;
    std::unique_ptr<QLockFile> m_lock;
    // The latest write asked for; a queued write that is no longer the latest is skipped.
    std::shared_ptr<std::atomic<quint64>> m_latest;
    QThreadPool m_writer;
};

} // namespace tavi
