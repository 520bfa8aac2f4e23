// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <functional>

namespace platform {

// The name under which the copy of the program for this user and this display is found:
// it carries the user id and the display's canonical number (":0" and ":0.0" are one).
QString instanceName();

// Makes this process the one copy of the program for `name`. Returns true when it is: from
// then on a later start calls `onAnotherStart` here and is told `words` (what this copy
// plays with). Returns false when another copy runs; it has then been told to come to the
// front, and this process should end. `runningWords`, when given, then holds the words the
// running copy told. A copy of this user that holds the name but takes or answers nothing
// within a second and a half (it is stopped or hangs) does not hold up this start: this
// returns true, and `otherSilent`, when given, is set.
// The name lives in Linux's abstract socket namespace: no file is made anywhere, and the
// name is free again the moment its process ends, however it ends. Only a process of the
// same user is answered and believed. When no copy can be made (no sockets, the name held
// by another user) this returns true: the game plays without being the one copy.
// Needs the application object and its thread to listen; asking another copy works from
// any thread. The copy stays claimed until the process ends or releaseInstance is called.
bool claimInstance(const QString& name, const QString& words, std::function<void()> onAnotherStart,
                   QString* runningWords = nullptr, bool* otherSilent = nullptr);
void releaseInstance();

// Brings every visible window of the program to the front (un-minimised).
void bringWindowsToFront();

}  // namespace platform
