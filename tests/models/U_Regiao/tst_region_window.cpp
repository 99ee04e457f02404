// The region window wired to core: a region file opened, tables taken in through the preview
// (confirmed, cancelled, refused) and undone exactly, groups typed, the region computed and
// cancelled off the window's thread, closing asked about and recovered after a crash, and the
// charts drawn from the results' own figures.
#include "core/region/CodeTable.h"
#include "core/region/MunicipalityCode.h"
#include "core/region/RegionFile.h"
#include "core/region/RegionImport.h"
#include "core/region/RegionTables.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/StudyFile.h"
#include "frame/HelpWindow.h"
#include "frame/ResultGrid.h"
#include "models/U_Regiao/ImportPreviewDialog.h"
#include "models/U_Regiao/RegionCharts.h"
#include "models/U_Regiao/RegionPrompts.h"
#include "models/U_Regiao/SortedRows.h"
#include "models/U_Regiao/TF_Regiao.h"
#include "support/RegionSamples.h"
#include "support/RegionTableFixtures.h"
#include "support/WindowTesting.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

using namespace tavi;
using namespace tavi::region;
using namespace testing;

namespace
{

// São Paulo, Belo Horizonte and Brasília over the default study, its population 12000.
Region threeMunicipalities()
{
    Region region = emptyRegion();
    region.name = QStringLiteral("Três capitais");
    region.templateStudy.windows[keys::kSupplyWindow].fields[keys::kTotalPopulation] = "12000";
    region.municipalities.push_back(sampleMunicipality("3550308", "São Paulo", "SP"));
    region.municipalities.push_back(sampleMunicipality("3106200", "Belo Horizonte", "MG"));
    region.municipalities.push_back(sampleMunicipality("5300108", "Brasília", "DF"));
    return region;
}

// A population table of two of the three and one the region lacks (Curitiba).
QByteArray populationTable()
{
    return sidra(kPopulationTitles,
                 {header({"2022"}), row("3550308", "São Paulo (SP)", {"11451999"}),
                  row("310620", "Belo Horizonte (MG)", {"..."}),
                  row("4106902", "Curitiba (PR)", {"1773718"})});
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
    return path;
}

// The prompts answered as a test chooses, none shown; put back when it goes.
struct Answers {
    QStringList files;
    RegionPrompts::SaveAnswer save = RegionPrompts::SaveAnswer::DontSave;
    bool restore = true;
    QStringList asked;
    // What the planner does in the preview: true confirms.
    std::function<bool(ImportPreviewDialog *)> preview = [](ImportPreviewDialog *) { return true; };

    Answers()
    {
        RegionPrompts::Hooks hooks;
        hooks.chooseFilesToOpen = [this](QWidget *, RegionPrompts::FileKind, const QString &) {
            return files;
        };
        hooks.chooseFileToSave = [this](QWidget *, const QString &, const QString &,
                                        const QString &) { return files.value(0); };
        hooks.askToSave = [this](QWidget *, const QString &name) {
            asked << QStringLiteral("salvar ") + name;
            return save;
        };
        hooks.offerRecovery = [this](QWidget *, const QString &) {
            asked << QStringLiteral("recuperar");
            return restore;
        };
        hooks.runDialog = [this](QDialog *dialog) {
            auto *preview = qobject_cast<ImportPreviewDialog *>(dialog);
            Q_ASSERT(preview);
            const bool confirm = this->preview(preview);
            (confirm ? preview->confirmButton() : preview->cancelButton())->click();
            return dialog->result() == QDialog::Accepted;
        };
        RegionPrompts::setHooks(hooks);
    }
    ~Answers() { RegionPrompts::setHooks({}); }
};

bool waitComputed(const TF_Regiao &window)
{
    return QTest::qWaitFor([&] { return !window.isComputing(); }, 60000);
}

QStringList textsOf(const CellTable &table)
{
    return cellTexts(table);
}

// The texts core's function gives the results, in a table of the grid's size.
template <class Fill> QStringList filled(const CellTable &like, Fill fill)
{
    CellTable table(like.columns(), like.storedRows(), like.storedRows(), true);
    fill(table);
    return cellTexts(table);
}

MunicipalityResult madeResult(const QString &code, const QString &name, const QString &group,
                              long double supply, long double livestock, long double crops)
{
    MunicipalityResult m;
    m.code = code;
    m.name = name;
    m.group = group;
    m.annual = {supply, livestock, crops};
    m.computed = {true, true, true};
    m.annualTotal = supply + livestock + crops;
    return m;
}

QStackedBarSeries *barsOf(QChartView *view)
{
    const auto series = view->chart()->series();
    return series.isEmpty() ? nullptr : qobject_cast<QStackedBarSeries *>(series.first());
}

QStringList categoriesOf(QChartView *view)
{
    for (QAbstractAxis *axis : view->chart()->axes(Qt::Horizontal))
        if (auto *bars = qobject_cast<QBarCategoryAxis *>(axis))
            return bars->categories();
    return {};
}

} // namespace

class RegionWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void opensARegionFile();
    void importThroughThePreview_data();
    void importThroughThePreview();
    void codeTablesThroughThePreview_data();
    void codeTablesThroughThePreview();
    void badTablesChangeNothing_data();
    void badTablesChangeNothing();
    void sanitationYearPicked_data();
    void sanitationYearPicked();
    void groupTypedIsOneUndoStep();
    void notesTakeLineBreaks();
    void municipalitiesAddedAndRemoved_data();
    void municipalitiesAddedAndRemoved();
    void computesOffTheWindowsThread();
    void cancelledComputationShowsNothing();
    void closingAsksAboutUnsavedChanges_data();
    void closingAsksAboutUnsavedChanges();
    void unsavedRegionRecoveredAfterACrash();
    void municipalityAsAStudy();
    void chartsDrawTheResultsFigures();
    void resultRowsSortByTheirFigures_data();
    void resultRowsSortByTheirFigures();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void RegionWindowTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void RegionWindowTest::opensARegionFile()
{
    const Region sample = sampleRegion();
    const QString path = m_dir->filePath(QStringLiteral("ribeira.tavi-regiao"));
    saveRegionFile(path, sample);
    ErrorRecorder errors;
    TF_Regiao window(nullptr, m_dir->filePath(QStringLiteral("copias")));
    QVERIFY(window.openRegion(path));
    QVERIFY(window.region() == sample);
    QCOMPARE(window.regionPath(), path);
    QVERIFY(!window.isModified());
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("SG_Regiao"));
    QCOMPARE(table->rowCount(), int(sample.municipalities.size()));
    QCOMPARE(HelpWindow::pageFor(&window), QStringLiteral("regiao.html"));

    // A file that is no region leaves the open one as it was, and says why.
    const QString bad = writeFile(*m_dir, QStringLiteral("ruim.tavi-regiao"), "{\"formato\": 1");
    QVERIFY(!window.openRegion(bad));
    QCOMPARE(errors.messages.size(), 1);
    QVERIFY2(errors.messages.first().contains(QStringLiteral("ruim.tavi-regiao")),
             qPrintable(errors.messages.first()));
    QVERIFY(window.region() == sample);
    QCOMPARE(window.regionPath(), path);
}

void RegionWindowTest::importThroughThePreview_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("includeMissing");
    QTest::addRow("confirmed") << true << false;
    QTest::addRow("confirmed with Curitiba") << true << true;
    QTest::addRow("cancelled") << false << false;
    QTest::addRow("cancelled with Curitiba") << false << true;
}

void RegionWindowTest::importThroughThePreview()
{
    QFETCH(bool, confirm);
    QFETCH(bool, includeMissing);
    const Region before = threeMunicipalities();
    const QString path = m_dir->filePath(QStringLiteral("tres.tavi-regiao"));
    saveRegionFile(path, before);
    const QString table = writeFile(*m_dir, QStringLiteral("populacao.csv"), populationTable());

    ErrorRecorder errors;
    Answers answers;
    bool offeredUnchecked = false;
    answers.preview = [&](ImportPreviewDialog *dialog) {
        // The region has municipalities: those it lacks are not taken in unless asked.
        offeredUnchecked = !dialog->includeMissing()->isChecked();
        dialog->includeMissing()->setChecked(includeMissing);
        return confirm;
    };
    TF_Regiao window(nullptr, m_dir->filePath(QStringLiteral("copias")));
    QVERIFY(showActive(&window));
    QVERIFY(window.openRegion(path));
    answers.files = {table};
    window.findChild<QAction *>(QStringLiteral("a_importar_tabelas"))->trigger();
    settle();
    QVERIFY2(errors.messages.isEmpty(), qPrintable(errors.messages.join('\n')));
    QVERIFY(offeredUnchecked);

    if (!confirm) {
        QVERIFY(window.region() == before);
        QCOMPARE(window.undoStack()->count(), 0);
        QVERIFY(!window.isModified());
        return;
    }
    // The region the window holds is the one core's preview describes.
    ImportTables tables;
    tables.tables.push_back(loadRegionTable(table));
    ImportOptions options;
    options.addMissingMunicipalities = includeMissing;
    const Region expected = applyImport(before, previewImport(before, tables, options));
    QVERIFY(expected != before);
    QVERIFY(window.region() == expected);
    QCOMPARE(window.region().indexOf(QStringLiteral("4106902")) >= 0, includeMissing);
    QVERIFY(window.isModified());
    auto *list = window.findChild<QTableWidget *>(QStringLiteral("SG_Regiao"));
    QCOMPARE(list->rowCount(), int(expected.municipalities.size()));

    // Ctrl+Z puts back the region exactly as it was, and the file counts as saved again.
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(window.region() == before);
    QVERIFY(!window.isModified());
    QCOMPARE(list->rowCount(), int(before.municipalities.size()));
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(window.region() == expected);
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(window.region() == expected);
}

