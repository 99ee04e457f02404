#include "core/numbers/NumberText.h"
#include "core/numbers/ReadableNumber.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/sectors/dilution/DilutionModel.h"
#include "core/summary/MunicipalSummary.h"
#include "core/tables/CellTable.h"
#include "frame/ErrorBox.h"
#include "frame/ResultGrid.h"
#include "frame/StudyInputs.h"
#include "models/U_Abast_Publico/TF_Abast_Publico.h"
#include "models/U_Dem_Agua/MaximumBox.h"
#include "models/U_Dem_Agua/TF_Dem_Agua.h"
#include "models/U_Mod_Agricultura/TF_Mod_Agricultura.h"
#include "models/U_Mod_Pecuaria/TF_Mod_Pecuaria.h"
#include "models/U_Resumo_Municipio/TF_Resumo_Municipio.h"
#include "support/WindowTesting.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <cmath>

using namespace tavi;
using namespace testing;

namespace
{

const QString kSupply = keys::kSupplyWindow;
const QString kLivestock = keys::kLivestockWindow;
const QString kAgriculture = keys::kAgricultureWindow;
const QString kDilution = keys::kDilutionWindow;

QString point(double v)
{
    return formatGeneral(v, studyNumberSettings());
}

// A study with every sector at work: fields with up to the fields' decimals and beyond, a
// year of series, a crop table and parameters of its own.
Study variedStudy()
{
    Study s = defaultStudy();
    auto &supply = s.windows[kSupply].fields;
    supply = {{"me_1", "25000"}, {"me_2", "0.23"},      {"me_3", "31000"},
              {"me_4", "0.1"},   {"me_5", "78.5"},      {"e_p_1", "-0.025731"},
              {"e_p_2", "3.47"}, {"e_p_3", "0.000011"}, {"e_p_4", "20000.5"}};
    auto &livestock = s.windows[kLivestock].fields;
    const char *const species[] = {"bovino", "suino", "equino", "caprino", "galinaceo"};
    for (int i = 0; i < 5; ++i) {
        livestock[QStringLiteral("me_") + species[i]] = point(10.25 * (i + 1));
        livestock[QStringLiteral("e_qte_") + species[i]] = QString::number(1234 * (i + 2));
    }
    StudyGrid &serie = s.windows[kAgriculture].grids["SG_Serie"];
    for (int d = 0; d < serie.size(); ++d)
        serie[d] = {point(std::round((4.5 + 1.7 * std::cos(d / 58.0)) * 100) / 100),
                    point(d % 6 == 0 ? std::round(9.3 * (1 + std::sin(d / 40.0)) * 10) / 10 : 0)};
    StudyGrid &param = s.windows[kAgriculture].grids["SG_Param"];
    for (int k = 0; k < 9; ++k) {
        param[0][k] = QString::number(1 + 37 * k % 300);
        param[1][k] = point(0.5 + k * 0.25);
    }
    s.windows[kAgriculture].grids["SG_Entrada"][3][4] = QStringLiteral("   0.8");
    auto &dilution = s.windows[kDilution].fields;
    dilution["ce_2"] = "0.41";
    dilution["ce_4"] = "0.75";
    return s;
}

struct WindowRun {
    QStringList errors;
    QString maximum;
};

// Opens the window on the study's inputs and presses "Simular", as a planner would.
WindowRun simulateIn(QWidget *window, const Study &study)
{
    WindowRun run;
    ErrorBox::setPresenter([&run](QWidget *, const QString &text) { run.errors << text; });
    MaximumBox::setPresenter([&run](QWidget *, const QString &text) { run.maximum = text; });
    StudyInputs::fill(window, windowInputs(study, StudyInputs::studyKeyOf(window)));
    showActive(window);
    window->findChild<QToolButton *>(QStringLiteral("b_simular"))->click();
    ErrorBox::setPresenter({});
    MaximumBox::setPresenter({});
    return run;
}

// Types the study's inputs into the window as a planner does: each field entered, its number
// typed in the locale and left with Tab; each input grid pasted as a block. Then "Simular",
// and the window's inputs go back into `collected`.
void typeAndRun(ModuleWindow *window, const Study &study, Study &collected)
{
    const LocaleSettings &locale = LocaleSettings::current();
    const QString key = StudyInputs::studyKeyOf(window);
    const WindowInputs inputs = windowInputs(study, key);
    QVERIFY(showActive(window));
    for (auto field = inputs.fields.cbegin(); field != inputs.fields.cend(); ++field)
        typeIntoField(window, field.key(), fromStudyText(field.value(), locale));
    const StudyWindowLayout &layout = *findWindowLayout(key);
    for (const StudyGridLayout &gridLayout : layout.grids) {
        auto *grid = window->findChild<ResultGrid *>(gridLayout.name);
        const StudyGrid &rows = inputs.grids[gridLayout.name];
        QStringList lines;
        for (const StudyRow &row : rows) {
            QStringList cells;
            for (const QString &text : row)
                cells << fromStudyText(text, locale);
            lines << cells.join(QLatin1Char('\t'));
        }
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(grid->table().viewRow(gridLayout.firstRow),
                                                   gridLayout.columns.front()));
        QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
        QVERIFY(grid->pasteClipboard());
    }
    window->simularButton()->click();
    collected.windows[key] = StudyInputs::collect(window);
}

