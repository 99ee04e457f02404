#include "models/U_Horizonte/DriverForm.h"

#include "core/base/LocaleSettings.h"
#include "core/horizon/HorizonDrivers.h"
#include "core/numbers/NumberText.h"
#include "core/numbers/StudyText.h"
#include "frame/NumericEdit.h"
#include "models/U_Horizonte/HorizonChecks.h"
#include "models/U_Horizonte/HorizonEditor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

using namespace tavi;

QLabel *newMessageLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->hide();
    return label;
}

void showMessage(QLabel *label, const QString &problem, const QString &note)
{
    const QString text = problem.isEmpty() ? note : problem;
    label->setText(text);
    label->setStyleSheet(problem.isEmpty() ? QStringLiteral("color: #7a4a00")
                                           : QStringLiteral("color: #a00000"));
    label->setVisible(!text.isEmpty());
    // Read with the field it belongs to, not only when the user happens to reach the label.
    if (QWidget *field = label->buddy())
        field->setAccessibleDescription(text);
}

DriverForm::DriverForm(HorizonEditor *editor, QWidget *parent)
    : QWidget(parent), m_editor(editor), m_grid(new QGridLayout(this))
{
    m_grid->setContentsMargins(6, 6, 6, 6);
    m_grid->setHorizontalSpacing(6);
    m_grid->setVerticalSpacing(2);
    m_grid->setColumnStretch(0, 1);
}

DriverForm::Row &DriverForm::addRow(const QString &key, const QString &caption, QWidget *control,
                                    const QString &unit)
{
    auto row = std::make_unique<Row>();
    row->key = key;
    row->caption = new QLabel(caption + QLatin1Char(':'), this);
    row->caption->setWordWrap(true);
    row->caption->setBuddy(control);
    row->control = control;
    row->unit = unit;
    control->setAccessibleName(caption);
    auto *unitLabel = new QLabel(unit, this);
    row->followBase = new QToolButton(this);
    row->followBase->setObjectName(QStringLiteral("b_base_") + key);
    row->followBase->setText(QStringLiteral("Base"));
    row->followBase->setToolTip(QStringLiteral("Voltar a seguir o valor do cenário Base"));
    row->followBase->setAccessibleName(QStringLiteral("Seguir a Base: ") + caption);
    row->followBase->setFocusPolicy(Qt::StrongFocus);
    row->message = newMessageLabel(this);
    row->message->setObjectName(QStringLiteral("l_") + key);
    row->message->setBuddy(control);

    m_grid->addWidget(row->caption, m_nextRow, 0);
    m_grid->addWidget(control, m_nextRow, 1);
    m_grid->addWidget(unitLabel, m_nextRow, 2);
    m_grid->addWidget(row->followBase, m_nextRow, 3);
    m_grid->addWidget(row->message, m_nextRow + 1, 0, 1, 4);
    m_nextRow += 2;

    Row *added = row.get();
    connect(row->followBase, &QToolButton::clicked, this, [this, added] {
        m_editor->followBase(added->key);
        added->control->setFocus(Qt::OtherFocusReason);
    });
    m_rows.push_back(std::move(row));
    return *added;
}

NumericEdit *DriverForm::addNumber(const QString &key, const QString &caption, const QString &unit,
                                   int decimals, Blank blank)
{
    auto *field = new NumericEdit(this);
    field->setObjectName(QStringLiteral("e_") + key);
    field->setDecimalPlaces(decimals);
    // A target of 0 is a target: only a blank field leaves the driver unset.
    field->setZeroEmpty(blank == Blank::Zero);
    field->setDisplayFormat(decimals == 0 ? QStringLiteral("0;-0")
                                          : QStringLiteral(",0.00;-,0.00"));
    field->setFixedWidth(96);
    Row &row = addRow(key, caption, field, unit);
    row.unsetWhenBlank = blank == Blank::None;
    Row *added = &row;
    connect(field, &QLineEdit::textChanged, this, [this, added] { fieldEdited(*added); });
    return field;
}

