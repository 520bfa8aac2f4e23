// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

class frmRaeuber;

namespace testsupport {

// What must hold between any two events of a game, whatever the child presses: the
// counters stay in their ranges, the picture list and its count agree, the word on screen
// is the word of the current picture, the boxes belong to the word, and nothing can be
// typed while a reaction, a reveal or an end sequence runs. Returns the broken rules, one
// per line, or an empty text.
QString brokenInvariants(const frmRaeuber& game);

}  // namespace testsupport

// Fails the current test with the broken rules and where they broke.
#define CHECK_INVARIANTS(game, step)                                                    \
    do {                                                                                \
        const QString broken_ = testsupport::brokenInvariants(game);                    \
        QVERIFY2(broken_.isEmpty(), qPrintable(QStringLiteral("after %1:\n%2")          \
                                                   .arg(QString(step), broken_)));      \
    } while (false)
