#include "models/U_Horizonte/HorizonComputation.h"

#include "core/base/TaviError.h"

#include <QMetaObject>

using namespace tavi;

HorizonComputation::HorizonComputation(QObject *parent) : QObject(parent)
{
    m_pool.setMaxThreadCount(2);
}

HorizonComputation::~HorizonComputation()
{
    cancel();
    // A computation still running posts its result to this object: it must find it alive.
    m_pool.waitForDone();
}

void HorizonComputation::start(const Study &study, const std::vector<QString> &refused)
{
    cancel();
    m_awaited = true;
    const quint64 generation = ++m_generation;
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    m_cancelled = cancelled;
    const LocaleSettings locale = LocaleSettings::current();
    m_pool.start([this, study, refused, locale, cancelled, generation] {
        if (cancelled->load())
            return;
        std::shared_ptr<const HorizonResults> results =
            compute(study, refused, locale, cancelled.get());
        if (cancelled->load())
            return;
        QMetaObject::invokeMethod(
            this, [this, generation, results] { deliver(generation, results); },
            Qt::QueuedConnection);
    });
}

void HorizonComputation::cancel()
{
    if (m_cancelled)
        m_cancelled->store(true);
    m_cancelled.reset();
    // Whatever comes back now is of an older generation.
    ++m_generation;
    m_awaited = false;
}

void HorizonComputation::deliver(quint64 generation, std::shared_ptr<const HorizonResults> results)
{
    if (generation != m_generation)
        return;
    m_awaited = false;
    m_cancelled.reset();
    emit computed(std::move(results));
}

std::shared_ptr<const HorizonResults>
HorizonComputation::compute(const Study &study, const std::vector<QString> &refused,
                            const LocaleSettings &locale, const std::atomic<bool> *cancelled)
{
    auto results = std::make_shared<HorizonResults>();
    const std::size_t scenarios = study.horizon ? study.horizon->scenarios.size() : 0;
    QString failure;
    try {
        results->runs = horizon::runHorizon(study, locale, cancelled);
    } catch (const TaviError &error) {
        failure = error.message();
    } catch (const std::exception &error) {
        failure = QString::fromLocal8Bit(error.what());
    }
    results->runs.resize(scenarios);
    for (std::size_t s = 0; s < scenarios; ++s) {
        horizon::ScenarioRun &run = results->runs[s];
        const QString problem = s < refused.size() ? refused[s] : QString();
        if (!failure.isEmpty() || !problem.isEmpty()) {
            // Nothing is projected from inputs that were refused, whatever the core made.
            run = horizon::ScenarioRun();
            run.problem = problem.isEmpty() ? failure : problem;
        }
        run.name = study.horizon->scenarios[s].name;
    }
    try {
        results->differences = horizon::differencesFromBase(results->runs);
    } catch (const std::exception &) {
        results->differences.clear();
    }
    return results;
}
