#include "models/U_Regiao/ImportPreviewDialog.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <functional>

using namespace tavi::region;

namespace
{

// A list of the preview as a read-only table. A state's import lists tens of thousands of
// changes: the texts are made as the view asks for them, never all at once.
class ListModel : public QAbstractTableModel
{
public:
    using Text = std::function<QString(int row, int column)>;
    ListModel(QStringList headers, int rows, Text text, QObject *parent)
        : QAbstractTableModel(parent), m_headers(std::move(headers)), m_rows(rows),
          m_text(std::move(text))
    {
    }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_rows;
    }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_headers.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        return m_text(index.row(), index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Horizontal)
            return m_headers.value(section);
        return section + 1;
    }

private:
    QStringList m_headers;
    int m_rows;
    Text m_text;
};

QTableView *newList(const QString &name, const QString &accessible, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setObjectName(name);
    view->setAccessibleName(accessible);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
    view->horizontalHeader()->setStretchLastSection(true);
    view->verticalHeader()->setDefaultSectionSize(21);
    return view;
}

QString rowText(const ImportRow &row, int column)
{
    switch (column) {
    case 0:
        return row.code;
    case 1:
        return row.name;
    case 2:
        return row.source;
    case 3:
        return row.line > 0 ? QString::number(row.line) : QString();
    }
    return QString();
}

const QStringList kRowHeaders = {QStringLiteral("Código"), QStringLiteral("Município"),
                                 QStringLiteral("Tabela"), QStringLiteral("Linha")};

} // namespace

ImportPreviewDialog::ImportPreviewDialog(const Region &region, ImportTables tables,
                                         const QString &title, QWidget *parent)
    : QDialog(parent), m_region(region), m_tables(std::move(tables))
{
    setObjectName(QStringLiteral("F_Previa_Importacao"));
    setWindowTitle(title);
    resize(900, 560);
    auto *layout = new QVBoxLayout(this);
    l_contagens = new QLabel(this);
    l_contagens->setObjectName(QStringLiteral("l_contagens"));
    l_contagens->setWordWrap(true);
    l_contagens->setTextFormat(Qt::PlainText);
    l_contagens->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = l_contagens->font();
    bold.setBold(true);
    l_contagens->setFont(bold);
    layout->addWidget(l_contagens);

    cx_incluir = new QCheckBox(QStringLiteral("&Incluir os municípios que a região não tem"), this);
    cx_incluir->setObjectName(QStringLiteral("cx_incluir"));
    // A region is first built from its tables: with none yet, every row is a municipality to
    // take in.
    cx_incluir->setChecked(region.municipalities.empty());
    layout->addWidget(cx_incluir);

    tw_previa = new QTabWidget(this);
    tw_previa->setObjectName(QStringLiteral("tw_previa"));
    tw_previa->setAccessibleName(QStringLiteral("Prévia da importação"));
    layout->addWidget(tw_previa, 1);

    auto *buttons = new QDialogButtonBox(this);
    b_confirmar = buttons->addButton(QStringLiteral("C&onfirmar"), QDialogButtonBox::AcceptRole);
    b_confirmar->setObjectName(QStringLiteral("b_confirmar"));
    b_cancelar = buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    b_cancelar->setObjectName(QStringLiteral("b_cancelar"));
    // Enter in the lists must not take tables in that the planner has not read through.
    b_confirmar->setAutoDefault(false);
    b_cancelar->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(cx_incluir, &QCheckBox::toggled, this, [this] {
        makePreview();
        showPreview();
    });
    makePreview();
    showPreview();
}

ImportPreviewDialog::~ImportPreviewDialog() = default;

void ImportPreviewDialog::makePreview()
{
    ImportOptions options;
    options.addMissingMunicipalities = cx_incluir->isChecked();
    m_preview = previewImport(m_region, m_tables, options);
}

void ImportPreviewDialog::showPreview()
{
    const int shown = std::max(0, tw_previa->currentIndex());
    while (tw_previa->count() > 0) {
        QWidget *page = tw_previa->widget(0);
        tw_previa->removeTab(0);
        page->deleteLater();
    }
    QString counts = m_preview.countsText();
    if (m_preview.addedMunicipalities > 0)
        counts +=
            QStringLiteral("; %1 municípios novos na região").arg(m_preview.addedMunicipalities);
    l_contagens->setText(counts);
    const ImportPreview &p = m_preview;

    const auto add = [this](QTableView *view, QAbstractItemModel *model, const QString &caption,
                            int count) {
        model->setParent(view);
        view->setModel(model);
        view->resizeColumnsToContents();
        tw_previa->addTab(view, QStringLiteral("%1 (%2)").arg(caption).arg(count));
    };

    auto *changes = newList(QStringLiteral("SG_Alteracoes"), QStringLiteral("Alterações"), this);
    add(changes,
        new ListModel(
            {QStringLiteral("Código"), QStringLiteral("Município"), QStringLiteral("Entrada"),
             QStringLiteral("Antes"), QStringLiteral("Depois"), QStringLiteral("Origem")},
            int(p.changes.size()),
            [this](int r, int c) {
                const ImportChange &change = m_preview.changes[std::size_t(r)];
                const QString texts[] = {change.code,   change.name,  change.caption,
                                         change.before, change.after, change.source};
                return texts[c];
            },
            nullptr),
        QStringLiteral("&Alterações"), int(p.changes.size()));

    const auto rows = [this, add](const char *name, const QString &caption,
                                  const std::vector<ImportRow> ImportPreview::*list) {
        const int count = int((m_preview.*list).size());
        auto *view = newList(QLatin1String(name), caption, this);
        add(view,
            new ListModel(
                kRowHeaders, count,
                [this, list](int r, int c) {
                    return rowText((m_preview.*list)[std::size_t(r)], c);
                },
                nullptr),
            caption, count);
    };
    rows("SG_Reconhecidas", QStringLiteral("Reconhecidas"), &ImportPreview::matched);
    rows("SG_Sem_Municipio", QStringLiteral("Sem município na região"), &ImportPreview::unmatched);
    rows("SG_Repetidas", QStringLiteral("Repetidas"), &ImportPreview::duplicates);

    auto *missing = newList(QStringLiteral("SG_Indisponiveis"),
                            QStringLiteral("Valores não disponíveis"), this);
    add(missing,
        new ListModel(
            kRowHeaders + QStringList{QStringLiteral("Entrada (fica a do modelo)")},
            int(p.missing.size()),
            [this](int r, int c) {
                const ImportMissing &m = m_preview.missing[std::size_t(r)];
                return c < 4 ? rowText(m.row, c) : m.caption;
            },
            nullptr),
        QStringLiteral("Não disponíveis"), int(p.missing.size()));

    auto *notes = newList(QStringLiteral("SG_Notas"), QStringLiteral("Notas das tabelas"), this);
    add(notes,
        new ListModel(
            {QStringLiteral("Nota")}, int(p.notes.size()),
            [this](int r, int) { return m_preview.notes.value(r); }, nullptr),
        QStringLiteral("Notas"), int(p.notes.size()));

    tw_previa->setCurrentIndex(std::min(shown, tw_previa->count() - 1));
}
