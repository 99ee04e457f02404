#pragma once

#include "core/study/Study.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

// The horizon of a study as the horizon window edits it, one scenario at a time. In the base
// scenario every value is the base's own; in any other, each driver, table and window field
// is the scenario's own where it holds one and the base's otherwise, and setting one makes
// it the scenario's own until it is given back to the base. The study's windows themselves
// are never changed here: a scenario only holds what replaces them.
class HorizonEditor : public QObject
{
    Q_OBJECT
public:
    HorizonEditor(const tavi::Study &study, const tavi::StudyHorizon &horizon,
                  QObject *parent = nullptr);

    const tavi::StudyHorizon &horizon() const { return m_horizon; }
    // The study with this horizon: what is computed and what the session keeps.
    tavi::Study study() const;

    int scenario() const { return m_scenario; }
    bool isBase() const { return m_scenario == 0; }
    QStringList scenarioNames() const;
    void chooseScenario(int index);

    void setBaseYear(const QString &text);
    void setFinalYear(const QString &text);

    // The chosen scenario's value of a driver (HorizonKeys.h), as the study keeps it; empty
    // where neither the scenario nor the base holds one.
    QString driver(const QString &key) const;
    bool ownsDriver(const QString &key) const;
    // A text equal to the value in force changes nothing, so that a field that only shows a
    // value again never makes it the scenario's own.
    void setDriver(const QString &key, const QString &text);
    void followBase(const QString &key);

    tavi::StudyGrid table(const QString &key) const;
    bool ownsTable(const QString &key) const;
    void setTable(const QString &key, const tavi::StudyGrid &rows);
    void followBaseTable(const QString &key);

    // A field of one of the study's windows in the chosen scenario; the base's is the
    // study's own unless the base replaces it.
    QString windowField(const QString &window, const QString &field) const;
    QString baseWindowField(const QString &window, const QString &field) const;
    bool ownsWindowField(const QString &window, const QString &field) const;
    void setWindowField(const QString &window, const QString &field, const QString &text);
    void followBaseWindowField(const QString &window, const QString &field);

    // The agriculture series of another station year, in place of the study's.
    bool ownsSeries() const;
    std::optional<tavi::SeriesOrigin> seriesOrigin() const;
    void setSeries(const tavi::StudyGrid &rows, const tavi::SeriesOrigin &origin);
    void followBaseSeries();

    // Each returns why it could not be done (scenarioNameProblem's words), empty when done;
    // the scenario added or duplicated becomes the chosen one.
    QString addScenario(const QString &name);
    QString renameScenario(const QString &name);
    QString duplicateScenario(const QString &name);
    // The chosen scenario goes, never the base; the one before it is chosen.
    void removeScenario();

signals:
    // What the horizon holds changed.
    void edited();
    // A scenario was added, removed or renamed.
    void scenariosChanged();
    // Another scenario is chosen, or the one chosen now shows other values.
    void scenarioChosen();

private:
    tavi::ScenarioInputs &own() { return m_horizon.scenarios[std::size_t(m_scenario)].inputs; }
    const tavi::ScenarioInputs &own() const
    {
        return m_horizon.scenarios[std::size_t(m_scenario)].inputs;
    }
    const tavi::ScenarioInputs &base() const { return m_horizon.scenarios.front().inputs; }
    void changed() { emit edited(); }

    tavi::Study m_study;
    tavi::StudyHorizon m_horizon;
    int m_scenario = 0;
};
