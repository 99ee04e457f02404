#include "models/U_Mod_Agricultura/StationSeriesControls.h"

#include "frame/Fonts.h"
#include "frame/SeriesOriginLabel.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace
{
constexpr int kRowTop = 3;
constexpr int kRowHeight = 19;
constexpr int kGap = 16;
} // namespace

StationSeriesControls addStationSeriesControls(QFrame *panel, const QWidget *before)
{
    auto *button = new QToolButton(panel);
    button->setObjectName(QStringLiteral("b_estacao"));
    button->setText(QStringLiteral("Série a partir de estação…"));
    button->setToolTip(QStringLiteral("Preenche ETP e P de um ano de dados de uma estação "
                                      "meteorológica (Ctrl+E)"));
    button->setFont(Fonts::verdana(11));
    // Reached by its key, Ctrl+E: the Enter and Tab path through the window stays as it was.
    button->setFocusPolicy(Qt::NoFocus);
    const int left = before->geometry().right() + kGap;
    button->setGeometry(left, kRowTop, button->sizeHint().width(), kRowHeight);

    auto *origin = new SeriesOriginLabel(panel);
    origin->setObjectName(QStringLiteral("l_origem_serie"));
    origin->setFont(Fonts::verdana(11));
    const int originLeft = button->geometry().right() + kGap / 2;
    origin->setGeometry(originLeft, kRowTop, panel->width() - originLeft - 8, kRowHeight);
    return {button, origin};
}
