// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Invariants.h"

#include <QStringList>

#include "game/Words.h"
#include "game/modGlobalVars.h"
#include "raeuber/frmRaeuber.h"

namespace testsupport {

QString brokenInvariants(const frmRaeuber& game) {
    using namespace modGlobalVars;
    QStringList broken;
    const auto rule = [&broken](bool holds, const QString& text) {
        if (!holds) broken << text;
    };

    rule(correctCount >= 0 && correctCount <= 15, QStringLiteral("correctCount %1").arg(correctCount));
    rule(wrongCount >= 0 && wrongCount <= maxWrongWords && wrongCount <= 15,
         QStringLiteral("wrongCount %1 of %2").arg(wrongCount).arg(maxWrongWords));
    rule(revealPos >= 0 && revealPos <= wordLength, QStringLiteral("revealPos %1").arg(revealPos));

    // The picture list: element 0 unused, elements 1..imageCount are names.
    rule(imageCount >= 0, QStringLiteral("imageCount %1").arg(imageCount));
    rule(imageNames.isEmpty() ? imageCount == 0 : imageNames.size() == imageCount + 1,
         QStringLiteral("imageCount %1, list of %2").arg(imageCount).arg(imageNames.size()));

    // The word in play is the word of the current picture, letter by letter.
    if (!currentWord.isEmpty()) {
        rule(imageIndex >= 1 && imageIndex <= imageCount, QStringLiteral("imageIndex %1").arg(imageIndex));
        if (imageIndex >= 1 && imageIndex < imageNames.size())
            rule(words::fromFileName(imageNames.at(imageIndex)) == currentWord,
                 QStringLiteral("word %1 is not the picture %2").arg(currentWord, imageNames.at(imageIndex)));
        rule(wordLength == currentWord.size() && wordLength >= 1 && wordLength <= 15,
             QStringLiteral("wordLength %1 for %2").arg(wordLength).arg(currentWord));
        for (int i = 0; i < 15; ++i) {
            const QString expected = i < wordLength ? currentWord.mid(i, 1) : QString();
            rule(wordLetters[i] == expected, QStringLiteral("wordLetters(%1) = %2").arg(i).arg(wordLetters[i]));
        }
    }
    rule(wordLetters[15].isEmpty(), QStringLiteral("wordLetters(15) was written"));

    // Boxes: only the word's boxes are shown; an open box is one of them.
    for (int i = 0; i < 15; ++i) {
        const auto* box = game.LetterInput[i];
        if (!currentWord.isEmpty() && i >= wordLength)
            rule(box->isHidden(), QStringLiteral("box %1 shown beyond the word").arg(i));
        if (!box->Locked())
            rule(!box->isHidden() && i < qMax(wordLength, 1), QStringLiteral("hidden box %1 is open").arg(i));
        rule(box->Text().size() <= 1 || wordFailed,
             QStringLiteral("box %1 holds %2").arg(i).arg(box->Text()));
    }

    // Nothing can be typed while the assistant reacts, the reveal runs or an end sequence
    // shows its pictures.
    const bool busy = game.tmr_assistantResize->Enabled() || game.tmr_assistantAnimation->Enabled() ||
                      game.tmr_display->Enabled() ||
                      ((game.tmrGewonnen->Enabled() || game.tmrVerloren->Enabled()) && endFrame > 0);
    if (busy) {
        for (int i = 0; i < 15; ++i)
            rule(game.LetterInput[i]->Locked(), QStringLiteral("box %1 open during a reaction").arg(i));
    }
    rule(!(game.tmr_assistantResize->Enabled() && game.tmr_assistantAnimation->Enabled()),
         QStringLiteral("both assistant timers run"));
    rule(!(game.tmrGewonnen->Enabled() && game.tmrVerloren->Enabled()), QStringLiteral("victory and defeat at once"));

    // Ticks and crosses count the words.
    int ticks = 0, crosses = 0;
    for (int i = 0; i < 15; ++i) {
        ticks += game.img_correct[i]->isHidden() ? 0 : 1;
        crosses += game.img_wrong[i]->isHidden() ? 0 : 1;
    }
    rule(ticks == correctCount, QStringLiteral("%1 ticks for %2 right words").arg(ticks).arg(correctCount));
    rule(crosses == qMin(wrongCount, 15), QStringLiteral("%1 crosses for %2 wrong words").arg(crosses).arg(wrongCount));
    rule(game.imgRäuber->Left() >= robberStartLeft - 0.5, QStringLiteral("robber behind its start"));

    return broken.join(QLatin1Char('\n'));
}

}  // namespace testsupport
