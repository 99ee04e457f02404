#include "models/U_Horizonte/HorizonResultsPanel.h"

#include "core/horizon/HorizonTables.h"
#include "core/tables/CellTable.h"
#include "core/tables/TableWriter.h"
#include "frame/ErrorBox.h"
#include "frame/ResultGrid.h"
#include "models/U_Horizonte/HorizonCharts.h"
#include "models/U_Horizonte/HorizonComputation.h"

#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace tavi;

namespace
{

void emptyTable(CellTable &table)
{
    table.clear(0, table.columns() - 1, 0, table.storedRows() - 1);
}

QString redLines(const QStringList &lines)
{
    QStringList escaped;
    for (const QString &line : lines)
        escaped << line.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return escaped.isEmpty() ? QString()
                             : QStringLiteral("<span style='color:#a00000'>%1</span>")
                                   .arg(escaped.join(QStringLiteral("<br>")));
}

} // namespace

HorizonResultsPanel::HorizonResultsPanel(int scenarios, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("l_estado"));
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText);
    QFont bold = m_status->font();
    bold.setBold(true);
    m_status->setFont(bold);
    layout->addWidget(m_status);

    auto *split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("sp_resultados"));
    split->setChildrenCollapsible(false);
    m_tables = new QTabWidget(split);
    m_tables->setObjectName(QStringLiteral("tw_resultados"));
    m_tables->setAccessibleName(QStringLiteral("Resultados do horizonte"));

    auto *yearsPage = new QWidget(m_tables);
    auto *yearsLayout = new QVBoxLayout(yearsPage);
    yearsLayout->setContentsMargins(2, 2, 2, 2);
    m_years = new ResultGrid(horizon::kHorizonYearColumns, kYearRows, kYearRows, true, yearsPage);
    m_years->setObjectName(QStringLiteral("SG_Horizonte"));
    m_years->setAccessibleName(QStringLiteral("Demanda por ano do cenário"));
    m_years->setDefaultColumnWidth(90);
    m_yearNotes = new QLabel(yearsPage);
    m_yearNotes->setObjectName(QStringLiteral("l_setores"));
    m_yearNotes->setWordWrap(true);
    yearsLayout->addWidget(m_years, 1);
    yearsLayout->addWidget(m_yearNotes);
    m_tables->addTab(yearsPage, QStringLiteral("Anos do cenário"));

    auto *differencesPage = new QWidget(m_tables);
    auto *differencesLayout = new QVBoxLayout(differencesPage);
    differencesLayout->setContentsMargins(2, 2, 2, 2);
    m_differences = new ResultGrid(horizon::kDifferenceColumns, scenarios + 1, scenarios + 1, true,
                                   differencesPage);
    m_differences->setObjectName(QStringLiteral("SG_Diferencas"));
    m_differences->setAccessibleName(QStringLiteral("Cenários comparados com a Base"));
    m_differences->setDefaultColumnWidth(110);
    m_differenceNotes = new QLabel(differencesPage);
    m_differenceNotes->setObjectName(QStringLiteral("l_diferencas"));
    m_differenceNotes->setWordWrap(true);
    differencesLayout->addWidget(m_differences, 1);
    differencesLayout->addWidget(m_differenceNotes);
    m_tables->addTab(differencesPage, QStringLiteral("Diferenças para a Base"));

    m_charts = new QWidget(split);
    m_chartsLayout = new QHBoxLayout(m_charts);
    m_chartsLayout->setContentsMargins(0, 0, 0, 0);
    m_chartsLayout->setSpacing(2);
    split->addWidget(m_tables);
    split->addWidget(m_charts);
    // The charts are read at a glance, and only drawn large enough do they say anything.
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    split->setSizes({260, 390});
    m_charts->setMinimumHeight(260);
    layout->addWidget(split, 1);

    // Over the results while they are not those of the inputs; it takes the clicks too.
    m_cover = new QLabel(this);
    m_cover->setObjectName(QStringLiteral("l_calculando"));
    m_cover->setAlignment(Qt::AlignCenter);
    m_cover->setStyleSheet(QStringLiteral("background: rgba(235, 235, 235, 190); color: #303030; "
                                          "font-size: 20px; font-weight: bold"));
    m_cover->hide();
    // The tables are read with the arrows; Tab leaves them.
    m_years->setTabKeyNavigation(false);
    m_differences->setTabKeyNavigation(false);
    showStale();
}

void HorizonResultsPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int top = m_status->geometry().bottom() + 2;
    m_cover->setGeometry(0, top, width(), height() - top);
}

