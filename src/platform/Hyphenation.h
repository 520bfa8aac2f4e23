// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>

#include <QObject>
#include <functional>

// German hyphenation from Debian's patterns (hyphen-de), read with libhyphen, the library
// office suites use. The library and the patterns are opened on first use; without them
// no word is split. Reading the patterns costs seconds of processor time, so a form loads
// them on a thread of its own (prepareHyphenation) and shows what needs them once they are
// there; the functions below wait for them when they are still being read.
namespace platform {

// Whether the patterns could be loaded (loads them on the first call).
bool hyphenationAvailable();
// Whether the patterns have been read (or found missing); never waits.
bool hyphenationSettled();
// Reads the patterns on a thread of its own, then calls `ready` on the GUI thread while
// `context` lives; at once when they are already read.
void prepareHyphenation(QObject* context, std::function<void()> ready);

// The positions after which the patterns allow a break in `word` (a run of letters): 3 in
// the list means a break between characters 3 and 4 (counted from 1). Breaks may leave a
// single letter at either end; the caller decides what a syllable is. Empty when the word
// has no break, holds a character the patterns do not know, or the patterns are missing.
QList<int> hyphenationPoints(const QString& word);

}  // namespace platform
