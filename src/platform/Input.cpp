#include "platform/Input.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace platform {

void typeCharacter(QWidget* target, QChar character) {
    QWidget* receiver = target->window()->focusWidget();
    if (!receiver) receiver = target;
    // Latin-1 letters have key codes equal to their upper-case form; others have none.
    const QChar upper = character.toUpper();
    const int key = upper.unicode() <= 0xFF ? upper.unicode() : int(Qt::Key_unknown);
    const Qt::KeyboardModifiers modifiers =
        character != character.toLower() ? Qt::ShiftModifier : Qt::NoModifier;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(character));
    QCoreApplication::sendEvent(receiver, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, QString(character));
    QCoreApplication::sendEvent(receiver, &release);
}

}  // namespace platform
