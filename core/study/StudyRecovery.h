#pragma once

#include "core/files/RecoveryCopies.h"
#include "core/study/StudyFile.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace tavi
{

// The recovery copy of a study with unsaved changes: written beside the user's data while the
// program runs, so that a crash loses at most the last few seconds of typing. Each running
// program has a copy of its own, held by a lock; a copy whose program is gone (the lock is
// stale) is an orphan, which the next start offers to restore.
class StudyRecovery
{
public:
    // `folder`: where the copies live; the user's data folder by default.
    explicit StudyRecovery(const QString &folder = defaultFolder());
    ~StudyRecovery();
    StudyRecovery(const StudyRecovery &) = delete;
    StudyRecovery &operator=(const StudyRecovery &) = delete;

    static QString defaultFolder();

    // Writes the copy in the background; a later write replaces an earlier one. Failures are
    // silent: the copy is a safety net, not the user's file.
    void write(const Study &study, const QString &originalPath,
               const StudyRegionLink &regionLink = StudyRegionLink());
    // Removes this program's copy, once any write in flight has ended.
    void remove();
    // Waits for the write in flight, if any.
    void waitForWrites();
    QString ownCopyPath() const { return m_copies.ownCopyPath(); }

    struct Orphan {
        QString copyPath;
        QDateTime written;
        StudyReading reading;
    };
    // The newest copy left by a program that is gone and that still reads, if any; copies
    // that no longer read are removed.
    std::optional<Orphan> findOrphan();
    // Removes an orphan copy once it has been restored or declined.
    void discard(const Orphan &orphan);

private:
    RecoveryCopies m_copies;
};

} // namespace tavi
