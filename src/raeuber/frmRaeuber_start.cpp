// SPDX-License-Identifier: GPL-3.0-or-later
// The game form's start: its load handler and its unload handler.
#include <cmath>

#include "game/Options.h"
#include "game/Speech.h"
#include "game/modGlobalVars.h"
#include "lernstand/Learning.h"
#include "platform/ui/Form.h"
#include "game/AssetPaths.h"
#include "raeuber/frmRaeuber.h"

using namespace modGlobalVars;

void frmRaeuber::Form_Load() {
    speech::prepare();  // the menu has been painted: the voice loads on the sound thread
    setOuterSizeTwips(12000, 9000);
    // On a screen too small for it, or in full screen, the scene is drawn at the program's
    // factor; the game's places and sizes stay those of the design.
    fullScreenSetting_ = options::current().fullScreen;
    if (fullScreenSetting_) {
        centerOnScreen();  // where the window goes when full screen is left
        setFullScreen(true);
    } else {
        if (platform::programScale() != 1.0)
            resize(int(kSceneWidth * platform::programScale()), int(kSceneHeight * platform::programScale()));
        centerOnScreen();
    }
    imgRäuber->setPicture(assetpaths::robberStanding());
    imgChest->setPicture(assetpaths::chest());
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
    // Qt paints the form whenever needed, so no first-paint hook reads this flag.
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

void frmRaeuber::Form_Unload(int& Cancel) {
    (void)Cancel;
    lernstand::wordLeft();
    const int n = platform::Forms().count() - 1;
    for (int i = n; i >= 0; --i) {
        if (i < platform::Forms().count()) platform::Forms().at(i)->Unload();
    }
}
