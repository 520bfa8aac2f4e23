// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

namespace platform {

// The UTF-8 text of a file compiled into the program (a ":/" resource path); empty when
// there is none.
QString compiledInText(const QString& resourcePath);

}  // namespace platform
