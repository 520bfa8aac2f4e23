#include "platform/Input.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QThread>

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

}  // namespace platform
