// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's settings changed in her room while the program runs: the game follows them
// from its next word (syllables, the initial-sound chart, the letter keys; the spoken word is
// read as it is needed anyway), and when the next game begins, full screen and the word
// collection. A folder without a word to play is not taken: the children go on with the
// words they had, and the teacher finds a note.
#include "game/OnScreenKeys.h"
#include "game/Options.h"
#include "game/TeacherNotes.h"
#include "game/WordList.h"
#include "game/Words.h"
#include "game/modGlobalVars.h"
#include "lernstand/Learning.h"
#include "game/AssetPaths.h"
#include "platform/files/Files.h"
#include "platform/files/Folders.h"
#include "raeuber/frmRaeuber.h"

using namespace modGlobalVars;

void frmRaeuber::followSettings() {
    const options::Options& o = options::current();
    if (o.syllables && !imgSyllables) makeSyllableControls();
    if (!o.syllables && imgSyllables) dropSyllableControls();
    if (o.soundHelp && !cmdSoundHelp) makeSoundHelpControls();
    if (!o.soundHelp && cmdSoundHelp) dropSoundHelpControls();
    if (cmdSoundHelp) cmdSoundHelp->Move(imgSyllables ? 136 : 72, 160, 56, 56);
    placeLetterKeys();
}

void frmRaeuber::followSettingsAtGameStart() {
    const options::Options& o = options::current();
    if (o.fullScreen != fullScreenSetting_) {
        fullScreenSetting_ = o.fullScreen;
        setFullScreen(o.fullScreen);
    }
    if (followCollection()) {
        loadDatabase();
        clearLetterBoxes();
        newRound();
        showVocabularyKeys();
    }
    followSettings();
}

bool frmRaeuber::followCollection() {
    options::Options& o = options::current();
    const QString folder = assetpaths::dbFolder();
    if (folder == wordsFolder_) return false;
    bool readable = platform::FolderExists(folder);
    if (!readable || platform::keptFolderFileNames(folder, words::nameCanBeWord, &readable).isEmpty() || !readable) {
        teachernotes::add(teachernotes::Kind::Words,
                          QStringLiteral("Im Bilderordner %1 ist kein Wort zum Spielen (er fehlt, kann nicht gelesen "
                                         "werden oder ist leer); die Kinder spielen weiter mit den Wörtern aus %2.")
                              .arg(folder, wordsFolder_));
        o.collection = wordsCollection_;
        o.dbFolder = wordsDbFolder_;
        return false;
    }
    // The words of the last folder go, and the word of the last game with them.
    lernstand::wordLeft();
    wordFailed = false;
    wordlist::clear();
    imageIndex = 0;
    lastRemovalCorrectCount = correctCount;
    soundHelpWords.clear();
    return true;
}
