#include "frame/Fonts.h"

#include <QStringList>

namespace Fonts
{

// Verdana and MS Sans Serif are Windows faces. DejaVu Sans descends from Verdana's sibling
// Bitstream Vera and has nearly its metrics; Liberation Sans is close to the width of
// MS Sans Serif, so captions laid out for it still fit.
static void installSubstitutes()
{
    static const bool installed = [] {
        QFont::insertSubstitutions(
            QStringLiteral("Verdana"),
            QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans")});
        QFont::insertSubstitutions(
            QStringLiteral("MS Sans Serif"),
            QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                        QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    (void)installed;
}

QFont verdana(int pixelSize, bool bold, bool italic)
{
    installSubstitutes();
    QFont font(QStringLiteral("Verdana"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont windowFont()
{
    installSubstitutes();
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

} // namespace Fonts
