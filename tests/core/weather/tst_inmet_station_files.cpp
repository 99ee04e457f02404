// Several INMET files of one station read as one record: the years' hours gathered before the
// days are made, and the files that cannot go together refused, naming them.
#include "core/base/TaviError.h"
#include "core/weather/InmetStationFile.h"

#include "support/InmetDayByHand.h"

#include <QTest>

using namespace tavi;
using namespace tavi::eto;
using namespace inmet;

Q_DECLARE_METATYPE(inmet::Layout)

namespace
{

// Two UTC days of smooth hours from `first`.
QByteArray twoDaysFrom(const QDate &first, const Layout &layout = {})
{
    HoursByDay hours;
    return stationFile(first, first.addDays(1), layout, madeUp, &hours);
}

QString messageOf(const std::vector<QByteArray> &files, const QStringList &names = {})
{
    try {
        readInmetStationFiles(files, names);
    } catch (const TaviError &e) {
        return e.message();
    }
    return QStringLiteral("read");
}

} // namespace

class InmetStationFilesTest : public QObject
{
    Q_OBJECT

private slots:
    // INMET's files of 2023 and 2024, in the layouts of different years; in either order.
    void consecutiveYearsAreOneRecord_data()
    {
        QTest::addColumn<bool>("laterFirst");
        QTest::newRow("in order") << false;
        QTest::newRow("the later year first") << true;
    }
    void consecutiveYearsAreOneRecord()
    {
        QFETCH(bool, laterFirst);
        HoursByDay hours;
        const QByteArray older = stationFile(2023, {true, true}, &hours);
        const QByteArray newer = stationFile(2024, {}, &hours);
        const StationSeries series =
            readInmetStationFiles(laterFirst ? std::vector<QByteArray>{newer, older}
                                             : std::vector<QByteArray>{older, newer});

        QCOMPARE(series.site.code, QStringLiteral("A701"));
        QCOMPARE(series.days.size(), std::size_t(1 + 365 + 366));
        QCOMPARE(series.days.front().date, QDate(2022, 12, 31));
        QCOMPARE(series.days.back().date, QDate(2024, 12, 31));
        for (const DailyRecord &r : series.days) {
            const QString wrong = mismatch(r, expectedDay(r.date, hours[r.date]));
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        }
        // 31 December 2023 has its last 4 hours from the 2024 file: a whole day, which the
        // 2023 file alone does not give.
        const auto whole = [](const DayHours &day) {
            return std::all_of(day.begin(), day.end(),
                               [](const Hour &h) { return !std::isnan(h.dryBulb); });
        };
        QVERIFY(whole(hours[QDate(2023, 12, 31)]));
        const DailyRecord &lastOf2023 = series.days[365];
        QCOMPARE(lastOf2023.date, QDate(2023, 12, 31));
        const DailyRecord alone = readInmetStationFile(older).days.back();
        QCOMPARE(alone.date, QDate(2023, 12, 31));
        QVERIFY(lastOf2023.rhMean != alone.rhMean);
    }

    void filesOfOneStation_data()
    {
        QTest::addColumn<Layout>("first");
        QTest::addColumn<Layout>("second");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("message");
        Layout mirante;
        Layout interlagos;
        interlagos.station = QStringLiteral("SAO PAULO - INTERLAGOS");
        interlagos.code = QStringLiteral("A771");
        const QString otherStation =
            QStringLiteral("O %1 é da estação A771 (SAO PAULO - INTERLAGOS), não da estação "
                           "A701 (SAO PAULO - MIRANTE) do %2; os arquivos lidos juntos devem ser "
                           "de uma só estação.");
        QTest::newRow("another code")
            << mirante << interlagos << QStringList()
            << otherStation.arg(QStringLiteral("arquivo 2"), QStringLiteral("arquivo 1"));
        QTest::newRow("another code, the files named")
            << mirante << interlagos << QStringList{"A701_2023.CSV", "A771_2023.CSV"}
            << otherStation.arg(QStringLiteral("arquivo \"A771_2023.CSV\""),
                                QStringLiteral("arquivo \"A701_2023.CSV\""));

        Layout uncoded = mirante;
        uncoded.code.clear();
        Layout elsewhere = uncoded;
        elsewhere.station = QStringLiteral("RIO DE JANEIRO");
        elsewhere.latitude = QStringLiteral("-22,9");
        elsewhere.longitude = QStringLiteral("-43,2");
        QTest::newRow("no codes, another place")
            << uncoded << elsewhere << QStringList()
            << QStringLiteral("O arquivo 2 é da estação RIO DE JANEIRO (latitude -22,9, longitude "
                              "-43,2), não da estação SAO PAULO - MIRANTE (latitude -23,49638888, "
                              "longitude -46,62) do arquivo 1; os arquivos lidos juntos devem ser "
                              "de uma só estação.");
        Layout fewerDigits = uncoded;
        fewerDigits.latitude = QStringLiteral("-23,4964");
        QTest::newRow("no codes, the place written with fewer digits")
            << uncoded << fewerDigits << QStringList() << QStringLiteral("read");
        QTest::newRow("one code only, the same place")
            << mirante << uncoded << QStringList() << QStringLiteral("read");
        Layout renamed = mirante;
        renamed.station = QStringLiteral("MIRANTE DE SANTANA");
        renamed.latitude = QStringLiteral("-23,5");
        QTest::newRow("the same code, renamed and placed anew")
            << mirante << renamed << QStringList() << QStringLiteral("read");
    }
    void filesOfOneStation()
    {
        QFETCH(Layout, first);
        QFETCH(Layout, second);
        QFETCH(QStringList, names);
        QFETCH(QString, message);
        QCOMPARE(messageOf({twoDaysFrom(QDate(2023, 1, 1), first),
                            twoDaysFrom(QDate(2023, 1, 3), second)},
                           names),
                 message);
    }

