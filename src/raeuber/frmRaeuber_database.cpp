// SPDX-License-Identifier: GPL-3.0-or-later
// The picture-word database: the file names of the pictures in the folder db beside the
// program (or the folder the teacher chose) are the game's words.
#include <algorithm>

#include "game/Options.h"
#include "game/TeacherNotes.h"
#include "game/WordList.h"
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
// listing order. Sub-folders and the names words::nameFault gives a fault (hidden files,
// no extension, no typeable word, too long) are skipped here; a file whose content is no picture is dropped when it is
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
        // Each name in listing order: imageCount + 1, the name at imageNames(imageCount).
        wordlist::append(names);
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
        wordlist::removeAt(imageIndex);  // the names behind it move down by one; imageCount - 1
        lastRemovalCorrectCount = correctCount;
    }
    if (imageCount > 0) {
        const float r = platform::Rnd();
        imageIndex = static_cast<int>(static_cast<double>(imageCount) * r) + 1;
        // With the learning record on, the child's words to practise come back.
        imageIndex = lernstand::chooseIndex(imageIndex, r);
        return assetpaths::dbPicture(imageNames.at(imageIndex));
    }
    platform::MsgBox(QStringLiteral("Datenbankfehler: Nicht genügend Bilddaten vorhanden - Programm wird beendet!"),
                     platform::MsgIcon::Critical);
    platform::End();
}
