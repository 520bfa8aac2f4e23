// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/modGlobalVars.h"

#include "game/WordList.h"

namespace modGlobalVars {

// Defined without values: every start value is zero, "" or false, which static storage holds
// from the start; resetToProgramStart restores them.

QString currentWord;
int wordLength;
QString wordLetters[rules::kLetterBoxes + 1];
bool firstPaintPending;
int revealPos;
bool wordFailed;
int wrongCount;
int correctCount;
int assistantFrame;
int assistantStep;
bool assistantFirstCycle;
QString assistantPath;
bool assistantPlaying;
int assistantGrowSteps;
int imageIndex;
int lastRemovalCorrectCount;
int endFrame;
double waitUntil;
int robberStartLeft;
int robberStartTop;
int skillLevel;
QString playerName;
int maxWrongWords;
int robberStepScale;

void resetToProgramStart() {
    currentWord.clear();
    wordLength = 0;
    for (QString& letter : wordLetters) letter.clear();
    firstPaintPending = false;
    revealPos = 0;
    wordFailed = false;
    wrongCount = 0;
    correctCount = 0;
    assistantFrame = 0;
    assistantStep = 0;
    assistantFirstCycle = false;
    assistantPath.clear();
    assistantPlaying = false;
    assistantGrowSteps = 0;
    wordlist::clear();  // imageCount and imageNames; their followers are told
    imageIndex = 0;
    lastRemovalCorrectCount = 0;
    endFrame = 0;
    waitUntil = 0;
    robberStartLeft = 0;
    robberStartTop = 0;
    skillLevel = 0;
    playerName.clear();
    maxWrongWords = 0;
    robberStepScale = 0;
}

}  // namespace modGlobalVars