void RegionWindowTest::codeTablesThroughThePreview_data()
{
    QTest::addColumn<bool>("flows");
    QTest::addColumn<QByteArray>("content");
    QTest::addRow("groups") << false << QByteArray("codigo;grupo\n3550308;Tietê\n310620;Velhas\n");
    QTest::addRow("reference flows") << true << QByteArray("3550308;12,5\n5300108;0,75\n");
}

void RegionWindowTest::codeTablesThroughThePreview()
{
    QFETCH(bool, flows);
    QFETCH(QByteArray, content);
    const Region before = threeMunicipalities();
    const QString path = m_dir->filePath(QStringLiteral("tres.tavi-regiao"));
    saveRegionFile(path, before);
    const QString table = writeFile(*m_dir, QStringLiteral("codigos.csv"), content);
    ErrorRecorder errors;
    Answers answers;
    answers.files = {table};
    TF_Regiao window(nullptr, m_dir->filePath(QStringLiteral("copias")));
    QVERIFY(window.openRegion(path));
    window.findChild<QAction *>(flows ? "a_importar_vazoes" : "a_importar_grupos")->trigger();
    settle();
    QVERIFY2(errors.messages.isEmpty(), qPrintable(errors.messages.join('\n')));
    ImportTables tables;
    tables.codeTables.push_back(
        loadCodeTable(table, flows ? CodeTableKind::ReferenceFlows : CodeTableKind::Groups));
    const Region expected = applyImport(before, previewImport(before, tables));
    QVERIFY(expected != before);
    QVERIFY(window.region() == expected);
    window.undoStack()->undo();
    QVERIFY(window.region() == before);
}

void RegionWindowTest::badTablesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addRow("not a table") << QByteArray("Relatório de vendas\nitem;preço\nlápis;2\n");
    QTest::addRow("empty") << QByteArray();
    QTest::addRow("text for a number") << sidra(
        kPopulationTitles, {header({"2022"}), row("3550308", "São Paulo (SP)", {"muitos"})});
    QTest::addRow("not a municipality's code")
        << sidra(kPopulationTitles, {header({"2022"}), row("9912345", "Lugar (XX)", {"10"})});
}

void RegionWindowTest::badTablesChangeNothing()
{
    QFETCH(QByteArray, content);
    const Region before = threeMunicipalities();
    const QString table = writeFile(*m_dir, QStringLiteral("tabela.csv"), content);
    const QString good = writeFile(*m_dir, QStringLiteral("populacao.csv"), populationTable());
    ErrorRecorder errors;
    Answers answers;
    bool previewed = false;
    answers.preview = [&](ImportPreviewDialog *) { return previewed = true; };
    TF_Regiao window(nullptr, m_dir->filePath(QStringLiteral("copias")));
    QVERIFY(showActive(&window));
    saveRegionFile(m_dir->filePath(QStringLiteral("r.tavi-regiao")), before);
    QVERIFY(window.openRegion(m_dir->filePath(QStringLiteral("r.tavi-regiao"))));
    // A good table beside the bad one is not taken in either: the import is whole or nothing.
    answers.files = {good, table};
    window.findChild<QAction *>(QStringLiteral("a_importar_tabelas"))->trigger();
    settle();
    QCOMPARE(errors.messages.size(), 1);
    QVERIFY2(errors.messages.first().contains(QStringLiteral("tabela.csv")),
             qPrintable(errors.messages.first()));
    QVERIFY(!previewed);
    QVERIFY(window.region() == before);
    QCOMPARE(window.undoStack()->count(), 0);
}

void RegionWindowTest::sanitationYearPicked_data()
{
    QTest::addColumn<int>("picked"); // 0: the dialog cancelled
    QTest::addColumn<QString>("served");
    QTest::addRow("2021") << 2021 << "11451245";
    QTest::addRow("2022") << 2022 << "11500000";
    QTest::addRow("cancelled") << 0 << QString();
}

