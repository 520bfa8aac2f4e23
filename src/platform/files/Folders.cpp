// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/Folders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/Files.h"
#include "platform/files/FileTimes.h"

namespace platform {

namespace {

// Calls `visit` with every entry of the folder but "." and ".."; tells in `readable` whether
// the folder could be listed to its end. A folder that fails part way lists nothing.
bool forEachEntry(const QString& realFolder, const std::function<void(int dirFd, const dirent&)>& visit,
                  bool* readable) {
    DIR* dir = ::opendir(QFile::encodeName(realFolder).constData());
    if (readable) *readable = dir != nullptr;
    if (!dir) return false;
    bool failed = false;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry) {
            failed = errno != 0;  // a read error, not the end of the listing
            break;
        }
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        visit(::dirfd(dir), *entry);
    }
    ::closedir(dir);
    if (readable) *readable = !failed;
    return !failed;
}

}  // namespace

QStringList folderFiles(const QString& composed, bool* readable) {
    QStringList names;
    const bool whole = forEachEntry(resolvePath(composed), [&](int dirFd, const dirent& entry) {
        // Links to folders count as folders; everything else is a file entry.
        struct stat st {};
        if (::fstatat(dirFd, entry.d_name, &st, 0) == 0 && S_ISDIR(st.st_mode)) return;
        names.append(QFile::decodeName(entry.d_name));
    }, readable);
    return whole ? names : QStringList();
}

QStringList folderFileNames(const QString& composed, const std::function<bool(const QString&)>& nameAccepted,
                            bool* readable) {
    QStringList names;
    const bool whole = forEachEntry(resolvePath(composed), [&](int dirFd, const dirent& entry) {
        if (entry.d_type != DT_REG && entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return;
        const QString name = QFile::decodeName(entry.d_name);
        if (!nameAccepted(name)) return;
        if (entry.d_type != DT_REG) {
            // A link or an entry of unknown kind counts when it leads to a regular file.
            struct stat st {};
            if (::fstatat(dirFd, entry.d_name, &st, 0) != 0 || !S_ISREG(st.st_mode)) return;
        }
        names.append(name);
    }, readable);
    return whole ? names : QStringList();
}

namespace {

// A folder's accepted names as last read, with what its status said just before.
struct KeptListing {
    FileStamp stamp;
    bool trusted = false;  // read long enough after its last change
    QStringList names;          // the regular files among the entries
    std::vector<bool> regular;  // per entry: a regular file, or a link to ask again
    QStringList entries;        // every accepted regular file and link, in listing order
};

struct Listings {
    QHash<QString, KeptListing> kept;  // by device, inode and filter
    int read = 0;
};
Listings& listings() {
    static Listings all;
    return all;
}

QString listingKey(const FileStamp& stamp, bool (*nameAccepted)(const QString&)) {
    return QStringLiteral("%1:%2:%3").arg(QString::number(stamp.device), QString::number(stamp.inode),
                                          QString::number(quintptr(nameAccepted)));
}

// The names of the kept listing, its links asked again.
QStringList namesOf(const QString& folder, const KeptListing& listing) {
    if (std::all_of(listing.regular.cbegin(), listing.regular.cend(), [](bool r) { return r; })) return listing.names;
    QStringList names;
    const QByteArray base = QFile::encodeName(folder) + '/';
    for (qsizetype i = 0; i < listing.entries.size(); ++i) {
        struct stat st {};
        if (listing.regular[size_t(i)] ||
            (::stat((base + QFile::encodeName(listing.entries[i])).constData(), &st) == 0 && S_ISREG(st.st_mode)))
            names.append(listing.entries[i]);
    }
    return names;
}

}  // namespace

QStringList keptFolderFileNames(const QString& composed, bool (*nameAccepted)(const QString&), bool* readable) {
    const QString folder = resolvePath(composed);
    // The status before the listing: a change during the listing shows as a changed status
    // next time.
    const FileStamp stamp = fileStamp(folder);
    const QString key = listingKey(stamp, nameAccepted);
    if (stamp.valid) {
        const auto found = listings().kept.constFind(key);
        if (found != listings().kept.cend() && found->trusted && found->stamp == stamp) {
            if (readable) *readable = true;
            return namesOf(folder, *found);
        }
    }
    ++listings().read;
    KeptListing listing;
    listing.stamp = stamp;
    listing.trusted = stamp.valid && settledBefore(stamp, fileSystemNow());
    const bool whole = forEachEntry(folder, [&](int dirFd, const dirent& entry) {
        if (entry.d_type != DT_REG && entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return;
        const QString name = QFile::decodeName(entry.d_name);
        if (!nameAccepted(name)) return;
        bool isRegular = entry.d_type == DT_REG;
        if (entry.d_type == DT_UNKNOWN) {
            // The kind the listing did not tell: a regular file is kept as one, a link is asked
            // again each time, anything else is no picture.
            struct stat st {};
            if (::fstatat(dirFd, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) return;
            if (S_ISREG(st.st_mode)) isRegular = true;
            else if (!S_ISLNK(st.st_mode)) return;
        }
        listing.entries.append(name);
        listing.regular.push_back(isRegular);
        if (isRegular) listing.names.append(name);
    }, readable);
    if (!whole) {
        listings().kept.remove(key);
        return QStringList();
    }
    const QStringList names = namesOf(folder, listing);
    if (stamp.valid) listings().kept.insert(key, std::move(listing));
    return names;
}

void forgetFolderListings() { listings() = Listings(); }

int folderListingsRead() { return listings().read; }

QStringList subfolderNames(const QString& realPath) {
    QStringList names;
    QDirIterator it(realPath, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        if (it.fileInfo().isDir()) names << it.fileName();
    }
    names.sort();
    return names;
}

}  // namespace platform
