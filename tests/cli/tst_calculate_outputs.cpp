// The files `tavi calcular --saida` writes, read back with independent readers: the workbook
// with openpyxl, the daily CSV as a spreadsheet would split it under a decimal comma and a
// decimal point, the report with poppler; and the file left alone when it cannot be written.
#include "export/XlsxReadBack.h"
#include "support/ProgramRun.h"
#include "support/SummaryStudies.h"

#include "core/numbers/NumberText.h"
#include "core/study/StudyFile.h"
#include "core/summary/MunicipalSummary.h"
#include "core/summary/SummaryWorkbook.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace tavi;

namespace
{

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString poppler(const QString &tool, const QStringList &arguments, QString *problem)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(60000) || process.exitCode() != 0) {
        *problem = tool + QStringLiteral(" did not run: ") +
                   QString::fromUtf8(process.readAllStandardError());
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool closeTo(double read, long double expected)
{
    return std::fabs(read - double(expected)) <= 1e-9 * std::max(1.0, std::fabs(read));
}

} // namespace

class CalculateOutputsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_study;
    MunicipalSummary m_summary;

    QString path(const QString &name) const { return m_folder.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        m_study = path(QStringLiteral("estudo.tavi"));
        saveStudyFile(m_study, testing::everySectorStudy());
        m_summary = summarizeStudy(testing::everySectorStudy(), SupplyScenario::Current);
    }

    // The summary's two sheets: the days under their headings with units, the figures from
    // column G, the chart in front over the three sectors.
    void workbook()
    {
        const QString out = path(QStringLiteral("resumo.xlsx"));
        const testing::ProgramRun run = testing::runProgram({"calcular", m_study, "--saida", out});
        CHECK_STATUS(run, 0);
        testing::ReadWorkbook book;
        READ_XLSX(out, book);
        QCOMPARE(book.sheetNames, (QStringList{SummarySheets::kChart, SummarySheets::kData}));
        QCOMPARE(book.chartSheetNames, QStringList{SummarySheets::kChart});
        const testing::ReadSheet &sheet = book.sheets[SummarySheets::kData];
        const QStringList headings{"DIA", "Abast. ATUAL (m3/dia)", "Pecuária (m3/dia)",
                                   "Agricultura (m3/dia)", "Total (m3/dia)"};
        for (int c = 0; c < headings.size(); ++c) {
            QCOMPARE(sheet.at(1, c + 1).value.toString(), headings[c]);
            QVERIFY(sheet.at(1, c + 1).bold);
        }
        for (int day : {1, 100, 366}) {
            for (int s = 0; s < kSummarySectors; ++s)
                QVERIFY(closeTo(sheet.at(day + 1, s + 2).value.toDouble(),
                                m_summary.sectors[s].daily[day - 1]));
            QVERIFY(closeTo(sheet.at(day + 1, 5).value.toDouble(), m_summary.total[day - 1]));
        }
        const int g = SummarySheets::kFiguresColumn;
        QCOMPARE(sheet.at(5, g).value.toString(), QStringLiteral("Total"));
        QVERIFY(closeTo(sheet.at(5, g + 1).value.toDouble(), m_summary.annualTotal));
        QVERIFY(closeTo(sheet.at(7, g + 2).value.toDouble(), m_summary.peakTotal));
        QCOMPARE(book.chartXml.size(), 1);
        for (const char *range : {"$B$2:$B$367", "$C$2:$C$367", "$D$2:$D$367"})
            QVERIFY2(book.chartXml.first().contains(QLatin1String(range)), range);
    }

    // The daily table splits at ";" into five columns whose headings name the sectors, and
    // every number reads back under the locale it was written in, whatever that is.
    void dailyCsv_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QChar>("decimal");
        QTest::newRow("decimal comma") << "pt_BR.UTF-8" << QChar(',');
        QTest::newRow("decimal point") << "en_US.UTF-8" << QChar('.');
        QTest::newRow("the test's own")
            << qEnvironmentVariable("LC_ALL") << LocaleSettings::current().decimalSeparator;
    }
    void dailyCsv()
    {
        QFETCH(QString, locale);
        QFETCH(QChar, decimal);
        const QString out = path(QStringLiteral("dias.csv"));
        const testing::ProgramRun run = testing::runProgram(
            {"calcular", m_study, "--saida", out},
            testing::programEnvironment({"LC_ALL=" + locale, "LANG=" + locale}));
        CHECK_STATUS(run, 0);
        const QStringList lines =
            QString::fromUtf8(contentOf(out)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), kSummaryDays + 1);
        const QStringList headings = lines.first().split(QLatin1Char(';'));
        QCOMPARE(headings.size(), 5);
        const char *names[] = {"DIA", "Abast", "Pecu", "Agric", "Total"};
        for (int c = 0; c < 5; ++c)
            QVERIFY2(headings[c].contains(QLatin1String(names[c])), qPrintable(headings[c]));

        LocaleSettings settings = LocaleSettings::current();
        settings.decimalSeparator = decimal;
        bool sawDecimals = false;
        for (int day = 1; day <= kSummaryDays; ++day) {
            const QStringList fields = lines[day].split(QLatin1Char(';'));
            QCOMPARE(fields.size(), 5);
            QCOMPARE(fields[0].toInt(), day);
            for (int c = 1; c < 5; ++c) {
                long double value = 0;
                QVERIFY2(tryTextToNumber(fields[c], &value, settings), qPrintable(lines[day]));
                const long double expected =
                    c < 4 ? m_summary.sectors[c - 1].daily[day - 1] : m_summary.total[day - 1];
                QVERIFY2(closeTo(double(value), expected), qPrintable(lines[day]));
                sawDecimals = sawDecimals || fields[c].contains(decimal);
            }
        }
        // The agriculture's demand has fractions: the separator was really tried.
        QVERIFY(sawDecimals);
    }

    // The printed report, drawn with no display at all.
    void report()
    {
        const QString out = path(QStringLiteral("relatório.pdf"));
        const testing::ProgramRun run = testing::runProgram(
            {"calcular", m_study, "--saida", out},
            testing::programEnvironment({"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="}));
        CHECK_STATUS(run, 0);
        QCOMPARE(run.err, QString());
        QString problem;
        const QString info = poppler("pdfinfo", {out}, &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(info.contains(QStringLiteral("Demanda por Município — Município de Águas Claras")));
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+[2-9]"))));
        const QString text = poppler("pdftotext", {out, "-"}, &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        for (const char *words : {"Totais anuais", "Parâmetros de entrada", "Pecuária"})
            QVERIFY2(text.contains(QString::fromUtf8(words)), words);
    }

    // A read-only file, or a folder that is not there, is refused with status 2 and the
    // message names the file; nothing is written, however long the computation was.
    void unwritableOutput_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("read-only .xlsx") << "fixo.xlsx" << true;
        QTest::newRow("read-only .csv") << "fixo.csv" << true;
        QTest::newRow("read-only .pdf") << "fixo.pdf" << true;
        QTest::newRow("no folder") << "falta/resumo.csv" << false;
    }
    void unwritableOutput()
    {
        QFETCH(QString, name);
        QFETCH(bool, readOnly);
        const QString out = path(name);
        const QByteArray earlier("conteúdo anterior");
        if (readOnly) {
            QFile file(out);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(earlier);
            file.close();
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        }
        const testing::ProgramRun run = testing::runProgram({"calcular", m_study, "--saida", out});
        CHECK_STATUS(run, 2);
        QVERIFY2(run.err.startsWith(QStringLiteral("tavi: Não foi possível salvar o arquivo \"%1\"")
                                        .arg(QDir::toNativeSeparators(out))),
                 qPrintable(run.err));
        QCOMPARE(run.out, QString());
        if (readOnly)
            QCOMPARE(contentOf(out), earlier);
        else
            QVERIFY(!QFile::exists(out));
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Hidden | QDir::Files).filter(".tavi-"),
                 QStringList());
    }

    // The output never takes the study's place.
    void outputOverTheStudy()
    {
        const QString study = path(QStringLiteral("estudo.csv"));
        saveStudyFile(study, testing::everySectorStudy());
        const QByteArray before = contentOf(study);
        const testing::ProgramRun run = testing::runProgram({"calcular", study, "--saida", study});
        CHECK_STATUS(run, 2);
        QCOMPARE(contentOf(study), before);
    }
};

QTEST_GUILESS_MAIN(CalculateOutputsTest)
#include "tst_calculate_outputs.moc"
