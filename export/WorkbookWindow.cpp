#include "export/WorkbookWindow.h"

#include "core/base/TaviError.h"
#include "core/workbook/Workbook.h"
#include "core/workbook/XlsxWriter.h"
#include "export/BusyCursor.h"
#include "export/ChartSheetView.h"
#include "export/ExportPrompts.h"
#include "export/SaveLocation.h"
#include "export/WorksheetModel.h"
#include "frame/Activation.h"

#include <QChartView>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <map>

namespace
{

// The width in pixels of a column `characters` wide in the standard font, with the margin
// a spreadsheet keeps around a text.
int columnPixels(double characters, const QFontMetrics &metrics)
{
    return qRound(characters * metrics.horizontalAdvance(QLatin1Char('0'))) + 5;
}

// A text wider than its column runs on over the empty cells to its right, as in a
// spreadsheet, instead of being cut.
void letTextsOverflow(QTableView *view, const tavi::Worksheet &sheet)
{
    QFont boldFont = view->font();
    boldFont.setBold(true);
    const QFontMetrics plain(view->font());
    const QFontMetrics bold(boldFont);
    constexpr int kMargin = 8;
    sheet.forEachCell([&](int row, int column, const tavi::WorkbookCell &cell) {
        if (cell.kind != tavi::WorkbookCell::Kind::Text)
            return;
        const int needed = (cell.bold ? bold : plain).horizontalAdvance(cell.text) + kMargin;
        int width = view->columnWidth(column - 1);
        int span = 1;
        while (width < needed && column + span <= view->model()->columnCount()) {
            const tavi::WorkbookCell *next = sheet.cell(row, column + span);
            if (next && next->kind != tavi::WorkbookCell::Kind::Empty)
                break;
            width += view->columnWidth(column + span - 1);
            ++span;
        }
        if (span > 1)
            view->setSpan(row - 1, column - 1, 1, span);
    });
}

// Numbers are never cut: a column is widened to its widest number as this view's font draws
// it (the fitted widths are estimates in characters, and a cut "3580,1234…" misleads).
void widenToNumbers(QTableView *view, const tavi::Worksheet &sheet)
{
    const QFontMetrics plain(view->font());
    QFont boldFont = view->font();
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont);
    constexpr int kMargin = 10;
    std::map<int, int> widest;
    sheet.forEachCell([&](int, int column, const tavi::WorkbookCell &cell) {
        if (cell.kind != tavi::WorkbookCell::Kind::Number)
            return;
        const QString text = tavi::Worksheet::displayText(cell);
        int &width = widest[column];
        width = qMax(width, (cell.bold ? bold : plain).horizontalAdvance(text) + kMargin);
    });
    for (const auto &[column, width] : widest)
        if (view->columnWidth(column - 1) < width)
            view->setColumnWidth(column - 1, width);
}

} // namespace

