// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/PinHash.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringList>

#include <cstdio>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace platform {

namespace {

const QString kScheme = QStringLiteral("pbkdf2-sha256");
constexpr int kRounds = 60000;
constexpr int kSaltBytes = 16;
// A value from a file cannot make the check take minutes.
constexpr int kMostRounds = 10'000'000;

// PBKDF2 with HMAC-SHA-256, one block of 32 bytes.
QByteArray pbkdf2(const QByteArray& secret, const QByteArray& salt, int rounds) {
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, secret);
    mac.addData(salt + QByteArray("\x00\x00\x00\x01", 4));
    QByteArray u = mac.result();
    QByteArray t = u;
    for (int i = 1; i < rounds; ++i) {
        mac.reset();
        mac.addData(u);
        u = mac.result();
        for (qsizetype b = 0; b < t.size(); ++b) t[b] = char(t[b] ^ u[b]);
    }
    return t;
}

// Equal bytes, in a time that does not depend on where they differ.
bool sameBytes(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size()) return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i) difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

}  // namespace

QString hashedPin(const QString& pin) {
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), kSaltBytes / 4);
    const QByteArray hash = pbkdf2(pin.toUtf8(), salt, kRounds);
    return QStringList{kScheme, QString::number(kRounds), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(hash.toBase64())}
        .join(QLatin1Char('$'));
}

bool isHashedPin(const QString& kept) { return kept.startsWith(kScheme + QLatin1Char('$')); }

bool pinMatches(const QString& typed, const QString& kept) {
    if (!isHashedPin(kept)) {
        // Written in plain: compared as hashes of equal length.
        return sameBytes(QCryptographicHash::hash(typed.toUtf8(), QCryptographicHash::Sha256),
                         QCryptographicHash::hash(kept.toUtf8(), QCryptographicHash::Sha256));
    }
    const QStringList parts = kept.split(QLatin1Char('$'));
    if (parts.size() != 4) return false;
    bool number = false;
    const int rounds = parts[1].toInt(&number);
    if (!number || rounds < 1 || rounds > kMostRounds) return false;
    const auto salt = QByteArray::fromBase64Encoding(parts[2].toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    const auto hash = QByteArray::fromBase64Encoding(parts[3].toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!salt || !hash || salt.decoded.isEmpty() || hash.decoded.size() != 32) return false;
    return sameBytes(pbkdf2(typed.toUtf8(), salt.decoded, rounds), hash.decoded);
}

QString readPinQuietly(const QString& prompt) {
    const bool terminal = isatty(STDIN_FILENO) != 0;
    termios before{};
    if (terminal) {
        std::fputs(prompt.toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
        tcgetattr(STDIN_FILENO, &before);
        termios quiet = before;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string line;
    for (int c = std::getchar(); c != EOF && c != '\n' && line.size() < 1024; c = std::getchar())
        line.push_back(char(c));
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
        std::fputs("\n", stderr);
    }
    QString pin = QString::fromLocal8Bit(line.data(), qsizetype(line.size()));
    if (pin.endsWith(QLatin1Char('\r'))) pin.chop(1);
    return pin;
}

}  // namespace platform
