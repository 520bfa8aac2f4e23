// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>

namespace platform {

// A small text file read whole, or why it could not be.
struct TextFile {
    enum class Status {
        Ok,
        Missing,     // no such file (nothing to report)
        NotAFile,    // a folder, a pipe, a device
        Unreadable,  // the file is there but cannot be read; `reason` says why, in German
        TooLarge,    // more than the limit the caller gave
    };
    Status status = Status::Missing;
    QString text;           // the content, decoded as UTF-8
    bool validUtf8 = true;  // false: some bytes were no UTF-8 and were replaced
    QString reason;
};

// Reads a text file of at most `maxBytes`. Never blocks on a pipe or a device.
TextFile readTextFile(const QString& path, qint64 maxBytes);
// The first `count` bytes of a file (all of a shorter one), to tell what it is.
TextFile readTextStart(const QString& path, qint64 count);
// The UTF-8 text of a file compiled into the program (a ":/" resource path); empty when
// there is none.
QString compiledInText(const QString& resourcePath);

// Who may read a file written whole: anybody the umask lets (a sheet, the settings), or, for
// children's data, only who may read the file it replaces (a new one: its owner only).
enum class FileMode { Ordinary, Private };

// Writes the bytes to a new file beside `path` ("<name>.XXXXXX", a name nobody can guess,
// never through a link) and then renames it to `path`, so that the file is either the old
// one or the whole new one. Returns an empty string on success, else the reason in German.
// What an earlier write that was killed left beside it (untouched for
// kStaleTemporarySeconds) is removed first.
QString writeWholeFile(const QString& path, const QByteArray& bytes, FileMode mode = FileMode::Ordinary);

// A temporary file of a write that nobody has touched for this long was left by a writer
// that was killed: no write of a whole file takes minutes.
constexpr long kStaleTemporarySeconds = 600;

// The permissions a file created the ordinary way gets (0666 less the umask).
int ordinaryFileMode();

// What a system error number means, in German ("keine Leserechte" when reading,
// "keine Schreibrechte" when writing).
QString systemErrorText(int error, bool writing = false);

// The path made absolute against the current folder, for messages.
QString absolutePath(const QString& path);

}  // namespace platform
