// The agriculture window's default tables and its crop calendar, on tables of their own.
#include "core/base/TaviError.h"
#include "core/numbers/NumberText.h"
#include "core/sectors/agriculture/AgricultureCalendar.h"

#include <QTest>

using namespace tavi;
using namespace tavi::agriculture;

namespace
{

// The default crop table as a user reads it in a decimal-comma locale.
const char *const kCropTexts[kClasses][kEntradaColumns] = {
    {"    A", "   360", "   dias", "   90", "   0,4", "   90", "   0,65", "   90", "   1,15",
     "   90", "   0,4"},
    {"    B", "   90", "   dias", "   20", "   0,35", "   30", "   0,65", "   30", "   1,15",
     "   10", "   0,7"},
    {"    C", "   180", "   dias", "   30", "   0,4", "   50", "   0,65", "   55", "   1,15",
     "   45", "   0,65"},
    {"    D", "   360", "   dias", "   60", "   0,75", "   90", "   0,65", "   90", "   0,65",
     "   120", "   0,75"},
    {"    E", "   360", "   dias", "   90", "   1", "   90", "   1", "   90", "   1", "   90",
     "   1"},
    {"    F", "   130", "   dias", "   25", "   0,45", "   35", "   0,65", "   40", "   1,1",
     "   30", "   0,55"},
    {"    G", "   100", "   dias", "   30", "   1,2", "   20", "   1", "   20", "   1", "   30",
     "   1,05"},
    {"    H", "   360", "   dias", "   90", "   0,95", "   90", "   0,95", "   90", "   0,95",
     "   90", "   0,95"},
    {"    I", "   120", "   dias", "   30", "   0,7", "   40", "   0,8", "   40", "   1,1", "   10",
     "   0,6"},
};

// Planting start, area and efficiency of each class, decimal-comma form.
const char *const kParamTexts[kClasses][kParamRows] = {
    {"   1", "   20", "   0,7"},  {"   10", "   10", "   0,7"}, {"   20", "   50", "   0,6"},
    {"   1", "   30", "   0,6"},  {"   1", "   25", "   0,7"},  {"   10", "   10", "   0,7"},
    {"   50", "   10", "   0,6"}, {"   1", "   10", "   0,6"},  {"   50", "   10", "   0,65"},
};

QString inLocale(const char *commaText, QChar decimalSeparator)
{
    QString text = QString::fromLatin1(commaText);
    text.replace(QLatin1Char(','), decimalSeparator);
    return text;
}

enum Class { A, B, C, D, E, F, G, H, I };

} // namespace

class AgricultureTablesTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<OwnedTables> owned;
    const Tables &t() const { return owned->tables(); }
    QString counter(int k, int day) const { return t().classes[k]->cell(kCounterColumn, day); }
    QString kc(int k, int day) const { return t().classes[k]->cell(kKcColumn, day); }
    QString phaseKc(int k, int phase) const
    {
        return t().entrada->cell(kPhaseColumn + 2 * phase + 1, k);
    }

