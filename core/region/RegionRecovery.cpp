#include "core/region/RegionRecovery.h"

#include "core/files/RecoveryCopies.h"

#include <QFile>
#include <QStandardPaths>

namespace tavi::region
{

struct RegionRecovery::Copies {
    explicit Copies(const QString &folder) : keeper(folder, QLatin1Char('.') + kRegionFileSuffix) {}
    RecoveryCopies keeper;
};

QString RegionRecovery::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

RegionRecovery::RegionRecovery(const QString &folder) : m_copies(std::make_unique<Copies>(folder))
{
}

RegionRecovery::~RegionRecovery() = default;

void RegionRecovery::write(const Region &region, const QString &originalPath)
{
    // A region of thousands of municipalities takes a while to write out: that is done in the
    // background too, on a copy, so that typing never waits for it.
    m_copies->keeper.write([region, originalPath] { return writeRegion(region, originalPath); });
}

void RegionRecovery::remove()
{
    m_copies->keeper.remove();
}

void RegionRecovery::waitForWrites()
{
    m_copies->keeper.waitForWrites();
}

QString RegionRecovery::ownCopyPath() const
{
    return m_copies->keeper.ownCopyPath();
}

std::optional<RegionRecovery::Orphan> RegionRecovery::findOrphan()
{
    for (const QFileInfo &copy : m_copies->keeper.orphanCopies()) {
        try {
            return Orphan{copy.absoluteFilePath(), copy.lastModified(),
                          loadRegionFile(copy.absoluteFilePath())};
        } catch (const TaviError &) {
            QFile::remove(copy.absoluteFilePath());
        }
    }
    return std::nullopt;
}

void RegionRecovery::discard(const Orphan &orphan)
{
    m_copies->keeper.discard(orphan.copyPath);
}

} // namespace tavi::region
