// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/files/RecordFiles.h"
#include <QString>

// Files about children that only their owner may read (the class list). Writing one:
// writePrivateFile; renaming one, never over another: renameRecordFile (RecordFiles.h).
namespace platform {

// The file's permission bits (0600 ...); -1 when it cannot be asked.
int fileMode(const QString& path);

}  // namespace platform
