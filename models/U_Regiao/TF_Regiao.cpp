#include "models/U_Regiao/TF_Regiao.h"

#include "core/base/LocaleSettings.h"
#include "core/base/TaviError.h"
#include "core/region/CodeTable.h"
#include "core/region/MunicipalityCode.h"
#include "core/region/RegionFile.h"
#include "core/region/RegionImport.h"
#include "core/region/RegionRecovery.h"
#include "core/region/RegionTable.h"
#include "core/region/RegionTables.h"
#include "core/study/StudyFile.h"
#include "core/tables/CellTable.h"
#include "export/BusyCursor.h"
#include "export/RegionExport.h"
#include "frame/ErrorBox.h"
#include "frame/ResultGrid.h"
#include "frame/WideWindowFrame.h"
#include "models/U_Regiao/ImportPreviewDialog.h"
#include "models/U_Regiao/RegionCharts.h"
#include "models/U_Regiao/RegionPrompts.h"
#include "models/U_Regiao/RegionReport.h"
#include "models/U_Regiao/SortedRows.h"

#include <QAction>
#include <QChartView>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QThreadPool>
#include <QTimer>
#include <QToolButton>
#include <QUndoCommand>
#include <QUndoStack>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>

using namespace tavi;
using namespace tavi::region;

namespace
{

// The municipalities tab's columns.
enum MunicipalityColumn { kCode, kName, kState, kGroup, kFromTables, kNotAvailable, kColumns };

// One change of the region, undone by putting back the region before it. Regions share their
// texts and studies implicitly, so a step costs little more than its list of municipalities.
class RegionEdit : public QUndoCommand
{
public:
    RegionEdit(Region before, Region after, const QString &what,
               std::function<void(const Region &)> show)
        : QUndoCommand(what), m_before(std::move(before)), m_after(std::move(after)),
          m_show(std::move(show))
    {
    }
    void undo() override { m_show(m_before); }
    void redo() override { m_show(m_after); }

private:
    Region m_before;
    Region m_after;
    std::function<void(const Region &)> m_show;
};

// An item of the municipalities table that sorts its counts as numbers.
class CountItem : public QTableWidgetItem
{
public:
    explicit CountItem(int count)
        : QTableWidgetItem(count > 0 ? QString::number(count) : QString()), m_count(count)
    {
    }
    bool operator<(const QTableWidgetItem &other) const override
    {
        if (const auto *counted = dynamic_cast<const CountItem *>(&other))
            return m_count < counted->m_count;
        return QTableWidgetItem::operator<(other);
    }

private:
    int m_count;
};

ResultGrid *newGrid(const QString &name, const QString &accessible, int columns, int rows,
                    QWidget *parent)
{
    auto *grid = new ResultGrid(columns, rows, rows, true, parent);
    grid->setObjectName(name);
    grid->setAccessibleName(accessible);
    grid->setDefaultColumnWidth(110);
    grid->setTabKeyNavigation(false);
    return grid;
}

QString regionDisplayName(const Region &region, const QString &path)
{
    if (!region.name.trimmed().isEmpty())
        return region.name.trimmed();
    if (!path.isEmpty())
        return QFileInfo(path).completeBaseName();
    return QStringLiteral("Nova região");
}

struct Outcome {
    RegionResults results;
    QString error;
};

} // namespace

struct TF_Regiao::Parts {
    Region region = emptyRegion();
    QString path;
    QString municipalityToOpen;
    QUndoStack *undo = nullptr;
    std::unique_ptr<RegionRecovery> recovery;
    QTimer snapshot;
    bool recoveryOffered = false;
    bool showingRegion = false;
    // Counts the region's changes: a computation of an older region is not shown.
    quint64 version = 0;

    std::optional<RegionResults> results;
    QString resultNote;
    QThreadPool pool;
    QFutureWatcher<Outcome> *watcher = nullptr;
    std::shared_ptr<std::atomic<bool>> cancelled;
    std::shared_ptr<std::atomic<bool>> progressPosted;
    quint64 computedVersion = 0;

    QWidget *topBar = nullptr;
    QSplitter *split = nullptr;
    QTabWidget *tabs = nullptr;
    QLabel *l_regiao = nullptr;
    QLabel *l_mensagem = nullptr;
    QPushButton *b_regiao = nullptr;
    QPushButton *b_importar = nullptr;
    QPushButton *b_calcular = nullptr;
    QPushButton *b_cancelar_calculo = nullptr;
    QPushButton *b_relatorio = nullptr;
    QProgressBar *pb_calculo = nullptr;
    QLineEdit *e_nome = nullptr;
    QPlainTextEdit *m_notas = nullptr;
    QLabel *l_modelo = nullptr;
    QPushButton *b_modelo = nullptr;
    QTableWidget *SG_Regiao = nullptr;
    QPushButton *b_abrir_estudo = nullptr;
    QPushButton *b_exportar_estudo = nullptr;
    QPushButton *b_adicionar = nullptr;
    QPushButton *b_remover = nullptr;
    QLabel *l_resultado = nullptr;
    QVBoxLayout *resultHolder = nullptr;
    ResultGrid *SG_Municipios = nullptr;
    ResultGrid *SG_Totais = nullptr;
    ResultGrid *SG_Falhas = nullptr;
    QTabWidget *tw_graficos = nullptr;
    std::array<QVBoxLayout *, 3> chartHolders{};
    std::array<QChartView *, 3> charts{};
};

