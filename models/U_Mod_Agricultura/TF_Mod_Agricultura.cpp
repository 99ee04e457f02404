#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"

#include "core/base/LocaleSettings.h"
#include "core/base/TaviError.h"
#include "core/sectors/agriculture/AgricultureRun.h"
#include "core/sectors/agriculture/AgricultureSimulation.h"
#include "core/sectors/agriculture/SeriesFromStation.h"
#include "export/ResultChartDialog.h"
#include "export/ResultExport.h"
#include "frame/Activation.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "frame/SeriesOriginLabel.h"
#include "frame/StudyInputs.h"
#include "models/U_Mod_Agricultura/CropTablesPanel.h"
#include "models/U_Mod_Agricultura/DayGridsPanel.h"
#include "models/U_Mod_Agricultura/StationSeriesControls.h"
#include "models/U_Mod_Agricultura/StationSeriesDialog.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QShortcut>
#include <QToolButton>

using namespace tavi::agriculture;

namespace
{

NumericEdit *addHiddenField(QWidget *parent, const char *name, long double value)
{
    auto *field = new NumericEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setDisplayFormat(QStringLiteral(",0.00;-,0.00"));
    field->setValue(value);
    field->hide();
    return field;
}

} // namespace

TF_Mod_Agricultura::TF_Mod_Agricultura(QWidget *parent)
    : ModuleWindow(tavi::SectorId::Agriculture, parent)
{
    setObjectName(QStringLiteral("F_Mod_Agricultura"));
    setWindowTitle(tavi::sectorDescriptor(tavi::SectorId::Agriculture).title);
    setFixedSize(1008, 697);
    addTitleBlock(tavi::sectorDescriptor(tavi::SectorId::Agriculture).caption);
    buildCropPanel();
    addButtons(this, QPoint(594, 195), QPoint(736, 195), QPoint(878, 195));
    buildResultsPanel();
    buildHiddenFields();
    // A fresh window holds the defaults; a study's inputs may be written over them before it
    // is shown.
    writeDefaults(tables(), tavi::LocaleSettings::current().decimalSeparator);

    QWidget *chain[] = {m_cropPanel,    SG_Entrada,   SG_Param,       simularButton(),
                        salvarButton(), sairButton(), m_resultsPanel, SG_Serie};
    for (size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
    setTabOrder(SG_Serie, SG_Classe[0]);
    for (int k = 0; k + 1 < kClasses; ++k)
        setTabOrder(SG_Classe[k], SG_Classe[k + 1]);
    setTabOrder(SG_Classe[kClasses - 1], SG_Total);
}

void TF_Mod_Agricultura::buildCropPanel()
{
    QFrame *panel =
        addPanel(this, QRect(9, 51, 990, 216), QStringLiteral("Classes da Cultura Irrigada"),
                 QStringLiteral("Panel6"));
    m_cropPanel = panel;
    const CropTables crop = addCropTables(panel);
    SG_Entrada = crop.entrada;
    SG_Param = crop.param;
}

void TF_Mod_Agricultura::buildResultsPanel()
{
    QLabel *heading = nullptr;
    QFrame *panel =
        addPanel(this, QRect(0, height() - 423, width(), 423),
                 QStringLiteral("Simulação e Resultados"), QStringLiteral("Panel7"), &heading);
    heading->setObjectName(QStringLiteral("Label24"));
    m_resultsPanel = panel;
    const DayGrids grids = addDayGrids(panel);
    addChartButton(panel, QPoint(heading->x() + heading->width() + 16, 2));
    SG_Serie = grids.serie;
    for (int k = 0; k < kClasses; ++k)
        SG_Classe[k] = grids.classes[k];
    SG_Total = grids.total;

    // On the heading's row, after the chart button.
    const StationSeriesControls station = addStationSeriesControls(panel, graficoButton());
    l_origem_serie = station.origin;
    l_origem_serie->trackEdits(&SG_Serie->table(), kEtpColumn, kRainColumn, 1, kDays);
    connect(station.button, &QToolButton::clicked, this, &TF_Mod_Agricultura::b_estacaoClick);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), this), &QShortcut::activated, this,
            &TF_Mod_Agricultura::b_estacaoClick);
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this,
            &TF_Mod_Agricultura::undoSeriesFill);
}

