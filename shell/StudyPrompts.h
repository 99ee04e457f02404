#pragma once

#include "export/ExportPrompts.h"

#include <QString>
#include <functional>

class QWidget;

// What the study commands ask or tell the user. Tests replace each with a hook, so no box or
// dialog waits for a user.
namespace StudyPrompts
{

using ExportPrompts::SaveAnswer;

// "O estudo "<name>" tem alterações que não foram salvas. Deseja salvá-las?" with "Salvar",
// "Não Salvar" and "Cancelar".
SaveAnswer askToSave(QWidget *parent, const QString &studyName);
QString saveQuestion(const QString &studyName);
// A file dialog for a study to open; an empty text when the user cancels.
QString chooseStudyToOpen(QWidget *parent, const QString &startFolder);
// A file dialog for the file to save a study to, offering `suggestedPath`; a typed name
// without ".tavi" gets it. Empty when the user cancels.
QString chooseStudyToSave(QWidget *parent, const QString &suggestedPath);
// The "Erro" box.
void showError(QWidget *parent, const QString &text);
// An information box titled with the program's name.
void showNotice(QWidget *parent, const QString &text);
// "Restaurar" (true) or "Descartar" for a recovery copy described by `text`.
bool offerRecovery(QWidget *parent, const QString &text);
// The study's name and notes, edited in a small dialog; false when cancelled.
bool editNameAndNotes(QWidget *parent, QString *name, QString *notes);

struct Hooks {
    std::function<SaveAnswer(QWidget *, const QString &)> askToSave;
    std::function<QString(QWidget *, const QString &)> chooseStudyToOpen;
    std::function<QString(QWidget *, const QString &)> chooseStudyToSave;
    std::function<void(QWidget *, const QString &)> showError;
    std::function<void(QWidget *, const QString &)> showNotice;
    std::function<bool(QWidget *, const QString &)> offerRecovery;
    std::function<bool(QWidget *, QString *, QString *)> editNameAndNotes;
};
// Replaces the prompts whose hook is set; pass Hooks() to bring every real one back.
void setHooks(Hooks hooks);

} // namespace StudyPrompts
