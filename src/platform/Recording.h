// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include "platform/Sound.h"

namespace platform {

// Reads a recording (WAV, Ogg Vorbis, FLAC: whatever libsndfile reads) into samples.
// Empty when the file is missing, damaged, holds no samples or only silence. Recordings
// longer than a minute are cut at a minute.
Sound readRecording(const QString& path);

}  // namespace platform
