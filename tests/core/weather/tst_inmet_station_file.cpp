// INMET hourly station files, made up in the institute's layouts (support/InmetYear.h): hours
// gathered into local days, missing hours, encodings, the year laid out day by day, and the
// messages for files that cannot be read. Every expected figure is worked out from the hours
// written, by support/InmetDayByHand.h.
#include "core/base/TaviError.h"
#include "core/weather/InmetStationFile.h"
#include "core/weather/StationYear.h"

#include "support/InmetDayByHand.h"

#include <QTest>
#include <cmath>
#include <map>

using namespace tavi;
using namespace tavi::eto;
using namespace inmet;

namespace
{

bool same(const std::optional<long double> &read, double expected)
{
    if (!read)
        return std::isnan(expected);
    return std::fabs(static_cast<double>(*read) - expected) < 1e-9;
}

// A small valid file in the modern layout, to be broken line by line.
QString twoDays()
{
    QString text = QStringLiteral("REGIAO:;SE\nUF:;SP\nESTACAO:;SAO PAULO - MIRANTE\n"
                                  "CODIGO (WMO):;A701\nLATITUDE:;-23,49638888\n"
                                  "LONGITUDE:;-46,62\nALTITUDE:;785,64\n");
    text += QString::fromUtf8(kModernTitles) + QLatin1Char('\n');
    for (int hour = 0; hour < 48; ++hour)
        text += QStringLiteral("2023/01/%1;%2 UTC;0;923,4;923,6;923,1;1500;22,5;15,1;23;22;16;"
                               "15;80;70;75;120;5,1;2,1;\n")
                    .arg(1 + hour / 24, 2, 10, QLatin1Char('0'))
                    .arg(hour % 24 * 100, 4, 10, QLatin1Char('0'));
    return text;
}

const QString kTMaxTitle = QStringLiteral("TEMPERATURA MÁXIMA NA HORA ANT. (AUT) (°C)");

} // namespace

