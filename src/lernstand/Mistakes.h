// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The kind of a spelling mistake, told from the first wrong box and the letter a child
// wrote there (all the record keeps).
namespace lernstand {

enum class Mistake {
    Capital,        // Groß- und Kleinschreibung
    Umlaut,         // ä/e, äu/eu, ä/a, ö/o, ü/u
    Double,         // doppelter Mitlaut, vergessen oder zu viel
    IeEi,           // ie (und ei)
    CkTz,           // ck/k, tz/z
    HardEnd,        // b/p, d/t, g/k am Wortende
    SharpS,         // ß, s, ss
    LeftOut,        // ein Buchstabe ausgelassen
    VF,             // v/f
    Added,          // ein Buchstabe zu viel
    Other,
};
constexpr int kMistakeKinds = 11;

Mistake classify(const QString& word, int box, const QString& written);
// The kind in plain German, for the teacher.
QString mistakeName(Mistake kind);

}  // namespace lernstand
