#include "core/sectors/catalogue/HorizonKeys.h"
#include "frame/NumericEdit.h"
#include "models/U_Horizonte/TF_Horizonte.h"
#include "shell/StudyPrompts.h"
#include "shell/StudySession.h"
#include "shell/TF_Principal.h"
#include "support/ModalWindows.h"
#include "support/WindowTesting.h"

#include <QAction>
#include <QDir>
#include <QSettings>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tavi;
using testing::whileModal;

namespace
{

QAction *action(QWidget *window, const char *name)
{
    return window->findChild<QAction *>(QLatin1String(name));
}

} // namespace

class HorizonSessionTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_recovery;
    std::unique_ptr<TF_Principal> m_main;

    StudySession *session() const { return m_main->session(); }

    // Opens the horizon window from the menu and lets `inspect` work in it before it closes.
    testing::Shown openHorizon(const std::function<void(TF_Horizonte *)> &inspect = {})
    {
        return whileModal([this] { action(m_main.get(), "a_horizonte")->trigger(); },
                          [&inspect](QWidget *window) {
                              auto *horizon = qobject_cast<TF_Horizonte *>(window);
                              // Typed into as the user types: in the active window.
                              if (horizon && inspect && testing::showActive(horizon))
                                  inspect(horizon);
                          });
    }

private slots:
    void init()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Tavi", "Tavi").clear();
        // Nothing here may ask the user anything.
        StudyPrompts::Hooks hooks;
        hooks.showError = [](QWidget *, const QString &text) { QFAIL(qPrintable(text)); };
        StudyPrompts::setHooks(hooks);
        m_recovery = std::make_unique<QTemporaryDir>();
        m_main = std::make_unique<TF_Principal>(nullptr, m_recovery->path());
        QVERIFY(testing::showActive(m_main.get()));
    }
    void cleanup()
    {
        m_main.reset();
        StudyPrompts::setHooks({});
    }

    void itOpensFromTheMenuAndFromCtrlH_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Modelo TAVI menu") << false;
        QTest::newRow("Ctrl+H") << true;
    }
    void itOpensFromTheMenuAndFromCtrlH()
    {
        QFETCH(bool, byKey);
        QAction *item = action(m_main.get(), "a_horizonte");
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("Horizonte e Cenários"));
        QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
        const testing::Shown shown = whileModal([&] {
            if (byKey)
                QTest::keyClick(m_main.get(), Qt::Key_H, Qt::ControlModifier);
            else
                item->trigger();
        });
        QVERIFY(shown.opened);
        QCOMPARE(shown.name, QStringLiteral("TF_Horizonte"));
        QVERIFY(shown.destroyed);
    }

    // Ctrl+H means one thing in the main window.
    void noOtherCommandTakesCtrlH()
    {
        QStringList taking;
        for (QAction *a : m_main->findChildren<QAction *>())
            if (a->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_H)))
                taking << a->objectName();
        for (QShortcut *s : m_main->findChildren<QShortcut *>())
            if (s->key() == QKeySequence(Qt::CTRL | Qt::Key_H))
                taking << s->objectName();
        QCOMPARE(taking, QStringList{"a_horizonte"});
    }

    // What is typed in the window is the study's: while it is open, as the session takes a
    // window's inputs, with its recovery copy; and when it closes. It opens again on it.
    void theHorizonLandsInTheStudy()
    {
        QVERIFY(!session()->study().horizon);
        std::optional<StudyHorizon> whileOpen;
        QStringList recoveryFiles;
        openHorizon([&](TF_Horizonte *window) {
            testing::typeIntoField(window, QStringLiteral("e_ano_final"), QStringLiteral("2040"));
            // Within the snapshot's interval, as the module windows' inputs, and so into the
            // recovery copy that outlives a crash.
            QTRY_VERIFY_WITH_TIMEOUT(session()->study().horizon.has_value(),
                                     3 * StudySession::kSnapshotMs);
            whileOpen = session()->study().horizon;
            recoveryFiles = QDir(m_recovery->path()).entryList(QDir::Files);
        });
        QVERIFY(whileOpen);
        QCOMPARE(whileOpen->finalYear, QStringLiteral("2040"));
        QVERIFY(!recoveryFiles.isEmpty());
        QVERIFY(session()->study().horizon);
        QCOMPARE(session()->study().horizon->finalYear, QStringLiteral("2040"));
        QCOMPARE(session()->study().horizon->scenarios.front().name, QString(keys::kBaseScenario));
        QVERIFY(session()->isModified());

        long double shown = 0;
        openHorizon([&](TF_Horizonte *window) {
            shown = testing::fieldOf(window, "e_ano_final")->value();
        });
        QCOMPARE(shown, 2040.0L);
    }

    // Looking at the horizon of a study that has none changes nothing in it.
    void anUntouchedNewHorizonLeavesTheStudyAlone()
    {
        const Study before = session()->study();
        QVERIFY(openHorizon().opened);
        QVERIFY(!session()->study().horizon);
        QVERIFY(session()->study() == before);
        QVERIFY(!session()->isModified());
    }
};

QTEST_MAIN(HorizonSessionTest)
#include "tst_horizon_session.moc"
