// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

#include "platform/Sound.h"

// The teacher's own recordings of a vocabulary: which words a folder has, where their
// recordings lie, and what becomes of a take from the microphone before it is kept
// (silence cut at both ends, brought to one loudness, written as Ogg Vorbis beside the
// picture). The recording window is only the buttons around these procedures.
namespace takes {

// A recording of the word itself ("Hund.ogg"), or of the word spoken in syllables
// ("Hund.silben.ogg").
enum class Kind { Word, Syllables };

// How much quiet is kept before the first and after the last sound, and the loudness every
// recording is brought to (its loudest sample, in dB below full scale).
constexpr double kKeptSilenceSeconds = 0.1;
constexpr double kPeakDecibels = -1.0;

struct Entry {
    QString word;     // "Hund"
    QString picture;  // the picture's path, "/srv/klasse1a/Hund.png"
    bool operator==(const Entry&) const = default;
};

// The words of a folder, as the game lists them, one per word (the first picture of a
// word that has several), in alphabetical order. `readable` tells whether the folder
// could be listed.
QList<Entry> wordsOf(const QString& folder, bool* readable = nullptr);

// Where a take of this kind is written: beside the picture, its name with ".ogg" or
// ".silben.ogg" instead of the picture's extension.
QString fileFor(const QString& picture, Kind kind);
// The recordings of this kind that are there, the one the game plays first: for a word
// Hund.wav and Hund.ogg, for its syllables Hund.silben.ogg.
QStringList existing(const QString& picture, Kind kind);
// The length of the recording the game plays, 0 when there is none.
double seconds(const QString& picture, Kind kind);

// Whether the take holds anything louder than the quiet of a room (about -40 dBFS).
bool audible(const platform::Sound& take);
// The take with the silence at both ends cut off, keeping kKeptSilenceSeconds of it.
platform::Sound trimmed(const platform::Sound& take);
// The take made louder or quieter so that its loudest sample lies at kPeakDecibels.
platform::Sound normalised(const platform::Sound& take);

// What became of a take or a deletion: whether a file was written or removed, and the
// German text for the teacher (a message when something went wrong, else a short note).
struct Result {
    bool done = false;
    bool failed = false;  // a message box is due
    QString text;
};

// Keeps a take: silent takes are refused; an existing recording is replaced only when
// the teacher says yes; the take is trimmed, normalised and written beside the picture.
// After a word's new recording is in place, an older Hund.wav is removed, so that the game
// plays the new one. A folder that cannot be written is named; nothing is lost.
Result keep(const Entry& entry, Kind kind, const platform::Sound& take);
// Removes every recording of the word (word and syllables) once the teacher says yes.
Result remove(const Entry& entry);

}  // namespace takes
