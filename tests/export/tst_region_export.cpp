// "Salvar" of the region: the .csv where the planner chose, the command line's to the byte;
// cancelling it leaves only the workbook; a .csv that cannot be written told once in the box,
// the file as it was, nothing reported as saved; and the program's own spreadsheet ending up
// with the command line's workbook.
#include "export/RecordingSpreadsheet.h"
#include "support/RegionResultsByHand.h"
#include "support/WindowTesting.h"

#include "core/region/RegionTables.h"
#include "core/region/RegionWorkbook.h"
#include "export/ExportPrompts.h"
#include "export/RegionExport.h"
#include "export/WorkbookSpreadsheet.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavi;
using namespace tavi::region;
using testing::RecordingSpreadsheet;

namespace
{

class KeptWorkbook : public SpreadsheetFactory
{
public:
    std::shared_ptr<Workbook> last;

    std::unique_ptr<SpreadsheetApp> create(const QString &, QWidget *) override
    {
        return std::make_unique<Keeper>(*this);
    }

private:
    class Keeper : public WorkbookSpreadsheet
    {
    public:
        explicit Keeper(KeptWorkbook &owner) : m_owner(owner) {}

    protected:
        void quitting() override { m_owner.last = workbook(); }

    private:
        KeptWorkbook &m_owner;
    };
};

// The boxes and the .csv dialog answered here: the dialog with `answer`.
class Prompts
{
public:
    explicit Prompts(const QString &answer)
    {
        ExportPrompts::Hooks hooks;
        hooks.showError = [this](QWidget *, const QString &text) { messages << text; };
        ExportPrompts::setHooks(hooks);
        RegionExport::setCsvChooser([this, answer](QWidget *, const QString &suggested) {
            offered << suggested;
            return answer;
        });
    }
    ~Prompts()
    {
        ExportPrompts::setHooks({});
        RegionExport::setCsvChooser({});
    }
    QStringList messages;
    QStringList offered;
};

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class RegionExportTest : public QObject
{
    Q_OBJECT

    QWidget window;
    QTemporaryDir m_folder;

private slots:
    void cleanup() { QCOMPARE(QApplication::overrideCursor(), nullptr); }

    void suggestedNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("offered");
        QTest::newRow("named") << "Bacia do Rio Claro"
                               << "Região - Bacia do Rio Claro.csv";
        QTest::newRow("no name") << "  "
                                 << "Região.csv";
        QTest::newRow("a path's separators") << "PCJ 1/2: norte\\sul"
                                             << "Região - PCJ 1-2- norte-sul.csv";
    }
    void suggestedNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, offered);
        Region region = emptyRegion();
        region.name = name;
        QCOMPARE(RegionExport::suggestedName(region, QStringLiteral("csv")), offered);
    }

    // The .csv where the planner chose, then the workbook offered under the region's name.
    void csvThenWorkbook_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::newRow("a file chosen") << true;
        QTest::newRow("the dialog cancelled") << false;
    }
    void csvThenWorkbook()
    {
        QFETCH(bool, chosen);
        const testing::RegionByHand made = testing::regionByHand();
        const QString csv = m_folder.filePath(QStringLiteral("região %1.csv").arg(chosen));
        Prompts prompts(chosen ? csv : QString());
        RecordingSpreadsheet app;
        exportRegion(&window, made.region, made.results, app);
        QCOMPARE(prompts.offered, QStringList{"Região - Bacia do Rio Claro.csv"});
        QCOMPARE(prompts.messages, QStringList());
        QCOMPARE(QFile::exists(csv), chosen);
        if (chosen)
            QCOMPARE(contentOf(csv), regionCsv(made.results, LocaleSettings::current()));
        QCOMPARE(app.suggestedFileName, QStringLiteral("Região - Bacia do Rio Claro.xlsx"));
        QCOMPARE(app.calls.mid(app.calls.size() - 2), (QStringList{"visible true", "quit"}));
    }

    // A .csv that cannot be written: told once, naming the file; an earlier file kept; the
    // workbook still made.
    void csvNotWritten_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("no such folder") << "sem pasta/região.csv" << false;
        QTest::newRow("a read-only file") << "somente leitura.csv" << true;
    }
    void csvNotWritten()
    {
        QFETCH(QString, name);
        QFETCH(bool, readOnly);
        const QString csv = m_folder.filePath(name);
        if (readOnly) {
            QFile earlier(csv);
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("anterior");
            earlier.close();
            QVERIFY(earlier.setPermissions(QFileDevice::ReadOwner));
        }
        const testing::RegionByHand made = testing::regionByHand();
        Prompts prompts(csv);
        RecordingSpreadsheet app;
        exportRegion(&window, made.region, made.results, app);
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY2(prompts.messages.first().contains(QFileInfo(csv).fileName()),
                 qPrintable(prompts.messages.first()));
        QCOMPARE(contentOf(csv), readOnly ? QByteArray("anterior") : QByteArray());
        QVERIFY(app.calls.contains(QStringLiteral("visible true")));
    }

    // What the program's spreadsheet holds after "Salvar" is `tavi regiao --saida X.xlsx`'s
    // workbook, sheet for sheet.
    void sameAsTheCommandLinesWorkbook()
    {
        testing::LocaleScope comma(LocaleSettings::brazilian());
        const testing::RegionByHand made = testing::regionByHand();
        Prompts prompts{QString()};
        KeptWorkbook factory;
        exportRegion(&window, made.region, made.results, factory);
        QVERIFY(factory.last);
        const Workbook expected = regionWorkbook(made.region, made.results);
        QVERIFY(expected.sheetCount() >= 4);
        QCOMPARE(factory.last->sheetCount(), expected.sheetCount());
        for (int i = 1; i <= expected.sheetCount(); ++i) {
            QCOMPARE(factory.last->sheet(i).name, expected.sheet(i).name);
            QCOMPARE(factory.last->sheet(i).isChart(), expected.sheet(i).isChart());
            if (!expected.sheet(i).isChart())
                QCOMPARE(factory.last->sheet(i).worksheet->cellCount(),
                         expected.sheet(i).worksheet->cellCount());
        }
    }
};

QTEST_MAIN(RegionExportTest)
#include "tst_region_export.moc"
