// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's room, page Einstellungen: the settings as they are in force, each changed
// here into her own settings file; a setting the school locked cannot be changed.
#include "game/Options.h"
#include "platform/ui/Dialogs.h"
#include "raeuber/frmRaeuber.h"
#include "shell/Settings.h"
#include "shell/TeacherSettingsFile.h"
#include "shell/frmLehrer.h"

namespace {

const QString kLocked = QStringLiteral("von der Schule festgelegt");

// Settings the game's window is built with: once it is built they hold from the next start.
// The menu's name keys are built with the menu, which is there whenever the room is.
bool holdsFromNextStart(const QString& key) {
    if (key == QLatin1String("buchstabentasten")) return true;
    const bool builtIn = key == QLatin1String("silben") || key == QLatin1String("anlauthilfe") ||
                         key == QLatin1String("vollbild");
    return builtIn && frmRaeuber::Existing();
}

}  // namespace

void frmLehrer::showSettings() {
    locked_ = settings::lockedKeys(settings::defaultFiles());
    const options::Options& o = options::current();
    cboSprache->setChoice(int(o.speech));
    chkSilben->setValue(o.syllables);
    chkAnlauthilfe->setValue(o.soundHelp);
    cboBuchstabentasten->setChoice(int(o.letterKeys));
    chkVollbild->setValue(o.fullScreen);
    const QList<std::pair<QWidget*, const char*>> controls = {
        {cboSprache, "sprache"},   {chkSilben, "silben"},   {chkAnlauthilfe, "anlauthilfe"},
        {cboBuchstabentasten, "buchstabentasten"}, {chkVollbild, "vollbild"}, {cmdPin, "lehrerpin"}};
    for (const auto& [control, key] : controls) {
        const bool locked = locked_.contains(QString::fromLatin1(key));
        control->setEnabled(!locked);
        if (!locked) continue;
        const QString name = QStringLiteral("lbl") + control->objectName().mid(3);
        if (auto* what = findChild<platform::Label*>(name); what && !what->Caption().endsWith(kLocked))
            what->setCaption(what->Caption() + QStringLiteral(" – ") + kLocked);
        control->setToolTip(kLocked);
        control->setAccessibleDescription(kLocked);
    }
}

void frmLehrer::sayOnSettings(const QString& text) {
    lblEinstellungenStatus->setCaption(text);
    announcer_->announce(text);
}

// The change is kept in her file and holds in this run from the next word on, or from the
// next start for what the game's window is built with.
void frmLehrer::changeSetting(const QString& key, const QString& value) {
    if (locked_.contains(key)) {
        showSettings();
        sayOnSettings(QStringLiteral("Diese Einstellung ist %1.").arg(kLocked));
        return;
    }
    const bool later = holdsFromNextStart(key);
    options::Options now = options::current();
    options::Options& o = later ? now : options::current();
    if (key == QLatin1String("sprache")) settings::parseSpeech(value, o.speech);
    else if (key == QLatin1String("buchstabentasten")) settings::parseLetterKeys(value, o.letterKeys);
    else if (key == QLatin1String("silben")) settings::parseYesNo(value, o.syllables);
    else if (key == QLatin1String("anlauthilfe")) settings::parseYesNo(value, o.soundHelp);
    else if (key == QLatin1String("vollbild")) settings::parseYesNo(value, o.fullScreen);
    else if (key == QLatin1String("lehrerpin")) o.teacherPin = value;
    const QString path = settings::defaultFiles().user;
    const QString failure = settings::store(path, key, value.isEmpty() ? QStringList() : QStringList{value});
    const QString when = later ? QStringLiteral("ab dem nächsten Start des Spiels") : QStringLiteral("ab dem nächsten Wort");
    if (failure.isEmpty())
        sayOnSettings(QStringLiteral("Gespeichert in %1. Das gilt %2.").arg(path, when));
    else if (later)
        sayOnSettings(QStringLiteral("Nicht gespeichert: %1. Die Änderung gilt nicht.").arg(failure));
    else
        sayOnSettings(QStringLiteral("Nicht gespeichert: %1. Die Änderung gilt nur, bis das Spiel beendet wird.")
                          .arg(failure));
}

void frmLehrer::cmdPin_Click() {
    const std::optional<QString> pin =
        platform::askSecret(this, QStringLiteral("Neue PIN für die Seiten der Lehrkräfte (leer: keine PIN):"));
    if (!pin) return;
    if (!settings::storable(*pin) || pin->contains(QLatin1Char(' '))) {
        sayOnSettings(QStringLiteral("Eine PIN besteht aus Ziffern oder Buchstaben ohne Leerzeichen."));
        return;
    }
    changeSetting(QStringLiteral("lehrerpin"), *pin);
}
