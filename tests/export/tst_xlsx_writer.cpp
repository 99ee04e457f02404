#include "core/workbook/Workbook.h"
#include "core/workbook/WorkbookError.h"
#include "core/workbook/XlsxWriter.h"
#include "export/FileContents.h"
#include "export/FileSizeLimit.h"
#include "export/XlsxReadBack.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>

using namespace tavi;
using testing::readFile;
using testing::ReadWorkbook;
using testing::writeFile;

namespace
{
const LocaleSettings comma = LocaleSettings::brazilian();

// The dilution workbook's shape: a chart sheet in front of the data it plots.
Workbook chartWorkbook()
{
    Workbook book;
    for (int point = 1; point <= 50; ++point)
        book.worksheet(1).setEntry(point + 2, 5, QString::number(point * 10), comma);
    book.addSheets(1, 1, Workbook::kChartType);
    book.renameSheet(1, QStringLiteral("Graf. Vazão Indisponível"));
    book.renameSheet(2, QStringLiteral("Resultados"));
    book.chart(1).setSeriesValues(1, parseRangeReference(QStringLiteral("Resultados"), "E3:E52"));
    book.chart(1).setChartType(WorkbookChart::kLineStacked);
    return book;
}

// Switches the C library's whole locale for as long as it lives, as QApplication does from
// the environment. A locale that is not installed fails the test: the point is to run under
// it.
class CLocaleSwitch
{
public:
    explicit CLocaleSwitch(const char *name)
        : m_previous(std::setlocale(LC_ALL, nullptr)),
          m_switched(std::setlocale(LC_ALL, name) != nullptr)
    {
    }
    ~CLocaleSwitch() { std::setlocale(LC_ALL, m_previous.constData()); }
    bool switched() const { return m_switched; }

private:
    QByteArray m_previous;
    bool m_switched;
};

} // namespace

