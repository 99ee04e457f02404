// The balance window from the main window: Ctrl+B opens it, what is done in it is the
// study's (and makes it unsaved), and a look that changes nothing leaves the study alone.
#include "core/sectors/catalogue/BalanceKeys.h"
#include "models/U_Balanco/TF_Balanco.h"
#include "shell/StudyPrompts.h"
#include "shell/StudySession.h"
#include "shell/TF_Principal.h"
#include "support/ModalWindows.h"
#include "support/RiverSeries.h"
#include "support/WindowTesting.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
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

class BalanceSessionTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_recovery;
    std::unique_ptr<TF_Principal> m_main;

    StudySession *session() const { return m_main->session(); }

    testing::Shown openBalance(const std::function<void(TF_Balanco *)> &inspect = {})
    {
        return whileModal([this] { QTest::keyClick(m_main.get(), Qt::Key_B, Qt::ControlModifier); },
                          [&inspect](QWidget *window) {
                              auto *balance = qobject_cast<TF_Balanco *>(window);
                              if (balance && inspect && testing::showActive(balance))
                                  inspect(balance);
                          });
    }

private slots:
    void init()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Tavi", "Tavi").clear();
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

    void ctrlBOpensTheWindowAndNothingElse()
    {
        QAction *item = action(m_main.get(), "a_balanco");
        QVERIFY(item);
        QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
        QStringList taking;
        for (QAction *a : m_main->findChildren<QAction *>())
            if (a->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_B)))
                taking << a->objectName();
        for (QShortcut *s : m_main->findChildren<QShortcut *>())
            if (s->key() == QKeySequence(Qt::CTRL | Qt::Key_B))
                taking << s->objectName();
        QCOMPARE(taking, QStringList{"a_balanco"});
        // In the Modelo TAVI menu, right after the horizon.
        bool afterHorizon = false;
        for (QMenu *menu : m_main->findChildren<QMenu *>()) {
            const QList<QAction *> items = menu->actions();
            const int at = items.indexOf(item);
            if (at > 0)
                afterHorizon = items[at - 1]->objectName() == QLatin1String("a_horizonte");
        }
        QVERIFY(afterHorizon);

        const testing::Shown shown = openBalance();
        QVERIFY(shown.opened);
        QCOMPARE(shown.name, QStringLiteral("TF_Balanco"));
        QVERIFY(shown.destroyed);
    }

    // A series pasted and a choice made are the study's while the window is open (so in its
    // recovery copy) and when it closes; the window opens on them again.
    void anEditedBalanceLandsInTheStudy()
    {
        QVERIFY(!session()->study().balance);
        std::optional<StudyBalance> whileOpen;
        QStringList recoveryFiles;
        openBalance([&](TF_Balanco *window) {
            QVERIFY(window->pasteSeries(RiverSeries::pastedText(RiverSeries::flowSeries(), 800)));
            auto *fit = window->findChild<QComboBox *>(QStringLiteral("cb_ajuste"));
            fit->setCurrentIndex(fit->findData(QString(keys::kFitLogNormal3)));
            QTRY_VERIFY_WITH_TIMEOUT(session()->study().balance.has_value(),
                                     3 * StudySession::kSnapshotMs);
            whileOpen = session()->study().balance;
            recoveryFiles = QDir(m_recovery->path()).entryList(QDir::Files);
        });
        QVERIFY(whileOpen && whileOpen->series);
        QVERIFY(!recoveryFiles.isEmpty());
        const std::optional<StudyBalance> kept = session()->study().balance;
        QVERIFY(kept && kept->series);
        QCOMPARE(kept->series->days.size(), std::size_t(800));
        QCOMPARE(kept->fit, QString(keys::kFitLogNormal3));
        QVERIFY(session()->isModified());

        QString fitShown;
        openBalance([&](TF_Balanco *window) {
            fitShown = window->findChild<QComboBox *>(QStringLiteral("cb_ajuste"))
                           ->currentData()
                           .toString();
        });
        QCOMPARE(fitShown, QString(keys::kFitLogNormal3));
        QCOMPARE(session()->study().balance, kept);
    }

    void anUntouchedBalanceLeavesTheStudyAlone()
    {
        const Study before = session()->study();
        QVERIFY(openBalance().opened);
        QVERIFY(!session()->study().balance);
        QVERIFY(session()->study() == before);
        QVERIFY(!session()->isModified());
    }
};

QTEST_MAIN(BalanceSessionTest)
#include "tst_balance_session.moc"
