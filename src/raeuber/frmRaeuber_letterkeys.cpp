// SPDX-License-Identifier: GPL-3.0-or-later
// The on-screen letter keys on the grass below the letter boxes, for touch screens and
// whiteboards. A key types as the keyboard does, into the box that waits for the next
// letter, so every rule of the boxes applies unchanged; the keys are locked whenever no box
// waits for a letter.
#include "game/OnScreenKeys.h"
#include "game/Options.h"
#include "raeuber/frmRaeuber.h"

using namespace platform;

namespace {

// In pixels of the scene: two rows of 41 × 41 keys between the underlines (row 480) and the
// bottom edge (573), centred across the scene.
const double kKeyTop = 485;
const double kKey = 41;
const double kGap = 4;
// With the syllables' arcs below the underlines the keys start lower and are smaller.
const double kKeyTopBelowArcs = 497;
const double kKeyBelowArcs = 36;

}  // namespace

void frmRaeuber::buildLetterKeys() {
    letterKeys = new LetterKeyboard(this, "letterKeys");
    letterKeys->setRows(onscreen::gameRows(), kKey, kGap, layoutFont(QStringLiteral("Arial"), 16, true));
    letterKeys->followBoxes({std::begin(LetterInput), std::end(LetterInput)});
    letterKeys->onUnlock = [this] { showVocabularyKeys(); };
    showVocabularyKeys();
    placeLetterKeys();
}

// Below the syllables' arcs when there are arcs, and shown as the teacher set it.
void frmRaeuber::placeLetterKeys() {
    const bool arcs = options::current().syllables;
    letterKeys->resizeKeys(arcs ? kKeyBelowArcs : kKey, layoutFont(QStringLiteral("Arial"), arcs ? 14 : 16, true));
    letterKeys->Move((kSceneWidth - letterKeys->Width()) / 2, arcs ? kKeyTopBelowArcs : kKeyTop, letterKeys->Width(),
                     letterKeys->Height());
    letterKeys->setVisible(onscreen::keysShown());
}

// The blank and the hyphen are there only while a word of the picture list needs them, and
// so is a row of keys for every other character a word needs that the rows lack (digits,
// "_", brackets, accented letters).
void frmRaeuber::showVocabularyKeys() {
    letterKeys->setKeyShown(QChar(u' '), onscreen::vocabularyNeeds(QChar(u' ')));
    letterKeys->setKeyShown(QChar(u'-'), onscreen::vocabularyNeeds(QChar(u'-')));
    letterKeys->setExtraKeys(onscreen::vocabularyExtras());
    // Keys made for this vocabulary lock and unlock as quietly as the others (see frmRaeuber_access.cpp).
    for (QWidget* key : letterKeys->keys()) platform::quietWhenLocked(key);
}
