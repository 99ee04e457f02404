#include "models/U_Horizonte/PopulationPanel.h"

#include "core/horizon/HorizonDrivers.h"
#include "core/horizon/HorizonTables.h"
#include "core/projection/PopulationProjection.h"
#include "core/sectors/catalogue/HorizonKeys.h"
#include "core/tables/CellTable.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "models/U_Horizonte/DriverForm.h"
#include "models/U_Horizonte/DriverTable.h"
#include "models/U_Horizonte/HorizonChecks.h"
#include "models/U_Horizonte/HorizonEditor.h"
#include "models/U_Horizonte/PopulationMethodsChart.h"

#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <iterator>

using namespace tavi;
using namespace tavi::projection;

namespace
{

constexpr int kMethods = int(std::size(kProjectionMethods));

} // namespace

PopulationPanel::PopulationPanel(HorizonEditor *editor, QWidget *parent)
    : DriversTab(parent), m_editor(editor)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);

    auto *top = new QHBoxLayout;
    m_counts = new DriverTable(editor, keys::kCensusCounts,
                               QStringLiteral("C&ontagens (censos e estimativas)"),
                               {QStringLiteral("Ano"), QStringLiteral("População")}, 40,
                               QStringLiteral("SG_Censos"), this);
    m_counts->grid()->setMinimumHeight(190);
    m_counts->setFixedWidth(230);
    top->addWidget(m_counts, 0, Qt::AlignTop);

    auto *choice = new QGridLayout;
    auto *methodCaption = new QLabel(QStringLiteral("&Método de projeção:"), this);
    m_method = new QComboBox(this);
    m_method->setObjectName(QStringLiteral("cb_metodo"));
    for (ProjectionMethod method : kProjectionMethods)
        m_method->addItem(methodName(method), horizon::methodKey(method));
    m_method->addItem(QStringLiteral("População digitada (tabela abaixo)"), QString());
    m_method->setAccessibleName(QStringLiteral("Método de projeção"));
    methodCaption->setBuddy(m_method);
    m_methodBase = new QToolButton(this);
    m_methodBase->setObjectName(QStringLiteral("b_base_metodo"));
    m_methodBase->setText(QStringLiteral("Base"));
    m_methodBase->setToolTip(QStringLiteral("Voltar a seguir o método do cenário Base"));
    m_methodBase->setAccessibleName(QStringLiteral("Seguir a Base: método de projeção"));
    m_methodMessage = newMessageLabel(this);
    m_methodMessage->setObjectName(QStringLiteral("l_metodo"));
    m_methodMessage->setBuddy(m_method);
    choice->addWidget(methodCaption, 0, 0, 1, 2);
    choice->addWidget(m_method, 1, 0);
    choice->addWidget(m_methodBase, 1, 1);
    choice->addWidget(m_methodMessage, 2, 0, 1, 2);
    choice->setColumnStretch(0, 1);
    auto *right = new QVBoxLayout;
    right->addLayout(choice);
    right->addStretch(1);
    top->addLayout(right, 1);
    layout->addLayout(top);
    m_saturation = new DriverForm(editor, this);
    m_saturation->layout()->setContentsMargins(0, 0, 0, 0);
    m_saturation->addNumber(keys::kSaturation,
                            QStringLiteral("População de saturação (taxa decrescente)"),
                            QStringLiteral("habitantes"), 0, DriverForm::Blank::None);
    layout->addWidget(m_saturation);

    m_methodsCaption = new QLabel(this);
    m_methods = new ResultGrid(horizon::kProjectionColumns, kMethods + 1, kMethods + 1, true, this);
    m_methods->setObjectName(QStringLiteral("SG_Metodos"));
    m_methods->setAccessibleName(QStringLiteral("População projetada por método"));
    // Every method in view, with room for the scroll bar of a long reason.
    m_methods->setMinimumHeight(21 * (kMethods + 2) + 8);
    m_methods->setColumnWidth(0, 190);
    m_methods->setColumnWidth(1, 110);
    m_methods->setColumnWidth(2, 200);
    m_methodsCaption->setBuddy(m_methods);
    layout->addWidget(m_methodsCaption);
    layout->addWidget(m_methods);
    m_chartPlace = new QVBoxLayout;
    layout->addLayout(m_chartPlace);

    m_typed = new DriverTable(editor, keys::kTypedPopulations,
                              QStringLiteral("População digitada por ano (no lugar de um método)"),
                              {QStringLiteral("Ano"), QStringLiteral("População")}, 60,
                              QStringLiteral("SG_Populacao"), this);
    m_typed->grid()->setMinimumHeight(150);
    layout->addWidget(m_typed);

    connect(m_method, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &PopulationPanel::methodChosen);
    connect(m_methodBase, &QToolButton::clicked, this, [this] {
        m_editor->followBase(keys::kProjectionMethod);
        m_method->setFocus(Qt::OtherFocusReason);
    });
}

ResultGrid *PopulationPanel::countsGrid() const
{
    return m_counts->grid();
}

ResultGrid *PopulationPanel::typedGrid() const
{
    return m_typed->grid();
}

QLabel *PopulationPanel::countsMessage() const
{
    return m_counts->message();
}

int PopulationPanel::typedEntry() const
{
    return kMethods;
}

