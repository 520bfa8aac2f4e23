// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Clicks.h"

#include <QEvent>
#include <QMouseEvent>

namespace platform {

namespace {

class ClickFilter : public QObject {
public:
    ClickFilter(QWidget* widget, std::function<void()> handler)
        : QObject(widget), widget_(widget), handler_(std::move(handler)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != widget_) return false;
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                pressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
                return true;
            case QEvent::MouseButtonDblClick:
                pressed_ = false;
                return true;
            case QEvent::MouseButtonRelease: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                const bool click = pressed_ && mouse->button() == Qt::LeftButton &&
                                   widget_->rect().contains(mouse->position().toPoint());
                pressed_ = false;
                if (click) handler_();
                return true;
            }
            default:
                return false;
        }
    }

private:
    QWidget* widget_;
    std::function<void()> handler_;
    bool pressed_ = false;
};

}  // namespace

void onClick(QWidget* widget, std::function<void()> handler) {
    widget->installEventFilter(new ClickFilter(widget, std::move(handler)));
    swallowClicks(widget);
}

void swallowClicks(QWidget* widget) { widget->setAttribute(Qt::WA_NoMousePropagation); }

}  // namespace platform
