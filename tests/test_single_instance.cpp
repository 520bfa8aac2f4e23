// SPDX-License-Identifier: GPL-3.0-or-later
// One copy of the game per user and display: a second start finds the first and asks it to
// come forward; whatever a killed copy left behind never blocks a start.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/TestMode.h"
#include "platform/SingleInstance.h"

namespace {

QString uniqueName(const char* what) {
    return QStringLiteral("knorzelbart-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(what);
}

// A Unix socket file nobody listens on, as a copy killed with SIGKILL leaves it.
bool leaveDeadSocket(const QString& path) {
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
    void cleanup() { platform::releaseInstance(); }

    void theNameBelongsToUserAndDisplay() {
        qputenv("DISPLAY", ":7");
        qunsetenv("WAYLAND_DISPLAY");
        const QString seven = platform::instanceName();
        QCOMPARE(seven, QStringLiteral("knorzelbart-%1-_7").arg(::getuid()));
        qputenv("DISPLAY", "localhost:10.0");
        QVERIFY(platform::instanceName() != seven);
        QVERIFY(!platform::instanceName().contains('/'));
    }

    void aSecondStartAsksTheFirstAndEnds() {
        const QString name = uniqueName("zweiter");
        int calls = 0;
        QVERIFY(platform::claimInstance(name, [&] { ++calls; }));
        int otherCalls = 0;
        QVERIFY(!platform::claimInstance(name, [&] { ++otherCalls; }));
        QVERIFY(QTest::qWaitFor([&] { return calls == 1; }, 5000));
        QVERIFY(!platform::claimInstance(name, nullptr));
        QVERIFY(QTest::qWaitFor([&] { return calls == 2; }, 5000));
        QCOMPARE(otherCalls, 0);
    }

    void whatADeadCopyLeftNeverBlocks_data() {
        QTest::addColumn<QString>("left");
        QTest::newRow("a socket nobody listens on") << "socket";
        QTest::newRow("a plain file") << "file";
    }
    void whatADeadCopyLeftNeverBlocks() {
        QFETCH(QString, left);
        const QString name = uniqueName(left == "socket" ? "socket" : "datei");
        const QString path = QDir(QDir::tempPath()).filePath(name);
        QFile::remove(path);
        if (left == "socket") QVERIFY(leaveDeadSocket(path));
        else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        int calls = 0;
        QVERIFY(platform::claimInstance(name, [&] { ++calls; }));
        QVERIFY(!platform::claimInstance(name, nullptr));
        QVERIFY(QTest::qWaitFor([&] { return calls == 1; }, 5000));
        platform::releaseInstance();
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
