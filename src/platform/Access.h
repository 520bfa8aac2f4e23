// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

// What a screen reader learns about the program: names and descriptions of the controls,
// the window role of the forms, and announcements of changes that matter.
namespace platform {

// The name and, where useful, the description a screen reader reads for the control.
// Setting the same text again tells the screen reader nothing.
void describe(QWidget* control, const QString& name, const QString& description = QString());
// The form is presented as a window (its name is its title).
void presentAsWindow(QWidget* form);

// Calls `changed` whenever one of the widgets is shown, hidden, moved, locked or unlocked,
// or takes or loses the focus.
void onChanges(const QList<QWidget*>& widgets, std::function<void()> changed);
// Calls `shown` when the control appears by its own flag (not when its window reappears).
void onShown(QWidget* control, std::function<void()> shown);
// Ends every watch set up with onChanges and onShown on the form's controls. A form calls
// it as it goes: its controls lose their focus and hide while they are destroyed, and the
// form's own procedures must not run then.
void stopWatching(QWidget* form);

// Speaks a message through the screen reader without moving the focus: each message is a
// small notification that appears in the form; screen readers read a notification when it
// appears and keep it in their list of messages. The form shows nothing of it.
class Announcer {
public:
    explicit Announcer(QWidget* form);
    void announce(const QString& message);
    // The messages so far, oldest first (tests read them).
    const QStringList& messages() const { return messages_; }

private:
    QWidget* form_;
    QPointer<QWidget> current_;
    QStringList messages_;
};

}  // namespace platform
