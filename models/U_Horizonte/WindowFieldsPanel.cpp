#include "models/U_Horizonte/WindowFieldsPanel.h"

#include "core/base/LocaleSettings.h"
#include "core/numbers/StudyText.h"
#include "core/sectors/catalogue/StudyKeys.h"
#include "core/study/StudyCaptions.h"
#include "frame/ResultGrid.h"
#include "models/U_Horizonte/DriverForm.h"
#include "models/U_Horizonte/HorizonEditor.h"

#include <QAbstractItemDelegate>
#include <QLabel>
#include <QVBoxLayout>

using namespace tavi;

WindowFieldsPanel::WindowFieldsPanel(HorizonEditor *editor, QWidget *parent)
    : QWidget(parent), m_editor(editor)
{
    // The agriculture window has no fields: its areas and efficiencies are drivers, and its
    // series is replaced whole from its tab.
    for (const QString &window : {QString(keys::kSupplyWindow), QString(keys::kLivestockWindow),
                                  QString(keys::kDilutionWindow)})
        for (const auto &field : studyFieldCaptions(window))
            m_fields << qMakePair(window, field.first);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto *caption = new QLabel(QStringLiteral("Campos das janelas neste cenário:"), this);
    m_grid = new ResultGrid(4, int(m_fields.size()) + 1, int(m_fields.size()) + 1, true, this);
    m_grid->setObjectName(QStringLiteral("SG_Janelas"));
    m_grid->setAccessibleName(QStringLiteral("Campos das janelas neste cenário"));
    m_grid->setDecimalTranslationOnPaste(true);
    caption->setBuddy(m_grid);
    // What is compared and typed comes first, in view beside the field's name; the field's
    // caption names its window well enough, which is spelled out last.
    const QStringList headings = {QStringLiteral("Campo"), QStringLiteral("Na Base"),
                                  QStringLiteral("Neste cenário"), QStringLiteral("Janela")};
    for (int c = 0; c < headings.size(); ++c)
        m_grid->setCell(c, 0, headings[c]);
    for (int r = 0; r < m_fields.size(); ++r) {
        const auto &[window, field] = m_fields[r];
        m_grid->setCell(
            0, r + 1,
            studyMemberCaptionWithinWindow(QStringLiteral("janelas/%1/%2").arg(window, field)));
        m_grid->setCell(kWindowColumn, r + 1, studyWindowCaption(window));
    }
    for (int c : {0, kBaseColumn, kWindowColumn})
        m_grid->table().setColumnReadOnly(c);
    m_grid->setColumnWidth(0, 250);
    m_grid->setColumnWidth(kBaseColumn, 75);
    m_grid->setColumnWidth(kOwnColumn, 95);
    m_grid->setColumnWidth(kWindowColumn, 180);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    m_message = newMessageLabel(this);
    m_message->setObjectName(QStringLiteral("l_janelas"));
    m_message->setBuddy(m_grid);
    layout->addWidget(caption);
    layout->addWidget(m_note);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_message);

    connect(&m_grid->table(), &CellTable::dataChanged, this,
            [this](const QModelIndex &from, const QModelIndex &to) {
                if (from.column() > kOwnColumn || to.column() < kOwnColumn)
                    return;
                for (int r = from.row(); r <= to.row(); ++r) {
                    const int row = m_grid->table().storedRow(r);
                    if (row >= 1 && row <= m_fields.size())
                        edited(row, m_grid->cell(kOwnColumn, row), true);
                }
            });
    // An edit given up (Escape) takes back what its keystrokes had put in the scenario: the
    // cell's own text holds again, once the editor is gone.
    connect(
        m_grid->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
        [this] {
            const int row = m_grid->table().storedRow(m_grid->currentIndex().row());
            if (m_grid->currentIndex().column() == kOwnColumn && row >= 1 && row <= m_fields.size())
                edited(row, m_grid->cell(kOwnColumn, row), false);
        },
        Qt::QueuedConnection);
    // A value being typed counts before its cell is left, as in every grid of the study.
    connect(m_grid, &ResultGrid::pendingEditChanged, this, [this] {
        int col = 0, row = 0;
        QString text;
        if (m_grid->pendingEdit(&col, &row, &text) && col == kOwnColumn)
            edited(row, text, false);
    });
}

int WindowFieldsPanel::rowOf(const QString &window, const QString &field) const
{
    const int index = m_fields.indexOf(qMakePair(window, field));
    return index < 0 ? -1 : index + 1;
}

void WindowFieldsPanel::edited(int row, const QString &text, bool left)
{
    if (m_refreshing || row < 1 || row > m_fields.size())
        return;
    const auto &[window, field] = m_fields[row - 1];
    const QString typed = text.trimmed();
    const QString kept = toStudyText(typed, LocaleSettings::current());
    // The study keeps numbers in a window's fields, its scenarios' too: a text that is none
    // never reaches it, and the scenario keeps what it had.
    if (!isFieldStudyText(kept)) {
        if (left) {
            m_refused = QStringLiteral("%1: '%2' não é um valor de ponto flutuante válido; o "
                                       "cenário continua com o valor anterior.")
                            .arg(m_grid->cell(0, row), typed);
            showMessage(m_message, m_refused);
        }
        return;
    }
    if (!m_refused.isEmpty()) {
        m_refused.clear();
        showMessage(m_message, m_problem);
    }
    if (typed.isEmpty())
        m_editor->followBaseWindowField(window, field);
    else
        m_editor->setWindowField(window, field, kept);
}

void WindowFieldsPanel::refresh()
{
    m_refreshing = true;
    const LocaleSettings &locale = LocaleSettings::current();
    const bool base = m_editor->isBase();
    {
        CellTable::Batch batch(m_grid->table());
        for (int r = 0; r < m_fields.size(); ++r) {
            const auto &[window, field] = m_fields[r];
            m_grid->setCell(kBaseColumn, r + 1,
                            fromStudyText(m_editor->baseWindowField(window, field), locale));
            m_grid->setCell(kOwnColumn, r + 1,
                            !base && m_editor->ownsWindowField(window, field)
                                ? fromStudyText(m_editor->windowField(window, field), locale)
                                : QString());
        }
    }
    m_grid->setEditable(!base);
    m_refused.clear();
    m_note->setText(base ? QStringLiteral("No cenário Base valem os valores digitados nas janelas "
                                          "do estudo. Escolha outro cenário para substituir "
                                          "algum deles.")
                         : QStringLiteral("Digite em \"Neste cenário\" o valor que este cenário "
                                          "usa no lugar do da Base; apague-o para voltar a "
                                          "seguir a Base."));
    m_refreshing = false;
}

void WindowFieldsPanel::showProblem(const QString &problem)
{
    m_problem = problem;
    showMessage(m_message, m_refused.isEmpty() ? problem : m_refused);
}
