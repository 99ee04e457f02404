// A station's year written into the agriculture series: only ETP and P, in one step, and the
// question asked before a fill that would empty days holding values.
#include "core/sectors/agriculture/SeriesFromStation.h"
#include "core/sectors/catalogue/AgricultureTables.h"

#include <QSignalSpy>
#include <QTest>

using namespace tavi;
using namespace tavi::agriculture;
using tavi::eto::Method;
using tavi::eto::YearDay;

class SeriesFromStationTest : public QObject
{
    Q_OBJECT

private slots:
    // The series is written in one step: views redraw once, a study sees one change.
    void writesEtpAndRainfallInOneStep()
    {
        OwnedTables tables;
        writeDefaults(tables.tables(), QLatin1Char(','));
        CellTable &serie = *tables.tables().serie;
        serie.setCell(kEffectiveRainColumn, 3, QStringLiteral("kept"));
        std::vector<YearDay> days(366);
        days[0] = {Method::PenmanMonteith, 4.5L, 0.0L};
        days[2] = {Method::HargreavesSamani, 5.256L, std::nullopt};
        days[365] = {Method::PenmanMonteith, 3.0L, 12.34L};
        QSignalSpy changes(&serie, &CellTable::dataChanged);
        writeSeries(serie, days, LocaleSettings::brazilian());
        QCOMPARE(changes.size(), 1);
        QCOMPARE(serie.cell(kEtpColumn, 1), QStringLiteral("4,5"));
        QCOMPARE(serie.cell(kRainColumn, 1), QStringLiteral("0"));
        QCOMPARE(serie.cell(kEtpColumn, 2), QString());
        QCOMPARE(serie.cell(kRainColumn, 2), QString());
        QCOMPARE(serie.cell(kEtpColumn, 3), QStringLiteral("5,26"));
        QCOMPARE(serie.cell(kRainColumn, 3), QString());
        QCOMPARE(serie.cell(kEtpColumn, 366), QStringLiteral("3"));
        QCOMPARE(serie.cell(kRainColumn, 366), QStringLiteral("12,34"));
        // Only ETP and P are the station's: the labels and the other column stay.
        QCOMPARE(serie.cell(kDayColumn, 3), QStringLiteral("03"));
        QCOMPARE(serie.cell(kEffectiveRainColumn, 3), QStringLiteral("kept"));
    }

    // A fill counts the days that hold an ETP or a P today and would be left empty: records
    // of three days over a typed year would blank 363 of them.
    void countsTheDaysAFillWouldEmpty()
    {
        OwnedTables tables;
        writeDefaults(tables.tables(), QLatin1Char(','));
        CellTable &serie = *tables.tables().serie;
        for (int day = 1; day <= kDays; ++day) {
            serie.setCell(kEtpColumn, day, QStringLiteral("5"));
            serie.setCell(kRainColumn, day, QStringLiteral("0"));
        }
        std::vector<YearDay> days(366);
        for (int d = 0; d < 3; ++d)
            days[std::size_t(d)] = {Method::HargreavesSamani, 4.0L, 1.0L};
        QCOMPARE(daysEmptiedByFill(serie, days), 363);
        // A day losing only its rainfall counts; a day already empty does not.
        days.assign(366, YearDay{Method::PenmanMonteith, 4.0L, 0.0L});
        days[99].rainfall.reset();
        days[199] = YearDay{};
        serie.setCell(kEtpColumn, 200, QString());
        serie.setCell(kRainColumn, 200, QStringLiteral("  "));
        QCOMPARE(daysEmptiedByFill(serie, days), 1);
    }
    void theQuestionCountsTheDays()
    {
        QCOMPARE(emptyingQuestion(0), QString());
        QVERIFY(emptyingQuestion(1).startsWith(QStringLiteral("O preenchimento deixará vazio 1 "
                                                              "dia que hoje tem valores")));
        QVERIFY(emptyingQuestion(363).startsWith(
            QStringLiteral("O preenchimento deixará vazios 363 dias que hoje têm valores")));
        OwnedTables tables;
        writeDefaults(tables.tables(), QLatin1Char(','));
        std::vector<YearDay> days(366, YearDay{Method::PenmanMonteith, 4.0L, 0.0L});
        QCOMPARE(fillQuestion(*tables.tables().serie, days), QString());
        days[9] = YearDay{};
        QCOMPARE(fillQuestion(*tables.tables().serie, days), emptyingQuestion(1));
    }
};

QTEST_GUILESS_MAIN(SeriesFromStationTest)
#include "tst_series_from_station.moc"
