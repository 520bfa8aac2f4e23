// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

namespace platform {

// Writes text (UTF-8) to standard output or standard error, as it is; no line end added.
void writeOut(const QString& text);
void writeErr(const QString& text);

// The program's arguments as the system gave them (argv[0] left out), decoded from the
// locale's encoding.
QStringList arguments(int argc, char* argv[]);

// The value of an environment variable; empty when it is not set.
QString environment(const char* name);

}  // namespace platform
