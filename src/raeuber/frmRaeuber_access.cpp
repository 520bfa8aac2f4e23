// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader learns about the game screen: a German name for every control, the
// marks as counts, the robber's way, the word's picture (its word only while the preview
// shows it), and what is said at each moment: a new word, a tick, the reveal of a failed
// word, the robber's step. Every message goes through announce(); none carries the word
// while the child must write it from memory.
#include "game/Options.h"
#include "game/Speech.h"
#include "game/modGlobalVars.h"
#include "platform/ui/Events.h"
#include "raeuber/frmRaeuber.h"

using namespace modGlobalVars;
using platform::describe;

namespace {

int shownCount(platform::Image* const* marks) {
    int n = 0;
    for (int i = 0; i < rules::kMarks; ++i)
        if (!marks[i]->isHidden()) ++n;
    return n;
}

QString letters(int n) { return n == 1 ? QStringLiteral("1 Buchstabe") : QStringLiteral("%1 Buchstaben").arg(n); }

// A window that appears floods the screen reader with news of its controls; the boxes of a
// new word bring a smaller burst. A screen reader drops messages in a flood: the word is
// told once the burst has passed.
constexpr int kAfterWindowMs = 1000;
constexpr int kAfterBoxesMs = 500;

}  // namespace

void frmRaeuber::buildAccessibility() {
    platform::presentAsWindow(this);
    announcer = std::make_unique<platform::Announcer>(this);
    tmr_announceWord = std::make_unique<platform::Timer>(nullptr, "tmr_announceWord", kAfterWindowMs, [this] {
        tmr_announceWord->setEnabled(false);
        if (!isVisible()) return;
        announceNewWord();
        sayWordAfterAnnouncement();
    });
    tmr_announceWord->setEnabled(false);

    platform::presentAsButton(cmdReset, [this] { cmdReset->click(); }, QString::fromLatin1(kEndKeys));
    describe(cmdReset, QStringLiteral("Ende"), QStringLiteral("Beendet das Spiel und zeigt wieder die Auswahl"));
    platform::presentAsButton(imgSpeaker, [this] { imgSpeaker_Click(); }, QStringLiteral("F2"));
    describe(imgSpeaker, QStringLiteral("Wort anhören"), QStringLiteral("Sagt das Wort zum Bild"));
    platform::readOnlyWhileShown(lbl_wordPreview);
    platform::presentAsGroup(letterKeys);
    for (QWidget* key : letterKeys->keys()) platform::quietWhenLocked(key);
    describe(letterKeys, QStringLiteral("Buchstabentasten"));
    letterKeys->onSpoken = [this](const QString& what) { announce(what); };
    for (int i = 0; i < rules::kLetterBoxes; ++i) platform::presentAsDecoration(underScore[i]);

    describe(lbl_hidePic, QStringLiteral("Bild verdeckt"));
    describe(imgChest, QStringLiteral("Schatztruhe"));
    describe(mushroom, QStringLiteral("Pilz"));
    describe(imgtree, QStringLiteral("Baum"));
    describe(imgfence, QStringLiteral("Zaun"));
    describe(img_sun, QStringLiteral("Sonne"));
    describe(imgGrass, QStringLiteral("Wiese"));
    describe(img_assistant, QStringLiteral("Helfer"));
    for (int i = 0; i < rules::kMarks; ++i) {
        describe(img_correct[i], QStringLiteral("Haken"));
        describe(img_wrong[i], QStringLiteral("Kreuz"));
        platform::onShown(img_correct[i], [this] {
            updateAccessibleTexts();
            announce(QStringLiteral("Richtig! ") + lbl_right->accessibleName());
        });
    }

    QList<QWidget*> watched{lbl_wordPreview, imgRäuber, lbl_hidePic};
    for (int i = 0; i < rules::kLetterBoxes; ++i) watched << LetterInput[i];
    for (int i = 0; i < rules::kMarks; ++i) watched << img_correct[i] << img_wrong[i];
    platform::onChanges(watched, [this] { updateAccessibleTexts(); });
    updateAccessibleTexts();
}