private slots:
    void init()
    {
        LocaleSettings::setCurrent(LocaleSettings::decimalPoint());
        owned = std::make_unique<OwnedTables>();
        writeDefaults(t(), QLatin1Char('.'));
    }

    void defaultTexts_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::newRow("decimal comma") << QChar(QLatin1Char(','));
        QTest::newRow("decimal point") << QChar(QLatin1Char('.'));
        QTest::newRow("arabic decimal separator") << QChar(0x066B);
    }
    void defaultTexts()
    {
        QFETCH(QChar, separator);
        writeDefaults(t(), separator);
        for (int k = 0; k < kClasses; ++k) {
            for (int c = 0; c < kEntradaColumns; ++c)
                QCOMPARE(t().entrada->cell(c, k), inLocale(kCropTexts[k][c], separator));
            for (int row = 0; row < kParamRows; ++row)
                QCOMPARE(t().param->cell(k, row), inLocale(kParamTexts[k][row], separator));
        }
        const QStringList serieHeaders = {"Dia", "ETP(mm/dia)", "P(mm/dia)", "Pef(mm/dia)"};
        const QStringList classHeaders = {"DI(mm/dia)", "DE(m3/dia)", "DB(m3/dia)", "Kc",
                                          "Contador"};
        for (int c = 0; c < kSerieColumns; ++c)
            QCOMPARE(t().serie->cell(c, 0), serieHeaders[c]);
        for (CellTable *grid : t().classes) {
            for (int c = 0; c < kClassColumns; ++c)
                QCOMPARE(grid->cell(c, 0), classHeaders[c]);
        }
        // Every series and result cell starts at "0", day 366 included; the total has no
        // header, so its first row is day 1.
        const QString zero = QStringLiteral("0");
        for (int day = 1; day <= kDays; ++day) {
            for (int c = 1; c < kSerieColumns; ++c)
                QCOMPARE(t().serie->cell(c, day), zero);
            for (CellTable *grid : t().classes) {
                for (int c = 0; c < kClassColumns; ++c)
                    QCOMPARE(grid->cell(c, day), zero);
            }
            QCOMPARE(t().total->cell(0, day - 1), zero);
        }
        QCOMPARE(t().serie->cell(kDayColumn, 1), QStringLiteral("01"));
        QCOMPARE(t().serie->cell(kDayColumn, 9), QStringLiteral("09"));
        QCOMPARE(t().serie->cell(kDayColumn, 10), QStringLiteral("10"));
        QCOMPARE(t().serie->cell(kDayColumn, 366), QStringLiteral("366"));
    }

    void defaultPeriodsAreTheSumOfThePhases()
    {
        for (int k = 0; k < kClasses; ++k) {
            long double sum = 0;
            for (int p = 0; p < 4; ++p)
                sum += textToNumber(t().entrada->cell(kPhaseColumn + 2 * p, k));
            QCOMPARE(double(sum), double(textToNumber(t().entrada->cell(kPeriodColumn, k))));
        }
    }

    void shapes()
    {
        // Day 366 is stored below the last row a view shows; the total shows it.
        QCOMPARE(t().serie->storedRows(), 367);
        QCOMPARE(t().serie->rowCount(), 365);
        QCOMPARE(t().classes[I]->storedRows(), 367);
        QCOMPARE(t().total->storedRows(), 366);
        QVERIFY(!t().total->hasHeaderRow());
        QCOMPARE(t().total->rowCount(), 366);
    }

    void countersFollowThePlantingStart_data()
    {
        QTest::addColumn<int>("cls");
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("expected");
        QTest::newRow("G before planting") << int(G) << 49 << "0";
        QTest::newRow("G planting day") << int(G) << 50 << "1";
        QTest::newRow("G next day") << int(G) << 51 << "2";
        QTest::newRow("G past its period, no wrap") << int(G) << 366 << "317";
        QTest::newRow("A day 1") << int(A) << 1 << "1";
        QTest::newRow("A day 9") << int(A) << 9 << "9";
        QTest::newRow("A day 366") << int(A) << 366 << "366";
        QTest::newRow("B day 9") << int(B) << 9 << "0";
        QTest::newRow("B day 10") << int(B) << 10 << "1";
    }
    void countersFollowThePlantingStart()
    {
        QFETCH(int, cls);
        QFETCH(int, day);
        QFETCH(QString, expected);
        runCropCalendar(t());
        QCOMPARE(counter(cls, day), expected);
    }

    void kcFollowsThePhases_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("phase"); // -1: outside the crop, "0"
        // Class G: start 50, period 100, phases 30, 20, 20, 30.
        QTest::newRow("before planting") << 49 << -1;
        QTest::newRow("first day") << 50 << 0;
        QTest::newRow("last day of phase 1") << 79 << 0;
        QTest::newRow("first day of phase 2") << 80 << 1;
        QTest::newRow("last day of phase 2") << 99 << 1;
        QTest::newRow("first day of phase 3") << 100 << 2;
        QTest::newRow("last day of phase 3") << 119 << 2;
        QTest::newRow("first day of phase 4") << 120 << 3;
        QTest::newRow("last day of the period") << 149 << 3;
        QTest::newRow("after harvest") << 150 << -1;
        QTest::newRow("day 366") << 366 << -1;
    }
    void kcFollowsThePhases()
    {
        QFETCH(int, day);
        QFETCH(int, phase);
        runCropCalendar(t());
        QCOMPARE(kc(G, day), phase < 0 ? QStringLiteral("0") : phaseKc(G, phase));
    }

    void kcIsCopiedWithItsBlanks()
    {
        runCropCalendar(t());
        QCOMPARE(kc(G, 50), QStringLiteral("   1.2"));
        QCOMPARE(kc(G, 80), QStringLiteral("   1"));
        QCOMPARE(kc(G, 149), QStringLiteral("   1.05"));
        QCOMPARE(kc(A, 1), QStringLiteral("   0.4"));
        QCOMPARE(kc(A, 361), QStringLiteral("0"));
    }

    void thePeriodEndsTheCropWhateverThePhasesAddUpTo()
    {
        // Phases longer than the period: the period cuts phase 4 (and here phase 3) short.
        t().entrada->setCell(kPeriodColumn, A, QStringLiteral("200"));
        runCropCalendar(t());
        QCOMPARE(kc(A, 180), phaseKc(A, 1));
        QCOMPARE(kc(A, 181), phaseKc(A, 2));
        QCOMPARE(kc(A, 200), phaseKc(A, 2));
        QCOMPARE(kc(A, 201), QStringLiteral("0"));
        // Phases shorter than the period: phase 4 runs on to its end.
        t().entrada->setCell(kPeriodColumn, G, QStringLiteral("   150"));
        runCropCalendar(t());
        QCOMPARE(kc(G, 199), phaseKc(G, 3));
        QCOMPARE(kc(G, 200), QStringLiteral("0"));
    }

    void unusualPlantingStarts()
    {
        t().param->setCell(C, kStartRow, QStringLiteral("400"));
        t().param->setCell(F, kStartRow, QStringLiteral("10.5"));
        t().param->setCell(H, kStartRow, QStringLiteral("-2"));
        runCropCalendar(t());
        for (int day = 1; day <= kDays; ++day) {
            QCOMPARE(counter(C, day), QStringLiteral("0"));
            QCOMPARE(kc(C, day), QStringLiteral("0"));
        }
        QCOMPARE(counter(F, 10), QStringLiteral("0"));
        QCOMPARE(counter(F, 11), QStringLiteral("1.5"));
        QCOMPARE(kc(F, 11), phaseKc(F, 0));
        QCOMPARE(counter(F, 12), QStringLiteral("2.5"));
        // Planted before the series starts: day 1 is already its fourth day.
        QCOMPARE(counter(H, 1), QStringLiteral("4"));
        QCOMPARE(kc(H, 357), phaseKc(H, 3));
        QCOMPARE(kc(H, 358), QStringLiteral("0"));
    }

    void countersUseTheLocalesSeparator()
    {
        LocaleSettings::setCurrent(LocaleSettings::brazilian());
        writeDefaults(t(), QLatin1Char(','));
        t().param->setCell(F, kStartRow, QStringLiteral("10,5"));
        runCropCalendar(t());
        QCOMPARE(counter(F, 11), QStringLiteral("1,5"));
        QCOMPARE(kc(F, 11), QStringLiteral("   0,45"));
    }

    void onlyTheChosenClassesAreRedone()
    {
        runCropCalendar(t());
        t().param->setCell(A, kStartRow, QStringLiteral("5"));
        t().param->setCell(B, kStartRow, QStringLiteral("5"));
        t().classes[D]->setCell(kKcColumn, 3, QStringLiteral("2"));
        ClassSet onlyA;
        onlyA.set(A);
        runCropCalendar(t(), onlyA);
        QCOMPARE(counter(A, 5), QStringLiteral("1"));
        QCOMPARE(kc(A, 4), QStringLiteral("0"));
        QCOMPARE(counter(B, 5), QStringLiteral("0"));
        QCOMPARE(counter(B, 10), QStringLiteral("1"));
        QCOMPARE(kc(D, 3), QStringLiteral("2"));
    }

    void theCounterIsReadFromTheDayLabel()
    {
        t().serie->setCell(kDayColumn, 20, QStringLiteral("  60 "));
        runCropCalendar(t());
        QCOMPARE(counter(G, 20), QStringLiteral("11"));
        QCOMPARE(kc(G, 20), phaseKc(G, 0));
    }

    void anUnreadableCellStopsTheCalendar_data()
    {
        QTest::addColumn<int>("table"); // 0 crop table, 1 parameters, 2 series
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::newRow("planting start") << 1 << int(E) << int(kStartRow);
        QTest::newRow("period") << 0 << int(kPeriodColumn) << int(E);
        QTest::newRow("phase 2 length") << 0 << int(kPhaseColumn + 2) << int(E);
        QTest::newRow("phase 4 length") << 0 << int(kPhaseColumn + 6) << int(E);
        QTest::newRow("day label") << 2 << int(kDayColumn) << 77;
    }
    void anUnreadableCellStopsTheCalendar()
    {
        QFETCH(int, table);
        QFETCH(int, col);
        QFETCH(int, row);
        CellTable *tables[] = {t().entrada, t().param, t().serie};
        tables[table]->setCell(col, row, QStringLiteral("1O"));
        try {
            runCropCalendar(t());
            QFAIL("no error");
        } catch (const ConvertError &error) {
            QCOMPARE(error.message(),
                     QStringLiteral("'1O' não é um valor de ponto flutuante válido"));
        }
    }

    void editedSourcesAreTold()
    {
        CalendarSources sources;
        sources.record(t());
        QVERIFY(sources.changed(t()).none());
        t().param->setCell(B, kStartRow, QStringLiteral("12"));
        t().entrada->setCell(kPhaseColumn + 5, H, QStringLiteral("0.9"));
        // Area, efficiency and the results are no source of the calendar.
        t().param->setCell(C, kAreaRow, QStringLiteral("99"));
        t().param->setCell(D, kEfficiencyRow, QStringLiteral("0.5"));
        t().classes[E]->setCell(kKcColumn, 5, QStringLiteral("3"));
        QCOMPARE(sources.changed(t()), ClassSet().set(B).set(H));
        sources.record(t(), ClassSet().set(B));
        QCOMPARE(sources.changed(t()), ClassSet().set(H));
        // Put back as it was, a cell is no change.
        t().entrada->setCell(kPhaseColumn + 5, H, QStringLiteral("   0.95"));
        QVERIFY(sources.changed(t()).none());
    }

    void aRunNotifiesEachTableOnce()
    {
        int notices[kClasses] = {};
        for (int k = 0; k < kClasses; ++k) {
            connect(t().classes[k], &CellTable::dataChanged, this, [&notices, k] { ++notices[k]; });
        }
        runCropCalendar(t());
        for (int k = 0; k < kClasses; ++k)
            QCOMPARE(notices[k], 1);
    }
};

QTEST_GUILESS_MAIN(AgricultureTablesTest)
#include "tst_agriculture_tables.moc"
