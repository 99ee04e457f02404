#pragma once

// What the monkey did last and what went wrong, so that a failure names the seed, the window,
// the event and the actions leading to it, and can be replayed from the seed alone.

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdio>

namespace monkey
{

class Log
{
public:
    static Log &instance()
    {
        static Log log;
        return log;
    }

    // "seed 7, TF_Dem_Agua, decimal comma": printed with every failure.
    void setRun(const QString &run)
    {
        m_run = run;
        m_event = -1;
        m_trail.clear();
    }
    void setEvent(int index) { m_event = index; }
    int event() const { return m_event; }

    // One action, kept among the last few for the failure report (and printed as it happens
    // when TAVI_MONKEY_TRACE is set; straight to stderr, past the test log's cap on messages).
    void action(const QString &what)
    {
        if (m_trace)
            std::fprintf(stderr, "#%d %s\n", m_event, what.toLocal8Bit().constData());
        m_trail << QStringLiteral("#%1 %2").arg(m_event).arg(what);
        if (m_trail.size() > kTrailLength)
            m_trail.removeFirst();
    }

    void fail(const QString &what)
    {
        m_failures << QStringLiteral("%1, event %2: %3").arg(m_run).arg(m_event).arg(what);
    }
    bool failed() const { return !m_failures.isEmpty(); }
    QString firstFailure() const { return m_failures.value(0); }
    void clearFailures() { m_failures.clear(); }

    // The failures and the actions that led to them, for the test's output.
    QString report() const
    {
        QString text = m_failures.join(QLatin1Char('\n'));
        text += QStringLiteral("\nlast actions:\n  ") + m_trail.join(QStringLiteral("\n  "));
        return text;
    }

private:
    Log() : m_trace(qEnvironmentVariableIsSet("TAVI_MONKEY_TRACE")) {}

    static constexpr int kTrailLength = 24;
    bool m_trace;
    QString m_run;
    int m_event = -1;
    QStringList m_trail;
    QStringList m_failures;
};

} // namespace monkey
