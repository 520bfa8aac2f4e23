// SPDX-License-Identifier: GPL-3.0-or-later
// One copy of the game per user and display: a second start finds the first, asks it to
// come forward and learns which words it plays with; no file is made for it anywhere, and
// whatever a killed copy left behind never blocks a start.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstddef>
#include <cstring>
#include <future>
#include <vector>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/start/Run.h"
#include "platform/system/SingleInstance.h"
#include "mock/TestMode.h"
#include "shell/start.h"
#include "support/Kept.h"

using testsupport::EnvironmentKept;

namespace {

QString uniqueName(const char* what) {
    return QStringLiteral("knorzelbart-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(what);
}

// What a second start of the program learns, asked from another thread as another process
// would: this thread keeps the event loop running, where the first copy answers.
struct SecondStart {
    bool plays = true;
    QString runningWords;
};
SecondStart startAgain(const QString& name, const QString& words) {
    auto asked = std::async(std::launch::async, [name, words] {
        SecondStart second;
        second.plays = platform::claimInstance(name, words, nullptr, &second.runningWords);
        return second;
    });
    while (asked.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return asked.get();
}

// A socket under the name in the abstract namespace, as another program would hold it.
// Allocates nothing (a forked child calls it).
int holdName(const QByteArray& bytes, bool listening) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, bytes.constData(), size_t(bytes.size()));
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + size_t(bytes.size()));
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) return -1;
    if (listening && ::listen(fd, 4) != 0) return -1;
    return fd;
}

