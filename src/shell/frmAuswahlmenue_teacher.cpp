// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's way into the teacher's room: a small button in the lower left corner that opens
// the room only when held for two seconds (a click does nothing), and Ctrl+L.
#include "platform/ui/Access.h"
#include "platform/ui/Events.h"
#include "platform/ui/LongPress.h"
#include "shell/TeacherWayIn.h"
#include "shell/frmAuswahlmenue.h"

using namespace platform;

void frmAuswahlmenü::buildTeacherButton() {
    if (!shell::teacherRoomAllowed()) return;
    const QString way = QStringLiteral("Für Lehrkräfte: 2 Sekunden gedrückt halten oder Strg+L");
    cmdLehrer = new CommandButton(this, "cmdLehrer");
    cmdLehrer->Move(120, 1800, 1500, 285);
    cmdLehrer->setCaption(QStringLiteral("Für Lehrkräfte"));
    cmdLehrer->setFont(layoutFont(QStringLiteral("Arial"), 8, false));
    cmdLehrer->setToolTip(way);
    cmdLehrer->setTakesFocus(false);
    cmdLehrer->setAutoDefault(false);
    describe(cmdLehrer, way, QStringLiteral("Öffnet die Seiten für Lehrkräfte"));
    onLongPress(cmdLehrer, shell::kTeacherPressMs, [this] { shell::openTeacherRoom(this); });
    onKey(this, Qt::Key_L, [this] { shell::openTeacherRoom(this); }, Qt::ControlModifier);
}
