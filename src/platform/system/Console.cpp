// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/Console.h"

#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace platform {

namespace {

void write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

}  // namespace

void writeOut(const QString& text) { write(stdout, text); }
void writeErr(const QString& text) { write(stderr, text); }

bool startedFromTerminal() { return ::isatty(STDIN_FILENO) == 1 || ::isatty(STDERR_FILENO) == 1; }

QStringList arguments(int argc, char* argv[]) {
    QStringList list;
    for (int i = 1; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
    return list;
}

QString environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? QString::fromLocal8Bit(value) : QString();
}

}  // namespace platform
