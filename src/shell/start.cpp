#include "shell/start.h"

#include "game/modGlobalVars.h"
#include "platform/Form.h"
#include "platform/Run.h"
#include "screen/frmRaeuber.h"

namespace shell {

void registerForms() {
    platform::registerForm(QStringLiteral("frmRaeuber"), [] { return new frmRaeuber; });
}

int start(int argc, char* argv[]) {
    registerForms();
    // Until the menu exists the game starts directly on level 1.
    modGlobalVars::playerName = QStringLiteral("Kind");
    modGlobalVars::skillLevel = 1;
    modGlobalVars::maxWrongWords = 15;
    modGlobalVars::robberStepScale = 1;
    return platform::run(argc, argv, QStringLiteral("frmRaeuber"));
}

}  // namespace shell
