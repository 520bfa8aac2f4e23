// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/AssetPaths.h"

#include <algorithm>
#include <utility>

#include "game/Collections.h"
#include "game/Options.h"
#include "platform/system/App.h"
#include "platform/files/Files.h"

// The layout's pictures live in a resource of the static library, which must be made known
// once before use.
static void initLayoutResource() { Q_INIT_RESOURCE(layout); }

namespace assetpaths {

using platform::App;

namespace {

// The folder the teacher chose, by its path or as a collection; empty for db.
QString chosenFolder() {
    const options::Options& o = options::current();
    if (!o.dbFolder.isEmpty() || o.collection.isEmpty() || collections::isAllWords(o.collection)) return o.dbFolder;
    return collections::folderOf(o.collection);
}

// The teacher's folder split into the folder it lies in and its own name. It is a path of
// the system: only a slash separates its parts.
std::pair<QString, QString> folderParts() {
    QString path = chosenFolder();
    while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
    const int cut = path.lastIndexOf(QLatin1Char('/'));
    if (cut < 0) return {QStringLiteral("."), path};
    return {cut == 0 ? path.left(1) : path.left(cut), path.mid(cut + 1)};
}

}  // namespace

QString robberStanding() { return App().Path + QStringLiteral("\\bilder\\räuberrechts.gif"); }
QString robberWalking() { return App().Path + QStringLiteral("\\bilder\\räuberrechtsgeht.gif"); }
QString chest() { return App().Path + QStringLiteral("\\bilder\\Schatztruheeeee.gif"); }

QString victoryFrame(int number) {
    return App().Path + QStringLiteral("\\bilder\\hut") + QString::number(number) +
           QStringLiteral(".gif");
}

QString defeatFrame(int number) {
    return App().Path + QStringLiteral("\\bilder\\bei_sieg_") + QString::number(number) +
           QStringLiteral(".gif");
}

QString assistantRight() {
    return App().Path + QStringLiteral("\\Bilder") + QStringLiteral("\\assistent_richtig_");
}

QString assistantWrong() {
    return App().Path + QStringLiteral("\\Bilder") + QStringLiteral("\\assistent_fehler_");
}

QString assistantFrame(const QString& prefix, int number) {
    return prefix + QString::number(number) + QStringLiteral(".bmp");
}

// The teacher's folder when one is set, else db beside the program.
QString dbFolder() {
    const QString chosen = chosenFolder();
    return chosen.isEmpty() ? App().Path + QStringLiteral("\\db") : platform::literalPath(chosen);
}

QString dbPicture(const QString& fileName) { return dbFolder() + QStringLiteral("\\") + fileName; }

QString dbFolderName() { return chosenFolder().isEmpty() ? QStringLiteral("db") : folderParts().second; }

QString dbFolderParent() { return chosenFolder().isEmpty() ? App().Path : folderParts().first; }

QString layoutPicture(const char* name) {
    static const bool initialised = (initLayoutResource(), true);
    (void)initialised;
    return QStringLiteral(":/layout/") + QString::fromUtf8(name);
}

}  // namespace assetpaths

namespace assetpaths {

QIcon windowIcon() {
    QIcon icon;
    for (const char* size : {"icon16.png", "icon32.png", "icon48.png", "icon64.png", "icon128.png",
                             "icon256.png"})
        icon.addFile(layoutPicture(size));
    return icon;
}

}  // namespace assetpaths
