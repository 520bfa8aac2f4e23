// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/OnScreenKeys.h"

#include "game/Options.h"
#include "game/Words.h"
#include "game/modGlobalVars.h"
#include "platform/LetterKeys.h"

namespace onscreen {

namespace {

const QString kShift{QChar(platform::LetterKeyboard::kShift)};
const QString kErase{QChar(platform::LetterKeyboard::kErase)};

}  // namespace

bool keysShown() {
    switch (options::current().letterKeys) {
        case options::LetterKeys::Off: return false;
        case options::LetterKeys::On: return true;
        case options::LetterKeys::Automatic: return platform::touchScreenPresent();
    }
    return false;
}

QStringList gameRows() {
    return {QStringLiteral("aäbcdefghijklmnoö"), kShift + QStringLiteral("pqrsßtuüvwxyz- ")};
}

QStringList nameRows() {
    return {QStringLiteral("aäbcdefgh"), QStringLiteral("ijklmnoöp"), QStringLiteral("qrsßtuüvw"),
            QStringLiteral("xyz- ") + kShift + kErase};
}

bool vocabularyNeeds(QChar character) {
    using modGlobalVars::imageNames;
    // Element 0 of the list is never a picture.
    for (int i = 1; i <= modGlobalVars::imageCount && i < imageNames.size(); ++i)
        if (words::fromFileName(imageNames.at(i)).contains(character)) return true;
    return false;
}

}  // namespace onscreen
