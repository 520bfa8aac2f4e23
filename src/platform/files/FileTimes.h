// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

namespace platform {

// What a file's status says about its identity and its last change: enough to tell that a
// file or folder is still the one read before.
struct FileStamp {
    bool valid = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modified = 0;  // nanoseconds since 1970
    qint64 changed = 0;   // the status's change: set by every write, never by hand
    bool operator==(const FileStamp&) const = default;
};

// The status of the file or folder at a real path (following links); invalid when there is
// none.
FileStamp fileStamp(const QString& realPath);

// The file system's clock, in nanoseconds since 1970 (a test may set it, see Hooks.h).
qint64 fileSystemNow();

// Whether the last change the stamp tells lies far enough before `now` that a later change
// cannot carry the same times (file systems keep times in ticks of up to two seconds).
bool settledBefore(const FileStamp& stamp, qint64 now);

}  // namespace platform