void RegionWindowTest::sanitationYearPicked()
{
    QFETCH(int, picked);
    QFETCH(QString, served);
    const Region before = threeMunicipalities();
    const QString path = m_dir->filePath(QStringLiteral("tres.tavi-regiao"));
    saveRegionFile(path, before);
    const QString table =
        writeFile(*m_dir, QStringLiteral("snis.csv"),
                  sanitationTable({"355030;São Paulo;SP;2021;SABESP;30,5;11.451.245;180,2",
                                   "355030;São Paulo;SP;2022;SABESP;29,8;11.500.000;152,3"}));
    ErrorRecorder errors;
    Answers answers;
    RegionPrompts::Hooks hooks;
    QList<int> offered;
    bool previewed = false;
    hooks.chooseFilesToOpen = [&](QWidget *, RegionPrompts::FileKind, const QString &) {
        return QStringList{table};
    };
    hooks.pickYear = [&](QWidget *, const QString &, const QList<int> &years) {
        offered = years;
        return picked ? std::optional<int>(picked) : std::nullopt;
    };
    hooks.runDialog = [&](QDialog *dialog) {
        previewed = true;
        static_cast<ImportPreviewDialog *>(dialog)->confirmButton()->click();
        return true;
    };
    RegionPrompts::setHooks(hooks);
    TF_Regiao window(nullptr, m_dir->filePath(QStringLiteral("copias")));
    QVERIFY(window.openRegion(path));
    window.findChild<QAction *>(QStringLiteral("a_importar_tabelas"))->trigger();
    settle();
    QVERIFY2(errors.messages.isEmpty(), qPrintable(errors.messages.join('\n')));
    QCOMPARE(offered, (QList<int>{2021, 2022}));
    QCOMPARE(previewed, picked != 0);
    if (!picked) {
        QVERIFY(window.region() == before);
        return;
    }
    const Study study = municipalityStudy(window.region(), 0);
    QCOMPARE(study.windows.value(keys::kSupplyWindow).fields.value(keys::kServedPopulation),
             served);
}

void RegionWindowTest::groupTypedIsOneUndoStep()
{
    const Region before = threeMunicipalities();
    const QString path = m_dir->filePath(QStringLiteral("tres.tavi-regiao"));
    saveRegionFile(path, before);
    TF_Regiao window(nullptr, m_dir->filePath(QStringLiteral("copias")));
    QVERIFY(showActive(&window));
    QVERIFY(window.openRegion(path));
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("SG_Regiao"));
    // Sorted by name, Belo Horizonte comes first.
    table->sortByColumn(1, Qt::AscendingOrder);
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("3106200"));
    table->setFocus();
    table->setCurrentCell(0, 3);
    // The first key opens the cell's editor, which takes the rest, as from the keyboard.
    QTest::keyClicks(table, QStringLiteral("V"));
    QWidget *editor = QApplication::focusWidget();
    QVERIFY(editor && editor != table);
    QTest::keyClicks(editor, QStringLiteral("elhas"));
    QTest::keyClick(editor, Qt::Key_Tab);
    QTRY_COMPARE(window.region().municipalities[1].group, QStringLiteral("Velhas"));
    QCOMPARE(window.region().municipalities[0].group, QString());
    QCOMPARE(window.undoStack()->count(), 1);
    QVERIFY(window.isModified());
    window.undoStack()->undo();
    QVERIFY(window.region() == before);
}

void RegionWindowTest::notesTakeLineBreaks()
{
    TF_Regiao window(nullptr, m_dir->filePath(QStringLiteral("copias")));
    QVERIFY(showActive(&window));
    auto *notes = window.findChild<QPlainTextEdit *>(QStringLiteral("m_notas"));
    notes->setFocus();
    QTest::keyClicks(notes, QStringLiteral("Bacia"));
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, QStringLiteral("alta"));
    QVERIFY(notes->hasFocus());
    QTest::keyClick(notes, Qt::Key_Tab);
    QCOMPARE(window.region().notes, QStringLiteral("Bacia\nalta"));
    QCOMPARE(window.undoStack()->count(), 1);
}

void RegionWindowTest::municipalitiesAddedAndRemoved_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("added"); // empty: refused
    QTest::addRow("seven digits") << "4106902"
                                  << "4106902";
    QTest::addRow("six digits") << " 410690 "
                                << "4106902";
    QTest::addRow("already there") << "3550308" << QString();
    QTest::addRow("no state's code") << "9912345" << QString();
    QTest::addRow("not a code") << "Curitiba" << QString();
}

