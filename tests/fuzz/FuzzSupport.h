// SPDX-License-Identifier: GPL-3.0-or-later
// What every fuzz target needs: a broken rule ends the run with its name, a scratch folder
// of the target's own, and a file written there from the input's bytes.
#pragma once
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace fuzzsupport {

inline void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// A folder in the temporary folder for this process: knorzelbart-fuzz-NAME-PID.
inline QString scratchFolder(const char* name) {
    const QString folder =
        QDir::tempPath() + QStringLiteral("/knorzelbart-fuzz-%1-%2").arg(QLatin1String(name)).arg(::getpid());
    QDir().mkpath(folder);
    return folder;
}

inline void writeFile(const QString& path, const uint8_t* data, size_t size) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    check(fd >= 0, "the scratch file can be written");
    [[maybe_unused]] const ssize_t written = ::write(fd, data, size);
    ::close(fd);
}

}  // namespace fuzzsupport
