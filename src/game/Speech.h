// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

// The word of a picture, spoken: the teacher's recording beside the picture (Hund.wav or
// Hund.ogg for Hund.png) if it can be played, otherwise the built-in voice, which first
// looks the word up in the pronunciation tables (the shipped one, then aussprache.txt in the
// picture's folder, whose entries win). Nothing is spoken when the teacher has switched
// speech off.
namespace speech {

// Speaks the word of a picture (its path as the game composes it) and returns at once; a
// word still being spoken stops.
void sayWord(const QString& picture);
// The same, unasked (the game says a new word by itself): while a screen reader speaks, the
// word waits for it, and a child who types meanwhile has gone on without it, so it is not said.
void sayWordUnasked(const QString& picture);
void stop();
// Speaks a sentence of the game (the end of a game's message) with the built-in voice and
// returns at once.
void sayText(const QString& text);
// Says the word in its syllables with a pause between them ("Ba – na – ne"): the teacher's
// recording Wort.silben.wav or Wort.silben.ogg beside the picture if it can be played,
// otherwise the voice, one syllable at a time.
void saySyllables(const QString& picture);
// Says a short text with the voice ("M wie Maus"); the words of the pictures in `folder`
// are said as the pronunciation tables have them. `voiced`, when given, is what the voice
// is handed instead of `text` (with a sound in phonemes: "[[mmm]] wie Maus").
void sayPhrase(const QString& text, const QStringList& tableWords, const QString& folder,
               const QString& voiced = QString());
// The silence between two syllables the voice says.
constexpr int kSyllablePauseMs = 350;

// Whether the word of this picture can be heard: speech is on, and there is a voice or a
// recording beside the picture.
bool speechAvailable(const QString& picture);
// The same for the word in syllables.
bool syllablesAvailable(const QString& picture);

// Loads the voice on the sound thread, ahead of the first word. Called once the first
// window is painted, never earlier, so that start-up does not wait for it.
void prepare();

// What the voice is given for a word of the pictures in `folder`: the word, or its entry
// in the pronunciation tables.
QString spokenText(const QString& word, const QString& folder);
// What the voice is given for each syllable of the word: its stretch of the whole word's
// phonemes ("[[z'On]]", "[[n@]]"), or, where those cannot be cut, the syllable's text.
QStringList syllablesSpoken(const QString& word, const QString& folder);
// Forgets the tables read from vocabulary folders (tests that rewrite one).
void forgetTables();
// The name of a teacher's pronunciation table beside the pictures, in any letter case.
QString teacherTableName();

}  // namespace speech
