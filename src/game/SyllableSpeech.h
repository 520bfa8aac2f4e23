// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

#include "game/Syllables.h"

// A word said in syllables as they sound inside the word: the voice's phonemes for the
// whole word (its entry in the pronunciation tables applied) are cut where the syllables
// meet, so that "Schne-cke", "Ta-xi" and "Ha-se" keep the sounds they have in the word
// instead of being read as words of their own ("Tse-Ka-E", "römisch elf", "Ha-see").
namespace syllablespeech {

// The phonemes of each syllable, in the voice's notation (without the [[ ]]), from the
// phonemes of the whole word. A consonant said once between two syllables that the
// written word parts ("Son-ne", "Kat-ze") is said at the end of the one and the start of
// the other. Empty when the phonemes do not match the syllables (a word of several parts,
// or as many vowels said as there are syllables not found).
QStringList cut(const QString& word, const QList<syllables::Piece>& pieces, const QString& phonemes);

// The phonemes without stress marks and pauses, for comparing what is said.
QString plain(const QString& phonemes);

}  // namespace syllablespeech
