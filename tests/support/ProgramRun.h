#pragma once

// Runs the program `tavi` as a user runs it from a terminal (TAVI_PROGRAM, set by the build for
// the tests that use this) and collects what it said.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace testing
{

struct ProgramRun {
    bool finished = false;
    int status = -1;
    QString out;
    QString err;
};

// The test's own environment, with `changes` over it ("NAME=value"; "NAME=" removes it).
inline QProcessEnvironment programEnvironment(const QStringList &changes = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &change : changes) {
        const int equals = change.indexOf(QLatin1Char('='));
        const QString name = change.left(equals);
        const QString value = change.mid(equals + 1);
        if (value.isEmpty())
            environment.remove(name);
        else
            environment.insert(name, value);
    }
    return environment;
}

inline ProgramRun runProgram(const QStringList &arguments,
                             const QProcessEnvironment &environment = programEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TAVI_PROGRAM), arguments);
    ProgramRun run;
    run.finished = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace testing

// Checks that the run ended by itself with the exit status `expected`, showing what the
// program said otherwise.
#define CHECK_STATUS(run, expected)                                                                \
    do {                                                                                           \
        QVERIFY2((run).finished, qPrintable((run).err));                                           \
        QVERIFY2(                                                                                  \
            (run).status == (expected),                                                            \
            qPrintable(                                                                            \
                QStringLiteral("status %1\n%2\n%3").arg((run).status).arg((run).out, (run).err))); \
    } while (false)
