// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/SingleInstance.h"

#include <QApplication>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

// The first line of every answer, so that a stranger listening under the name is not
// taken for the game.
constexpr char kGreeting[] = "knorzelbart\n";
// A copy that has not answered by then is stopped or hangs: this start plays on its own.
constexpr int kAnswerMilliseconds = 1500;
// A copy that is just starting (bound, not yet listening) or just ending holds the name
// without answering; a start tries again for this long, then plays on its own.
constexpr auto kClaimPatience = std::chrono::seconds(2);

// This copy's end: the listening socket and what it tells a later start.
struct Listening {
    int fd = -1;
    QSocketNotifier* notifier = nullptr;
    QByteArray answer;
    std::function<void()> onAnotherStart;
};
Listening& listening() {
    static Listening copy;
    return copy;
}

// The address of `name` in the abstract namespace: a zero byte, then the name (no file).
sockaddr_un addressOf(const QString& name, socklen_t* length) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = name.toUtf8().left(int(sizeof address.sun_path) - 1);
    std::memcpy(address.sun_path + 1, bytes.constData(), size_t(bytes.size()));
    *length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + size_t(bytes.size()));
    return address;
}

// Whether the process at the other end of a connected socket runs as this user.
bool sameUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

void answerOtherStarts() {
    for (;;) {
        Listening& copy = listening();
        if (copy.fd < 0) return;
        const int other = ::accept4(copy.fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (other < 0) return;  // none left waiting
        const bool ours = sameUser(other);
        if (ours) (void)::send(other, copy.answer.constData(), size_t(copy.answer.size()), MSG_NOSIGNAL);
        ::close(other);
        if (ours && copy.onAnotherStart) copy.onAnotherStart();
    }
}

// Takes the name and listens on it. False when the name is taken (errno EADDRINUSE) or
// the system gives no socket.
bool listenAs(const QString& name) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    socklen_t length = 0;
    const sockaddr_un address = addressOf(name, &length);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0 || ::listen(fd, 16) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    listening().fd = fd;
    return true;
}

enum class Asked {
    Answered,  // a copy of this user took the request and told its words
    Nobody,    // nobody listens under the name
    Stranger,  // another user's program, or not the game, holds the name
    Silent,    // something listens under the name but takes or answers nothing in time
};

// Tells a running copy to come forward and reads what it plays with. Never blocks longer
// than kAnswerMilliseconds: the socket does not block, so a listener whose queue is full
// (a copy that is stopped, or another account holding the name) cannot hold up a start.
Asked askRunningCopy(const QString& name, QString* runningWords) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return Asked::Nobody;
    socklen_t length = 0;
    const sockaddr_un address = addressOf(name, &length);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        const int error = errno;
        ::close(fd);
        // A full queue: the holder takes no connection; anything else: nobody listens yet.
        return error == EAGAIN ? Asked::Silent : Asked::Nobody;
    }
    if (!sameUser(fd)) {
        ::close(fd);
        return Asked::Stranger;
    }
    // The connection itself is the request; the copy answers and closes.
    QByteArray answer;
    bool closed = false;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kAnswerMilliseconds);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        pollfd wait{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&wait, 1, int(left.count())) <= 0) break;
        char chunk[1024];
        const ssize_t got = ::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (got <= 0) {
            closed = true;
            break;
        }
        if (answer.size() > 64 * 1024) break;
        answer.append(chunk, got);
    }
    ::close(fd);
    if (answer.isEmpty()) return closed ? Asked::Stranger : Asked::Silent;
    if (!answer.startsWith(kGreeting)) return Asked::Stranger;
    if (runningWords) {
        QByteArray words = answer.mid(int(sizeof kGreeting) - 1);
        if (words.endsWith('\n')) words.chop(1);
        *runningWords = QString::fromUtf8(words);
    }
    return Asked::Answered;
}

// Whether `text` is one or more decimal digits.
bool allDigits(QStringView text) {
    if (text.isEmpty()) return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

// The display's canonical name: ":0", ":0.0", "unix:0" and "/tmp/.X11-unix/X0" are one
// display; a remote or forwarded one keeps its host ("localhost:10"). Read by hand: it is
// read before the first frame, where a pattern's compiling would cost more than the rest.
QString canonicalDisplay() {
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!wayland.isEmpty()) return QStringLiteral("wayland-") + QFileInfo(wayland).fileName();
    const QString display = qEnvironmentVariable("DISPLAY");
    const QLatin1String socketPath("/tmp/.X11-unix/X");
    if (display.startsWith(socketPath) && allDigits(QStringView(display).mid(socketPath.size())))
        return QStringLiteral("x") + display.mid(socketPath.size());
    // host:number, or host:number.screen; the host is all before the last colon.
    const qsizetype colon = display.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const QStringView rest = QStringView(display).mid(colon + 1);
        const qsizetype dot = rest.indexOf(QLatin1Char('.'));
        const QStringView number = dot < 0 ? rest : rest.left(dot);
        if (allDigits(number) && (dot < 0 || allDigits(rest.mid(dot + 1))) &&
            !QStringView(display).left(colon).contains(QLatin1Char('\n'))) {
            QString host = display.left(colon);
            if (host == QLatin1String("unix")) host.clear();
            return host + QStringLiteral("x") + QString::number(number.toInt());
        }
    }
    return display;
}

// Every character but a letter A–Z, a digit, '.' and '-' becomes '_' (a character outside
// the first plane once, not once per half).
QString safeName(const QString& text) {
    QString safe;
    safe.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool plain = (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') || c == QLatin1Char('-');
        safe += plain ? c : QLatin1Char('_');
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
    }
    return safe;
}

}  // namespace

QString instanceName() {
    return QStringLiteral("knorzelbart-%1-%2").arg(QString::number(::getuid()), safeName(canonicalDisplay()));
}

bool claimInstance(const QString& name, const QString& words, std::function<void()> onAnotherStart,
                   QString* runningWords, bool* otherSilent) {
    if (runningWords) runningWords->clear();
    if (otherSilent) *otherSilent = false;
    const auto until = std::chrono::steady_clock::now() + kClaimPatience;
    // Binding is what decides between two starts at the same moment: only one gets the name.
    while (!listenAs(name)) {
        if (errno != EADDRINUSE) return true;  // no socket to be had: play anyway
        switch (askRunningCopy(name, runningWords)) {
            case Asked::Answered: return false;
            case Asked::Stranger: return true;
            case Asked::Silent:
                if (otherSilent) *otherSilent = true;
                return true;
            case Asked::Nobody: break;
        }
        if (std::chrono::steady_clock::now() >= until) return true;
        ::poll(nullptr, 0, 20);  // the copy holding the name is starting or ending
    }
    Listening& copy = listening();
    copy.answer = QByteArray(kGreeting) + words.toUtf8() + '\n';
    copy.onAnotherStart = std::move(onAnotherStart);
    copy.notifier = new QSocketNotifier(copy.fd, QSocketNotifier::Read);
    QObject::connect(copy.notifier, &QSocketNotifier::activated, copy.notifier, [] { answerOtherStarts(); });
    return true;
}

void releaseInstance() {
    Listening& copy = listening();
    delete copy.notifier;
    if (copy.fd >= 0) ::close(copy.fd);
    copy = Listening();
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
