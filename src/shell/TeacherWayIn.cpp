// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TeacherWayIn.h"

#include "game/Options.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/MessageBox.h"
#include "platform/system/PinHash.h"
#include "shell/frmLehrer.h"

namespace shell {

bool teacherRoomAllowed() { return options::current().teacherRoom; }

bool openTeacherRoom(QWidget* from) {
    if (!teacherRoomAllowed()) return false;
    const QString pin = options::current().teacherPin;
    if (!pin.isEmpty()) {
        const std::optional<QString> typed =
            platform::askSecret(from, QStringLiteral("Bitte die PIN für Lehrkräfte eingeben:"));
        if (!typed) return false;
        if (!platform::pinMatches(*typed, pin)) {
            platform::MsgBox(QStringLiteral("Die PIN stimmt nicht."));
            return false;
        }
    }
    frmLehrer::Default().Show();
    return true;
}

}  // namespace shell
