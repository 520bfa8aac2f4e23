// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's room, page Einstellungen: the settings as they are in force, each changed
// here into her own settings file; a setting the school locked cannot be changed.
#include "game/Options.h"
#include "platform/ui/Dialogs.h"
#include "raeuber/frmRaeuber.h"
#include "platform/system/PinHash.h"
#include "shell/Settings.h"
#include "shell/TeacherSettingsFile.h"
#include "shell/frmLehrer.h"

namespace {

const QString kLocked = QStringLiteral("von der Schule festgelegt");
const QString kGivenAtStart = QStringLiteral("für diesen Start beim Aufruf angegeben");

// When a change holds in this run: the game takes it with its next word; full screen when
// the next game opens, since a window does not change its size under a child's hands.
QString whenItHolds(const QString& key) {
    if (key == QLatin1String("vollbild")) return QStringLiteral("ab dem nächsten Spiel");
    if (key == QLatin1String("lehrerpin")) return QStringLiteral("ab sofort");
    return QStringLiteral("ab dem nächsten Wort");
}

void setOption(const QString& key, const QString& value, options::Options& o) {
    if (key == QLatin1String("sprache")) settings::parseSpeech(value, o.speech);
    else if (key == QLatin1String("buchstabentasten")) settings::parseLetterKeys(value, o.letterKeys);
    else if (key == QLatin1String("silben")) settings::parseYesNo(value, o.syllables);
    else if (key == QLatin1String("anlauthilfe")) settings::parseYesNo(value, o.soundHelp);
    else if (key == QLatin1String("vollbild")) settings::parseYesNo(value, o.fullScreen);
    else if (key == QLatin1String("lehrerpin")) o.teacherPin = value;
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
        const QString name = QStringLiteral("lbl") + control->objectName().mid(3);
        auto* what = findChild<platform::Label*>(name);
        const bool locked = locked_.contains(QString::fromLatin1(key));
        // Given on the command line: it holds for this start, a change from the next.
        if (what && !locked && o.setForThisStart.contains(QString::fromLatin1(key)) &&
            !what->Caption().endsWith(kGivenAtStart))
            what->setCaption(what->Caption() + QStringLiteral(" – ") + kGivenAtStart);
        control->setEnabled(!locked);
        if (!locked) continue;
        if (what && !what->Caption().endsWith(kLocked))
            what->setCaption(what->Caption() + QStringLiteral(" – ") + kLocked);
        control->setToolTip(kLocked);
        control->setAccessibleDescription(kLocked);
    }
}

void frmLehrer::sayOnSettings(const QString& text) {
    lblEinstellungenStatus->setCaption(text);
    announcer_->announce(text);
}

// The change is kept in her file and holds in this run from the next word on; a setting
// given on the command line holds for this start, and the change from the next start.
void frmLehrer::changeSetting(const QString& key, const QString& value) {
    if (locked_.contains(key)) {
        showSettings();
        sayOnSettings(QStringLiteral("Diese Einstellung ist %1.").arg(kLocked));
        return;
    }
    const bool givenAtStart = options::current().setForThisStart.contains(key);
    if (!givenAtStart) setOption(key, value, options::current());
    const QString path = settings::defaultFiles().user;
    const QString failure = settings::store(path, key, value.isEmpty() ? QStringList() : QStringList{value});
    if (failure.isEmpty() && givenAtStart)
        sayOnSettings(QStringLiteral("Gespeichert in %1. Für diesen Start gilt, was beim Aufruf des Spiels angegeben "
                                     "wurde; die Änderung gilt ab dem nächsten Start.")
                          .arg(path));
    else if (failure.isEmpty())
        sayOnSettings(QStringLiteral("Gespeichert in %1. Das gilt %2.").arg(path, whenItHolds(key)));
    else if (givenAtStart)
        sayOnSettings(QStringLiteral("Nicht gespeichert: %1. Die Änderung gilt nicht.").arg(failure));
    else
        sayOnSettings(QStringLiteral("Nicht gespeichert: %1. Die Änderung gilt nur, bis das Spiel beendet wird.")
                          .arg(failure));
}

void frmLehrer::cmdPin_Click() {
    const std::optional<QString> pin =
        platform::askSecret(this, QStringLiteral("Neue PIN für die Seiten für Lehrkräfte (leer: keine PIN):"));
    if (!pin) return;
    if (!settings::storable(*pin) || pin->contains(QLatin1Char(' '))) {
        sayOnSettings(QStringLiteral("Eine PIN besteht aus Ziffern oder Buchstaben ohne Leerzeichen."));
        return;
    }
    // Her settings file may be read by others: the PIN is kept hashed, never as typed.
    changeSetting(QStringLiteral("lehrerpin"), pin->isEmpty() ? QString() : platform::hashedPin(*pin));
}
