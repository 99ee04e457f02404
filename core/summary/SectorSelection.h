#pragma once

#include "core/sectors/catalogue/Sectors.h"

#include <array>

namespace tavi
{

// The sectors a summary computes: all four, as the summary window has them, or the few the
// command line asks for. A sector left out is neither computed nor totalled.
class SectorSelection
{
public:
    SectorSelection() { m_chosen.fill(true); }

    static SectorSelection none()
    {
        SectorSelection selection;
        selection.m_chosen.fill(false);
        return selection;
    }

    void add(SectorId id) { m_chosen[index(id)] = true; }
    bool contains(SectorId id) const { return m_chosen[index(id)]; }
    bool containsAll() const
    {
        for (bool chosen : m_chosen)
            if (!chosen)
                return false;
        return true;
    }

    bool operator==(const SectorSelection &other) const { return m_chosen == other.m_chosen; }

private:
    static std::size_t index(SectorId id) { return static_cast<std::size_t>(id); }

    std::array<bool, kSectorCount> m_chosen;
};

} // namespace tavi
