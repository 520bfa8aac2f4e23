// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Visibility.h"

#include <QEvent>

namespace platform {

namespace {

class VisibilityWatch : public QObject {
public:
    VisibilityWatch(QWidget* control, std::function<void()> handler) : QObject(control), handler_(std::move(handler)) {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) handler_();
        return false;
    }

private:
    std::function<void()> handler_;
};

}  // namespace

void onShownOrHidden(QWidget* control, std::function<void()> handler) {
    new VisibilityWatch(control, std::move(handler));
}

}  // namespace platform
