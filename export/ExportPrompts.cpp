#include "export/ExportPrompts.h"

#include "core/base/ApplicationTitle.h"
#include "export/SaveLocation.h"
#include "frame/ReplaceableBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
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

QString chooseSaveFile(QWidget *parent, const QString &suggestedName)
{
    if (const auto hook = hooks().chooseSaveFile)
        return hook(parent, suggestedName);
    QString start = SaveLocation::dialogStart(suggestedName);
    for (;;) {
        QFileDialog dialog(parent, QStringLiteral("Salvar como"), QFileInfo(start).absolutePath(),
                           QStringLiteral("Pasta de Trabalho do Excel (*.xlsx)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("xlsx"));
        dialog.selectFile(QFileInfo(start).fileName());
        dialog.setWindowModality(Qt::ApplicationModal);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        const QString chosen = dialog.selectedFiles().first();
        const QString path = SaveLocation::withXlsxExtension(chosen);
        // The dialog asked about the name as typed; the name appended to is asked about here.
        if (path == chosen || !QFileInfo::exists(path) || confirmReplace(parent, path))
            return path;
        start = path;
    }
}

} // namespace ExportPrompts
