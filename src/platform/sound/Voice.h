// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

#include "platform/sound/Sound.h"

namespace platform {

// A German voice synthesised in this process (espeak-ng's library), a little slower than
// espeak's own pace so that six-year-olds can follow. The voice is loaded on first use;
// each function may be called from any thread.

// Loads the voice if that has not been tried yet; whether it can speak.
bool voiceAvailable();

// The samples for a text. Text inside [[ ]] is espeak phoneme notation, as
// `espeak-ng -v de -x` prints it. Empty when there is no voice.
Sound synthesize(const QString& text);

// The texts one after another, each said on its own with `pauseMs` of silence between
// them (the voice's own silence before and after each text is cut off). Empty when there
// is no voice.
Sound synthesizeWithPauses(const QStringList& texts, int pauseMs);

// The phonemes the voice would say for a text, in the notation above.
QString phonemesOf(const QString& text);

}  // namespace platform
