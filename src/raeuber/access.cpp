// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader learns about the game screen: a German name for every control, the
// marks as counts, the robber's way, the word's picture (its word only while the preview
// shows it), and what is said at each moment: a new word, a tick, the reveal of a failed
// word, the robber's step. Every message goes through announce(); none carries the word
// while the child must write it from memory.
#include "game/Speech.h"
#include "game/modGlobalVars.h"
#include "platform/Events.h"
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

}  // namespace

void frmRaeuber::buildAccessibility() {
    platform::presentAsWindow(this);
    announcer = std::make_unique<platform::Announcer>(this);
    // A window that appears floods the screen reader with news of its controls, and it
    // drops messages in a flood: the first word is told a second later.
    tmr_announceWord = std::make_unique<platform::Timer>(nullptr, "tmr_announceWord", 1000, [this] {
        tmr_announceWord->setEnabled(false);
        if (isVisible()) announceNewWord();
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

// A new word: the focus moves into boxes the screen reader has seen before, so it is told.
void frmRaeuber::announceNewWord() {
    QString message = QStringLiteral("Neues Wort: ") + letters(wordLength) + QStringLiteral(".");
    if (speech::speechAvailable(currentPicture())) message += QStringLiteral(" Mit F2 hörst du das Wort.");
    announce(message);
}

// The reveal shows the word anyway: now it may be said, with the cross it earns.
void frmRaeuber::announceReveal() {
    announce(QStringLiteral("Falsch. Das Wort heißt ") + currentWord + QStringLiteral(". falsch: %1").arg(wrongCount + 1));
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

    int boxes = 0;
    for (int i = 0; i < rules::kLetterBoxes; ++i)
        if (!LetterInput[i]->isHidden()) boxes = i + 1;
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
