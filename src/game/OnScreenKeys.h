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

// Whether a word of the current picture list contains the character.
bool vocabularyNeeds(QChar character);

}  // namespace onscreen
