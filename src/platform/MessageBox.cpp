// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/App.h"
#include "platform/Controls.h"
#include "platform/Hooks.h"

namespace platform {

void MsgBox(const QString& text, MsgIcon icon) {
    if (hooks().messageBox) return hooks().messageBox(text, icon);
    QMessageBox box(icon == MsgIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    App().Title, displayText(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("msgbox"));
    // Names of files and players are shown as typed, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace platform

namespace platform {

bool AskYesNo(const QString& text) {
    if (hooks().question) return hooks().question(text);
    QMessageBox box(QMessageBox::Question, App().Title, displayText(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("question"));
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("ja"));
    no->setObjectName(QStringLiteral("nein"));
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

}  // namespace platform
