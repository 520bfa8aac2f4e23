// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>

// German hyphenation from Debian's patterns (hyphen-de), read with libhyphen, the library
// office suites use. The library and the patterns are opened on first use; without them
// no word is split.
namespace platform {

// Whether the patterns could be loaded (loads them on the first call).
bool hyphenationAvailable();

// The positions after which the patterns allow a break in `word` (a run of letters): 3 in
// the list means a break between characters 3 and 4 (counted from 1). Breaks may leave a
// single letter at either end; the caller decides what a syllable is. Empty when the word
// has no break, holds a character the patterns do not know, or the patterns are missing.
QList<int> hyphenationPoints(const QString& word);

}  // namespace platform
