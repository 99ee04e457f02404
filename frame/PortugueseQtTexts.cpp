#include "frame/PortugueseQtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace
{

// What Debian's catalogue leaves in English in the windows the program shows: the file
// dialog's type column among them.
class MissingPortuguese : public QTranslator
{
public:
    bool isEmpty() const override { return false; }

    QString translate(const char *context, const char *source, const char *, int) const override
    {
        static const struct {
            const char *context;
            const char *source;
            const char *text;
        } texts[] = {
            {"QAbstractFileIconProvider", "Folder", "Pasta"},
            {"QAbstractFileIconProvider", "Drive", "Unidade"},
            {"QAbstractFileIconProvider", "File", "Arquivo"},
            {"QAbstractFileIconProvider", "%1 File", "Arquivo %1"},
        };
        for (const auto &entry : texts)
            if (qstrcmp(context, entry.context) == 0 && qstrcmp(source, entry.source) == 0)
                return QString::fromUtf8(entry.text);
        return QString();
    }
};

} // namespace

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
    // Installed last, so asked first.
    static MissingPortuguese missing;
    QCoreApplication::installTranslator(&missing);
}
