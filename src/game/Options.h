// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

// How the teacher has set up the game for this start: from the command line, the teacher's
// settings files, or the defaults below. Filled before the first window opens; the teacher's
// room changes them while the program runs, and the game follows from its next word. Every
// default is the game as it always was.
namespace options {

// When the word is spoken.
enum class Speech {
    Off,        // never; no speaker button
    Button,     // on the speaker button and its key only
    Automatic,  // also at every new picture and when the word is revealed after a mistake
    Dictation,  // like Automatic, and the written preview is never shown
};

// When the on-screen letter keys are shown.
enum class LetterKeys { Off, On, Automatic };

struct Options {
    QString dbFolder;  // empty: the folder db beside the program
    bool fullScreen = false;
    Speech speech = Speech::Button;
    LetterKeys letterKeys = LetterKeys::Automatic;
    bool syllables = false;  // arcs under the syllables, F3 says the word in syllables
    bool soundHelp = false;  // F4 and "?": the initial-sound chart for the next letter
    // The learning record: off unless the teacher switches it on. Empty folder: the
    // user's data folder.
    bool learning = false;
    QString learningFolder;
    // The word collection the children play: empty or "Alle Wörter" (the folder db), the
    // name of a shipped collection, or a folder (see game/Collections.h). A folder named as
    // dbFolder wins over it.
    QString collection;
    // The teacher's own collections, folders she added.
    QStringList ownCollections;
    // The teacher's room: whether the menu leads there, and the PIN asked first (empty: none).
    bool teacherRoom = true;
    QString teacherPin;
    // The settings keys the command line set for this start ("silben", "sammlung", ...): what
    // the teacher changes in her room while the program runs holds from the next start.
    QStringList setForThisStart;
};

// The options of this run (tests set them directly).
Options& current();

}  // namespace options
