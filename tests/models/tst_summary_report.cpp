#include "core/numbers/NumberText.h"
#include "core/numbers/ReadableNumber.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/AgricultureTables.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/StudyCaptions.h"
#include "models/U_Resumo_Municipio/ReportHtml.h"
#include "models/U_Resumo_Municipio/SummaryReport.h"
#include "models/U_Resumo_Municipio/TF_Resumo_Municipio.h"
#include "support/WindowTesting.h"

#include <QDate>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

using namespace tavi;

namespace
{

// What a poppler tool prints for the file, or why it could not run.
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

Study namedStudy()
{
    Study s = defaultStudy();
    s.name = QStringLiteral("Município de Águas Claras");
    s.notes = QStringLiteral("Cenário de estiagem\nrevisado");
    s.windows["TF_Mod_Pecuaria"].fields = {{"me_bovino", "50"}, {"e_qte_bovino", "1200"}};
    s.windows["TF_Abast_Publico"].fields = {
        {"me_1", "10000"}, {"me_2", "0.2"}, {"me_3", "10000"}, {"me_5", "80"}};
    SeriesOrigin origin;
    origin.station = QStringLiteral("SAO PAULO - MIRANTE");
    origin.code = QStringLiteral("A701");
    origin.year = QStringLiteral("2023");
    origin.methods = QStringLiteral("Penman–Monteith");
    origin.editedEtpDays = QStringLiteral("3,17,100");
    s.windows["TF_Mod_Agricultura"].seriesOrigin = origin;
    return s;
}

} // namespace

class SummaryReportTest : public QObject
{
    Q_OBJECT

private slots:
    // The months of the series follow the year of its station when it has one; otherwise a
    // year of 365 days, with day 366 apart. Sums computed here, day by day, from the calendar.
    void monthlySumsFollowTheSeriesYear_data()
    {
        QTest::addColumn<QString>("year"); // of the origin; empty: a typed series
        QTest::addColumn<int>("calendarYear");
        QTest::addColumn<bool>("day366Apart");
        QTest::newRow("station year 2023") << "2023" << 2023 << true;
        QTest::newRow("station year 2024") << "2024" << 2024 << false;
        QTest::newRow("typed series") << "" << 2023 << true;
    }
    void monthlySumsFollowTheSeriesYear()
    {
        QFETCH(QString, year);
        QFETCH(int, calendarYear);
        QFETCH(bool, day366Apart);
        Study study = defaultStudy();
        WindowInputs &agriculture = study.windows["TF_Mod_Agricultura"];
        // Rainfall that tells the days apart: day d rains d % 13 tenths of a millimetre.
        StudyGrid &serie = agriculture.grids["SG_Serie"];
        auto rain = [](int day) { return (day % 13) / 10.0L; };
        for (int day = 1; day <= 366; ++day)
            serie[day - 1] = {QStringLiteral("1"), formatGeneral(rain(day), studyNumberSettings())};
        if (!year.isEmpty()) {
            SeriesOrigin origin;
            origin.code = QStringLiteral("A701");
            origin.year = year;
            agriculture.seriesOrigin = origin;
        }
        const QString html = SummaryReport::reportHtml(study, summarizeStudy(study, {}));
        for (int month = 1; month <= 12; ++month) {
            const QDate first(calendarYear, month, 1);
            long double sum = 0;
            for (int d = 0; d < first.daysInMonth(); ++d)
                sum += rain(first.dayOfYear() + d);
            const QString row =
                QStringLiteral("<td>%1</td><td align='right'>%2</td><td align='right'>%3</td>")
                    .arg(QLocale(QLocale::Portuguese, QLocale::Brazil)
                             .monthName(month, QLocale::ShortFormat)
                             .left(3),
                         formatReadable(first.daysInMonth(), kDepthDecimals),
                         formatReadable(sum, kDepthDecimals));
            QVERIFY2(html.contains(row, Qt::CaseInsensitive), qPrintable(row));
        }
        const QString lastDay =
            QStringLiteral("<td>Dia 366</td><td align='right'>%1</td><td align='right'>%2</td>")
                .arg(formatReadable(1, kDepthDecimals), formatReadable(rain(366), kDepthDecimals));
        QCOMPARE(html.contains(lastDay), day366Apart);
    }

