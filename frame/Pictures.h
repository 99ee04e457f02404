#pragma once

#include <QPixmap>
#include <QString>

// The pictures compiled into the program (resources/resources.qrc).
namespace Pictures
{

// Makes sure the compiled-in pictures are registered. The resource object sits in a static
// library, and the linker keeps it only when something refers to it; this is that reference.
void ensureLoaded();

// The picture ":/pictures/<name>", e.g. picture("main.jpg").
QPixmap picture(const QString &name);

} // namespace Pictures
