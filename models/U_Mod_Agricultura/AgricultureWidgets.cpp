#include "models/U_Mod_Agricultura/AgricultureWidgets.h"

#include "core/sectors/catalogue/AgricultureTables.h"
#include "frame/ResultGrid.h"

#include <QLabel>

namespace AgricultureWidgets
{

QLabel *addLabel(QWidget *parent, const QString &text, const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    label->adjustSize();
    return label;
}

QLabel *addCentredLabel(QWidget *parent, const QString &text, const QFont &font, int left,
                        int right, int top)
{
    QLabel *label = addLabel(parent, text, font);
    if (label->width() > right - left - 4) {
        QFont condensed = font;
        condensed.setStretch(QFont::Condensed);
        label->setFont(condensed);
        label->adjustSize();
    }
    label->move(left + (right - left - label->width()) / 2, top);
    return label;
}

ResultGrid *newGrid(const tavi::agriculture::TableShape &shape, QWidget *parent)
{
    return new ResultGrid(shape.columns, shape.storedRows, shape.shownRows, shape.headerRow,
                          parent);
}

} // namespace AgricultureWidgets
