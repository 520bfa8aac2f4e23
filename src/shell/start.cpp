// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/start.h"

#include "platform/Form.h"
#include "platform/Run.h"
#include "raeuber/frmRaeuber.h"
#include "shell/Launch.h"
#include "shell/frmAufnahme.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmSplash.h"

namespace shell {

void registerForms() {
    platform::registerForm(QStringLiteral("frmSplash"), [] { return new frmSplash; });
    platform::registerForm(QStringLiteral("frmAuswahlmenü"), [] { return new frmAuswahlmenü; });
    platform::registerForm(QStringLiteral("frmRaeuber"), [] { return new frmRaeuber; });
    platform::registerForm(QStringLiteral("frmAufnahme"), [] { return new frmAufnahme; });
    // After a game the menu comes back.
    frmRaeuber::followingForm = []() -> platform::Form& { return frmAuswahlmenü::Default(); };
}

platform::Form& startupForm() { return frmSplash::Default(); }

int start(int argc, char* argv[]) {
    registerForms();
    return launch(
        argc, argv, [](int count, char** values) { return platform::run(count, values, startupForm); },
        [](int count, char** values, const QString& folder) {
            frmAufnahme::folder = folder;
            // The recording window is no game: it may run beside one.
            return platform::run(count, values, [] () -> platform::Form& { return frmAufnahme::Default(); }, false);
        });
}

}  // namespace shell
