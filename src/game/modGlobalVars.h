// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

#include "game/Rules.h"

// State that the game form and the menu share. Plain variables, no accessors: every
// handler reads and writes them directly (the picture list aside, which has an owner). Counters are int, flags bool; a value not yet set
// counts as 0.
namespace modGlobalVars {

extern QString currentWord;
extern int wordLength;
extern QString wordLetters[rules::kLetterBoxes + 1];
extern bool firstPaintPending;
extern int revealPos;
extern bool wordFailed;
extern int wrongCount;
extern int correctCount;
extern int assistantFrame;
extern int assistantStep;
extern bool assistantFirstCycle;
extern QString assistantPath;
extern bool assistantPlaying;
extern int assistantGrowSteps;
// The picture list: elements 1..imageCount hold file names; element 0 exists once a name was
// added, unused. Read-only here: its owner, game/WordList.h, alone changes it.
extern const int& imageCount;
extern const QStringList& imageNames;
extern int imageIndex;
extern int lastRemovalCorrectCount;
extern int endFrame;
extern double waitUntil;
extern int robberStartLeft;
extern int robberStartTop;
extern int skillLevel;
extern QString playerName;
extern int maxWrongWords;
extern int robberStepScale;

// Restores the values every variable has when the program starts.
void resetToProgramStart();

}  // namespace modGlobalVars
