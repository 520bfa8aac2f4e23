// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

namespace words {

// The word a picture file stands for: the name (Unicode NFC) without its last extension,
// first character upper-cased by the system's case mapping, the rest as in the name.
// "äpfel.gif" → "Äpfel", "BAUM.gif" → "BAUM", "Apfel.jpeg" → "Apfel".
QString fromFileName(const QString& fileName);

// Whether a folder entry can serve as a word picture by its name alone: not hidden, with an
// extension, a word of 1 to 15 characters that a keyboard types one per box, not a system
// file of another program. Blanks inside the word and hyphens are typed; a blank at either
// end, any other blank (no-break space and the like), control and format characters (soft
// hyphen, zero-width joiner) and combining marks left over after composing are not.
bool nameCanBeWord(const QString& fileName);

}  // namespace words