void RegionWindowTest::municipalitiesAddedAndRemoved()
{
    QFETCH(QString, typed);
    QFETCH(QString, added);
    const Region before = threeMunicipalities();
    const QString path = m_dir->filePath(QStringLiteral("tres.tavi-regiao"));
    saveRegionFile(path, before);
    ErrorRecorder errors;
    Answers answers;
    RegionPrompts::Hooks hooks;
    hooks.askMunicipality = [&](QWidget *, QString *code, QString *name) {
        *code = typed;
        *name = QStringLiteral("Curitiba");
        return true;
    };
    RegionPrompts::setHooks(hooks);
    TF_Regiao window(nullptr, m_dir->filePath(QStringLiteral("copias")));
    QVERIFY(window.openRegion(path));
    window.findChild<QPushButton *>(QStringLiteral("b_adicionar"))->click();
    if (added.isEmpty()) {
        QCOMPARE(errors.messages.size(), 1);
        QVERIFY(window.region() == before);
        return;
    }
    QVERIFY2(errors.messages.isEmpty(), qPrintable(errors.messages.join('\n')));
    const int index = window.region().indexOf(added);
    QCOMPARE(index, 3);
    QCOMPARE(window.region().municipalities[3].state, QStringLiteral("PR"));

    // The new one and São Paulo chosen and removed: one step, undone whole.
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("SG_Regiao"));
    table->clearSelection();
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0)->text() == added || table->item(r, 0)->text() == "3550308")
            table->selectionModel()->select(table->model()->index(r, 0),
                                            QItemSelectionModel::Select |
                                                QItemSelectionModel::Rows);
    window.findChild<QPushButton *>(QStringLiteral("b_remover"))->click();
    QCOMPARE(int(window.region().municipalities.size()), 2);
    QCOMPARE(window.region().indexOf(added), -1);
    QCOMPARE(window.region().indexOf(QStringLiteral("3550308")), -1);
    window.undoStack()->undo();
    window.undoStack()->undo();
    QVERIFY(window.region() == before);
}

void RegionWindowTest::computesOffTheWindowsThread()
{
    Region region = threeMunicipalities();
    region.municipalities[0].group = QStringLiteral("Tietê");
    region.municipalities[1].group = QStringLiteral("Velhas");
    // Brasília's agriculture does not read: it is listed with its message, the others compute.
    StudyGrid series = windowInputs(region.templateStudy, keys::kAgricultureWindow)
                           .grids.value(QStringLiteral("SG_Serie"));
    series[99][0] = QStringLiteral("abc");
    region.municipalities[2].overrides.grids[keys::kAgricultureWindow][QStringLiteral("SG_Serie")] =
        series;
    const QString path = m_dir->filePath(QStringLiteral("tres.tavi-regiao"));
    saveRegionFile(path, region);
    ErrorRecorder errors;
    TF_Regiao window(nullptr, m_dir->filePath(QStringLiteral("copias")));
    QVERIFY(showActive(&window));
    QVERIFY(window.openRegion(path));
    window.findChild<QPushButton *>(QStringLiteral("b_calcular"))->click();
    QVERIFY(waitComputed(window));
    settle();
    QVERIFY2(errors.messages.isEmpty(), qPrintable(errors.messages.join('\n')));
    const RegionResults *shown = window.shownResults();
    QVERIFY(shown);
    QCOMPARE(int(shown->municipalities.size()), 3);

    // What the grids show is what core's tables give for the same region computed here.
    const RegionResults alone = computeRegion(window.region());
    auto *municipalities = window.findChild<ResultGrid *>(QStringLiteral("SG_Municipios"));
    auto *totals = window.findChild<ResultGrid *>(QStringLiteral("SG_Totais"));
    QVERIFY(municipalities && totals);
    QCOMPARE(textsOf(municipalities->table()), filled(municipalities->table(), [&](CellTable &t) {
                 fillMunicipalityTable(t, alone);
             }));
    QCOMPARE(textsOf(totals->table()),
             filled(totals->table(), [&](CellTable &t) { fillTotalTable(t, alone); }));
    QCOMPARE(shown->region.annualTotal, alone.region.annualTotal);
    auto *failures = window.findChild<ResultGrid *>(QStringLiteral("SG_Falhas"));
    QCOMPARE(shown->failures().size(), 1);
    QCOMPARE(textsOf(failures->table()),
             filled(failures->table(), [&](CellTable &t) { fillFailureTable(t, alone); }));

    // A click on a heading sorts the municipalities by it, and another the other way.
    QHeaderView *header = municipalities->horizontalHeader();
    const QPoint code(header->sectionViewportPosition(0) + 5, header->height() / 2);
    for (int click = 0; click < 2; ++click) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, code);
        QStringList codes;
        for (int r = 1; r <= 3; ++r)
            codes << municipalities->table().cell(0, r);
        QStringList sorted = codes;
        std::sort(sorted.begin(), sorted.end());
        if (header->sortIndicatorOrder() == Qt::DescendingOrder)
            std::reverse(sorted.begin(), sorted.end());
        QCOMPARE(codes, sorted);
        QCOMPARE(header->sortIndicatorSection(), 0);
    }

    // A change to the region takes its results away.
    Answers answers;
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    window.findChild<QLineEdit *>(QStringLiteral("e_nome"))->setText(QStringLiteral("Outra"));
    emit window.findChild<QLineEdit *>(QStringLiteral("e_nome"))->editingFinished();
    QVERIFY(!window.shownResults());
}

