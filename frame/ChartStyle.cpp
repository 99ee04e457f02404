#include "frame/ChartStyle.h"

#include "core/base/LocaleSettings.h"
#include "core/numbers/NumberText.h"
#include "frame/Fonts.h"

#include <QAbstractAxis>
#include <QChart>
#include <QLegend>

namespace ChartStyle
{

namespace
{

QFont paperFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("sans-serif"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

void prepare(QChart *chart)
{
    chart->setTitleFont(Fonts::verdana(13, true));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->show();
    chart->setMargins(QMargins(4, 4, 4, 4));
}

void setPaperFonts(QChart *chart)
{
    chart->setTitleFont(paperFont(14, true));
    chart->legend()->setFont(paperFont(12));
    for (QAbstractAxis *axis : chart->axes()) {
        axis->setLabelsFont(paperFont(11));
        axis->setTitleFont(paperFont(12));
    }
}

QString number(double value, int decimals)
{
    QString pattern = QStringLiteral(",0");
    if (decimals > 0)
        pattern += QLatin1Char('.') + QString(decimals, QLatin1Char('0'));
    return tavi::formatDisplay(value, pattern);
}

QString scientificNumber(double value, int decimals)
{
    return QString::number(value, 'e', decimals)
        .replace(QLatin1Char('.'), tavi::LocaleSettings::current().decimalSeparator);
}

QColor seriesColour(int index)
{
    // Told apart at a glance, and by most readers who do not see red from green.
    static const QColor colours[kColours] = {
        QColor(0x3b, 0x7d, 0xd8), QColor(0xd9, 0x8c, 0x2b), QColor(0x4c, 0xa6, 0x4c),
        QColor(0xd6, 0x27, 0x28), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
        QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22),
        QColor(0x17, 0xbe, 0xcf),
    };
    return colours[((index % kColours) + kColours) % kColours];
}

} // namespace ChartStyle
