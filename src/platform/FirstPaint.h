// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

class QWidget;

namespace platform {

// Runs `work` once, right after the first frame that paints `widget` is on screen (in the
// event loop's next pass), so that costly work such as rendering a vector picture does not
// delay the first frame. Never runs when the widget is gone first.
void afterFirstPaint(QWidget* widget, std::function<void()> work);

}  // namespace platform