    void errorsNameTheFile_data()
    {
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("message");
        // The first file's lines start at line 10 with 01/01/2023 00:00 UTC.
        const QByteArray overlapping = twoDaysFrom(QDate(2023, 1, 2));
        QTest::newRow("an hour in two files")
            << overlapping << QStringList()
            << QStringLiteral("Arquivo 2, linha 10: a hora 00:00 UTC de 02/01/2023 aparece mais "
                              "de uma vez: também está na linha 34 do arquivo 1.");
        QTest::newRow("an hour in two files, named")
            << overlapping << QStringList{"a.csv", "b.csv"}
            << QStringLiteral("Arquivo \"b.csv\", linha 10: a hora 00:00 UTC de 02/01/2023 "
                              "aparece mais de uma vez: também está na linha 34 do arquivo "
                              "\"a.csv\".");
        QByteArray twice = twoDaysFrom(QDate(2023, 1, 3));
        twice.replace("2023/01/03;0100 UTC", "2023/01/03;0000 UTC");
        QTest::newRow("an hour twice in the second file")
            << twice << QStringList()
            << QStringLiteral("Arquivo 2, linha 11: a hora 00:00 UTC de 03/01/2023 aparece mais "
                              "de uma vez.");
        QByteArray notANumber = twoDaysFrom(QDate(2023, 1, 3));
        notANumber.replace("2023/01/03;0000 UTC;0,0;", "2023/01/03;0000 UTC;abc;");
        QTest::newRow("a field that is not a number")
            << notANumber << QStringList()
            << QStringLiteral("Arquivo 2, linha 10, campo \"PRECIPITAÇÃO TOTAL, HORÁRIO (mm)\": "
                              "\"abc\" não é um número.");
        QTest::newRow("not a station file")
            << QByteArray("Data;Valor\n2023/01/03;1\n") << QStringList{"a.csv", "notas.txt"}
            << QStringLiteral("Arquivo \"notas.txt\": o arquivo não é de dados horários de uma "
                              "estação do INMET: falta a linha de títulos das colunas "
                              "(\"Data;Hora UTC;...\").");
    }
    void errorsNameTheFile()
    {
        QFETCH(QByteArray, second);
        QFETCH(QStringList, names);
        QFETCH(QString, message);
        QCOMPARE(messageOf({twoDaysFrom(QDate(2023, 1, 1)), second}, names), message);
    }

    // One file reads as readInmetStationFile reads it, its messages naming no file.
    void oneFileNamesNone()
    {
        QByteArray twice = twoDaysFrom(QDate(2023, 1, 1));
        twice.replace("2023/01/01;0100 UTC", "2023/01/01;0000 UTC");
        QCOMPARE(messageOf({twice}, {QStringLiteral("a.csv")}),
                 QStringLiteral("Linha 11: a hora 00:00 UTC de 01/01/2023 aparece mais de uma "
                                "vez."));
    }
};

QTEST_GUILESS_MAIN(InmetStationFilesTest)
#include "tst_inmet_station_files.moc"
