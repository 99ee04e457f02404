// How a save fails or succeeds around the file it replaces: the reasons the user reads, the
// earlier file and the folder left as they were after any failure, links kept, long names.

#include "core/files/FileOperations.h"
#include "core/workbook/Workbook.h"
#include "core/workbook/WorkbookError.h"
#include "core/workbook/XlsxWriter.h"
#include "export/FileContents.h"
#include "export/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

using namespace tavi;
using testing::readFile;
using testing::writeFile;

namespace
{

Workbook smallWorkbook()
{
    Workbook book;
    book.worksheet(1).setEntry(1, 1, QStringLiteral("DIA"), LocaleSettings::brazilian());
    return book;
}

// The reason part of a failed save's message, or a note that it did not fail.
QString failureReason(const QString &path, const Workbook &book = smallWorkbook())
{
    try {
        saveXlsx(book, path);
    } catch (const WorkbookError &error) {
        const QString prefix = QStringLiteral("Não foi possível salvar o arquivo \"%1\": ")
                                   .arg(QDir::toNativeSeparators(path));
        return error.message().startsWith(prefix)
                   ? error.message().mid(prefix.size())
                   : QStringLiteral("other message: ") + error.message();
    }
    return QStringLiteral("saved");
}

enum class Step { CreateTemporary, Flush, Rename };

// What the injected operations do: fail with an error number, or call `before` and then
// the system's own call.
int injectedError = 0;
void (*before)() = nullptr;

// Replaces one file operation for as long as it lives.
class InjectedFault
{
public:
    explicit InjectedFault(Step step)
    {
        FileOperations &operations = fileOperations();
        switch (step) {
        case Step::CreateTemporary:
            operations.createTemporary = [](char *pattern) {
                if (before) {
                    before();
                    return systemFileOperations().createTemporary(pattern);
                }
                errno = injectedError;
                return -1;
            };
            break;
        case Step::Flush:
            operations.flush = [](int descriptor) {
                if (before) {
                    before();
                    return systemFileOperations().flush(descriptor);
                }
                errno = injectedError;
                return -1;
            };
            break;
        case Step::Rename:
            operations.rename = [](const char *from, const char *to) {
                if (before) {
                    before();
                    return systemFileOperations().rename(from, to);
                }
                errno = injectedError;
                return -1;
            };
            break;
        }
    }
    ~InjectedFault()
    {
        fileOperations() = systemFileOperations();
        injectedError = 0;
        before = nullptr;
    }
    InjectedFault(const InjectedFault &) = delete;
    InjectedFault &operator=(const InjectedFault &) = delete;
};

QString folderPath;     // the test's folder, for the injected actions
QString targetFilePath; // the file being saved, for the injected actions

} // namespace

Q_DECLARE_METATYPE(Step)

class XlsxSavingTest : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    QString pathOf(const QString &name) const { return folder.filePath(name); }
    QStringList entriesOf(const QString &path) const
    {
        return QDir(path).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }
    QStringList folderEntries() const { return entriesOf(folder.path()); }