QStringList column(const CellTable &table, int col, int firstRow, int rows)
{
    QStringList texts;
    for (int r = 0; r < rows; ++r)
        texts << table.cell(col, firstRow + r);
    return texts;
}

} // namespace

class MunicipalSummaryTest : public QObject
{
    Q_OBJECT

private slots:
    // A planner types a study into the four windows and runs each; the summary of the study
    // the windows give back shows, text for text, what the windows show: each sector's days
    // (the supply's day 366 repeating its constant demand), the dilution's maximum and the
    // point where the window's grid shows it.
    void theSummaryShowsWhatTheWindowsShow_data()
    {
        QTest::addColumn<bool>("nextYear");
        QTest::addColumn<QString>("locale");
        QTest::newRow("current, comma") << false << "comma";
        QTest::newRow("next year, comma") << true << "comma";
        QTest::newRow("current, point") << false << "point";
    }
    void theSummaryShowsWhatTheWindowsShow()
    {
        QFETCH(bool, nextYear);
        QFETCH(QString, locale);
        LocaleScope scope(settingsNamed(locale));
        const Study typed = variedStudy();
        Study collected;
        QString maximumShown;
        MaximumBox::setPresenter(
            [&maximumShown](QWidget *, const QString &text) { maximumShown = text; });
        ErrorRecorder errors;

        TF_Abast_Publico supply;
        typeAndRun(&supply, typed, collected);
        TF_Mod_Pecuaria livestock;
        typeAndRun(&livestock, typed, collected);
        TF_Mod_Agricultura agriculture;
        typeAndRun(&agriculture, typed, collected);
        TF_Dem_Agua dilution;
        typeAndRun(&dilution, typed, collected);
        MaximumBox::setPresenter({});
        QCOMPARE(errors.messages, QStringList());

        const MunicipalSummary summary = summarizeStudy(
            collected, nextYear ? SupplyScenario::NextYear : SupplyScenario::Current);
        QVERIFY(summary.errors().isEmpty());
        QStringList supplyDays = column(supply.resultGrid()->table(), nextYear ? 2 : 1, 1, 365);
        supplyDays << supplyDays.last();
        QCOMPARE(summary.series(SectorId::Supply).dailyTexts, supplyDays);
        QCOMPARE(summary.series(SectorId::Livestock).dailyTexts,
                 column(livestock.resultGrid()->table(), 6, 1, 366));
        QCOMPARE(summary.series(SectorId::Agriculture).dailyTexts,
                 column(agriculture.total()->table(), 0, 0, 366));
        QCOMPARE(summary.dilutionMaximumText, maximumShown);
        QCOMPARE(dilution.resultGrid()->table().cell(AccumulatedFlowColumn, summary.dilutionPoint),
                 maximumShown);

        // The total and the annual figures from the numbers shown.
        for (int day = 0; day < kSummaryDays; ++day) {
            long double total = 0;
            for (const SectorSeries &s : summary.sectors)
                total += textToNumber(s.dailyTexts[day]);
            QCOMPARE(summary.totalTexts[day], formatGeneral(total));
        }
        long double shares = 0;
        for (int s = 0; s < kSummarySectors; ++s)
            shares += summary.shares[s];
        QVERIFY(std::fabs(double(shares) - 100) < 1e-9);
        QCOMPARE(summary.totalTexts[summary.peakDay - 1], formatGeneral(summary.peakTotal));
    }

