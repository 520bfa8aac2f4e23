// The game form's start: its load handler, the first-paint hook and its unload handler.
#include <cmath>

#include "game/modGlobalVars.h"
#include "platform/Form.h"
#include "screen/AssetPaths.h"
#include "screen/frmRaeuber.h"

using namespace modGlobalVars;

void frmRaeuber::Form_Load() {
    setOuterSizeTwips(12000, 9000);
    centerOnScreen();
    imgRäuber->setPicture(assetPaths::robberStanding());
    imgChest->setPicture(assetPaths::chest());
    loadDatabase();
    resetGameValues();
    // Rounded to the nearest whole number, halves to the even neighbour.
    robberStartLeft = static_cast<int>(std::nearbyint(imgRäuber->Left()));
    robberStartTop = static_cast<int>(std::nearbyint(imgRäuber->Top()));
    tmr_hideWordPreview->setInterval(3000);
    lockLetterBoxes();
    lbl_hidePic->setVisible(false);
    newRound();
}

// The start values of a game; the load handler and a new game set them alike.
void frmRaeuber::resetGameValues() {
    KeyPreview = true;
    firstPaintPending = true;
    assistantFirstCycle = true;
    correctCount = 0;
    wrongCount = 0;
    revealPos = 0;
    assistantGrowSteps = 5;
    currentWord = "";
    tmr_display->setInterval(1000);
    assistantFrame = 5;
    endFrame = 0;
}

// Qt paints the form itself whenever needed; the hook is kept but never called by the
// toolkit (calling it after a word was set up would hide that word's boxes).
void frmRaeuber::Form_Paint() {
    if (firstPaintPending) {
        clearLetterBoxes();
        firstPaintPending = false;
    }
}

void frmRaeuber::Form_Unload(int& Cancel) {
    (void)Cancel;
    const int n = platform::Forms().count() - 1;
    for (int i = n; i >= 0; --i) {
        if (i < platform::Forms().count()) platform::Forms().at(i)->Unload();
    }
}
