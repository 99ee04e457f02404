#include "frame/WideWindowFrame.h"

#include "frame/ModuleWindow.h"

#include <QPushButton>
#include <QToolButton>

namespace
{

// The frame's buttons sit at the top right, as wide as the title block is tall.
constexpr int kButtonWidth = 75;
constexpr int kButtonGap = 6;
constexpr int kTopHeight = 64;
constexpr int kTopBarLeft = 320;

} // namespace

void placeWideFrame(ModuleWindow &window, QWidget *topBar, QWidget *split)
{
    if (!split || !window.salvarButton())
        return;
    const int right = window.width() - 9;
    window.sairButton()->move(right - kButtonWidth, 3);
    window.salvarButton()->move(right - 2 * kButtonWidth - kButtonGap, 3);
    topBar->setGeometry(kTopBarLeft, 3, window.salvarButton()->x() - kTopBarLeft - 12,
                        kTopHeight - 6);
    split->setGeometry(9, kTopHeight, window.width() - 18, window.height() - kTopHeight - 9);
}

QPushButton *newBarButton(const QString &name, const QString &text, const QString &tip,
                          QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    // Enter in a field moves on; it never presses a button the user is not on.
    button->setAutoDefault(false);
    return button;
}