void HorizonResultsPanel::setCurrent(bool current, const QString &cover)
{
    m_current = current;
    for (QWidget *part : {static_cast<QWidget *>(m_tables), m_charts})
        part->setEnabled(current);
    m_cover->setText(cover);
    m_cover->setVisible(!cover.isEmpty());
    if (!cover.isEmpty()) {
        const int top = m_status->geometry().bottom() + 2;
        m_cover->setGeometry(0, top, width(), height() - top);
        m_cover->raise();
    }
    const QString state =
        current ? QString() : QStringLiteral("desatualizada: ") + m_status->text();
    m_years->setAccessibleDescription(state);
    m_differences->setAccessibleDescription(state);
}

void HorizonResultsPanel::showStale()
{
    m_status->setText(QStringLiteral("Calculando…"));
    setCurrent(false, QStringLiteral("Calculando…"));
}

void HorizonResultsPanel::showRefused(const QString &problem)
{
    emptyTable(m_years->table());
    emptyTable(m_differences->table());
    m_yearNotes->clear();
    m_differenceNotes->clear();
    replaceCharts(nullptr, nullptr);
    m_status->setText(QStringLiteral("Nada projetado: %1").arg(problem));
    setCurrent(false, QString());
}

void HorizonResultsPanel::showRows(ResultGrid *grid, int rows)
{
    const int viewRows = grid->model()->rowCount();
    for (int r = 0; r < viewRows; ++r)
        grid->setRowHidden(r, r >= rows);
}

void HorizonResultsPanel::showResults(const HorizonResults &results, int scenario)
{
    if (scenario < 0 || std::size_t(scenario) >= results.runs.size()) {
        showStale();
        return;
    }
    const horizon::ScenarioRun &run = results.runs[std::size_t(scenario)];

    if (run.computed()) {
        const QStringList headings = horizon::horizonYearHeaders(run);
        const int rows = int(run.years.size()) + 1;
        CellTable filled(std::max(1, int(headings.size())), rows, rows, true);
        horizon::fillHorizonYearTable(filled, run);
        copyFitting(filled, m_years->table());
        showRows(m_years, rows - 1);
        // Each sector's message as its window's error box would show it.
        QStringList notes;
        if (run.isPartial())
            notes << run.partialNote();
        const QStringList messages = run.errorMessages();
        const QStringList places = run.errorPlaces();
        for (int e = 0; e < messages.size(); ++e)
            notes << ErrorBox::text(messages[e], places.value(e));
        m_yearNotes->setText(redLines(notes));
        m_status->setText(
            run.years.empty()
                ? QStringLiteral("Cenário \"%1\": nenhum ano projetado.").arg(run.name)
                : QStringLiteral("Cenário \"%1\", %2 a %3 — resultados das entradas como estão.")
                      .arg(run.name)
                      .arg(run.years.front().year)
                      .arg(run.years.back().year));
    } else {
        emptyTable(m_years->table());
        m_yearNotes->clear();
        m_status->setText(
            QStringLiteral("Nada projetado para o cenário \"%1\": %2").arg(run.name, run.problem));
    }

    const int rows = int(results.differences.size()) + 1;
    CellTable differences(horizon::kDifferenceColumns, rows, rows, true);
    horizon::fillDifferenceTable(differences, results.differences);
    copyFitting(differences, m_differences->table());
    showRows(m_differences, rows - 1);
    QStringList refused;
    for (const horizon::ScenarioRun &other : results.runs)
        if (!other.computed())
            refused << QStringLiteral("%1: %2").arg(other.name, other.problem);
    m_differenceNotes->setText(redLines(refused));

    replaceCharts(run.computed() ? makeHorizonSectorsChart(run, m_charts) : nullptr,
                  makeScenarioTotalsChart(results.runs, m_charts));
    m_years->fitColumnsToTexts();
    m_differences->fitColumnsToTexts();
    setCurrent(true, QString());
}

void HorizonResultsPanel::replaceCharts(QChartView *sectors, QChartView *totals)
{
    delete m_sectorsChart;
    delete m_totalsChart;
    m_sectorsChart = sectors;
    m_totalsChart = totals;
    if (sectors) {
        sectors->setObjectName(QStringLiteral("ch_setores"));
        if (sectors->accessibleName().isEmpty())
            sectors->setAccessibleName(QStringLiteral("Demanda do cenário por setor e ano"));
        m_chartsLayout->addWidget(sectors, 1);
    }
    if (totals) {
        totals->setObjectName(QStringLiteral("ch_cenarios"));
        if (totals->accessibleName().isEmpty())
            totals->setAccessibleName(QStringLiteral("Demanda total de cada cenário por ano"));
        m_chartsLayout->addWidget(totals, 1);
    }
}
