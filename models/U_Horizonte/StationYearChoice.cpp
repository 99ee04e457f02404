#include "models/U_Horizonte/StationYearChoice.h"

#include "core/base/LocaleSettings.h"
#include "core/sectors/agriculture/SeriesFromStation.h"
#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "frame/Activation.h"
#include "frame/ModuleWindow.h"
#include "models/U_Horizonte/HorizonEditor.h"
#include "models/U_Mod_Agricultura/StationSeriesDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using namespace tavi;

namespace
{

const StudyGridLayout &seriesLayout()
{
    const StudyWindowLayout *window = findWindowLayout(keys::kAgricultureWindow);
    for (const StudyGridLayout &grid : window->grids)
        if (grid.name == keys::kSeries)
            return grid;
    Q_UNREACHABLE();
}

} // namespace

StationYearChoice::StationYearChoice(HorizonEditor *editor, QWidget *parent)
    : QWidget(parent), m_editor(editor)
{
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(6, 0, 6, 0);
    auto *caption = new QLabel(QStringLiteral("Série de ETP e chuva:"), this);
    m_choose = new QPushButton(QStringLiteral("Outro ano de &estação…"), this);
    m_choose->setObjectName(QStringLiteral("b_estacao"));
    m_choose->setAutoDefault(false);
    m_choose->setToolTip(QStringLiteral("Calcula a série de um ano de uma estação meteorológica "
                                        "e a usa neste cenário no lugar da série do estudo"));
    caption->setBuddy(m_choose);
    m_followBase = new QToolButton(this);
    m_followBase->setObjectName(QStringLiteral("b_base_serie"));
    m_followBase->setText(QStringLiteral("Base"));
    m_followBase->setToolTip(QStringLiteral("Voltar a usar a série do estudo"));
    m_followBase->setAccessibleName(QStringLiteral("Seguir a Base: série de ETP e chuva"));
    m_origin = new QLabel(this);
    m_origin->setObjectName(QStringLiteral("l_serie"));
    m_origin->setWordWrap(true);
    layout->addWidget(caption, 0, 0);
    layout->addWidget(m_choose, 0, 1);
    layout->addWidget(m_followBase, 0, 2);
    layout->addWidget(m_origin, 1, 0, 1, 3);
    layout->setColumnStretch(0, 1);
    connect(m_choose, &QPushButton::clicked, this, &StationYearChoice::b_estacaoClick);
    connect(m_followBase, &QToolButton::clicked, this, [this] { m_editor->followBaseSeries(); });
}

void StationYearChoice::refresh()
{
    const bool base = m_editor->isBase();
    m_choose->setEnabled(!base);
    m_followBase->setVisible(!base);
    m_followBase->setEnabled(!base && m_editor->ownsSeries());
    if (base)
        m_origin->setText(QStringLiteral("No cenário Base vale a série da janela da Agricultura."));
    else if (const std::optional<SeriesOrigin> origin = m_editor->seriesOrigin())
        m_origin->setText(QStringLiteral("Própria deste cenário: ") + seriesOriginLine(*origin));
    else if (m_editor->ownsSeries())
        m_origin->setText(QStringLiteral("Própria deste cenário."));
    else
        m_origin->setText(QStringLiteral("A da Base (a série da janela da Agricultura)."));
    m_choose->setAccessibleDescription(m_origin->text());
}

void StationYearChoice::b_estacaoClick()
{
    StationSeriesDialog dialog(nullptr, window());
    bool accepted = false;
    const auto look = [&] {
        accepted = dialog.exec() == QDialog::Accepted;
        giveActivationBack(window());
    };
    // The focus comes back to this button, not to the window's first field.
    if (auto *module = qobject_cast<ModuleWindow *>(window()))
        module->keepingFocus(look);
    else
        look();
    if (!accepted)
        return;
    // The series as the agriculture window would hold it after the same fill, kept as the
    // study keeps that window's series.
    const LocaleSettings &locale = LocaleSettings::current();
    const StudyGridLayout &layout = seriesLayout();
    CellTable serie(agriculture::kSerieColumns, layout.firstRow + layout.rows,
                    layout.firstRow + layout.rows, true);
    agriculture::writeSeries(serie, dialog.days(), locale);
    m_editor->setSeries(readStudyGrid(serie, layout, locale), dialog.origin());
}
