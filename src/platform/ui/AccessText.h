// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAccessibleInterface;
class QWidget;

namespace platform {

// Marks the interfaces the program makes itself, so that one Qt made before can be told.
class OwnAccessible {
public:
    virtual ~OwnAccessible() = default;
};

// What a screen reader reads of a one-line text box (a QLineEdit): its text, the cursor,
// characters, words and lines, answered here without Qt's boundary finder, which can loop
// for ever when asked for the word or line at the end of the text. The text has one run of
// attributes from its first character to its last, so it is read whole. Nullptr for other
// widgets.
QAccessibleInterface* textBoxInterface(QWidget* widget);

}  // namespace platform
