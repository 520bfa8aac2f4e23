// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

#include "lernstand/Progress.h"

// The learning record of this run, as the game form uses it: which child plays, what it
// has written so far, and the choice of its next word. Everything here does nothing while
// the record is off (the default). A folder that cannot be used never stops the game: it
// is said once on standard error, and nothing is kept.
namespace lernstand {

// Whether the record is on for this run (the option or the setting `lernstand`).
bool on();
// The record's folder: the one the teacher named, else the user's data folder.
QString folder();
QString defaultFolder();

// The child of the games from now on (the name typed in the menu): its record is read and
// its first word will be one it needs to practise, when there is one.
void beginChild(const QString& name);
QString currentChild();

// The picture list of the game form changed: names appended, one name removed.
void picturesAppended(const QStringList& names);
void pictureRemoved(const QString& name);
// Picks the next picture for the child from list elements 1..count; r in [0, 1).
int chooseIndex(const QStringList& names, int count, float r);

// A word was put on screen at a level; its first wrong letter; written right; or left
// unfinished because the game ended or the program closed.
void wordShown(const QString& word, int level);
void wordMissed(int box, const QString& letter);
void wordRight();
void wordLeft();
// Whether the word on screen was missed and is not yet written right.
bool wordPending();

// What the record could not keep in this run, each with its day and the reason.
QStringList keepingProblems();

// What the record knows about the current child (tests, the benchmark).
const Progress& progress();
// Forgets the run's state (tests).
void resetRun();

}  // namespace lernstand
