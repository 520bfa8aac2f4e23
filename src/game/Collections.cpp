// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Collections.h"

#include "platform/files/Folders.h"
#include "platform/system/App.h"
#include "platform/files/Files.h"
#include "platform/pictures/PictureCheck.h"
#include "platform/files/TextFile.h"

namespace collections {

namespace {

QString withoutTrailingSlash(QString path) {
    while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
    return path;
}

QString lastName(const QString& folder) {
    const QString path = withoutTrailingSlash(folder);
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

}  // namespace

QString allWords() { return QStringLiteral("Alle Wörter"); }

bool isAllWords(const QString& value) {
    return value.trimmed().isEmpty() || value.trimmed().compare(allWords(), Qt::CaseInsensitive) == 0;
}

QString shippedFolder() { return platform::App().Path + QStringLiteral("/sammlungen"); }

bool isFolder(const QString& value) {
    return value.startsWith(QLatin1Char('/')) || value == QLatin1String("~") || value.startsWith(QLatin1String("~/"));
}

QString folderOf(const QString& value) {
    if (isAllWords(value)) return platform::App().Path + QStringLiteral("/db");
    if (value == QLatin1String("~")) return platform::homeFolder();
    if (value.startsWith(QLatin1String("~/"))) return platform::homeFolder() + value.mid(1);
    if (isFolder(value)) return withoutTrailingSlash(value);
    return shippedFolder() + QLatin1Char('/') + value.trimmed();
}

QList<Collection> list(const QStringList& ownFolders) {
    QList<Collection> all{{allWords(), folderOf(allWords()), Kind::All}};
    const QString shipped = platform::resolvePath(shippedFolder());
    for (const QString& name : platform::subfolderNames(shipped))
        if (!name.startsWith(QLatin1Char('.'))) all.append({name, shipped + QLatin1Char('/') + name, Kind::Shipped});
    QStringList seen;
    for (const QString& value : ownFolders) {
        const QString folder = folderOf(value);
        if (!isFolder(value) || seen.contains(folder)) continue;
        seen << folder;
        all.append({lastName(folder), folder, Kind::Own});
    }
    return all;
}

QString settingOf(const Collection& collection) {
    return collection.kind == Kind::Own ? collection.folder : collection.name;
}

int indexOf(const QList<Collection>& all, const QString& value) {
    if (isAllWords(value)) return 0;
    for (int i = 0; i < all.size(); ++i) {
        if (isFolder(value) ? all[i].kind == Kind::Own && all[i].folder == folderOf(value)
                            : all[i].kind == Kind::Shipped && all[i].name == value.trimmed())
            return i;
    }
    return -1;
}

}  // namespace collections