NumericEdit *DriverForm::addYear(const QString &key, const QString &caption)
{
    return addNumber(key, caption, QString(), 0, Blank::None);
}

QComboBox *DriverForm::addChoice(const QString &key, const QString &caption,
                                 const QList<QPair<QString, QString>> &choices)
{
    auto *list = new QComboBox(this);
    list->setObjectName(QStringLiteral("cb_") + key);
    for (const auto &choice : choices)
        list->addItem(choice.second, choice.first);
    Row &row = addRow(key, caption, list, QString());
    Row *added = &row;
    connect(list, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this, added] { choiceMade(*added); });
    return list;
}

void DriverForm::addHeading(const QString &text)
{
    auto *heading = new QLabel(text, this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    m_grid->addWidget(heading, m_nextRow++, 0, 1, 4);
}

void DriverForm::addWide(QWidget *widget)
{
    m_grid->addWidget(widget, m_nextRow++, 0, 1, 4);
}

void DriverForm::fieldEdited(Row &row)
{
    if (m_refreshing)
        return;
    auto *field = static_cast<NumericEdit *>(row.control);
    const bool unset = row.unsetWhenBlank && field->text().trimmed().isEmpty();
    const QString text =
        unset ? QString() : toStudyText(field->keptText(), LocaleSettings::current());
    if (row.unsetWhenBlank)
        field->setBlankZero(unset);
    if (text == row.shown)
        return;
    row.shown = text;
    m_editor->setDriver(row.key, text);
    mark(row);
}

void DriverForm::choiceMade(Row &row)
{
    if (m_refreshing)
        return;
    const QString key = static_cast<QComboBox *>(row.control)->currentData().toString();
    if (key == row.shown)
        return;
    row.shown = key;
    m_editor->setDriver(row.key, key);
    mark(row);
}

void DriverForm::refresh()
{
    m_refreshing = true;
    const LocaleSettings &locale = LocaleSettings::current();
    for (const std::unique_ptr<Row> &row : m_rows) {
        // What a driver left empty reads as is shown, so that every figure used is in view.
        QString text = m_editor->driver(row->key).trimmed();
        if (text.isEmpty())
            text = horizon::defaultDriverTexts().value(row->key);
        if (auto *field = qobject_cast<NumericEdit *>(row->control)) {
            long double value = 0;
            if (!readEntry(fromStudyText(text, locale), &value, locale))
                value = 0;
            const bool unset = row->unsetWhenBlank && text.isEmpty();
            field->setBlankZero(unset);
            field->setValue(value);
            row->shown = unset ? QString() : toStudyText(field->keptText(), locale);
        } else if (auto *list = qobject_cast<QComboBox *>(row->control)) {
            const int index = list->findData(text);
            list->setCurrentIndex(index < 0 ? 0 : index);
            row->shown = list->currentData().toString();
        }
        mark(*row);
    }
    m_refreshing = false;
}

void DriverForm::mark(Row &row)
{
    const bool base = m_editor->isBase();
    const bool own = !base && m_editor->ownsDriver(row.key);
    QFont font = row.caption->font();
    font.setBold(own);
    row.caption->setFont(font);
    row.caption->setToolTip(own ? QStringLiteral("Valor próprio deste cenário") : QString());
    row.followBase->setVisible(!base);
    row.followBase->setEnabled(own);
    const QString state = base  ? QString()
                          : own ? QStringLiteral("valor próprio deste cenário")
                                : QStringLiteral("segue a Base");
    QStringList description;
    for (const QString &part : {row.unit, state, row.message->text()})
        if (!part.isEmpty())
            description << part;
    row.control->setAccessibleDescription(description.join(QStringLiteral("; ")));
}

void DriverForm::showProblems(const HorizonChecks::Problems &problems)
{
    for (const std::unique_ptr<Row> &row : m_rows) {
        showMessage(row->message, problems.byKey.value(row->key), problems.notes.value(row->key));
        mark(*row);
    }
}
