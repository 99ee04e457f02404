// The program is killed while the user is typing; the next start offers the recovery copy
// and restores what was typed. The program killed is a child process: this test program
// started again with "--child", which runs the real main window and types into it.

#include "core/StudyFile.h"
#include "frame/NumericEdit.h"
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
const QString kTyped = QStringLiteral("2500");

QStringList copiesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("recuperacao-*.tavi")});
}

// Opens the public supply window and types into its first field, key by key, without
// leaving it; once the recovery copy holds what was typed, says so and goes on waiting, the
// field still being edited, until it is killed.
int runChild(const QString &folder)
{
    TF_Principal main(nullptr, folder);
    main.show();
    QTimer::singleShot(0, &main, [&main] {
        main.findChild<QAction *>(QStringLiteral("AbastecimentoPblico1"))->trigger();
    });
    QTimer typing;
    QObject::connect(&typing, &QTimer::timeout, [&typing, &folder] {
        auto *field = qobject_cast<NumericEdit *>(QApplication::focusWidget());
        if (!field || field->objectName() != QLatin1String("me_1"))
            return;
        typing.stop();
        QTest::keyClicks(field, kTyped);
        auto *watch = new QTimer(field);
        QObject::connect(watch, &QTimer::timeout, [folder] {
            for (const QString &copy : copiesIn(folder)) {
                try {
                    const tavi::Study study = tavi::loadStudyFile(folder + "/" + copy).study;
                    if (study.windows.value(kSupply).fields.value("me_1") == kTyped) {
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
    void killedWhileTypingIsRestoredAtTheNextStart()
    {
        QTemporaryDir folder;
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QByteArray said;
        connect(&child, &QProcess::readyReadStandardOutput,
                [&child, &said] { said += child.readAllStandardOutput(); });
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), folder.path()});
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
        QCOMPARE(next.session()->study().windows.value(kSupply).fields.value("me_1"), kTyped);
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
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("--child"))
        return runChild(arguments.at(2));
    StudyRecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_study_recovery.moc"
