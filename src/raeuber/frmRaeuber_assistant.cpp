// SPDX-License-Identifier: GPL-3.0-or-later
// The assistant's reaction to an answer: it zooms up, plays its frames, zooms down and
// vanishes; then the game goes on with the next word or the reveal.
#include "game/modGlobalVars.h"
#include "game/AssetPaths.h"
#include "raeuber/frmRaeuber.h"

using namespace modGlobalVars;

void frmRaeuber::tmr_assistantResize_Timer() {
    img_assistant->setPicture(assetpaths::assistantFrame(assistantPath, 1));
    const float W = static_cast<float>(img_assistant->Width());
    if (assistantPlaying && W < 100) {
        img_assistant->setVisible(true);
        img_assistant->setWidth(W + assistantGrowSteps);
        img_assistant->setHeight(static_cast<float>(img_assistant->Height()) + assistantGrowSteps);
    } else if (!assistantPlaying && W > 5) {
        img_assistant->setWidth(W - assistantGrowSteps);
        img_assistant->setHeight(static_cast<float>(img_assistant->Height()) - assistantGrowSteps);
    } else if (!assistantPlaying) {
        img_assistant->setVisible(false);
        if (wordFailed) {
            lockLetterBoxes();
            tmr_display->setEnabled(true);
            announceReveal();
            speakIfAutomatic();  // the reveal
        } else {
            clearLetterBoxes();
            // The fifteenth right word wins: no further picture is needed, so none is drawn
            // and a list that has just run out ends nothing.
            if (correctCount < rules::kWordsToWin) {
                newRound();
                speakIfAutomatic();  // a new picture; the sound goes on during the robber's walk
            }
            advanceRobber();
        }
        tmr_assistantResize->setEnabled(false);
        lbl_hidePic->setVisible(false);
    } else {
        tmr_assistantResize->setEnabled(false);
        assistantStep = 1;
        assistantFrame = 1;
        tmr_assistantAnimation->setEnabled(true);
    }
}

void frmRaeuber::tmr_assistantAnimation_Timer() {
    if (assistantFrame == 5) assistantStep = -1;
    if (assistantFrame == 1) {
        if (assistantFirstCycle) {
            assistantStep = 1;
            assistantFirstCycle = false;
        } else {
            tmr_assistantAnimation->setEnabled(false);
            assistantFirstCycle = true;
            assistantPlaying = false;
            tmr_assistantResize->setEnabled(true);
            return;
        }
    }
    img_assistant->setPicture(assetpaths::assistantFrame(assistantPath, assistantFrame));
    assistantFrame = assistantFrame + assistantStep;
}
