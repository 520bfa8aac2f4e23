// SPDX-License-Identifier: GPL-3.0-or-later
// The selection menu's behaviour: the level buttons and cancel.
#include "game/modGlobalVars.h"
#include "lernstand/Learning.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAuswahlmenue.h"

using namespace modGlobalVars;

void frmAuswahlmenü::Form_Load() {
    centerOnScreen();
    skillLevel = 0;
    // Results an earlier run could not keep are tried again; what still waits is the
    // teacher's sign when the menu appears (the class list waits for the record's thread).
    lernstand::tryWaitingResults();
}

// The kept name is selected: the next child's typing replaces it, and a returning child
// only clicks a level.
void frmAuswahlmenü::Form_Activate() {
    showClassNames();
    showTeacherSign();
    focusNameEntry();
    txtSpielername->selectAll();
}

void frmAuswahlmenü::backFromTeacherRoom() {
    raise();
    activateWindow();
    Form_Activate();
}

void frmAuswahlmenü::cmdLevel1_Click() { chooseLevel(rules::kLevels[0]); }
void frmAuswahlmenü::cmdLevel2_Click() { chooseLevel(rules::kLevels[1]); }
void frmAuswahlmenü::cmdLevel3_Click() { chooseLevel(rules::kLevels[2]); }

void frmAuswahlmenü::chooseLevel(const rules::Level& level) {
    focusNameEntry();
    if (txtSpielername->Text() == "") {
        tellNameFirst();
        return;
    }
    announcer->clear();
    playerName = txtSpielername->Text();
    skillLevel = level.skillLevel;
    robberStepScale = level.robberStepScale;
    maxWrongWords = level.maxWrongWords;
    // The first time this loads the game, which may end the program when it finds no
    // picture; then nothing below runs.
    frmRaeuber& game = frmRaeuber::Default();
    // What the teacher changed in her room meanwhile holds from this game on.
    game.followSettingsAtGameStart();
    game.Show();
    game.beginChild(playerName);
    game.showFirstWordPreview();
    setVisible(false);
    game.LetterInput[0]->SetFocus();
}

// Unloading a loaded game unloads every form and so ends the program; before the first
// game the menu is the last form, and unloading it ends the program.
void frmAuswahlmenü::cmdAbbruch_Click() {
    if (frmRaeuber* game = frmRaeuber::Existing()) game->Unload();
    Unload();
}

void frmAuswahlmenü::closeBoxClicked() { cmdAbbruch_Click(); }
