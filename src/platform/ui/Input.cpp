// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/Input.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QThread>
#include <QWidget>

#include "platform/system/Handling.h"

namespace platform {

namespace {

class InputDropper : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TabletPress:
            case QEvent::TabletRelease:
            case QEvent::InputMethod:
            case QEvent::ContextMenu:
                return true;
            default:
                return false;
        }
    }
};

}  // namespace

void dropQueuedInput() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    // A close among the events waits until the handler that dropped the input has returned.
    const Handling handling;
    InputDropper dropper;
    app->installEventFilter(&dropper);  // the last filter installed sees events first
    // Asks the window system for everything it has queued for the program and delivers it:
    // the input among it meets the filter.
    if (qobject_cast<QGuiApplication*>(app)) QGuiApplication::sync();
    if (QAbstractEventDispatcher* dispatcher = QThread::currentThread()->eventDispatcher()) {
        for (int i = 0; i < 8 && dispatcher->processEvents(QEventLoop::AllEvents); ++i) {
        }
    }
    QCoreApplication::sendPostedEvents();
    app->removeEventFilter(&dropper);
}


namespace {

// A press and a release of the key, sent to the focus widget of `target`'s window.
void sendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QWidget* receiver = target->window()->focusWidget();
    if (!receiver) receiver = target;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(receiver, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(receiver, &release);
}

}  // namespace

void typeCharacter(QWidget* target, QChar character) {
    // Latin-1 letters have key codes equal to their upper-case form; others have none.
    const QChar upper = character.toUpper();
    const int key = upper.unicode() <= 0xFF ? upper.unicode() : int(Qt::Key_unknown);
    const Qt::KeyboardModifiers modifiers =
        character != character.toLower() ? Qt::ShiftModifier : Qt::NoModifier;
    sendKey(target, key, modifiers, QString(character));
}

void eraseCharacter(QWidget* target) { sendKey(target, Qt::Key_Backspace, Qt::NoModifier, QString()); }

}  // namespace platform
