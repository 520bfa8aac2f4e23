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

// Why a name cannot serve (the teacher's check says it in words); None when it can.
enum class NameFault {
    None,
    Hidden,       // begins with a dot
    Foreign,      // a system file of another program (thumbs.db, desktop.ini)
    NoExtension,  // no extension, or a dot at the end
    NoWord,       // nothing before the extension
    TooLong,      // more characters than letter boxes
    Untypeable,   // characters a keyboard does not type, or a blank at either end
};
NameFault nameFault(const QString& fileName);

// The folder a picture lies in, as its path is written: everything before the last
// separator, empty for a bare name. In a path the game composes a backslash separates as
// well as a slash ("…\db\Hund.png" gives "…\db"); a backslash that is part of a folder's
// name is written there as platform::literalPath writes it.
QString folderOf(const QString& picture);
// The picture's file name: everything after that separator.
QString fileNameOf(const QString& picture);

}  // namespace words
