// Daily flow series read from files made up here in the agency's HidroWeb layout and as pasted
// text: consistency levels, missing values, month lengths, encodings and line ends, and the
// message of each file that cannot be read.
#include "core/flows/FlowSeriesFile.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace tavi;
using namespace tavi::flows;

namespace
{

using Flows = QList<double>; // NaN where a day has no value

// One row of the export: a station's month at one consistency level, its 31 flow texts.
struct MonthRow {
    int level;
    QString date;
    QStringList flows;
    QString code = QStringLiteral("56990000");
};

// Every day of the month worth `scale` times its day, as the agency writes it ("2,5").
QStringList daysTimes(double scale)
{
    QStringList flows;
    for (int day = 1; day <= 31; ++day)
        flows << QString::number(day * scale).replace(QLatin1Char('.'), QLatin1Char(','));
    return flows;
}

constexpr int kFirstRowLine = 6; // after three comment lines, a blank one and the titles

struct Style {
    bool latin1 = false;
    bool crlf = false;
    bool quoted = false;
    bool trailingSeparator = false;
    QString after;              // notes below the data
    bool titlesAsTyped = false; // "ESTAÇÃO CÓDIGO", "Vazão01"
};

QByteArray hidroWeb(const QList<MonthRow> &rows, const Style &style = {})
{
    QStringList titles = QStringLiteral("EstacaoCodigo;NivelConsistencia;Data;Hora;MediaDiaria;"
                                        "MetodoObtencaoVazoes;Maxima;Minima;Media;DiaMaxima;"
                                        "DiaMinima;MaximaStatus;MinimaStatus;MediaStatus;"
                                        "MediaAnual;MediaAnualStatus")
                             .split(QLatin1Char(';'));
    for (int day = 1; day <= 31; ++day)
        titles << QStringLiteral("Vazao%1").arg(day, 2, 10, QLatin1Char('0'));
    for (int day = 1; day <= 31; ++day)
        titles << QStringLiteral("Vazao%1Status").arg(day, 2, 10, QLatin1Char('0'));
    if (style.titlesAsTyped) {
        titles[0] = QStringLiteral("ESTAÇÃO CÓDIGO");
        for (QString &title : titles)
            title.replace(QStringLiteral("Vazao"), QStringLiteral("Vazão"));
    }
    const auto line = [&](QStringList fields) {
        if (style.quoted) {
            for (QString &field : fields)
                field = QLatin1Char('"') + field + QLatin1Char('"');
        }
        return fields.join(QLatin1Char(';')) + (style.trailingSeparator ? ";" : "");
    };
    QStringList lines{QStringLiteral("// Sistema de Informações Hidrológicas - HidroWeb"),
                      QStringLiteral("// Nome: RIO SÃO FRANCISCO EM JUÁ"),
                      QStringLiteral("// Código: 56990000"), QString(), line(titles)};
    for (const MonthRow &row : rows) {
        QStringList fields{row.code, QString::number(row.level), row.date, QStringLiteral("")};
        fields << QStringList(12, QString()) << row.flows << QStringList(31, QStringLiteral("1"));
        lines << line(fields);
    }
    if (!style.after.isEmpty())
        lines << style.after;
    const QString text = lines.join(style.crlf ? "\r\n" : "\n") + (style.crlf ? "\r\n" : "\n");
    return style.latin1 ? text.toLatin1() : text.toUtf8();
}

void compare(const FlowSeries &series, const QDate &first, const Flows &expected)
{
    QCOMPARE(series.first, first);
    QCOMPARE(series.days.size(), std::size_t(expected.size()));
    for (int i = 0; i < expected.size(); ++i) {
        const std::optional<long double> &read = series.days[std::size_t(i)];
        const QString day = first.addDays(i).toString(Qt::ISODate);
        if (std::isnan(expected[i]))
            QVERIFY2(!read, qPrintable(day + QStringLiteral(" should be missing")));
        else
            QVERIFY2(
                read && std::fabs(double(*read) - expected[i]) < 1e-12,
                qPrintable(day + QStringLiteral(" should be ") + QString::number(expected[i])));
    }
}

const double kNone = std::nan("");

} // namespace

