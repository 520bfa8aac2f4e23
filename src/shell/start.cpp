// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/start.h"

#include "game/AssetPaths.h"
#include "platform/system/Console.h"
#include "platform/files/Files.h"
#include "platform/ui/Form.h"
#include "platform/ui/MessageBox.h"
#include "platform/start/Run.h"
#include "raeuber/frmRaeuber.h"
#include "shell/Launch.h"
#include "shell/TeacherHelp.h"
#include "shell/frmAufnahme.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmLehrer.h"
#include "shell/frmSplash.h"

namespace shell {

void registerForms() {
    platform::registerForm(QStringLiteral("frmSplash"), [] { return new frmSplash; });
    platform::registerForm(QStringLiteral("frmAuswahlmenü"), [] { return new frmAuswahlmenü; });
    platform::registerForm(QStringLiteral("frmRaeuber"), [] { return new frmRaeuber; });
    platform::registerForm(QStringLiteral("frmAufnahme"), [] { return new frmAufnahme; });
    platform::registerForm(QStringLiteral("frmLehrer"), [] { return new frmLehrer; });
    platform::registerForm(QStringLiteral("frmHandbuch"), [] { return new frmHandbuch; });
    // After a game the menu comes back.
    frmRaeuber::followingForm = []() -> platform::Form& { return frmAuswahlmenü::Default(); };
}

platform::Form& startupForm() { return frmSplash::Default(); }

QString otherWordsText(const QString& runningWords, const QString& ownWords) {
    return QStringLiteral("Das Spiel läuft schon, mit seinen eigenen Wörtern aus dem Ordner %1; es ist jetzt "
                          "wieder vorne. Die Wörter aus dem Ordner %2 nimmt es erst nach einem neuen Start: "
                          "Beenden Sie das laufende Spiel und starten Sie es dann noch einmal.")
        .arg(runningWords, ownWords);
}

QString otherCopySilentText() {
    return QStringLiteral("knorzelbart: Das Spiel läuft schon, antwortet aber nicht (es hängt oder ist "
                          "angehalten). Dieses Fenster startet trotzdem.");
}

void tellOtherWordsRun(const QString& runningWords, const QString& ownWords, bool fromTerminal) {
    const QString text = otherWordsText(runningWords, ownWords);
    platform::writeErr(QStringLiteral("knorzelbart: ") + text + QLatin1Char('\n'));
    if (!fromTerminal) platform::MsgBox(text);
}

int start(int argc, char* argv[]) {
    registerForms();
    platform::OtherCopy otherCopy;
    otherCopy.words = [] { return platform::resolvePath(assetpaths::dbFolder()); };
    otherCopy.runsOtherWords = [](const QString& running, const QString& own) {
        tellOtherWordsRun(running, own, platform::startedFromTerminal());
    };
    otherCopy.otherSilent = [] { platform::writeErr(otherCopySilentText() + QLatin1Char('\n')); };
    return launch(
        argc, argv,
        [otherCopy](int count, char** values) {
            return platform::run(
                count, values,
                []() -> platform::Form& {
                    installHelpKey();
                    return startupForm();
                },
                otherCopy);
        },
        [](int count, char** values, const QString& folder) {
            // The recording window is no game: it may run beside one.
            return platform::run(
                count, values,
                [folder]() -> platform::Form& {
                    installHelpKey();
                    return frmAufnahme::forFolder(folder);
                },
                {}, false);
        });
}

}  // namespace shell