private slots:
    void init()
    {
        QVERIFY(folder.isValid());
        for (const QString &name : folderEntries()) {
            const QString path = pathOf(name);
            if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
                QDir(path).removeRecursively();
            else
                QFile::remove(path);
        }
        folderPath = folder.path();
        targetFilePath = pathOf("resultados.xlsx");
    }

    // Each step of the save failing as the system makes it fail: the user reads why in
    // Portuguese, the earlier file is as it was and no temporary file is left.
    void injectedFaultsFailWithTheirReason_data()
    {
        QTest::addColumn<Step>("step");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only folder") << Step::CreateTemporary << EACCES << "Permissão negada";
        QTest::newRow("not permitted") << Step::CreateTemporary << EPERM << "Permissão negada";
        QTest::newRow("read-only file system")
            << Step::CreateTemporary << EROFS << "O arquivo é somente leitura";
        QTest::newRow("folder gone") << Step::CreateTemporary << ENOENT << "A pasta não existe";
        QTest::newRow("no room for a new file") << Step::CreateTemporary << ENOSPC << "Disco cheio";
        QTest::newRow("disk full on flush") << Step::Flush << ENOSPC << "Disco cheio";
        QTest::newRow("quota on flush") << Step::Flush << EDQUOT << "Disco cheio";
        QTest::newRow("disk fault on flush")
            << Step::Flush << EIO << "Erro de leitura ou gravação no disco";
        QTest::newRow("rename refused") << Step::Rename << EACCES << "Permissão negada";
        QTest::newRow("name too long on rename")
            << Step::Rename << ENAMETOOLONG << "O nome do arquivo é longo demais";
        QTest::newRow("target in use") << Step::Rename << EBUSY << "O arquivo está em uso";
    }
    void injectedFaultsFailWithTheirReason()
    {
        QFETCH(Step, step);
        QFETCH(int, error);
        QFETCH(QString, reason);
        writeFile(targetFilePath, "an earlier file");
        {
            const InjectedFault fault(step);
            injectedError = error;
            QCOMPARE(failureReason(targetFilePath), reason);
        }
        QCOMPARE(readFile(targetFilePath), QByteArray("an earlier file"));
        QCOMPARE(folderEntries(), QStringList({"resultados.xlsx"}));
    }

    // An error the user has no words for still reads as Portuguese, with the system's text
    // after it for whoever looks into it.
    void unusualErrorsKeepTheSystemText()
    {
        const InjectedFault fault(Step::Rename);
        injectedError = EXDEV;
        const QString reason = failureReason(targetFilePath);
        QVERIFY2(reason.startsWith(QStringLiteral("Erro do sistema ao gravar o arquivo (")),
                 qPrintable(reason));
        QVERIFY2(reason.endsWith(QLatin1Char(')')), qPrintable(reason));
        QCOMPARE(folderEntries(), QStringList());
    }

    // The folder vanishes after the user chose it, at each step of the save.
    void vanishedFolder_data()
    {
        QTest::addColumn<Step>("step");
        QTest::newRow("before the temporary file") << Step::CreateTemporary;
        QTest::newRow("before the rename") << Step::Rename;
    }
    void vanishedFolder()
    {
        QFETCH(Step, step);
        QVERIFY(QDir(folder.path()).mkpath("chosen"));
        targetFilePath = pathOf("chosen/resultados.xlsx");
        {
            const InjectedFault fault(step);
            before = [] { QDir(QFileInfo(targetFilePath).absolutePath()).removeRecursively(); };
            QCOMPARE(failureReason(targetFilePath), QStringLiteral("A pasta não existe"));
        }
        QCOMPARE(folderEntries(), QStringList());
    }

    // A disk that fills while the package is written (the file-size limit stands in for it).
    void fullDisk()
    {
        writeFile(targetFilePath, "an earlier file");
        Workbook book;
        for (int row = 1; row <= 2000; ++row)
            for (int column = 1; column <= 10; ++column)
                book.worksheet(1).setEntry(row, column,
                                           QStringLiteral("texto %1 %2").arg(row).arg(column),
                                           LocaleSettings::brazilian());
        QString reason;
        {
            testing::FileSizeLimit limit(4096);
            reason = failureReason(targetFilePath, book);
        }
        QCOMPARE(reason, QStringLiteral("Disco cheio"));
        QCOMPARE(readFile(targetFilePath), QByteArray("an earlier file"));
        QCOMPARE(folderEntries(), QStringList({"resultados.xlsx"}));
    }

    // The write bits decide, not only access(): the tests may run with every privilege.
    void readOnlyTargetIsNeverReplaced_data()
    {
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<bool>("madeReadOnlyWhileSaving");
        QTest::newRow("read-only file") << "resultados.xlsx" << false;
        QTest::newRow("link to a read-only file") << "link.xlsx" << false;
        QTest::newRow("made read-only while saving") << "resultados.xlsx" << true;
    }
    void readOnlyTargetIsNeverReplaced()
    {
        QFETCH(QString, saveAs);
        QFETCH(bool, madeReadOnlyWhileSaving);
        const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup;
        writeFile(targetFilePath, "an earlier file");
        QVERIFY(QFile::link("resultados.xlsx", pathOf("link.xlsx")));
        QString reason;
        {
            const InjectedFault fault(Step::Flush);
            if (madeReadOnlyWhileSaving)
                before = [] {
                    QFile::setPermissions(targetFilePath,
                                          QFileDevice::ReadOwner | QFileDevice::ReadGroup);
                };
            else {
                QFile::setPermissions(targetFilePath, readOnly);
                before = [] {};
            }
            reason = failureReason(pathOf(saveAs));
        }
        QCOMPARE(reason, QStringLiteral("O arquivo é somente leitura"));
        QCOMPARE(readFile(targetFilePath), QByteArray("an earlier file"));
        // Nothing was made writable to get the file replaced.
        QCOMPARE(QFile::permissions(targetFilePath) &
                     (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther),
                 QFileDevice::Permissions());
        QVERIFY(QFileInfo(pathOf("link.xlsx")).isSymLink());
        QCOMPARE(folderEntries(), QStringList({"link.xlsx", "resultados.xlsx"}));
    }

    // The link stays a link and the file it points to is the one written, beside itself.
    void linkedTargetKeepsItsLink_data()
    {
        QTest::addColumn<QString>("linkTarget"); // as written in the link
        QTest::addColumn<QString>("writtenFile");
        QTest::addColumn<bool>("existing");
        QTest::newRow("file beside the link") << "real.xlsx"
                                              << "real.xlsx" << true;
        QTest::newRow("file in another folder") << "other/real.xlsx"
                                                << "other/real.xlsx" << true;
        QTest::newRow("absolute link") << "@/other/real.xlsx"
                                       << "other/real.xlsx" << true;
        QTest::newRow("link to a link") << "second-link.xlsx"
                                        << "other/real.xlsx" << true;
        QTest::newRow("dangling link") << "other/new.xlsx"
                                       << "other/new.xlsx" << false;
    }
    void linkedTargetKeepsItsLink()
    {
        QFETCH(QString, linkTarget);
        QFETCH(QString, writtenFile);
        QFETCH(bool, existing);
        QVERIFY(QDir(folder.path()).mkpath("other"));
        linkTarget.replace(QLatin1Char('@'), folder.path());
        if (existing)
            writeFile(pathOf(writtenFile), "an earlier file");
        QVERIFY(QFile::link("other/real.xlsx", pathOf("second-link.xlsx")));
        QVERIFY(QFile::link(linkTarget, pathOf("link.xlsx")));
        const QString pointedTo = QFile::symLinkTarget(pathOf("link.xlsx"));

        QCOMPARE(failureReason(pathOf("link.xlsx")), QStringLiteral("saved"));

        QVERIFY(QFileInfo(pathOf("link.xlsx")).isSymLink());
        QCOMPARE(QFile::symLinkTarget(pathOf("link.xlsx")), pointedTo);
        QVERIFY(readFile(pathOf(writtenFile)).startsWith("PK"));
        // No temporary file left in either folder.
        for (const QString &name : folderEntries() + entriesOf(pathOf("other")))
            QVERIFY2(!name.startsWith(QLatin1Char('.')), qPrintable(name));
    }

    void linkLoopFailsWithItsReason()
    {
        QVERIFY(QFile::link("b.xlsx", pathOf("a.xlsx")));
        QVERIFY(QFile::link("a.xlsx", pathOf("b.xlsx")));
        QCOMPARE(failureReason(pathOf("a.xlsx")),
                 QStringLiteral("O atalho (link simbólico) leva a ele mesmo"));
        QCOMPARE(folderEntries(), QStringList({"a.xlsx", "b.xlsx"}));
    }

    // The temporary name is the writer's own and short: every name the file system takes
    // saves, up to its limit of 255 bytes, counted in UTF-8.
    void longNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        const QString ascii250(250, QLatin1Char('a'));
        const QString accented125(125, QChar(0x00E7)); // "ç", two bytes each
        QTest::newRow("255 bytes") << ascii250 + ".xlsx"
                                   << "saved";
        QTest::newRow("255 bytes with accents") << accented125 + ".xlsx"
                                                << "saved";
        QTest::newRow("256 bytes") << ascii250 + "a.xlsx"
                                   << "O nome do arquivo é longo demais";
        QTest::newRow("256 bytes with accents") << accented125 + "a.xlsx"
                                                << "O nome do arquivo é longo demais";
    }
    void longNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QCOMPARE(failureReason(pathOf(name)), reason);
        const QStringList expected =
            reason == QLatin1String("saved") ? QStringList({name}) : QStringList();
        QCOMPARE(folderEntries(), expected);
    }
};

QTEST_GUILESS_MAIN(XlsxSavingTest)
#include "tst_xlsx_saving.moc"
