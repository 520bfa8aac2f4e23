// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Playthrough.h"

#include "game/modGlobalVars.h"
#include "mock/TestMode.h"
#include "platform/ui/MessageBox.h"
#include "platform/system/Random.h"
#include "raeuber/frmRaeuber.h"
#include "support/GameFixture.h"

namespace testsupport {

namespace {

void step(const StepHook& hook, const QString& name) {
    if (hook) hook(name);
}

// Runs the end sequence until its message has been shown.
QString finishEndSequence(const StepHook& afterStep) {
    const qsizetype before = platform::shownMessages().size();
    for (int t = 0; t < 10000 && platform::shownMessages().size() == before; t += 250) {
        runFor(250);
        step(afterStep, QStringLiteral("end tick at %1 ms").arg(t));
    }
    return platform::shownMessages().size() > before ? platform::shownMessages().last().text : QString();
}

}  // namespace

void queueFixedChance(const std::vector<float>& first, int count) {
    std::vector<float> numbers = first;
    quint32 state = 20240611u;
    for (int i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        numbers.push_back(static_cast<float>(state >> 8) / 16777216.0f);
    }
    platform::queueRandomNumbers(numbers);
}

QString playToVictory(frmRaeuber& game, int wrongFirst, const StepHook& afterStep) {
    for (int i = 0; i < wrongFirst; ++i) {
        playWordWrong(game);
        step(afterStep, QStringLiteral("wrong word %1").arg(i + 1));
    }
    while (modGlobalVars::correctCount < 15) {
        playWordRight(game);
        step(afterStep, QStringLiteral("right word %1").arg(modGlobalVars::correctCount));
    }
    return finishEndSequence(afterStep);
}

QString playToDefeat(frmRaeuber& game, const StepHook& afterStep) {
    while (modGlobalVars::wrongCount < modGlobalVars::maxWrongWords) {
        playWordWrong(game);
        step(afterStep, QStringLiteral("wrong word %1").arg(modGlobalVars::wrongCount));
    }
    return finishEndSequence(afterStep);
}

}  // namespace testsupport
