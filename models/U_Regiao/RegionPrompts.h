#pragma once

#include "export/ExportPrompts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QDialog;
class QWidget;

// What the region window asks the planner. Tests replace each with a hook, so no box or file
// dialog waits for a user.
namespace RegionPrompts
{

using ExportPrompts::SaveAnswer;

enum class FileKind {
    Region,    // .tavi-regiao, to open
    Study,     // .tavi, to read as the template
    Tables,    // one or several public tables (.csv)
    CodeTable, // a two-column table (.csv)
};

// File dialogs; empty when the planner cancelled.
QStringList chooseFilesToOpen(QWidget *parent, FileKind kind, const QString &title);
// `suffix` without its dot ("tavi-regiao", "tavi", "pdf"); a typed name without it gets it.
QString chooseFileToSave(QWidget *parent, const QString &title, const QString &suggestedPath,
                         const QString &suffix);
// "A região "<name>" tem alterações que não foram salvas. Deseja salvá-las?"
SaveAnswer askToSave(QWidget *parent, const QString &regionName);
QString saveQuestion(const QString &regionName);
// "Restaurar" (true) or "Descartar" for a recovery copy described by `text`.
bool offerRecovery(QWidget *parent, const QString &text);
// The year of a sanitation table with several; none when the planner cancelled.
std::optional<int> pickYear(QWidget *parent, const QString &source, const QList<int> &years);
// A municipality's seven-digit code and name, typed to add it; false when cancelled.
bool askMunicipality(QWidget *parent, QString *code, QString *name);
// Runs a dialog of the window (the import preview) and returns whether it was accepted.
bool runDialog(QDialog *dialog);

struct Hooks {
    std::function<QStringList(QWidget *, FileKind, const QString &)> chooseFilesToOpen;
    std::function<QString(QWidget *, const QString &, const QString &, const QString &)>
        chooseFileToSave;
    std::function<SaveAnswer(QWidget *, const QString &)> askToSave;
    std::function<bool(QWidget *, const QString &)> offerRecovery;
    std::function<std::optional<int>(QWidget *, const QString &, const QList<int> &)> pickYear;
    std::function<bool(QWidget *, QString *, QString *)> askMunicipality;
    // Gets the dialog built and ready; acts on it as the planner would and returns whether it
    // was accepted.
    std::function<bool(QDialog *)> runDialog;
};
// Replaces the prompts whose hook is set; pass Hooks() to bring every real one back.
void setHooks(Hooks hooks);

} // namespace RegionPrompts
