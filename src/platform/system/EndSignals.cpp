// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/EndSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

int endPipe[2] = {-1, -1};

extern "C" void onEndSignal(int) {
    const char byte = 1;
    (void)!::write(endPipe[1], &byte, 1);
}

}  // namespace

void quitOnEndSignals() {
    if (endPipe[0] >= 0 || ::pipe2(endPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(endPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char bytes[16];
        while (::read(endPipe[0], bytes, sizeof bytes) > 0) {}
        // Not quit(): that asks every window first, and a window that carries out its close
        // later (the teacher's room, the recording window) would keep the program running.
        QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
}

}  // namespace platform
