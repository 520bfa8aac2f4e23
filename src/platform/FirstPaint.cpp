// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FirstPaint.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>

namespace platform {

namespace {

class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget* widget, std::function<void()> work) : QObject(widget), work_(std::move(work)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued: the frame being painted is finished and flushed before this runs.
            QMetaObject::invokeMethod(watched, std::move(work_), Qt::QueuedConnection);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> work_;
};

}  // namespace

void afterFirstPaint(QWidget* widget, std::function<void()> work) { new FirstPaintWatch(widget, std::move(work)); }

}  // namespace platform
