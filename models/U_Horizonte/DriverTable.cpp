#include "models/U_Horizonte/DriverTable.h"

#include "core/base/LocaleSettings.h"
#include "core/numbers/StudyText.h"
#include "frame/ResultGrid.h"
#include "models/U_Horizonte/DriverForm.h"
#include "models/U_Horizonte/HorizonEditor.h"

#include <QAbstractItemDelegate>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

using namespace tavi;

DriverTable::DriverTable(HorizonEditor *editor, const QString &key, const QString &caption,
                         const QStringList &headings, int rows, const QString &gridName,
                         QWidget *parent)
    : QWidget(parent), m_editor(editor), m_key(key), m_captionText(caption)
{
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_caption = new QLabel(caption + QLatin1Char(':'), this);
    m_caption->setWordWrap(true);
    m_grid = new ResultGrid(int(headings.size()), rows + 1, rows + 1, true, this);
    m_grid->setObjectName(gridName);
    m_grid->setEditable(true);
    m_grid->setDecimalTranslationOnPaste(true);
    m_grid->setAccessibleName(caption);
    m_grid->setDefaultColumnWidth(headings.size() > 3 ? 64 : 90);
    for (int c = 0; c < headings.size(); ++c)
        m_grid->setCell(c, 0, headings[c]);
    m_caption->setBuddy(m_grid);
    m_followBase = new QToolButton(this);
    m_followBase->setObjectName(QStringLiteral("b_base_") + key);
    m_followBase->setText(QStringLiteral("Base"));
    m_followBase->setToolTip(QStringLiteral("Voltar a seguir a tabela do cenário Base"));
    m_followBase->setAccessibleName(QStringLiteral("Seguir a Base: ") + caption);
    m_message = newMessageLabel(this);
    m_message->setObjectName(QStringLiteral("l_") + key);
    m_message->setBuddy(m_grid);

    layout->addWidget(m_caption, 0, 0);
    layout->addWidget(m_followBase, 0, 1, Qt::AlignRight);
    layout->addWidget(m_grid, 1, 0, 1, 2);
    layout->addWidget(m_message, 2, 0, 1, 2);
    layout->setColumnStretch(0, 1);

    CellTable *table = &m_grid->table();
    connect(table, &CellTable::dataChanged, this, &DriverTable::edited);
    connect(m_grid, &ResultGrid::pendingEditChanged, this, &DriverTable::edited);
    // An edit given up (Escape) takes back what its keystrokes had put in the study; read
    // once the editor is gone.
    connect(m_grid->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, &DriverTable::edited,
            Qt::QueuedConnection);
    connect(m_followBase, &QToolButton::clicked, this, [this] {
        m_editor->followBaseTable(m_key);
        m_grid->setFocus(Qt::OtherFocusReason);
    });
}

StudyGrid DriverTable::rows() const
{
    const LocaleSettings &locale = LocaleSettings::current();
    const CellTable &table = m_grid->table();
    int pendingCol = -1, pendingRow = -1;
    QString pendingText;
    m_grid->pendingEdit(&pendingCol, &pendingRow, &pendingText);
    StudyGrid rows;
    for (int r = 1; r < table.storedRows(); ++r) {
        StudyRow row;
        bool blank = true;
        for (int c = 0; c < table.columns(); ++c) {
            const QString text =
                c == pendingCol && r == pendingRow ? pendingText : table.cell(c, r);
            blank = blank && text.trimmed().isEmpty();
            row << toStudyText(text.trimmed(), locale);
        }
        if (!blank)
            rows << row;
    }
    return rows;
}

void DriverTable::edited()
{
    if (m_refreshing)
        return;
    m_editor->setTable(m_key, rows());
    mark();
}

void DriverTable::refresh()
{
    m_refreshing = true;
    const LocaleSettings &locale = LocaleSettings::current();
    CellTable &table = m_grid->table();
    const StudyGrid rows = m_editor->table(m_key);
    {
        CellTable::Batch batch(table);
        for (int r = 1; r < table.storedRows(); ++r)
            for (int c = 0; c < table.columns(); ++c) {
                const StudyRow row = rows.value(r - 1);
                table.setCell(c, r, c < row.size() ? fromStudyText(row[c], locale) : QString());
            }
    }
    m_refreshing = false;
    mark();
}

void DriverTable::mark()
{
    const bool base = m_editor->isBase();
    const bool own = !base && m_editor->ownsTable(m_key);
    QFont font = m_caption->font();
    font.setBold(own);
    m_caption->setFont(font);
    m_caption->setToolTip(own ? QStringLiteral("Tabela própria deste cenário") : QString());
    m_followBase->setVisible(!base);
    m_followBase->setEnabled(own);
    const QString state = base  ? QString()
                          : own ? QStringLiteral("tabela própria deste cenário")
                                : QStringLiteral("segue a Base");
    QStringList description;
    for (const QString &part : {state, m_message->text()})
        if (!part.isEmpty())
            description << part;
    m_grid->setAccessibleDescription(description.join(QStringLiteral("; ")));
}

void DriverTable::showProblem(const QString &problem, const QString &note)
{
    showMessage(m_message, problem, note);
    mark();
}
