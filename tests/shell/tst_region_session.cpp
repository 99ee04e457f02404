// A municipality of a region opened as the study: edited in the ordinary windows, saved back
// into its region, or saved as a study file of its own; kept linked by its recovery copy.

#include "core/region/Region.h"
#include "core/region/RegionFile.h"
#include "core/study/StudyFile.h"
#include "frame/NumericEdit.h"
#include "models/U_Regiao/TF_Regiao.h"
#include "shell/StudyPrompts.h"
#include "shell/StudySession.h"
#include "shell/TF_Principal.h"
#include "support/ModalWindows.h"
#include "support/WindowTesting.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tavi;
using testing::whileModal;

namespace
{

const QString kSupply = QStringLiteral("TF_Abast_Publico");
const QString kSaoPaulo = QStringLiteral("3550308");
const QString kGuarulhos = QStringLiteral("3518800");

QAction *action(QWidget *window, const char *name)
{
    return window->findChild<QAction *>(QLatin1String(name));
}

region::Municipality municipality(const QString &code, const QString &name,
                                  const QString &population)
{
    region::Municipality m;
    m.code = code;
    m.name = name;
    m.state = QStringLiteral("SP");
    m.group = QStringLiteral("Alto Tietê");
    m.overrides.fields[kSupply][QStringLiteral("me_1")] = population;
    m.sources[region::inputPath(kSupply, QStringLiteral("me_1"))] =
        QStringLiteral("populacao.csv, 2022, linha 4");
    return m;
}

region::Region sampleRegion()
{
    region::Region r = region::emptyRegion();
    r.name = QStringLiteral("Alto Tietê");
    r.municipalities = {municipality(kSaoPaulo, QStringLiteral("São Paulo"), "11451245"),
                        municipality(kGuarulhos, QStringLiteral("Guarulhos"), "1291771")};
    return r;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString supplyField(const Study &study, const char *field)
{
    return study.windows.value(kSupply).fields.value(QLatin1String(field));
}

// What the prompts were asked; the save dialog answers with `fileToSave`.
struct Prompts {
    QStringList asked;
    QString fileToSave;
    StudyPrompts::SaveAnswer answer = StudyPrompts::SaveAnswer::Cancel;

    void install()
    {
        StudyPrompts::Hooks hooks;
        hooks.askToSave = [this](QWidget *, const QString &name) {
            asked << QStringLiteral("save? ") + name;
            return answer;
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
            return true;
        };
        StudyPrompts::setHooks(hooks);
    }
};

} // namespace

class RegionSessionTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    std::unique_ptr<QTemporaryDir> m_recovery;
    std::unique_ptr<TF_Principal> m_main;
    Prompts m_prompts;
    QString m_regionPath;

    StudySession *session() const { return m_main->session(); }

