// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The teacher's PIN as it is kept in a settings file that others may read: never the PIN
// itself, but "pbkdf2-sha256$ROUNDS$SALT$HASH" (PBKDF2 with HMAC-SHA-256, a random salt of
// its own for every value, salt and hash in base64). A PIN an administrator wrote in plain
// by hand is still accepted.
namespace platform {

// The kept form of a PIN, with a new random salt.
QString hashedPin(const QString& pin);
// Whether a kept value is in the hashed form (else it is a PIN written in plain).
bool isHashedPin(const QString& kept);
// Whether the PIN typed is the one kept (hashed or plain). The comparison takes the same
// time wherever the two differ. A hashed value that is damaged matches nothing.
bool pinMatches(const QString& typed, const QString& kept);
// Reads a PIN from standard input: without showing it when that is a terminal (the prompt
// goes to standard error then). Empty when nothing could be read.
QString readPinQuietly(const QString& prompt);

}  // namespace platform
