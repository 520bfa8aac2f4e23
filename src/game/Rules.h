// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The numbers of the game's rules, each written once.
namespace rules {

// Letter boxes in the row, and so the longest word.
inline constexpr int kLetterBoxes = 15;
// Ticks and crosses in their rows; fifteen right words win.
inline constexpr int kMarks = 15;
inline constexpr int kWordsToWin = 15;

// A level of the menu: what it stores for the game.
struct Level {
    int skillLevel;       // 1: the preview stays; 2 and 3: it hides after three seconds
    int robberStepScale;  // every robber step is this many times as long
    int maxWrongWords;    // the wrong word that loses the game
};
inline constexpr Level kLevels[3] = {{1, 1, 15}, {2, 1, 15}, {3, 3, 5}};

}  // namespace rules
