#include "core/horizon/HorizonDrivers.h"
#include "core/horizon/HorizonTables.h"
#include "core/numbers/StudyText.h"
#include "core/projection/PopulationProjection.h"
#include "core/sectors/catalogue/HorizonKeys.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "export/ProgramSpreadsheetFactory.h"
#include "export/RecordingSpreadsheet.h"
#include "frame/NumericEdit.h"
#include "frame/ResultGrid.h"
#include "models/U_Horizonte/HorizonComputation.h"
#include "models/U_Horizonte/HorizonEditor.h"
#include "models/U_Horizonte/HorizonResultsPanel.h"
#include "models/U_Horizonte/PopulationPanel.h"
#include "models/U_Horizonte/ScenarioPrompts.h"
#include "models/U_Horizonte/TF_Horizonte.h"
#include "models/U_Horizonte/WindowFieldsPanel.h"
#include "support/SummaryStudies.h"
#include "support/WindowTesting.h"

#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace tavi;
using namespace testing;

namespace
{

constexpr int kBaseYear = 2026;

// Every sector at work, and a horizon of 2026 to 2046 whose counts fit every method.
Study horizonStudy()
{
    Study study = everySectorStudy();
    study.horizon = horizon::newHorizon(study, kBaseYear);
    return study;
}

// The table of texts of a grid's rows from 0 to `rows` - 1, as a list to compare.
QStringList rowsOf(const CellTable &table, int rows)
{
    QStringList cells;
    for (int r = 0; r < rows && r < table.storedRows(); ++r)
        for (int c = 0; c < table.columns(); ++c)
            cells << table.cell(c, r);
    return cells;
}

template <class W> W *child(const QWidget *window, const char *name)
{
    return window->findChild<W *>(QLatin1String(name));
}

// Brings the drivers' tab holding `control` to the front, as the user would before typing.
void showTabOf(TF_Horizonte &window, QWidget *control)
{
    QTabWidget *tabs = window.driverTabs();
    for (int t = 0; t < tabs->count(); ++t)
        if (tabs->widget(t)->isAncestorOf(control))
            tabs->setCurrentIndex(t);
}

// Types over what the field holds and leaves it with Tab; an empty text empties it.
void typeDriver(TF_Horizonte &window, const char *field, const QString &text)
{
    NumericEdit *edit = fieldOf(&window, field);
    showTabOf(window, edit);
    if (!text.isEmpty()) {
        typeIntoField(&window, QLatin1String(field), text);
        return;
    }
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Tab);
}

// The counts typed into SG_Censos, row by row from its first data row, in the locale's words.
void typeCounts(TF_Horizonte &window, const QList<QPair<QString, QString>> &counts)
{
    ResultGrid *grid = child<ResultGrid>(&window, "SG_Censos");
    CellTable &table = grid->table();
    CellTable::Batch batch(table);
    for (int r = 1; r < table.storedRows(); ++r)
        for (int c = 0; c < 2; ++c)
            table.setCell(c, r, QString());
    for (int r = 0; r < counts.size(); ++r) {
        table.setCell(0, r + 1, counts[r].first);
        table.setCell(1, r + 1, counts[r].second);
    }
}

// Scenario names the user would type, one per question, and the questions asked.
struct Answers {
    QStringList names;
    QStringList asked;
    bool removal = true;

    Answers()
    {
        ScenarioPrompts::Hooks hooks;
        hooks.askName = [this](QWidget *, const QString &title, const QString &suggested,
                               const ScenarioPrompts::NameCheck &check) -> std::optional<QString> {
            asked << title + QStringLiteral(" [") + suggested + QLatin1Char(']');
            if (names.isEmpty())
                return std::nullopt;
            const QString name = names.takeFirst();
            // The dialog accepts no name its check refuses.
            if (!check(name).isEmpty()) {
                asked << QStringLiteral("recusado: ") + check(name);
                return std::nullopt;
            }
            return name;
        };
        hooks.confirmRemoval = [this](QWidget *, const QString &name) {
            asked << QStringLiteral("excluir ") + name;
            return removal;
        };
        ScenarioPrompts::setHooks(hooks);
    }
    ~Answers() { ScenarioPrompts::setHooks({}); }
};

