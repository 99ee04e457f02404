#pragma once

#include <QChar>

// A key as a module window's key handler sees it: Enter, Escape, or the character a key types.
struct WindowKey {
    enum class Kind { Enter, Escape, Character };

    Kind kind = Kind::Character;
    QChar character; // the typed character, for Kind::Character

    static WindowKey enter() { return {Kind::Enter, QChar()}; }
    static WindowKey escape() { return {Kind::Escape, QChar()}; }
    static WindowKey typed(QChar c) { return {Kind::Character, c}; }
};

// What the key handler made of a key, before the focused control sees it.
struct KeyOutcome {
    enum class Action {
        PassOn,  // the control receives the key as typed
        Replace, // the control receives `replacement` instead
        Consume, // the control receives nothing: the handler has dealt with the key
    };

    Action action = Action::PassOn;
    QChar replacement; // for Action::Replace

    static KeyOutcome passOn() { return {}; }
    static KeyOutcome replaceWith(QChar c) { return {Action::Replace, c}; }
    static KeyOutcome consume() { return {Action::Consume, QChar()}; }
};