    // A sector whose inputs cannot be read reports its window's own message, named, and the
    // others are still computed and added up.
    void unreadableSectorIsNamedAndTheRestComputed()
    {
        LocaleScope comma(LocaleSettings::brazilian());
        Study study = variedStudy();
        study.windows[kAgriculture].grids["SG_Serie"][99][1] = QStringLiteral("abc");
        const MunicipalSummary summary = summarizeStudy(study, SupplyScenario::Current);

        TF_Mod_Agricultura agriculture;
        const WindowRun run = simulateIn(&agriculture, study);
        QCOMPARE(run.errors.size(), 1);
        // The window's box and the summary name the message and its place alike.
        QCOMPARE(ErrorBox::text(summary.series(SectorId::Agriculture).error,
                                summary.series(SectorId::Agriculture).errorWhere),
                 run.errors.first());
        QCOMPARE(summary.series(SectorId::Agriculture).errorWhere,
                 QStringLiteral("Série, dia 100, coluna P"));
        QCOMPARE(summary.errors(), QStringList{QStringLiteral("Agricultura: ") +
                                               summary.series(SectorId::Agriculture).error});
        QVERIFY(summary.series(SectorId::Supply).computed());
        QVERIFY(summary.series(SectorId::Livestock).computed());
        QCOMPARE(summary.totalTexts[0],
                 formatGeneral(textToNumber(summary.series(SectorId::Supply).dailyTexts[0]) +
                               textToNumber(summary.series(SectorId::Livestock).dailyTexts[0])));
        QVERIFY(summary.dilutionError.isEmpty());
    }

    // Tab runs in reading order, leaves the tables at once and comes round; no stop looks
    // focused when it is not.
    void tabRunsInReadingOrder()
    {
        TF_Resumo_Municipio window([] { return defaultStudy(); });
        QVERIFY(showActive(&window));
        auto *report = window.findChild<QPushButton *>("b_relatorio");
        QVERIFY(!report->autoDefault() && !report->isDefault());
        report->setFocus();
        QStringList order;
        for (int press = 0; press < 8; ++press) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{"b_relatorio", "b_simular", "b_salvar", "b_sair", "cb_cenario",
                                     "SG_Resumo", "SG_Anual", "b_relatorio"}));
    }

    // The window shows the summary as computed, switches the supply scenario and lists the
    // errors beside the annual figures.
    void windowShowsTheSummary()
    {
        LocaleScope comma(LocaleSettings::brazilian());
        Study study = variedStudy();
        TF_Resumo_Municipio window([&study] { return study; });
        QVERIFY(showActive(&window));
        const CellTable &days = window.summaryGrid()->table();
        QCOMPARE(days.cell(0, 0), QStringLiteral("DIA"));
        QCOMPARE(days.cell(1, 0), QStringLiteral("Abast. ATUAL"));
        const MunicipalSummary current = summarizeStudy(study, SupplyScenario::Current);
        QCOMPARE(column(days, 4, 1, 366), current.totalTexts);
        // Annual figures and the peak day for reading: grouped, with sensible places.
        const CellTable &figures = window.figuresGrid()->table();
        QCOMPARE(figures.cell(1, 4), formatReadable(current.annualTotal, 0));
        QVERIFY(figures.cell(1, 4).contains(QLatin1Char('.')));
        QCOMPARE(figures.cell(2, 4), QStringLiteral("100,0"));
        QCOMPARE(figures.cell(2, 6),
                 formatReadable(current.peakTotal, 0, QStringLiteral("m3/dia")));
        QVERIFY(window.findChild<QLabel *>("l_erros")->text().contains(
            QStringLiteral("Dia de maior demanda: %1, com %2.")
                .arg(dayLabel(current.peakDay),
                     formatReadable(current.peakTotal, 0, QStringLiteral("m3/dia")))));

        auto *scenario = window.findChild<QComboBox *>("cb_cenario");
        scenario->setCurrentIndex(1);
        QCOMPARE(days.cell(1, 0), QStringLiteral("Abast. FUTURA"));
        QCOMPARE(
            column(days, 1, 1, 366),
            summarizeStudy(study, SupplyScenario::NextYear).series(SectorId::Supply).dailyTexts);

        // "Atualizar" reads the study again.
        study.windows[kAgriculture].grids["SG_Serie"][0][0] = QStringLiteral("x");
        window.simularButton()->click();
        QVERIFY(window.findChild<QLabel *>("l_erros")->text().contains(
            QStringLiteral("Agricultura: 'x' não é um valor de ponto flutuante válido.")));
        QVERIFY(days.cell(3, 1).isEmpty());
        QVERIFY(!days.cell(2, 1).isEmpty());
        QCOMPARE(window.figuresGrid()->table().cell(1, 3), QStringLiteral("—"));
    }
};

QTEST_MAIN(MunicipalSummaryTest)
#include "tst_municipal_summary.moc"
