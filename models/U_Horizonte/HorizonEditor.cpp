#include "models/U_Horizonte/HorizonEditor.h"

#include "core/sectors/catalogue/HorizonKeys.h"
#include "core/sectors/catalogue/StudyKeys.h"

using namespace tavi;

HorizonEditor::HorizonEditor(const Study &study, const StudyHorizon &horizon, QObject *parent)
    : QObject(parent), m_study(study), m_horizon(horizon)
{
    m_study.horizon.reset();
    // Every other scenario follows the base: without one there would be nothing to follow.
    if (m_horizon.scenarios.empty() || m_horizon.scenarios.front().name != keys::kBaseScenario)
        m_horizon.scenarios.insert(m_horizon.scenarios.begin(),
                                   Scenario{QString(keys::kBaseScenario), {}});
}

Study HorizonEditor::study() const
{
    Study study = m_study;
    study.horizon = m_horizon;
    return study;
}

QStringList HorizonEditor::scenarioNames() const
{
    QStringList names;
    for (const Scenario &scenario : m_horizon.scenarios)
        names << scenario.name;
    return names;
}

void HorizonEditor::chooseScenario(int index)
{
    if (index < 0 || index >= int(m_horizon.scenarios.size()) || index == m_scenario)
        return;
    m_scenario = index;
    emit scenarioChosen();
}

void HorizonEditor::setBaseYear(const QString &text)
{
    if (text == m_horizon.baseYear)
        return;
    m_horizon.baseYear = text;
    changed();
}

void HorizonEditor::setFinalYear(const QString &text)
{
    if (text == m_horizon.finalYear)
        return;
    m_horizon.finalYear = text;
    changed();
}

QString HorizonEditor::driver(const QString &key) const
{
    const auto held = own().drivers.constFind(key);
    return held != own().drivers.constEnd() ? *held : base().drivers.value(key);
}

bool HorizonEditor::ownsDriver(const QString &key) const
{
    return own().drivers.contains(key);
}

void HorizonEditor::setDriver(const QString &key, const QString &text)
{
    if (driver(key) == text)
        return;
    own().drivers[key] = text;
    changed();
}

void HorizonEditor::followBase(const QString &key)
{
    if (own().drivers.remove(key) == 0)
        return;
    changed();
    emit scenarioChosen();
}

StudyGrid HorizonEditor::table(const QString &key) const
{
    const auto held = own().tables.constFind(key);
    return held != own().tables.constEnd() ? *held : base().tables.value(key);
}

bool HorizonEditor::ownsTable(const QString &key) const
{
    return own().tables.contains(key);
}

void HorizonEditor::setTable(const QString &key, const StudyGrid &rows)
{
    if (table(key) == rows)
        return;
    own().tables[key] = rows;
    changed();
}

void HorizonEditor::followBaseTable(const QString &key)
{
    if (own().tables.remove(key) == 0)
        return;
    changed();
    emit scenarioChosen();
}

QString HorizonEditor::baseWindowField(const QString &window, const QString &field) const
{
    const auto replaced = base().windows.constFind(window);
    if (replaced != base().windows.constEnd() && replaced->fields.contains(field))
        return replaced->fields.value(field);
    return windowInputs(m_study, window).fields.value(field);
}

QString HorizonEditor::windowField(const QString &window, const QString &field) const
{
    return ownsWindowField(window, field) ? own().windows.value(window).fields.value(field)
                                          : baseWindowField(window, field);
}

bool HorizonEditor::ownsWindowField(const QString &window, const QString &field) const
{
    const auto replaced = own().windows.constFind(window);
    return replaced != own().windows.constEnd() && replaced->fields.contains(field);
}

void HorizonEditor::setWindowField(const QString &window, const QString &field, const QString &text)
{
    if (windowField(window, field) == text)
        return;
    own().windows[window].fields[field] = text;
    changed();
}

void HorizonEditor::followBaseWindowField(const QString &window, const QString &field)
{
    auto replaced = own().windows.find(window);
    if (replaced == own().windows.end() || replaced->fields.remove(field) == 0)
        return;
    // An emptied replacement would still be written to the file as a window of the scenario.
    if (*replaced == WindowInputs())
        own().windows.erase(replaced);
    changed();
    emit scenarioChosen();
}

bool HorizonEditor::ownsSeries() const
{
    const auto replaced = own().windows.constFind(QString(keys::kAgricultureWindow));
    return replaced != own().windows.constEnd() && replaced->grids.contains(keys::kSeries);
}

std::optional<SeriesOrigin> HorizonEditor::seriesOrigin() const
{
    return ownsSeries() ? own().windows.value(QString(keys::kAgricultureWindow)).seriesOrigin
                        : std::nullopt;
}

void HorizonEditor::setSeries(const StudyGrid &rows, const SeriesOrigin &origin)
{
    WindowInputs &replaced = own().windows[QString(keys::kAgricultureWindow)];
    replaced.grids[QString(keys::kSeries)] = rows;
    replaced.seriesOrigin = origin;
    changed();
    emit scenarioChosen();
}

void HorizonEditor::followBaseSeries()
{
    auto replaced = own().windows.find(QString(keys::kAgricultureWindow));
    if (replaced == own().windows.end() || replaced->grids.remove(keys::kSeries) == 0)
        return;
    replaced->seriesOrigin.reset();
    if (*replaced == WindowInputs())
        own().windows.erase(replaced);
    changed();
    emit scenarioChosen();
}

QString HorizonEditor::addScenario(const QString &name)
{
    if (const QString problem = scenarioNameProblem(m_horizon, name); !problem.isEmpty())
        return problem;
    m_horizon.scenarios.push_back(Scenario{name.trimmed(), {}});
    m_scenario = int(m_horizon.scenarios.size()) - 1;
    changed();
    emit scenariosChanged();
    emit scenarioChosen();
    return QString();
}

QString HorizonEditor::renameScenario(const QString &name)
{
    if (isBase())
        return QStringLiteral("O cenário Base não pode ser renomeado.");
    if (const QString problem = scenarioNameProblem(m_horizon, name, m_scenario);
        !problem.isEmpty())
        return problem;
    if (m_horizon.scenarios[std::size_t(m_scenario)].name == name.trimmed())
        return QString();
    m_horizon.scenarios[std::size_t(m_scenario)].name = name.trimmed();
    changed();
    emit scenariosChanged();
    return QString();
}

QString HorizonEditor::duplicateScenario(const QString &name)
{
    if (const QString problem = scenarioNameProblem(m_horizon, name); !problem.isEmpty())
        return problem;
    // The copy holds what the original holds: a copy of the base holds every driver as the
    // base has it now, and no longer moves with it.
    m_horizon.scenarios.push_back(Scenario{name.trimmed(), own()});
    m_scenario = int(m_horizon.scenarios.size()) - 1;
    changed();
    emit scenariosChanged();
    emit scenarioChosen();
    return QString();
}

void HorizonEditor::removeScenario()
{
    if (isBase())
        return;
    m_horizon.scenarios.erase(m_horizon.scenarios.begin() + m_scenario);
    m_scenario -= 1;
    changed();
    emit scenariosChanged();
    emit scenarioChosen();
}
