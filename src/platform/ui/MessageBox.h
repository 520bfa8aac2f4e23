// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

namespace platform {

enum class MsgIcon { None, Critical };

// A modal message box with one OK button, titled with App.Title. Returns when the player
// has closed it. Carriage returns in the text break lines. It is drawn at the program's
// scale factor, centred on the form it belongs to (the active window, else the form shown
// last). A window's close that comes while it is open is carried out after it.
void MsgBox(const QString& text, MsgIcon icon = MsgIcon::None);

// A modal question with the buttons "Ja" and "Nein", titled with App.Title; "Nein" is the
// default. True when "Ja" was pressed.
bool AskYesNo(const QString& text);

}  // namespace platform
