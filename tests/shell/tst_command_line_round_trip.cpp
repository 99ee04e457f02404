// What a planner types into the four windows and computes there is, text for text, what the
// command line computes from the study those windows save: the same fields held at the same
// decimals, the same days, the same dilution maximum.
#include "core/numbers/NumberText.h"
#include "core/numbers/ReadableNumber.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/Sectors.h"
#include "core/sectors/dilution/DilutionModel.h"
#include "core/study/StudyFile.h"
#include "frame/ErrorBox.h"
#include "frame/ResultGrid.h"
#include "frame/StudyInputs.h"
#include "models/U_Abast_Publico/TF_Abast_Publico.h"
#include "models/U_Dem_Agua/MaximumBox.h"
#include "models/U_Dem_Agua/TF_Dem_Agua.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"
#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"
#include "support/ProgramRun.h"
#include "support/WindowTesting.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cmath>

using namespace tavi;
using namespace testing;

namespace
{

// Typed as a planner types, the locale's decimal separator written as "#": more decimals than
// a field holds are refused key by key, so "0#2375" stays "0,23".
const char *const kSupplyTyping[][2] = {
    {"me_1", "48213"},  {"me_2", "0#2375"},      {"me_3", "61877"},
    {"me_4", "0#0849"}, {"me_5", "81#456"},      {"e_p_1", "-0#0257319"},
    {"e_p_2", "4#129"}, {"e_p_3", "0#00001137"}, {"e_p_4", "23104#555"}};
const char *const kLivestockTyping[][2] = {
    {"me_bovino", "52#755"},      {"me_suino", "13#5"},      {"me_equino", "41#005"},
    {"me_caprino", "7#125"},      {"me_galinaceo", "0#335"}, {"e_qte_bovino", "15320"},
    {"e_qte_suino", "8251#5"},    {"e_qte_equino", "912"},   {"e_qte_caprino", "3400"},
    {"e_qte_galinaceo", "125000"}};
const char *const kDilutionTyping[][2] = {{"ce_2", "0#4175"}, {"ce_3", "11"}, {"ce_4", "0#555"}};

template <std::size_t N> void typeFields(QWidget *window, const char *const (&typing)[N][2])
{
    const QString separator(LocaleSettings::current().decimalSeparator);
    for (const auto &entry : typing) {
        NumericEdit *field = fieldOf(window, entry[0]);
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        typeInto(field, QString::fromLatin1(entry[1]).replace(QLatin1Char('#'), separator));
        QTest::keyClick(field, Qt::Key_Tab);
    }
}

void simulate(QWidget *window)
{
    window->findChild<QToolButton *>(QStringLiteral("b_simular"))->click();
}

QStringList column(const CellTable &table, int col, int firstRow, int rows)
{
    QStringList texts;
    for (int r = 0; r < rows; ++r)
        texts << table.cell(col, firstRow + r);
    return texts;
}

// A year of ETP and rainfall for the agriculture window, as a study would bring it.
StudyGrid seriesRows()
{
    StudyGrid rows;
    for (int d = 0; d < 366; ++d) {
        const double etp = std::round((4.4 + 1.6 * std::cos(d / 57.0)) * 100) / 100;
        const double rain = d % 5 == 0 ? std::round(8.7 * (1 + std::sin(d / 31.0)) * 100) / 100 : 0;
        rows << StudyRow{formatGeneral(etp, studyNumberSettings()),
                         formatGeneral(rain, studyNumberSettings())};
    }
    return rows;
}

// The daily CSV's columns by the words their headings carry.
QHash<QString, QStringList> csvColumns(const QByteArray &csv)
{
    const QStringList lines = QString::fromUtf8(csv).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList headings = lines.value(0).split(QLatin1Char(';'));
    QHash<QString, QStringList> columns;
    for (int c = 0; c < headings.size(); ++c)
        for (const char *word : {"Abast", "Pecu", "Agric", "Total"})
            if (headings[c].contains(QLatin1String(word)))
                for (int l = 1; l < lines.size(); ++l)
                    columns[QLatin1String(word)] << lines[l].split(QLatin1Char(';')).value(c);
    return columns;
}

} // namespace

class CommandLineRoundTripTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LocaleSettings::setCurrent(LocaleSettings::fromSystem()); }

    void windowsAndCommandLineAgree()
    {
        QString maximum;
        QStringList errors;
        ErrorBox::setPresenter([&errors](QWidget *, const QString &text) { errors << text; });
        MaximumBox::setPresenter([&maximum](QWidget *, const QString &text) { maximum = text; });

        TF_Abast_Publico supply;
        showActive(&supply);
        typeFields(&supply, kSupplyTyping);
        simulate(&supply);
        TF_Mod_Pecuaria livestock;
        showActive(&livestock);
        typeFields(&livestock, kLivestockTyping);
        simulate(&livestock);
        TF_Mod_Agricultura agriculture;
        WindowInputs agricultureInputs =
            windowInputs(defaultStudy(), sectorDescriptor(SectorId::Agriculture).studyKey);
        agricultureInputs.grids[QStringLiteral("SG_Serie")] = seriesRows();
        StudyInputs::fill(&agriculture, agricultureInputs);
        showActive(&agriculture);
        simulate(&agriculture);
        TF_Dem_Agua dilution;
        showActive(&dilution);
        typeFields(&dilution, kDilutionTyping);
        simulate(&dilution);
        ErrorBox::setPresenter({});
        MaximumBox::setPresenter({});
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        QVERIFY(!maximum.isEmpty());

        Study study;
        study.name = QStringLiteral("Digitado nas janelas");
        const std::pair<QWidget *, SectorId> windows[] = {{&supply, SectorId::Supply},
                                                          {&livestock, SectorId::Livestock},
                                                          {&agriculture, SectorId::Agriculture},
                                                          {&dilution, SectorId::Dilution}};
        for (const auto &[window, sector] : windows)
            study.windows[sectorDescriptor(sector).studyKey] = StudyInputs::collect(window);
        // The refused keystrokes left what the fields hold, and the study keeps just that.
        QCOMPARE(study.windows[sectorDescriptor(SectorId::Supply).studyKey].fields["me_2"],
                 QStringLiteral("0.23"));

        QTemporaryDir dir;
        const QString studyPath = dir.filePath(QStringLiteral("digitado.tavi"));
        const QString csvPath = dir.filePath(QStringLiteral("diario.csv"));
        saveStudyFile(studyPath, study);
        const ProgramRun run =
            runProgram({QStringLiteral("calcular"), studyPath, QStringLiteral("--saida"), csvPath});
        CHECK_STATUS(run, 0);
        QFile csvFile(csvPath);
        QVERIFY(csvFile.open(QIODevice::ReadOnly));
        const QHash<QString, QStringList> days = csvColumns(csvFile.readAll());

        QStringList supplyDays = column(supply.resultGrid()->table(), 1, 1, 365);
        supplyDays << supplyDays.last(); // day 366 repeats the constant demand
        QCOMPARE(days.value("Abast"), supplyDays);
        QCOMPARE(days.value("Pecu"),
                 column(livestock.findChild<ResultGrid *>("SG_Resultado")->table(), 6, 1, 366));
        QCOMPARE(days.value("Agric"), column(agriculture.total()->table(), 0, 0, 366));
        QCOMPARE(days.value("Total").size(), 366);

        // The dilution's maximum, as the command line reads it out, and its point.
        const CellTable &points = dilution.resultGrid()->table();
        int point = 0;
        for (int p = 1; p <= kDischargePoints && point == 0; ++p)
            if (points.cell(AccumulatedFlowColumn, p) == maximum)
                point = p;
        QVERIFY(point > 0);
        const QString said = QStringLiteral("acumulada de %1 m3/s, no ponto %2.")
                                 .arg(formatReadable(textToNumber(maximum), kFlowDecimals))
                                 .arg(point);
        QVERIFY2(run.out.contains(said), qPrintable(run.out + QStringLiteral("\n") + said));
    }
};

QTEST_MAIN(CommandLineRoundTripTest)
#include "tst_command_line_round_trip.moc"
