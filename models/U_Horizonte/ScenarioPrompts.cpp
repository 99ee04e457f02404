#include "models/U_Horizonte/ScenarioPrompts.h"

#include "frame/Activation.h"
#include "frame/ReplaceableBox.h"
#include "models/U_Horizonte/DriverForm.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ScenarioPrompts
{

namespace
{

Hooks &hooks()
{
    static Hooks installed;
    return installed;
}

} // namespace

void setHooks(Hooks replacement)
{
    hooks() = std::move(replacement);
}

std::optional<QString> askName(QWidget *parent, const QString &title, const QString &suggested,
                               const NameCheck &check)
{
    if (hooks().askName)
        return hooks().askName(parent, title, suggested, check);
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("F_Nome_Cenario"));
    dialog.setWindowTitle(title);
    auto *layout = new QVBoxLayout(&dialog);
    auto *caption = new QLabel(QStringLiteral("&Nome do cenário:"), &dialog);
    auto *name = new QLineEdit(suggested, &dialog);
    name->setObjectName(QStringLiteral("e_nome_cenario"));
    name->setMaxLength(80);
    name->selectAll();
    caption->setBuddy(name);
    QLabel *message = newMessageLabel(&dialog);
    message->setObjectName(QStringLiteral("l_nome_cenario"));
    message->setBuddy(name);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    layout->addWidget(caption);
    layout->addWidget(name);
    layout->addWidget(message);
    layout->addWidget(buttons);
    dialog.setMinimumWidth(360);
    auto recheck = [&] {
        const QString problem = check(name->text());
        showMessage(message, problem);
        buttons->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
    };
    QObject::connect(name, &QLineEdit::textChanged, &dialog, recheck);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    recheck();
    const bool accepted = dialog.exec() == QDialog::Accepted;
    giveActivationBack(parent);
    if (!accepted)
        return std::nullopt;
    return name->text().trimmed();
}

bool confirmRemoval(QWidget *parent, const QString &name)
{
    if (hooks().confirmRemoval)
        return hooks().confirmRemoval(parent, name);
    const bool yes = askSimOrNao(
        parent, QStringLiteral("Excluir cenário"),
        QStringLiteral("Excluir o cenário \"%1\"? Tudo o que ele muda em relação à Base será "
                       "perdido.")
            .arg(name));
    giveActivationBack(parent);
    return yes;
}

} // namespace ScenarioPrompts