void RegionWindowTest::cancelledComputationShowsNothing()
{
    // Enough municipalities that the computation is still running when Cancel is pressed.
    Region region = emptyRegion();
    for (int i = 0; i < 400; ++i) {
        const QString six = QStringLiteral("35%1").arg(i, 4, 10, QLatin1Char('0'));
        region.municipalities.push_back(sampleMunicipality(MunicipalityCode::fromText(six)->code(),
                                                           QStringLiteral("M%1").arg(i), "SP"));
    }
    const QString path = m_dir->filePath(QStringLiteral("muitos.tavi-regiao"));
    saveRegionFile(path, region);
    ErrorRecorder errors;
    Answers answers;
    auto window = std::make_unique<TF_Regiao>(nullptr, m_dir->filePath(QStringLiteral("copias")));
    QVERIFY(showActive(window.get()));
    QVERIFY(window->openRegion(path));
    auto *calculate = window->findChild<QPushButton *>(QStringLiteral("b_calcular"));
    auto *cancel = window->findChild<QPushButton *>(QStringLiteral("b_cancelar_calculo"));
    calculate->click();
    QVERIFY(window->isComputing());
    QVERIFY(cancel->isEnabled());
    QVERIFY(!calculate->isEnabled());
    cancel->click();
    QVERIFY(waitComputed(*window));
    settle();
    QVERIFY(!window->shownResults());
    QVERIFY(calculate->isEnabled());
    QVERIFY(errors.messages.isEmpty());

    // Closing while computing stops the computation and waits for it; the window goes.
    calculate->click();
    QVERIFY(window->isComputing());
    window->close();
    QVERIFY(!window->isComputing());
    QVERIFY(!window->isVisible());
    window.reset();
}

void RegionWindowTest::closingAsksAboutUnsavedChanges_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::addRow("save") << int(RegionPrompts::SaveAnswer::Save) << true << true;
    QTest::addRow("don't save") << int(RegionPrompts::SaveAnswer::DontSave) << true << false;
    QTest::addRow("cancel") << int(RegionPrompts::SaveAnswer::Cancel) << false << false;
}

void RegionWindowTest::closingAsksAboutUnsavedChanges()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    const Region before = threeMunicipalities();
    const QString path = m_dir->filePath(QStringLiteral("tres.tavi-regiao"));
    saveRegionFile(path, before);
    Answers answers;
    answers.save = RegionPrompts::SaveAnswer(answer);
    TF_Regiao window(nullptr, m_dir->filePath(QStringLiteral("copias")));
    QVERIFY(showActive(&window));
    QVERIFY(window.openRegion(path));
    // Esc with nothing unsaved closes without a question.
    QTest::keyClick(window.findChild<QLineEdit *>(QStringLiteral("e_nome")), Qt::Key_Escape);
    QVERIFY(!window.isVisible());
    QVERIFY(answers.asked.isEmpty());

    QVERIFY(showActive(&window));
    auto *name = window.findChild<QLineEdit *>(QStringLiteral("e_nome"));
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Capitais"));
    QTest::keyClick(name, Qt::Key_Escape);
    QCOMPARE(answers.asked.size(), 1);
    QCOMPARE(window.isVisible(), !closed);
    QCOMPARE(loadRegionFile(path).region.name, saved ? QStringLiteral("Capitais") : before.name);
    QCOMPARE(window.region().name, QStringLiteral("Capitais"));
}

