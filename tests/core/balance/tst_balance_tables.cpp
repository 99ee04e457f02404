// The balance's tables, texts and workbook from a balance whose every figure is set here: the
// readable and stored figures in both kinds of regional settings, "—" where a figure does not
// exist, the command line's lines, the charts' points, and the workbook's sheets with the
// ranges its charts plot.
#include "core/balance/BalanceCharts.h"
#include "core/balance/BalanceTables.h"
#include "core/balance/BalanceWorkbook.h"
#include "core/tables/CellTable.h"
#include "core/workbook/WorkbookRange.h"

#include <QDateTime>
#include <QTest>
#include <QTimeZone>

using namespace tavi;
using namespace tavi::balance;

namespace
{

const QChar kNbsp(0x00A0);

// Q95 of 5.67 m3/s, half of it grantable; a mean day of 0.412 m3/s, a peak of 0.6 and a
// dilution of 0.459; twelve months, the first three with a Q95 of their own.
WaterBalance handMadeBalance()
{
    WaterBalance balance;
    flows::ReferenceFlows flows;
    flows.q90 = 6.5L;
    flows.q95 = 5.67L;
    flows.qmlt = 20.1234L;
    flows.q710 = 3.2109L;
    flows.fits.weibullAlpha = 2.5L;
    flows.fits.weibullBeta = 4.5L;
    flows.fits.weibull = 3.2109L;
    flows.fits.logNormalA = 1;
    flows.fits.logNormalMu = 0.5L;
    flows.fits.logNormalSigma = 0.3L;
    flows.fits.logNormal = 2.9876L;
    flows.fits.empirical = 3.05L;
    for (int y = 0; y < 12; ++y) {
        flows::SeriesYear year{1990 + y, 365, y == 3 ? 40 : 0, y != 3, std::nullopt};
        if (year.used)
            year.minimum7 = 3 + (y * 7 % 12) * 0.1L;
        flows.years.push_back(year);
    }
    balance.flows = flows;
    for (int i = 0; i < 1000; ++i)
        balance.durationCurve.push_back({100 * (i + 1) / 1001.0L, i < 990 ? 1000.0L - i : 0});
    balance.referenceName = QStringLiteral("Q95");
    balance.reference = 5.67L;
    balance.available = 2.835L;
    const auto ratio = [&](long double demand) { return ratioOf(demand, 5.67L, 2.835L); };
    balance.meanDay = ratio(0.412L);
    balance.peakDay = ratio(0.6L);
    balance.dilutionComputed = true;
    balance.dilution = 0.459L;
    balance.meanDayWithDilution = ratio(0.871L);
    balance.peakDayWithDilution = ratio(1.059L);
    const QStringList labels{"Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                             "Jul", "Ago", "Set", "Out", "Nov", "Dez"};
    for (int m = 0; m < 12; ++m) {
        MonthBalance month{labels[m], 0.35L + m * 0.01L, ratio(0.35L + m * 0.01L), {}, {}};
        if (m < 3) {
            month.monthQ95 = 4.1L + m;
            month.ofMonthQ95 = ratioOf(month.demand, *month.monthQ95, *month.monthQ95 / 2);
        }
        balance.months.push_back(month);
    }
    return balance;
}

QStringList row(const CellTable &table, int r)
{
    QStringList cells;
    for (int c = 0; c < table.columns(); ++c)
        cells << table.cell(c, r);
    return cells;
}

ScenarioBalance scenario(const QString &name, bool dilution)
{
    ScenarioBalance s;
    s.name = name;
    s.dilutionComputed = dilution;
    for (int y = 0; y < 3; ++y) {
        const long double mean = 1 + y * 0.1L;
        s.years.push_back({2030 + y, ratioOf(mean, 5, 2.5L), ratioOf(2 * mean, 5, 2.5L),
                           ratioOf(mean + 0.5L, 5, 2.5L)});
    }
    s.firstCriticalYear = 2030;
    if (dilution)
        s.firstCriticalYearWithDilution = 2030;
    return s;
}

} // namespace

class BalanceTablesTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { LocaleSettings::setCurrent(LocaleSettings::brazilian()); }

