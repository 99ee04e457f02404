// The water balance of a study: the national classes at their boundaries, the summary's demand
// turned into m3/s through a real study and set against a reference flow, the dilution added,
// a partial summary's note passed on, the months of a leap and a common year, every choice that
// cannot be read named in its message, a typed flow, and Q7,10 refused while Q95 still computes.
#include "core/balance/WaterBalance.h"
#include "core/base/TaviError.h"
#include "core/sectors/catalogue/BalanceKeys.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "support/SummaryStudies.h"

#include <QTest>

#include <cmath>

using namespace tavi;
using namespace tavi::balance;

namespace
{

const LocaleSettings kLocale = LocaleSettings::brazilian();

bool near(long double a, long double b, long double relative = 1e-15L)
{
    return std::fabs(a - b) <= relative * std::max(std::fabs(a), std::fabs(b));
}

// `years` calendar years from 1990 whose flows swing between 2 and 18 m3/s over the year,
// wetter or drier from year to year so that the annual minima spread.
flows::FlowSeries swingingSeries(int years)
{
    flows::FlowSeries series;
    series.first = QDate(1990, 1, 1);
    const qint64 days = series.first.daysTo(QDate(1990 + years, 1, 1));
    for (qint64 d = 0; d < days; ++d)
        series.days.push_back((10 + 8 * std::sin(2 * M_PI * d / 365.25L)) *
                                  (1 + 0.1L * ((d / 365) % 4)) +
                              (d % 7) * 0.01L);
    return series;
}

Study withBalance(Study study, const StudyBalance &balance)
{
    study.balance = balance;
    return study;
}

StudyBalance typed(const QString &flow)
{
    StudyBalance balance;
    balance.reference = keys::kReferenceTyped;
    balance.typedFlow = flow;
    return balance;
}

// The mean of the summary's total over days first to last (1-based), in m3/s: what the
// demand of a span of the year is, computed here apart from the balance.
long double meanM3s(const MunicipalSummary &summary, int first, int last)
{
    long double sum = 0;
    for (int day = first; day <= last; ++day)
        sum += summary.total[std::size_t(day - 1)];
    return sum / (last - first + 1) / 86400;
}

} // namespace

class WaterBalanceTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { LocaleSettings::setCurrent(kLocale); }

    void classBoundaries_data()
    {
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("colour");
        QTest::newRow("0") << 0.0 << "Excelente"
                           << "#2166ac";
        QTest::newRow("4.999") << 4.999 << "Excelente"
                               << "#2166ac";
        QTest::newRow("5") << 5.0 << "Confortável"
                           << "#1a9850";
        QTest::newRow("9.999") << 9.999 << "Confortável"
                               << "#1a9850";
        QTest::newRow("10") << 10.0 << "Preocupante"
                            << "#fee08b";
        QTest::newRow("19.999") << 19.999 << "Preocupante"
                                << "#fee08b";
        QTest::newRow("20") << 20.0 << "Crítica"
                            << "#f46d43";
        QTest::newRow("40 still critical") << 40.0 << "Crítica"
                                           << "#f46d43";
        QTest::newRow("40.001") << 40.001 << "Muito crítica"
                                << "#d73027";
        QTest::newRow("250") << 250.0 << "Muito crítica"
                             << "#d73027";
    }
    void classBoundaries()
    {
        QFETCH(double, percent);
        QFETCH(QString, name);
        QFETCH(QString, colour);
        const StressClass stress = stressClass(percent);
        QCOMPARE(stressClassName(stress), name);
        QCOMPARE(stressClassColour(stress), colour);
        // The same class through a ratio of flows whose share is the boundary itself.
        QCOMPARE(stressClassName(ratioOf(percent / 20, 5, 2.5).stress), name);
    }

    void classesInOrderWithRanges()
    {
        QStringList ranges;
        for (StressClass stress : kStressClasses)
            ranges << stressClassRange(stress);
        QCOMPARE(ranges, (QStringList{"abaixo de 5 %", "5 a 10 %", "10 a 20 %", "20 a 40 %",
                                      "acima de 40 %"}));
    }

    void ratioAgainstReferenceAndGrant()
    {
        const Ratio ratio = ratioOf(0.3L, 4, 1.5L);
        QVERIFY(near(ratio.percent, 7.5L));
        QVERIFY(near(ratio.grantUse, 20));
        QCOMPARE(ratio.stress, StressClass::Comfortable);
        // More than may be granted: the use passes 100 % and says so.
        QVERIFY(ratioOf(3, 4, 2).grantUse > 100);
    }

    // A real study's summary, its demand against a typed flow: the mean day over the year's
    // 365 days (no origin: a common year, day 366 apart), the peak day, the dilution added.
    void demandOfARealStudy()
    {
        const Study study = withBalance(testing::everySectorStudy(), typed("2.5"));
        const MunicipalSummary summary = summarizeStudy(study, SupplyScenario::Current, kLocale);
        QVERIFY(summary.dilutionComputed() && summary.dilutionMaximum > 0);
        const WaterBalance balance = computeBalance(study, summary);
        QVERIFY2(balance.computed(), qPrintable(balance.problem));
        QCOMPARE(balance.referenceName, QStringLiteral("Vazão digitada"));
        QVERIFY(near(balance.reference, 2.5L));
        QVERIFY(near(balance.available, 1.25L));

        const long double mean = meanM3s(summary, 1, 365);
        QVERIFY(near(balance.meanDay.demand, mean, 1e-14L));
        QVERIFY(near(balance.meanDay.percent, mean / 2.5L * 100, 1e-14L));
        QVERIFY(near(balance.meanDay.grantUse, mean / 1.25L * 100, 1e-14L));
        QCOMPARE(balance.meanDay.stress, stressClass(mean / 2.5L * 100));
        long double peak = 0;
        for (long double day : summary.total)
            peak = std::max(peak, day);
        QVERIFY(near(balance.peakDay.demand, peak / 86400));

        QVERIFY(balance.dilutionComputed);
        QVERIFY(near(balance.dilution, summary.dilutionMaximum));
        QVERIFY(near(balance.meanDayWithDilution.demand, mean + summary.dilutionMaximum, 1e-14L));
        QVERIFY(near(balance.peakDayWithDilution.percent,
                     (peak / 86400 + summary.dilutionMaximum) / 2.5L * 100, 1e-14L));
        QVERIFY(balance.partialNote.isEmpty());
        QVERIFY(balance.errors.isEmpty());
    }

    // balanceOfStudy computes the summary with the current public supply demand itself.
    void balanceOfStudyComputesTheSummary()
    {
        const Study study = withBalance(testing::everySectorStudy(), typed("2.5"));
        const WaterBalance direct =
            computeBalance(study, summarizeStudy(study, SupplyScenario::Current, kLocale));
        const WaterBalance whole = balanceOfStudy(study, kLocale);
        QCOMPARE(double(whole.meanDay.demand), double(direct.meanDay.demand));
        QCOMPARE(double(whole.peakDayWithDilution.demand),
                 double(direct.peakDayWithDilution.demand));
    }

    void partialSummaryNotePassedOn()
    {
        const Study study = withBalance(testing::agricultureFailingStudy(), typed("2.5"));
        const MunicipalSummary summary = summarizeStudy(study, SupplyScenario::Current, kLocale);
        const WaterBalance balance = computeBalance(study, summary);
        QVERIFY(balance.computed());
        QCOMPARE(balance.partialNote, QStringLiteral("total parcial, sem Agricultura"));
        QCOMPARE(balance.errors, summary.errors());
        QVERIFY(balance.errors.front().startsWith(QStringLiteral("Agricultura: ")));
        QVERIFY(near(balance.meanDay.demand, meanM3s(summary, 1, 365), 1e-14L));
    }

    // The months follow the agriculture series' calendar: a leap year's February has 29 days
    // and the year 366; a common year's day 366 is no day of any month nor of the mean day.
    void monthsOfTheSeriesYear_data()
    {
        QTest::addColumn<QString>("year"); // of the series' origin; "" for none
        QTest::addColumn<int>("febLast");
        QTest::addColumn<int>("yearDays");
        QTest::newRow("leap 2024") << "2024" << 60 << 366;
        QTest::newRow("common 2023") << "2023" << 59 << 365;
        QTest::newRow("typed series") << "" << 59 << 365;
    }
    void monthsOfTheSeriesYear()
    {
        QFETCH(QString, year);
        QFETCH(int, febLast);
        QFETCH(int, yearDays);
        Study study = withBalance(testing::everySectorStudy(), typed("10"));
        if (!year.isEmpty()) {
            SeriesOrigin origin;
            origin.station = QStringLiteral("BRASILIA");
            origin.code = QStringLiteral("A001");
            origin.year = year;
            study.windows[keys::kAgricultureWindow].seriesOrigin = origin;
        }
        const MunicipalSummary summary = summarizeStudy(study, SupplyScenario::Current, kLocale);
        const WaterBalance balance = computeBalance(study, summary);
        QCOMPARE(int(balance.months.size()), 12);
        QCOMPARE(balance.months[1].label, QStringLiteral("Fev"));
        QCOMPARE(balance.months[11].label, QStringLiteral("Dez"));
        QVERIFY(near(balance.months[0].demand, meanM3s(summary, 1, 31), 1e-14L));
        QVERIFY(near(balance.months[1].demand, meanM3s(summary, 32, febLast), 1e-14L));
        QVERIFY(
            near(balance.months[2].demand, meanM3s(summary, febLast + 1, febLast + 31), 1e-14L));
        QVERIFY(near(balance.months[11].demand, meanM3s(summary, yearDays - 30, yearDays), 1e-14L));
        QVERIFY(near(balance.meanDay.demand, meanM3s(summary, 1, yearDays), 1e-14L));
        QVERIFY(near(balance.months[1].ofReference.percent, balance.months[1].demand * 10, 1e-14L));
        // Without a series no month has a curve of its own.
        QVERIFY(!balance.months[1].monthQ95);
    }

    // A series long enough for the monthly curves: each month against its own Q95 too.
    void monthsAgainstTheirOwnQ95()
    {
        StudyBalance input;
        input.series = swingingSeries(12);
        const Study study = withBalance(testing::everySectorStudy(), input);
        const WaterBalance balance = balanceOfStudy(study, kLocale);
        QVERIFY2(balance.computed(), qPrintable(balance.problem));
        const std::array<flows::MonthFlows, 12> months = flows::monthlyFlows(*input.series);
        for (std::size_t m = 0; m < 12; ++m) {
            QVERIFY(balance.months[m].monthQ95);
            QCOMPARE(double(*balance.months[m].monthQ95), double(*months[m].q95));
            QVERIFY(near(balance.months[m].ofMonthQ95->percent,
                         balance.months[m].demand / *months[m].q95 * 100, 1e-14L));
            QVERIFY(near(balance.months[m].ofMonthQ95->grantUse,
                         balance.months[m].demand / (*months[m].q95 / 2) * 100, 1e-14L));
        }
    }

    void badChoiceNamed_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("typed flow not a number")
            << "typed"
            << "2,5a"
            << "Vazão digitada: '2,5a' não é um valor de ponto flutuante válido";
        QTest::newRow("share above 100") << "share"
                                         << "120"
                                         << "Fração outorgável: '120' deve estar entre 0 e 100";
        QTest::newRow("share 0") << "share"
                                 << "0"
                                 << "Fração outorgável: '0' deve estar entre 0 e 100";
        QTest::newRow("share shown in the user's separators")
            << "share"
            << "100.5"
            << "Fração outorgável: '100,5' deve estar entre 0 e 100";
        QTest::newRow("share not a number")
            << "share"
            << "metade"
            << "Fração outorgável: 'metade' não é um valor de ponto flutuante válido";
        QTest::newRow("share blank") << "share"
                                     << " "
                                     << "Fração outorgável: informe";
        QTest::newRow("month 13") << "month"
                                  << "13"
                                  << "Início do ano hidrológico: '13' deve ser um mês de 1 a 12";
        QTest::newRow("month 0") << "month"
                                 << "0"
                                 << "Início do ano hidrológico: '0' deve ser um mês de 1 a 12";
        QTest::newRow("month not whole")
            << "month"
            << "9.5"
            << "Início do ano hidrológico: '9,5' deve ser um mês de 1 a 12";
        QTest::newRow("month not a number")
            << "month"
            << "out"
            << "Início do ano hidrológico: 'out' não é um valor de ponto flutuante válido";
        QTest::newRow("reference unknown") << "reference"
                                           << "Q80"
                                           << "Vazão de referência: 'Q80' não é uma das vazões";
        QTest::newRow("fit unknown") << "fit"
                                     << "gumbel"
                                     << "Ajuste: 'gumbel' não é um dos ajustes";
    }
    void badChoiceNamed()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        StudyBalance input;
        input.series = swingingSeries(3);
        (field == "typed"       ? input.typedFlow
         : field == "share"     ? input.grantShare
         : field == "month"     ? input.firstMonth
         : field == "reference" ? input.reference
                                : input.fit) = text;
        try {
            readChoices(input);
            QFAIL("the choice was read");
        } catch (const TaviError &error) {
            QVERIFY2(error.message().startsWith(message), qPrintable(error.message()));
        }
        // The balance says the same and computes nothing from it, but keeps the river.
        const WaterBalance balance =
            computeBalance(withBalance(testing::everySectorStudy(), input), MunicipalSummary());
        QVERIFY(balance.problem.startsWith(message));
        QVERIFY(balance.flows && balance.flows->q95);
        QCOMPARE(double(balance.reference), 0.0);
    }

    void choicesRead()
    {
        StudyBalance input;
        input.reference = keys::kReferenceQ710;
        input.typedFlow = QStringLiteral(" 3.25 ");
        input.grantShare = QStringLiteral("30");
        input.firstMonth = QStringLiteral("10");
        input.fit = keys::kFitLogNormal3;
        const BalanceChoices choices = readChoices(input);
        QCOMPARE(choices.reference, ReferenceKind::Q710);
        QCOMPARE(double(*choices.typedFlow), 3.25);
        QCOMPARE(double(choices.grantShare), 30.0);
        QCOMPARE(choices.firstMonth, 10);
        QCOMPARE(choices.fit, flows::MinimaFit::LogNormal3);
        // A blank month is the calendar year, a blank typed flow none.
        input.firstMonth.clear();
        input.typedFlow.clear();
        QCOMPARE(readChoices(input).firstMonth, 1);
        QVERIFY(!readChoices(input).typedFlow);
    }

    void typedFlow_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem");
        QTest::newRow("2.5") << "2.5"
                             << "";
        QTest::newRow("0") << "0"
                           << "Vazão digitada: '0' deve ser maior que 0";
        QTest::newRow("negative") << "-1.5"
                                  << "Vazão digitada: '-1,5' deve ser maior que 0";
        QTest::newRow("blank") << ""
                               << "Vazão digitada: informe a vazão de referência";
    }
    void typedFlow()
    {
        QFETCH(QString, text);
        QFETCH(QString, problem);
        const Study study = withBalance(testing::everySectorStudy(), typed(text));
        const WaterBalance balance = balanceOfStudy(study, kLocale);
        QVERIFY2(problem.isEmpty() ? balance.computed() : balance.problem.startsWith(problem),
                 qPrintable(balance.problem));
        QVERIFY(!balance.flows);
        // The demand stands whether or not there is a flow to set it against.
        QVERIFY(balance.meanDay.demand > 0);
        if (balance.computed())
            QVERIFY(near(balance.meanDay.percent, balance.meanDay.demand / 2.5L * 100));
        else
            QCOMPARE(double(balance.meanDay.percent), 0.0);
    }

    // Five years are too few for Q7,10: chosen, it is refused with the series' own reason;
    // Q95 of the same series still computes, as do the river's figures either way.
    void q710RefusedQ95Computed()
    {
        StudyBalance input;
        input.series = swingingSeries(5);
        input.reference = keys::kReferenceQ710;
        const Study q710 = withBalance(testing::everySectorStudy(), input);
        const WaterBalance refused = balanceOfStudy(q710, kLocale);
        QVERIFY(!refused.computed());
        QCOMPARE(refused.problem, refused.flows->q710Problem);
        QVERIFY(refused.problem.contains(QStringLiteral("são precisos 10 anos completos")));
        QVERIFY(refused.flows->q95);

        input.reference = keys::kReferenceQ95;
        const WaterBalance computed =
            balanceOfStudy(withBalance(testing::everySectorStudy(), input), kLocale);
        QVERIFY2(computed.computed(), qPrintable(computed.problem));
        QCOMPARE(computed.referenceName, QStringLiteral("Q95"));
        QCOMPARE(double(computed.reference), double(*refused.flows->q95));
        QVERIFY(near(computed.available, *refused.flows->q95 / 2));
    }

    void eachSeriesFlowChosen_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("Q90") << "Q90";
        QTest::newRow("QMLT") << "QMLT";
        QTest::newRow("Q7,10") << "Q7,10";
    }
    void eachSeriesFlowChosen()
    {
        QFETCH(QString, key);
        StudyBalance input;
        input.series = swingingSeries(12);
        input.reference = key;
        input.grantShare = QStringLiteral("20");
        const WaterBalance balance =
            computeBalance(withBalance(Study(), input), MunicipalSummary());
        QVERIFY2(balance.computed(), qPrintable(balance.problem));
        const flows::ReferenceFlows &f = *balance.flows;
        const long double expected = key == "Q90" ? *f.q90 : key == "QMLT" ? *f.qmlt : *f.q710;
        QCOMPARE(balance.referenceName, key);
        QCOMPARE(double(balance.reference), double(expected));
        QVERIFY(near(balance.available, expected / 5));
    }

    void noReferenceFlow_data()
    {
        QTest::addColumn<bool>("hasBalance");
        QTest::addColumn<QString>("typedFlow");
        QTest::addColumn<QString>("problem");
        QTest::newRow("no balance") << false << ""
                                    << "O estudo não tem balanço hídrico.";
        QTest::newRow("no series, no typed flow")
            << true << ""
            << "Sem vazão de referência: leia ou cole a série";
        QTest::newRow("no series, a typed flow not chosen") << true << "4"
                                                            << "Sem série de vazões para a Q95";
    }
    void noReferenceFlow()
    {
        QFETCH(bool, hasBalance);
        QFETCH(QString, typedFlow);
        QFETCH(QString, problem);
        Study study = testing::everySectorStudy();
        if (hasBalance) {
            study.balance = StudyBalance();
            study.balance->typedFlow = typedFlow;
        }
        const WaterBalance balance = balanceOfStudy(study, kLocale);
        QVERIFY2(balance.problem.startsWith(problem), qPrintable(balance.problem));
        QVERIFY(!balance.flows);
    }

    // The hydrological year and the fit reach the series' figures.
    void choicesReachTheSeries()
    {
        StudyBalance input;
        input.series = swingingSeries(12);
        input.firstMonth = QStringLiteral("10");
        input.fit = keys::kFitEmpirical;
        input.reference = keys::kReferenceQ710;
        const WaterBalance balance =
            computeBalance(withBalance(Study(), input), MunicipalSummary());
        const flows::ReferenceFlows expected =
            flows::referenceFlows(*input.series, 10, flows::MinimaFit::Empirical);
        QCOMPARE(balance.flows->years.front().year, 1989);
        QCOMPARE(double(balance.reference), double(*expected.q710));
        QCOMPARE(double(*balance.flows->q710), double(*expected.fits.empirical));
    }
};

QTEST_GUILESS_MAIN(WaterBalanceTest)
#include "tst_water_balance.moc"
