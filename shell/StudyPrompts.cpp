#include "shell/StudyPrompts.h"

#include "core/base/ApplicationTitle.h"
#include "frame/ReplaceableBox.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace StudyPrompts
{

namespace
{

Hooks &hooks()
{
    static Hooks installed;
    return installed;
}

const QString kFilter = QStringLiteral("Estudos do TAVI (*.tavi);;Todos os arquivos (*)");

} // namespace

void setHooks(Hooks replacement)
{
    hooks() = std::move(replacement);
}

QString saveQuestion(const QString &studyName)
{
    return QStringLiteral("O estudo \"%1\" tem alterações que não foram salvas. Deseja salvá-las?")
        .arg(studyName);
}

SaveAnswer askToSave(QWidget *parent, const QString &studyName)
{
    if (const auto hook = hooks().askToSave)
        return hook(parent, studyName);
    return ExportPrompts::askSaveDontSaveCancel(parent, saveQuestion(studyName));
}

QString chooseStudyToOpen(QWidget *parent, const QString &startFolder)
{
    if (const auto hook = hooks().chooseStudyToOpen)
        return hook(parent, startFolder);
    QFileDialog dialog(parent, QStringLiteral("Abrir estudo"), startFolder, kFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

QString chooseStudyToSave(QWidget *parent, const QString &suggestedPath)
{
    if (const auto hook = hooks().chooseStudyToSave)
        return hook(parent, suggestedPath);
    return ExportPrompts::askFileToSave(parent, QStringLiteral("Salvar estudo como"), suggestedPath,
                                        kFilter, QStringLiteral("tavi"));
}

void showError(QWidget *parent, const QString &text)
{
    if (const auto hook = hooks().showError)
        return hook(parent, text);
    ExportPrompts::showError(parent, text);
}

void showNotice(QWidget *parent, const QString &text)
{
    if (const auto hook = hooks().showNotice)
        return hook(parent, text);
    QMessageBox box(QMessageBox::Information, tavi::applicationTitle(), text, QMessageBox::Ok,
                    parent);
    makeProgramBox(box);
    box.exec();
}

bool offerRecovery(QWidget *parent, const QString &text)
{
    if (const auto hook = hooks().offerRecovery)
        return hook(parent, text);
    return ExportPrompts::askRestoreOrDiscard(parent, text);
}

bool editNameAndNotes(QWidget *parent, QString *name, QString *notes)
{
    if (const auto hook = hooks().editNameAndNotes)
        return hook(parent, name, notes);
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("F_Estudo"));
    dialog.setWindowTitle(QStringLiteral("Nome e notas do estudo"));
    auto *form = new QFormLayout(&dialog);
    auto *nameEdit = new QLineEdit(*name, &dialog);
    nameEdit->setObjectName(QStringLiteral("e_nome"));
    auto *notesEdit = new QPlainTextEdit(*notes, &dialog);
    notesEdit->setObjectName(QStringLiteral("m_notas"));
    notesEdit->setTabChangesFocus(true);
    notesEdit->setMinimumSize(420, 160);
    form->addRow(QStringLiteral("&Nome:"), nameEdit);
    form->addRow(QStringLiteral("N&otas:"), notesEdit);
    auto *buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *name = nameEdit->text();
    *notes = notesEdit->toPlainText();
    return true;
}

} // namespace StudyPrompts
