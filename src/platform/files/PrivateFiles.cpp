// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/PrivateFiles.h"

#include <QFile>

#include <sys/stat.h>

namespace platform {

int fileMode(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return -1;
    return static_cast<int>(info.st_mode & 07777);
}

}  // namespace platform
