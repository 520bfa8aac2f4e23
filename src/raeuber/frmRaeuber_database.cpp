// SPDX-License-Identifier: GPL-3.0-or-later
// The picture-word database: the file names of the pictures in the folder db beside the
// program are the game's words.
#include <algorithm>

#include "game/OnScreenKeys.h"
#include "game/Options.h"
#include "game/TeacherNotes.h"
#include "game/Words.h"
#include "game/modGlobalVars.h"
#include "lernstand/Learning.h"
#include "platform/files/Folders.h"
#include "platform/system/App.h"
#include "platform/files/Files.h"
#include "platform/ui/MessageBox.h"
#include "platform/system/Program.h"
#include "platform/system/Random.h"
#include "game/AssetPaths.h"
#include "raeuber/frmRaeuber.h"

using namespace modGlobalVars;
using platform::App;

// Appends the name of every file of the folder db that can be a word picture to the list, in
// listing order. Sub-folders, hidden files and names without an extension or with no
// typeable word are skipped here; a file whose content is no picture is dropped when it is
// drawn (newRound), so that listing a large folder opens no file.
void frmRaeuber::loadDatabase() {
    wordsFolder_ = assetpaths::dbFolder();
    wordsCollection_ = options::current().collection;
    wordsDbFolder_ = options::current().dbFolder;
    if (platform::FolderExists(assetpaths::dbFolder())) {
        bool readable = true;
        // Read again only when the folder changed since the last game.
        const QStringList names =
            platform::keptFolderFileNames(assetpaths::dbFolder(), words::nameCanBeWord, &readable);
        if (!readable) {
            // A folder that cannot be read is reported as such, then treated as missing.
            dbFolderMessage(QStringLiteral("kann nicht gelesen werden"));
            return;
        }
        // Room grows by doubling: the list is appended to at every game, and room for just
        // this game's names would copy the whole list, longer with every game, each time.
        const qsizetype needed = imageNames.size() + names.size() + 1;
        if (imageNames.capacity() < needed) imageNames.reserve(std::max(needed, 2 * imageNames.size()));
        for (const QString& name : names) {
            imageCount = imageCount + 1;
            if (imageNames.isEmpty()) imageNames.append(QString());  // element 0, never used
            imageNames.append(name);
            onscreen::noteListed(name);  // what the on-screen keys need, from the same pass
        }
        lernstand::picturesAppended(names);
    } else if (platform::PathExists(assetpaths::dbFolder())) {
        // A file where the folder should be is named as such, then treated as missing.
        dbFolderMessage(QStringLiteral("ist kein Ordner, sondern eine Datei"));
    } else {
        dbFolderMessage(QStringLiteral("ist nicht vorhanden"));
    }
}

// "Datenbankfehler: Das Datenbankverzeichnis <db> im Ordner … ist nicht vorhanden." with the
// folder that was looked for, and where to read more.
void frmRaeuber::dbFolderMessage(const QString& what) {
    teachernotes::add(teachernotes::Kind::Words,
                      QStringLiteral("Der Bilderordner %1 %2; die Wörter daraus fehlen.").arg(assetpaths::dbFolder(), what));
    platform::MsgBox(QStringLiteral("Datenbankfehler: Das Datenbankverzeichnis <") +
                         assetpaths::dbFolderName() + QStringLiteral("> im Ordner ") +
                         assetpaths::dbFolderParent() + QLatin1Char(' ') + what + QLatin1Char('.') +
                         QStringLiteral("\r\r") +
                         QStringLiteral("Für genauere Informationen konsultieren Sie das Handbuch."),
                     platform::MsgIcon::Critical);
}

// Drops the picture just solved, then draws the next one at random. Ends the program when
// no picture is left.
QString frmRaeuber::nextImage() {
    platform::Randomize();
    if (lastRemovalCorrectCount != correctCount) {
        if (imageIndex >= 1 && imageIndex < imageNames.size()) {
            onscreen::noteRemoved(imageNames.at(imageIndex));
            lernstand::pictureRemoved(imageNames.at(imageIndex));
            imageNames.removeAt(imageIndex);  // the names behind it move down by one
        }
        lastRemovalCorrectCount = correctCount;
        imageCount = imageCount - 1;
    }
    if (imageCount > 0) {
        const float r = platform::Rnd();
        imageIndex = static_cast<int>(static_cast<double>(imageCount) * r) + 1;
        // With the learning record on, the child's words to practise come back.
        imageIndex = lernstand::chooseIndex(imageNames, imageCount, r);
        return assetpaths::dbPicture(imageNames.at(imageIndex));
    }
    platform::MsgBox(QStringLiteral("Datenbankfehler: Nicht genügend Bilddaten vorhanden - Programm wird beendet!"),
                     platform::MsgIcon::Critical);
    platform::End();
}