void RegionWindowTest::unsavedRegionRecoveredAfterACrash()
{
    const Region before = threeMunicipalities();
    const QString path = m_dir->filePath(QStringLiteral("tres.tavi-regiao"));
    saveRegionFile(path, before);
    const QString copies = m_dir->filePath(QStringLiteral("copias"));
    Region edited;
    {
        Answers answers;
        TF_Regiao window(nullptr, copies);
        QVERIFY(showActive(&window));
        QVERIFY(window.openRegion(path));
        answers.files = {writeFile(*m_dir, QStringLiteral("populacao.csv"), populationTable())};
        window.findChild<QAction *>(QStringLiteral("a_importar_tabelas"))->trigger();
        settle();
        edited = window.region();
        QVERIFY(edited != before);
        // The copy is written once typing and importing pause.
        QTest::qWait(TF_Regiao::kSnapshotMs + 500);
        // The window goes as in a crash: never closed.
    }
    // As the copy of a program that is gone: this one's own copy is never offered to itself.
    QDir folder(copies);
    const QStringList left = folder.entryList({QStringLiteral("*.tavi-regiao")});
    QCOMPARE(left.size(), 1);
    QVERIFY(folder.rename(left.first(), QStringLiteral("recuperacao-1.tavi-regiao")));
    Answers answers;
    TF_Regiao window(nullptr, copies);
    QVERIFY(window.offerRecovery());
    QCOMPARE(answers.asked, QStringList{QStringLiteral("recuperar")});
    QVERIFY(window.region() == edited);
    QCOMPARE(window.regionPath(), path);
    QVERIFY(window.isModified());
    // Undone, the region is its file's again.
    window.undoStack()->undo();
    QVERIFY(window.region() == before);
    QVERIFY(!window.isModified());
}

void RegionWindowTest::municipalityAsAStudy()
{
    const Region region = sampleRegion();
    const QString path = m_dir->filePath(QStringLiteral("ribeira.tavi-regiao"));
    saveRegionFile(path, region);
    ErrorRecorder errors;
    Answers answers;
    answers.save = RegionPrompts::SaveAnswer::Save;
    TF_Regiao window(nullptr, m_dir->filePath(QStringLiteral("copias")));
    QVERIFY(showActive(&window));
    QVERIFY(window.openRegion(path));
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("SG_Regiao"));
    int row = -1;
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0)->text() == QStringLiteral("4106902"))
            row = r;
    table->setCurrentCell(row, 1);

    // Exported, the study is the municipality's as the region makes it.
    const QString exported = m_dir->filePath(QStringLiteral("curitiba.tavi"));
    answers.files = {exported};
    window.findChild<QPushButton *>(QStringLiteral("b_exportar_estudo"))->click();
    QVERIFY2(errors.messages.isEmpty(), qPrintable(errors.messages.join('\n')));
    QVERIFY(loadStudyFile(exported).study == municipalityStudy(region, 3));

    // Opened as a study, the region is saved first, with what was typed in it.
    auto *name = window.findChild<QLineEdit *>(QStringLiteral("e_nome"));
    name->setText(QStringLiteral("Ribeira e vizinhos"));
    emit name->editingFinished();
    QVERIFY(window.isModified());
    answers.files = {path};
    window.findChild<QPushButton *>(QStringLiteral("b_abrir_estudo"))->click();
    QCOMPARE(answers.asked.size(), 1);
    QCOMPARE(window.result(), int(TF_Regiao::kOpenMunicipality));
    QCOMPARE(window.municipalityToOpen(), QStringLiteral("4106902"));
    QCOMPARE(window.regionPath(), path);
    QCOMPARE(loadRegionFile(path).region.name, QStringLiteral("Ribeira e vizinhos"));
}

