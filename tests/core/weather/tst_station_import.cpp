// A station's records taken from their bytes to a year of the agriculture series: which kind
// of text they are in whatever encoding and line ends, whose station the fields then show,
// the years offered, the year laid out, its origin, and the problem shown when any step fails.
#include "core/base/LocaleSettings.h"
#include "core/weather/StationImport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace tavi;
using namespace tavi::eto;

Q_DECLARE_METATYPE(tavi::eto::StationSiteFields)

namespace
{

QString tenths(double v)
{
    return QString::number(std::round(v * 10) / 10, 'f', 1).replace('.', ',');
}

// INMET hours at São Paulo (UTC-3) from 1 to 3 January 2023, and the three hours of 4
// January (UTC) that end the third local day; written as the institute writes them, in
// Latin-1 with CRLF line ends.
QByteArray inmetHours()
{
    QString text = QStringLiteral(
        "REGIAO:;SE\r\nUF:;SP\r\nESTACAO:;SAO PAULO - MIRANTE\r\nCODIGO (WMO):;A701\r\n"
        "LATITUDE:;-23,5\r\nLONGITUDE:;-46,62\r\nALTITUDE:;785,64\r\n"
        "Data;Hora UTC;PRECIPITAÇÃO TOTAL, HORÁRIO (mm);RADIACAO GLOBAL (Kj/m²);TEMPERATURA "
        "DO AR - BULBO SECO, HORARIA (°C);UMIDADE RELATIVA DO AR, HORARIA (%);VENTO, "
        "VELOCIDADE HORARIA (m/s);\r\n");
    const double pi = 3.14159265358979323846;
    for (int hour = 0; hour < 3 * 24 + 3; ++hour) {
        const QDateTime utc(QDate(2023, 1, 1).startOfDay(Qt::UTC).addSecs(3600 * hour));
        const int end = (utc.time().hour() + 21) % 24 == 0 ? 24 : (utc.time().hour() + 21) % 24;
        const double daily = std::sin(2 * pi * (end - 10) / 24.0);
        const bool sun = end >= 6 && end <= 19;
        text += QStringList{utc.date().toString(QStringLiteral("yyyy/MM/dd")),
                            utc.time().toString(QStringLiteral("hhmm")) + QStringLiteral(" UTC"),
                            QStringLiteral("0"),
                            sun ? tenths(3000 * std::sin(pi * (end - 5.5) / 14)) : QString(),
                            tenths(23 + 5 * daily),
                            tenths(70 - 18 * daily),
                            tenths(2.2 + 1.4 * daily)}
                    .join(';') +
                QStringLiteral(";\r\n");
    }
    return text.toLatin1();
}

// Daily records of every day from `from` to `to`, 30 °C and 18 °C, 2 mm of rain on each
// tenth day and none on the others.
QString dailyRecords(const QDate &from, const QDate &to)
{
    QString text = QStringLiteral("Data;Tmax;Tmin;Chuva\n");
    for (QDate d = from; d <= to; d = d.addDays(1))
        text += d.toString(QStringLiteral("dd/MM/yyyy")) +
                (d.day() % 10 == 0 ? QStringLiteral(";30;18;2\n") : QStringLiteral(";30;18;0\n"));
    return text;
}

StationSiteFields typed(const QString &latitude = QStringLiteral("-15,8"),
                        const QString &altitude = QStringLiteral("1160"))
{
    return {QStringLiteral("Fazenda Boa Vista"), QString(), latitude, QStringLiteral("-47.9"),
            altitude};
}

// Gaps are left as the records have them, unless a test fills them.
ImportChoice choiceOf(const StationSiteFields &site, int year = 0,
                      LeapDayFill fill = LeapDayFill::CopyOfDay365,
                      GapFill gaps = {EtoGapFill::Empty, RainGapFill::Empty})
{
    ImportChoice choice;
    choice.site = site;
    choice.year = YearChoice::single(year);
    choice.series.leap = fill;
    choice.series.gaps = gaps;
    return choice;
}

// What a day of temperatures alone gives: Penman-Monteith with every estimate.
QString estimatedEverything(int days)
{
    return QStringLiteral("Penman–Monteith (%1 dias; ea de Tmin em %1, Rs de T em %1, vento 2 "
                          "m/s em %1)")
        .arg(days);
}

} // namespace

class StationImportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LocaleSettings::setCurrent(LocaleSettings::brazilian()); }

    // From the bytes read to the year offered first, laid out over the station that the file
    // names or the user typed; or the problem, in the words the dialog shows.
    void bytesBecomeAYearOrAProblem_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<StationSiteFields>("site"); // as typed
        QTest::addColumn<QList<int>>("years");
        QTest::addColumn<int>("offered");
        QTest::addColumn<QString>("methods");  // of the year offered, once laid out
        QTest::addColumn<QString>("latitude"); // as the origin keeps it
        QTest::addColumn<QString>("problem");

        QTest::newRow("INMET hours, Latin-1, CRLF")
            << inmetHours() << typed() << QList<int>{2023} << 2023
            << "Penman–Monteith (3 dias), sem dados (363 dias)"
            << "-23.5"
            << "";
        const QString year = dailyRecords(QDate(2021, 7, 1), QDate(2023, 2, 1));
        QTest::newRow("daily records, UTF-8 with a byte-order mark, CRLF")
            << "\xEF\xBB\xBF" + year.toUtf8().replace("\n", "\r\n") << typed()
            << QList<int>{2021, 2022, 2023} << 2022 << estimatedEverything(366) << "-15.8"
            << "";
        QTest::newRow("daily records, Latin-1 titles")
            << QStringLiteral("Data;Temperatura máxima;Temperatura mínima;Precipitação\n"
                              "01/01/2024;30;18;0\n02/01/2024;31;19;5\n")
                   .toLatin1()
            << typed() << QList<int>{2024} << 2024
            << estimatedEverything(2) + ", sem dados (364 dias)"
            << "-15.8"
            << "";
        QTest::newRow("daily records without a latitude")
            << year.toUtf8() << typed(QString()) << QList<int>{2021, 2022, 2023} << 2022 << ""
            << ""
            << "Informe a latitude da estação: os registros diários não a trazem, e a radiação "
               "que chega ao topo da atmosfera, e com ela a ETo, depende dela.";
        QTest::newRow("an altitude out of range")
            << year.toUtf8() << typed(QStringLiteral("-15,8"), QStringLiteral(" 9500 "))
            << QList<int>{2021, 2022, 2023} << 2022 << ""
            << ""
            << "A altitude da estação, \"9500\", não é um número entre -500 e 9000.";
        QTest::newRow("a latitude that is no number")
            << year.toUtf8() << typed(QStringLiteral("15°S")) << QList<int>{2021, 2022, 2023}
            << 2022 << ""
            << ""
            << "A latitude da estação, \"15°S\", não é um número entre -90 e 90.";
        QTest::newRow("no day with data")
            << QByteArray("Data;Tmax;Tmin;Chuva\n01/01/2023;;;\n02/01/2023;-;-;-\n") << typed()
            << QList<int>() << 0 << ""
            << ""
            << "Os dados da estação não têm nenhum dia com temperatura ou chuva.";
        QTest::newRow("not station records")
            << QByteArray("Relatório mensal\nnada aqui\n") << typed() << QList<int>() << 0 << ""
            << ""
            << "Linha 1: a coluna \"Relatório mensal\" não é conhecida";
    }
    void bytesBecomeAYearOrAProblem()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(StationSiteFields, site);
        QFETCH(QList<int>, years);
        QFETCH(int, offered);
        QFETCH(QString, methods);
        QFETCH(QString, latitude);
        QFETCH(QString, problem);
        StationImport import;
        import.read({bytes}, QStringList(), choiceOf(site));
        QCOMPARE(import.source(), QStringLiteral("Registros colados."));
        QCOMPARE(QList<int>(import.years().begin(), import.years().end()), years);
        QCOMPARE(import.offeredYear(), offered);
        QVERIFY2(problem.isEmpty() ? import.problem().isEmpty()
                                   : import.problem().startsWith(problem),
                 qPrintable(import.problem()));
        QCOMPARE(import.isLaidOut(), problem.isEmpty());
        if (!import.isLaidOut()) {
            QVERIFY(import.days().empty());
            QVERIFY(import.summary().isEmpty());
            return;
        }
        QCOMPARE(import.offeredYear(), offered);
        QCOMPARE(import.calendarYear(), offered);
        QCOMPARE(int(import.days().size()), 366);
        const SeriesOrigin origin = import.origin();
        QCOMPARE(origin.methods, methods);
        QCOMPARE(origin.latitude, latitude);
        QCOMPARE(origin.year, QString::number(import.calendarYear()));
    }

    // An INMET file names its station: the fields show it in the user's numbers and are not
    // typed; daily records read after it ask for theirs again, taking the file's name for a
    // name, rather than passing the file's place off as theirs.
    void theStationOfAFileIsNotTheNextRecords()
    {
        StationImport import;
        import.read({inmetHours()}, {QStringLiteral("/dados/A701_2023.CSV")}, choiceOf(typed()));
        QVERIFY(import.siteFromRecords());
        QCOMPARE(import.siteFields(),
                 (StationSiteFields{"SAO PAULO - MIRANTE", "A701", "-23,5", "-46,62", "785,64"}));
        QCOMPARE(import.source(), QDir::toNativeSeparators("/dados/A701_2023.CSV"));
        // The place typed does not matter while the file gives it.
        QVERIFY(!import.layOut(choiceOf(typed(QStringLiteral("10")), 2023)));
        QCOMPARE(import.origin().station, QStringLiteral("SAO PAULO - MIRANTE"));

        const QString records = dailyRecords(QDate(2022, 1, 1), QDate(2022, 12, 31));
        import.read({records.toUtf8()}, {QStringLiteral("/dados/fazenda.txt")},
                    choiceOf(import.siteFields()));
        QVERIFY(!import.siteFromRecords());
        QCOMPARE(import.siteFields(), (StationSiteFields{"fazenda", "", "", "", ""}));
        QVERIFY(import.problem().startsWith(QStringLiteral("Informe a latitude")));
        QVERIFY(import.hasRecords());

        StationSiteFields place = import.siteFields();
        place.latitude = QStringLiteral("-15.8");
        place.longitude = QStringLiteral("-47,9");
        place.altitude = QStringLiteral("1160");
        QVERIFY(import.layOut(choiceOf(place, 2022)));
        QVERIFY(import.isLaidOut());
        QCOMPARE(import.summary(),
                 QStringLiteral("Estação fazenda: latitude -15,8°, longitude -47,9°, altitude "
                                "1160 m. 2022: ") +
                     estimatedEverything(366) + QLatin1Char('.'));
        QCOMPARE(import.origin().altitude, QStringLiteral("1160"));

        // A name typed stays, whatever the file is called.
        place.name = QStringLiteral("  Sítio ");
        import.read({records.toUtf8()}, {QStringLiteral("/dados/outro.txt")}, choiceOf(place));
        QCOMPARE(import.siteFields().name, QStringLiteral("  Sítio "));
        QCOMPARE(import.origin().station, QStringLiteral("Sítio"));
    }

    // A change of year or of day 366 lays the records out again; the same choice does not.
    // Day 366 of a common year is empty or a copy of day 365; of a leap year, 31 December.
    void aChoiceLaysTheYearOutAgain()
    {
        StationImport import;
        const QString records = dailyRecords(QDate(2023, 1, 1), QDate(2024, 12, 31));
        import.readPasted(records, choiceOf(typed()));
        QCOMPARE(import.offeredYear(), 2023);
        QCOMPARE(import.length(), 366);
        QVERIFY(import.days()[365].eto);
        QVERIFY(!import.layOut(choiceOf(typed(), 2023)));

        QVERIFY(import.layOut(choiceOf(typed(), 2023, LeapDayFill::Empty)));
        QCOMPARE(import.length(), 365);
        QVERIFY(!import.days()[365].eto);
        QCOMPARE(import.origin().methods, estimatedEverything(365));
        QVERIFY(offersDay366Choice(2023));
        QCOMPARE(day366Caption(2023), QStringLiteral("Dia 366 (o ano tem 365 dias):"));

        QVERIFY(import.layOut(choiceOf(typed(), 2024, LeapDayFill::Empty)));
        QCOMPARE(import.length(), 366);
        QVERIFY(import.days()[365].eto);
        QVERIFY(!offersDay366Choice(2024));
        QCOMPARE(day366Caption(2024), QStringLiteral("Dia 366: 31/12 (ano bissexto)"));

        // A year the records do not reach leaves nothing to fill, and says what they cover.
        QVERIFY(import.layOut(choiceOf(typed(), 2020)));
        QVERIFY(!import.isLaidOut());
        QCOMPARE(import.problem(), QStringLiteral("Os dados da estação não cobrem o ano de 2020: "
                                                  "vão de 01/01/2023 a 31/12/2024."));
        // A coordinate typed wrong, then right.
        QVERIFY(import.layOut(choiceOf(typed(QStringLiteral("-91")), 2024)));
        QVERIFY(import.problem().contains(QStringLiteral("entre -90 e 90")));
        QVERIFY(import.layOut(choiceOf(typed(), 2024)));
        QVERIFY(import.isLaidOut());
        QVERIFY(import.problem().isEmpty());
        // A name typed after the lay-out goes into the origin.
        StationSiteFields named = typed();
        named.name = QStringLiteral("Sítio Novo");
        QVERIFY(import.layOut(choiceOf(named, 2024)));
        QCOMPARE(import.origin().station, QStringLiteral("Sítio Novo"));
    }

    // A file that cannot be read leaves no records from before behind, and names itself.
    void filesThatCannotBeRead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "nao-existe.csv"
                                 << "";
        QTest::newRow("a folder") << "pasta"
                                  << "é uma pasta, não um arquivo";
    }
    void filesThatCannotBeRead()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("pasta")));
        StationImport import;
        import.readPasted(dailyRecords(QDate(2023, 1, 1), QDate(2023, 3, 1)), choiceOf(typed()));
        QVERIFY(import.isLaidOut());
        const QString path = folder.filePath(name);
        import.readFile(path, choiceOf(typed()));
        const QString shown = QDir::toNativeSeparators(path);
        QCOMPARE(import.source(), shown);
        QVERIFY2(
            import.problem().startsWith(
                QStringLiteral("Não foi possível ler o arquivo \"%1\": %2").arg(shown, reason)),
            qPrintable(import.problem()));
        QVERIFY(import.problem().endsWith('.'));
        QVERIFY(!import.hasRecords());
        QVERIFY(!import.isLaidOut());
        QVERIFY(import.years().empty());
        QVERIFY(!import.layOut(choiceOf(typed(), 2023)));
    }

    void aFileIsReadAsItsBytes()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("A701_2023.CSV"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(inmetHours());
        file.close();
        StationImport import;
        import.readFile(path, choiceOf(StationSiteFields()));
        QVERIFY2(import.isLaidOut(), qPrintable(import.problem()));
        QCOMPARE(import.origin().code, QStringLiteral("A701"));
        QCOMPARE(import.source(), QDir::toNativeSeparators(path));
    }
};

QTEST_GUILESS_MAIN(StationImportTest)
#include "tst_station_import.moc"
