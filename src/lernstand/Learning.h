// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

#include "lernstand/Progress.h"

// The learning record of this run, as the game form uses it: which child plays, what it
// has written so far, and the choice of its next word. While the record is off (the
// default) nothing here reads or writes a child's file or keeps anything about a child,
// whoever calls what and when, also when it is switched off during a game: each function
// checks on() itself, the callers need not. (makeFolder makes the folder it is asked for,
// for the class list too.) No file of the record is read or written
// on the calling thread: a share that hangs or is gone never stops the game. Results that
// cannot be written are kept (in memory and in a small file in the user's data folder) and
// written when the folder can be used again; the problem is said once on standard error
// and is there for the teacher in keepingProblems().
namespace lernstand {

// Whether the record is on for this run (the option or the setting `lernstand`).
bool on();
// The record's folder: the one the teacher named, else the user's data folder.
QString folder();
QString defaultFolder();
// Makes the record's folder when it is missing: the default one with its parents (the user's
// own data folder on this computer); one the teacher named only when its parent is there (a
// share that is not mounted is never made in its place). Empty when the folder is there.
QString makeFolder(const QString& folder);

// The child of the games from now on (the name typed in the menu): its record is read and
// its first word will be one it needs to practise, when there is one.
void beginChild(const QString& name);
QString currentChild();

// Picks the next picture for the child from the picture list (game/WordList.h), elements
// 1..imageCount; `drawn` is the one the random number r in [0, 1) points at. With the record
// off, `drawn`.
int chooseIndex(int drawn, float r);

// A word was put on screen at a level; its first wrong letter (kept at once, as
// unfinished); written right; or left unfinished because the game ended or the program
// closed.
void wordShown(const QString& word, int level);
void wordMissed(int box, const QString& letter);
void wordRight();
void wordLeft();
// Whether the word on screen was missed and is not yet written right.
bool wordPending();

// What the record could not keep, one German line each with the day and the reason;
// empty when all is well.
QStringList keepingProblems();
// Tries again to write what waits (also what an earlier run left waiting on this computer),
// so that keepingProblems() says what still cannot be kept. Done on the record's thread.
void tryWaitingResults();

// What the record knows about the current child (tests, the benchmark).
const Progress& progress();
// Waits (at most `ms` milliseconds) until the record's files are written and read (tests,
// the benchmark, the end of the program). True when nothing is left to do.
bool settle(int ms);
// How long a level click waits at most for the child's record before the first word is
// drawn without it (the program: half a second).
void setReadWait(int ms);
// Forgets the run's state (tests).
void resetRun();

}  // namespace lernstand
