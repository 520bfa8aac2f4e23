// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// The way from the menu into the teacher's room: a small button held for two seconds, or
// Ctrl+L; the PIN first when one is set. An administrator can switch the way off
// (lehrerbereich = aus).
namespace shell {

// How long the button is held before the room opens, in milliseconds.
constexpr int kTeacherPressMs = 2000;

// Whether the menu leads into the room at all.
bool teacherRoomAllowed();

// Opens the room when it is allowed and the PIN, if one is set, is typed right. Returns
// whether it opened.
bool openTeacherRoom(QWidget* from);

}  // namespace shell
