// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/AccessReader.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>
#include <QWidget>
#include <QVariantMap>
#include <algorithm>

#include "platform/system/Clock.h"
#include "platform/system/Hooks.h"

namespace platform {

namespace {

const QString kService = QStringLiteral("org.a11y.Bus");
const QString kPath = QStringLiteral("/org/a11y/bus");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kStatus = QStringLiteral("org.a11y.Status");

// Measured with the desktop's screen reader at its usual rate: about twelve characters a
// second with a German voice, ten with a voice of another language reading German.
constexpr int kPerCharacterMs = 100;

// Seconds on the program's clock until which the screen reader speaks, and of the last key.
double busyUntil = 0;
double lastKey = 0;

// The accessibility status on the session bus, asked once and followed.
class StatusWatch : public QObject {
    Q_OBJECT

public:
    bool screenReader = false;
    bool enabled = false;

    StatusWatch() {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) return;
        bus.connect(kService, kPath, kProperties, QStringLiteral("PropertiesChanged"), this,
                    SLOT(changed(QString, QVariantMap, QStringList)));
        QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, kProperties, QStringLiteral("GetAll"));
        ask << kStatus;
        // A desktop without the accessibility bus is not made to start it for this.
        ask.setAutoStartService(false);
        auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(ask, 5000), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
            const QDBusPendingReply<QVariantMap> reply = *w;
            if (reply.isValid()) read(reply.value());
            w->deleteLater();
        });
    }

public Q_SLOTS:
    void changed(const QString& interface, const QVariantMap& values, const QStringList&) {
        if (interface == kStatus) read(values);
    }

private:
    void read(const QVariantMap& values) {
        if (values.contains(QStringLiteral("ScreenReaderEnabled")))
            screenReader = values.value(QStringLiteral("ScreenReaderEnabled")).toBool();
        if (values.contains(QStringLiteral("IsEnabled"))) enabled = values.value(QStringLiteral("IsEnabled")).toBool();
    }
};

// What the screen reader is heard to say besides the program's messages: the window and the
// control that take the focus, and the name of every key pressed.
class Listener : public QObject {
public:
    Listener() {
        connect(qApp, &QApplication::focusChanged, this, [](QWidget* before, QWidget* now) {
            if (!now) return;
            // A new window is read after what is being said; the focus moving inside a window
            // (box to box while a word is typed) cuts the last control's reading short.
            if (!before || before->window() != now->window())
                screenReaderSays(now->window()->windowTitle());
            else
                busyUntil = std::min(busyUntil, clockSeconds());
            screenReaderSays(now->accessibleName());
        });
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !receiver->isWidgetType()) return false;
        auto* press = static_cast<QKeyEvent*>(event);
        auto* widget = static_cast<QWidget*>(receiver);
        // A key goes from the control to its parents: it is heard once.
        const bool passedUp = press == lastEvent_ && lastReceiver_ && widget->isAncestorOf(lastReceiver_);
        lastEvent_ = press;
        lastReceiver_ = widget;
        if (press->isAutoRepeat() || passedUp) return false;
        screenReaderHearsKey(press->text().trimmed().isEmpty()
                                 ? QKeySequence(press->keyCombination()).toString(QKeySequence::NativeText)
                                 : press->text());
        return false;
    }

private:
    const QEvent* lastEvent_ = nullptr;
    QPointer<QWidget> lastReceiver_;
};


}  // namespace

bool screenReaderRunning() {
    static Listener* listener = qApp ? new Listener : nullptr;
    (void)listener;
    if (hooks().screenReaderRunning) return hooks().screenReaderRunning();
    static StatusWatch* watch = new StatusWatch;
    return watch->screenReader || watch->enabled;
}

int screenReaderSpeechMs(const QString& text) {
    return kPerCharacterMs * int(text.simplified().size());
}

void screenReaderSays(const QString& text) {
    if (text.isEmpty() || !screenReaderRunning()) return;
    const double now = clockSeconds();
    const double start = std::max(now + kScreenReaderLagMs / 1000.0, busyUntil);
    busyUntil = std::min(start + screenReaderSpeechMs(text) / 1000.0, now + kLongestScreenReaderWaitMs / 1000.0);
}

void screenReaderHearsKey(const QString& name) {
    lastKey = clockSeconds();
    screenReaderSays(name);
}

int screenReaderBusyMs() {
    if (!screenReaderRunning()) return 0;
    return std::max(0, int((busyUntil - clockSeconds()) * 1000.0 + 0.5));
}

double lastKeySeconds() { return lastKey; }

void forgetScreenReaderSpeech() {
    busyUntil = 0;
    lastKey = 0;
}

}  // namespace platform

#include "AccessReader.moc"
