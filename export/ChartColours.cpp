#include "export/ChartColours.h"

namespace ChartColours
{

QColor series(int index)
{
    // Told apart at a glance, and by most readers who do not see red from green.
    static const QColor colours[kCount] = {
        QColor(0x3b, 0x7d, 0xd8), QColor(0xd9, 0x8c, 0x2b), QColor(0x4c, 0xa6, 0x4c),
        QColor(0xd6, 0x27, 0x28), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
        QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22),
        QColor(0x17, 0xbe, 0xcf),
    };
    return colours[((index % kCount) + kCount) % kCount];
}

} // namespace ChartColours
