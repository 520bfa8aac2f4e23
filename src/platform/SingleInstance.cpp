// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>
#include <QWidget>

#include <unistd.h>

namespace platform {

namespace {

QLocalServer*& server() {
    static QLocalServer* running = nullptr;
    return running;
}

// Tells a running copy to come forward. True when one answered.
bool askRunningCopy(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(1000)) return false;
    socket.write("nach vorne\n");
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(1000);
    return true;
}

}  // namespace

QString instanceName() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) display = qEnvironmentVariable("DISPLAY");
    display.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9.-]")), QStringLiteral("_"));
    return QStringLiteral("knorzelbart-%1-%2").arg(::getuid()).arg(display);
}

bool claimInstance(const QString& name, std::function<void()> onAnotherStart) {
    // Two starts at the same moment: the lock lets one of them decide at a time. A lock
    // left by a killed process is taken over (QLockFile checks whether its owner lives).
    QLockFile lock(QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock")));
    lock.tryLock(3000);
    if (askRunningCopy(name)) return false;
    // Nobody answered: whatever socket is there was left by a copy that died.
    QLocalServer::removeServer(name);
    auto* listening = new QLocalServer(qApp);
    listening->setSocketOptions(QLocalServer::UserAccessOption);
    if (!listening->listen(name)) {
        // Cannot listen (for instance a read-only temporary folder): play anyway.
        delete listening;
        return true;
    }
    QObject::connect(listening, &QLocalServer::newConnection, listening, [listening, onAnotherStart] {
        while (QLocalSocket* other = listening->nextPendingConnection()) {
            QObject::connect(other, &QLocalSocket::disconnected, other, &QObject::deleteLater);
            if (onAnotherStart) onAnotherStart();
        }
    });
    server() = listening;
    return true;
}

void releaseInstance() {
    delete server();
    server() = nullptr;
}

void bringWindowsToFront() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) continue;
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->raise();
        window->activateWindow();
    }
}

}  // namespace platform
