// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/ButtonGrid.h"

#include <QKeyEvent>

namespace platform {

namespace {
// The button with the keyboard is lit, so that a child sees where the arrows went.
const QColor kPlain(0xF4, 0xF4, 0xF4);
const QColor kLit(0xFF, 0xD8, 0x4A);
}  // namespace

ButtonGrid::ButtonGrid(QWidget* parent, const char* name) : Control<QWidget>(parent, name) {}

void ButtonGrid::setCaptions(const QStringList& captions, int columns, double buttonWidth, double buttonHeight,
                             double gap, const std::function<QFont(const QString&)>& font) {
    qDeleteAll(buttons_);
    buttons_.clear();
    captions_ = captions;
    columns_ = std::max(1, columns);
    for (int i = 0; i < captions.size(); ++i) {
        const QByteArray name = objectName().toUtf8() + QByteArray::number(i);
        auto* button = new CommandButton(this, name.constData());
        button->setCaption(captions.at(i));
        button->setFont(font(captions.at(i)));
        button->setBackColor(kPlain);
        button->setToolTip(captions.at(i));
        button->Move((i % columns_) * (buttonWidth + gap), (i / columns_) * (buttonHeight + gap), buttonWidth,
                     buttonHeight);
        button->rescale();  // the font at the form's present scale
        button->installEventFilter(this);
        QObject::connect(button, &QPushButton::clicked, this, [this, i] {
            if (onPressed) onPressed(i);
        });
        button->setVisible(true);
        buttons_ << button;
    }
    const qsizetype rows = (captions.size() + columns_ - 1) / columns_;
    const int shownColumns = static_cast<int>(std::min<qsizetype>(columns_, captions.size()));
    // Half a gap more on the right and below: a border rounded down to the pixel still shows.
    Move(Left(), Top(), shownColumns * (buttonWidth + gap) - (shownColumns ? gap / 2 : 0),
         rows * (buttonHeight + gap) - (rows ? gap / 2 : 0));
    for (int i = 1; i < buttons_.size(); ++i) QWidget::setTabOrder(buttons_[i - 1], buttons_[i]);
}

int ButtonGrid::focusedIndex() const {
    for (int i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->hasFocus()) return i;
    return -1;
}

void ButtonGrid::focusButton(int index) {
    if (index >= 0 && index < buttons_.size()) buttons_[index]->setFocus(Qt::OtherFocusReason);
}

bool ButtonGrid::moveFocus(int from, int key) {
    const int count = static_cast<int>(buttons_.size());
    int to = from;
    switch (key) {
        case Qt::Key_Left: to = from - 1; break;
        case Qt::Key_Right: to = from + 1; break;
        case Qt::Key_Up: to = from - columns_; break;
        case Qt::Key_Down: to = from + columns_; break;
        case Qt::Key_Home: to = 0; break;
        case Qt::Key_End: to = count - 1; break;
        default: return false;
    }
    if (to >= 0 && to < count) focusButton(to);
    return true;  // at the edge the focus stays where it is
}

// The next caption after the focused one that starts with the letter, round the end.
bool ButtonGrid::jumpToLetter(int from, const QString& text) {
    if (text.size() != 1 || !text.at(0).isLetterOrNumber()) return false;
    const QString letter = text.toCaseFolded();
    const int count = static_cast<int>(captions_.size());
    for (int step = 1; step <= count; ++step) {
        const int i = (from + step) % count;
        if (captions_.at(i).toCaseFolded().startsWith(letter)) {
            focusButton(i);
            break;
        }
    }
    return true;
}

bool ButtonGrid::eventFilter(QObject* watched, QEvent* event) {
    const int from = static_cast<int>(buttons_.indexOf(static_cast<CommandButton*>(watched)));
    if (from < 0) return false;
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        buttons_[from]->setBackColor(event->type() == QEvent::FocusIn ? kLit : kPlain);
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    return moveFocus(from, key->key()) || jumpToLetter(from, key->text());
}

}  // namespace platform
