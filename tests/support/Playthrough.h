// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <functional>
#include <vector>

class frmRaeuber;

namespace testsupport {

// Makes the next `count` draws of the picture database follow a fixed sequence, after
// `first` (the draws a test steers itself), so that a whole game runs the same every time.
void queueFixedChance(const std::vector<float>& first = {}, int count = 300);

// A step of a game played to its end; `step` names it for the report.
using StepHook = std::function<void(const QString& step)>;

// Plays one game from the current word to its end message: on a victory `wrongFirst` wrong
// words and then fifteen right ones, on a defeat wrong words until the level's last one.
// Calls `afterStep` after every word and every end tick. Returns the end message's text.
QString playToVictory(frmRaeuber& game, int wrongFirst, const StepHook& afterStep = {});
QString playToDefeat(frmRaeuber& game, const StepHook& afterStep = {});

}  // namespace testsupport
