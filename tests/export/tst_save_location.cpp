// Where the save dialog opens, the name it offers, and the name a file is saved under.

#include "export/ExportPrompts.h"
#include "export/SaveLocation.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace
{

// What the user saw in the save dialog, and what they typed into it before accepting.
struct DialogVisit {
    QString folder;
    QString offeredName;
};

// Answers the next save dialog by typing `typed`, or cancels it when `typed` is empty; waits for
// it a while when it is not up yet.
void typeIntoSaveDialog(const QString &typed, QList<DialogVisit> *visits, int tries = 200)
{
    QTimer::singleShot(tries == 200 ? 0 : 10, [=] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (tries > 0)
                typeIntoSaveDialog(typed, visits, tries - 1);
            else
                QTest::qFail("no save dialog", __FILE__, __LINE__);
            return;
        }
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        visits->append({dialog->directory().absolutePath(), name ? name->text() : QString()});
        // Nothing typed: the user cancels.
        if (typed.isEmpty()) {
            QMetaObject::invokeMethod(dialog, "reject");
            return;
        }
        if (name)
            name->setText(typed);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

} // namespace

class SaveLocationTest : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QString homePath() const { return QFileInfo(home.path()).canonicalFilePath(); }

private slots:
    void initTestCase()
    {
        // A home of the test's own, without a Documents folder until a test makes one.
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(".config")));
    }
    void cleanup() { ExportPrompts::setHooks({}); }

    // Runs first: nothing remembered yet.
    void withNothingRememberedTheDialogOpensInDocuments()
    {
        QCOMPARE(SaveLocation::lastFolder(), QString());
        QCOMPARE(SaveLocation::dialogStart("Pecuária.xlsx"), home.filePath("Pecuária.xlsx"));
        QVERIFY(QDir(home.path()).mkpath("Documents"));
        QCOMPARE(SaveLocation::dialogStart("Pecuária.xlsx"),
                 home.filePath("Documents/Pecuária.xlsx"));
    }

    void theFolderLastSavedToIsRemembered()
    {
        QVERIFY(QDir(home.path()).mkpath("resultados"));
        SaveLocation::rememberSavedFile(home.filePath("resultados/Agricultura.xlsx"));
        QCOMPARE(SaveLocation::dialogStart("Agricultura.xlsx"),
                 QDir(home.filePath("resultados")).absoluteFilePath("Agricultura.xlsx"));
        // Written where the next run reads it.
        const QSettings nextRun(QSettings::NativeFormat, QSettings::UserScope, "Tavi", "Tavi");
        QCOMPARE(QFileInfo(nextRun.value("salvar/ultimaPasta").toString()),
                 QFileInfo(home.filePath("resultados")));
        // A file saved before keeps its own place.
        QCOMPARE(SaveLocation::dialogStart("/outro/lugar/x.xlsx"), "/outro/lugar/x.xlsx");
    }

    void aRememberedFolderThatVanishedIsPassedOver()
    {
        QVERIFY(QDir(home.path()).mkpath("apagada"));
        SaveLocation::rememberSavedFile(home.filePath("apagada/x.xlsx"));
        QVERIFY(QDir(home.filePath("apagada")).removeRecursively());
        QCOMPARE(QFileInfo(SaveLocation::dialogStart("x.xlsx")).absolutePath(),
                 QFileInfo(home.filePath("Documents")).absoluteFilePath());
    }

    void theFileIsAlwaysAnXlsxPackage_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no extension") << "/p/dados"
                                      << "/p/dados.xlsx";
        QTest::newRow("another extension") << "/p/dados.csv"
                                           << "/p/dados.csv.xlsx";
        QTest::newRow(".xlsx") << "/p/dados.xlsx"
                               << "/p/dados.xlsx";
        QTest::newRow(".XLSX") << "/p/dados.XLSX"
                               << "/p/dados.XLSX";
        QTest::newRow(".Xlsx") << "/p/dados.Xlsx"
                               << "/p/dados.Xlsx";
        QTest::newRow("xlsx inside the name") << "/p/dados.xlsx.bak"
                                              << "/p/dados.xlsx.bak.xlsx";
        QTest::newRow("ends in xlsx without a dot") << "/p/dadosxlsx"
                                                    << "/p/dadosxlsx.xlsx";
        QTest::newRow("dot in the folder") << "/p.xlsx/dados"
                                           << "/p.xlsx/dados.xlsx";
    }
    void theFileIsAlwaysAnXlsxPackage()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QCOMPARE(SaveLocation::withXlsxExtension(typed), saved);
    }

    // The real dialog: it opens in the remembered folder offering the name, and a typed name
    // with another extension comes back with ".xlsx".
    void theDialogOffersTheNameAndAppendsTheExtension()
    {
        const QString folder = home.filePath("resultados");
        QVERIFY(QDir().mkpath(folder));
        SaveLocation::rememberSavedFile(folder + "/x.xlsx");
        QList<DialogVisit> visits;
        typeIntoSaveDialog("dados.csv", &visits);
        const QString chosen = ExportPrompts::chooseSaveFile(nullptr, "Diluição de Esgotos.xlsx");
        QCOMPARE(visits.size(), 1);
        QCOMPARE(QFileInfo(visits.first().folder), QFileInfo(folder));
        QCOMPARE(visits.first().offeredName, QStringLiteral("Diluição de Esgotos.xlsx"));
        QCOMPARE(QFileInfo(chosen), QFileInfo(folder + "/dados.csv.xlsx"));
    }

    // The dialog asked about "dados.csv"; "dados.csv.xlsx" is asked about by the program.
    void anExistingAppendedNameIsAskedAbout()
    {
        const QString folder = home.filePath("resultados");
        QVERIFY(QDir().mkpath(folder));
        QFile existing(folder + "/dados.csv.xlsx");
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        SaveLocation::rememberSavedFile(existing.fileName());

        QStringList asked;
        ExportPrompts::Hooks hooks;
        hooks.confirmReplace = [&](QWidget *, const QString &path) {
            asked << ExportPrompts::replaceQuestion(path);
            return true;
        };
        ExportPrompts::setHooks(hooks);
        QList<DialogVisit> visits;
        typeIntoSaveDialog("dados.csv", &visits);
        const QString chosen = ExportPrompts::chooseSaveFile(nullptr, "Pecuária.xlsx");
        QCOMPARE(asked, QStringList({QStringLiteral(
                            "O arquivo \"dados.csv.xlsx\" já existe. Deseja substituí-lo?")}));
        QCOMPARE(visits.size(), 1);
        QCOMPARE(QFileInfo(chosen), QFileInfo(existing.fileName()));
    }

    // "Não" keeps the existing file: the dialog comes back offering the name, and cancelling it
    // then saves nothing.
    void noToTheReplaceQuestionKeepsTheFile()
    {
        const QString folder = home.filePath("resultados");
        QVERIFY(QDir().mkpath(folder));
        QFile existing(folder + "/dados.csv.xlsx");
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("antes");
        existing.close();
        SaveLocation::rememberSavedFile(existing.fileName());

        QList<DialogVisit> visits;
        QStringList asked;
        ExportPrompts::Hooks hooks;
        hooks.confirmReplace = [&](QWidget *, const QString &path) {
            asked << path;
            typeIntoSaveDialog(QString(), &visits);
            return false;
        };
        ExportPrompts::setHooks(hooks);
        typeIntoSaveDialog("dados.csv", &visits);
        const QString chosen = ExportPrompts::chooseSaveFile(nullptr, "Pecuária.xlsx");
        QCOMPARE(asked.size(), 1);
        QCOMPARE(visits.size(), 2);
        QCOMPARE(visits[1].offeredName, QStringLiteral("dados.csv.xlsx"));
        QCOMPARE(chosen, QString());
        QVERIFY(existing.open(QIODevice::ReadOnly));
        QCOMPARE(existing.readAll(), QByteArray("antes"));
    }
};

QTEST_MAIN(SaveLocationTest)
#include "tst_save_location.moc"
