// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <functional>

namespace platform {

// The name under which the copy of the program for this user and this display is found.
QString instanceName();

// Makes this process the one copy of the program for `name`. Returns true when it is: from
// then on a later start calls `onAnotherStart` here. Returns false when another copy runs;
// it has then been told to come to the front, and this process should end.
// A copy that was killed leaves its socket behind; that never blocks a new start.
// Needs the application object; the copy stays claimed until the process ends or
// releaseInstance is called.
bool claimInstance(const QString& name, std::function<void()> onAnotherStart);
void releaseInstance();

// Brings every visible window of the program to the front (un-minimised).
void bringWindowsToFront();

}  // namespace platform
