// SPDX-License-Identifier: GPL-3.0-or-later
// The end of a game: the victory and defeat sequences, their messages, and the new game.
#include "game/Speech.h"
#include "game/modGlobalVars.h"
#include "lernstand/Learning.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageBox.h"
#include "game/AssetPaths.h"
#include "raeuber/frmRaeuber.h"

using namespace modGlobalVars;

void frmRaeuber::tmrGewonnen_Timer() {
    lockLetterBoxes();
    clearLetterBoxes();
    endFrame = endFrame + 1;
    if (endFrame <= 6) {
        imgRäuber->setPicture(assetpaths::victoryFrame(endFrame % 2 == 1 ? 2 : 1));
    } else if (endFrame <= 11) {
        imgRäuber->setPicture(assetpaths::victoryFrame(endFrame - 4));
    } else {
        tmrGewonnen->setEnabled(false);
        const QString message =
            QStringLiteral("Herzlichen Glückwunsch ") + playerName + QStringLiteral(", du hast gewonnen.");
        speakMessageIfAutomatic(message);
        platform::MsgBox(message);
        newGame();
    }
}

void frmRaeuber::tmrVerloren_Timer() {
    lockLetterBoxes();
    clearLetterBoxes();
    endFrame = endFrame + 1;
    if (endFrame < 6) imgRäuber->setPicture(assetpaths::defeatFrame(endFrame));
    if (endFrame >= 6) {
        tmrVerloren->setEnabled(false);
        const QString message = QStringLiteral("Schade ") + playerName + QStringLiteral(", du hast verloren.");
        speakMessageIfAutomatic(message);
        platform::MsgBox(message);
        newGame();
    }
}

void frmRaeuber::newGame() {
    // Nothing of the old game may go on acting on the hidden form: stop the assistant's
    // reaction and any end sequence.
    tmr_assistantResize->setEnabled(false);
    tmr_assistantAnimation->setEnabled(false);
    tmrGewonnen->setEnabled(false);
    tmrVerloren->setEnabled(false);
    assistantPlaying = false;
    assistantFirstCycle = true;
    // Wherever its reaction was cut off, the next game's first reaction grows from the start
    // and is seen from its first tick.
    resetAssistant();
    // A word that was missed and goes away unwritten is kept as unfinished; a failed word
    // that the new game keeps goes on.
    if (!wordFailed) lernstand::wordLeft();

    // The next game plays the collection the teacher chose meanwhile.
    followCollection();
    loadDatabase();
    imgRäuber->setPicture(assetpaths::robberStanding());
    imgChest->setPicture(assetpaths::chest());
    imgRäuber->setLeft(robberStartLeft);
    imgRäuber->setTop(robberStartTop);
    resetGameValues();
    clearLetterBoxes();
    newRound();
    for (int i = 0; i < rules::kMarks; ++i) {
        img_correct[i]->setVisible(false);
        img_wrong[i]->setVisible(false);
    }
    setVisible(false);
    speech::stop();
    showWordPreview();
    followingForm().setVisible(true);
    lockLetterBoxes();
    imgRäuber->setPicture(assetpaths::robberStanding());
    lbl_hidePic->setVisible(false);
    LetterInput[0]->setLocked(false);
    // Nothing said in this game is true in the next one.
    tmr_announceWord->setEnabled(false);
    wordAwaitsAnnouncement = false;
    announcer->clear();
}

void frmRaeuber::cmdReset_Click() { newGame(); }
