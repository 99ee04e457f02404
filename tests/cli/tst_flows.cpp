// `tavi vazoes` as a planner runs it on a gauging station's daily flows: the years used and left
// out, the reference flows with what the core computes for the same series, Q7,10 refused for a
// short series with the others still printed, and the files and arguments it refuses.
#include "support/ProgramRun.h"

#include "core/flows/FlowSeriesFile.h"
#include "core/flows/ReferenceFlows.h"
#include "core/numbers/ReadableNumber.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tavi;

namespace
{

// Daily flows as a plain text of dates and flows, `years` calendar years from 2001: a steady
// 12,5 m3/s with a dry week a year, lower in some years than others; in `gappyYear` a month is
// missing.
QByteArray dailyFlows(int years, int gappyYear = 0)
{
    QByteArray text = "Data;Vazao\r\n";
    for (QDate day(2001, 1, 1); day.year() < 2001 + years; day = day.addDays(1)) {
        if (day.year() == gappyYear && day.month() == 5)
            continue;
        const bool dryWeek = day.month() == 9 && day.day() >= 10 && day.day() < 17;
        const double flow = dryWeek ? 2.0 + (day.year() * 7 % 11) * 0.25 : 12.5;
        text += day.toString(QStringLiteral("dd/MM/yyyy")).toLatin1() + ';' +
                QByteArray::number(flow, 'f', 2).replace('.', ',') + "\r\n";
    }
    return text;
}

// The line of the printed text that begins with `name` and a blank.
QString lineOf(const QString &text, const QString &name)
{
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (line.startsWith(name + QLatin1Char(' ')))
            return line.simplified();
    return QString();
}

} // namespace

class FlowsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // Each reference flow on its line, as the core computes it for the same file.
    void referenceFlowsOnTheirLines()
    {
        const QString path = write(QStringLiteral("estacao.txt"), dailyFlows(14, 2005));
        const testing::ProgramRun run = testing::runProgram({"vazoes", path});
        CHECK_STATUS(run, 0);
        QCOMPARE(run.err, QString());
        const flows::FlowReading reading = flows::loadFlowSeriesFile(path);
        const flows::ReferenceFlows reference = flows::referenceFlows(reading.series);
        QVERIFY(reference.q710.has_value());
        QVERIFY(run.out.contains(QStringLiteral("de 01/01/2001 a 31/12/2014")));
        QVERIFY(run.out.contains(QStringLiteral("Anos usados (13): 2001, 2002, 2003, 2004, 2006")));
        QVERIFY(run.out.contains(QStringLiteral("2005 (31 de 365 dias sem vazão)")));
        const auto flow = [](long double value) {
            return formatReadable(value, 3) + QStringLiteral(" m³/s");
        };
        QCOMPARE(lineOf(run.out, QStringLiteral("Q90")),
                 QStringLiteral("Q90 ") + flow(*reference.q90));
        QCOMPARE(lineOf(run.out, QStringLiteral("Q95")),
                 QStringLiteral("Q95 ") + flow(*reference.q95));
        QCOMPARE(lineOf(run.out, QStringLiteral("QMLT")),
                 QStringLiteral("QMLT ") + flow(*reference.qmlt));
        QVERIFY(lineOf(run.out, QStringLiteral("Q7,10"))
                    .startsWith(QStringLiteral("Q7,10 ") + flow(*reference.q710) +
                                QStringLiteral(" ajuste Weibull; Weibull ")));
    }

    // Fewer than ten complete years: no Q7,10, and why; the other flows still printed.
    void shortSeriesHasNoQ710()
    {
        const QString path = write(QStringLiteral("curta.txt"), dailyFlows(6));
        const testing::ProgramRun run = testing::runProgram({"vazoes", path});
        CHECK_STATUS(run, 1);
        QVERIFY(
            lineOf(run.out, QStringLiteral("Q7,10")).contains(QStringLiteral("não calculada: ")));
        QVERIFY(lineOf(run.out, QStringLiteral("Q95")).endsWith(QStringLiteral("m³/s")));
        QVERIFY(lineOf(run.out, QStringLiteral("QMLT")).endsWith(QStringLiteral("m³/s")));
    }

    // A hydrological year from October is named by both its calendar years.
    void hydrologicalYear()
    {
        const QString path = write(QStringLiteral("hidro.txt"), dailyFlows(12));
        const testing::ProgramRun run =
            testing::runProgram({"vazoes", path, "--início-ano-hidrológico", "10"});
        QVERIFY(run.finished);
        QVERIFY(run.out.contains(QStringLiteral("Ano hidrológico a partir de outubro.")));
        QVERIFY(run.out.contains(QStringLiteral("2001/2002")));
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("no file") << QStringList{"vazoes"} << "falta a série de vazões";
        QTest::newRow("two files")
            << QStringList{"vazoes", "a.txt", "b.txt"} << "\"b.txt\" está a mais";
        QTest::newRow("month 13") << QStringList{"vazoes", "a.txt", "--inicio-ano-hidrologico=13"}
                                  << "de 1 a 12";
        QTest::newRow("unknown option")
            << QStringList{"vazoes", "a.txt", "--saida", "x.csv"} << "opção desconhecida: --saida";
    }
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const testing::ProgramRun run = testing::runProgram(arguments);
        CHECK_STATUS(run, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }

    // A file that is no flow series, or no file: status 2, the reason on standard error.
    void unreadableFiles()
    {
        const QString notFlows = write(QStringLiteral("estudo.tavi"), "{\"formato\": 1}");
        testing::ProgramRun run = testing::runProgram({"vazoes", notFlows});
        CHECK_STATUS(run, 2);
        QVERIFY(!run.err.isEmpty());
        QCOMPARE(run.out, QString());
        run = testing::runProgram({"vazoes", m_dir.filePath(QStringLiteral("nenhum.txt"))});
        CHECK_STATUS(run, 2);
        QVERIFY(run.err.contains(QStringLiteral("nenhum.txt")));
    }

private:
    QString write(const QString &name, const QByteArray &content)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
        return path;
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(FlowsTest)
#include "tst_flows.moc"
