// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/LongPress.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/system/Timer.h"

namespace platform {

namespace {

class LongPressWatch : public QObject {
public:
    LongPressWatch(QWidget* widget, int ms, std::function<void()> handler)
        : QObject(widget), handler_(std::move(handler)) {
        timer_ = new Timer(this, "tmrLangDruecken", ms, [this] {
            timer_->setEnabled(false);
            handler_();
        });
        widget->setAttribute(Qt::WA_AcceptTouchEvents);
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) timer_->setEnabled(true);
                break;
            case QEvent::TouchBegin:
                timer_->setEnabled(true);
                event->accept();
                return true;
            case QEvent::MouseButtonRelease:
            case QEvent::TouchEnd:
            case QEvent::TouchCancel:
            case QEvent::Leave:
            case QEvent::Hide:
            case QEvent::EnabledChange: timer_->setEnabled(false); break;
            default: break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
    Timer* timer_;
};

class EveryWindowKey : public QObject {
public:
    EveryWindowKey(int key, std::function<void()> handler) : QObject(qApp), key_(key), handler_(std::move(handler)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != key_ || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        if (!key->isAutoRepeat()) handler_();
        return true;
    }

private:
    int key_;
    std::function<void()> handler_;
};

}  // namespace

void onLongPress(QWidget* widget, int ms, std::function<void()> handler) {
    new LongPressWatch(widget, ms, std::move(handler));
}

void onKeyInEveryWindow(int key, std::function<void()> handler) {
    if (qApp) new EveryWindowKey(key, std::move(handler));
}

}  // namespace platform