TF_Regiao::TF_Regiao(QWidget *parent, const QString &recoveryFolder)
    : ModuleWindow(parent), m_parts(std::make_unique<Parts>())
{
    Parts &p = *m_parts;
    setObjectName(QStringLiteral("TF_Regiao"));
    setWindowTitle(QStringLiteral("Região"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setMinimumSize(1000, 600);
    resize(1300, 720);
    addTitleBlock(QStringLiteral("Região"));

    p.undo = new QUndoStack(this);
    p.recovery = std::make_unique<RegionRecovery>(
        recoveryFolder.isEmpty() ? RegionRecovery::defaultFolder() : recoveryFolder);
    // The computation runs on a thread of its own; the municipalities run side by side on
    // the global pool, and the computation waiting for them must not hold one of its threads.
    p.pool.setMaxThreadCount(1);
    p.snapshot.setSingleShot(true);
    p.snapshot.setInterval(kSnapshotMs);
    connect(&p.snapshot, &QTimer::timeout, this, [this] { writeRecovery(); });
    connect(p.undo, &QUndoStack::indexChanged, this,
            [this] { guarded([this] { regionChanged(); }); });
    connect(p.undo, &QUndoStack::cleanChanged, this, [this] { showTitle(); });

    p.topBar = buildTopBar();
    p.split = new QSplitter(Qt::Horizontal, this);
    p.split->setObjectName(QStringLiteral("sp_regiao"));
    p.split->setChildrenCollapsible(false);
    p.split->addWidget(buildRegionColumn());
    p.tabs = new QTabWidget(p.split);
    p.tabs->setObjectName(QStringLiteral("tw_regiao"));
    p.tabs->setAccessibleName(QStringLiteral("Região"));
    p.tabs->addTab(buildMunicipalitiesTab(), QStringLiteral("&Municípios"));
    p.tabs->addTab(buildResultsTab(), QStringLiteral("Re&sultados"));
    p.tabs->addTab(buildChartsTab(), QStringLiteral("&Gráficos"));
    p.split->addWidget(p.tabs);
    p.split->setStretchFactor(0, 0);
    p.split->setStretchFactor(1, 1);
    p.split->setSizes({290, 1000});

    addButtons(this, QPoint(), QPoint(), QPoint());
    simularButton()->hide();
    salvarButton()->setToolTip(QStringLiteral(
        "Leva as tabelas e os gráficos dos resultados a uma pasta de trabalho e a um .csv"));
    placeFrame();

    startRegion(emptyRegion(), QString());
}

TF_Regiao::~TF_Regiao()
{
    // Before the widgets go: the computation stops and is waited for, and what it posted
    // goes with the window.
    cancelComputation(true);
    if (m_parts->watcher)
        m_parts->watcher->disconnect(this);
    // The dialog hides as it goes, and the fields it takes the focus from must not take their
    // texts into a region that is already gone.
    m_parts->e_nome->disconnect(this);
    m_parts->m_notas->removeEventFilter(this);
    m_parts->SG_Regiao->disconnect(this);
    m_parts->undo->disconnect(this);
    // Nothing unsaved survives a window that closed normally, so no copy stays behind.
    m_parts->snapshot.stop();
    m_parts->recovery->waitForWrites();
}

QWidget *TF_Regiao::buildTopBar()
{
    Parts &p = *m_parts;
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("p_regiao"));
    auto *layout = new QVBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto *commands = new QHBoxLayout;
    commands->setSpacing(6);

    // The commands are actions of the window, so that their shortcuts work from any control
    // while their menus are closed.
    const auto action = [this](QMenu *menu, const char *name, const QString &text,
                               const QList<QKeySequence> &keys, std::function<void()> handler) {
        auto *a = new QAction(text, this);
        a->setObjectName(QLatin1String(name));
        a->setShortcuts(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        menu->addAction(a);
        connect(a, &QAction::triggered, this,
                [this, handler = std::move(handler)] { guarded(handler); });
        return a;
    };

    p.b_regiao = newBarButton(QStringLiteral("b_regiao"), QStringLiteral("&Região"),
                              QStringLiteral("Nova região, abrir, salvar, o estudo modelo"), bar);
    auto *regionMenu = new QMenu(p.b_regiao);
    regionMenu->setObjectName(QStringLiteral("mn_regiao"));
    action(regionMenu, "a_nova", QStringLiteral("&Nova região"), {QKeySequence::New},
           [this] { a_novaTriggered(); });
    action(regionMenu, "a_abrir", QStringLiteral("&Abrir região…"), {QKeySequence::Open},
           [this] { a_abrirTriggered(); });
    action(regionMenu, "a_salvar_regiao", QStringLiteral("&Salvar região"), {QKeySequence::Save},
           [this] { a_salvar_regiaoTriggered(); });
    action(regionMenu, "a_salvar_como", QStringLiteral("Salvar região &como…"),
           {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, [this] { a_salvar_comoTriggered(); });
    regionMenu->addSeparator();
    action(regionMenu, "a_modelo", QStringLiteral("Usar estudo como &modelo…"), {},
           [this] { a_modeloTriggered(); });
    regionMenu->addSeparator();
    QAction *undo = p.undo->createUndoAction(this, QStringLiteral("&Desfazer"));
    undo->setObjectName(QStringLiteral("a_desfazer"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction *redo = p.undo->createRedoAction(this, QStringLiteral("&Refazer"));
    redo->setObjectName(QStringLiteral("a_refazer"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction *a : {undo, redo}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        regionMenu->addAction(a);
    }
    p.b_regiao->setMenu(regionMenu);

    p.b_importar = newBarButton(QStringLiteral("b_importar"), QStringLiteral("&Importar"),
                                QStringLiteral("Tabelas do IBGE e do saneamento, grupos, vazões "
                                               "de referência"),
                                bar);
    auto *importMenu = new QMenu(p.b_importar);
    importMenu->setObjectName(QStringLiteral("mn_importar"));
    action(importMenu, "a_importar_tabelas", QStringLiteral("&Tabelas…"), {},
           [this] { a_importar_tabelasTriggered(); });
    action(importMenu, "a_importar_grupos", QStringLiteral("&Grupos…"), {},
           [this] { a_importar_gruposTriggered(); });
    action(importMenu, "a_importar_vazoes", QStringLiteral("&Vazões de referência…"), {},
           [this] { a_importar_vazoesTriggered(); });
    p.b_importar->setMenu(importMenu);

    p.b_calcular = newBarButton(QStringLiteral("b_calcular"), QStringLiteral("&Calcular"),
                                QStringLiteral("Calcula todos os municípios (F5)"), bar);
    auto *calculate = new QAction(this);
    calculate->setShortcut(Qt::Key_F5);
    addAction(calculate);
    connect(calculate, &QAction::triggered, this,
            [this] { guarded([this] { b_calcularClick(); }); });
    p.b_cancelar_calculo =
        newBarButton(QStringLiteral("b_cancelar_calculo"), QStringLiteral("Cance&lar"),
                     QStringLiteral("Interrompe o cálculo da região"), bar);
    p.b_cancelar_calculo->setEnabled(false);
    p.pb_calculo = new QProgressBar(bar);
    p.pb_calculo->setObjectName(QStringLiteral("pb_calculo"));
    p.pb_calculo->setAccessibleName(QStringLiteral("Progresso do cálculo"));
    p.pb_calculo->setMinimumWidth(140);
    p.pb_calculo->setFormat(QStringLiteral("%v de %m"));
    p.pb_calculo->setValue(0);
    p.pb_calculo->setVisible(false);
    p.b_relatorio = newBarButton(QStringLiteral("b_relatorio"), QStringLiteral("Relatóri&o…"),
                                 QStringLiteral("O relatório da região em PDF"), bar);

    for (QWidget *w :
         std::initializer_list<QWidget *>{p.b_regiao, p.b_importar, p.b_calcular,
                                          p.b_cancelar_calculo, p.pb_calculo, p.b_relatorio})
        commands->addWidget(w);
    commands->addStretch(1);
    layout->addLayout(commands);

    p.l_regiao = new QLabel(bar);
    p.l_regiao->setObjectName(QStringLiteral("l_regiao"));
    p.l_regiao->setTextFormat(Qt::PlainText);
    QFont bold = p.l_regiao->font();
    bold.setBold(true);
    p.l_regiao->setFont(bold);
    p.l_mensagem = new QLabel(bar);
    p.l_mensagem->setObjectName(QStringLiteral("l_mensagem"));
    p.l_mensagem->setTextFormat(Qt::PlainText);
    auto *status = new QHBoxLayout;
    status->addWidget(p.l_regiao);
    status->addSpacing(12);
    status->addWidget(p.l_mensagem, 1);
    layout->addLayout(status);

    connect(p.b_calcular, &QPushButton::clicked, this,
            [this] { guarded([this] { b_calcularClick(); }); });
    connect(p.b_cancelar_calculo, &QPushButton::clicked, this,
            [this] { guarded([this] { b_cancelar_calculoClick(); }); });
    connect(p.b_relatorio, &QPushButton::clicked, this,
            [this] { guarded([this] { b_relatorioClick(); }); });
    return bar;
}

QWidget *TF_Regiao::buildRegionColumn()
{
    Parts &p = *m_parts;
    auto *column = new QWidget(this);
    column->setObjectName(QStringLiteral("p_dados_regiao"));
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 4, 0);
    auto *form = new QFormLayout;
    p.e_nome = new QLineEdit(column);
    p.e_nome->setObjectName(QStringLiteral("e_nome"));
    p.e_nome->setAccessibleName(QStringLiteral("Nome da região"));
    auto *nameCaption = new QLabel(QStringLiteral("&Nome:"), column);
    nameCaption->setBuddy(p.e_nome);
    form->addRow(nameCaption, p.e_nome);
    layout->addLayout(form);
    auto *notesCaption = new QLabel(QStringLiteral("No&tas:"), column);
    p.m_notas = new QPlainTextEdit(column);
    p.m_notas->setObjectName(QStringLiteral("m_notas"));
    p.m_notas->setAccessibleName(QStringLiteral("Notas da região"));
    p.m_notas->setTabChangesFocus(true);
    p.m_notas->installEventFilter(this);
    notesCaption->setBuddy(p.m_notas);
    layout->addWidget(notesCaption);
    layout->addWidget(p.m_notas, 1);

    auto *templateCaption = new QLabel(QStringLiteral("Estudo modelo:"), column);
    p.l_modelo = new QLabel(column);
    p.l_modelo->setObjectName(QStringLiteral("l_modelo"));
    p.l_modelo->setTextFormat(Qt::PlainText);
    p.l_modelo->setWordWrap(true);
    p.l_modelo->setToolTip(QStringLiteral("As entradas que um município recebe quando nenhuma "
                                          "tabela dá as suas"));
    p.b_modelo =
        newBarButton(QStringLiteral("b_modelo"), QStringLiteral("Usar estudo como mo&delo…"),
                     QStringLiteral("Lê um estudo (.tavi) como o modelo da região"), column);
    layout->addWidget(templateCaption);
    layout->addWidget(p.l_modelo);
    layout->addWidget(p.b_modelo);
    column->setMinimumWidth(240);

    connect(p.e_nome, &QLineEdit::editingFinished, this,
            [this] { guarded([this] { commitTexts(); }); });
    connect(p.b_modelo, &QPushButton::clicked, this,
            [this] { guarded([this] { a_modeloTriggered(); }); });
    return column;
}

QWidget *TF_Regiao::buildMunicipalitiesTab()
{
    Parts &p = *m_parts;
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    auto *buttons = new QHBoxLayout;
    p.b_abrir_estudo =
        newBarButton(QStringLiteral("b_abrir_estudo"), QStringLiteral("Abrir como &estudo"),
                     QStringLiteral("Abre o município escolhido como um estudo, "
                                    "com a região salva antes"),
                     page);
    p.b_exportar_estudo = newBarButton(
        QStringLiteral("b_exportar_estudo"), QStringLiteral("E&xportar estudo…"),
        QStringLiteral("Salva o estudo do município escolhido num arquivo .tavi"), page);
    p.b_adicionar = newBarButton(QStringLiteral("b_adicionar"), QStringLiteral("&Adicionar…"),
                                 QStringLiteral("Um município pelo seu código do IBGE"), page);
    p.b_remover = newBarButton(QStringLiteral("b_remover"), QStringLiteral("Remo&ver"),
                               QStringLiteral("Tira da região os municípios escolhidos"), page);
    for (QPushButton *b : {p.b_abrir_estudo, p.b_exportar_estudo, p.b_adicionar, p.b_remover})
        buttons->addWidget(b);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    p.SG_Regiao = new QTableWidget(0, kColumns, page);
    p.SG_Regiao->setObjectName(QStringLiteral("SG_Regiao"));
    p.SG_Regiao->setAccessibleName(QStringLiteral("Municípios da região"));
    p.SG_Regiao->setAccessibleDescription(
        QStringLiteral("O grupo de cada município se digita na sua coluna"));
    p.SG_Regiao->setHorizontalHeaderLabels({QStringLiteral("Código"), QStringLiteral("Município"),
                                            QStringLiteral("UF"), QStringLiteral("Grupo"),
                                            QStringLiteral("Entradas das tabelas"),
                                            QStringLiteral("Não disponíveis")});
    p.SG_Regiao->verticalHeader()->hide();
    p.SG_Regiao->verticalHeader()->setDefaultSectionSize(21);
    p.SG_Regiao->setSelectionBehavior(QAbstractItemView::SelectRows);
    p.SG_Regiao->setEditTriggers(QAbstractItemView::AnyKeyPressed |
                                 QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed);
    p.SG_Regiao->setTabKeyNavigation(false);
    p.SG_Regiao->setSortingEnabled(true);
    p.SG_Regiao->sortByColumn(-1, Qt::AscendingOrder);
    p.SG_Regiao->horizontalHeader()->setStretchLastSection(true);
    p.SG_Regiao->setColumnWidth(kCode, 80);
    p.SG_Regiao->setColumnWidth(kName, 220);
    p.SG_Regiao->setColumnWidth(kState, 40);
    p.SG_Regiao->setColumnWidth(kGroup, 180);
    p.SG_Regiao->setColumnWidth(kFromTables, 140);
    layout->addWidget(p.SG_Regiao, 1);

    connect(p.SG_Regiao, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (m_parts->showingRegion || item->column() != kGroup)
            return;
        const QString code = m_parts->SG_Regiao->item(item->row(), kCode)->text();
        const QString group = item->text().trimmed();
        // The table is filled again by the change: not while it is still delivering the edit.
        QMetaObject::invokeMethod(
            this, [this, code, group] { guarded([&] { groupTyped(code, group); }); },
            Qt::QueuedConnection);
    });
    connect(p.b_abrir_estudo, &QPushButton::clicked, this,
            [this] { guarded([this] { b_abrir_estudoClick(); }); });
    connect(p.b_exportar_estudo, &QPushButton::clicked, this,
            [this] { guarded([this] { b_exportar_estudoClick(); }); });
    connect(p.b_adicionar, &QPushButton::clicked, this,
            [this] { guarded([this] { b_adicionarClick(); }); });
    connect(p.b_remover, &QPushButton::clicked, this,
            [this] { guarded([this] { b_removerClick(); }); });
    return page;
}

QWidget *TF_Regiao::buildResultsTab()
{
    Parts &p = *m_parts;
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    p.l_resultado = new QLabel(page);
    p.l_resultado->setObjectName(QStringLiteral("l_resultado"));
    p.l_resultado->setTextFormat(Qt::PlainText);
    p.l_resultado->setWordWrap(true);
    layout->addWidget(p.l_resultado);
    auto *holder = new QWidget(page);
    p.resultHolder = new QVBoxLayout(holder);
    p.resultHolder->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(holder, 1);
    return page;
}

QWidget *TF_Regiao::buildChartsTab()
{
    Parts &p = *m_parts;
    p.tw_graficos = new QTabWidget(this);
    p.tw_graficos->setObjectName(QStringLiteral("tw_graficos"));
    p.tw_graficos->setAccessibleName(QStringLiteral("Gráficos da região"));
    const QString captions[] = {QStringLiteral("Maiores municípios"), QStringLiteral("Grupos"),
                                QStringLiteral("Cenários")};
    for (int c = 0; c < 3; ++c) {
        auto *page = new QWidget(p.tw_graficos);
        p.chartHolders[std::size_t(c)] = new QVBoxLayout(page);
        p.chartHolders[std::size_t(c)]->setContentsMargins(0, 0, 0, 0);
        p.tw_graficos->addTab(page, captions[c]);
    }
    return p.tw_graficos;
}

void TF_Regiao::resizeEvent(QResizeEvent *event)
{
    ModuleWindow::resizeEvent(event);
    placeFrame();
}

void TF_Regiao::placeFrame()
{
    placeWideFrame(*this, m_parts->topBar, m_parts->split);
}

bool TF_Regiao::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_parts->m_notas && event->type() == QEvent::FocusOut)
        guarded([this] { commitTexts(); });
    // Notes run over several lines: Enter in them breaks a line, and Tab leaves them.
    if (watched == m_parts->m_notas && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return false;
    }
    return ModuleWindow::eventFilter(watched, event);
}

void TF_Regiao::FormActivate()
{
    if (!m_parts->recoveryOffered) {
        m_parts->recoveryOffered = true;
        // After this activation: the box covers the window, which must be up first.
        QMetaObject::invokeMethod(
            this, [this] { guarded([this] { offerRecovery(); }); }, Qt::QueuedConnection);
    }
    m_parts->e_nome->setFocus(Qt::OtherFocusReason);
}

const Region &TF_Regiao::region() const
{
    return m_parts->region;
}

QString TF_Regiao::regionPath() const
{
    return m_parts->path;
}

bool TF_Regiao::isModified() const
{
    return !m_parts->undo->isClean();
}

QString TF_Regiao::municipalityToOpen() const
{
    return m_parts->municipalityToOpen;
}

const RegionResults *TF_Regiao::shownResults() const
{
    return m_parts->results ? &*m_parts->results : nullptr;
}

bool TF_Regiao::isComputing() const
{
    return m_parts->watcher && m_parts->watcher->isRunning();
}

QUndoStack *TF_Regiao::undoStack() const
{
    return m_parts->undo;
}

// --- The region and its changes ---

void TF_Regiao::changeRegion(const Region &after, const QString &what)
{
    if (after == m_parts->region)
        return;
    m_parts->undo->push(new RegionEdit(m_parts->region, after, what,
                                       [this](const Region &region) { setRegion(region); }));
}

void TF_Regiao::setRegion(const Region &region)
{
    m_parts->region = region;
    ++m_parts->version;
    showRegionFields();
    showMunicipalities();
}

void TF_Regiao::startRegion(const Region &region, const QString &path)
{
    cancelComputation(true);
    m_parts->path = path;
    m_parts->undo->clear();
    setRegion(region);
    m_parts->undo->setClean();
    clearResults();
    m_parts->resultNote.clear();
    showResults();
    showTitle();
}

void TF_Regiao::regionChanged()
{
    // Results of another region are not shown beside this one.
    if (m_parts->results) {
        clearResults();
        m_parts->resultNote =
            QStringLiteral("A região mudou depois do último cálculo: pressione Calcular.");
        showResults();
    }
    showTitle();
    if (isModified())
        m_parts->snapshot.start();
    else {
        m_parts->snapshot.stop();
        m_parts->recovery->remove();
    }
}

void TF_Regiao::writeRecovery()
{
    if (isModified())
        m_parts->recovery->write(m_parts->region, m_parts->path);
}

void TF_Regiao::showTitle()
{
    const Parts &p = *m_parts;
    QString text = regionDisplayName(p.region, p.path);
    if (!p.path.isEmpty())
        text += QStringLiteral(" — ") + QFileInfo(p.path).fileName();
    if (isModified())
        text += QStringLiteral(" (alterada)");
    text += QStringLiteral(" — %1 municípios").arg(p.region.municipalities.size());
    p.l_regiao->setText(text);
    setWindowTitle(QStringLiteral("Região — %1").arg(regionDisplayName(p.region, p.path)));
}

void TF_Regiao::showRegionFields()
{
    Parts &p = *m_parts;
    p.showingRegion = true;
    if (p.e_nome->text() != p.region.name)
        p.e_nome->setText(p.region.name);
    if (p.m_notas->toPlainText() != p.region.notes)
        p.m_notas->setPlainText(p.region.notes);
    const Study &model = p.region.templateStudy;
    p.l_modelo->setText(model.name.trimmed().isEmpty() ? QStringLiteral("o estudo padrão")
                                                       : model.name.trimmed());
    p.showingRegion = false;
}

void TF_Regiao::showMunicipalities()
{
    Parts &p = *m_parts;
    p.showingRegion = true;
    QTableWidget *table = p.SG_Regiao;
    const QString current = table->currentRow() >= 0 && table->item(table->currentRow(), kCode)
                                ? table->item(table->currentRow(), kCode)->text()
                                : QString();
    const int sortColumn = table->horizontalHeader()->sortIndicatorSection();
    const Qt::SortOrder sortOrder = table->horizontalHeader()->sortIndicatorOrder();
    table->setSortingEnabled(false);
    table->clearContents();
    table->setRowCount(int(p.region.municipalities.size()));
    const auto readOnly = [](QTableWidgetItem *item) {
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        return item;
    };
    int row = 0;
    for (const Municipality &m : p.region.municipalities) {
        table->setItem(row, kCode, readOnly(new QTableWidgetItem(m.code)));
        table->setItem(row, kName, readOnly(new QTableWidgetItem(m.name)));
        table->setItem(row, kState, readOnly(new QTableWidgetItem(m.state)));
        table->setItem(row, kGroup, new QTableWidgetItem(m.group));
        QTableWidgetItem *sources = readOnly(new CountItem(int(m.sources.size())));
        QStringList origins;
        for (auto s = m.sources.cbegin(); s != m.sources.cend(); ++s)
            origins << QStringLiteral("%1: %2").arg(inputCaption(s.key()), s.value());
        sources->setToolTip(origins.join(QLatin1Char('\n')));
        table->setItem(row, kFromTables, sources);
        QTableWidgetItem *missing = readOnly(new CountItem(int(m.notAvailable.size())));
        QStringList flags;
        for (auto n = m.notAvailable.cbegin(); n != m.notAvailable.cend(); ++n)
            flags << QStringLiteral("%1 (fica a do modelo): %2")
                         .arg(inputCaption(n.key()), n.value());
        missing->setToolTip(flags.join(QLatin1Char('\n')));
        if (!flags.isEmpty()) {
            // Read at a glance down a long list: these municipalities hold the template's
            // value where the table had none.
            missing->setBackground(QColor(0xff, 0xe8, 0xa0));
            missing->setText(QStringLiteral("%1 ⚑").arg(flags.size()));
        }
        table->setItem(row, kNotAvailable, missing);
        ++row;
    }
    table->setSortingEnabled(true);
    if (sortColumn >= 0 && sortColumn < kColumns)
        table->sortByColumn(sortColumn, sortOrder);
    for (int r = 0; r < table->rowCount() && !current.isEmpty(); ++r)
        if (table->item(r, kCode)->text() == current) {
            table->setCurrentCell(r, kGroup);
            break;
        }
    p.showingRegion = false;
    showTitle();
}

void TF_Regiao::groupTyped(const QString &code, const QString &group)
{
    const int index = m_parts->region.indexOf(code);
    if (index < 0 || m_parts->region.municipalities[std::size_t(index)].group == group)
        return;
    Region after = m_parts->region;
    after.municipalities[std::size_t(index)].group = group;
    changeRegion(
        after,
        QStringLiteral("Grupo de %1").arg(after.municipalities[std::size_t(index)].displayName()));
}

void TF_Regiao::commitTexts()
{
    Parts &p = *m_parts;
    if (p.showingRegion)
        return;
    const QString name = p.e_nome->text();
    const QString notes = p.m_notas->toPlainText();
    if (name == p.region.name && notes == p.region.notes)
        return;
    Region after = p.region;
    after.name = name;
    after.notes = notes;
    changeRegion(after, name != p.region.name ? QStringLiteral("Nome da região")
                                              : QStringLiteral("Notas da região"));
}

int TF_Regiao::selectedMunicipality() const
{
    const QTableWidget *table = m_parts->SG_Regiao;
    const int row = table->currentRow();
    if (row < 0 || !table->item(row, kCode))
        throw TaviError(QStringLiteral("Escolha um município na lista da região"));
    return m_parts->region.indexOf(table->item(row, kCode)->text());
}

// --- The region's file ---

bool TF_Regiao::openRegion(const QString &path)
{
    RegionReading reading;
    try {
        reading = loadRegionFile(path);
    } catch (const TaviError &error) {
        ErrorBox::show(this, error.message());
        return false;
    }
    startRegion(reading.region, path);
    return true;
}

bool TF_Regiao::saveTo(const QString &path)
{
    commitTexts();
    saveRegionFile(path, m_parts->region);
    m_parts->path = path;
    m_parts->undo->setClean();
    m_parts->snapshot.stop();
    m_parts->recovery->remove();
    showTitle();
    return true;
}

bool TF_Regiao::a_salvar_regiaoTriggered()
{
    if (m_parts->path.isEmpty())
        return a_salvar_comoTriggered();
    return saveTo(m_parts->path);
}

bool TF_Regiao::a_salvar_comoTriggered()
{
    commitTexts();
    QString suggested = m_parts->path;
    if (suggested.isEmpty())
        suggested = regionDisplayName(m_parts->region, QString()) + QStringLiteral(".tavi-regiao");
    QString path;
    keepingFocus([&] {
        path = RegionPrompts::chooseFileToSave(this, QStringLiteral("Salvar região como"),
                                               suggested, QString(kRegionFileSuffix));
    });
    if (path.isEmpty())
        return false;
    return saveTo(path);
}

bool TF_Regiao::maySetAside()
{
    commitTexts();
    if (!isModified())
        return true;
    RegionPrompts::SaveAnswer answer = RegionPrompts::SaveAnswer::Cancel;
    keepingFocus([&] {
        answer = RegionPrompts::askToSave(this, regionDisplayName(m_parts->region, m_parts->path));
    });
    switch (answer) {
    case RegionPrompts::SaveAnswer::Save:
        return a_salvar_regiaoTriggered();
    case RegionPrompts::SaveAnswer::DontSave:
        return true;
    case RegionPrompts::SaveAnswer::Cancel:
        break;
    }
    return false;
}

void TF_Regiao::a_novaTriggered()
{
    if (!maySetAside())
        return;
    m_parts->recovery->remove();
    startRegion(emptyRegion(), QString());
}

void TF_Regiao::a_abrirTriggered()
{
    if (!maySetAside())
        return;
    QStringList paths;
    keepingFocus([&] {
        paths = RegionPrompts::chooseFilesToOpen(this, RegionPrompts::FileKind::Region,
                                                 QStringLiteral("Abrir região"));
    });
    if (paths.isEmpty())
        return;
    m_parts->recovery->remove();
    openRegion(paths.first());
}

bool TF_Regiao::offerRecovery()
{
    std::optional<RegionRecovery::Orphan> orphan = m_parts->recovery->findOrphan();
    if (!orphan)
        return false;
    const QString original = orphan->reading.originalPath;
    const QString name = regionDisplayName(orphan->reading.region, original);
    const QString text =
        QStringLiteral("A janela Região não foi fechada normalmente e a região \"%1\" tinha "
                       "alterações que não foram salvas. Há uma cópia de recuperação de %2.\n\n"
                       "Deseja restaurá-la?")
            .arg(name, orphan->written.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
    bool restore = false;
    keepingFocus([&] { restore = RegionPrompts::offerRecovery(this, text); });
    if (restore) {
        // The file as it was saved, so that Ctrl+Z goes back to it and the restored region
        // counts as unsaved against it.
        Region saved = emptyRegion();
        QString path;
        if (!original.isEmpty()) {
            try {
                saved = loadRegionFile(original).region;
                path = original;
            } catch (const TaviError &) {
            }
        }
        startRegion(saved, path);
        changeRegion(orphan->reading.region, QStringLiteral("Restaurar a cópia de recuperação"));
    }
    m_parts->recovery->discard(*orphan);
    // The restored changes are unsaved again: their copy is this window's now.
    if (isModified())
        writeRecovery();
    return restore;
}

void TF_Regiao::done(int result)
{
    if (result != kOpenMunicipality && !maySetAside())
        return;
    // Nothing is left running behind a closed window.
    cancelComputation(true);
    m_parts->snapshot.stop();
    m_parts->recovery->waitForWrites();
    // The planner saved or chose not to: nothing unsaved remains to recover.
    m_parts->recovery->remove();
    ModuleWindow::done(result);
}

// --- Imports ---

void TF_Regiao::previewAndApply(ImportTables tables, const QString &title)
{
    commitTexts();
    ImportPreviewDialog dialog(m_parts->region, std::move(tables), title, this);
    bool confirmed = false;
    keepingFocus([&] { confirmed = RegionPrompts::runDialog(&dialog); });
    if (!confirmed)
        return;
    Region after = applyImport(m_parts->region, dialog.preview());
    changeRegion(after, title);
}

void TF_Regiao::importTables(const QStringList &paths)
{
    ImportTables tables;
    BusyCursor busy;
    for (const QString &path : paths) {
        busy.set();
        TableReading reading = loadRegionTable(path);
        if (reading.kind == TableKind::Sanitation && reading.years.size() > 1) {
            busy.restore();
            std::optional<int> year;
            keepingFocus([&] {
                year = RegionPrompts::pickYear(this, QFileInfo(path).fileName(), reading.years);
            });
            if (!year)
                return;
            if (*year != reading.year) {
                busy.set();
                reading = loadRegionTable(path, *year);
            }
        }
        tables.tables.push_back(std::move(reading));
    }
    busy.restore();
    previewAndApply(std::move(tables), QStringLiteral("Importar tabelas"));
}

void TF_Regiao::importCodeTable(const QString &path, bool referenceFlows)
{
    ImportTables tables;
    tables.codeTables.push_back(loadCodeTable(path, referenceFlows ? CodeTableKind::ReferenceFlows
                                                                   : CodeTableKind::Groups));
    previewAndApply(std::move(tables), referenceFlows
                                           ? QStringLiteral("Importar vazões de referência")
                                           : QStringLiteral("Importar grupos"));
}

void TF_Regiao::a_importar_tabelasTriggered()
{
    QStringList paths;
    keepingFocus([&] {
        paths = RegionPrompts::chooseFilesToOpen(
            this, RegionPrompts::FileKind::Tables,
            QStringLiteral("Importar tabelas de população, rebanhos ou saneamento"));
    });
    if (!paths.isEmpty())
        importTables(paths);
}

void TF_Regiao::a_importar_gruposTriggered()
{
    QStringList paths;
    keepingFocus([&] {
        paths = RegionPrompts::chooseFilesToOpen(this, RegionPrompts::FileKind::CodeTable,
                                                 QStringLiteral("Importar grupos (código;grupo)"));
    });
    if (!paths.isEmpty())
        importCodeTable(paths.first(), false);
}

void TF_Regiao::a_importar_vazoesTriggered()
{
    QStringList paths;
    keepingFocus([&] {
        paths = RegionPrompts::chooseFilesToOpen(
            this, RegionPrompts::FileKind::CodeTable,
            QStringLiteral("Importar vazões de referência (código;m³/s)"));
    });
    if (!paths.isEmpty())
        importCodeTable(paths.first(), true);
}

void TF_Regiao::useTemplate(const QString &path)
{
    const StudyReading reading = loadStudyFile(path);
    Region after = m_parts->region;
    after.templateStudy = reading.study;
    changeRegion(after, QStringLiteral("Estudo modelo"));
}

void TF_Regiao::a_modeloTriggered()
{
    QStringList paths;
    keepingFocus([&] {
        paths = RegionPrompts::chooseFilesToOpen(this, RegionPrompts::FileKind::Study,
                                                 QStringLiteral("Usar estudo como modelo"));
    });
    if (!paths.isEmpty())
        useTemplate(paths.first());
}

void TF_Regiao::b_adicionarClick()
{
    QString typed, name;
    bool accepted = false;
    keepingFocus([&] { accepted = RegionPrompts::askMunicipality(this, &typed, &name); });
    if (!accepted)
        return;
    const std::optional<MunicipalityCode> code = MunicipalityCode::fromText(typed);
    if (!code)
        throw TaviError(
            QStringLiteral("\"%1\" não é um código de município do IBGE").arg(typed.trimmed()));
    if (m_parts->region.indexOf(code->code()) >= 0)
        throw TaviError(QStringLiteral("O município %1 já está na região").arg(code->code()));
    Municipality municipality;
    municipality.code = code->code();
    municipality.name = name.isEmpty() ? code->code() : name;
    municipality.state = code->state();
    Region after = m_parts->region;
    after.municipalities.push_back(municipality);
    changeRegion(after, QStringLiteral("Adicionar %1").arg(municipality.displayName()));
}

void TF_Regiao::b_removerClick()
{
    QSet<QString> codes;
    for (const QModelIndex &index : m_parts->SG_Regiao->selectionModel()->selectedRows(kCode))
        codes.insert(index.data().toString());
    if (codes.isEmpty())
        throw TaviError(QStringLiteral("Escolha os municípios a remover na lista da região"));
    Region after = m_parts->region;
    after.municipalities.erase(
        std::remove_if(after.municipalities.begin(), after.municipalities.end(),
                       [&](const Municipality &m) { return codes.contains(m.code); }),
        after.municipalities.end());
    changeRegion(after, QStringLiteral("Remover %1 municípios").arg(codes.size()));
}

// --- Municipalities as studies ---

void TF_Regiao::b_abrir_estudoClick()
{
    const int index = selectedMunicipality();
    commitTexts();
    if (isModified() || m_parts->path.isEmpty()) {
        // The study window set reads the municipality from the region's file: that file must
        // hold the region as it is.
        RegionPrompts::SaveAnswer answer = RegionPrompts::SaveAnswer::Cancel;
        keepingFocus([&] {
            answer =
                RegionPrompts::askToSave(this, regionDisplayName(m_parts->region, m_parts->path));
        });
        if (answer != RegionPrompts::SaveAnswer::Save || !a_salvar_regiaoTriggered())
            return;
    }
    m_parts->municipalityToOpen = m_parts->region.municipalities[std::size_t(index)].code;
    done(kOpenMunicipality);
}

void TF_Regiao::b_exportar_estudoClick()
{
    const int index = selectedMunicipality();
    const Municipality &m = m_parts->region.municipalities[std::size_t(index)];
    QString path;
    keepingFocus([&] {
        path = RegionPrompts::chooseFileToSave(this, QStringLiteral("Exportar estudo"),
                                               m.displayName() + QStringLiteral(".tavi"),
                                               QStringLiteral("tavi"));
    });
    if (path.isEmpty())
        return;
    saveStudyFile(path, municipalityStudy(m_parts->region, index));
}

// --- The computation ---

void TF_Regiao::b_calcularClick()
{
    Parts &p = *m_parts;
    commitTexts();
    if (isComputing())
        return;
    if (p.region.municipalities.empty())
        throw TaviError(QStringLiteral("A região não tem municípios: importe as tabelas ou "
                                       "adicione os municípios antes de calcular"));
    clearResults();
    p.resultNote.clear();
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    auto posted = std::make_shared<std::atomic<bool>>(false);
    p.cancelled = cancelled;
    p.progressPosted = posted;
    p.computedVersion = p.version;
    const Region region = p.region;
    const LocaleSettings locale = LocaleSettings::current();
    const int total = int(region.municipalities.size());
    p.pb_calculo->setRange(0, total);
    p.pb_calculo->setValue(0);
    p.pb_calculo->setVisible(true);
    p.b_cancelar_calculo->setEnabled(true);
    p.b_calcular->setEnabled(false);
    p.l_mensagem->setText(QStringLiteral("Calculando %1 municípios…").arg(total));

    QPointer<TF_Regiao> self(this);
    const auto progress = [this, posted](int done, int all) {
        // One update waits in the window's queue at a time: thousands of municipalities
        // finishing must not flood it.
        if (posted->exchange(true))
            return;
        QMetaObject::invokeMethod(
            this,
            [this, posted, done, all] {
                posted->store(false);
                progressed(done, all);
            },
            Qt::QueuedConnection);
    };
    delete p.watcher;
    p.watcher = new QFutureWatcher<Outcome>(this);
    const quint64 generation = p.version;
    connect(p.watcher, &QFutureWatcher<Outcome>::finished, this, [this, generation] {
        Outcome outcome = m_parts->watcher->result();
        guarded([&] { computed(generation, std::move(outcome.results), outcome.error); });
    });
    p.watcher->setFuture(QtConcurrent::run(&p.pool, [region, locale, cancelled, progress] {
        Outcome outcome;
        try {
            outcome.results = computeRegion(region, locale, cancelled.get(), progress);
        } catch (const TaviError &error) {
            outcome.error = error.message();
        } catch (const std::exception &error) {
            outcome.error = QString::fromLocal8Bit(error.what());
        }
        return outcome;
    }));
    showResults();
}

void TF_Regiao::b_cancelar_calculoClick()
{
    if (!isComputing())
        return;
    if (m_parts->cancelled)
        m_parts->cancelled->store(true);
    m_parts->b_cancelar_calculo->setEnabled(false);
    m_parts->l_mensagem->setText(QStringLiteral("Cancelando o cálculo…"));
}

void TF_Regiao::cancelComputation(bool wait)
{
    if (m_parts->cancelled)
        m_parts->cancelled->store(true);
    if (wait && m_parts->watcher) {
        m_parts->watcher->disconnect(this);
        m_parts->watcher->waitForFinished();
        m_parts->pool.waitForDone();
        m_parts->cancelled.reset();
        m_parts->pb_calculo->setVisible(false);
        m_parts->b_calcular->setEnabled(true);
        m_parts->b_cancelar_calculo->setEnabled(false);
        m_parts->l_mensagem->clear();
    }
}

void TF_Regiao::progressed(int done, int total)
{
    if (!isComputing())
        return;
    m_parts->pb_calculo->setRange(0, total);
    m_parts->pb_calculo->setValue(done);
}

void TF_Regiao::computed(quint64 generation, RegionResults results, const QString &error)
{
    Parts &p = *m_parts;
    const bool cancelled = p.cancelled && p.cancelled->load();
    p.cancelled.reset();
    p.pb_calculo->setVisible(false);
    p.b_calcular->setEnabled(true);
    p.b_cancelar_calculo->setEnabled(false);
    p.l_mensagem->clear();
    if (!error.isEmpty()) {
        p.resultNote = QStringLiteral("O cálculo da região parou: %1").arg(error);
        showResults();
        throw TaviError(p.resultNote);
    }
    if (cancelled || results.cancelled) {
        // A region half computed would total to figures of no region at all.
        p.resultNote = QStringLiteral("Cálculo cancelado: nenhum resultado.");
    } else if (generation != p.version) {
        p.resultNote =
            QStringLiteral("A região mudou durante o cálculo: pressione Calcular de novo.");
    } else {
        p.results = std::move(results);
        const int failed = int(p.results->failures().size());
        p.resultNote =
            failed == 0
                ? QStringLiteral("%1 municípios calculados.").arg(p.results->municipalities.size())
                : QStringLiteral("%1 municípios calculados; %2 com falhas "
                                 "(veja a tabela de falhas).")
                      .arg(p.results->municipalities.size())
                      .arg(failed);
        p.tabs->setCurrentIndex(1);
    }
    showResults();
}

void TF_Regiao::clearResults()
{
    m_parts->results.reset();
}

void TF_Regiao::showResults()
{
    Parts &p = *m_parts;
    // The grids are made to the results' size each time.
    for (ResultGrid **grid : {&p.SG_Municipios, &p.SG_Totais, &p.SG_Falhas}) {
        if (*grid) {
            p.resultHolder->removeWidget(*grid);
            (*grid)->deleteLater();
            *grid = nullptr;
        }
    }
    for (std::size_t c = 0; c < p.charts.size(); ++c)
        if (p.charts[c]) {
            p.chartHolders[c]->removeWidget(p.charts[c]);
            p.charts[c]->deleteLater();
            p.charts[c] = nullptr;
        }
    QString note = p.resultNote;
    if (note.isEmpty() && !p.results && !isComputing())
        note = QStringLiteral("Pressione Calcular para calcular todos os municípios da região.");
    if (isComputing())
        note = QStringLiteral("Calculando…");
    p.l_resultado->setText(note);
    if (!p.results)
        return;
    const RegionResults &results = *p.results;
    auto *split = qobject_cast<QSplitter *>(p.resultHolder->parentWidget()->findChild<QSplitter *>(
        QStringLiteral("sp_resultados"), Qt::FindDirectChildrenOnly));
    if (!split) {
        split = new QSplitter(Qt::Vertical, p.resultHolder->parentWidget());
        split->setObjectName(QStringLiteral("sp_resultados"));
        split->setChildrenCollapsible(false);
        p.resultHolder->addWidget(split);
    }
    const int municipalities = int(results.municipalities.size()) + 1;
    p.SG_Municipios =
        newGrid(QStringLiteral("SG_Municipios"), QStringLiteral("Resultados por município"),
                int(municipalityHeaders(results).size()), municipalities, split);
    fillMunicipalityTable(p.SG_Municipios->table(), results);
    const int totals = int(results.groups.size()) + 2;
    p.SG_Totais =
        newGrid(QStringLiteral("SG_Totais"), QStringLiteral("Totais por grupo e da região"),
                int(totalHeaders(results).size()), totals, split);
    fillTotalTable(p.SG_Totais->table(), results);
    const int failures = int(results.failures().size()) + 1;
    p.SG_Falhas = newGrid(QStringLiteral("SG_Falhas"), QStringLiteral("Municípios com falhas"), 3,
                          std::max(2, failures), split);
    fillFailureTable(p.SG_Falhas->table(), results);
    for (ResultGrid *grid : {p.SG_Municipios, p.SG_Totais, p.SG_Falhas}) {
        grid->fitColumnsToTexts();
        split->addWidget(grid);
    }
    split->setSizes({420, 140, 90});
    // The municipalities sort by any column: the largest, a group together, the failures.
    QHeaderView *header = p.SG_Municipios->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    ResultGrid *grid = p.SG_Municipios;
    connect(header, &QHeaderView::sectionClicked, grid, [grid, municipalities](int column) {
        QHeaderView *h = grid->horizontalHeader();
        RegionSorting::sortRows(grid->table(), column, h->sortIndicatorOrder(), municipalities);
    });

    p.charts[0] = makeLargestMunicipalitiesChart(results, nullptr);
    p.charts[1] = makeGroupTotalsChart(results, nullptr);
    p.charts[2] = makeScenarioTotalsChart(results, nullptr);
    for (std::size_t c = 0; c < p.charts.size(); ++c) {
        p.charts[c]->setObjectName(QStringLiteral("ch_regiao_%1").arg(c + 1));
        p.chartHolders[c]->addWidget(p.charts[c]);
    }
}

// --- Salvar and the report ---

void TF_Regiao::b_salvarClick()
{
    if (!m_parts->results)
        throw TaviError(QStringLiteral("Nada a salvar: pressione Calcular antes de salvar os "
                                       "resultados da região"));
    commitTexts();
    exportRegion(this, m_parts->region, *m_parts->results);
}

void TF_Regiao::b_relatorioClick()
{
    if (!m_parts->results)
        throw TaviError(QStringLiteral("Sem resultados para o relatório: pressione Calcular "
                                       "antes"));
    commitTexts();
    QString path;
    keepingFocus([&] {
        path = RegionPrompts::chooseFileToSave(this, QStringLiteral("Relatório da região"),
                                               regionDisplayName(m_parts->region, m_parts->path) +
                                                   QStringLiteral(".pdf"),
                                               QStringLiteral("pdf"));
    });
    if (path.isEmpty())
        return;
    BusyCursor busy;
    busy.set();
    RegionReport::write(path, m_parts->region, *m_parts->results);
}
