// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <functional>

namespace platform {

// Calls `handler` when `key` (a Qt key code, e.g. Qt::Key_F2) is pressed in the window,
// whichever of its controls has the focus. The key goes no further.
void onKey(QWidget* window, int key, std::function<void()> handler);

}  // namespace platform