void frmRaeuber::announce(const QString& message) { announcer->announce(message); }

// A new word is told once, when the burst of its boxes has passed (a first word of a game:
// when the window's has). Asked again before then, the one message waits a little longer.
void frmRaeuber::announceNewWordSoon(bool windowAppears) {
    const int wait = windowAppears ? kAfterWindowMs : kAfterBoxesMs;
    if (tmr_announceWord->Enabled() && tmr_announceWord->Interval() > wait) return;
    tmr_announceWord->setEnabled(false);
    tmr_announceWord->setInterval(wait);
    tmr_announceWord->setEnabled(true);
}

// A new word: the focus moves into boxes the screen reader has seen before, so it is told,
// with the keys that help with it.
void frmRaeuber::announceNewWord() {
    const QString picture = currentPicture();
    QStringList helps;
    if (speech::speechAvailable(picture)) helps << QStringLiteral("F2 hörst du das Wort");
    if (imgSyllables && speech::syllablesAvailable(picture)) helps << QStringLiteral("F3 die Silben");
    if (cmdSoundHelp) helps << QStringLiteral("F4 die Anlaut-Hilfe");
    if (!helps.isEmpty() && !helps.first().startsWith(QStringLiteral("F2")))
        helps.first().insert(3, QStringLiteral("hörst du "));
    QString message = QStringLiteral("Neues Wort: ") + letters(wordLength) + QStringLiteral(".");
    if (!helps.isEmpty()) message += QStringLiteral(" Mit ") + helps.join(QStringLiteral(", mit ")) + QStringLiteral(".");
    announce(message);
}

// The child hears at once that the word is wrong; the word itself waits for the reveal.
void frmRaeuber::announceWrongLetter() { announce(QStringLiteral("Falsch.")); }

// The reveal shows the word anyway: now it may be said, with the cross it earns.
void frmRaeuber::announceReveal() {
    announce(QStringLiteral("Das Wort heißt ") + currentWord + QStringLiteral(". falsch: %1").arg(wrongCount + 1));
}

// After the robber's step the word is to be written from memory again: this message
// replaces the one that said it.
void frmRaeuber::announceRobber() {
    const int steps = std::max(0, std::min(wrongCount, maxWrongWords));
    QString message = steps >= maxWrongWords
                          ? QStringLiteral("Der Räuber ist bei der Schatztruhe.")
                          : QStringLiteral("Der Räuber ist %1 von %2 Schritten gegangen.").arg(steps).arg(maxWrongWords);
    if (!tmrVerloren->Enabled()) message += QStringLiteral(" Noch einmal: ") + letters(wordLength) + QStringLiteral(".");
    announce(message);
}

void frmRaeuber::updateAccessibleTexts() {
    describe(lbl_right, QStringLiteral("richtig: %1 von %2").arg(shownCount(img_correct)).arg(rules::kWordsToWin));
    describe(lbl_wrong, QStringLiteral("falsch: %1").arg(shownCount(img_wrong)));

    // Named by the word's length, not by the boxes shown so far: the boxes of a word are
    // named once, when it is laid out, and appear without renaming each other.
    const int boxes = wordLength;
    for (int i = 0; i < rules::kLetterBoxes; ++i)
        describe(LetterInput[i], i < boxes ? QStringLiteral("Buchstabe %1 von %2").arg(i + 1).arg(boxes) : QString());

    // The picture carries its word only while the preview shows the word anyway.
    const QString word = lbl_wordPreview->Caption();
    if (!lbl_wordPreview->isHidden() && !word.isEmpty())
        describe(imgTerm, QStringLiteral("Bild: ") + word);
    else
        describe(imgTerm, QStringLiteral("Bild zum Wort"), QStringLiteral("Schreibe das Wort zu diesem Bild"));

    const int steps = std::max(0, std::min(wrongCount, maxWrongWords));
    describe(imgRäuber, QStringLiteral("Räuber: %1 von %2 Schritten zur Schatztruhe").arg(steps).arg(maxWrongWords),
             QStringLiteral("Bei jedem falschen Wort läuft der Räuber einen Schritt weiter"));
}
