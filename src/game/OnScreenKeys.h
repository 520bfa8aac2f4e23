// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QChar>
#include <QStringList>

// The on-screen letter keys for touch screens and whiteboards: when they are shown and
// which keys there are.
namespace onscreen {

// Whether the keys are shown: as the teacher set it; automatically when a touch screen is
// present.
bool keysShown();

// The game's two rows: the alphabet as first-grade letter charts order it (Ä after A, Ö after
// O, ß after S, Ü after U), then Shift, the blank and the hyphen at the end of the second row.
QStringList gameRows();
// The menu's rows for the name: the same keys in a narrower block, with an Erase key.
QStringList nameRows();

// Whether a word of the current picture list contains the character (a letter in either
// case).
bool vocabularyNeeds(QChar character);
// The characters the words of the picture list need that the two rows have no key for
// (digits, "_", brackets, accented letters), in lower case, sorted.
QString vocabularyExtras();

// What the list needs of the keys is kept while the list grows and shrinks, so that asking
// costs nothing: from the first question on, the keys follow the list (game/WordList.h).

// The characters of a word that the two rows have no key for, in lower case, each once.
QString charactersOffTheKeys(const QString& word);

}  // namespace onscreen
