#pragma once

class QApplication;
class QWidget;

// Names for assistive technology (Lei 13.146/2015): every field, list, grid, button and chart
// is announced by its caption, and its unit is its description, as a sighted user reads them
// off the window.
namespace AccessibleNames
{

// Gives each control of `window` that has no accessible name one from the captions around
// it: a field its label (the buddy, else the caption before it on its line, else the one
// above it) and its unit (the caption after it) as description; a grid or chart the heading
// of its panel; a panel its heading; a button its text, else its tool tip.
void nameControls(QWidget *window);

// Names the controls of every window of the program as it is shown.
void install(QApplication *application);

} // namespace AccessibleNames
