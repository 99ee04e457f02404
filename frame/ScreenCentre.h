#pragma once

class QWidget;

// Moves a window to the middle of the available area of its parent's screen (or of the
// primary screen), for the windows that open there rather than over the window they cover.
// A window already shown is centred with its frame; before it is shown its frame is not
// known yet, and its own geometry is centred.
void centreOnScreen(QWidget *window);

// Moves (and, where it is larger than the screen, shrinks) a shown window so its whole frame
// lies in the available area of its screen: a window placed over another may otherwise hang
// off an edge.
void keepOnScreen(QWidget *window);
