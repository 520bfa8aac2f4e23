// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/Background.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <thread>

namespace platform {

namespace {
bool atOnce = false;
}

void setBackgroundAtOnce(bool on) { atOnce = on; }

void inBackground(QObject* receiver, std::function<void()> work, std::function<void()> done) {
    if (atOnce) {
        work();
        done();
        return;
    }
    QPointer<QObject> target(receiver);
    std::thread([target, work = std::move(work), done = std::move(done)]() mutable {
        work();
        // Back on the program's own thread, where the receiver lives or is gone.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [target, done = std::move(done)] {
                if (target) done();
            },
            Qt::QueuedConnection);
    }).detach();
}

}  // namespace platform