    void referenceTable_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QStringList>("flows"); // Q90, Q95, Q7,10, QMLT, share, available
        QTest::newRow("pt_BR readable")
            << true << true << QStringList{"6,500", "5,670", "3,211", "20,123", "50,0", "2,835"};
        QTest::newRow("pt_BR stored")
            << true << false << QStringList{"6,5", "5,67", "3,2109", "20,1234", "50", "2,835"};
        QTest::newRow("en_US readable")
            << false << true << QStringList{"6.500", "5.670", "3.211", "20.123", "50.0", "2.835"};
        QTest::newRow("en_US stored")
            << false << false << QStringList{"6.5", "5.67", "3.2109", "20.1234", "50", "2.835"};
    }
    void referenceTable()
    {
        QFETCH(bool, comma);
        QFETCH(bool, readable);
        QFETCH(QStringList, flows);
        LocaleSettings::setCurrent(comma ? LocaleSettings::brazilian()
                                         : LocaleSettings::decimalPoint());
        CellTable table(kReferenceFlowColumns, 9, 9, true);
        fillReferenceFlowTable(table, handMadeBalance(),
                               readable ? FiguresStyle::Readable : FiguresStyle::Stored);
        QCOMPARE(row(table, 0), (QStringList{"Vazão de referência", "Vazão (m3/s)", "Observação"}));
        QStringList names, figures;
        for (int r = 1; r <= 6; ++r) {
            names << table.cell(0, r);
            figures << table.cell(1, r);
        }
        QCOMPARE(names, (QStringList{"Q90", "Q95", "Q7,10", "QMLT", "Fração outorgável (%)",
                                     "Vazão outorgável"}));
        QCOMPARE(figures, flows);
        QCOMPARE(table.cell(2, 2), QStringLiteral("95 % de permanência (escolhida)"));
        const auto separated = [comma](QString text) {
            return comma ? text : text.replace(QLatin1Char(','), QLatin1Char('.'));
        };
        QCOMPARE(table.cell(2, 3), separated("Weibull: α = 2,5000; β = 4,500 m3/s"));
        QCOMPARE(table.cell(2, 6), separated("50 % da Q95"));
        QCOMPARE(table.cell(0, 7), QString());
    }

    // A typed flow chosen, the series too short for Q7,10: the flows the series lacks are
    // "—" with the reason, and the balance's problem shown where the available flow would be.
    void referenceTableWithoutSomeFlows()
    {
        WaterBalance balance = handMadeBalance();
        balance.flows->q710.reset();
        balance.flows->q710Problem = QStringLiteral("Q7,10 não calculada: são precisos 10 anos");
        balance.flows->q90.reset();
        balance.choices.reference = ReferenceKind::Typed;
        balance.choices.typedFlow = 0;
        balance.problem = QStringLiteral("Vazão digitada: '0' deve ser maior que 0");
        CellTable table(kReferenceFlowColumns, 9, 9, true);
        fillReferenceFlowTable(table, balance);
        QCOMPARE(row(table, 1), (QStringList{"Q90", "—", "a série não tem dias suficientes"}));
        QCOMPARE(row(table, 3), (QStringList{"Q7,10", "—", balance.flows->q710Problem}));
        QCOMPARE(row(table, 5), (QStringList{"Vazão digitada", "0,000", "(escolhida)"}));
        QCOMPARE(row(table, 7), (QStringList{"Vazão outorgável", "—", balance.problem}));

        balance.flows.reset();
        fillReferenceFlowTable(table, balance);
        QCOMPARE(row(table, 2), (QStringList{"Q95", "—", "sem série de vazões"}));
    }

    void fitTable()
    {
        CellTable table(kFitColumns, 4, 4, true);
        WaterBalance balance = handMadeBalance();
        balance.flows->fits.empirical.reset();
        fillFitTable(table, balance);
        QCOMPARE(row(table, 1), (QStringList{"Weibull", "α = 2,5000; β = 4,500 m3/s", "3,211"}));
        QCOMPARE(row(table, 2),
                 (QStringList{"Log-normal 3P", "a = 1,000 m3/s; μ = 0,5000; σ = 0,3000", "2,988"}));
        QCOMPARE(row(table, 3),
                 (QStringList{"Empírica", "posição de plotagem m/(n+1), 11 anos", "—"}));
        balance.flows->fits = {};
        fillFitTable(table, balance);
        QCOMPARE(row(table, 2), (QStringList{"Log-normal 3P", "—", "—"}));
    }

    void seriesYearTable_data()
    {
        QTest::addColumn<int>("firstMonth");
        QTest::addColumn<QString>("label");
        QTest::newRow("calendar year") << 1 << "1993";
        QTest::newRow("hydrological year") << 10 << "1993/1994";
    }
    void seriesYearTable()
    {
        QFETCH(int, firstMonth);
        QFETCH(QString, label);
        WaterBalance balance = handMadeBalance();
        balance.choices.firstMonth = firstMonth;
        CellTable table(kSeriesYearColumns, 14, 14, true);
        fillSeriesYearTable(table, balance);
        QCOMPARE(row(table, 4), (QStringList{label, "365", "40", "Não", "—"}));
        QCOMPARE(row(table, 2).mid(3), (QStringList{"Sim", "3,700"}));
        QCOMPARE(table.cell(0, 13), QString());
    }

    void ratioTable_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QString>("mean");
        QTest::addColumn<QString>("peakWithDilution");
        QTest::newRow("pt_BR") << true << "Dia médio|0,412|7,3|Confortável|14,5"
                               << "Dia de maior demanda com diluição|1,059|18,7|Preocupante|37,4";
        QTest::newRow("en_US") << false << "Dia médio|0.412|7.3|Confortável|14.5"
                               << "Dia de maior demanda com diluição|1.059|18.7|Preocupante|37.4";
    }
    void ratioTable()
    {
        QFETCH(bool, comma);
        QFETCH(QString, mean);
        QFETCH(QString, peakWithDilution);
        LocaleSettings::setCurrent(comma ? LocaleSettings::brazilian()
                                         : LocaleSettings::decimalPoint());
        CellTable table(kRatioColumns, 5, 5, true);
        WaterBalance balance = handMadeBalance();
        fillRatioTable(table, balance);
        QCOMPARE(row(table, 0).join('|'),
                 QStringLiteral("Demanda|Vazão (m3/s)|Demanda / referência (%)|Classe|Uso da "
                                "vazão outorgável (%)"));
        QCOMPARE(row(table, 1).join('|'), mean);
        QCOMPARE(row(table, 4).join('|'), peakWithDilution);
        // Without the dilution, its rows say so; without a reference, only the demand stands.
        balance.dilutionComputed = false;
        balance.problem = QStringLiteral("Sem vazão de referência");
        fillRatioTable(table, balance);
        QCOMPARE(row(table, 2).mid(1), (QStringList{comma ? "0,600" : "0.600", "—", "—", "—"}));
        QCOMPARE(row(table, 3).mid(1), QStringList(4, "—"));
    }

    void monthTable()
    {
        CellTable table(kMonthColumns, 13, 13, true);
        fillMonthTable(table, handMadeBalance());
        QCOMPARE(row(table, 0).join('|'),
                 QStringLiteral("Mês|Demanda média (m3/s)|Demanda / referência (%)|Classe|Q95 do "
                                "mês (m3/s)|Demanda / Q95 do mês (%)|Classe no mês"));
        QCOMPARE(row(table, 1).join('|'),
                 QStringLiteral("Jan|0,350|6,2|Confortável|4,100|8,5|Confortável"));
        QCOMPARE(row(table, 12).join('|'), QStringLiteral("Dez|0,460|8,1|Confortável|—|—|—"));
        fillMonthTable(table, handMadeBalance(), FiguresStyle::Stored);
        QCOMPARE(row(table, 2).mid(1, 2), (QStringList{"0,36", "6,34920634920635"}));
    }

    void horizonTable()
    {
        CellTable table(kHorizonBalanceColumns, 5, 5, true);
        fillHorizonBalanceTable(table, scenario("Base", true));
        QCOMPARE(row(table, 2).join('|'),
                 QStringLiteral("2031|1,100|22,0|Crítica|2,200|44,0|Muito crítica|32,0|Crítica"));
        fillHorizonBalanceTable(table, scenario("Base", false));
        QCOMPARE(row(table, 1).mid(7), (QStringList{"—", "—"}));
        QCOMPARE(table.cell(0, 4), QString());
    }

    void balanceLines_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("mean");
        QTest::newRow("pt_BR")
            << true
            << "Vazão de referência                Q95  5,670 m³/s; outorgável 50 %: 2,835 m³/s"
            << "Dia médio                          0,412 m³/s   7,3 %  Confortável  (14,5 % da "
               "outorgável)";
        QTest::newRow("en_US")
            << false
            << "Vazão de referência                Q95  5.670 m³/s; outorgável 50 %: 2.835 m³/s"
            << "Dia médio                          0.412 m³/s   7.3 %  Confortável  (14.5 % da "
               "outorgável)";
    }
    void balanceLines()
    {
        QFETCH(bool, comma);
        QFETCH(QString, first);
        QFETCH(QString, mean);
        const LocaleSettings locale =
            comma ? LocaleSettings::brazilian() : LocaleSettings::decimalPoint();
        LocaleSettings::setCurrent(comma ? LocaleSettings::decimalPoint()
                                         : LocaleSettings::brazilian());
        WaterBalance balance = handMadeBalance();
        balance.partialNote = QStringLiteral("total parcial, sem Agricultura");
        const QStringList lines =
            balanceText(balance, locale).replace(kNbsp, QLatin1Char(' ')).split('\n');
        QCOMPARE(lines[0], first);
        QCOMPARE(lines[1], mean);
        QVERIFY(lines[4].startsWith(QStringLiteral("Dia de maior demanda com diluição  1")));
        QCOMPARE(lines[5], QStringLiteral("Demanda: total parcial, sem Agricultura"));
        QCOMPARE(lines[6],
                 QStringLiteral("Meses (demanda média contra a Q95; contra a Q95 do mês):"));
        const auto separated = [comma](QString text) {
            return comma ? text : text.replace(QLatin1Char(','), QLatin1Char('.'));
        };
        QCOMPARE(lines[7].simplified(),
                 separated("Jan 0,350 m³/s 6,2 % Confortável Q95 do mês 4,100 m³/s: 8,5 % "
                           "Confortável"));
        QCOMPARE(lines[18].simplified(), separated("Dez 0,460 m³/s 8,1 % Confortável"));
        QCOMPARE(lines.size(), 20); // and the last line's end
        // The figures of every month line up on their last digit.
        QCOMPARE(lines[7].indexOf(QStringLiteral("m³/s")),
                 lines[18].indexOf(QStringLiteral("m³/s")));
    }

    void balanceLinesWithoutReference()
    {
        WaterBalance balance = handMadeBalance();
        balance.problem = QStringLiteral("Sem vazão de referência: leia ou cole a série");
        balance.dilutionComputed = false;
        const QStringList lines = balanceText(balance, LocaleSettings::brazilian())
                                      .replace(kNbsp, QLatin1Char(' '))
                                      .split('\n');
        QCOMPARE(lines[0],
                 QStringLiteral("Balanço hídrico não calculado: %1").arg(balance.problem));
        QCOMPARE(lines[1].simplified(), QStringLiteral("Dia médio 0,412 m³/s"));
        QCOMPARE(lines[2].simplified(), QStringLiteral("Dia de maior demanda 0,600 m³/s"));
        QVERIFY(lines[3].startsWith(QStringLiteral("Meses (demanda média;")));
    }

    void horizonLines()
    {
        ScenarioBalance never = scenario("Tendencial com nome longo", true);
        never.firstCriticalYear.reset();
        never.partialNote = QStringLiteral("total parcial, sem Agricultura");
        ScenarioBalance broken;
        broken.name = QStringLiteral("Sem censos");
        broken.problem = QStringLiteral("Informe ao menos duas contagens.");
        const QString text = horizonBalanceText({scenario("Base", false), never, broken},
                                                LocaleSettings::brazilian());
        QCOMPARE(text, QStringLiteral(
                           "Horizonte: primeiro ano de dia médio \"Crítica\" ou pior, por cenário\n"
                           "  Base                       2030\n"
                           "  Tendencial com nome longo  nenhum ano crítico até 2032; com "
                           "diluição: 2030 (total parcial, sem Agricultura)\n"
                           "  Sem censos                 não calculado: Informe ao menos duas "
                           "contagens.\n"));
        QCOMPARE(horizonBalanceText({}, LocaleSettings::brazilian()), QString());
    }

    void chartPoints()
    {
        const WaterBalance balance = handMadeBalance();
        // 990 days above 0 thinned to 400, the ends kept; the dry days have no place.
        const std::vector<ChartPoint> duration = durationChartPoints(balance, 400);
        QCOMPARE(int(duration.size()), 400);
        QCOMPARE(double(duration.front().y), 1000.0);
        QCOMPARE(double(duration.back().y), 11.0);
        QCOMPARE(double(duration.back().x), double(100 * 990 / 1001.0L));
        QVERIFY(std::is_sorted(duration.begin(), duration.end(),
                               [](const ChartPoint &a, const ChartPoint &b) { return a.x < b.x; }));
        QCOMPARE(int(durationChartPoints(balance, 2000).size()), 990);

        // 11 minima at m / 12, smallest first.
        const std::vector<ChartPoint> minima = empiricalMinimaPoints(balance);
        QCOMPARE(int(minima.size()), 11);
        QCOMPARE(double(minima.front().x), double(100 / 12.0L));
        QCOMPARE(double(minima.front().y), double(3.0L));
        QVERIFY(minima.back().y > minima.front().y);

        const std::vector<ChartPoint> weibull = fitCurvePoints(balance, flows::MinimaFit::Weibull);
        QCOMPARE(int(weibull.size()), 99);
        QCOMPARE(double(weibull.front().x), 1.0);
        QCOMPARE(double(weibull.back().x), 99.0);
        QVERIFY(weibull.front().y < weibull.back().y);
        // The empirical curve only where the minima reach: from 1/12 to 11/12.
        const std::vector<ChartPoint> empirical =
            fitCurvePoints(balance, flows::MinimaFit::Empirical);
        QVERIFY(empirical.front().x >= 100 / 12.0L && empirical.back().x <= 1100 / 12.0L);

        WaterBalance unfitted = balance;
        unfitted.flows->fits = {};
        QVERIFY(fitCurvePoints(unfitted, flows::MinimaFit::Weibull).empty());
    }

    void hydrograph()
    {
        flows::FlowSeries series;
        series.first = QDate(2000, 3, 1);
        series.days = {1.5L, std::nullopt, 2.5L};
        const std::vector<ChartPoint> points = hydrographPoints(series);
        QCOMPARE(int(points.size()), 2);
        QCOMPARE(qint64(points[0].x),
                 QDateTime(QDate(2000, 3, 1), QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch());
        QCOMPARE(qint64(points[1].x),
                 QDateTime(QDate(2000, 3, 3), QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch());
        QCOMPARE(double(points[1].y), 2.5);
    }

    void workbookSheetsAndCharts()
    {
        const WaterBalance balance = handMadeBalance();
        ScenarioBalance broken;
        broken.name = QStringLiteral("Sem censos");
        broken.problem = QStringLiteral("Informe ao menos duas contagens.");
        const BalanceBook book = balanceBook(balance, {scenario("Base", true), broken});
        QStringList sheets;
        for (const BalanceWorksheet &sheet : book.worksheets)
            sheets << sheet.name;
        QCOMPARE(sheets, (QStringList{"Balanço", "Meses", "Anos da Série", "Permanência",
                                      "Mínimas Anuais", "Cenário Base", "Cenário Sem censos"}));
        QCOMPARE(int(book.charts.size()), 3);

        const Workbook workbook = balanceWorkbook(book, LocaleSettings::brazilian());
        QCOMPARE(workbook.sheetCount(), 10);
        QCOMPARE(workbook.sheet(1).name, QStringLiteral("Curva de Permanência"));
        QCOMPARE(workbook.sheet(2).name, QStringLiteral("Demanda x Disponibilidade"));
        QCOMPARE(workbook.sheet(3).name, QStringLiteral("Mínimas e Ajustes"));
        QCOMPARE(workbook.sheet(10).name, QStringLiteral("Cenário Sem censos"));

        // The duration curve: the thinned points, permanence naming them.
        const WorkbookChart &duration = workbook.chart(1);
        QCOMPARE(duration.chartType(), WorkbookChart::kLine);
        QCOMPARE(duration.seriesCount(), 1);
        QCOMPARE(*duration.series(1).values, parseRangeReference("Permanência", "B2:B401"));
        QCOMPARE(*duration.series(1).categories, parseRangeReference("Permanência", "A2:A401"));
        const std::vector<double> flows = rangeValues(workbook, *duration.series(1).values);
        const std::vector<ChartPoint> points = durationChartPoints(balance);
        QCOMPARE(int(flows.size()), int(points.size()));
        QCOMPARE(flows.back(), double(points.back().y));

        // Demand against the flow that may be granted and each month's Q95.
        const WorkbookChart &demand = workbook.chart(2);
        QStringList headings;
        for (int s = 1; s <= demand.seriesCount(); ++s) {
            QCOMPARE(demand.series(s).values->rowCount(), 12);
            headings << seriesHeading(workbook, *demand.series(s).values);
        }
        QCOMPARE(headings, (QStringList{"Demanda média (m3/s)", "Vazão outorgável (m3/s)",
                                        "Q95 do mês (m3/s)"}));
        QCOMPARE(rangeValues(workbook, *demand.series(2).values), std::vector<double>(12, 2.835));
        QCOMPARE(rangeTexts(workbook, *demand.series(1).categories).front(), QStringLiteral("Jan"));

        // The minima and both fits at the minima's probabilities.
        const WorkbookChart &fits = workbook.chart(3);
        QCOMPARE(fits.seriesCount(), 3);
        QCOMPARE(*fits.series(3).values, parseRangeReference("Mínimas Anuais", "D2:D12"));
        const std::vector<double> weibull = rangeValues(workbook, *fits.series(2).values);
        std::vector<long double> minima;
        for (const flows::SeriesYear &year : balance.flows->years)
            if (year.minimum7)
                minima.push_back(*year.minimum7);
        QCOMPARE(weibull.front(),
                 double(*flows::fitQuantile(balance.flows->fits, flows::MinimaFit::Weibull, minima,
                                            1 / 12.0L)));

        // The scenario's year table, and the problem of the one not computed.
        const Worksheet &base = workbook.worksheet(9);
        QCOMPARE(Worksheet::displayText(*base.cell(3, 1)), QStringLiteral("2031"));
        QCOMPARE(workbook.worksheet(10).cell(1, 1)->text, broken.problem);
    }

    // A balance without a series nor a reference flow still makes its sheets, but no chart
    // of what it does not have.
    void workbookOfABalanceWithoutSeries()
    {
        WaterBalance balance = handMadeBalance();
        balance.flows.reset();
        balance.durationCurve.clear();
        balance.problem = QStringLiteral("Sem vazão de referência");
        for (MonthBalance &month : balance.months) {
            month.monthQ95.reset();
            month.ofMonthQ95.reset();
        }
        const BalanceBook book = balanceBook(balance, {});
        QCOMPARE(int(book.worksheets.size()), 5);
        QCOMPARE(int(book.charts.size()), 1);
        QCOMPARE(book.charts.front().name, QStringLiteral("Demanda x Disponibilidade"));
        QCOMPARE(book.charts.front().ranges, QStringList{"B2:B13"});
        QVERIFY(book.worksheets.front().rows.contains(
            QStringList{"Balanço não calculado: Sem vazão de referência"}));
    }
};

QTEST_GUILESS_MAIN(BalanceTablesTest)
#include "tst_balance_tables.moc"
