#pragma once

#include <QFont>

// The fonts of the module windows, asked for by name; where Verdana or MS Sans Serif is not
// installed, Qt falls back to a close sans-serif face.
namespace Fonts
{
QFont verdana(int pixelSize, bool bold = false, bool italic = false);
QFont windowFont(); // MS Sans Serif, 11 pixels
} // namespace Fonts
