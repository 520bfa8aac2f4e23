// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <functional>

// Presses that mean something only when held, and keys that mean the same in every window.
namespace platform {

// Calls `handler` once the widget has been held down for `ms` milliseconds (the left mouse
// button or a finger); letting go earlier, or leaving the widget, does nothing. The time runs
// on the program's clock (virtual in tests).
void onLongPress(QWidget* widget, int ms, std::function<void()> handler);

// Calls `handler` when `key` is pressed without modifiers in any window of the program;
// the key goes no further. A held key calls it once.
void onKeyInEveryWindow(int key, std::function<void()> handler);

}  // namespace platform
