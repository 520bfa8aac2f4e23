// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

// The initial-sound chart of first grades ("M wie Maus") made from the teacher's own
// pictures: for a letter, a word of the vocabulary that begins with that sound. A word
// that begins with the letter but with another sound is not taken ("Schaf" for S, "Auto"
// for A, "Eis" for E). For a letter no word begins with, a word that holds it ("ß wie in
// Fuß"), else the letter alone.
namespace initialsounds {

struct Help {
    QString letters;   // the letter in both cases ("M m"), or once when they are the same ("ß")
    QString word;      // the word shown with its picture; empty: the letter alone
    QString fileName;  // the picture's file name, as listed
    bool inside = false;  // the word holds the letter but does not begin with it
    // What is said: "M wie Maus", "ß wie in Fuß", "X".
    QString phrase() const;
};

// The help for `letter` from the pictures `fileNames`, never the word `excluded` (the word
// being written). Among several fitting words the shortest is taken, then the first in
// alphabetical order. A character that is no letter has no help (empty `letters`).
Help find(QChar letter, const QStringList& fileNames, const QString& excluded);

}  // namespace initialsounds
