// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Notes for the teacher about what the game could not do as she set it up: the learning
// record that cannot be kept, a dictation without sound, a word folder that cannot be read.
// They are shown in the teacher's room and as a small sign on the menu, never to a child
// as a message. The notes of this run only; nothing is written anywhere.
namespace teachernotes {

enum class Kind {
    Record,     // the learning record could not keep what a child wrote
    Dictation,  // a dictation without sound: the word is shown instead
    Words,      // the chosen word folder cannot be read
};

struct Note {
    Kind kind;
    QString day;   // YYYY-MM-DD
    QString text;  // plain German, for the teacher
};

// Adds a note; the same kind and text on the same day is kept once. Returns whether it is new.
bool add(Kind kind, const QString& text);
const std::vector<Note>& list();
// Each note as one line: "Tag: Text".
QStringList lines();
QStringList lines(Kind kind);
bool any();
void clear();

// Runs whenever a note is added or the notes are cleared (the menu's sign follows them).
// One listener per owner; an empty function removes it.
void setListener(const void* owner, std::function<void()> changed);

}  // namespace teachernotes
