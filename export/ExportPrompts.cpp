#include "export/ExportPrompts.h"

#include "core/base/ApplicationTitle.h"
#include "export/SaveLocation.h"
#include "frame/ReplaceableBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace ExportPrompts
{

namespace
{
Hooks &hooks()
{
    static Hooks installed;
    return installed;
}

ReplaceableBox &errorBox()
{
    static ReplaceableBox box(QMessageBox::Warning, [] { return QStringLiteral("Erro"); });
    return box;
}
} // namespace

void setHooks(Hooks replacement)
{
    errorBox().setPresenter(replacement.showError);
    hooks() = std::move(replacement);
}

void showError(QWidget *parent, const QString &text)
{
    errorBox().show(parent, text);
}

QString saveQuestion(const QString &workbookName)
{
    return QStringLiteral("Deseja salvar as alterações em %1?").arg(workbookName);
}

SaveAnswer askSaveDontSaveCancel(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Warning, tavi::applicationTitle(), question, QMessageBox::NoButton,
                    parent);
    makeProgramBox(box);
    QPushButton *save = box.addButton(QStringLiteral("Salvar"), QMessageBox::AcceptRole);
    QPushButton *dontSave =
        box.addButton(QStringLiteral("Não Salvar"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    if (box.clickedButton() == dontSave)
        return SaveAnswer::DontSave;
    return SaveAnswer::Cancel;
}

SaveAnswer askToSave(QWidget *parent, const QString &workbookName)
{
    if (const auto hook = hooks().askToSave)
        return hook(parent, workbookName);
    return askSaveDontSaveCancel(parent, saveQuestion(workbookName));
}

QString replaceQuestion(const QString &path)
{
    return QStringLiteral("O arquivo \"%1\" já existe. Deseja substituí-lo?")
        .arg(QFileInfo(path).fileName());
}

bool confirmReplace(QWidget *parent, const QString &path)
{
    if (const auto hook = hooks().confirmReplace)
        return hook(parent, path);
    return askSimOrNao(parent, QStringLiteral("Salvar como"), replaceQuestion(path));
}

QString askFileToSave(QWidget *parent, const QString &title, const QString &startPath,
                      const QString &filter, const QString &suffix)
{
    const QString ending = QLatin1Char('.') + suffix;
    QString start = startPath;
    for (;;) {
        QFileDialog dialog(parent, title, QFileInfo(start).absolutePath(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(suffix);
        dialog.selectFile(QFileInfo(start).fileName());
        dialog.setWindowModality(Qt::ApplicationModal);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        const QString chosen = dialog.selectedFiles().first();
        const QString path =
            chosen.endsWith(ending, Qt::CaseInsensitive) ? chosen : chosen + ending;
        // The dialog asked about the name as typed; the name appended to is asked about here.
        if (path == chosen || !QFileInfo::exists(path) || confirmReplace(parent, path))
            return path;
        start = path;
    }
}

QString chooseSaveFile(QWidget *parent, const QString &suggestedName)
{
    if (const auto hook = hooks().chooseSaveFile)
        return hook(parent, suggestedName);
    return askFileToSave(
        parent, QStringLiteral("Salvar como"), SaveLocation::dialogStart(suggestedName),
        QStringLiteral("Pasta de Trabalho do Excel (*.xlsx)"), QStringLiteral("xlsx"));
}

bool askRestoreOrDiscard(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, tavi::applicationTitle(), text, QMessageBox::NoButton,
                    parent);
    makeProgramBox(box);
    QPushButton *restore = box.addButton(QStringLiteral("Restaurar"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QStringLiteral("Descartar"), QMessageBox::DestructiveRole);
    box.setDefaultButton(restore);
    box.setEscapeButton(discard);
    box.exec();
    return box.clickedButton() == restore;
}

} // namespace ExportPrompts
