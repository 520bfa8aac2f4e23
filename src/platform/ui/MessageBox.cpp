// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "platform/system/App.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/system/Handling.h"
#include "platform/system/Hooks.h"
#include "platform/ui/ToolkitTexts.h"

namespace platform {

namespace {

// The form the box belongs to: the active window, else the form shown last.
QWidget* owningForm() {
    if (QWidget* active = QApplication::activeWindow()) return active;
    const QList<Form*>& forms = Forms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if ((*it)->isVisible()) return *it;
    return nullptr;
}

// The box at the program's factor: its text, its button and its icon grow as the scene does.
void scaleBox(QMessageBox& box, double factor) {
    if (factor == 1.0) return;
    QFont font = box.font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * factor))));
    box.setFont(font);
    const int buttonWidth = int(std::lround(80 * factor));
    for (QAbstractButton* button : box.buttons()) {
        button->setFont(font);
        button->setMinimumSize(std::max(buttonWidth, button->sizeHint().width()),
                               std::max(int(std::lround(23 * factor)), button->sizeHint().height()));
    }
    if (box.icon() != QMessageBox::NoIcon) {
        const int side = int(std::lround(box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize) * factor));
        const QStyle::StandardPixmap kind = box.icon() == QMessageBox::Question ? QStyle::SP_MessageBoxQuestion
                                            : box.icon() == QMessageBox::Warning  ? QStyle::SP_MessageBoxWarning
                                            : box.icon() == QMessageBox::Information
                                                ? QStyle::SP_MessageBoxInformation
                                                : QStyle::SP_MessageBoxCritical;
        box.setIconPixmap(box.style()->standardIcon(kind).pixmap(side, side));
    }
}

}  // namespace

void MsgBox(const QString& text, MsgIcon icon) {
    // A window's close while the box is open is carried out after the box has gone.
    const Handling handling;
    if (hooks().messageBox) return hooks().messageBox(text, icon);
    useGermanToolkitTexts();  // its button, also before the first frame
    // With the form as its parent the box stands in the middle of it.
    QMessageBox box(icon == MsgIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    App().Title, displayText(text), QMessageBox::Ok, owningForm());
    box.setObjectName(QStringLiteral("msgbox"));
    // Names of files and players are shown as typed, never read as markup.
    box.setTextFormat(Qt::PlainText);
    scaleBox(box, programScale());
    box.exec();
}

}  // namespace platform

namespace platform {

bool AskYesNo(const QString& text) {
    const Handling handling;
    if (hooks().question) return hooks().question(text);
    QMessageBox box(QMessageBox::Question, App().Title, displayText(text), QMessageBox::NoButton, owningForm());
    box.setObjectName(QStringLiteral("question"));
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("ja"));
    no->setObjectName(QStringLiteral("nein"));
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    scaleBox(box, programScale());
    box.exec();
    return box.clickedButton() == yes;
}

}  // namespace platform
