#pragma once

class QWidget;

// Gives activation back to the window that a box or window of the program covered, at
// once. Without a window manager (and under test) Qt does not do this by itself, and a
// module window's activation handler must run before anything that closes the box does next.
void giveActivationBack(QWidget *covered);
