// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "game/TakeSound.h"
#include "platform/sound/Sound.h"

// The teacher's own recordings of a vocabulary: which words a folder has, where their
// recordings lie, and what becomes of a take from the microphone before it is kept
// (silence cut at both ends, brought to one loudness, written as Ogg Vorbis beside the
// picture). The recording window is only the buttons around these procedures.
namespace takes {

// A recording of the word itself ("Hund.ogg"), or of the word spoken in syllables
// ("Hund.silben.ogg").
enum class Kind { Word, Syllables };

struct Entry {
    QString word;     // "Hund"
    QString picture;  // the picture's path, "/srv/klasse1a/Hund.png"
    bool operator==(const Entry&) const = default;
};

// The words of a folder (a real path of the system), as the game lists them, one per word
// (the first picture of a word that has several), in alphabetical order. `readable` tells
// whether the folder could be listed.
QList<Entry> wordsOf(const QString& folder, bool* readable = nullptr);

// Which recording belongs to a word, the one rule for the game, the teacher's check and
// the recording window (recordingStem): beside the picture, in the same folder, a file named
// as the picture without its extension (letter case and Unicode normalisation aside:
// "hund.png" and "Hund.jpg" share "Hund.ogg"), followed by ".wav" or ".ogg" for the word
// itself and by ".silben.wav" or ".silben.ogg" for the word spoken in syllables (these
// endings in any letter case). A name ending so is always one in syllables: "Hund.silben.ogg"
// is Hund in syllables, never the word of a picture "Hund.silben.png".
//
// Where a take of this kind is written: the picture's name with ".ogg" or ".silben.ogg"
// instead of its extension.
QString fileFor(const QString& picture, Kind kind);
// The recordings of this kind that are there (a real path to the picture), in the order
// the game tries them: .wav before .ogg, the name spelt exactly as the picture's first.
// `recordingNames` (from recordingNamesIn) spares listing the folder for each word.
QStringList existing(const QString& picture, Kind kind, const QStringList* recordingNames = nullptr);
// The length of the recording the game plays, 0 when there is none.
double seconds(const QString& picture, Kind kind, const QStringList* recordingNames = nullptr);
// The names in a folder that are recordings by the rule.
QStringList recordingNamesIn(const QString& folder);
// For a file name: the picture stem a recording belongs to and its kind ("Hund.silben.WAV"
// gives "Hund", Syllables); empty for any other file (hidden files included).
QString recordingStem(const QString& name, Kind* kind = nullptr);
// Stems compared as the rule compares them.
QString stemKey(const QString& stem);

// What became of a take or a deletion: whether a file was written or removed, and the
// German text for the teacher (a message when something went wrong, else a short note).
// A recording as it was before it was deleted: its path and its bytes.
struct Removed {
    QString path;
    QByteArray bytes;
};

struct Result {
    bool done = false;
    bool failed = false;  // a message box is due
    bool doubtful = false;  // kept, but clipped, very quiet or very short: worth another take
    QString text;
    QList<Removed> removed;  // what a deletion took away, so that it can be put back
};

// What is wrong with a take that is kept all the same (German, for the status line), empty
// when nothing is.
QString doubts(const Hearing& hearing);

// Keeps a take: a take without a spoken word in it is refused; an existing recording is
// replaced only when the teacher says yes; the take is trimmed, normalised and written
// beside the picture. After a word's new recording is in place, the word's other
// recordings of that kind (Hund.wav beside a new Hund.ogg) are removed, so that the game
// plays the new one. A folder that cannot be written is named, and the old recording stays.
Result keep(const Entry& entry, Kind kind, const platform::Sound& take);
// Removes every recording of the word (word and syllables) once the teacher says yes.
Result remove(const Entry& entry);
// Puts deleted recordings back where no recording of that name has come since.
Result restore(const QString& word, const QList<Removed>& removed);

}  // namespace takes
