// The monkey test: every module window, opened as the menu opens it, takes inputs at the
// edges and then a long seeded stream of random keystrokes, pastes and clicks. It passes when
// nothing crashes, no exception reaches the event loop, every error box shows one of the
// program's messages, and the window still answers and closes with Escape.
//
// TAVI_MONKEY_EVENTS: random actions per window, shared by the two locales (default 3000).
// TAVI_MONKEY_SEED: the seed (default fixed); a failure prints it with the event's index, and
// the same seed and count replay the same run.

#include "BoxDismissers.h"
#include "ExtremeScenarios.h"
#include "Monkey.h"
#include "MonkeyApplication.h"
#include "MonkeyLog.h"
#include "WarningWatch.h"
#include "WindowUnderTest.h"

#include "core/base/LocaleSettings.h"
#include "support/WindowTesting.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>
#include <memory>

using namespace monkey;
using tavi::LocaleSettings;

namespace
{

constexpr int kDefaultEvents = 3000;
constexpr quint64 kDefaultSeed = 20240611;

int eventsPerWindow()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("TAVI_MONKEY_EVENTS", &ok);
    return ok && n >= 0 ? n : kDefaultEvents;
}

quint64 seed()
{
    bool ok = false;
    const quint64 s = qEnvironmentVariable("TAVI_MONKEY_SEED").toULongLong(&ok, 0);
    return ok ? s : kDefaultSeed;
}

// One stream per window and locale, so that each run replays on its own.
QRandomGenerator streamFor(quint64 seed, tavi::SectorId kind, bool decimalComma)
{
    const quint32 words[] = {quint32(seed), quint32(seed >> 32), quint32(kind),
                             decimalComma ? 1u : 0u};
    return QRandomGenerator(words, 4);
}

QString windowClass(tavi::SectorId kind)
{
    return tavi::sectorDescriptor(kind).studyKey;
}

Input resolve(const WindowUnderTest &under, const Step &step)
{
    QWidget *window = under.window();
    if (step.col < 0)
        return Input{window->findChild<NumericEdit *>(step.input)};
    return Input{nullptr, window->findChild<ResultGrid *>(step.input), step.col, step.row};
}

} // namespace

Q_DECLARE_METATYPE(tavi::SectorId)

class MonkeyTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<WarningWatch> m_warnings;

    static void addWindowRows()
    {
        QTest::addColumn<tavi::SectorId>("kind");
        QTest::addColumn<bool>("decimalComma");
        const tavi::SectorId kinds[] = {tavi::SectorId::Supply, tavi::SectorId::Livestock,
                                        tavi::SectorId::Agriculture, tavi::SectorId::Dilution};
        for (tavi::SectorId kind : kinds) {
            for (bool comma : {true, false}) {
                const QString row = windowClass(kind) + (comma ? QStringLiteral(", decimal comma")
                                                               : QStringLiteral(", decimal point"));
                QTest::newRow(qPrintable(row)) << kind << comma;
            }
        }
    }

    static void beginRun(const QString &what, tavi::SectorId kind, bool comma)
    {
        Log::instance().setRun(
            QStringLiteral("seed %1, %2, %3, %4")
                .arg(seed())
                .arg(windowClass(kind))
                .arg(comma ? QStringLiteral("decimal comma") : QStringLiteral("decimal point"))
                .arg(what));
        Log::instance().clearFailures();
    }

    static QString replay()
    {
        return QStringLiteral("replay: TAVI_MONKEY_SEED=%1 TAVI_MONKEY_EVENTS=%2")
            .arg(seed())
            .arg(eventsPerWindow());
    }
    // A failure message is cut short in the test's output, so the whole report (every
    // failure and the actions before it) is printed first.
    static bool reported(bool ok)
    {
        if (!ok)
            qInfo().noquote() << Log::instance().report() << '\n' << replay();
        return ok;
    }
    static QByteArray firstFailure()
    {
        return (Log::instance().firstFailure() + QLatin1Char('\n') + replay()).toLocal8Bit();
    }

