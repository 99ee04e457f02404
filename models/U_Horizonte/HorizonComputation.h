#pragma once

#include "core/base/LocaleSettings.h"
#include "core/horizon/HorizonRun.h"
#include "core/study/Study.h"

#include <QMetaType>
#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <vector>

// What one computation of a horizon gives: every scenario's run, in the horizon's order, and
// each scenario against the base.
struct HorizonResults {
    std::vector<tavi::horizon::ScenarioRun> runs;
    std::vector<tavi::horizon::ScenarioDifference> differences;
};
Q_DECLARE_METATYPE(std::shared_ptr<const HorizonResults>)

// The horizon computed away from the window's thread, so that typing never waits for it.
// Each start makes every earlier computation stale: it is told to stop, and whatever it
// still gives is thrown away, so a result delivered is always that of the latest start.
class HorizonComputation : public QObject
{
    Q_OBJECT
public:
    explicit HorizonComputation(QObject *parent = nullptr);
    // Waits for the computations in flight, which stop early.
    ~HorizonComputation() override;

    // Computes every scenario of `study` (which has a horizon). `refused` holds, scenario by
    // scenario, why it must not be computed (empty for one that may): its run carries that
    // problem and no years.
    void start(const tavi::Study &study, const std::vector<QString> &refused);
    // Nothing in flight will be delivered.
    void cancel();
    // Whether a result is awaited.
    bool isComputing() const { return m_awaited; }

    // The same computation, here and now; what throws becomes every scenario's problem.
    static std::shared_ptr<const HorizonResults>
    compute(const tavi::Study &study, const std::vector<QString> &refused,
            const tavi::LocaleSettings &locale, const std::atomic<bool> *cancelled = nullptr);

signals:
    // The latest start's results, on the object's thread.
    void computed(std::shared_ptr<const HorizonResults> results);

private:
    void deliver(quint64 generation, std::shared_ptr<const HorizonResults> results);

    // The window's own threads: the scenarios themselves run side by side on the global
    // pool, and a computation waiting for them must not hold one of its threads.
    QThreadPool m_pool;
    quint64 m_generation = 0;
    bool m_awaited = false;
    std::shared_ptr<std::atomic<bool>> m_cancelled;
};
