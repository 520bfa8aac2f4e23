// SPDX-License-Identifier: GPL-3.0-or-later
// The learning record at the start of a game: the child is known once a level is clicked,
// and its first word is drawn again for it.
#include "game/modGlobalVars.h"
#include "lernstand/Learning.h"
#include "raeuber/frmRaeuber.h"

using namespace modGlobalVars;

void frmRaeuber::beginChild(const QString& name) {
    if (!lernstand::on()) return;  // nothing to draw again
    lernstand::beginChild(name);
    // A failed word that a reset carried over is kept, and so is a picture whose removal
    // is still due: drawing again then would remove the wrong picture.
    if (wordFailed || lernstand::wordPending() || lastRemovalCorrectCount != correctCount || correctCount != 0) return;
    lernstand::wordLeft();
    clearLetterBoxes();
    newRound();
}
