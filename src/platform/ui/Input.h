// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QChar>

class QWidget;

namespace platform {

// Types one character as a key press does: a press and a release with the character's text
// go to the widget that has the keyboard focus in `target`'s window, or to `target` when
// nothing there has it. They pass through the form's key preview like a real key, so every
// rule that applies to the keyboard applies alike to on-screen keys and to tests.
void typeCharacter(QWidget* target, QChar character);
// Erases the character before the cursor the same way, as the Backspace key does.
void eraseCharacter(QWidget* target);

// Throws away the key presses, clicks and other input that reached the program while it was
// blocked (the window system keeps them waiting) instead of handling them late. Whatever
// else waits (drawing, window changes) is handled now; timer ticks that fall due meanwhile
// wait until the running handler has finished.
void dropQueuedInput();


}  // namespace platform
