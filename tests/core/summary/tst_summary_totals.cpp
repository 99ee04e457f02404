// What the municipal summary says of its total when a sector could not be computed, and what
// it takes from the public supply window's fields.
#include "core/numbers/NumberText.h"
#include "core/summary/MunicipalSummary.h"
#include "core/tables/CellTable.h"

#include <QTest>

using namespace tavi;

namespace
{

Study computableStudy()
{
    Study s = defaultStudy();
    s.windows["TF_Abast_Publico"].fields = {
        {"me_1", "25000"}, {"me_2", "0.2"}, {"me_3", "30000"}, {"me_4", "0.1"}};
    s.windows["TF_Mod_Pecuaria"].fields = {{"me_bovino", "50"}, {"e_qte_bovino", "1200"}};
    return s;
}

} // namespace

class SummaryTotalsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { LocaleSettings::setCurrent(LocaleSettings::decimalPoint()); }

    // Every place that shows the total says it is partial and which sectors it leaves out.
    void partialTotals_data()
    {
        QTest::addColumn<bool>("supplyFails");
        QTest::addColumn<bool>("agricultureFails");
        QTest::addColumn<QString>("missing");
        QTest::newRow("whole") << false << false << "";
        QTest::newRow("without agriculture") << false << true << "Agricultura";
        QTest::newRow("without two sectors")
            << true << true << "Abastecimento Público e Agricultura";
    }
    void partialTotals()
    {
        QFETCH(bool, supplyFails);
        QFETCH(bool, agricultureFails);
        QFETCH(QString, missing);
        Study study = computableStudy();
        if (supplyFails)
            study.windows["TF_Abast_Publico"].fields["me_5"] = QStringLiteral("150");
        if (agricultureFails)
            study.windows["TF_Mod_Agricultura"].grids["SG_Serie"][99][0] = QStringLiteral("abc");
        const MunicipalSummary summary = summarizeStudy(study, SupplyScenario::Current);
        QCOMPARE(summary.isPartial(), !missing.isEmpty());
        QCOMPARE(summary.missingSectors(), missing);
        CellTable days(kSummaryColumns, kSummaryDays + 1, kSummaryDays + 1, true);
        fillSummaryTable(days, summary);
        CellTable figures(kFiguresColumns, kFiguresRows, kFiguresRows, true);
        fillFiguresTable(figures, summary);
        if (missing.isEmpty()) {
            QCOMPARE(summary.partialNote(), QString());
            QCOMPARE(days.cell(4, 0), QStringLiteral("Total"));
            QCOMPARE(figures.cell(0, 4), QStringLiteral("Total"));
            QCOMPARE(figures.cell(0, 6), QStringLiteral("Dia de maior demanda"));
            return;
        }
        QCOMPARE(summary.partialNote(), QStringLiteral("total parcial, sem ") + missing);
        QCOMPARE(days.cell(4, 0), QStringLiteral("Total parcial (sem %1)").arg(missing));
        QCOMPARE(figures.cell(0, 4), QStringLiteral("Total parcial (sem %1)").arg(missing));
        QCOMPARE(figures.cell(0, 6),
                 QStringLiteral("Dia de maior demanda (total parcial, sem %1)").arg(missing));
        // The errors, with the place the agriculture's names.
        const QStringList errors = summary.errors();
        const QStringList places = summary.errorPlaces();
        QCOMPARE(places.size(), errors.size());
        QCOMPARE(errors.last(),
                 QStringLiteral("Agricultura: 'abc' não é um valor de ponto flutuante válido"));
        QCOMPARE(places.last(), QStringLiteral("Série, dia 100, coluna ETP"));
        QCOMPARE(figures.cell(2, 8 + errors.size() - 1), places.last());
        if (supplyFails)
            QCOMPARE(places.first(), QString());
    }

    // The summary computes the public supply as its window does now: next year's per-capita
    // demand with four decimals, and the gross demand over the efficiency.
    void supplyFollowsItsWindow_data()
    {
        QTest::addColumn<QString>("efficiency");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("nextYear");
        QTest::newRow("not given") << "0"
                                   << "5500"
                                   << "5625";
        QTest::newRow("80 %") << "80"
                              << "6875"
                              << "7031.25";
    }
    void supplyFollowsItsWindow()
    {
        QFETCH(QString, efficiency);
        QFETCH(QString, current);
        QFETCH(QString, nextYear);
        Study study = computableStudy();
        QMap<QString, QString> &fields = study.windows["TF_Abast_Publico"].fields;
        fields["me_5"] = efficiency;
        fields["e_p_1"] = QStringLiteral("0.0071");
        fields["e_p_2"] = QStringLiteral("3.52");
        const MunicipalSummary now = summarizeStudy(study, SupplyScenario::Current);
        const MunicipalSummary next = summarizeStudy(study, SupplyScenario::NextYear);
        QCOMPARE(now.sectors[SupplySector].dailyTexts[0], current);
        QCOMPARE(next.sectors[SupplySector].dailyTexts[365], nextYear);
    }
};

QTEST_GUILESS_MAIN(SummaryTotalsTest)
#include "tst_summary_totals.moc"
