// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's on-screen keys for the name, shown below the levels whenever the game shows its
// letter keys: on a touch screen without a keyboard a child types the name with them.
#include "game/OnScreenKeys.h"
#include "shell/frmAuswahlmenue.h"

using namespace platform;

namespace {

// Four rows of nine keys of 35 × 35 pixels, 2 pixels apart, 4 pixels below the levels.
const double kKey = 35;
const double kGap = 2;
const double kMargin = 60;

}  // namespace

// Made when they are first wanted (the teacher may switch them on while the program runs);
// the class list decides whether they are shown (frmAuswahlmenue_names.cpp).
void frmAuswahlmenü::buildNameKeys() {
    if (!onscreen::keysShown() || nameKeys) return;
    nameKeys = new LetterKeyboard(this, "nameKeys");
    nameKeys->setRows(onscreen::nameRows(), kKey, kGap, layoutFont(QStringLiteral("Arial"), 14, true));
    nameKeys->Move((kMenuWidth - nameKeys->Width()) / 2, kMenuHeight + kMargin, nameKeys->Width(),
                   nameKeys->Height());
    // The keys always write the name, whichever control was tapped last.
    nameKeys->setTarget([this]() -> QWidget* {
        txtSpielername->SetFocus();
        return txtSpielername;
    });
    setFixedDesignSize(kMenuWidth, nameKeys->Top() + nameKeys->Height() + kMargin);
}
