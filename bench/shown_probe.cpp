// Linked into a program to measure its start-up: at the first top-level window that is
// actually shown on screen, prints "shown" and leaves the process at once. The launcher
// times the line and reads the peak memory from the process's exit.
#include <QCoreApplication>
#include <QEvent>
#include <QWindow>
#include <cstdio>
#include <unistd.h>

namespace {

class ShownProbe : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed()) {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
                ::_exit(0);
            }
        }
        return false;
    }
};

void installProbe() { QCoreApplication::instance()->installEventFilter(new ShownProbe); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
