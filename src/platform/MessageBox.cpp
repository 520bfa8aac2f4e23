// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/App.h"
#include "platform/Controls.h"
#include "platform/Hooks.h"
#include "platform/Run.h"

namespace platform {

void MsgBox(const QString& text, MsgIcon icon) {
    if (hooks().messageBox) return hooks().messageBox(text, icon);
    useGermanToolkitTexts();  // its button, also before the first frame
    QMessageBox box(icon == MsgIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    App().Title, displayText(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("msgbox"));
    // Names of files and players are shown as typed, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace platform
