#pragma once
#include <QString>
#include <functional>

class frmRaeuber;

namespace testsupport {

// Registers a plain window under the menu's name, so that a game's end has a menu to
// return to. Call it before the ProgramFolder: the shell's own menu, once it registers
// one, takes its place.
void standInForMenu();

// A step of a game played to its end; `step` names it for the report.
using StepHook = std::function<void(const QString& step)>;

// Plays one game from the current word to its end message: on a victory `wrongFirst` wrong
// words and then fifteen right ones, on a defeat wrong words until the level's last one.
// Calls `afterStep` after every word and every end tick. Returns the end message's text.
QString playToVictory(frmRaeuber& game, int wrongFirst, const StepHook& afterStep = {});
QString playToDefeat(frmRaeuber& game, const StepHook& afterStep = {});

}  // namespace testsupport
