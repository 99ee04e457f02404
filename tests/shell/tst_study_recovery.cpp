// The program is killed while the user is typing, into a field or into a grid cell whose
// editor is still open; the next start offers the recovery copy and restores what was typed.
// The program killed is a child process: this test program started again with "--child",
// which runs the real main window and types into it.

#include "core/base/LocaleSettings.h"
#include "core/study/StudyFile.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "shell/StudyPrompts.h"
#include "shell/StudySession.h"
#include "shell/TF_Principal.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace
{

const QString kSupply = QStringLiteral("TF_Abast_Publico");
const QString kAgriculture = QStringLiteral("TF_Mod_Agricultura");
const QString kTyped = QStringLiteral("2500");
// Typed into day 100's ETP under Brazilian settings; the study keeps it with a point.
const QString kTypedInCell = QStringLiteral("7,25");
const QString kCellInStudy = QStringLiteral("7.25");

QStringList copiesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("recuperacao-*.tavi")});
}

// What the recovery copy must hold once the child has typed.
bool holdsTyped(const tavi::Study &study, bool inCell)
{
    if (inCell)
        return study.windows.value(kAgriculture).grids.value("SG_Serie").value(99).value(0) ==
               kCellInStudy;
    return study.windows.value(kSupply).fields.value("me_1") == kTyped;
}

// Opens the public supply window and types into its first field, key by key, without
// leaving it (or the agriculture window, into day 100's ETP, its cell editor left open);
// once the recovery copy holds what was typed, says so and goes on waiting, still editing,
// until it is killed.
int runChild(const QString &folder, bool inCell)
{
    TF_Principal main(nullptr, folder);
    main.show();
    QTimer::singleShot(0, &main, [&main, inCell] {
        main.findChild<QAction *>(inCell ? QStringLiteral("Agricultura1")
                                         : QStringLiteral("AbastecimentoPblico1"))
            ->trigger();
    });
    QTimer typing;
    QObject::connect(&typing, &QTimer::timeout, [&typing, &folder, inCell] {
        QWidget *focus = QApplication::focusWidget();
        auto *grid = qobject_cast<ResultGrid *>(focus);
        if (inCell && grid && grid->objectName() == QLatin1String("SG_Serie")) {
            typing.stop();
            grid->setCurrentIndex(grid->model()->index(99, 1));
            for (QChar c : kTypedInCell)
                QTest::keyClicks(QApplication::focusWidget(), QString(c));
        } else if (!inCell && focus && focus->objectName() == QLatin1String("me_1")) {
            typing.stop();
            QTest::keyClicks(focus, kTyped);
        } else {
            return;
        }
        auto *watch = new QTimer(focus);
        QObject::connect(watch, &QTimer::timeout, [folder, inCell] {
            for (const QString &copy : copiesIn(folder)) {
                try {
                    const tavi::Study study = tavi::loadStudyFile(folder + "/" + copy).study;
                    if (holdsTyped(study, inCell)) {
                        std::printf("typed\n");
                        std::fflush(stdout);
                    }
                } catch (const tavi::TaviError &) {
                    // Being written: looked at again on the next tick.
                }
            }
        });
        watch->start(50);
    });
    typing.start(20);
    return QApplication::exec();
}

} // namespace

class StudyRecoveryTest : public QObject
{
    Q_OBJECT

private slots:
    void killedWhileTypingIsRestoredAtTheNextStart_data()
    {
        QTest::addColumn<bool>("inCell");
        QTest::newRow("field being typed") << false;
        QTest::newRow("cell editor open") << true;
    }
    void killedWhileTypingIsRestoredAtTheNextStart()
    {
        QFETCH(bool, inCell);
        QTemporaryDir folder;
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QByteArray said;
        connect(&child, &QProcess::readyReadStandardOutput,
                [&child, &said] { said += child.readAllStandardOutput(); });
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), folder.path(),
                     inCell ? QStringLiteral("cell") : QStringLiteral("field")});
        QVERIFY(child.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(said.contains("typed") || child.state() == QProcess::NotRunning,
                                 30000);
        QCOMPARE(child.state(), QProcess::Running);
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(copiesIn(folder.path()).size(), 1);

        QString offered;
        StudyPrompts::Hooks hooks;
        hooks.offerRecovery = [&offered](QWidget *, const QString &text) {
            offered = text;
            return true;
        };
        StudyPrompts::setHooks(hooks);
        TF_Principal next(nullptr, folder.path());
        next.show();
        next.startStudies(QString());
        StudyPrompts::setHooks({});
        QVERIFY2(offered.contains(QStringLiteral("\"Novo estudo\" tinha alterações que não foram "
                                                 "salvas")),
                 qPrintable(offered));
        QVERIFY(holdsTyped(next.session()->study(), inCell));
        QVERIFY(next.session()->isModified());
        QVERIFY(next.isWindowModified());
        // The orphan is gone; the restored study gets a copy of this program's own (written in
        // the background).
        const QString own =
            QStringLiteral("recuperacao-%1.tavi").arg(QCoreApplication::applicationPid());
        QTRY_COMPARE(copiesIn(folder.path()), QStringList{own});
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments.at(1) == QLatin1String("--child")) {
        // The cell is typed as a user of Brazilian settings would.
        tavi::LocaleSettings::setCurrent(tavi::LocaleSettings::brazilian());
        return runChild(arguments.at(2), arguments.at(3) == QLatin1String("cell"));
    }
    StudyRecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_study_recovery.moc"
