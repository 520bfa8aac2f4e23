// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

namespace platform {

// Writes text (UTF-8) to standard output or standard error, as it is; no line end added.
void writeOut(const QString& text);
void writeErr(const QString& text);

// Whether standard input or standard error is a terminal: false when the program was
// started from the desktop (a menu entry, an icon), where nobody reads standard error.
bool startedFromTerminal();

// The program's arguments as the system gave them (argv[0] left out), decoded from the
// locale's encoding.
QStringList arguments(int argc, char* argv[]);

// The value of an environment variable; empty when it is not set.
QString environment(const char* name);

}  // namespace platform
