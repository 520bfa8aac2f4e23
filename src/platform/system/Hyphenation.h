// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>

#include <QObject>
#include <functional>

// German hyphenation from Debian's patterns (hyphen-de), read with libhyphen, the library
// office suites use. The library and the patterns are opened on first use; without them
// no word is split. Reading the patterns costs seconds of processor time and tens of
// megabytes, so the breaks found are kept in the user's cache folder
// ($XDG_CACHE_HOME/knorzelbart, else ~/.cache/knorzelbart), valid while the pattern file
// keeps its size and date: on every later start the words of the vocabulary are split from
// there in milliseconds, without the library. Words not in the cache are split after the
// patterns are read on a thread of its own (prepareHyphenation); the functions below wait
// for them when they are still being read.
namespace platform {

// Whether words can be split: the patterns are installed and the cache is valid, or the
// patterns could be loaded (loads them on the first call when the cache cannot tell).
bool hyphenationAvailable();
// Whether the words prepared, or all words, can be split without waiting.
bool hyphenationSettled();
// Makes the breaks of `words` ready: at once when the cache holds them all, otherwise the
// patterns are read on a thread of its own and the cache is written. Then calls `ready` on
// the GUI thread while `context` lives (at once when nothing had to be read).
void prepareHyphenation(QObject* context, const QStringList& words, std::function<void()> ready);
// Where the cache is kept; tests point it at a folder of their own (empty: the default).
void setHyphenationCacheFile(const QString& path);
// Whether the patterns' library has been loaded in this process (tests, benchmarks).
bool hyphenationLibraryLoaded();

// The positions after which the patterns allow a break in `word` (a run of letters): 3 in
// the list means a break between characters 3 and 4 (counted from 1). Breaks leave at least
// two letters at either end and at a compound's joint, as the pattern file says; the
// caller decides what a syllable is. Empty when the word
// has no break, holds a character the patterns do not know, or the patterns are missing.
QList<int> hyphenationPoints(const QString& word);

}  // namespace platform