class FlowSeriesFileTest : public QObject
{
    Q_OBJECT

private slots:
    void readsHidroWebExport_data()
    {
        QTest::addColumn<QByteArray>("content");
        // March first, January at both levels, February only raw, as real exports mix them.
        QStringList march = daysTimes(1);
        march[2] = QString();
        march[3] = QStringLiteral("-9999");
        march[4] = QStringLiteral("null");
        march[5] = QStringLiteral("-");
        march[6] = QStringLiteral("...");
        march[7] = QStringLiteral("X");
        march[8] = QStringLiteral(",8");
        const QList<MonthRow> rows{{2, QStringLiteral("01/03/2001"), march},
                                   {1, QStringLiteral("01/01/2001"), daysTimes(1)},
                                   {1, QStringLiteral("01/02/2001"), daysTimes(0.5)},
                                   {2, QStringLiteral("01/01/2001"), daysTimes(10)}};
        QTest::newRow("UTF-8, LF") << hidroWeb(rows);
        Style latin1;
        latin1.latin1 = true;
        latin1.crlf = true;
        QTest::newRow("Latin-1, CRLF") << hidroWeb(rows, latin1);
        Style quoted;
        quoted.quoted = true;
        quoted.trailingSeparator = true;
        quoted.crlf = true;
        QTest::newRow("quoted fields, trailing ';'") << hidroWeb(rows, quoted);
        Style notes;
        notes.after = QStringLiteral("\nFonte: ANA;\nDados sujeitos a revisão.");
        QTest::newRow("notes after the data") << hidroWeb(rows, notes);
        Style typed;
        typed.titlesAsTyped = true;
        typed.latin1 = true;
        QTest::newRow("titles with accents and blanks, Latin-1") << hidroWeb(rows, typed);
    }
    void readsHidroWebExport()
    {
        QFETCH(QByteArray, content);
        const FlowReading reading = readFlowSeries(content);
        QCOMPARE(reading.layout, QStringLiteral("HidroWeb"));
        QCOMPARE(reading.series.station, QStringLiteral("56990000 (RIO SÃO FRANCISCO EM JUÁ)"));
        QCOMPARE(reading.notes,
                 QStringList{QStringLiteral("2001-01: nível 1 substituído pelo nível 2")});
        Flows expected;
        for (int day = 1; day <= 31; ++day)
            expected << day * 10.0;
        for (int day = 1; day <= 28; ++day)
            expected << day * 0.5;
        for (int day = 1; day <= 31; ++day)
            expected << (day >= 3 && day <= 8 ? kNone : day == 9 ? 0.8 : day);
        compare(reading.series, QDate(2001, 1, 1), expected);
    }

