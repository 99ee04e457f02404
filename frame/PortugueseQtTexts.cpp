#include "frame/PortugueseQtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void installPortugueseQtTexts()
{
    static bool installed = false;
    if (installed || !QCoreApplication::instance())
        return;
    installed = true;
    // Debian ships the catalogue in qt6-translations-l10n, which the set-up and the package
    // install; it covers every Qt text the program shows (the tests look for English ones).
    static QTranslator qtbase;
    if (qtbase.load(QStringLiteral("qtbase_pt_BR"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtbase);
}
