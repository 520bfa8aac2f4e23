// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Keys.h"

#include <QApplication>
#include <QKeyEvent>

namespace platform {

namespace {

// Watches the key presses of the whole application for those meant for one window; it is
// a child of that window and goes with it.
class KeyWatch : public QObject {
public:
    KeyWatch(QWidget* window, int key, std::function<void()> handler)
        : QObject(window), window_(window), key_(key), handler_(std::move(handler)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        if (static_cast<QWidget*>(watched)->window() != window_) return false;
        const auto* press = static_cast<QKeyEvent*>(event);
        if (press->key() != key_ || press->modifiers() != Qt::NoModifier) return false;
        if (!press->isAutoRepeat()) handler_();
        return true;
    }

private:
    QWidget* window_;
    int key_;
    std::function<void()> handler_;
};

}  // namespace

void onKey(QWidget* window, int key, std::function<void()> handler) { new KeyWatch(window, key, std::move(handler)); }

}  // namespace platform