    // A sector left out of the total is said on the first page, beside the annual total and
    // the peak day, with the place of the error.
    // The crops' table both reports print: a row a class with its parameters beside it, the
    // unit column left out, the figures in the user's separators.
    void cropTableLeavesOutTheUnits()
    {
        WindowInputs agriculture = defaultStudy().windows.value("TF_Mod_Agricultura");
        StudyGrid &crops = agriculture.grids[keys::kCropTable];
        QVERIFY(crops.size() >= agriculture::kClasses);
        crops[0][agriculture::kUnitColumn] = QStringLiteral("777");
        crops[0][agriculture::kUnitColumn + 1] = QStringLiteral("1234.5");
        const QString html = ReportHtml::cropTable(agriculture);
        QCOMPARE(html.count(QStringLiteral("<tr>")), agriculture::kClasses + 1);
        QVERIFY(!html.contains(QStringLiteral("777")));
        QVERIFY2(html.contains(fromStudyText(QStringLiteral("1234.5"), LocaleSettings::current())),
                 qPrintable(html));
        QVERIFY(
            !html.contains(ReportHtml::escaped(cropColumnCaptions()[agriculture::kUnitColumn])));
        for (const QString &caption : cropParameterCaptions())
            QVERIFY(html.contains(ReportHtml::escaped(caption)));
    }

    void partialTotalIsSaid()
    {
        Study study = namedStudy();
        study.windows["TF_Mod_Agricultura"].grids["SG_Serie"][99][0] = QStringLiteral("abc");
        const MunicipalSummary summary = summarizeStudy(study, {});
        QVERIFY(summary.isPartial());
        const QString html = SummaryReport::reportHtml(study, summary);
        const int firstPage = html.indexOf(QStringLiteral("page-break-before"));
        const int note = html.indexOf(QStringLiteral("Total parcial, sem Agricultura"));
        QVERIFY(note > 0 && note < firstPage);
        QVERIFY(html.contains(QStringLiteral("<td>Total parcial (sem Agricultura)</td>")));
        QVERIFY(html.contains(QStringLiteral("Dia de maior demanda (total parcial, sem "
                                             "Agricultura)")));
        QVERIFY(html.contains(QStringLiteral("Série, dia 100, coluna ETP")));
        QVERIFY(!SummaryReport::reportHtml(namedStudy(), summarizeStudy(namedStudy(), {}))
                     .contains(QStringLiteral("parcial")));
    }

