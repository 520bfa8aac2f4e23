// SPDX-License-Identifier: GPL-3.0-or-later
// Checking the letters the child types, box by box.
#include "game/modGlobalVars.h"
#include "lernstand/Learning.h"
#include "game/AssetPaths.h"
#include "raeuber/frmRaeuber.h"

using namespace modGlobalVars;

// Runs on every change of a box's text, the program's own writes included. The first rule
// that holds applies; the program's own writes (reveal, clearing) satisfy none.
void frmRaeuber::LetterInput_Change(int Index) {
    const QString T = LetterInput[Index]->Text();
    const QString& L = wordLetters[Index];
    const int n = wordLength;

    if (T == L && Index < n - 1 && !tmr_display->Enabled()) {
        // A right letter inside the word opens the next box.
        LetterInput[Index + 1]->setLocked(false);
        LetterInput[Index + 1]->SetFocus();
    } else if (L != "" && T == L && Index == n - 1) {
        // The last letter is right. Fifteen ticks are all there are: once the victory has
        // been decided, a further word earns nothing.
        if (!wordFailed && correctCount < rules::kWordsToWin) {
            lockLetterBoxes();
            img_correct[correctCount]->setVisible(true);
            correctCount = correctCount + 1;
            lernstand::wordRight();
            assistantPlaying = true;
            assistantPath = assetpaths::assistantRight();
            tmr_assistantResize->setEnabled(true);
        }
    } else if (T != L && T != "") {
        // A wrong letter fails the whole word.
        for (int i = 0; i <= n - 1; ++i) LetterInput[i]->setLocked(true);
        lernstand::wordMissed(Index, T);
        wordFailed = true;
        assistantPlaying = true;
        assistantPath = assetpaths::assistantWrong();
        tmr_assistantResize->setEnabled(true);
        LetterInput[0]->SetFocus();
        // After the focus jump, which a screen reader reads first.
        announceWrongLetter();
    }
}

// A click on a letter box puts the keyboard where the next letter goes: into the last open
// box of the word, after its text. Boxes that already hold their letter are not edited by a
// click; while every box is locked (a reaction, the reveal) the focus stays where it is.
void frmRaeuber::LetterInput_Click(int Index) {
    (void)Index;
    for (int i = wordLength - 1; i >= 0; --i) {
        if (!LetterInput[i]->Locked()) {
            LetterInput[i]->SetFocus();
            return;
        }
    }
}
