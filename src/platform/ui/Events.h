// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QWidget>
#include <functional>

// Watching what happens to widgets: keys, clicks, showing and hiding, the first paint and
// the changes a screen reader follows. One watcher per widget serves every wish; watches of
// a window's keys see only the keys of that window.
namespace platform {

// Calls `handler` when `key` (a Qt key code, e.g. Qt::Key_F2) is pressed with exactly
// `modifiers` in the window, whichever of its controls has the focus. The key goes no
// further; a held key calls the handler once.
void onKey(QWidget* window, int key, std::function<void()> handler,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Every key press in the window (the window and every control it holds, also those added
// later), before the control with the focus sees it. `preview` returns true to swallow it.
void previewKeys(QWidget* window, std::function<bool(QWidget* receiver, QEvent* keyPress)> preview);

// Gives the widget a click event: the left button pressed and released over the widget.
// The second press of a double click is no click. The widget keeps its mouse events to
// itself, so a click never reaches the widget below it as well.
void onClick(QWidget* widget, std::function<void()> handler);
// Keeps the widget's mouse events from reaching the widgets it lies on.
void swallowClicks(QWidget* widget);

// Calls `handler` whenever the control is shown or hidden by the program (also while its
// form is hidden), after the change.
void onShownOrHidden(QWidget* control, std::function<void()> handler);
// Calls `shown` when the control appears by its own flag (not when its window reappears).
void onShown(QWidget* control, std::function<void()> shown);
// Calls `changed` whenever one of the widgets is shown, hidden, moved, locked or unlocked,
// or takes or loses the focus.
void onChanges(const QList<QWidget*>& widgets, std::function<void()> changed);

// Ends every watch on the form and its controls. A form calls it as it goes: its controls
// lose their focus and hide while they are destroyed, and the form's own procedures must not
// run then.
void stopWatching(QWidget* form);

// Runs `work` once, right after the first frame that paints `widget` is on screen (in the
// event loop's next pass), so that costly work such as rendering a vector picture does not
// delay the first frame. Never runs when the widget is gone first.
void afterFirstPaint(QWidget* widget, std::function<void()> work);

}  // namespace platform
