#include "core/region/RegionRecovery.h"

namespace tavi::region
{

struct RegionRecovery::Copies {
};

RegionRecovery::RegionRecovery(const QString &) : m_copies(std::make_unique<Copies>()) {}
RegionRecovery::~RegionRecovery() = default;
QString RegionRecovery::defaultFolder()
{
    return {};
}
void RegionRecovery::write(const Region &, const QString &) {}
void RegionRecovery::remove() {}
void RegionRecovery::waitForWrites() {}
QString RegionRecovery::ownCopyPath() const
{
    return {};
}
std::optional<RegionRecovery::Orphan> RegionRecovery::findOrphan()
{
    return std::nullopt;
}
void RegionRecovery::discard(const Orphan &) {}

} // namespace tavi::region
