// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/Events.h"

#include <QChildEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPointer>

namespace platform {

namespace {

// The one watcher of a widget, its child: it keeps the widget's wishes and answers each
// event it sees. Watchers never swallow an event unless a wish says so.
class Watch : public QObject {
public:
    static Watch& of(QWidget* widget) {
        for (QObject* child : widget->children())
            if (auto* existing = dynamic_cast<Watch*>(child)) return *existing;
        return *new Watch(widget);
    }

    struct Key {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::function<void()> handler;
    };

    QList<Key> keys;
    QList<std::function<bool(QWidget*, QEvent*)>> previews;
    std::function<void()> click;
    QList<std::function<void()>> shownOrHidden;
    QList<std::function<void()>> shown;
    QList<std::function<void()>> changes;
    std::function<void()> firstPaint;

    // Whether the widget has been shown by its own flag since it was last hidden.
    bool wasShown;

    // The window whose keys this watcher of a control passes on (none for the window itself).
    QPointer<QWidget> keyWindow;

    // Keys of a window reach its watcher from every control inside it, present and to come.
    void watchKeysOfTree(QWidget* window) {
        for (QWidget* child : window->findChildren<QWidget*>()) {
            if (child->isWindow()) continue;
            Watch& w = of(child);
            w.keyWindow = window;
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = static_cast<QWidget*>(watched);
        switch (event->type()) {
            case QEvent::KeyPress:
                return key(widget, event);
            case QEvent::ChildAdded: {
                QObject* child = static_cast<QChildEvent*>(event)->child();
                QWidget* window = keyWindow ? keyWindow.data() : (hasKeyWishes() ? widget : nullptr);
                if (window && child->isWidgetType() && !static_cast<QWidget*>(child)->isWindow()) {
                    auto* added = static_cast<QWidget*>(child);
                    of(added).keyWindow = window;
                    of(window).watchKeysOfTree(added);
                }
                return false;
            }
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseButtonRelease:
                return click ? mouse(widget, event) : false;
            case QEvent::ShowToParent:
            case QEvent::HideToParent:
                notify(shownOrHidden);
                return false;
            case QEvent::Paint:
                if (firstPaint) {
                    // Queued: the frame being painted is finished and flushed before this runs.
                    QMetaObject::invokeMethod(widget, std::move(firstPaint), Qt::QueuedConnection);
                    firstPaint = nullptr;
                }
                return false;
            default:
                break;
        }
        switch (event->type()) {
            case QEvent::Show:
                if (!wasShown) {
                    wasShown = true;
                    notify(shown);
                }
                notify(changes);
                break;
            case QEvent::Hide:
                wasShown = !widget->isHidden();
                notify(changes);
                break;
            case QEvent::Move:
            case QEvent::ReadOnlyChange:
            case QEvent::FocusIn:
            case QEvent::FocusOut:
                notify(changes);
                break;
            default:
                break;
        }
        return false;
    }

private:
    explicit Watch(QWidget* widget) : QObject(widget), wasShown(!widget->isHidden()) {
        setObjectName(QStringLiteral("eventWatch"));
        widget->installEventFilter(this);
    }

    bool hasKeyWishes() const { return !keys.isEmpty() || !previews.isEmpty(); }

    static void notify(const QList<std::function<void()>>& handlers) {
        // A handler may add a wish: the list is copied first.
        const auto copy = handlers;
        for (const auto& h : copy) h();
    }

    bool key(QWidget* receiver, QEvent* event) {
        QWidget* window = keyWindow ? keyWindow.data() : static_cast<QWidget*>(parent());
        if (keyWindow.isNull() && !hasKeyWishes()) return false;
        return of(window).keyOfWindow(receiver, event);
    }

    bool keyOfWindow(QWidget* receiver, QEvent* event) {
        const auto* press = static_cast<QKeyEvent*>(event);
        for (const Key& k : keys) {
            if (press->key() != k.key || press->modifiers() != k.modifiers) continue;
            if (!press->isAutoRepeat()) k.handler();
            return true;
        }
        const auto copy = previews;
        for (const auto& p : copy)
            if (p(receiver, event)) return true;
        return false;
    }

    bool mouse(QWidget* widget, QEvent* event) {
        auto* m = static_cast<QMouseEvent*>(event);
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                pressed_ = m->button() == Qt::LeftButton;
                return true;
            case QEvent::MouseButtonDblClick:
                pressed_ = false;
                return true;
            default: {
                const bool clicked = pressed_ && m->button() == Qt::LeftButton &&
                                     widget->rect().contains(m->position().toPoint());
                pressed_ = false;
                if (clicked) click();
                return true;
            }
        }
    }

    bool pressed_ = false;
};

}  // namespace

void onKey(QWidget* window, int key, std::function<void()> handler, Qt::KeyboardModifiers modifiers) {
    Watch& w = Watch::of(window);
    w.keys.append({key, modifiers, std::move(handler)});
    w.watchKeysOfTree(window);
}

void previewKeys(QWidget* window, std::function<bool(QWidget*, QEvent*)> preview) {
    Watch& w = Watch::of(window);
    w.previews.append(std::move(preview));
    w.watchKeysOfTree(window);
}

void onClick(QWidget* widget, std::function<void()> handler) {
    Watch::of(widget).click = std::move(handler);
    swallowClicks(widget);
}

void swallowClicks(QWidget* widget) { widget->setAttribute(Qt::WA_NoMousePropagation); }

void onShownOrHidden(QWidget* control, std::function<void()> handler) {
    Watch::of(control).shownOrHidden.append(std::move(handler));
}

void onShown(QWidget* control, std::function<void()> shown) {
    Watch& w = Watch::of(control);
    w.wasShown = !control->isHidden();
    w.shown.append(std::move(shown));
}

void onChanges(const QList<QWidget*>& widgets, std::function<void()> changed) {
    for (QWidget* w : widgets) Watch::of(w).changes.append(changed);
}

void afterFirstPaint(QWidget* widget, std::function<void()> work) { Watch::of(widget).firstPaint = std::move(work); }

void stopWatching(QWidget* form) {
    for (QObject* child : form->findChildren<QObject*>()) {
        if (auto* watch = dynamic_cast<Watch*>(child)) {
            watch->setParent(nullptr);
            delete watch;
        }
    }
}

}  // namespace platform
