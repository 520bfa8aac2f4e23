// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// How the teacher has set up the game for this start: from the command line, the teacher's
// settings files, or the defaults below. Filled once before the first window opens; every
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
};

// The options of this run (tests set them directly).
Options& current();

}  // namespace options