class InmetStationFileTest : public QObject
{
    Q_OBJECT

private slots:
    void gathersHoursIntoLocalDays_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("latin1");
        QTest::addColumn<bool>("older");
        QTest::newRow("leap year, UTF-8, newer layout") << 2024 << false << false;
        QTest::newRow("common year, Latin-1, older layout, -9999") << 2023 << true << true;
        QTest::newRow("leap year, Latin-1, newer layout") << 2020 << true << false;
        QTest::newRow("common year, UTF-8, older layout") << 2019 << false << true;
    }
    void gathersHoursIntoLocalDays()
    {
        QFETCH(int, year);
        QFETCH(bool, latin1);
        QFETCH(bool, older);
        HoursByDay hours;
        const QString name = QStringLiteral("SÃO PAULO - MIRANTE");
        const StationSeries series =
            readInmetStationFile(stationFile(year, {latin1, older, name}, &hours));

        QCOMPARE(series.site.name, name);
        QCOMPARE(series.site.code, QStringLiteral("A701"));
        QVERIFY(std::fabs(static_cast<double>(series.site.latitude) - kLatitude) < 1e-12);
        QVERIFY(std::fabs(static_cast<double>(series.site.longitude) - kLongitude) < 1e-12);
        QVERIFY(std::fabs(static_cast<double>(series.site.altitude) - kAltitude) < 1e-12);

        // From the last evening of the year before (its 4 hours, too few for anything) to
        // 31 December, whose last 4 hours are in next year's file.
        QCOMPARE(series.days.size(), hours.size());
        QCOMPARE(series.days.front().date, QDate(year - 1, 12, 31));
        QCOMPARE(series.days.back().date, QDate(year, 12, 31));
        const std::vector<YearDay> laidOut = stationYear(series, year, LeapDayFill::Empty);
        for (const DailyRecord &r : series.days) {
            const Expected e = expectedDay(r.date, hours[r.date]);
            const QString where = r.date.toString(Qt::ISODate);
            const QString wrong = mismatch(r, e);
            QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
            QCOMPARE(static_cast<double>(r.windHeight), 10.0);
            if (r.date.year() != year)
                continue;
            const YearDay &day = laidOut[static_cast<std::size_t>(r.date.dayOfYear() - 1)];
            QVERIFY2(int(day.method) == e.method, qPrintable(where));
            QVERIFY2(same(day.eto, e.eto), qPrintable(QStringLiteral("%1: ETo %2, by hand %3")
                                                          .arg(where, shown(day.eto))
                                                          .arg(e.eto)));
            QVERIFY(same(day.rainfall, e.rain));
        }
        // The spoilt days took the paths they were made for.
        const auto day = [&](int j) {
            const DailyRecord &r = series.days[static_cast<std::size_t>(j)]; // from 31 December
            return dailyEto(r, series.site);
        };
        QCOMPARE(day(21).method, Method::Missing);
        QCOMPARE(day(20).method, Method::PenmanMonteith);
        QVERIFY(day(25).interpolatedHours >= 2);
        QVERIFY(!day(30).estimates.radiationFromTemperature);
        QVERIFY(day(31).estimates.radiationFromTemperature);
        QVERIFY(day(40).estimates.defaultWind);
        QVERIFY(day(60).estimates.vapourFromTMin);
        QVERIFY(!laidOut[69].rainfall);
    }

    // The portal's export: its own header lines and titles, decimal points, "null".
    void readsThePortalExport()
    {
        QString text = QStringLiteral("Nome: SAO PAULO - MIRANTE\nCodigo Estacao: A701\n"
                                      "Latitude: -23.49638888\nLongitude: -46.62\n"
                                      "Altitude: 785.64\nSituacao: Operante\n\n"
                                      "Data Medicao;Hora Medicao;PRECIPITACAO TOTAL, HORARIO(mm);"
                                      "TEMPERATURA DO AR - BULBO SECO, HORARIA(°C);"
                                      "UMIDADE RELATIVA DO AR, HORARIA(%);\n");
        for (int hour = 0; hour < 24; ++hour)
            text += QStringLiteral("2023-01-02;%1;%2;%3;null;\n")
                        .arg(hour * 100, 4, 10, QLatin1Char('0'))
                        .arg(hour == 16 ? QStringLiteral("2.5") : QStringLiteral("null"))
                        .arg(20 + hour % 12);
        const StationSeries series = readInmetStationFile(text.toUtf8());
        QCOMPARE(series.site.name, QStringLiteral("SAO PAULO - MIRANTE"));
        QCOMPARE(series.site.code, QStringLiteral("A701"));
        QCOMPARE(static_cast<double>(series.site.altitude), 785.64);
        // 2 January local takes the hours ending 04:00 to 23:00 UTC: 20 readings.
        QCOMPARE(series.days.size(), std::size_t(2));
        const DailyRecord &day = series.days[1];
        QCOMPARE(day.date, QDate(2023, 1, 2));
        QCOMPARE(static_cast<double>(*day.tMax), 31.0);
        QCOMPARE(static_cast<double>(*day.tMin), 20.0);
        QVERIFY(!day.rhMean);
        QVERIFY(!day.rainfall); // one hour of 20 measured
    }

    void dayThreeHundredSixtySix_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("fill");
        QTest::addColumn<bool>("copied");
        QTest::addColumn<bool>("present");
        QTest::newRow("leap year, its own day 366")
            << 2024 << int(LeapDayFill::Empty) << false << true;
        QTest::newRow("leap year, never copied")
            << 2024 << int(LeapDayFill::CopyOfDay365) << false << true;
        QTest::newRow("common year, left empty")
            << 2023 << int(LeapDayFill::Empty) << false << false;
        QTest::newRow("common year, copy of day 365")
            << 2023 << int(LeapDayFill::CopyOfDay365) << true << true;
    }
    void dayThreeHundredSixtySix()
    {
        QFETCH(int, year);
        QFETCH(int, fill);
        QFETCH(bool, copied);
        QFETCH(bool, present);
        HoursByDay hours;
        const StationSeries series =
            readInmetStationFile(stationFile(year, {false, false, QStringLiteral("X")}, &hours));
        const std::vector<YearDay> days = stationYear(series, year, LeapDayFill(fill));
        QCOMPARE(days.size(), std::size_t(366));
        QCOMPARE(days[365].eto.has_value(), present);
        QCOMPARE(days[365].rainfall.has_value(), present);
        if (present)
            QCOMPARE(days[365].eto == days[364].eto, copied);
        else
            QCOMPARE(days[365].method, Method::Missing);
    }

    void yearNotInTheFile()
    {
        HoursByDay hours;
        const StationSeries series =
            readInmetStationFile(stationFile(2023, {false, false, QStringLiteral("X")}, &hours));
        // 2022 has only the 4 hours of its last evening: not a year of data.
        for (int year : {2022, 2024}) {
            try {
                stationYear(series, year, LeapDayFill::Empty);
                QFAIL("laid out");
            } catch (const TaviError &e) {
                QCOMPARE(e.message(), QStringLiteral("Os dados da estação não cobrem o ano de "
                                                     "%1: vão de 01/01/2023 a 31/12/2023.")
                                          .arg(year));
            }
        }
    }

    void refusesWhatItCannotRead_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("latin1");
        QTest::addColumn<QString>("message");
        const QString firstRow =
            QStringLiteral("2023/01/01;0000 UTC;0;923,4;923,6;923,1;1500;22,5;15,1;23;22;");
        QTest::newRow("not a number")
            << firstRow
            << QStringLiteral("2023/01/01;0000 UTC;0;923,4;923,6;923,1;1500;22,5;15,1;"
                              "abc;22;")
            << false
            << QStringLiteral("Linha 9, campo \"%1\": \"abc\" não é um número.").arg(kTMaxTitle);
        QTest::newRow("Latin-1 titles come back with their accents")
            << firstRow
            << QStringLiteral("2023/01/01;0000 UTC;0;923,4;923,6;923,1;1500;22,5;15,1;"
                              "2x3;22;")
            << true
            << QStringLiteral("Linha 9, campo \"%1\": \"2x3\" não é um número.").arg(kTMaxTitle);
        QTest::newRow("Fahrenheit")
            << firstRow
            << QStringLiteral("2023/01/01;0000 UTC;0;923,4;923,6;923,1;1500;72,5;15,1;"
                              "23;22;")
            << false
            << QStringLiteral("Linha 9, campo \"TEMPERATURA DO AR - BULBO SECO, HORARIA (°C)\": "
                              "72,5 °C está fora da faixa plausível (-60 a 60 °C); confira a "
                              "unidade.");
        QTest::newRow("humidity above 100")
            << QStringLiteral(";80;70;75;120;5,1;2,1;\n2023/01/01;0200")
            << QStringLiteral(";80;70;101;120;5,1;2,1;\n2023/01/01;0200") << false
            << QStringLiteral("Linha 10, campo \"UMIDADE RELATIVA DO AR, HORARIA (%)\": 101 % "
                              "está fora da faixa plausível (0 a 100 %); confira a unidade.");
        QTest::newRow("radiation in W/m² would not be kJ, in J far beyond")
            << firstRow
            << QStringLiteral("2023/01/01;0000 UTC;0;923,4;923,6;923,1;1500000;22,5;"
                              "15,1;23;22;")
            << false
            << QStringLiteral("Linha 9, campo \"RADIACAO GLOBAL (Kj/m²)\": 1500000 kJ/m² está "
                              "fora da faixa plausível (-1000 a 5000 kJ/m²); confira a unidade.");
        QTest::newRow("bad date")
            << QStringLiteral("2023/01/02;0500") << QStringLiteral("2023/02/30;0500") << false
            << QStringLiteral(
                   "Linha 38, campo \"Data\": \"2023/02/30\" não é uma data (AAAA/MM/DD ou "
                   "AAAA-MM-DD).");
        QTest::newRow("bad hour")
            << QStringLiteral("2023/01/01;0100 UTC") << QStringLiteral("2023/01/01;0130 UTC")
            << false
            << QStringLiteral(
                   "Linha 10, campo \"Hora UTC\": \"0130 UTC\" não é uma hora (0000 UTC ou "
                   "00:00).");
        QTest::newRow("an hour twice")
            << QStringLiteral("2023/01/01;0100 UTC") << QStringLiteral("2023/01/01;0000 UTC")
            << false
            << QStringLiteral("Linha 10: a hora 00:00 UTC de 01/01/2023 aparece mais de "
                              "uma vez.");
        QTest::newRow("no column titles")
            << QStringLiteral("Data;Hora UTC") << QStringLiteral("Dia;Hora UTC") << false
            << QStringLiteral("O arquivo não é de dados horários de uma estação do INMET: falta a "
                              "linha de títulos das colunas (\"Data;Hora UTC;...\").");
        QTest::newRow("no latitude")
            << QStringLiteral("LATITUDE:;-23,49638888\n") << QString() << false
            << QStringLiteral("O cabeçalho do arquivo não informa a latitude da estação.");
        QTest::newRow("latitude out of range")
            << QStringLiteral("LATITUDE:;-23,49638888") << QStringLiteral("LATITUDE:;-123,4")
            << false
            << QStringLiteral(
                   "Linha 5: a latitude da estação, \"-123,4\", não é um número entre -90 e 90.");
        QTest::newRow("no temperature column")
            << QStringLiteral("BULBO SECO, HORARIA (°C);TEMPERATURA DO PONTO DE ORVALHO (°C);"
                              "TEMPERATURA MÁXIMA NA HORA ANT. (AUT) (°C);TEMPERATURA MÍNIMA")
            << QStringLiteral("BULBO ÚMIDO (°C);TEMPERATURA DO PONTO DE ORVALHO (°C);TEMP. MÁX. "
                              "(°C);TEMP. MÍN.")
            << false
            << QStringLiteral("Linha 8: o arquivo não tem coluna de temperatura do ar "
                              "(\"TEMPERATURA DO AR - BULBO SECO\" ou as temperaturas máxima e "
                              "mínima na hora).");
    }
    void refusesWhatItCannotRead()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, latin1);
        QFETCH(QString, message);
        QString text = twoDays();
        const qsizetype at = text.indexOf(from);
        QVERIFY(at >= 0);
        text.replace(at, from.size(), to);
        try {
            readInmetStationFile(latin1 ? text.toLatin1() : text.toUtf8());
            QFAIL("read");
        } catch (const TaviError &e) {
            QCOMPARE(e.message(), message);
        }
    }

    void titlesOnlyIsNoData()
    {
        QString text = twoDays();
        text.truncate(text.indexOf(QStringLiteral("2023/01/01")));
        QVERIFY_THROWS_EXCEPTION(TaviError, readInmetStationFile(text.toUtf8()));
    }
};

QTEST_GUILESS_MAIN(InmetStationFileTest)
#include "tst_inmet_station_file.moc"
