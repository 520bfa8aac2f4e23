// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AccessReader.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QApplication>
#include <QWidget>
#include <QVariantMap>
#include <algorithm>

#include "platform/Clock.h"
#include "platform/Hooks.h"

namespace platform {

namespace {

const QString kService = QStringLiteral("org.a11y.Bus");
const QString kPath = QStringLiteral("/org/a11y/bus");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kStatus = QStringLiteral("org.a11y.Status");

// Measured with the desktop's screen reader at its usual rate: about twelve characters a
// second with a German voice, ten with a voice of another language reading German.
constexpr int kPerCharacterMs = 100;

void interruptWith(const QString& text);

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
        // The screen reader reads the control that takes the focus.
        if (qApp)
            connect(qApp, &QApplication::focusChanged, this, [](QWidget*, QWidget* now) {
                if (now && !now->accessibleName().isEmpty()) interruptWith(now->accessibleName());
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

// Seconds on the program's clock until which the screen reader speaks, and of the last key.
double busyUntil = 0;
double lastKey = 0;

// The screen reader stops what it says for something new (a key, the focus).
void interruptWith(const QString& text) {
    if (!screenReaderRunning()) return;
    busyUntil = clockSeconds();
    screenReaderSays(text);
}

}  // namespace

bool screenReaderRunning() {
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