    void typeIntoSupply(const char *field, long double value)
    {
        whileModal(
            [this] { action(m_main.get(), "AbastecimentoPblico1")->trigger(); },
            [field, value](QWidget *window) { testing::fieldOf(window, field)->setValue(value); });
    }
    void openSaoPauloAndType()
    {
        QVERIFY(session()->openMunicipality(m_regionPath, kSaoPaulo));
        typeIntoSupply("me_3", 321);
        QCOMPARE(supplyField(session()->study(), "me_3"), QStringLiteral("321"));
        QVERIFY(session()->isModified());
    }
    region::Region regionInFile() const { return region::loadRegionFile(m_regionPath).region; }

private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Tavi", "Tavi").clear();
        m_recovery = std::make_unique<QTemporaryDir>();
        m_prompts = Prompts();
        m_prompts.install();
        m_regionPath = m_folder.filePath(QStringLiteral("alto-tiete.tavi-regiao"));
        region::saveRegionFile(m_regionPath, sampleRegion());
        m_main = std::make_unique<TF_Principal>(nullptr, m_recovery->path());
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }
    void cleanup()
    {
        m_main.reset();
        StudyPrompts::setHooks({});
    }

    // The municipality opens as a study of no file, named with its region in the caption;
    // "Salvar" puts what was typed back into its place in the region and nowhere else.
    void salvarWritesTheMunicipalityBackIntoItsRegion()
    {
        const region::Region before = regionInFile();
        openSaoPauloAndType();
        QVERIFY(session()->path().isEmpty());
        QCOMPARE(session()->regionLink().regionPath, QFileInfo(m_regionPath).absoluteFilePath());
        QCOMPARE(session()->regionLink().code, kSaoPaulo);
        QCOMPARE(m_main->windowTitle(), QStringLiteral("São Paulo (SP) — região Alto Tietê[*] - "
                                                       "Modelo de Demanda"));
        QVERIFY(m_main->isWindowModified());

        action(m_main.get(), "a_salvar_estudo")->trigger();
        QCOMPARE(m_prompts.asked, QStringList());
        QVERIFY(!session()->isModified());
        QVERIFY(!m_main->isWindowModified());
        QCOMPARE(session()->regionLink().code, kSaoPaulo);

        const region::Region after = regionInFile();
        const Study saoPaulo = region::municipalityStudy(after, after.indexOf(kSaoPaulo));
        QCOMPARE(supplyField(saoPaulo, "me_3"), QStringLiteral("321"));
        QCOMPARE(supplyField(saoPaulo, "me_1"), QStringLiteral("11451245"));
        // The table's value, untouched, keeps its source; the neighbour and the template stay.
        QCOMPARE(after.municipalities[std::size_t(after.indexOf(kSaoPaulo))].sources,
                 before.municipalities[std::size_t(before.indexOf(kSaoPaulo))].sources);
        QCOMPARE(after.municipalities[std::size_t(after.indexOf(kGuarulhos))],
                 before.municipalities[std::size_t(before.indexOf(kGuarulhos))]);
        QVERIFY(after.templateStudy == before.templateStudy);
        QCOMPARE(after.name, before.name);
        // Opened again from the region, it is what was saved.
        QVERIFY(session()->openMunicipality(m_regionPath, kSaoPaulo));
        QCOMPARE(supplyField(session()->study(), "me_3"), QStringLiteral("321"));

        // "Novo" leaves the region behind.
        action(m_main.get(), "a_novo_estudo")->trigger();
        QVERIFY(session()->regionLink().isEmpty());
        QCOMPARE(m_main->windowTitle(), QStringLiteral("Novo estudo[*] - Modelo de Demanda"));
    }

    // "Salvar como" makes an ordinary study of it: the region's file is not touched then, nor
    // by a later "Salvar".
    void salvarComoMakesAnOrdinaryStudy()
    {
        const QByteArray regionBytes = contentOf(m_regionPath);
        openSaoPauloAndType();
        m_prompts.fileToSave = m_folder.filePath(QStringLiteral("sp.tavi"));
        action(m_main.get(), "a_salvar_estudo_como")->trigger();
        QCOMPARE(m_prompts.asked, QStringList{"save dialog São Paulo (SP).tavi"});
        QVERIFY(session()->regionLink().isEmpty());
        QCOMPARE(session()->path(), m_prompts.fileToSave);
        QCOMPARE(m_main->windowTitle(), QStringLiteral("São Paulo (SP)[*] - Modelo de Demanda"));
        QCOMPARE(supplyField(loadStudyFile(m_prompts.fileToSave).study, "me_3"),
                 QStringLiteral("321"));

        typeIntoSupply("me_3", 654);
        action(m_main.get(), "a_salvar_estudo")->trigger();
        QCOMPARE(supplyField(loadStudyFile(m_prompts.fileToSave).study, "me_3"),
                 QStringLiteral("654"));
        QCOMPARE(contentOf(m_regionPath), regionBytes);
    }

    // A region that cannot take the study back says why, and the study stays as typed,
    // unsaved and still the region's.
    void aRegionThatFailsLeavesTheStudyUnsaved_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("file gone") << "gone";
        QTest::newRow("not a region") << "garbage";
        QTest::newRow("a folder in its place") << "folder";
        QTest::newRow("municipality removed") << "removed";
    }
    void aRegionThatFailsLeavesTheStudyUnsaved()
    {
        QFETCH(QString, damage);
        openSaoPauloAndType();
        QFile::remove(m_regionPath);
        if (damage == "garbage") {
            QFile file(m_regionPath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("{\"formato\": \"tavi-estudo\"");
        } else if (damage == "folder") {
            QVERIFY(QDir().mkpath(m_regionPath));
        } else if (damage == "removed") {
            region::Region region = sampleRegion();
            region.municipalities.erase(region.municipalities.begin());
            region::saveRegionFile(m_regionPath, region);
        }
        const QByteArray regionBytes = contentOf(m_regionPath);

        action(m_main.get(), "a_salvar_estudo")->trigger();
        QCOMPARE(m_prompts.asked.size(), 1);
        const QString box = m_prompts.asked.first();
        QVERIFY2(box.startsWith("error O estudo \"São Paulo (SP)\" não foi salvo na região."),
                 qPrintable(box));
        QVERIFY2(box.contains("alto-tiete.tavi-regiao"), qPrintable(box));
        if (damage == "removed")
            QVERIFY2(box.contains("não tem o município de código 3550308"), qPrintable(box));
        QVERIFY(session()->isModified());
        QVERIFY(m_main->isWindowModified());
        QCOMPARE(session()->regionLink().code, kSaoPaulo);
        QCOMPARE(supplyField(session()->study(), "me_3"), QStringLiteral("321"));
        QCOMPARE(contentOf(m_regionPath), regionBytes);
        QDir(m_regionPath).removeRecursively();
    }

    // The recovery copy names the region apart from the study's own file, which it leaves
    // empty (a program that knows no regions restores a new study, not a file of the region's
    // name); the next program restores the study still linked, and "Salvar" still reaches the
    // region.
    void recoveryKeepsTheStudyInItsRegion()
    {
        openSaoPauloAndType();
        const QString own =
            QDir(m_recovery->path())
                .filePath(
                    QStringLiteral("recuperacao-%1.tavi").arg(QCoreApplication::applicationPid()));
        QTRY_VERIFY(QFile::exists(own));
        QTRY_COMPARE(supplyField(loadStudyFile(own).study, "me_3"), QStringLiteral("321"));
        const StudyReading copy = loadStudyFile(own);
        QVERIFY(copy.originalPath.isEmpty());
        QCOMPARE(copy.regionLink.regionPath, QFileInfo(m_regionPath).absoluteFilePath());
        QCOMPARE(copy.regionLink.code, kSaoPaulo);

        // As a program that ended without a word would leave it: a copy whose lock is free.
        QTemporaryDir left;
        QVERIFY(QFile::copy(own, left.filePath(QStringLiteral("recuperacao-999999.tavi"))));
        TF_Principal next(nullptr, left.path());
        next.show();
        next.startStudies(QString());
        QCOMPARE(m_prompts.asked.size(), 1);
        QVERIFY(m_prompts.asked.first().startsWith("recover? "));
        QCOMPARE(next.session()->regionLink(), copy.regionLink);
        QVERIFY(next.session()->isModified());
        QCOMPARE(next.windowTitle(), QStringLiteral("São Paulo (SP) — região Alto Tietê[*] - "
                                                    "Modelo de Demanda"));
        action(&next, "a_salvar_estudo")->trigger();
        QVERIFY(!next.session()->isModified());
        const region::Region after = regionInFile();
        QCOMPARE(supplyField(region::municipalityStudy(after, after.indexOf(kSaoPaulo)), "me_3"),
                 QStringLiteral("321"));
    }

    // "Região" opens the region window over the main one, with the region last worked on when
    // it still exists, and a new region otherwise.
    void regiaoOpensTheLastRegion_data()
    {
        QTest::addColumn<bool>("gone");
        QTest::newRow("last region there") << false;
        QTest::newRow("last region gone") << true;
    }
    void regiaoOpensTheLastRegion()
    {
        QFETCH(bool, gone);
        session()->rememberRegion(m_regionPath);
        if (gone)
            QFile::remove(m_regionPath);
        QString shownPath = QStringLiteral("none");
        const testing::Shown shown =
            whileModal([this] { action(m_main.get(), "a_regiao")->trigger(); },
                       [&shownPath](QWidget *window) {
                           if (auto *regiao = qobject_cast<TF_Regiao *>(window))
                               shownPath = regiao->regionPath();
                       });
        QVERIFY(shown.opened);
        QVERIFY(shown.destroyed);
        QCOMPARE(shownPath, gone ? QString() : QFileInfo(m_regionPath).absoluteFilePath());
        QCOMPARE(m_prompts.asked, QStringList());
        QVERIFY(session()->regionLink().isEmpty());
        // A region gone is not looked for again.
        QCOMPARE(session()->lastRegion(),
                 gone ? QString() : QFileInfo(m_regionPath).absoluteFilePath());
    }

    // "Abrir como estudo" in the region window closes it, and its municipality becomes the
    // study once the unsaved one was let go; kept, the study stays as it was.
    void aMunicipalityChosenInTheRegionWindowBecomesTheStudy_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("unsaved study let go") << int(StudyPrompts::SaveAnswer::DontSave);
        QTest::newRow("unsaved study kept") << int(StudyPrompts::SaveAnswer::Cancel);
    }
    void aMunicipalityChosenInTheRegionWindowBecomesTheStudy()
    {
        QFETCH(int, answer);
        session()->rememberRegion(m_regionPath);
        typeIntoSupply("me_1", 2500);
        m_prompts.answer = StudyPrompts::SaveAnswer(answer);
        bool chosen = false;
        whileModal([this] { action(m_main.get(), "a_regiao")->trigger(); },
                   [&chosen](QWidget *window) {
                       auto *table = window->findChild<QTableWidget *>("SG_Regiao");
                       for (int row = 0; table && row < table->rowCount(); ++row)
                           if (table->item(row, 0) && table->item(row, 0)->text() == kGuarulhos) {
                               table->setCurrentCell(row, 0);
                               chosen = true;
                           }
                       if (chosen)
                           window->findChild<QAbstractButton *>("b_abrir_estudo")->click();
                   });
        QVERIFY(chosen);
        QCOMPARE(m_prompts.asked, QStringList{"save? Novo estudo"});
        if (answer == int(StudyPrompts::SaveAnswer::Cancel)) {
            QVERIFY(session()->regionLink().isEmpty());
            QCOMPARE(supplyField(session()->study(), "me_1"), QStringLiteral("2500"));
            QVERIFY(session()->isModified());
            return;
        }
        QCOMPARE(session()->regionLink().code, kGuarulhos);
        QCOMPARE(supplyField(session()->study(), "me_1"), QStringLiteral("1291771"));
        QVERIFY(!session()->isModified());
        QCOMPARE(m_main->windowTitle(),
                 QStringLiteral("Guarulhos (SP) — região Alto Tietê[*] - Modelo de Demanda"));
    }
};

QTEST_MAIN(RegionSessionTest)
#include "tst_region_session.moc"
