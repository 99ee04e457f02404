#include "core/base/ApplicationTitle.h"

#include <QCoreApplication>

namespace tavi
{

QString titleFromFileName(const QString &fileName)
{
    // Both separators, so a name written the Windows way is cut the same way.
    const qsizetype slash =
        qMax(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    QString name = fileName.mid(slash + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return name;
    return name.left(1).toUpper() + name.mid(1).toLower();
}

QString applicationTitle()
{
    return titleFromFileName(QCoreApplication::applicationFilePath());
}

} // namespace tavi