// Fields the user never sees, which held the rainfall model's constants and its scratch
// space before the model kept them itself; they show the model's constants.
void TF_Mod_Agricultura::buildHiddenFields()
{
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->hide();
    const RainfallConstants constants;
    ce_aux = addHiddenField(this, "ce_aux", 0);
    ce_aux_valor = addHiddenField(this, "ce_aux_valor", constants.threshold);
    ce_aux_valor2 = addHiddenField(this, "ce_aux_valor2", constants.divisor);
    ce_aux_valor3 = addHiddenField(this, "ce_aux_valor3", constants.lowerSlope);
    ce_aux_valor4 = addHiddenField(this, "ce_aux_valor4", constants.intercept);
    ce_aux_valor5 = addHiddenField(this, "ce_aux_valor5", constants.upperSlope);
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

void TF_Mod_Agricultura::FormActivate()
{
    // The locale's own separator, whatever character it is: the cells are read back with it,
    // so the keys and the defaults must write it too.
    const QChar separator = tavi::LocaleSettings::current().decimalSeparator;
    translateDecimalKeyTo(separator);
    // Only the opening sets the calendars up: a later activation comes from a box or window
    // of the program closing over this one, and must not throw away the user's series or the
    // results just computed.
    if (m_opened) {
        SG_Serie->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_opened = true;
    const Tables t = tables();
    SG_Serie->setFocus(Qt::OtherFocusReason);
    // Typing starts on the first day's ETP, never on its read-only label.
    SG_Serie->setCurrentIndex(SG_Serie->model()->index(0, kEtpColumn));
    runCropCalendar(t);
    m_calendarSources.record(t);
}

void TF_Mod_Agricultura::b_simularClick()
{
    const Tables t = tables();
    // Edits to the crop table or the planting starts take effect now, in the classes they
    // touched; an unreadable entry stops the run here and the class stays due. The other
    // classes keep their calendars, and any Kc typed into them by hand.
    const ClassSet edited = m_calendarSources.changed(t);
    if (edited.any()) {
        runCropCalendar(t, edited);
        m_calendarSources.record(t, edited);
    }
    const tavi::LocaleSettings &locale = tavi::LocaleSettings::current();
    Inputs in = readInputs(StudyInputs::collect(this), locale);
    in.classGrids.emplace();
    for (int k = 0; k < kClasses; ++k)
        (*in.classGrids)[k] = t.classes[k];
    Result result;
    // What the run wrote before an error is shown as well.
    const auto show = qScopeGuard([this, &result] { showResult(result); });
    try {
        run(in, locale, result);
    } catch (tavi::TaviError &error) {
        // The failing cell is shown in the window's grid.
        error.setPlace(samePlaceIn(error.place(), result.tables(), t));
        throw;
    }
}

void TF_Mod_Agricultura::showResult(const Result &result)
{
    const Tables &from = result.tables();
    const Tables to = tables();
    to.serie->copyFrom(*from.serie, kEffectiveRainColumn, kEffectiveRainColumn);
    for (int k = 0; k < kClasses; ++k)
        to.classes[k]->copyFrom(*from.classes[k], kDiColumn, kDbColumn);
    to.total->copyFrom(*from.total);
}

void TF_Mod_Agricultura::clearResults()
{
    clearSimulation(tables());
}

tavi::ResultChart TF_Mod_Agricultura::resultChart() const
{
    tavi::ResultChart chart;
    chart.caption = QStringLiteral("Gráfico - ") + windowTitle();
    chart.title = QStringLiteral("Demanda diária da agricultura irrigada");
    chart.xTitle = QStringLiteral("Dia");
    chart.yTitle = QStringLiteral("Demanda bruta (m³/dia)");
    chart.lines.push_back(tavi::columnLine(SG_Total->table(), 0, totalRow(1), totalRow(kDays),
                                           QStringLiteral("Total")));
    for (int k = 0; k < kClasses; ++k)
        chart.lines.push_back(tavi::columnLine(SG_Classe[k]->table(), kDbColumn, 1, kDays,
                                               QStringLiteral("Classe ") + classLetter(k)));
    return chart;
}

void TF_Mod_Agricultura::b_graficoClick()
{
    ResultChartBox::show(this, resultChart());
}

void TF_Mod_Agricultura::b_salvarClick()
{
    if (!requireCurrentResults(ResultsNotice::Purpose::Save))
        return;
    AgricultureGrids grids{&SG_Serie->table(), {}, &SG_Total->table()};
    for (int k = 0; k < tavi::agriculture::kClasses; ++k)
        grids.classes[k] = &SG_Classe[k]->table();
    exportAgriculture(this, grids);
}

void TF_Mod_Agricultura::b_estacaoClick()
{
    StationSeriesDialog dialog(&SG_Serie->table(), this);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    giveActivationBack(this);
    if (!confirmed)
        return;
    // The series and its origin change together, as one step the user may take back.
    tavi::CellTable &serie = SG_Serie->table();
    m_seriesFillUndo.remember(serie, l_origem_serie->origin());
    tavi::agriculture::writeSeries(serie, dialog.days(), tavi::LocaleSettings::current());
    l_origem_serie->setOrigin(dialog.origin());
    m_seriesFillUndo.filled(serie);
}

void TF_Mod_Agricultura::undoSeriesFill()
{
    tavi::CellTable &serie = SG_Serie->table();
    if (!m_seriesFillUndo.canUndo(serie)) {
        QApplication::beep();
        return;
    }
    l_origem_serie->setOrigin(m_seriesFillUndo.undo(serie));
}
