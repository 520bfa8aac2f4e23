// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader learns about the game screen: a German name for every control, the
// marks as counts, the robber's way, the word's picture (its word only while the preview
// shows it), and announcements of a tick and a cross.
#include "game/modGlobalVars.h"
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

}  // namespace

void frmRaeuber::buildAccessibility() {
    platform::presentAsWindow(this);
    announcer = std::make_unique<platform::Announcer>(this);

    describe(cmdReset, QStringLiteral("Ende"), QStringLiteral("Beendet das Spiel und zeigt wieder die Auswahl"));
    describe(lbl_hidePic, QStringLiteral("Bild verdeckt"));
    describe(imgSpeaker, QStringLiteral("Wort anhören"), QStringLiteral("Sagt das Wort zum Bild (Taste F2)"));
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
            announcer->announce(QStringLiteral("Richtig! ") + lbl_right->accessibleName());
        });
        platform::onShown(img_wrong[i], [this] {
            updateAccessibleTexts();
            announcer->announce(QStringLiteral("Falsch. Das Wort heißt ") + currentWord +
                                QStringLiteral(". ") + lbl_wrong->accessibleName());
        });
    }

    QList<QWidget*> watched{lbl_wordPreview, imgRäuber, lbl_hidePic};
    for (int i = 0; i < rules::kLetterBoxes; ++i) watched << LetterInput[i];
    for (int i = 0; i < rules::kMarks; ++i) watched << img_correct[i] << img_wrong[i];
    platform::onChanges(watched, [this] { updateAccessibleTexts(); });
    updateAccessibleTexts();
}

void frmRaeuber::updateAccessibleTexts() {
    describe(lbl_right, QStringLiteral("richtig: %1 von %2").arg(shownCount(img_correct)).arg(rules::kWordsToWin));
    describe(lbl_wrong, QStringLiteral("falsch: %1").arg(shownCount(img_wrong)));

    int boxes = 0;
    for (int i = 0; i < rules::kLetterBoxes; ++i)
        if (!LetterInput[i]->isHidden()) boxes = i + 1;
    for (int i = 0; i < rules::kLetterBoxes; ++i)
        describe(LetterInput[i], QStringLiteral("Buchstabe %1 von %2").arg(i + 1).arg(boxes));

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
