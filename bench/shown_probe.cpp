// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into a program to measure its start-up: once the first frame of a window on screen
// has been painted and handed to the window system, prints "painted" and leaves the process
// at once. The launcher times the line and reads the peak memory from the process's exit.
#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <unistd.h>

namespace {

class PaintedProbe : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || seen_) return false;
        // Any widget of a window on screen: a window covered by opaque controls is not
        // painted itself, only they are.
        auto* widget = qobject_cast<QWidget*>(watched);
        const QWindow* window = widget ? widget->window()->windowHandle() : nullptr;
        if (window && window->isExposed()) {
            seen_ = true;
            // Queued: it runs once the whole frame is painted and flushed to the window.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [] {
                    std::fputs("painted\n", stdout);
                    std::fflush(stdout);
                    ::_exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool seen_ = false;
};

void installProbe() { QCoreApplication::instance()->installEventFilter(new PaintedProbe); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
