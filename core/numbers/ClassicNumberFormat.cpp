#include "core/numbers/ClassicNumberFormat.h"

#include <new>

namespace tavi
{

ClassicNumberFormat::ClassicNumberFormat()
{
    // The thread's other categories (character type for file names, messages) stay as the
    // user has them; newlocale takes over the copy it is given.
    locale_t base = duplocale(uselocale(nullptr));
    if (!base)
        throw std::bad_alloc();
    m_classic = newlocale(LC_NUMERIC_MASK, "C", base);
    if (!m_classic) {
        freelocale(base);
        throw std::bad_alloc();
    }
    m_previous = uselocale(m_classic);
}

ClassicNumberFormat::~ClassicNumberFormat()
{
    uselocale(m_previous);
    freelocale(m_classic);
}

} // namespace tavi
