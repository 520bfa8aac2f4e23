#include "game/modGlobalVars.h"

namespace modGlobalVars {

QString currentWord;
int wordLength = 0;
QString wordLetters[16];
bool firstPaintPending = false;
int revealPos = 0;
bool wordFailed = false;
int wrongCount = 0;
int correctCount = 0;
int assistantFrame = 0;
int assistantStep = 0;
bool assistantFirstCycle = false;
QString assistantPath;
bool assistantPlaying = false;
int assistantGrowSteps = 0;
int imageCount = 0;
QStringList imageNames;
int imageIndex = 0;
int lastRemovalCorrectCount = 0;
int endFrame = 0;
double waitUntil = 0;
int robberStartLeft = 0;
int robberStartTop = 0;
int skillLevel = 0;
QString playerName;
int maxWrongWords = 0;
int robberStepScale = 0;

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
    imageCount = 0;
    imageNames.clear();
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
