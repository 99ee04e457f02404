#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"

#include "core/AgricultureSimulation.h"
#include "export/ResultExport.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"

#include <QLineEdit>
#include <QToolButton>

using namespace tavi::agriculture;

namespace
{

// Whether the locale writes a decimal comma: kept by the module, not by a window, for the
// program's whole run, and found again at every activation.
bool decimalCommaFlag = false;

} // namespace

TF_Mod_Agricultura::TF_Mod_Agricultura(QWidget *parent) : ModuleWindow(parent)
{
    setObjectName(QStringLiteral("F_Mod_Agricultura"));
    setWindowTitle(QStringLiteral("Módulo Agricultura"));
    setFixedSize(1008, 697);
    addTitleBlock(QStringLiteral("Agricultura"));
    buildCropPanel();
    addButtons(this, QPoint(594, 195), QPoint(736, 195), QPoint(878, 195));
    buildResultsPanel();
    buildHiddenFields();

    QWidget *chain[] = {m_cropPanel,    SG_Entrada,   SG_Param,       simularButton(),
                        salvarButton(), sairButton(), m_resultsPanel, SG_Serie};
    for (size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
    setTabOrder(SG_Serie, SG_Classe[0]);
    for (int k = 0; k + 1 < kClasses; ++k)
        setTabOrder(SG_Classe[k], SG_Classe[k + 1]);
    setTabOrder(SG_Classe[kClasses - 1], SG_Total);
}

bool TF_Mod_Agricultura::decimalComma()
{
    return decimalCommaFlag;
}

Tables TF_Mod_Agricultura::tables() const
{
    Tables t;
    t.entrada = &SG_Entrada->table();
    t.param = &SG_Param->table();
    t.serie = &SG_Serie->table();
    for (int k = 0; k < kClasses; ++k)
        t.classes[k] = &SG_Classe[k]->table();
    t.total = &SG_Total->table();
    return t;
}

ClassSet TF_Mod_Agricultura::editedClasses() const
{
    return m_calendarSources.changed(tables());
}

// The hidden field's 8.3 shows the locale's decimal separator; below a thousand it has no
// group separator, so a comma in it can only be the decimal one.
void TF_Mod_Agricultura::detectDecimalSeparator()
{
    decimalCommaFlag = false;
    if (ce_aux_valor->text().contains(QLatin1Char(',')))
        decimalCommaFlag = true;
}

void TF_Mod_Agricultura::FormActivate()
{
    detectDecimalSeparator();
    // Only the opening starts from the defaults: a later activation comes from a box or
    // window of the program closing over this one, and must not throw away the user's series
    // or the results just computed.
    if (m_opened) {
        SG_Serie->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_opened = true;
    const Tables t = tables();
    writeDefaults(t, decimalCommaFlag);
    SG_Serie->setFocus(Qt::OtherFocusReason);
    runCropCalendar(t);
    m_calendarSources.record(t);
}

void TF_Mod_Agricultura::b_simularClick()
{
    const Tables t = tables();
    // Edits to the crop table or the planting starts take effect now, in the classes they
    // touched; an unreadable entry stops the run here and the class stays due.
    const ClassSet edited = m_calendarSources.changed(t);
    if (edited.any()) {
        runCropCalendar(t, edited);
        m_calendarSources.record(t, edited);
    }
    RainfallConstants constants;
    constants.threshold = ce_aux_valor->value();
    constants.divisor = ce_aux_valor2->value();
    constants.lowerSlope = ce_aux_valor3->value();
    constants.intercept = ce_aux_valor4->value();
    constants.upperSlope = ce_aux_valor5->value();
    // The day's rainfall is used as the scratch field holds it: two decimals.
    simulate(t, constants, [this](long double rain) {
        ce_aux->setValue(rain);
        return ce_aux->value();
    });
}

void TF_Mod_Agricultura::b_salvarClick()
{
    AgricultureGrids grids{&SG_Serie->table(), {}, &SG_Total->table()};
    for (int k = 0; k < tavi::agriculture::kClasses; ++k)
        grids.classes[k] = &SG_Classe[k]->table();
    exportAgriculture(this, grids);
}

void TF_Mod_Agricultura::translateDecimalKey(QChar &key)
{
    if (key == QLatin1Char('.') && decimalCommaFlag)
        key = QLatin1Char(',');
    else if (key == QLatin1Char(',') && !decimalCommaFlag)
        key = QLatin1Char('.');
}
