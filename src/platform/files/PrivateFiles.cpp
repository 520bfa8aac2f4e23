// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/PrivateFiles.h"

#include <QFile>

#include "platform/files/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The one German table of system errors; a name that is taken is said as such.
QString reasonFor(int error) {
    if (error == EEXIST) return QStringLiteral("eine Datei mit diesem Namen gibt es schon");
    return systemErrorText(error, true);
}

}  // namespace

int fileMode(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return -1;
    return static_cast<int>(info.st_mode & 07777);
}

QString moveFileNoReplace(const QString& from, const QString& to) {
    const QByteArray target = QFile::encodeName(to);
    struct stat info {};
    if (::lstat(target.constData(), &info) == 0) return reasonFor(EEXIST);
    if (std::rename(QFile::encodeName(from).constData(), target.constData()) != 0) return reasonFor(errno);
    return QString();
}

}  // namespace platform
