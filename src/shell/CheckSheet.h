// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>

#include "shell/Check.h"

namespace check {

// The picture sheet: one HTML page that needs nothing else (pictures inside it), every
// usable picture as big as the child sees it with its word under it, then the files left
// out with their reasons. Ready to print.
QByteArray sheet(const Report& report);

// Whether a file that starts with these bytes is such a sheet (only those are replaced).
bool isSheet(const QString& start);

}  // namespace check