QStringList listed(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

bool nothingProjected(TF_Horizonte &window)
{
    const ResultGrid *years = window.results()->yearGrid();
    return years->cell(0, 1).isEmpty() &&
           window.results()->status()->text().startsWith(QStringLiteral("Nada projetado"));
}

} // namespace

class HorizonWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<LocaleScope> m_locale;

private slots:
    void init() { m_locale = std::make_unique<LocaleScope>(LocaleSettings::brazilian()); }
    void cleanup() { m_locale.reset(); }

    void componentsCarryTheirNames_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("counts") << "grid"
                                << "SG_Censos";
        QTest::newRow("years") << "grid"
                               << "SG_Horizonte";
        QTest::newRow("methods") << "grid"
                                 << "SG_Metodos";
        QTest::newRow("differences") << "grid"
                                     << "SG_Diferencas";
        QTest::newRow("method") << "combo"
                                << "cb_metodo";
        QTest::newRow("scenario") << "combo"
                                  << "cb_cenario";
        for (const char *button :
             {"b_novo", "b_renomear", "b_duplicar", "b_excluir", "b_salvar", "b_sair"})
            QTest::newRow(button) << "button" << button;
    }
    void componentsCarryTheirNames()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        TF_Horizonte window(horizonStudy());
        QCOMPARE(window.objectName(), QStringLiteral("TF_Horizonte"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Horizonte e Cenários"));
        QObject *found = kind == QLatin1String("grid") ? window.findChild<ResultGrid *>(name)
                         : kind == QLatin1String("combo")
                             ? window.findChild<QComboBox *>(name)
                             : static_cast<QObject *>(window.findChild<QAbstractButton *>(name));
        QVERIFY2(found, qPrintable(name));
    }

    // Every count typed updates the methods' table at once, as the core fills it for the
    // counts and the final year; a cell counts while it is still being typed.
    void countsUpdateTheMethodsTable_data()
    {
        QTest::addColumn<QStringList>("years");
        QTest::addColumn<QStringList>("populations");
        QTest::addColumn<bool>("equallySpaced");
        QTest::newRow("every ten years") << QStringList{"2000", "2010", "2020"}
                                         << QStringList{"40000", "46000", "50500"} << true;
        QTest::newRow("IBGE censuses")
            << QStringList{"1970", "1980", "1991", "2000", "2010", "2022"}
            << QStringList{"21000", "25500", "31200", "36000", "40100", "44800"} << false;
        QTest::newRow("decimal comma")
            << QStringList{"2010", "2022"} << QStringList{"10500,5", "12000"} << false;
    }
    void countsUpdateTheMethodsTable()
    {
        QFETCH(QStringList, years);
        QFETCH(QStringList, populations);
        QFETCH(bool, equallySpaced);
        TF_Horizonte window(horizonStudy());
        QVERIFY(showActive(&window));
        ResultGrid *counts = child<ResultGrid>(&window, "SG_Censos");
        QList<QPair<QString, QString>> rows;
        std::vector<projection::PopulationCount> expectedCounts;
        for (int i = 0; i < years.size(); ++i) {
            rows << qMakePair(years[i], populations[i]);
            long double population = 0;
            QVERIFY(tryTextToNumber(populations[i], &population));
            expectedCounts.push_back({years[i].toInt(), population});
        }
        typeCounts(window, rows);

        CellTable expected(horizon::kProjectionColumns, 9, 9, true);
        horizon::fillProjectionTable(expected, projection::fitEveryMethod(expectedCounts),
                                     kBaseYear + 20);
        QCOMPARE(rowsOf(window.population()->methodsGrid()->table(), 9), rowsOf(expected, 9));
        QVERIFY(!window.population()->methodsGrid()->cell(1, 1).isEmpty());
        QLabel *note = window.population()->countsMessage();
        QCOMPARE(note->isVisibleTo(&window), !equallySpaced);
        if (!equallySpaced)
            QVERIFY(note->text().contains(QStringLiteral("igualmente espaçadas")));
        QVERIFY(window.findChild<QChartView *>(QStringLiteral("ch_metodos")));

        // Typing over the last population: the table follows the keystrokes.
        const QString before = window.population()->methodsGrid()->cell(1, 2);
        counts->setFocus();
        counts->setCurrentIndex(counts->model()->index(int(years.size()) - 1, 1));
        QTest::keyClicks(counts, QStringLiteral("9"));
        QTRY_VERIFY(window.population()->methodsGrid()->cell(1, 2) != before);
        QCOMPARE(window.editor()->table(keys::kCensusCounts).last().value(1), QStringLiteral("9"));

        // Escape takes the typing back: so does the study, and the table with it.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(window.isVisible());
        QTRY_COMPARE(window.population()->methodsGrid()->cell(1, 2), before);
        QCOMPARE(window.editor()->table(keys::kCensusCounts).last().value(1),
                 toStudyText(populations.last(), LocaleSettings::current()));
    }

    // Counts the rules refuse are named beside SG_Censos, and nothing is projected from them:
    // no method's population, no year of the scenario.
    void refusedCountsAreNamedBesideTheGrid_data()
    {
        QTest::addColumn<QStringList>("years");
        QTest::addColumn<QStringList>("populations");
        QTest::addColumn<QString>("message");
        QTest::newRow("one count")
            << QStringList{"2010"} << QStringList{"1000"} << "Informe ao menos duas contagens";
        QTest::newRow("a year twice")
            << QStringList{"2000", "2010", "2000"} << QStringList{"900", "1000", "950"}
            << "O ano 2000 aparece duas vezes";
        QTest::newRow("before the first census")
            << QStringList{"1850", "2010"} << QStringList{"100", "1000"}
            << "O ano 1850 está fora de 1872 a 2100";
        QTest::newRow("negative") << QStringList{"2000", "2010"} << QStringList{"900", "-5"}
                                  << "A população de 2010 é negativa";
        QTest::newRow("not a number") << QStringList{"2000", "2010"} << QStringList{"900", "mil"}
                                      << "Linha 2: 'mil' não é um valor de ponto flutuante";
        QTest::newRow("no population") << QStringList{"2000", "2010"} << QStringList{"900", ""}
                                       << "Linha 2: falta a população";
    }
    void refusedCountsAreNamedBesideTheGrid()
    {
        QFETCH(QStringList, years);
        QFETCH(QStringList, populations);
        QFETCH(QString, message);
        ErrorRecorder errors;
        TF_Horizonte window(horizonStudy());
        QVERIFY(showActive(&window));
        QList<QPair<QString, QString>> rows;
        for (int i = 0; i < years.size(); ++i)
            rows << qMakePair(years[i], populations[i]);
        typeCounts(window, rows);
        QLabel *beside = window.population()->countsMessage();
        QVERIFY(beside->isVisibleTo(&window));
        QVERIFY2(beside->text().startsWith(message), qPrintable(beside->text()));
        QCOMPARE(beside->buddy(), child<QWidget>(&window, "SG_Censos"));
        QCOMPARE(window.population()->methodsGrid()->cell(1, 1), QString());
        QTRY_VERIFY(nothingProjected(window));
        QVERIFY(window.results()->status()->text().contains(message));
        QVERIFY(errors.messages.isEmpty());
    }

    // Each driver the rules refuse is named beside its own field, and the scenario is not
    // projected until it is put right; then it is.
    void refusedDriversAreNamedBesideTheirField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("beside");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("putRight");
        QTest::newRow("final year before the base") << "e_ano_final"
                                                    << "2020"
                                                    << "l_horizonte"
                                                    << "O ano final (2020) é anterior"
                                                    << "2046";
        QTest::newRow("beyond 50 years") << "e_ano_final"
                                         << "2090"
                                         << "l_horizonte"
                                         << "O ano final (2090) está a mais de 50 anos"
                                         << "2076";
        QTest::newRow("base year out of range") << "e_ano_base"
                                                << "1700"
                                                << "l_horizonte"
                                                << "O ano 1700 está fora de 1872 a 2100"
                                                << "2026";
        QTest::newRow("coverage above 100 %") << "e_cobertura_alvo"
                                              << "120"
                                              << "l_cobertura_alvo"
                                              << "A cobertura-alvo de 120"
                                              << "100";
        QTest::newRow("losses of 100 %") << "e_perdas_atuais"
                                         << "100"
                                         << "l_perdas_atuais"
                                         << "As perdas atuais de 100"
                                         << "25";
        QTest::newRow("target losses above 100 %") << "e_perdas_alvo"
                                                   << "130"
                                                   << "l_perdas_alvo"
                                                   << "As perdas-alvo de 130"
                                                   << "";
    }
    void refusedDriversAreNamedBesideTheirField()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, beside);
        QFETCH(QString, message);
        QFETCH(QString, putRight);
        ErrorRecorder errors;
        TF_Horizonte window(horizonStudy());
        QVERIFY(showActive(&window));
        QTRY_VERIFY(window.results()->isCurrent());
        typeDriver(window, qPrintable(field), typed);

        QLabel *label = child<QLabel>(&window, qPrintable(beside));
        QVERIFY(label && label->isVisibleTo(&window));
        QVERIFY2(label->text().startsWith(message), qPrintable(label->text()));
        QVERIFY(!window.results()->isCurrent());
        QTRY_VERIFY(nothingProjected(window));
        // Still nothing a while later: no run of the refused inputs comes in behind it.
        QTest::qWait(3 * TF_Horizonte::kPauseMs);
        QVERIFY(nothingProjected(window));

        typeDriver(window, qPrintable(field), putRight);
        QVERIFY(!label->isVisibleTo(&window));
        QTRY_VERIFY(window.results()->isCurrent());
        QVERIFY(!window.results()->yearGrid()->cell(0, 1).isEmpty());
        QVERIFY(errors.messages.isEmpty());
    }

    void scenariosAreCreatedRenamedDuplicatedAndDeleted()
    {
        Answers answers;
        TF_Horizonte window(horizonStudy());
        QVERIFY(showActive(&window));
        auto *list = child<QComboBox>(&window, "cb_cenario");
        auto *rename = child<QPushButton>(&window, "b_renomear");
        auto *remove = child<QPushButton>(&window, "b_excluir");
        QCOMPARE(listed(list), QStringList{"Base"});
        QVERIFY(!rename->isEnabled() && !remove->isEnabled());

        answers.names = QStringList{"Tendencial"};
        child<QPushButton>(&window, "b_novo")->click();
        QCOMPARE(listed(list), (QStringList{"Base", "Tendencial"}));
        QCOMPARE(list->currentText(), QStringLiteral("Tendencial"));
        QVERIFY(rename->isEnabled() && remove->isEnabled());
        QVERIFY(window.editor()->horizon().scenarios[1].inputs.isEmpty());

        // A name already used, letter case aside, is refused by the name's own check.
        answers.names = QStringList{"BASE"};
        rename->click();
        QVERIFY(answers.asked.last().startsWith(QStringLiteral("recusado: Já existe")));
        answers.names = QStringList{"Uso racional"};
        rename->click();
        QCOMPARE(listed(list), (QStringList{"Base", "Uso racional"}));

        typeDriver(window, "e_cobertura_alvo", QStringLiteral("95"));
        answers.names = QStringList{"Uso racional 2"};
        child<QPushButton>(&window, "b_duplicar")->click();
        QCOMPARE(answers.asked.last(), QStringLiteral("Duplicar cenário [Uso racional (cópia)]"));
        QCOMPARE(listed(list), (QStringList{"Base", "Uso racional", "Uso racional 2"}));
        QCOMPARE(window.editor()->horizon().scenarios[2].inputs,
                 window.editor()->horizon().scenarios[1].inputs);

        answers.removal = false;
        remove->click();
        QCOMPARE(list->count(), 3);
        answers.removal = true;
        remove->click();
        QCOMPARE(answers.asked.last(), QStringLiteral("excluir Uso racional 2"));
        QCOMPARE(listed(list), (QStringList{"Base", "Uso racional"}));
        QCOMPARE(list->currentText(), QStringLiteral("Uso racional"));

        // Each scenario computed, and the difference table has a row for the one after Base.
        QTRY_VERIFY(window.results()->isCurrent());
        QCOMPARE(window.shownResults()->runs.size(), std::size_t(2));
        QVERIFY(window.results()->differenceGrid()->cell(0, 1).startsWith(
            QStringLiteral("Uso racional")));

        list->setCurrentIndex(0);
        QVERIFY(!rename->isEnabled() && !remove->isEnabled());
    }

    // A scenario shows the base's value of each driver until it sets its own; the base's
    // later changes reach it only where it follows; "Base" puts a driver back to following.
    void scenarioDriversFollowTheBaseUnlessSet()
    {
        Answers answers;
        TF_Horizonte window(horizonStudy());
        QVERIFY(showActive(&window));
        typeDriver(window, "e_cobertura_alvo", QStringLiteral("95"));
        answers.names = QStringList{"Meta antecipada"};
        child<QPushButton>(&window, "b_novo")->click();
        NumericEdit *coverage = fieldOf(&window, "e_cobertura_alvo");
        auto *followBase = child<QToolButton>(&window, "b_base_cobertura_alvo");
        QCOMPARE(coverage->value(), 95.0L);
        QVERIFY(followBase->isVisibleTo(&window) && !followBase->isEnabled());

        typeDriver(window, "e_cobertura_alvo", QStringLiteral("99"));
        QVERIFY(window.editor()->ownsDriver(keys::kCoverageTarget));
        QVERIFY(followBase->isEnabled());
        QVERIFY(coverage->accessibleDescription().contains(QStringLiteral("próprio")));
        // Only what was typed is the scenario's own.
        QCOMPARE(window.editor()->horizon().scenarios[1].inputs.drivers.keys(),
                 QStringList{QString(keys::kCoverageTarget)});

        child<QComboBox>(&window, "cb_cenario")->setCurrentIndex(0);
        QVERIFY(!followBase->isVisibleTo(&window));
        typeDriver(window, "e_cobertura_alvo", QStringLiteral("97"));
        typeDriver(window, "e_variacao_per_capita", QStringLiteral("1,5"));
        child<QComboBox>(&window, "cb_cenario")->setCurrentIndex(1);
        QCOMPARE(coverage->value(), 99.0L);
        QCOMPARE(fieldOf(&window, "e_variacao_per_capita")->value(), 1.5L);
        const Study study = window.editor()->study();
        QCOMPARE(resolveScenario(study, 1).drivers.value(keys::kCoverageTarget),
                 QStringLiteral("99"));
        QCOMPARE(resolveScenario(study, 1).drivers.value(keys::kPerCapitaChange),
                 QStringLiteral("1.5"));

        followBase->click();
        QCOMPARE(coverage->value(), 97.0L);
        QVERIFY(!window.editor()->ownsDriver(keys::kCoverageTarget));
        QVERIFY(!followBase->isEnabled());
    }

    // A target typed as 0 is a target of 0; only a field left blank leaves it unset (losses
    // that stay as today's, efficiencies as typed), and each shows as what it is.
    void aTargetOfZeroIsNotATargetLeftBlank_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("key");
        QTest::newRow("losses") << "e_perdas_alvo" << QString(keys::kLossesTarget);
        QTest::newRow("efficiency") << "e_eficiencia_alvo" << QString(keys::kEfficiencyTarget);
    }
    void aTargetOfZeroIsNotATargetLeftBlank()
    {
        QFETCH(QString, field);
        QFETCH(QString, key);
        TF_Horizonte window(horizonStudy());
        QVERIFY(showActive(&window));
        const QByteArray name = field.toLatin1();
        NumericEdit *edit = fieldOf(&window, name.constData());
        QCOMPARE(window.editor()->driver(key), QString());
        QCOMPARE(edit->text(), QString());

        typeDriver(window, name.constData(), QStringLiteral("0"));
        QCOMPARE(window.editor()->driver(key), QStringLiteral("0"));
        QVERIFY(!edit->text().isEmpty());

        typeDriver(window, name.constData(), QString());
        QCOMPARE(window.editor()->driver(key), QString());
        QCOMPARE(edit->text(), QString());
    }

    // A window's field replaced in a scenario: typed in the last column, in the locale's
    // words, kept as the study keeps numbers; emptied, it follows the base again.
    void windowFieldsAreReplacedPerScenario_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::newRow("comma") << "comma"
                               << "0,15";
        QTest::newRow("point") << "point"
                               << "0.15";
    }
    void windowFieldsAreReplacedPerScenario()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        LocaleScope settings(settingsNamed(locale));
        Answers answers;
        TF_Horizonte window(horizonStudy());
        QVERIFY(showActive(&window));
        WindowFieldsPanel *fields = window.windowFields();
        showTabOf(window, fields->grid());
        const int row = fields->rowOf(keys::kSupplyWindow, keys::kCurrentPerCapita);
        QVERIFY(row > 0);
        QCOMPARE(fields->grid()->cell(WindowFieldsPanel::kBaseColumn, row),
                 fromStudyText(QStringLiteral("0.2"), LocaleSettings::current()));
        QVERIFY(!fields->grid()->isEditable());

        answers.names = QStringList{"Uso racional"};
        child<QPushButton>(&window, "b_novo")->click();
        QVERIFY(fields->grid()->isEditable());
        fields->grid()->setCell(WindowFieldsPanel::kOwnColumn, row, typed);
        QCOMPARE(resolveScenario(window.editor()->study(), 1)
                     .windows.value(keys::kSupplyWindow)
                     .fields.value(keys::kCurrentPerCapita),
                 QStringLiteral("0.15"));
        // The base and the study's own window are untouched.
        QCOMPARE(resolveScenario(window.editor()->study(), 0)
                     .windows.value(keys::kSupplyWindow)
                     .fields.value(keys::kCurrentPerCapita),
                 QStringLiteral("0.2"));

        // A text that is no number never reaches the study, which could not read it back.
        fields->grid()->setCell(WindowFieldsPanel::kOwnColumn, row, QStringLiteral("abc"));
        auto *beside = child<QLabel>(&window, "l_janelas");
        QVERIFY(beside->isVisibleTo(&window));
        QVERIFY(beside->text().contains(QStringLiteral("'abc' não é")));
        QCOMPARE(window.editor()->windowField(keys::kSupplyWindow, keys::kCurrentPerCapita),
                 QStringLiteral("0.15"));

        fields->grid()->setCell(WindowFieldsPanel::kOwnColumn, row, QString());
        QVERIFY(!window.editor()->ownsWindowField(keys::kSupplyWindow, keys::kCurrentPerCapita));
        QVERIFY(window.editor()->horizon().scenarios[1].inputs.windows.isEmpty());
        QVERIFY(!beside->isVisibleTo(&window));

        // Typed, it counts at once; given up with Escape, the base is followed again.
        ResultGrid *grid = fields->grid();
        grid->setFocus();
        grid->setCurrentIndex(
            grid->model()->index(grid->table().viewRow(row), WindowFieldsPanel::kOwnColumn));
        QTest::keyClicks(grid, QStringLiteral("7"));
        QVERIFY(window.editor()->ownsWindowField(keys::kSupplyWindow, keys::kCurrentPerCapita));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(
            !window.editor()->ownsWindowField(keys::kSupplyWindow, keys::kCurrentPerCapita));
        QVERIFY(window.isVisible());
    }

    // The year table is marked as out of date from the moment an input changes until the
    // run of the inputs as they are comes back, and then holds exactly that run's table.
    void yearTableShowsTheRunOnceItIsBack()
    {
        TF_Horizonte window(horizonStudy());
        HorizonResultsPanel *results = window.results();
        QVERIFY(!results->isCurrent());
        QCOMPARE(results->status()->text(), QStringLiteral("Calculando…"));
        QVERIFY(!results->yearGrid()->isEnabled());
        QVERIFY(showActive(&window));
        QTRY_VERIFY(results->isCurrent());
        QVERIFY(results->yearGrid()->isEnabled());

        // The core's table of the run of the inputs as they are now, and its rows.
        auto theRun = [&](int *rows) {
            const horizon::ScenarioRun run =
                horizon::runScenario(window.editor()->study(), 0, LocaleSettings::current());
            *rows = int(run.years.size()) + 1;
            CellTable expected(horizon::kHorizonYearColumns, *rows, *rows, true);
            horizon::fillHorizonYearTable(expected, run);
            return rowsOf(expected, *rows);
        };
        int rows = 0;
        QStringList expected = theRun(&rows);
        QCOMPARE(rows, 22);
        QCOMPARE(rowsOf(results->yearGrid()->table(), rows), expected);
        QVERIFY(!results->yearGrid()->isRowHidden(rows - 2));
        QVERIFY(results->yearGrid()->isRowHidden(rows - 1));
        QCOMPARE(results->yearGrid()->cell(0, 1), QStringLiteral("2026"));
        QVERIFY(window.findChild<QChartView *>(QStringLiteral("ch_setores")));
        QVERIFY(window.findChild<QChartView *>(QStringLiteral("ch_cenarios")));

        typeDriver(window, "e_ano_final", QStringLiteral("2036"));
        QVERIFY(!results->isCurrent());
        QCOMPARE(results->status()->text(), QStringLiteral("Calculando…"));
        QVERIFY(!results->yearGrid()->isEnabled());
        QTRY_VERIFY(results->isCurrent());
        expected = theRun(&rows);
        QCOMPARE(rows, 12);
        QCOMPARE(rowsOf(results->yearGrid()->table(), rows), expected);
        QVERIFY(results->yearGrid()->isRowHidden(rows - 1));
    }

    // "Salvar" right after a change saves the inputs as they are: computed there and then,
    // never the results still on the screen; over years that make no horizon, nothing.
    void salvarSavesTheInputsAsTheyAre()
    {
        RecordingSpreadsheet app;
        setSpreadsheetFactory(&app);
        ErrorRecorder errors;
        TF_Horizonte window(horizonStudy());
        QVERIFY(showActive(&window));
        QTRY_VERIFY(window.results()->isCurrent());
        typeDriver(window, "e_ano_final", QStringLiteral("2036"));
        QVERIFY(!window.results()->isCurrent());
        window.salvarButton()->click();
        QVERIFY(window.results()->isCurrent());
        QCOMPARE(window.shownResults()->runs.front().years.back().year, 2036);
        const QString cells = app.callsOf(RecordingSpreadsheet::CellText).join(QLatin1Char('\n'));
        QVERIFY(cells.contains(QStringLiteral(" 2036\n")));
        QVERIFY(!cells.contains(QStringLiteral(" 2037\n")));
        QVERIFY(errors.messages.isEmpty());

        app.calls.clear();
        typeDriver(window, "e_ano_final", QStringLiteral("2020"));
        window.salvarButton()->click();
        QCOMPARE(errors.messages.size(), 1);
        QVERIFY(errors.messages.first().startsWith(QStringLiteral("Nada a salvar: O ano final")));
        QVERIFY(app.calls.isEmpty());
        setSpreadsheetFactory(nullptr);
    }

    // Computations started one after the other: only the last one's result is delivered.
    void anOlderComputationIsNeverDelivered()
    {
        HorizonComputation computation;
        QSignalSpy delivered(&computation, &HorizonComputation::computed);
        Study study = horizonStudy();
        for (int finalYear : {2070, 2060, 2031}) {
            study.horizon->finalYear = QString::number(finalYear);
            computation.start(study, {});
        }
        QVERIFY(computation.isComputing());
        QTRY_COMPARE(delivered.size(), 1);
        QTest::qWait(200);
        QCOMPARE(delivered.size(), 1);
        QVERIFY(!computation.isComputing());
        const auto results =
            delivered.first().first().value<std::shared_ptr<const HorizonResults>>();
        QVERIFY(results);
        QCOMPARE(results->runs.front().years.back().year, 2031);
    }

    // A scenario refused before computing carries its problem and no years, whatever the
    // core would have made of it; the others are computed.
    void refusedScenariosAreNotProjected()
    {
        Study study = horizonStudy();
        study.horizon->scenarios.push_back({QStringLiteral("Outro"), {}});
        const auto results = HorizonComputation::compute(
            study, {QString(), QStringLiteral("A cobertura-alvo de 120 % passa de 100 %.")},
            LocaleSettings::current());
        QCOMPARE(results->runs.size(), std::size_t(2));
        QVERIFY(results->runs[0].computed() && !results->runs[0].years.empty());
        QVERIFY(!results->runs[1].computed());
        QVERIFY(results->runs[1].years.empty());
        QCOMPARE(results->runs[1].name, QStringLiteral("Outro"));
    }

    // A study without a horizon is shown a new one, but keeps none until something changes.
    void aNewHorizonIsTheStudysOnlyOnceChanged()
    {
        const Study study = everySectorStudy();
        TF_Horizonte window(study);
        QSignalSpy edited(&window, &TF_Horizonte::horizonEdited);
        QVERIFY(showActive(&window));
        QVERIFY(fieldOf(&window, "e_ano_base")->value() > 2000);
        QTRY_VERIFY(window.results()->isCurrent());
        QVERIFY(!window.studyHorizon());
        QCOMPARE(edited.size(), 0);

        typeDriver(window, "e_cobertura_alvo", QStringLiteral("98"));
        QVERIFY(edited.size() > 0);
        QVERIFY(window.studyHorizon());
        QCOMPARE(
            window.studyHorizon()->scenarios.front().inputs.drivers.value(keys::kCoverageTarget),
            QStringLiteral("98"));
    }
};

QTEST_MAIN(HorizonWindowTest)
#include "tst_horizon_window.moc"
