#include "core/NumberText.h"
#include "models/U_Resumo_Municipio/SummaryReport.h"
#include "models/U_Resumo_Municipio/TF_Resumo_Municipio.h"
#include "support/WindowTesting.h"

#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

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
        {"me_1", "1000"}, {"me_2", "0.2"}, {"me_3", "1000"}, {"me_5", "80"}};
    return s;
}

} // namespace

class SummaryReportTest : public QObject
{
    Q_OBJECT

private slots:
    void monthsOfALeapYear_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::newRow("first") << 1 << 1;
        QTest::newRow("31 Jan") << 31 << 1;
        QTest::newRow("29 Feb") << 60 << 2;
        QTest::newRow("1 Mar") << 61 << 3;
        QTest::newRow("last") << 366 << 12;
    }
    void monthsOfALeapYear()
    {
        QFETCH(int, day);
        QFETCH(int, month);
        QCOMPARE(SummaryReport::monthOfDay(day), month);
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
        QVERIFY2(pages.captured(1).toInt() >= 3, qPrintable(info));
        // Lines wrap where the page ends them: the words are compared, not the lines.
        const QString text = poppler("pdftotext", {"-layout", path, "-"}, &problem).simplified();
        QVERIFY2(text.contains(QStringLiteral("Município de Águas Claras")),
                 qPrintable(text.left(600)));
        QVERIFY(text.contains(QStringLiteral("Cenário de estiagem")));
        const MunicipalSummary &summary = window.summary();
        QVERIFY2(text.contains(formatGeneral(summary.annualTotal)),
                 qPrintable(formatGeneral(summary.annualTotal)));
        QVERIFY(text.contains(summary.dilutionMaximumText));
        QVERIFY(text.contains(QStringLiteral("Totais mensais")));
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
