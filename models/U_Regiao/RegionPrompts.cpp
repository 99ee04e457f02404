#include "models/U_Regiao/RegionPrompts.h"

#include "core/base/ApplicationTitle.h"
#include "core/region/MunicipalityCode.h"
#include "frame/ReplaceableBox.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace RegionPrompts
{

namespace
{

Hooks &hooks()
{
    static Hooks installed;
    return installed;
}

QString filterOf(FileKind kind)
{
    switch (kind) {
    case FileKind::Region:
        return QStringLiteral("Regiões (*.tavi-regiao);;Todos os arquivos (*)");
    case FileKind::Study:
        return QStringLiteral("Estudos (*.tavi);;Todos os arquivos (*)");
    case FileKind::Tables:
    case FileKind::CodeTable:
        return QStringLiteral("Tabelas (*.csv *.txt);;Todos os arquivos (*)");
    }
    return QString();
}

QDialogButtonBox *okCancel(QDialog *dialog, const QString &ok)
{
    auto *buttons = new QDialogButtonBox(dialog);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

void setHooks(Hooks replacement)
{
    hooks() = std::move(replacement);
}

QStringList chooseFilesToOpen(QWidget *parent, FileKind kind, const QString &title)
{
    if (const auto hook = hooks().chooseFilesToOpen)
        return hook(parent, kind, title);
    if (kind == FileKind::Tables)
        return QFileDialog::getOpenFileNames(parent, title, QString(), filterOf(kind));
    const QString path = QFileDialog::getOpenFileName(parent, title, QString(), filterOf(kind));
    return path.isEmpty() ? QStringList() : QStringList{path};
}

QString chooseFileToSave(QWidget *parent, const QString &title, const QString &suggestedPath,
                         const QString &suffix)
{
    if (const auto hook = hooks().chooseFileToSave)
        return hook(parent, title, suggestedPath, suffix);
    return ExportPrompts::askFileToSave(parent, title, suggestedPath,
                                        QStringLiteral("*.%1;;Todos os arquivos (*)").arg(suffix),
                                        suffix);
}

QString saveQuestion(const QString &regionName)
{
    return QStringLiteral("A região \"%1\" tem alterações que não foram salvas. Deseja salvá-las?")
        .arg(regionName);
}

SaveAnswer askToSave(QWidget *parent, const QString &regionName)
{
    if (const auto hook = hooks().askToSave)
        return hook(parent, regionName);
    return ExportPrompts::askSaveDontSaveCancel(parent, saveQuestion(regionName));
}

bool offerRecovery(QWidget *parent, const QString &text)
{
    if (const auto hook = hooks().offerRecovery)
        return hook(parent, text);
    return ExportPrompts::askRestoreOrDiscard(parent, text);
}

std::optional<int> pickYear(QWidget *parent, const QString &source, const QList<int> &years)
{
    if (const auto hook = hooks().pickYear)
        return hook(parent, source, years);
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("F_Ano_Tabela"));
    dialog.setWindowTitle(QStringLiteral("Ano dos indicadores"));
    auto *form = new QFormLayout(&dialog);
    auto *note = new QLabel(QStringLiteral("A tabela \"%1\" tem os indicadores de %2 anos.")
                                .arg(source)
                                .arg(years.size()),
                            &dialog);
    note->setWordWrap(true);
    form->addRow(note);
    auto *choice = new QComboBox(&dialog);
    choice->setObjectName(QStringLiteral("cb_ano"));
    choice->setAccessibleName(QStringLiteral("Ano dos indicadores"));
    for (int year : years)
        choice->addItem(QString::number(year), year);
    // The latest year is what a table read without asking gives.
    choice->setCurrentIndex(choice->count() - 1);
    auto *caption = new QLabel(QStringLiteral("&Ano:"), &dialog);
    caption->setBuddy(choice);
    form->addRow(caption, choice);
    form->addRow(okCancel(&dialog, QStringLiteral("Ler")));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return choice->currentData().toInt();
}

bool askMunicipality(QWidget *parent, QString *code, QString *name)
{
    if (const auto hook = hooks().askMunicipality)
        return hook(parent, code, name);
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("F_Novo_Municipio"));
    dialog.setWindowTitle(QStringLiteral("Adicionar município"));
    auto *form = new QFormLayout(&dialog);
    auto *codeEdit = new QLineEdit(&dialog);
    codeEdit->setObjectName(QStringLiteral("e_codigo"));
    codeEdit->setAccessibleName(QStringLiteral("Código do IBGE"));
    auto *nameEdit = new QLineEdit(&dialog);
    nameEdit->setObjectName(QStringLiteral("e_municipio"));
    nameEdit->setAccessibleName(QStringLiteral("Nome do município"));
    auto *codeCaption = new QLabel(QStringLiteral("&Código do IBGE:"), &dialog);
    codeCaption->setBuddy(codeEdit);
    auto *nameCaption = new QLabel(QStringLiteral("&Nome:"), &dialog);
    nameCaption->setBuddy(nameEdit);
    form->addRow(codeCaption, codeEdit);
    form->addRow(nameCaption, nameEdit);
    form->addRow(okCancel(&dialog, QStringLiteral("Adicionar")));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *code = codeEdit->text().trimmed();
    *name = nameEdit->text().trimmed();
    return true;
}

bool runDialog(QDialog *dialog)
{
    if (const auto hook = hooks().runDialog)
        return hook(dialog);
    return dialog->exec() == QDialog::Accepted;
}

} // namespace RegionPrompts
