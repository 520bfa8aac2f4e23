// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The way to the selection menu, as a child gets there.
#include <QTest>

#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"
#include "shell/start.h"

namespace testsupport {

// From the start of the program to the menu: the start-up screen, then the space bar.
inline frmAuswahlmenü& startToMenu() {
    shell::startupForm().Show();
    QTest::keyClick(&frmSplash::Default(), Qt::Key_Space);
    return frmAuswahlmenü::Default();
}

}  // namespace testsupport
