#include "core/study/StudyFile.h"
#include "frame/ModuleWindow.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "frame/ResultsNotice.h"
#include "models/U_Dem_Agua/MaximumBox.h"
#include "shell/StudyPrompts.h"
#include "shell/StudySession.h"
#include "shell/TF_Principal.h"
#include "support/ModalWindows.h"
#include "support/WindowTesting.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tavi;
using testing::whileModal;
using SaveAnswer = StudyPrompts::SaveAnswer;

namespace
{

const QString kSupply = QStringLiteral("TF_Abast_Publico");

QAction *action(QWidget *window, const char *name)
{
    return window->findChild<QAction *>(QLatin1String(name));
}

// What the prompts were asked, and what they answer.
struct Prompts {
    QStringList asked;
    SaveAnswer answer = SaveAnswer::Cancel;
    QString fileToOpen;
    QString fileToSave;
    bool restore = true;

    void install()
    {
        StudyPrompts::Hooks hooks;
        hooks.askToSave = [this](QWidget *, const QString &name) {
            asked << QStringLiteral("save? ") + name;
            return answer;
        };
        hooks.chooseStudyToOpen = [this](QWidget *, const QString &) {
            asked << QStringLiteral("open dialog");
            return fileToOpen;
        };
        hooks.chooseStudyToSave = [this](QWidget *, const QString &suggested) {
            asked << QStringLiteral("save dialog ") + QFileInfo(suggested).fileName();
            return fileToSave;
        };
        hooks.showError = [this](QWidget *, const QString &text) {
            asked << QStringLiteral("error ") + text;
        };
        hooks.showNotice = [this](QWidget *, const QString &text) {
            asked << QStringLiteral("notice ") + text;
        };
        hooks.offerRecovery = [this](QWidget *, const QString &text) {
            asked << QStringLiteral("recover? ") + text;
            return restore;
        };
        StudyPrompts::setHooks(hooks);
    }
};

} // namespace

class StudySessionTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    std::unique_ptr<QTemporaryDir> m_recovery;
    std::unique_ptr<TF_Principal> m_main;
    Prompts m_prompts;

    StudySession *session() const { return m_main->session(); }
    QString file(const char *name) const { return m_folder.filePath(QLatin1String(name)); }

    // Opens the public supply window from the menu, sets me_1 and closes it as `close` says.
    void typeIntoSupply(long double value)
    {
        whileModal([this] { action(m_main.get(), "AbastecimentoPblico1")->trigger(); },
                   [value](QWidget *window) { testing::fieldOf(window, "me_1")->setValue(value); });
    }
    // me_1 as the public supply window shows it when opened again.
    long double supplyShown()
    {
        long double shown = -1;
        whileModal(
            [this] { action(m_main.get(), "AbastecimentoPblico1")->trigger(); },
            [&shown](QWidget *window) { shown = testing::fieldOf(window, "me_1")->value(); });
        return shown;
    }
    QString supplyText() const
    {
        return session()->study().windows.value(kSupply).fields.value("me_1");
    }

