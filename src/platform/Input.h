#pragma once
#include <QChar>

class QWidget;

namespace platform {

// Types one character as a key press does: a press and a release with the character's text
// go to the widget that has the keyboard focus in `target`'s window, or to `target` when
// nothing there has it. They pass through the form's key preview like a real key, so every
// rule that applies to the keyboard applies alike to on-screen keys and to tests.
void typeCharacter(QWidget* target, QChar character);

}  // namespace platform
