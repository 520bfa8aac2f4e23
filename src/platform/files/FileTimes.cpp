// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/FileTimes.h"

#include <QFile>
#include <algorithm>
#include <sys/stat.h>
#include <time.h>

#include "platform/system/Hooks.h"

namespace platform {

namespace {

constexpr qint64 kSettledNanoseconds = 3'000'000'000;

qint64 nanoseconds(const timespec& t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

}  // namespace

FileStamp fileStamp(const QString& realPath) {
    FileStamp stamp;
    struct stat st {};
    if (::stat(QFile::encodeName(realPath).constData(), &st) != 0) return stamp;
    stamp.valid = true;
    stamp.device = quint64(st.st_dev);
    stamp.inode = quint64(st.st_ino);
    stamp.size = qint64(st.st_size);
    stamp.modified = nanoseconds(st.st_mtim);
    stamp.changed = nanoseconds(st.st_ctim);
    return stamp;
}

qint64 fileSystemNow() {
    if (hooks().fileSystemNow) return hooks().fileSystemNow();
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now);
}

bool settledBefore(const FileStamp& stamp, qint64 now) {
    return stamp.valid && std::max(stamp.modified, stamp.changed) + kSettledNanoseconds <= now;
}

}  // namespace platform
