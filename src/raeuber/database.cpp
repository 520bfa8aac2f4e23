// The picture-word database: the file names of the pictures in the folder db beside the
// program are the game's words.
#include "game/Words.h"
#include "game/modGlobalVars.h"
#include "platform/App.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/Program.h"
#include "platform/Random.h"
#include "pictures/AssetPaths.h"
#include "raeuber/frmRaeuber.h"

using namespace modGlobalVars;
using platform::App;

// Appends the name of every usable picture of the folder db to the list, in listing order.
// Files that cannot be a word picture (sub-folders, hidden files, names without an
// extension or with no typeable word, files whose content is no picture) are skipped.
void frmRaeuber::loadDatabase() {
    if (platform::FolderExists(assetPaths::dbFolder())) {
        const QString folder = platform::resolvePath(assetPaths::dbFolder());
        const QStringList names = platform::folderFiles(assetPaths::dbFolder());
        imageNames.reserve(imageNames.size() + names.size() + 1);
        for (const QString& name : names) {
            if (!words::nameCanBeWord(name)) continue;
            if (!platform::looksLikePicture(folder + QLatin1Char('/') + name)) continue;
            imageCount = imageCount + 1;
            if (imageNames.isEmpty()) imageNames.append(QString());  // element 0, never used
            imageNames.append(name);
        }
    } else {
        platform::MsgBox(QStringLiteral("Datenbankfehler: Das Datenbankverzeichnis <") +
                             assetPaths::dbFolderName() + QStringLiteral("> im Ordner ") +
                             assetPaths::dbFolderParent() + QStringLiteral(" ist nicht vorhanden.") +
                             QStringLiteral("\r\r") +
                             QStringLiteral("Für genauere Informationen konsultieren Sie das Handbuch."),
                         platform::MsgIcon::Critical);
    }
}

// Drops the picture just solved, then draws the next one at random. Ends the program when
// no picture is left.
QString frmRaeuber::nextImage() {
    platform::Randomize();
    if (lastRemovalCorrectCount != correctCount) {
        if (imageIndex >= 1 && imageIndex < imageNames.size())
            imageNames.removeAt(imageIndex);  // the names behind it move down by one
        lastRemovalCorrectCount = correctCount;
        imageCount = imageCount - 1;
    }
    if (imageCount > 0) {
        const float r = platform::Rnd();
        imageIndex = static_cast<int>(static_cast<double>(imageCount) * r) + 1;
        return assetPaths::dbPicture(imageNames.at(imageIndex));
    }
    platform::MsgBox(QStringLiteral("Datenbankfehler: Nicht genügend Bilddaten vorhanden - Programm wird beendet!"),
                     platform::MsgIcon::Critical);
    platform::End();
}