void RegionWindowTest::chartsDrawTheResultsFigures()
{
    RegionResults results;
    // 23 municipalities of growing totals, the 3rd with agriculture failed.
    for (int i = 0; i < 23; ++i) {
        MunicipalityResult m = madeResult(QStringLiteral("35000%1").arg(i, 2, 10, QLatin1Char('0')),
                                          QStringLiteral("M%1 (SP)").arg(i),
                                          i % 2 ? QStringLiteral("Norte") : QStringLiteral("Sul"),
                                          1e6L * (i + 1), 2e5L * (i + 1), 5e5L);
        if (i == 22) {
            m.computed[2] = false;
            m.errors << QStringLiteral("Agricultura: sem série");
            m.annualTotal -= m.annual[2];
        }
        results.municipalities.push_back(m);
    }
    totalRegion(results);

    std::unique_ptr<QChartView> largest(makeLargestMunicipalitiesChart(results, nullptr));
    const std::vector<int> order = largestMunicipalities(results, 20);
    QCOMPARE(int(order.size()), 20);
    QStringList names;
    for (int i : order)
        names << results.municipalities[std::size_t(i)].name;
    QCOMPARE(categoriesOf(largest.get()), names);
    QStackedBarSeries *bars = barsOf(largest.get());
    QVERIFY(bars);
    QCOMPARE(bars->count(), kSummarySectors);
    for (int s = 0; s < kSummarySectors; ++s) {
        QBarSet *set = bars->barSets()[s];
        QCOMPARE(set->label(), summarySectorName(s));
        for (int b = 0; b < 20; ++b) {
            const MunicipalityResult &m = results.municipalities[std::size_t(order[b])];
            // A failed sector stands at nothing: it is in no total either.
            const double expected =
                m.computed[std::size_t(s)] ? double(m.annual[std::size_t(s)]) / 1e6 : 0.0;
            QCOMPARE(set->at(b), expected);
        }
    }

    std::unique_ptr<QChartView> groups(makeGroupTotalsChart(results, nullptr));
    QStringList groupNames;
    for (const RegionTotal &total : results.groups)
        groupNames << total.group;
    QCOMPARE(categoriesOf(groups.get()), groupNames);
    QCOMPARE(barsOf(groups.get())->barSets()[0]->at(0),
             double(results.groups.front().annual[0]) / 1e6);

    // Without a horizon there is nothing to draw per scenario; with one, a bar each that
    // could be computed.
    std::unique_ptr<QChartView> none(makeScenarioTotalsChart(results, nullptr));
    QVERIFY(none->chart()->series().isEmpty());
    results.scenarios = QStringList{QStringLiteral("Base"), QStringLiteral("Seca")};
    ScenarioFinal base{QStringLiteral("Base"), QString(), 2046, {3e6L, 1e6L, 0}, 4e6L, false};
    ScenarioFinal dry{QStringLiteral("Seca"), QStringLiteral("sem taxa"), 0, {}, 0, false};
    results.region.horizon = {base, dry};
    std::unique_ptr<QChartView> scenarios(makeScenarioTotalsChart(results, nullptr));
    QCOMPARE(categoriesOf(scenarios.get()).size(), 1);
    QCOMPARE(barsOf(scenarios.get())->barSets()[0]->at(0), 3.0);
}

void RegionWindowTest::resultRowsSortByTheirFigures_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("order");
    QTest::addColumn<QStringList>("column");
    QTest::addColumn<QStringList>("sorted");
    const QStringList comma{"98.765", "—", "1.234.567", "", "5,5", "120"};
    QTest::addRow("comma ascending") << "comma" << int(Qt::AscendingOrder) << comma
                                     << QStringList{"5,5", "120", "98.765", "1.234.567", "—", ""};
    QTest::addRow("comma descending") << "comma" << int(Qt::DescendingOrder) << comma
                                      << QStringList{"1.234.567", "98.765", "120", "5,5", "—", ""};
    QTest::addRow("point descending")
        << "point" << int(Qt::DescendingOrder) << QStringList{"98,765", "1,234,567", "—", "5.5"}
        << QStringList{"1,234,567", "98,765", "5.5", "—"};
    QTest::addRow("names") << "comma" << int(Qt::AscendingOrder)
                           << QStringList{"Óbidos (PA)", "Belém (PA)", "Ábaco (PA)"}
                           << QStringList{"Ábaco (PA)", "Belém (PA)", "Óbidos (PA)"};
}

void RegionWindowTest::resultRowsSortByTheirFigures()
{
    QFETCH(QString, locale);
    QFETCH(int, order);
    QFETCH(QStringList, column);
    QFETCH(QStringList, sorted);
    const int rows = int(column.size()) + 1;
    CellTable table(2, rows + 2, rows + 2, true);
    table.setCell(0, 0, QStringLiteral("Município"));
    table.setCell(1, 0, QStringLiteral("Total"));
    for (int r = 0; r < column.size(); ++r) {
        table.setCell(0, r + 1, QString::number(r));
        table.setCell(1, r + 1, column[r]);
    }
    // Rows below the results are no rows of them and stay where they are.
    table.setCell(1, rows, QStringLiteral("abaixo"));
    RegionSorting::sortRows(table, 1, Qt::SortOrder(order), rows, settingsNamed(locale));
    QStringList got;
    for (int r = 1; r < rows; ++r) {
        got << table.cell(1, r);
        // Each row moves whole.
        QCOMPARE(column[table.cell(0, r).toInt()], table.cell(1, r));
    }
    QCOMPARE(got, sorted);
    QCOMPARE(table.cell(1, rows), QStringLiteral("abaixo"));
    QCOMPARE(table.cell(0, 0), QStringLiteral("Município"));
}

QTEST_MAIN(RegionWindowTest)
#include "tst_region_window.moc"
