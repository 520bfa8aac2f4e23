// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include "platform/sound/Sound.h"
#include "platform/files/TextFile.h"

namespace platform {

// Reads a recording (WAV, Ogg Vorbis, FLAC: whatever libsndfile reads) into samples.
// Empty when the file is missing, damaged, holds no samples or only silence. Recordings
// longer than a minute are cut at a minute.
Sound readRecording(const QString& path);

// The length in seconds of a recording, from its header alone; 0 when it cannot be read.
double recordingSeconds(const QString& path);

// Writes the sound as Ogg Vorbis to `path`: first into a hidden temporary file beside it
// (".Hund.ogg.Ab12Cd.tmp", a new file under a name nobody can guess, never through a
// link), which is then renamed over `path`, so that a recording already there is replaced
// whole or not at all. Returns an empty text, or why it failed (German, e.g. "keine
// Schreibrechte"); on failure the temporary file is gone and `path` is as it was. Any
// length is written (the encoder gets it in blocks).
QString writeOggVorbis(const QString& path, const Sound& sound);

// Temporary files of this writer that a killed program left in `folder`, older than
// kStaleTemporarySeconds (TextFile.h) and this user's own, are removed (writeOggVorbis does this first).
void removeStaleTemporaries(const QString& folder);

}  // namespace platform
