// SPDX-License-Identifier: GPL-3.0-or-later
// The spoken word: the speaker button and F2, and when the teacher wants the word said
// without asking (automatically, or instead of the written preview in a dictation).
#include "game/Options.h"
#include "game/Speech.h"
#include "game/TeacherNotes.h"
#include "game/modGlobalVars.h"
#include "game/AssetPaths.h"
#include "platform/ui/AccessReader.h"
#include "raeuber/frmRaeuber.h"

using namespace modGlobalVars;

QString frmRaeuber::currentPicture() const {
    if (imageIndex < 1 || imageIndex >= imageNames.size()) return QString();
    return assetpaths::dbPicture(imageNames.at(imageIndex));
}

// Shown when the word can be heard and is to be known: not while the picture is covered.
void frmRaeuber::updateSpeaker() {
    imgSpeaker->setVisible(!lbl_hidePic->Visible() && speech::speechAvailable(currentPicture()));
}

void frmRaeuber::imgSpeaker_Click() {
    if (imgSpeaker->Visible() && Visible()) speech::sayWord(currentPicture());
}

namespace {
bool speaksUnasked() {
    const options::Speech when = options::current().speech;
    return when == options::Speech::Automatic || when == options::Speech::Dictation;
}
}  // namespace

// With a screen reader, a new word that is still to be announced is said after its
// announcement, not under the news of the window and its boxes.
void frmRaeuber::speakIfAutomatic() {
    if (!speaksUnasked()) return;
    if (platform::screenReaderRunning() && tmr_announceWord->Enabled()) {
        wordAwaitsAnnouncement = true;
        return;
    }
    speech::sayWordUnasked(currentPicture());
}

void frmRaeuber::sayWordAfterAnnouncement() {
    if (!wordAwaitsAnnouncement) return;
    wordAwaitsAnnouncement = false;
    speech::sayWordUnasked(currentPicture());
}

// The reveal said the word as it spelt it; the child who spells from hearing hears it again
// when the empty boxes wait for it.
void frmRaeuber::speakRetryIfDictation() {
    if (options::current().speech == options::Speech::Dictation) speech::sayWordUnasked(currentPicture());
}

// A screen reader reads the message as it appears: the voice does not say it as well.
void frmRaeuber::speakMessageIfAutomatic(const QString& text) {
    if (speaksUnasked() && !platform::screenReaderRunning()) speech::sayText(text);
}

// In a dictation the child spells from hearing: the written word is not shown beforehand,
// only spelt by the reveal after a mistake. A dictation that cannot be heard shows the word
// as the levels do without it, and the teacher finds a note about it.
void frmRaeuber::showWordPreview() {
    lbl_wordPreview->setVisible(options::current().speech != options::Speech::Dictation || !dictationHeard());
}

bool frmRaeuber::dictationHeard() const {
    if (speech::speechAvailable(currentPicture())) return true;
    teachernotes::add(teachernotes::Kind::Dictation,
                      QStringLiteral("Im Diktat ist kein Ton zu hören (keine Stimme und keine Aufnahme); "
                                     "die Kinder sehen das Wort darum geschrieben."));
    return false;
}
