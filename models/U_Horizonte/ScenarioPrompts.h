#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

// What the scenario commands of the horizon window ask the user. Tests replace each with a
// hook, so that no dialog waits for a user.
namespace ScenarioPrompts
{

// Why a name cannot be used, empty when it can.
using NameCheck = std::function<QString(const QString &name)>;

// A scenario's name, typed in a small dialog that says beside the field why a name cannot be
// used and accepts only one that can; none when the user cancels.
std::optional<QString> askName(QWidget *parent, const QString &title, const QString &suggested,
                               const NameCheck &check);
// "Excluir o cenário ...?", "Não" being the default; whether the user said "Sim".
bool confirmRemoval(QWidget *parent, const QString &name);

struct Hooks {
    std::function<std::optional<QString>(QWidget *, const QString &, const QString &,
                                         const NameCheck &)>
        askName;
    std::function<bool(QWidget *, const QString &)> confirmRemoval;
};
// Replaces the prompts whose hook is set; Hooks() brings the real ones back.
void setHooks(Hooks hooks);

} // namespace ScenarioPrompts
