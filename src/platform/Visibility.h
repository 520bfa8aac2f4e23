// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <functional>

namespace platform {

// Calls `handler` whenever the control is shown or hidden by the program (also while its
// form is hidden), after the change.
void onShownOrHidden(QWidget* control, std::function<void()> handler);

}  // namespace platform
