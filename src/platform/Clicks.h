// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <functional>

namespace platform {

// Gives the widget a click event: the left button pressed and released over the widget.
// The second press of a double click is no click. The widget keeps its mouse events to
// itself, so a click never reaches the widget below it as well.
void onClick(QWidget* widget, std::function<void()> handler);

// Keeps the widget's mouse events from reaching the widgets it lies on.
void swallowClicks(QWidget* widget);

}  // namespace platform
