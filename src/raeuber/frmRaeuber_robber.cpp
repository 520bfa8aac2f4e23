// SPDX-License-Identifier: GPL-3.0-or-later
// The robber's walk after a failed word, and the decision of victory and defeat.
#include "game/modGlobalVars.h"
#include "platform/system/Clock.h"
#include "platform/ui/Input.h"
#include "game/AssetPaths.h"
#include "raeuber/frmRaeuber.h"

using namespace modGlobalVars;

void frmRaeuber::advanceRobber() {
    if (wordFailed && wrongCount <= maxWrongWords) {
        // Six sub-steps, walking and standing poses alternating, 0.1 s each. No event of
        // the program is handled meanwhile; each pose is drawn before its wait.
        for (int c = 0; c <= 5; ++c) {
            waitUntil = platform::clockSeconds();
            const double step = ScaleWidth() / (110.0 / robberStepScale);
            imgRäuber->setLeft(static_cast<float>(imgRäuber->Left() + step));
            imgRäuber->setPicture(c % 2 == 0 ? assetpaths::robberWalking()
                                             : assetpaths::robberStanding());
            Refresh();
            platform::sleepUntil(waitUntil + 0.1);
        }
        // Keys and clicks that came during the walk were meant for the word before it, not
        // for its retry: they are dropped.
        platform::dropQueuedInput();
    }
    if (maxWrongWords == wrongCount) tmrVerloren->setEnabled(true);
    if (correctCount == rules::kWordsToWin) tmrGewonnen->setEnabled(true);
    LetterInput[0]->SetFocus();
}
