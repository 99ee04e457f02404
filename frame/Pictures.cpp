#include "frame/Pictures.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerCompiledResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace Pictures
{

void ensureLoaded()
{
    static const bool registered = (registerCompiledResources(), true);
    Q_UNUSED(registered);
}

QPixmap picture(const QString &name)
{
    ensureLoaded();
    return QPixmap(QStringLiteral(":/pictures/") + name);
}

} // namespace Pictures