private slots:
    // Closing the main window is tried here; the test goes on after it.
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Tavi", "Tavi").clear();
        m_recovery = std::make_unique<QTemporaryDir>();
        m_prompts = Prompts();
        m_prompts.install();
        m_main = std::make_unique<TF_Principal>(nullptr, m_recovery->path());
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }
    void cleanup()
    {
        m_main.reset();
        StudyPrompts::setHooks({});
    }

    void menuHoldsTheStudyCommands()
    {
        auto *menu = m_main->findChild<QMenu *>("Arquivo1");
        QVERIFY(menu);
        QStringList names;
        for (QAction *a : menu->actions())
            if (!a->isSeparator())
                names << a->objectName() + "|" + a->text() + "|" + a->shortcut().toString();
        QCOMPARE(names, (QStringList{"a_novo_estudo|Novo estudo|Ctrl+N",
                                     "a_abrir_estudo|Abrir estudo…|Ctrl+O",
                                     "a_salvar_estudo|Salvar estudo|Ctrl+S",
                                     "a_salvar_estudo_como|Salvar estudo como…|Ctrl+Shift+S",
                                     "a_nome_estudo|Nome e notas do estudo…|", "a_sair|Sair|"}));
    }

    // What is typed in a window is kept in the study when it closes, shown when it opens
    // again, and marks the study as changed in the caption.
    void windowsWorkOnTheStudy()
    {
        typeIntoSupply(2500);
        QCOMPARE(supplyText(), QStringLiteral("2500"));
        QVERIFY(session()->isModified());
        QVERIFY(m_main->isWindowModified());
        QCOMPARE(m_main->windowTitle(), QStringLiteral("Novo estudo[*] - Modelo de Demanda"));
        QVERIFY(supplyShown() == 2500);
        // Typing back what was there leaves nothing unsaved.
        typeIntoSupply(0);
        QVERIFY(!session()->isModified());
        QVERIFY(!m_main->isWindowModified());
    }

    // A study saved while every window showed results, then opened again: no window shows a
    // result until "Simular" runs on what was opened, and "Salvar" and F4 ask for it.
    void aStudySavedWithResultsOpensWithoutThem()
    {
        struct Window {
            const char *action;
            const char *grid;
            int col, row;
        };
        const Window windows[] = {{"AbastecimentoPblico1", "SG_Resultado", 1, 1},
                                  {"Pecuria1", "SG_Resultado", 6, 1},
                                  {"Agricultura1", "SG_Total", 0, 0},
                                  {"guaparaaDiluiodeEsgotosDomsticos1", "SG_Resultado", 4, 1}};
        QStringList notices;
        ResultsNotice::setPresenter([&](QWidget *, const QString &text) { notices << text; });
        MaximumBox::setPresenter([](QWidget *, const QString &) {});
        const auto result = [](QWidget *window, const Window &w) {
            return window->findChild<ResultGrid *>(QLatin1String(w.grid))->cell(w.col, w.row);
        };
        // What each window shows before any run (the agriculture grids open with zeros).
        QStringList fresh;
        for (const Window &w : windows) {
            QVERIFY2(action(m_main.get(), w.action), w.action);
            whileModal([&] { action(m_main.get(), w.action)->trigger(); },
                       [&](QWidget *window) { fresh << result(window, w); });
        }
        for (const Window &w : windows) {
            whileModal([&] { action(m_main.get(), w.action)->trigger(); },
                       [&](QWidget *window) {
                           if (auto *me_1 = window->findChild<NumericEdit *>("me_1"))
                               me_1->setValue(1000);
                           if (auto *serie = window->findChild<ResultGrid *>("SG_Serie"))
                               serie->setCell(1, 1, QStringLiteral("5"));
                           window->findChild<QAbstractButton *>("b_simular")->click();
                           QVERIFY2(!result(window, w).isEmpty(), w.action);
                           QVERIFY2(result(window, w) != fresh[int(&w - windows)], w.action);
                       });
        }
        m_prompts.fileToSave = file("Resultados.tavi");
        action(m_main.get(), "a_salvar_estudo")->trigger();
        action(m_main.get(), "a_novo_estudo")->trigger();
        QVERIFY(session()->openFile(file("Resultados.tavi")));
        for (const Window &w : windows) {
            notices.clear();
            whileModal([&] { action(m_main.get(), w.action)->trigger(); },
                       [&](QWidget *window) {
                           QCOMPARE(result(window, w), fresh[int(&w - windows)]);
                           QVERIFY(!static_cast<ModuleWindow *>(window)->hasSimulated());
                           window->findChild<QAbstractButton *>("b_salvar")->click();
                           QTest::keyClick(window, Qt::Key_F4);
                       });
            QCOMPARE(notices,
                     (QStringList{ResultsNotice::text(ResultsNotice::Purpose::Save, false),
                                  ResultsNotice::text(ResultsNotice::Purpose::Chart, false)}));
        }
        ResultsNotice::setPresenter({});
        MaximumBox::setPresenter({});
        QCOMPARE(session()->study().windows.value(kSupply).fields.value("me_1"),
                 QStringLiteral("1000"));
    }

    void savingOpeningAndTheRecentList()
    {
        typeIntoSupply(1234.5L);
        m_prompts.fileToSave = file("Cidade.tavi");
        action(m_main.get(), "a_salvar_estudo")->trigger();
        QCOMPARE(m_prompts.asked, QStringList{"save dialog Estudo.tavi"});
        QVERIFY(QFile::exists(file("Cidade.tavi")));
        QVERIFY(!session()->isModified());
        QCOMPARE(session()->study().name, QStringLiteral("Cidade"));
        QCOMPARE(m_main->windowTitle(), QStringLiteral("Cidade[*] - Modelo de Demanda"));
        // Saving again goes to the same file without asking.
        typeIntoSupply(99);
        action(m_main.get(), "a_salvar_estudo")->trigger();
        QCOMPARE(m_prompts.asked.size(), 1);
        QCOMPARE(
            loadStudyFile(file("Cidade.tavi")).study.windows.value(kSupply).fields.value("me_1"),
            QStringLiteral("99"));

        action(m_main.get(), "a_novo_estudo")->trigger();
        QCOMPARE(session()->study(), defaultStudy());
        QVERIFY(supplyShown() == 0);
        QCOMPARE(session()->recentStudies(), QStringList{file("Cidade.tavi")});
        QAction *recent = action(m_main.get(), "a_recente_1");
        QVERIFY(recent);
        QCOMPARE(recent->text(), QStringLiteral("&1 Cidade.tavi"));
        recent->trigger();
        QVERIFY(supplyShown() == 99);
        QCOMPARE(session()->path(), file("Cidade.tavi"));

        // Five at most, newest first, each once.
        for (const char *name : {"a.tavi", "b.tavi", "c.tavi", "d.tavi", "e.tavi", "c.tavi"}) {
            m_prompts.fileToSave = file(name);
            action(m_main.get(), "a_salvar_estudo_como")->trigger();
        }
        QCOMPARE(session()->recentStudies(),
                 (QStringList{file("c.tavi"), file("e.tavi"), file("d.tavi"), file("b.tavi"),
                              file("a.tavi")}));
        QVERIFY(action(m_main.get(), "a_recente_5") && !action(m_main.get(), "a_recente_6"));
    }

    // New, Open and leaving the program ask first when there are unsaved changes, and
    // "Cancelar" keeps everything as it was.
    void unsavedChangesAreAskedAbout_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("new") << "a_novo_estudo";
        QTest::newRow("open") << "a_abrir_estudo";
        QTest::newRow("leave") << "close";
    }
    void unsavedChangesAreAskedAbout()
    {
        QFETCH(QString, command);
        saveStudyFile(file("outro.tavi"), defaultStudy());
        m_prompts.fileToOpen = file("outro.tavi");
        auto run = [&] {
            if (command == "close") {
                const bool closed = m_main->close();
                // Closing ended the program's event loop, here one that was not running: a
                // loop of its own takes the end, so the windows opened next still wait.
                if (closed) {
                    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
                    QCoreApplication::exec();
                }
                return closed;
            }
            action(m_main.get(), qPrintable(command))->trigger();
            return true;
        };
        typeIntoSupply(7);
        m_prompts.answer = SaveAnswer::Cancel;
        QVERIFY(!run() || command != "close");
        QCOMPARE(m_prompts.asked, QStringList{"save? Novo estudo"});
        QCOMPARE(supplyText(), QStringLiteral("7"));
        QVERIFY(session()->isModified());

        m_prompts.answer = SaveAnswer::Save;
        m_prompts.fileToSave = file("salvo.tavi");
        QVERIFY(run());
        QCOMPARE(
            loadStudyFile(file("salvo.tavi")).study.windows.value(kSupply).fields.value("me_1"),
            QStringLiteral("7"));

        m_main->show();
        typeIntoSupply(8);
        m_prompts.asked.clear();
        m_prompts.answer = SaveAnswer::DontSave;
        const QString name = session()->displayName();
        QVERIFY(run());
        QCOMPARE(m_prompts.asked.first(), QStringLiteral("save? ") + name);
        if (command == "close") {
            // Leaving cleanly: no recovery copy is left to be offered next time.
            QVERIFY(QDir(m_recovery->path()).entryList({"recuperacao-*.tavi"}).isEmpty());
        } else {
            QVERIFY(!session()->isModified());
            QVERIFY(supplyShown() == 0);
        }
    }

    // The summary is computed from the study as it stands, what was just typed included.
    void summaryReadsTheCurrentStudy()
    {
        whileModal([this] { action(m_main.get(), "Pecuria1")->trigger(); },
                   [](QWidget *window) {
                       testing::fieldOf(window, "me_bovino")->setValue(50);
                       testing::fieldOf(window, "e_qte_bovino")->setValue(1000);
                   });
        QString livestock;
        const testing::Shown shown =
            whileModal([this] { action(m_main.get(), "a_resumo")->trigger(); },
                       [&livestock](QWidget *window) {
                           livestock = window->findChild<ResultGrid *>("SG_Resumo")->cell(2, 1);
                       });
        QCOMPARE(shown.name, QStringLiteral("F_Resumo_Municipio"));
        QCOMPARE(livestock, QStringLiteral("50"));
    }

    // A file that does not open as a study is reported, naming it, and the study in use stays
    // as it was; one with members missing opens with defaults and says so once.
    void badAndIncompleteFiles()
    {
        typeIntoSupply(5);
        QFile bad(file("ruim.tavi"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("{\"formato\": \"tavi-estudo\", \"versao\": 1");
        bad.close();
        m_prompts.fileToOpen = bad.fileName();
        m_prompts.answer = SaveAnswer::DontSave;
        action(m_main.get(), "a_abrir_estudo")->trigger();
        QCOMPARE(m_prompts.asked.last(),
                 QStringLiteral("error Não foi possível abrir o estudo \"%1\": o arquivo está "
                                "incompleto: termina na linha 1, coluna 39 antes do fim do "
                                "estudo.")
                     .arg(bad.fileName()));
        QCOMPARE(supplyText(), QStringLiteral("5"));
        QVERIFY(session()->path().isEmpty());

        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(
            "{\"formato\": \"tavi-estudo\", \"versao\": 1, \"janelas\": {\"TF_Abast_Publico\":"
            " {\"me_1\": \"42\"}}}");
        bad.close();
        m_prompts.asked.clear();
        m_main->startStudies(bad.fileName()); // as named on the command line
        QCOMPARE(m_prompts.asked.size(), 1);
        QVERIFY(m_prompts.asked.first().startsWith("notice O estudo"));
        QVERIFY2(m_prompts.asked.first().contains(
                     "Abastecimento Público: Demanda per-capita ATUAL da população atendida "
                     "(m3/dia.habitante); População total do município (habitantes)"),
                 qPrintable(m_prompts.asked.first()));
        QVERIFY(supplyShown() == 42);
        QVERIFY(!session()->isModified());
    }

    void nameAndNotes()
    {
        StudyPrompts::Hooks hooks;
        hooks.editNameAndNotes = [](QWidget *, QString *name, QString *notes) {
            *name = QStringLiteral("Estudo [*] do Rio");
            *notes = QStringLiteral("Cenário de seca");
            return true;
        };
        StudyPrompts::setHooks(hooks);
        action(m_main.get(), "a_nome_estudo")->trigger();
        QCOMPARE(session()->study().notes, QStringLiteral("Cenário de seca"));
        QVERIFY(m_main->isWindowModified());
        QCOMPARE(m_main->windowTitle(),
                 QStringLiteral("Estudo [ * ] do Rio[*] - Modelo de Demanda"));
    }

    // While there are unsaved changes a recovery copy follows them, within a few seconds
    // of typing; saving removes it, and the next program offers to restore an orphan.
    void recoveryCopyFollowsUnsavedChanges()
    {
        QString copy;
        whileModal(
            [this] { action(m_main.get(), "AbastecimentoPblico1")->trigger(); },
            [&copy, this](QWidget *window) {
                testing::fieldOf(window, "me_3")->setValue(321);
                const QStringList copies =
                    QDir(m_recovery->path()).entryList({"recuperacao-*.tavi"});
                QVERIFY(copies.isEmpty());
                QTRY_VERIFY_WITH_TIMEOUT(
                    !QDir(m_recovery->path()).entryList({"recuperacao-*.tavi"}).isEmpty(),
                    StudySession::kSnapshotMs * 3);
                copy = QDir(m_recovery->path())
                           .filePath(
                               QDir(m_recovery->path()).entryList({"recuperacao-*.tavi"}).first());
                QTRY_VERIFY(QFile::exists(copy) &&
                            loadStudyFile(copy).study.windows.value(kSupply).fields.value("me_3") ==
                                QStringLiteral("321"));
            });
        QVERIFY(!copy.isEmpty());
        m_prompts.fileToSave = file("r.tavi");
        action(m_main.get(), "a_salvar_estudo")->trigger();
        QVERIFY(!QFile::exists(copy));
    }
};

QTEST_MAIN(StudySessionTest)
#include "tst_study_session.moc"
