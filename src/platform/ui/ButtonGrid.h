// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <QList>
#include <QStringList>
#include <functional>

#include "platform/ui/Controls.h"

namespace platform {

// Large buttons in rows, one per caption (the children's names): the arrow keys move between
// them, a letter jumps to the next caption that starts with it, Return, Enter, Space, a
// click or a tap presses one. Sizes are in the form's design unit.
class ButtonGrid : public Control<QWidget> {
public:
    ButtonGrid(QWidget* parent, const char* name);

    // Makes the buttons anew ("<name>0", "<name>1", ...), each with the font `font` gives
    // for its caption, and takes the size they need.
    void setCaptions(const QStringList& captions, int columns, double buttonWidth, double buttonHeight,
                     double gap, const std::function<QFont(const QString&)>& font);
    const QList<CommandButton*>& buttons() const { return buttons_; }
    QStringList captions() const { return captions_; }
    int columns() const { return columns_; }
    // The button with the keyboard focus, -1 when none has it.
    int focusedIndex() const;
    void focusButton(int index);

    // Runs with the index of the button pressed.
    std::function<void(int)> onPressed;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool moveFocus(int from, int key);
    bool jumpToLetter(int from, const QString& text);

    QList<CommandButton*> buttons_;
    QStringList captions_;
    int columns_ = 1;
};

}  // namespace platform
