// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

#include "platform/ui/Controls.h"

namespace platform {

// A text box for one letter of a word. The keyboard stays in the row of boxes: Tab and
// Shift+Tab do nothing here, a click never places the cursor or selects (it calls the click
// handler, which decides where the focus goes), nothing can be dropped or pasted with the
// middle button, and the box has no context menu. It takes the focus only when the program
// gives it.
class LetterBox : public TextBox {
public:
    LetterBox(QWidget* parent, const char* name);
    void onClick(std::function<void()> handler) { clicked_ = std::move(handler); }
    // Moves the focus here with the cursor after the text; never into a hidden box or window.
    void SetFocus();

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::function<void()> clicked_;
};

}  // namespace platform