private slots:
    void initTestCase()
    {
        qInfo("monkey: seed %llu, %d random actions per window", seed(), eventsPerWindow());
        m_warnings = std::make_unique<WarningWatch>();
    }
    void cleanupTestCase() { m_warnings.reset(); }

    void extremesLeaveEveryWindowWorking_data() { addWindowRows(); }
    void extremesLeaveEveryWindowWorking()
    {
        QFETCH(tavi::SectorId, kind);
        QFETCH(bool, decimalComma);
        testing::LocaleScope locale(decimalComma ? LocaleSettings::brazilian()
                                                 : LocaleSettings::decimalPoint());
        BoxDismissers boxes;
        WindowUnderTest under(kind);
        beginRun(QStringLiteral("extremes"), kind, decimalComma);
        QVERIFY2(reported(under.open()), firstFailure().constData());
        const QVector<Scenario> scenarios = extremeScenarios(kind, under);
        QVERIFY(!scenarios.isEmpty());
        for (const Scenario &scenario : scenarios) {
            beginRun(scenario.name, kind, decimalComma);
            QVERIFY2(reported(under.open()), firstFailure().constData());
            boxes.errors.clear();
            for (int i = 0; i < scenario.steps.size(); ++i) {
                Log::instance().setEvent(i);
                const Step &step = scenario.steps[i];
                const Input input = resolve(under, step);
                QVERIFY2(input.field || input.grid, qPrintable(step.input));
                // Every other entry is pasted, the rest typed.
                QVERIFY2(under.enter(input, step.text, i % 2 == 1),
                         qPrintable(QStringLiteral("%1: %2 did not take \"%3\"")
                                        .arg(scenario.name, input.name(), step.text)));
                if (scenario.simulateAfterEachStep)
                    under.clickSimular();
                QVERIFY2(reported(under.checkAfterAction()), firstFailure().constData());
            }
            if (!scenario.simulateAfterEachStep) {
                under.clickSimular();
                QVERIFY2(reported(under.checkAfterAction()), firstFailure().constData());
            }
            if (!scenario.expectedMessage.isEmpty())
                QVERIFY2(boxes.errors.contains(scenario.expectedMessage),
                         qPrintable(QStringLiteral("%1: expected \"%2\", shown: %3")
                                        .arg(scenario.name, scenario.expectedMessage,
                                             boxes.errors.join(QStringLiteral(" | ")))));
            QVERIFY2(reported(under.respondsAndClosesWithEscape()), firstFailure().constData());
        }
    }

    void randomActionsLeaveEveryWindowWorking_data() { addWindowRows(); }
    void randomActionsLeaveEveryWindowWorking()
    {
        QFETCH(tavi::SectorId, kind);
        QFETCH(bool, decimalComma);
        testing::LocaleScope locale(decimalComma ? LocaleSettings::brazilian()
                                                 : LocaleSettings::decimalPoint());
        BoxDismissers boxes;
        QRandomGenerator rng = streamFor(seed(), kind, decimalComma);
        WindowUnderTest under(kind);
        Monkey monkey(under, rng);
        beginRun(QStringLiteral("random"), kind, decimalComma);
        QElapsedTimer clock;
        clock.start();
        const int events = (eventsPerWindow() + 1) / 2;
        QVERIFY2(reported(under.open()), firstFailure().constData());
        QVERIFY2(reported(monkey.run(events)), firstFailure().constData());
        QVERIFY2(reported(under.respondsAndClosesWithEscape()), firstFailure().constData());
        qInfo("%d actions in %lld ms: %d windows opened, %d Simular clicks, %lld error boxes, "
              "%lld maximum reports, %d save questions",
              events, clock.elapsed(), under.windowsOpened(), under.simularClicks(),
              qlonglong(boxes.errors.size()), qlonglong(boxes.maximums.size()),
              boxes.saveQuestions);
    }
};

int main(int argc, char *argv[])
{
    MonkeyApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    MonkeyTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_monkey.moc"
