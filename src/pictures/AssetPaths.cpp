#include "pictures/AssetPaths.h"

#include "platform/App.h"

// The layout's pictures live in a resource of the static library, which must be made known
// once before use.
static void initLayoutResource() { Q_INIT_RESOURCE(layout); }

namespace assetPaths {

using platform::App;

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

QString dbFolder() { return App().Path + QStringLiteral("\\db"); }

QString dbPicture(const QString& fileName) {
    return App().Path + QStringLiteral("\\db\\") + fileName;
}

QString layoutPicture(const char* name) {
    static const bool initialised = (initLayoutResource(), true);
    (void)initialised;
    return QStringLiteral(":/layout/") + QString::fromUtf8(name);
}

}  // namespace assetPaths

namespace assetPaths {

QIcon windowIcon() {
    QIcon icon;
    for (const char* size : {"icon16.png", "icon32.png", "icon48.png", "icon64.png", "icon128.png",
                             "icon256.png"})
        icon.addFile(layoutPicture(size));
    return icon;
}

}  // namespace assetPaths