    // A short month's last columns hold flows that belong to no day.
    void monthLengths_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("days");
        QTest::newRow("February 2001") << QStringLiteral("01/02/2001") << 28;
        QTest::newRow("February 2004, leap") << QStringLiteral("01/02/2004") << 29;
        QTest::newRow("February 1900, not leap") << QStringLiteral("01/02/1900") << 28;
        QTest::newRow("April") << QStringLiteral("01/04/2001") << 30;
        QTest::newRow("December") << QStringLiteral("01/12/2001") << 31;
    }
    void monthLengths()
    {
        QFETCH(QString, date);
        QFETCH(int, days);
        const FlowSeries series = readFlowSeries(hidroWeb({{1, date, daysTimes(1)}})).series;
        Flows expected;
        for (int day = 1; day <= days; ++day)
            expected << day;
        compare(series, QDate::fromString(date, QStringLiteral("dd/MM/yyyy")), expected);
    }

    void readsPlainText_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<Flows>("flows");
        QTest::newRow("dd/mm/aaaa, ';', decimal comma")
            << QByteArray("01/03/2001;1,5\n02/03/2001;2,25\n03/03/2001;,8\n") << QDate(2001, 3, 1)
            << Flows{1.5, 2.25, 0.8};
        QTest::newRow("aaaa-mm-dd, tab, decimal point, heading")
            << QByteArray("Data\tVazão (m³/s)\n2001-03-01\t1.5\n2001-03-02\t2.25\n")
            << QDate(2001, 3, 1) << Flows{1.5, 2.25};
        QTest::newRow("blanks between, Latin-1 heading, CRLF")
            << QByteArray("Data  Vaz\xe3o\r\n28/02/2004   3\r\n 01/03/2004  4,5 \r\n")
            << QDate(2004, 2, 28) << Flows{3, kNone, 4.5};
        QTest::newRow("quoted, trailing ';', notes after")
            << QByteArray("\"Data\";\"Vazao\";\n\"01/01/2001\";\"7\";\n\"02/01/2001\";\"8\";\n"
                          "\nTotal de dias: 2\n")
            << QDate(2001, 1, 1) << Flows{7, 8};
        QTest::newRow("out of order, gaps and missing marks at the ends")
            << QByteArray("05/01/2001;5\n31/12/2000;-9999\n01/01/2001;1\n03/01/2001;null\n"
                          "06/01/2001;\n")
            << QDate(2001, 1, 1) << Flows{1, kNone, kNone, kNone, 5};
        QTest::newRow("the same day twice with the same flow")
            << QByteArray("01/01/2001;1,50\n02/01/2001;2\n01/01/2001;1.5\n") << QDate(2001, 1, 1)
            << Flows{1.5, 2};
    }
    void readsPlainText()
    {
        QFETCH(QByteArray, content);
        QFETCH(QDate, first);
        QFETCH(Flows, flows);
        const FlowReading reading = readFlowSeries(content);
        QCOMPARE(reading.layout, QStringLiteral("texto (data; vazão)"));
        QVERIFY(reading.notes.isEmpty());
        compare(reading.series, first, flows);
    }

    void refusesBadInput_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("phrases");
        const auto row = [](int line) { return QStringLiteral("Linha %1,").arg(line); };

        QTest::newRow("empty") << QByteArray() << QStringList{"vazio"};
        QTest::newRow("blank lines only") << QByteArray(" \r\n\r\n") << QStringList{"vazio"};
        QTest::newRow("not a flow series")
            << QByteArray("Relatório de chuvas\nJaneiro foi seco\n")
            << QStringList{row(2), "coluna 1 (data)", "não é uma série de vazões"};
        QTest::newRow("a heading alone")
            << QByteArray("Data;Vazao\n") << QStringList{row(1), "não é uma série de vazões"};
        QTest::newRow("no flow on any day")
            << QByteArray("01/01/2001;\n02/01/2001;-9999\n") << QStringList{"nenhuma vazão"};

        QTest::newRow("plain, negative flow")
            << QByteArray("01/01/2001;1\n02/01/2001;-2,5\n")
            << QStringList{row(2), "coluna 2 (vazão)", "vazão negativa (-2,5)"};
        QTest::newRow("plain, not a number")
            << QByteArray("01/01/2001;1\n02/01/2001;1,2,3\n")
            << QStringList{row(2), "coluna 2 (vazão)", "\"1,2,3\""};
        QTest::newRow("plain, 31 February")
            << QByteArray("Data;Vazao\n28/02/2001;1\n31/02/2001;2\n")
            << QStringList{row(3), "coluna 1 (data)", "31/02/2001 não existe"};
        QTest::newRow("plain, a year mistyped")
            << QByteArray("01/01/2001;1\n02/01/0201;2\n")
            << QStringList{row(2), "coluna 1 (data)", "02/01/0201"};
        QTest::newRow("plain, a day with two flows")
            << QByteArray("01/01/2001;1\n02/01/2001;2\n01/01/2001;3\n")
            << QStringList{row(3), "coluna 2 (vazão)", "01/01/2001", "linha 1"};
        QTest::newRow("plain, a stray line between days")
            << QByteArray("01/01/2001;1\nsem leitura\n03/01/2001;3\n")
            << QStringList{row(2), "coluna 1 (data)", "\"sem leitura\""};

        const QString titles = QStringLiteral("coluna Data");
        QTest::newRow("HidroWeb, negative flow") << [] {
            QStringList flows = daysTimes(1);
            flows[2] = QStringLiteral("-2,5");
            return hidroWeb({{1, QStringLiteral("01/01/2001"), daysTimes(1)},
                             {2, QStringLiteral("01/02/2001"), flows}});
        }() << QStringList{row(kFirstRowLine + 1), "coluna Vazao03", "vazão negativa (-2,5)"};
        QTest::newRow("HidroWeb, not the first of a month")
            << hidroWeb({{1, QStringLiteral("15/01/2001"), daysTimes(1)}})
            << QStringList{row(kFirstRowLine), titles, "primeiro dia"};
        QTest::newRow("HidroWeb, no such first of month")
            << hidroWeb({{1, QStringLiteral("01/13/2001"), daysTimes(1)}})
            << QStringList{row(kFirstRowLine), titles, "01/13/2001 não existe"};
        QTest::newRow("HidroWeb, a day with two flows at one level")
            <<
            [] {
                QStringList flows = daysTimes(1);
                flows[4] = QStringLiteral("6");
                return hidroWeb({{1, QStringLiteral("01/01/2001"), daysTimes(1)},
                                 {2, QStringLiteral("01/01/2001"), daysTimes(3)},
                                 {1, QStringLiteral("01/01/2001"), flows}});
            }()
            << QStringList{row(kFirstRowLine + 2), "coluna Vazao05", "05/01/2001",
                           QStringLiteral("linha %1").arg(kFirstRowLine)};
        QTest::newRow("HidroWeb, two stations") << [] {
            MonthRow other{1, QStringLiteral("01/02/2001"), daysTimes(1)};
            other.code = QStringLiteral("56994500");
            return hidroWeb({{1, QStringLiteral("01/01/2001"), daysTimes(1)}, other});
        }() << QStringList{row(kFirstRowLine + 1), "coluna EstacaoCodigo", "56994500", "56990000"};
        QTest::newRow("HidroWeb, unknown level")
            << hidroWeb({{3, QStringLiteral("01/01/2001"), daysTimes(1)}})
            << QStringList{row(kFirstRowLine), "coluna NivelConsistencia", "\"3\""};
        QTest::newRow("HidroWeb, a title missing")
            << hidroWeb({{1, QStringLiteral("01/01/2001"), daysTimes(1)}})
                   .replace("Vazao17;", "Vazao17x;")
            << QStringList{row(kFirstRowLine - 1), "coluna Vazao17", "falta"};
        QTest::newRow("HidroWeb, a stray line between months") << [] {
            QByteArray file = hidroWeb({{1, QStringLiteral("01/01/2001"), daysTimes(1)},
                                        {1, QStringLiteral("01/02/2001"), daysTimes(1)}});
            const int cut = file.indexOf("\n56990000;1;01/02/2001");
            return file.insert(cut, "\n56990000;1;sem data");
        }() << QStringList{row(kFirstRowLine + 1), titles, "\"sem data\""};
        QTest::newRow("HidroWeb, titles and no rows")
            << hidroWeb({}) << QStringList{QStringLiteral("linha %1").arg(kFirstRowLine - 1)};
    }
    void refusesBadInput()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, phrases);
        try {
            readFlowSeries(content);
            QFAIL("read without an error");
        } catch (const FlowFormatError &error) {
            for (const QString &phrase : phrases)
                QVERIFY2(error.message().contains(phrase),
                         qPrintable(error.message() + QStringLiteral(" lacks ") + phrase));
        }
    }

    void loadsAFileNamingItInErrors()
    {
        QTemporaryDir folder;
        const QString good = folder.filePath(QStringLiteral("vazoes.txt"));
        const QString bad = folder.filePath(QStringLiteral("ruim.txt"));
        for (const auto &[path, content] : {std::pair{good, QByteArray("01/01/2001;1\n")},
                                            {bad, QByteArray("01/01/2001;-1\n")}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QCOMPARE(loadFlowSeriesFile(good).series.days.size(), std::size_t(1));
        for (const QString &path :
             {bad, folder.filePath(QStringLiteral("nenhum.txt")), folder.path()}) {
            try {
                loadFlowSeriesFile(path);
                QFAIL("read without an error");
            } catch (const TaviError &error) {
                QVERIFY2(error.message().contains(QFileInfo(path).fileName()),
                         qPrintable(error.message()));
            }
        }
    }
};

QTEST_GUILESS_MAIN(FlowSeriesFileTest)
#include "tst_flow_series_file.moc"
