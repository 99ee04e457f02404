// Daily station records pasted as text: layouts, separators, missing values and the messages
// for what cannot be read.
#include "core/base/TaviError.h"
#include "core/weather/DailyWeatherText.h"

#include <QTest>

using namespace tavi;
using namespace tavi::eto;

namespace
{

QString shown(const std::optional<long double> &v)
{
    return v ? QString::number(static_cast<double>(*v), 'g', 10) : QStringLiteral("-");
}

// One record as a line of "name value" pairs, missing values as "-".
QString describe(const DailyRecord &r)
{
    return QStringLiteral("%1 tmax %2 tmin %3 ur %4 urmax %5 urmin %6 orv %7 vento %8 a %9 "
                          "rs %10 n %11 chuva %12")
        .arg(r.date.toString(Qt::ISODate), shown(r.tMax), shown(r.tMin), shown(r.rhMean),
             shown(r.rhMax), shown(r.rhMin), shown(r.dewPoint), shown(r.windSpeed),
             shown(r.windHeight))
        .arg(shown(r.solarRadiation), shown(r.sunshineHours), shown(r.rainfall));
}

} // namespace

class DailyWeatherTextTest : public QObject
{
    Q_OBJECT

private slots:
    void readsTheDays_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("days");
        QTest::newRow("fixed order, tabs, decimal comma")
            << QStringLiteral("06/07/2023\t21,5\t12,3\t73,5\t2,78\t10\t22,07\t0\n"
                              "07/07/2023\t23\t13\t70\t1,5\t10\t25\t3,2\n")
            << QStringList{
                   "2023-07-06 tmax 21.5 tmin 12.3 ur 73.5 urmax - urmin - orv - vento 2.78 a 10 "
                   "rs 22.07 n - chuva 0",
                   "2023-07-07 tmax 23 tmin 13 ur 70 urmax - urmin - orv - vento 1.5 a 10 rs 25 "
                   "n - chuva 3.2"};
        QTest::newRow("fixed order, semicolons, decimal point, trailing columns left out, CRLF")
            << QStringLiteral("2023-07-06;21.5;12.3;73.5\r\n2023/07/07;23;13\r\n")
            << QStringList{"2023-07-06 tmax 21.5 tmin 12.3 ur 73.5 urmax - urmin - orv - vento - "
                           "a 2 rs - n - chuva -",
                           "2023-07-07 tmax 23 tmin 13 ur - urmax - urmin - orv - vento - a 2 rs "
                           "- n - chuva -"};
        QTest::newRow("titles in another order, sunshine and dew point")
            << QStringLiteral("Data;Chuva (mm);Insolação (h);Tmín;Tmáx;Orvalho;Vento\n"
                              "6/7/2023;1,2;9,25;12,3;21,5;9,8;3\n")
            << QStringList{"2023-07-06 tmax 21.5 tmin 12.3 ur - urmax - urmin - orv 9.8 vento 3 "
                           "a 2 rs - n 9.25 chuva 1.2"};
        QTest::newRow("long titles, any case, RHmax and RHmin, wind height")
            << QStringLiteral("DATA\tTemperatura Máxima (°C)\ttemperatura minima\tUmidade "
                              "Relativa Máxima\tUR MIN\tVento (m/s)\tAltura do vento\tRadiação\t"
                              "Precipitação\n"
                              "06/07/2023\t21,5\t12,3\t84\t63\t2,78\t10\t22,07\t0\n")
            << QStringList{"2023-07-06 tmax 21.5 tmin 12.3 ur - urmax 84 urmin 63 orv - vento "
                           "2.78 a 10 rs 22.07 n - chuva 0"};
        QTest::newRow("empty, dash and -9999 are missing; days come out in date order")
            << QStringLiteral("08/07/2023;;-;-9999;;;;-9999,0\n"
                              "\n"
                              "06/07/2023;20;10;;;;;5\n")
            << QStringList{"2023-07-06 tmax 20 tmin 10 ur - urmax - urmin - orv - vento - a 2 rs "
                           "- n - chuva 5",
                           "2023-07-08 tmax - tmin - ur - urmax - urmin - orv - vento - a 2 rs - "
                           "n - chuva -"};
    }
    void readsTheDays()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, days);
        QStringList read;
        for (const DailyRecord &r : readDailyRecords(text))
            read << describe(r);
        QCOMPARE(read, days);
    }

    void refusesWhatItCannotRead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a number")
            << QStringLiteral("06/07/2023;21,5;12,3\n07/07/2023;abc;12\n")
            << QStringLiteral("Linha 2, campo \"Tmax\": \"abc\" não é um número.");
        QTest::newRow("grouped number")
            << QStringLiteral("Data;Chuva\n06/07/2023;1.200,5\n")
            << QStringLiteral("Linha 2, campo \"Chuva\": \"1.200,5\" não é um número.");
        QTest::newRow("Fahrenheit temperatures")
            << QStringLiteral("06/07/2023;75,2;54,1\n")
            << QStringLiteral("Linha 1, campo \"Tmax\": 75,2 °C está fora da faixa plausível "
                              "(-60 a 60 °C); confira a unidade.");
        QTest::newRow("humidity as a fraction above 100")
            << QStringLiteral("Data;Tmax;Tmin;UR\n06/07/2023;21;12;140\n")
            << QStringLiteral("Linha 2, campo \"UR\": 140 % está fora da faixa plausível (0 a "
                              "100 %); confira a unidade.");
        QTest::newRow("radiation in kJ")
            << QStringLiteral("06/07/2023;21;12;70;2;2;22070;0\n")
            << QStringLiteral("Linha 1, campo \"Radiação\": 22070 MJ/m² está fora da faixa "
                              "plausível (0 a 50 MJ/m²); confira a unidade.");
        QTest::newRow("Tmin above Tmax")
            << QStringLiteral("Data;Tmin;Tmax\n06/07/2023;21,5;12,3\n")
            << QStringLiteral("Linha 2: a temperatura mínima é maior que a máxima; as colunas "
                              "estão trocadas?");
        QTest::newRow("bad date")
            << QStringLiteral("Data;Tmax\n31/02/2023;21\n")
            << QStringLiteral(
                   "Linha 2, campo \"Data\": \"31/02/2023\" não é uma data (DD/MM/AAAA ou "
                   "AAAA-MM-DD).");
        QTest::newRow("repeated day")
            << QStringLiteral("06/07/2023;21\n2023-07-07;22\n2023-07-06;23\n")
            << QStringLiteral("Linha 3: o dia 06/07/2023 já apareceu na linha 1.");
        QTest::newRow("unknown column")
            << QStringLiteral("Data;Tmax;Pressão\n")
            << QStringLiteral("Linha 1: a coluna \"Pressão\" não é conhecida; as colunas são "
                              "Data, Tmax, Tmin, UR, URmax, URmin, Orvalho, Vento, Altura do "
                              "vento, Radiação, Insolação e Chuva.");
        QTest::newRow("same column twice")
            << QStringLiteral("Data;Tmax;Temperatura máxima\n")
            << QStringLiteral(
                   "Linha 1: as colunas \"Tmax\" e \"Temperatura máxima\" dizem a mesma coisa.");
        QTest::newRow("date not first")
            << QStringLiteral("Tmax;Data\n")
            << QStringLiteral("Linha 1: a primeira coluna deve ser a Data.");
        QTest::newRow("titles only") << QStringLiteral("Data;Tmax\n\n")
                                     << QStringLiteral("Não há nenhum dia nos dados colados.");
    }
    void refusesWhatItCannotRead()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        try {
            readDailyRecords(text);
            QFAIL("read");
        } catch (const TaviError &e) {
            QCOMPARE(e.message(), message);
        }
    }
};

QTEST_GUILESS_MAIN(DailyWeatherTextTest)
#include "tst_daily_weather_text.moc"