bool PopulationPanel::typedChosen() const
{
    return !m_editor->table(keys::kTypedPopulations).isEmpty() ||
           m_typedChosen.contains(m_editor->horizon().scenarios[m_editor->scenario()].name);
}

QString PopulationPanel::choiceProblem(int scenario) const
{
    const StudyHorizon &horizon = m_editor->horizon();
    if (scenario < 0 || scenario >= int(horizon.scenarios.size()) ||
        !m_typedChosen.contains(horizon.scenarios[std::size_t(scenario)].name))
        return QString();
    const ResolvedScenario resolved = resolveScenario(m_editor->study(), scenario);
    return resolved.tables.value(keys::kTypedPopulations).isEmpty()
               ? QStringLiteral("Digite a população de ao menos um ano na tabela da população "
                                "digitada, ou escolha um método.")
               : QString();
}

void PopulationPanel::refresh()
{
    m_counts->refresh();
    m_typed->refresh();
    m_saturation->refresh();
    showChoice();
}

void PopulationPanel::showChoice()
{
    m_refreshing = true;
    const int index = typedChosen()
                          ? typedEntry()
                          : int(horizon::methodOfKey(m_editor->driver(keys::kProjectionMethod)));
    m_method->setCurrentIndex(index);
    m_refreshing = false;
    const bool base = m_editor->isBase();
    const bool own = !base && m_editor->ownsDriver(keys::kProjectionMethod);
    m_methodBase->setVisible(!base);
    m_methodBase->setEnabled(own);
    QFont font = m_method->font();
    font.setBold(own);
    m_method->setFont(font);
    m_typed->grid()->setEnabled(index == typedEntry());
}

void PopulationPanel::methodChosen()
{
    if (m_refreshing)
        return;
    const QString name = m_editor->horizon().scenarios[m_editor->scenario()].name;
    const QString key = m_method->currentData().toString();
    const StudyGrid typed = m_editor->table(keys::kTypedPopulations);
    if (key.isEmpty()) {
        m_typedChosen.insert(name);
        if (typed.isEmpty() && m_setAside.contains(name))
            m_editor->setTable(keys::kTypedPopulations, m_setAside.take(name));
    } else {
        m_typedChosen.remove(name);
        // Typed populations would take the method's place: they wait aside for a return.
        if (!typed.isEmpty()) {
            m_setAside[name] = typed;
            m_editor->setTable(keys::kTypedPopulations, StudyGrid());
        }
        m_editor->setDriver(keys::kProjectionMethod, key);
    }
    m_typed->refresh();
    showChoice();
    if (key.isEmpty())
        m_typed->grid()->setFocus(Qt::OtherFocusReason);
}

void PopulationPanel::showProblems(const HorizonChecks::Problems &problems)
{
    m_counts->showProblem(problems.byKey.value(keys::kCensusCounts),
                          problems.notes.value(keys::kCensusCounts));
    QString typedProblem = problems.byKey.value(keys::kTypedPopulations);
    if (typedProblem.isEmpty())
        typedProblem = choiceProblem(m_editor->scenario());
    m_typed->showProblem(typedProblem);
    showMessage(m_methodMessage, problems.byKey.value(keys::kProjectionMethod));
    m_saturation->showProblems(problems);
    showChoice();
    showMethods();
}

void PopulationPanel::showMethods()
{
    const LocaleSettings &locale = LocaleSettings::current();
    QString unreadable;
    const std::vector<PopulationCount> counts =
        HorizonChecks::readCounts(m_editor->table(keys::kCensusCounts), &unreadable, locale);
    const bool yearsRead = !HorizonChecks::yearProblems(m_editor->horizon(), locale)
                                .contains(QString(keys::kFinalYear));
    const int finalYear = m_editor->horizon().finalYear.trimmed().toInt();
    const bool usable = unreadable.isEmpty() && countsProblem(counts).isEmpty() && yearsRead;

    CellTable &shown = m_methods->table();
    CellTable::Batch batch(shown);
    shown.clear(0, shown.columns() - 1, 0, shown.storedRows() - 1);
    delete m_chart;
    m_chart = nullptr;
    if (!usable) {
        // Nothing is projected from counts the user must first correct.
        m_methodsCaption->setText(QStringLiteral("Projeção por método: corrija as contagens."));
        return;
    }
    m_methodsCaption->setText(
        QStringLiteral("Projeção por método para %1 e ajuste às contagens:").arg(finalYear));
    const std::vector<ProjectionFit> fits =
        fitEveryMethod(counts, HorizonChecks::typedSaturation(m_editor->driver(keys::kSaturation)));
    CellTable filled(horizon::kProjectionColumns, int(fits.size()) + 1, int(fits.size()) + 1, true);
    horizon::fillProjectionTable(filled, fits, finalYear);
    for (int r = 0; r < filled.storedRows() && r < shown.storedRows(); ++r)
        for (int c = 0; c < filled.columns(); ++c)
            shown.setCell(c, r, filled.cell(c, r));
    m_methods->fitColumnsToTexts();
    m_chart = makePopulationMethodsChart(
        counts, fits, horizon::methodOfKey(m_editor->driver(keys::kProjectionMethod)), finalYear,
        this);
    m_chart->setObjectName(QStringLiteral("ch_metodos"));
    m_chartPlace->addWidget(m_chart);
}
