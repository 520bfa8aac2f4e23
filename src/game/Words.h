#pragma once
#include <QString>

namespace words {

// The word a picture file stands for: the name (Unicode NFC) without its last extension,
// first character upper-cased by the system's case mapping, the rest as in the name.
// "äpfel.gif" → "Äpfel", "BAUM.gif" → "BAUM", "Apfel.jpeg" → "Apfel".
QString fromFileName(const QString& fileName);

// Whether a folder entry can serve as a word picture by its name alone: not hidden, with an
// extension, a word of 1 to 15 printable characters, not a system file of another program.
bool nameCanBeWord(const QString& fileName);

}  // namespace words
