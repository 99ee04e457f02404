#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

// A one-button message box of the program that tests replace with a presenter of their own,
// so that no box waits for a user. The real box is set up as every box of the program is
// (see makeProgramBox) and waits for OK.
class ReplaceableBox
{
public:
    using Presenter = std::function<void(QWidget *parent, const QString &text)>;
    enum class Placement { OverParent, ScreenCentre };

    // The title is asked for each time the box opens: the application title is known only
    // once the application exists.
    ReplaceableBox(QMessageBox::Icon icon, std::function<QString()> title,
                   Placement placement = Placement::OverParent);

    // Shows `text` over `parent` (may be null) and waits for OK, or hands it to the
    // presenter. Returns whether the real box was shown.
    bool show(QWidget *parent, const QString &text) const;
    // An empty function brings the real box back.
    void setPresenter(Presenter presenter);

private:
    QMessageBox::Icon m_icon;
    std::function<QString()> m_title;
    Placement m_placement;
    Presenter m_presenter;
};

// Sets a box up as every message box of the program is: its text shown as plain text
// (messages quote what the user typed, and "<" in a cell must not turn into markup), modal to
// the whole program.
void makeProgramBox(QMessageBox &box);

// Asks a question of the program's own with "Sim" and "Não", "Não" being the default and what
// Escape answers: for steps that would throw something away. Returns whether "Sim" was chosen.
bool askSimOrNao(QWidget *parent, const QString &title, const QString &question);