class XlsxWriterTest : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    QString pathOf(const QString &name) const { return folder.filePath(name); }
    QStringList folderEntries() const
    {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private slots:
    void init()
    {
        for (const QString &name : folderEntries())
            QFile::remove(pathOf(name));
    }

    void cellsKeepNumbersTextsBoldAndWidths()
    {
        Workbook book;
        Worksheet &sheet = book.worksheet(1);
        sheet.setBold(2, 6, true);
        sheet.setEntry(2, 6, QStringLiteral("GALINÁCEO"), comma);
        sheet.setEntry(2, 70, QStringLiteral("   (m3/dia)"), comma);
        sheet.setEntry(3, 1, QStringLiteral("01"), comma);
        sheet.setEntry(3, 2, QStringLiteral("170,25"), comma);
        sheet.setEntry(3, 3, QStringLiteral("1,5E20"), comma);
        sheet.setEntry(3, 4, QStringLiteral("12abc"), comma);
        sheet.setEntry(3, 5, QStringLiteral("=SOMA(A1:A2)"), comma);
        sheet.setEntry(3, 6, QStringLiteral("a\tb <&> \"c\""), comma);
        sheet.setBold(4, 1, true); // bold, left empty
        sheet.autoFitColumns(comma);
        const QString path = pathOf("cells.xlsx");
        saveXlsx(book, path);

        ReadWorkbook read;
        READ_XLSX(path, read);
        QCOMPARE(read.sheetNames, QStringList({"Plan1"}));
        const testing::ReadSheet &s = read.sheets.value("Plan1");
        QCOMPARE(s.at(2, 6).value, QVariant(QStringLiteral("GALINÁCEO")));
        QVERIFY(s.at(2, 6).bold);
        QCOMPARE(s.at(2, 70).value, QVariant(QStringLiteral("   (m3/dia)")));
        QVERIFY(!s.at(2, 70).bold);
        QCOMPARE(s.at(3, 1).value, QVariant(1.0));
        QCOMPARE(s.at(3, 2).value, QVariant(170.25));
        QCOMPARE(s.at(3, 3).value, QVariant(1.5e20));
        QCOMPARE(s.at(3, 4).value, QVariant(QStringLiteral("12abc")));
        // Stays a text: the workbook evaluates nothing a cell holds.
        QCOMPARE(s.at(3, 5).value, QVariant(QStringLiteral("=SOMA(A1:A2)")));
        QCOMPARE(s.at(3, 6).value, QVariant(QStringLiteral("a\tb <&> \"c\"")));
        QVERIFY(s.at(4, 1).bold);
        QVERIFY(!s.at(4, 1).value.isValid());

        // Fitted columns are at least as wide as their texts; unfitted ones are absent.
        QVERIFY(s.widths.value("F") >= QStringLiteral("GALINÁCEO").size());
        QVERIFY(s.widths.value("BR") >= QStringLiteral("   (m3/dia)").size());
        QVERIFY(s.widths.value("B") >= QStringLiteral("170,25").size());
        QVERIFY(!s.widths.contains("G"));
        QCOMPARE(folderEntries(), QStringList({"cells.xlsx"}));
    }

    // libxlsxwriter prints values and widths with printf: under a decimal-comma locale the
    // file held "<v>3580,1</v>" and "width=\"8,85\"", which spreadsheets misread as 3580.
    void savedSheetIsTheSameUnderEveryLocale()
    {
        Workbook book;
        Worksheet &sheet = book.worksheet(1);
        const QStringList entries = {"3580,1", "0,458675019854673", "-1,5E-7",
                                     "1,5E20", "GALINÁCEO",         "170,25"};
        for (int i = 0; i < entries.size(); ++i)
            sheet.setEntry(3, i + 1, entries.at(i), comma);
        sheet.autoFitColumns(comma);

        QByteArray inC;
        for (const char *name : {"C", "pt_BR.UTF-8", "de_DE.UTF-8", "en_US.UTF-8", "ar_EG.UTF-8"}) {
            const QString path = pathOf(QStringLiteral("locale-%1.xlsx").arg(name));
            {
                const CLocaleSwitch locale(name);
                QVERIFY2(locale.switched(), name);
                saveXlsx(book, path);
            }
            QByteArray xml;
            QString error;
            QVERIFY2(testing::readPackageMember(path, "xl/worksheets/sheet1.xml", &xml, &error),
                     qPrintable(error));
            QVERIFY2(xml.contains("<v>3580.1</v>"), name);
            QVERIFY2(xml.contains("<v>0.458675019854673</v>"), name);
            if (inC.isEmpty())
                inC = xml;
            QVERIFY2(xml == inC, name);

            ReadWorkbook read;
            READ_XLSX(path, read);
            const testing::ReadSheet &s = read.sheets.value("Plan1");
            QCOMPARE(s.at(3, 1).value, QVariant(3580.1));
            QCOMPARE(s.at(3, 3).value, QVariant(-1.5e-7));
            QVERIFY(s.widths.value("E") >= QStringLiteral("GALINÁCEO").size());
        }
    }

    void chartSheetInFrontWithStackedLine()
    {
        const QString path = pathOf("chart.xlsx");
        saveXlsx(chartWorkbook(), path);

        ReadWorkbook read;
        READ_XLSX(path, read);
        QCOMPARE(read.sheetNames, QStringList({"Graf. Vazão Indisponível", "Resultados"}));
        QCOMPARE(read.chartSheetNames, QStringList({"Graf. Vazão Indisponível"}));
        QCOMPARE(read.sheets.value("Resultados").at(52, 5).value, QVariant(500.0));
        QCOMPARE(read.chartXml.size(), 1);
        const QString xml = read.chartXml.first();
        QVERIFY(xml.contains("<c:lineChart>"));
        QVERIFY(xml.contains("<c:grouping val=\"stacked\"/>"));
        QVERIFY(xml.contains("<c:f>Resultados!$E$3:$E$52</c:f>"));
        QCOMPARE(xml.count("<c:ser>"), 1);
    }

    // A plain line, its points named by the categories given (the horizon's years) rather
    // than numbered.
    void plainLineIsNotStacked()
    {
        Workbook book = chartWorkbook();
        book.chart(1).setChartType(WorkbookChart::kLine);
        book.chart(1).setSeriesCategories(
            1, parseRangeReference(QStringLiteral("Resultados"), "A3:A52"));
        const QString path = pathOf("line.xlsx");
        saveXlsx(book, path);
        ReadWorkbook read;
        READ_XLSX(path, read);
        const QString xml = read.chartXml.value(0);
        QVERIFY(xml.contains("<c:grouping val=\"standard\"/>"));
        QVERIFY(xml.contains("<c:cat>"));
        QVERIFY(xml.contains("<c:f>Resultados!$A$3:$A$52</c:f>"));
        saveXlsx(chartWorkbook(), path);
        ReadWorkbook numbered;
        READ_XLSX(path, numbered);
        QVERIFY(!numbered.chartXml.value(0).contains("<c:cat>"));
    }

    void chartWithNothingToDrawIsLeftOut()
    {
        Workbook book;
        book.worksheet(1).setEntry(1, 1, "x", comma);
        book.addSheets(1, 1, Workbook::kChartType);
        const QString path = pathOf("empty-chart.xlsx");
        saveXlsx(book, path);
        ReadWorkbook read;
        READ_XLSX(path, read);
        QCOMPARE(read.sheetNames, QStringList({"Plan1"}));
    }

    void savingReplacesAnExistingFile()
    {
        const QString path = pathOf("resultados.xlsx");
        writeFile(path, "an earlier file");
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ReadGroup | QFileDevice::WriteGroup);
        saveXlsx(chartWorkbook(), path);
        QVERIFY(readFile(path).startsWith("PK")); // a zip package now
        QCOMPARE(QFile::permissions(path) & QFileDevice::WriteGroup, QFileDevice::WriteGroup);
        QCOMPARE(folderEntries(), QStringList({"resultados.xlsx"}));
    }

    // A write that fails part-way (here: the file-size limit) leaves the earlier file as it
    // was and no scratch file beside it.
    void failedSaveKeepsTheEarlierFile()
    {
        const QString path = pathOf("big.xlsx");
        writeFile(path, "an earlier file");
        Workbook book;
        for (int row = 1; row <= 2000; ++row)
            for (int column = 1; column <= 10; ++column)
                book.worksheet(1).setEntry(
                    row, column, QStringLiteral("texto %1 %2").arg(row).arg(column), comma);
        {
            testing::FileSizeLimit limit(4096);
            QVERIFY_THROWS_EXCEPTION(WorkbookError, saveXlsx(book, path));
        }
        QCOMPARE(readFile(path), QByteArray("an earlier file"));
        QCOMPARE(folderEntries(), QStringList({"big.xlsx"}));
    }

    void targetsThatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "missing/x.xlsx"
                                        << "A pasta não existe";
        QTest::newRow("a folder") << "sub"
                                  << "O nome escolhido é o de uma pasta";
        QTest::newRow("a file taken for a folder") << "file.txt/x.xlsx"
                                                   << "A pasta não existe";
    }
    void targetsThatCannotBeWritten()
    {
        QFETCH(QString, relative);
        QFETCH(QString, reason);
        QVERIFY(QDir(folder.path()).mkpath("sub"));
        writeFile(pathOf("file.txt"), "not a folder");
        try {
            saveXlsx(chartWorkbook(), pathOf(relative));
            QFAIL("saved where it cannot");
        } catch (const WorkbookError &error) {
            QCOMPARE(error.message(), QStringLiteral("Não foi possível salvar o arquivo \"%1\": %2")
                                          .arg(pathOf(relative), reason));
        }
        QCOMPARE(folderEntries(), QStringList({"file.txt", "sub"}));
        QVERIFY(QDir(pathOf("sub")).isEmpty());
        QDir(pathOf("sub")).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(XlsxWriterTest)
#include "tst_xlsx_writer.moc"
