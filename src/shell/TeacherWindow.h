// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <functional>

#include "platform/ui/Form.h"

namespace shell {

// Dresses a window for the teacher (the room, the recording window) as they all are: its
// title, the program's icon, the controls' background, its design size; `buildLayout` places
// the controls; then the scene grows with the window, and F11 switches full screen.
void dressTeacherWindow(platform::Form& form, const QString& title, double width, double height,
                        const std::function<void()>& buildLayout);

}  // namespace shell
