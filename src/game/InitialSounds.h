// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// The initial-sound chart of first grades ("M wie Maus") made from the teacher's own
// pictures. It goes by sounds, not letters: the sound being written next is one letter or
// a group of letters that first grades write as one sound (sch, ch, ck, ei, ai, eu, äu, au,
// ie, pf, qu, ng, a doubled letter, st and sp at a word's start). The chart shows a word of
// the vocabulary that begins with that sound ("Sch wie Schaf", "Ei wie Eis"); where none
// does, a word that has the sound inside ("ck wie in Glocke"), never one whose letters
// stand for another sound there ("Eule" is no word for E, "Hai" none for I); else the
// letters alone.
namespace initialsounds {

// One sound of a word: `length` characters from `start` (counted from 0).
struct Unit {
    int start = 0;
    int length = 0;
    bool operator==(const Unit&) const = default;
};

// The sounds of a word in order; blanks and hyphens belong to none.
QList<Unit> units(const QString& word);
// The sound that holds character `at` of `word`; length 0 for a blank, a hyphen or a
// position outside the word.
Unit unitAt(const QString& word, int at);

struct Help {
    QString sound;     // the sound's letters in lower case: "m", "sch", "ck"
    QString said;      // the sound in the voice's phonemes ("mmm"), as first grades say it
    QString letters;   // as the card shows them: "M m", "Sch sch", "ck", "ß"
    QString word;      // the word shown with its picture; empty: the letters alone
    QString fileName;  // the picture's file name, as listed
    bool inside = false;  // the word has the sound inside, not at its start
    int markStart = 0;    // where the sound's letters stand in `word`
    int markLength = 0;
    // What is shown and announced: "M wie Maus", "ck wie in Glocke", "X".
    QString phrase() const;
    // What the voice is given: the sound as a sound, not by its name ("[[mmm]] wie Maus").
    QString spoken() const;
};

// The help for the sound at character `at` of `written` (the word being written), from the
// pictures `fileNames`, never the word `excluded`. Among several fitting words the shortest
// is taken, then the first in alphabetical order. No help (empty `letters`) for what is
// no letter.
Help find(const QString& written, int at, const QStringList& fileNames, const QString& excluded);
// The help for a letter on its own.
Help find(QChar letter, const QStringList& fileNames, const QString& excluded);

// The sound in the voice's phoneme notation, as first grades say it; empty when unknown.
QString phonemes(const QString& sound);

}  // namespace initialsounds