WorkbookWindow::WorkbookWindow(std::shared_ptr<tavi::Workbook> workbook, QWidget *owner)
    : QWidget(owner, Qt::Window), m_workbook(std::move(workbook)), m_owner(owner)
{
    setObjectName(QStringLiteral("WorkbookWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Modal to the module window only: the workbook stays in front of it until the user has
    // saved or dropped it.
    setWindowModality(owner ? Qt::WindowModal : Qt::NonModal);
    resize(900, 600);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("sheetTabs"));
    m_tabs->setAccessibleName(QStringLiteral("Planilhas da pasta de trabalho"));
    m_tabs->setTabPosition(QTabWidget::South);
    m_tabs->setDocumentMode(true);

    m_saveButton = new QPushButton(QStringLiteral("Salvar como..."), this);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_closeButton = new QPushButton(QStringLiteral("Fechar"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    connect(m_saveButton, &QPushButton::clicked, this, &WorkbookWindow::save);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);
    auto *saveShortcut = new QShortcut(QKeySequence::Save, this);
    connect(saveShortcut, &QShortcut::activated, this, &WorkbookWindow::save);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);

    refresh();
}

WorkbookWindow::~WorkbookWindow() = default;

void WorkbookWindow::updateTitle()
{
    setWindowTitle(m_workbook->name());
}

QWidget *WorkbookWindow::makeSheetView(int index)
{
    const tavi::Workbook::Sheet &sheet = m_workbook->sheet(index);
    if (sheet.isChart())
        return makeChartView(*m_workbook, *sheet.chart);
    auto *view = new QTableView;
    view->setModel(new WorksheetModel(*sheet.worksheet, view->font(), view));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->setDefaultSectionSize(20);
    const QFontMetrics metrics(view->font());
    view->horizontalHeader()->setDefaultSectionSize(
        columnPixels(tavi::Worksheet::kStandardColumnWidth, metrics));
    for (const auto &[column, width] : sheet.worksheet->fittedWidths())
        view->setColumnWidth(column - 1, columnPixels(width, metrics));
    widenToNumbers(view, *sheet.worksheet);
    letTextsOverflow(view, *sheet.worksheet);
    return view;
}

void WorkbookWindow::refresh()
{
    m_refreshQueued = false;
    const int current = m_tabs->currentIndex();
    while (m_tabs->count() > 0) {
        QWidget *old = m_tabs->widget(0);
        m_tabs->removeTab(0);
        delete old;
    }
    for (int i = 1; i <= m_workbook->sheetCount(); ++i) {
        QWidget *view = makeSheetView(i);
        const QString name = m_workbook->sheet(i).name;
        view->setAccessibleName((m_workbook->sheet(i).isChart() ? QStringLiteral("Gráfico %1")
                                                                : QStringLiteral("Planilha %1"))
                                    .arg(name));
        m_tabs->addTab(view, name);
    }
    m_tabs->setCurrentIndex(qBound(0, current, m_tabs->count() - 1));
    updateTitle();
}

void WorkbookWindow::workbookChanged()
{
    m_modified = true;
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QTimer::singleShot(0, this, [this] {
        if (m_refreshQueued)
            refresh();
    });
}

bool WorkbookWindow::save()
{
    QString suggested = m_savedPath;
    if (suggested.isEmpty())
        suggested = !m_suggestedFileName.isEmpty() ? m_suggestedFileName
                                                   : m_workbook->name() + QStringLiteral(".xlsx");
    const QString chosen = ExportPrompts::chooseSaveFile(this, suggested);
    if (chosen.isEmpty())
        return false;
    // Whatever gave the name, the file is an .xlsx package.
    const QString path = SaveLocation::withXlsxExtension(chosen);
    QString failure;
    {
        BusyCursor busy; // off again before any message
        busy.set();
        try {
            tavi::saveXlsx(*m_workbook, path);
        } catch (const tavi::TaviError &error) {
            failure = error.message();
        } catch (const std::exception &error) {
            failure = QString::fromLocal8Bit(error.what());
        }
    }
    if (!failure.isEmpty()) {
        ExportPrompts::showError(this, failure);
        return false;
    }
    m_savedPath = path;
    SaveLocation::rememberSavedFile(path);
    m_workbook->setName(QFileInfo(path).fileName());
    m_modified = false;
    updateTitle();
    return true;
}

void WorkbookWindow::discard()
{
    m_discarding = true;
    close();
}

void WorkbookWindow::closeEvent(QCloseEvent *event)
{
    bool closing = m_discarding || !m_modified;
    if (!closing) {
        if (m_refreshQueued)
            refresh();
        switch (ExportPrompts::askToSave(this, m_workbook->name())) {
        case ExportPrompts::SaveAnswer::Save:
            closing = save();
            break;
        case ExportPrompts::SaveAnswer::DontSave:
            closing = true;
            break;
        case ExportPrompts::SaveAnswer::Cancel:
            break;
        }
    }
    m_closing = closing;
    event->setAccepted(closing);
}

void WorkbookWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape closes it like every other window, through the save question; an open cell
    // editor takes its own Escape before it comes here.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void WorkbookWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (m_closing)
        giveActivationBack(m_owner);
}