// A socket file nobody listens on, as a copy of an older version killed with SIGKILL left it.
bool leaveDeadSocketFile(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    if (fd < 0 || size_t(native.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

}  // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() {
        platform::releaseInstance();
    }

    void theNameBelongsToUserAndDisplay() {
        const EnvironmentKept display("DISPLAY"), wayland("WAYLAND_DISPLAY");
        qputenv("DISPLAY", ":7");
        qunsetenv("WAYLAND_DISPLAY");
        const QString seven = platform::instanceName();
        QCOMPARE(seven, QStringLiteral("knorzelbart-%1-x7").arg(::getuid()));
        // One display under all its spellings: a second copy on ":7.0" would be a second game.
        for (const char* same : {":7.0", "unix:7", ":07.1", "/tmp/.X11-unix/X7"}) {
            qputenv("DISPLAY", same);
            QCOMPARE(platform::instanceName(), seven);
        }
        qputenv("DISPLAY", "localhost:10.0");
        QVERIFY(platform::instanceName() != seven);
        QVERIFY(!platform::instanceName().contains('/'));
        qputenv("DISPLAY", ":70");
        QVERIFY(platform::instanceName() != seven);
        // A host's other characters become one '_' each, a character beyond the first plane too.
        qputenv("DISPLAY", "gäst-1.schule:3.0");
        QCOMPARE(platform::instanceName(), QStringLiteral("knorzelbart-%1-g_st-1.schulex3").arg(::getuid()));
        qputenv("DISPLAY", "host\xf0\x9f\x98\x80/a:12");
        QCOMPARE(platform::instanceName(), QStringLiteral("knorzelbart-%1-host__ax12").arg(::getuid()));
        // What is no display number is kept as it is, made safe.
        qputenv("DISPLAY", "weird:7a");
        QCOMPARE(platform::instanceName(), QStringLiteral("knorzelbart-%1-weird_7a").arg(::getuid()));
    }

    void aSecondStartAsksTheFirstAndLearnsItsWords() {
        const QString name = uniqueName("zweiter");
        int calls = 0;
        QVERIFY(platform::claimInstance(name, QStringLiteral("/schule/klasse1a"), [&] { ++calls; }));
        SecondStart second = startAgain(name, QStringLiteral("/schule/klasse1b"));
        QVERIFY(!second.plays);
        QCOMPARE(second.runningWords, QStringLiteral("/schule/klasse1a"));
        QVERIFY(QTest::qWaitFor([&] { return calls == 1; }, 5000));
        // Umlauts and blanks in the folder's name come across as they are.
        platform::releaseInstance();
        QVERIFY(platform::claimInstance(name, QStringLiteral("/home/lehrerin/Wörter/Tiere am Hof"), [&] { ++calls; }));
        second = startAgain(name, QString());
        QVERIFY(!second.plays);
        QCOMPARE(second.runningWords, QStringLiteral("/home/lehrerin/Wörter/Tiere am Hof"));
        QVERIFY(QTest::qWaitFor([&] { return calls == 2; }, 5000));
        // Once released, the name is free for the next copy at once.
        platform::releaseInstance();
        QVERIFY(platform::claimInstance(name, QString(), nullptr));
    }

    // The game writes no files: the one copy is found by a name without a file, in the
    // temporary folder or anywhere else.
    void noFileIsMade() {
        QTemporaryDir temp;
        const EnvironmentKept tmp("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        QCOMPARE(QDir::tempPath(), temp.path());
        const QString name = uniqueName("keine-datei");
        QVERIFY(platform::claimInstance(name, QStringLiteral("/schule/db"), nullptr));
        QVERIFY(!startAgain(name, QStringLiteral("/schule/db")).plays);
        QCOMPARE(QDir(temp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList());
        QVERIFY(QDir(QStringLiteral("/tmp")).entryList({name + QLatin1Char('*')}, QDir::AllEntries | QDir::System).isEmpty());
    }

    void whatAnOlderCopyLeftNeverBlocks_data() {
        QTest::addColumn<QString>("left");
        QTest::newRow("a socket file nobody listens on") << "socket";
        QTest::newRow("a plain file") << "file";
    }
    void whatAnOlderCopyLeftNeverBlocks() {
        QFETCH(QString, left);
        const QString name = uniqueName(left == "socket" ? "socket" : "datei");
        const QString path = QDir(QDir::tempPath()).filePath(name);
        QFile::remove(path);
        if (left == "socket") QVERIFY(leaveDeadSocketFile(path));
        else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        int calls = 0;
        QVERIFY(platform::claimInstance(name, QString(), [&] { ++calls; }));
        QVERIFY(!startAgain(name, QString()).plays);
        QVERIFY(QTest::qWaitFor([&] { return calls == 1; }, 5000));
        QFile::remove(path);
    }

    // A copy killed with SIGKILL leaves nothing: its name is free the moment it is gone.
    void aKilledCopyFreesItsName() {
        const QString name = uniqueName("getoetet");
        const QByteArray bytes = name.toUtf8();
        int ready[2];
        QVERIFY(::pipe(ready) == 0);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            // Only system calls here: the copy holds the name and waits to be killed.
            const char held = holdName(bytes, true) >= 0 ? '1' : '0';
            if (::write(ready[1], &held, 1) != 1) ::_exit(1);
            for (;;) ::pause();
        }
        ::close(ready[1]);
        char held = '0';
        QCOMPARE(::read(ready[0], &held, 1), ssize_t(1));
        ::close(ready[0]);
        QCOMPARE(held, '1');
        QVERIFY(::kill(child, SIGKILL) == 0);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(platform::claimInstance(name, QString(), nullptr));
        QVERIFY(!startAgain(name, QString()).plays);
    }

    // Whoever else holds the name does not keep the game from playing: a program that is not
    // the game answers with something else; one that never listens is a copy that hangs
    // while it starts. A copy that takes the request but does not answer in time (stopped or
    // hanging) does not keep this start from playing: it plays too, and is told why.
    void aNameHeldByAnotherProgram() {
        const QString stranger = uniqueName("fremd");
        const int strangerFd = holdName(stranger.toUtf8(), true);
        QVERIFY(strangerFd >= 0);
        auto answered = std::async(std::launch::async, [strangerFd] {
            const int other = ::accept(strangerFd, nullptr, nullptr);
            const char hello[] = "SSH-2.0-irgendwas\n";
            [[maybe_unused]] const ssize_t sent = ::write(other, hello, sizeof hello - 1);
            ::close(other);
        });
        QString words = QStringLiteral("alt");
        QVERIFY(platform::claimInstance(stranger, QString(), nullptr, &words));
        QVERIFY(words.isEmpty());
        answered.get();
        ::close(strangerFd);

        const QString starting = uniqueName("startet");
        const int startingFd = holdName(starting.toUtf8(), false);
        QVERIFY(startingFd >= 0);
        QVERIFY(platform::claimInstance(starting, QString(), nullptr));
        ::close(startingFd);
        platform::releaseInstance();

        const QString busy = uniqueName("beschaeftigt");
        const int busyFd = holdName(busy.toUtf8(), true);
        QVERIFY(busyFd >= 0);
        bool silent = false;
        QVERIFY(platform::claimInstance(busy, QString(), nullptr, &words, &silent));
        QVERIFY(silent);
        QVERIFY(words.isEmpty());
        ::close(busyFd);
        platform::releaseInstance();
    }

    // A holder whose queue is full (another account that binds the name first and takes no
    // connection, or a stopped copy asked many times) never makes a start wait: the
    // connection is not waited for at all.
    void aFullQueueNeverBlocksAStart() {
        const QString full = uniqueName("voll");
        const int fullFd = holdName(full.toUtf8(), true);
        QVERIFY(fullFd >= 0);
        std::vector<int> queued;
        for (int i = 0; i < 64; ++i) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            const QByteArray bytes = full.toUtf8();
            std::memcpy(address.sun_path + 1, bytes.constData(), size_t(bytes.size()));
            const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + size_t(bytes.size()));
            const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0;
            queued.push_back(fd);
            if (!connected) break;
        }
        // Asked from another thread: a start that blocked would fail the test's own timeout.
        auto asked = std::async(std::launch::async, [full] {
            bool silent = false;
            const bool plays = platform::claimInstance(full, QString(), nullptr, nullptr, &silent);
            return plays && silent;
        });
        QVERIFY(asked.wait_for(std::chrono::seconds(20)) == std::future_status::ready);
        QVERIFY(asked.get());
        for (const int fd : queued) ::close(fd);
        ::close(fullFd);
    }

    void twoNamesOfOneFolder() {
        QTemporaryDir temp;
        QVERIFY(QDir(temp.path()).mkdir(QStringLiteral("Tiere")));
        const QString tiere = temp.filePath(QStringLiteral("Tiere"));
        QVERIFY(QFile::link(tiere, temp.filePath(QStringLiteral("Verknüpfung"))));
        QVERIFY(platform::sameFolder(tiere, tiere + QStringLiteral("/")));
        QVERIFY(platform::sameFolder(tiere, temp.filePath(QStringLiteral("Verknüpfung"))));
        QVERIFY(platform::sameFolder(tiere, temp.filePath(QStringLiteral("x/../Tiere"))));
        QVERIFY(!platform::sameFolder(tiere, temp.path()));
        QVERIFY(platform::sameFolder(temp.filePath(QStringLiteral("fehlt/")), temp.filePath(QStringLiteral("fehlt"))));
        QVERIFY(!platform::sameFolder(temp.filePath(QStringLiteral("fehlt")), tiere));
    }

    // A second start with other words says so: always on standard error, and in a message
    // box when it was started from the desktop, where nobody reads standard error.
    void aSecondStartWithOtherWordsSaysSo() {
        platform::beginTestMode(QCoreApplication::applicationDirPath());
        const QString text = shell::otherWordsText(QStringLiteral("/schule/1a"), QStringLiteral("/schule/1b"));
        QVERIFY(text.startsWith(QStringLiteral("Das Spiel läuft schon, mit seinen eigenen Wörtern aus dem Ordner /schule/1a")));
        QVERIFY(text.contains(QStringLiteral("/schule/1b")));
        shell::tellOtherWordsRun(QStringLiteral("/schule/1a"), QStringLiteral("/schule/1b"), true);
        QCOMPARE(platform::shownMessages().size(), 0);
        shell::tellOtherWordsRun(QStringLiteral("/schule/1a"), QStringLiteral("/schule/1b"), false);
        QCOMPARE(platform::shownMessages().size(), 1);
        QCOMPARE(platform::shownMessages().at(0).text, text);
        platform::endTestMode();
    }
};

QTEST_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
