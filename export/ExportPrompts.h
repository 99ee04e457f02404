#pragma once

#include <QString>
#include <functional>

class QWidget;

// What the export and the workbook window ask or tell the user: the "Erro" message box, the
// question whether to save a workbook, and the file dialog that chooses where. Tests replace
// each with a hook, so no box or dialog waits for a user.
namespace ExportPrompts
{

enum class SaveAnswer { Save, DontSave, Cancel };

// A message box over `parent` titled "Erro", with the exclamation icon and an OK button.
void showError(QWidget *parent, const QString &text);
// A warning box with `question` and the buttons "Salvar", "Não Salvar" and "Cancelar" (the
// default and Escape ones: "Salvar" and "Cancelar"), captioned with the program's name.
SaveAnswer askSaveDontSaveCancel(QWidget *parent, const QString &question);
// "Deseja salvar as alterações em <workbook>?" with "Salvar", "Não Salvar" and "Cancelar".
SaveAnswer askToSave(QWidget *parent, const QString &workbookName);
QString saveQuestion(const QString &workbookName);
// A file dialog for an .xlsx file to save to, offering `suggestedName` where
// SaveLocation::dialogStart() puts it; an empty text when the user cancels. A typed name
// without ".xlsx" gets it appended; when that names an existing file, the user is asked
// whether to replace it, and a "Não" opens the dialog again.
QString chooseSaveFile(QWidget *parent, const QString &suggestedName);
// The save dialog every "Salvar como" of the program opens: titled `title`, showing `filter`,
// starting at `startPath`; a name typed without ".<suffix>" gets it appended, and when that
// names an existing file the user is asked whether to replace it, a "Não" opening the dialog
// again. An empty text when the user cancels. Not hooked: its callers are.
QString askFileToSave(QWidget *parent, const QString &title, const QString &startPath,
                      const QString &filter, const QString &suffix);
// A question with "Restaurar" (the default) and "Descartar" (Escape), captioned with the
// program's name: whether to bring back what a recovery copy holds. True for "Restaurar".
bool askRestoreOrDiscard(QWidget *parent, const QString &text);
// "O arquivo "<name>" já existe. Deseja substituí-lo?" with "Sim" and "Não"; true for "Sim".
bool confirmReplace(QWidget *parent, const QString &path);
QString replaceQuestion(const QString &path);

struct Hooks {
    std::function<void(QWidget *parent, const QString &text)> showError;
    std::function<SaveAnswer(QWidget *parent, const QString &workbookName)> askToSave;
    std::function<QString(QWidget *parent, const QString &suggestedName)> chooseSaveFile;
    std::function<bool(QWidget *parent, const QString &path)> confirmReplace;
};
// Replaces the prompts whose hook is set; pass Hooks() to bring every real one back.
void setHooks(Hooks hooks);

} // namespace ExportPrompts
