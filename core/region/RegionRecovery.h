#pragma once

#include "core/region/RegionFile.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>

// The recovery copy of a region with unsaved changes, as StudyRecovery keeps one of a study:
// written in the background while the region window is open, so that a crash loses at most
// the last few seconds of work, and offered back at the next opening of the window.
namespace tavi::region
{

class RegionRecovery
{
public:
    explicit RegionRecovery(const QString &folder = defaultFolder());
    ~RegionRecovery();
    RegionRecovery(const RegionRecovery &) = delete;
    RegionRecovery &operator=(const RegionRecovery &) = delete;

    static QString defaultFolder();

    void write(const Region &region, const QString &originalPath);
    void remove();
    void waitForWrites();
    QString ownCopyPath() const;

    struct Orphan {
        QString copyPath;
        QDateTime written;
        RegionReading reading;
    };
    std::optional<Orphan> findOrphan();
    void discard(const Orphan &orphan);

private:
    struct Copies;
    std::unique_ptr<Copies> m_copies;
};

} // namespace tavi::region
