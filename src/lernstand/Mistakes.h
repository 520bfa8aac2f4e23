// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The kind of a spelling mistake, told from the letter a child wrote in place of the right
// one at the first wrong box.
namespace lernstand {

enum class Mistake {
    Capital,        // Groß- und Kleinschreibung
    Umlaut,         // ä ö ü
    Double,         // doppelter Mitlaut
    IeEi,           // ie / ei
    CkTz,           // ck / tz
    HardEnd,        // b/p, d/t, g/k am Ende
    SharpS,         // ß / s
    LeftOut,        // ein Buchstabe ausgelassen
    Other,
};
constexpr int kMistakeKinds = 9;

Mistake classify(const QString& word, int box, const QString& written);
// The kind in plain German, for the teacher.
QString mistakeName(Mistake kind);

}  // namespace lernstand
