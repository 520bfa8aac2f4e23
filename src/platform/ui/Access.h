// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

// What a screen reader learns about the program: names and descriptions of the controls,
// their roles and actions, and announcements of changes that matter. Only what is on screen
// is offered: a form presents its shown controls, nothing hidden.
namespace platform {

// The name and, where useful, the description a screen reader reads for the control.
// Setting the same text again tells the screen reader nothing.
void describe(QWidget* control, const QString& name, const QString& description = QString());
// The form is presented as a window (its name is its title) that holds only its shown,
// not decorative controls.
void presentAsWindow(QWidget* form);
// A block of controls presented as a group of its shown controls.
void presentAsGroup(QWidget* block);
// The control is decoration: a screen reader never meets it.
void presentAsDecoration(QWidget* control);
// The control is a button that `press` presses; `keys` is the key combination that presses
// it too, in the form "<Control><Shift>e" or "F2" (empty: none).
void presentAsButton(QWidget* control, std::function<void()> press, const QString& keys = QString());
// The control is a link that `open` follows; its name is its text unless described.
void presentAsLink(QWidget* control, std::function<void()> open);
// A one-line text box whose text a screen reader reads whole and asks about safely.
void presentAsTextBox(QWidget* box);
// A screen reader is not told each time the control is locked or unlocked (it still reads
// the state when it asks). A row of keys locked at once would otherwise flood it with
// dozens of messages, and a screen reader drops messages in a flood, announcements too.
void quietWhenLocked(QWidget* control);
// The label's text is read only while the label is shown.
void readOnlyWhileShown(QWidget* label);
// Whether a screen reader follows the program (a test may say so instead).
bool screenReaderActive();
void setScreenReaderActiveForTests(std::optional<bool> active);

// Speaks a message through the screen reader without moving the focus: the message is a
// small notification that appears in the form; screen readers read a notification when it
// appears. One is in the form at a time; the form shows nothing of it. Every message of a
// form goes through its announcer, which also takes the last one away when it is no longer
// true (a new game, a word that is secret again).
class Announcer {
public:
    explicit Announcer(QWidget* form);
    void announce(const QString& message);
    // Takes the current message away: nothing reads it any more.
    void clear();
    // The current message, empty after clear().
    QString current() const;
    // The messages so far, oldest first (tests read them).
    const QStringList& messages() const { return messages_; }

private:
    QWidget* form_;
    QPointer<QWidget> current_;
    QStringList messages_;
};

}  // namespace platform
