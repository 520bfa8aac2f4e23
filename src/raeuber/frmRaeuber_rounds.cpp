// SPDX-License-Identifier: GPL-3.0-or-later
// Rounds: setting up a word with its picture, preview and letter boxes; the reveal of a
// failed word; clearing and locking the boxes.
#include <algorithm>

#include "game/WordList.h"
#include "game/Words.h"
#include "game/modGlobalVars.h"
#include "platform/ui/Form.h"
#include "lernstand/Learning.h"
#include "platform/pictures/Pictures.h"
#include "raeuber/frmRaeuber.h"

using namespace modGlobalVars;

void frmRaeuber::newRound() {
    followSettings();
    showWordPreview();
    if (wordFailed) {
        // The same word again: picture, word and preview stay.
        for (int i = 0; i <= wordLength - 1; ++i) LetterInput[i]->setVisible(true);
    } else {
        // Decoded no larger than the box is drawn in full screen: a camera's photo is never
        // held whole.
        const double largest = platform::fittingScale(kSceneWidth, kSceneHeight, true);
        const int side = imgTerm->pixelsAtMost(largest);
        QPixmap picture;
        for (;;) {
            const QString path = nextImage();
            picture = platform::tryLoadPicture(path, side);
            if (!picture.isNull()) break;
            // A picture that looked right but cannot be drawn leaves the list; another is drawn.
            wordlist::removeAt(imageIndex);
        }
        // Fitted into a square at the resolution it was decoded at: the box scales it to its
        // size, however large the scene is drawn.
        const int square = std::max(picture.width(), picture.height());
        imgTerm->setPixmapPicture(platform::fitInto(picture, square, square));
        currentWord = words::fromFileName(imageNames.at(imageIndex));
        lbl_wordPreview->setCaption(currentWord);
        wordLength = currentWord.size();
        lernstand::wordShown(currentWord, skillLevel);
        for (int i = 0; i <= wordLength - 1; ++i) {
            wordLetters[i] = currentWord.mid(i, 1);
            LetterInput[i]->setVisible(true);
            underScore[i]->setVisible(true);
        }
    }
    wordFailed = false;
    LetterInput[0]->setLocked(false);
    tmr_hideWordPreview->setEnabled(true);
    if (isVisible()) announceNewWordSoon(false);
}

void frmRaeuber::clearLetterBoxes() {
    tmr_display->setEnabled(false);
    revealPos = 0;
    if (!wordFailed) {
        currentWord = "";
        lbl_wordPreview->setCaption("");
    }
    for (int i = 0; i < rules::kLetterBoxes; ++i) {
        LetterInput[i]->setText("");
        LetterInput[i]->setLocked(true);
        if (!wordFailed) {
            LetterInput[i]->setVisible(false);
            underScore[i]->setVisible(false);
            wordLetters[i] = "";
        }
    }
}

void frmRaeuber::lockLetterBoxes() {
    lbl_hidePic->setVisible(true);
    for (int i = 0; i < rules::kLetterBoxes; ++i) LetterInput[i]->setLocked(true);
}

void frmRaeuber::unlockFirstBox() {
    LetterInput[0]->setLocked(false);
    LetterInput[0]->SetFocus();
}

// The reveal: one letter of the correct word per tick, then the cross, the robber's walk
// and the same word again with empty boxes.
void frmRaeuber::tmr_display_Timer() {
    if (revealPos < wordLength) {
        LetterInput[revealPos]->setText(wordLetters[revealPos]);
        revealPos = revealPos + 1;
    } else {
        if (wrongCount < rules::kMarks) img_wrong[wrongCount]->setVisible(true);
        wrongCount = wrongCount + 1;
        advanceRobber();
        clearLetterBoxes();
        announceRobber();
        if (tmrVerloren->Enabled())
            LetterInput[0]->SetFocus();  // the game is lost: no retry, nothing to type
        else {
            unlockFirstBox();
            speakRetryIfDictation();
        }
        wordFailed = false;
    }
}

// The first word was set up when the last game ended, and its preview may have been hidden
// by the last game's level while the menu waited. It is shown again and its time counts
// from now, so that the level just chosen decides about it.
void frmRaeuber::showFirstWordPreview() {
    showWordPreview();
    tmr_hideWordPreview->setEnabled(false);
    tmr_hideWordPreview->setEnabled(true);
    updateSpeaker();
    announceNewWordSoon(true);
    speakIfAutomatic();
}

void frmRaeuber::tmr_hideWordPreview_Timer() {
    if (skillLevel >= 2) lbl_wordPreview->setVisible(false);
    tmr_hideWordPreview->setEnabled(false);
}
