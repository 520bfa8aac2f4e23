// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader learns about the menu: the window, the name box and the buttons.
#include "platform/ui/Access.h"
#include "shell/frmAuswahlmenue.h"

using platform::describe;

void frmAuswahlmenü::describeControls() {
    platform::presentAsWindow(this);
    announcer = std::make_unique<platform::Announcer>(this);
    describe(txtSpielername, QStringLiteral("Dein Name"), QStringLiteral("Schreibe hier deinen Namen hinein"));
    describe(cmdLevel1, QStringLiteral("Level 1, leicht"), QStringLiteral("Das Wort bleibt zum Abschreiben stehen"));
    describe(cmdLevel2, QStringLiteral("Level 2, mittel"), QStringLiteral("Das Wort verschwindet nach drei Sekunden"));
    describe(cmdLevel3, QStringLiteral("Level 3, schwer"),
             QStringLiteral("Das Wort verschwindet, und nach fünf falschen Wörtern hat der Räuber gewonnen"));
    describe(cmdAbbruch, QStringLiteral("Abbrechen"), QStringLiteral("Beendet das Programm"));
}

void frmAuswahlmenü::tellNameFirst() { announcer->announce(QStringLiteral("Schreibe zuerst deinen Namen.")); }
