// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/LetterBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace platform {

LetterBox::LetterBox(QWidget* parent, const char* name) : TextBox(parent, name) {
    setFocusPolicy(Qt::NoFocus);  // neither a tab stop nor focused by a click of its own
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
}

void LetterBox::SetFocus() {
    if (isHidden() || !window()->isVisible()) return;
    setFocus(Qt::OtherFocusReason);
    end(false);
}

bool LetterBox::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            event->accept();
            return true;
        }
    }
    return TextBox::event(event);
}

void LetterBox::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && clicked_) clicked_();
}

void LetterBox::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
void LetterBox::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }
void LetterBox::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

}  // namespace platform