    // "Imprimir relatório…" writes a PDF of several pages whose text holds the study's name,
    // its notes, the annual total and the dilution result.
    void reportFromTheWindow()
    {
        testing::LocaleScope comma(LocaleSettings::brazilian());
        QTemporaryDir folder;
        const QString path = folder.filePath("relatorio.pdf");
        QString suggested;
        TF_Resumo_Municipio::setReportPathChooser([&](QWidget *, const QString &offered) {
            suggested = offered;
            return path;
        });
        const Study study = namedStudy();
        TF_Resumo_Municipio window([&study] { return study; });
        QVERIFY(testing::showActive(&window));
        window.findChild<QPushButton *>("b_relatorio")->click();
        TF_Resumo_Municipio::setReportPathChooser({});
        QVERIFY(suggested.endsWith("Município de Águas Claras - Resumo.pdf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");

        QString problem;
        const QString info = poppler("pdfinfo", {path}, &problem);
        if (info.isEmpty())
            QSKIP(qPrintable(problem));
        const QRegularExpressionMatch pages =
            QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        QVERIFY(pages.hasMatch());
        QCOMPARE(pages.captured(1).toInt(), 4);
        QVERIFY2(info.contains(QStringLiteral("Title:           Demanda por Município — Município "
                                              "de Águas Claras\n")),
                 qPrintable(info));
        // Lines wrap where the page ends them: the words are compared, not the lines.
        // The fonts' ligatures ("ﬁ") read as their letters.
        const QString text = poppler("pdftotext", {"-layout", path, "-"}, &problem)
                                 .simplified()
                                 .replace(QChar(0xFB01), QStringLiteral("fi"))
                                 .replace(QChar(0xFB02), QStringLiteral("fl"));
        QVERIFY2(text.contains(QStringLiteral("Município de Águas Claras")),
                 qPrintable(text.left(600)));
        QVERIFY(text.contains(QStringLiteral("Cenário de estiagem")));
        QVERIFY(text.contains(QStringLiteral("Totais mensais")));
        QVERIFY(text.contains(QStringLiteral("página 4 de 4")));
        // The series' origin, with the days edited by hand since.
        QVERIFY2(text.contains(QStringLiteral("Série: A701 SAO PAULO - MIRANTE, 2023, "
                                              "Penman–Monteith, editada à mão em 3 dias")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Dias editados à mão, ETP: 3, 17, 100")));
        // Figures for reading, grouped.
        const MunicipalSummary &summary = window.summary();
        QVERIFY2(text.contains(formatReadable(summary.annualTotal, kVolumeDecimals)),
                 qPrintable(formatReadable(summary.annualTotal, kVolumeDecimals)));
        QVERIFY(summary.annualTotal >= 1000);
        QVERIFY(text.contains(formatReadable(summary.dilutionMaximum, kFlowDecimals)));
        // Every heading word whole: a narrow column once broke "Clas se", "Eficiê ncia".
        const QStringList words = text.split(QLatin1Char(' '));
        for (const char *heading :
             {"Classe", "Ciclo", "(dias)", "Eficiência", "Início", "Área", "Parâmetro", "Rebanho",
              "Participação", "Consumo", "per-capita", "(litros/dia)", "Agricultura", "Pecuária"})
            QVERIFY2(words.contains(QString::fromUtf8(heading)), heading);
        // The charts are drawn, not pasted as pictures, and their smallest text reads at 8 pt
        // or more: a word's box is about 1,15 times its font's size.
        const QString images = poppler("pdfimages", {"-list", path}, &problem);
        QCOMPARE(images.trimmed().split(QLatin1Char('\n')).size(), 2); // the list's headings
        const QString boxes =
            poppler("pdftotext", {"-bbox", "-f", "4", "-l", "4", path, "-"}, &problem);
        const QRegularExpression word(
            QStringLiteral("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">([^<]+)<"));
        int chartWords = 0;
        for (auto m = word.globalMatch(boxes); m.hasNext();) {
            const QRegularExpressionMatch box = m.next();
            const double height = box.captured(2).toDouble() - box.captured(1).toDouble();
            if (box.captured(3) == QStringLiteral("m³/dia"))
                continue; // written upwards: its box is its length
            ++chartWords;
            QVERIFY2(height >= 8 * 1.15, qPrintable(box.captured(3)));
        }
        QVERIFY(chartWords > 20);
    }

    // An unnamed study is called as the main window calls it, and the file's title follows.
    void unnamedStudyIsANewStudy()
    {
        Study study = defaultStudy();
        const QString html = SummaryReport::reportHtml(study, summarizeStudy(study, {}));
        QVERIFY(html.contains(QStringLiteral("Demanda por Município — Novo estudo")));
        QVERIFY(!html.contains(QStringLiteral("sem nome")));
        QTemporaryDir folder;
        const QString path = folder.filePath("novo.pdf");
        SummaryReport::write(path, study, summarizeStudy(study, {}));
        QString problem;
        const QString info = poppler("pdfinfo", {path}, &problem);
        if (info.isEmpty())
            QSKIP(qPrintable(problem));
        QVERIFY2(info.contains(QStringLiteral("Title:           Demanda por Município — Novo "
                                              "estudo\n")),
                 qPrintable(info));
    }

    // Every table repeats its heading row on each page it crosses.
    void tablesRepeatTheirHeadings()
    {
        const Study study = namedStudy();
        QTextDocument document;
        document.setHtml(SummaryReport::reportHtml(study, summarizeStudy(study, {})));
        int tables = 0;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            QTextCursor cursor(block);
            if (QTextTable *table = cursor.currentTable()) {
                if (cursor.position() != table->firstPosition())
                    continue;
                ++tables;
                QCOMPARE(table->format().headerRowCount(), 1);
            }
        }
        QCOMPARE(tables, 7);
    }

    void unwritableReportIsReported()
    {
        testing::ErrorRecorder errors;
        TF_Resumo_Municipio::setReportPathChooser(
            [](QWidget *, const QString &) { return QStringLiteral("/nao/existe/r.pdf"); });
        TF_Resumo_Municipio window;
        QVERIFY(testing::showActive(&window));
        window.findChild<QPushButton *>("b_relatorio")->click();
        TF_Resumo_Municipio::setReportPathChooser({});
        QCOMPARE(errors.messages.size(), 1);
        QVERIFY(errors.messages.first().startsWith(
            QStringLiteral("Não foi possível gravar o relatório \"/nao/existe/r.pdf\"")));
    }
};

QTEST_MAIN(SummaryReportTest)
#include "tst_summary_report.moc"
