#pragma once
#include <QString>

namespace platform {

// The text of a small UTF-8 file (a real path or a compiled-in ":/" resource), with a
// byte-order mark dropped. Empty when it cannot be read; only the first `maxBytes` are read.
QString readTextFile(const QString& path, qint64 maxBytes = 1 << 20);

}  // namespace platform
