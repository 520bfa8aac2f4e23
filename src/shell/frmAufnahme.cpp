// SPDX-License-Identifier: GPL-3.0-or-later
// The recording window's procedures: choosing a word, a take from the microphone, playing
// and deleting a recording.
#include "shell/frmAufnahme.h"

#include <QLocale>

#include "game/Options.h"
#include "pictures/AssetPaths.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/Microphone.h"
#include "platform/Recording.h"
#include "platform/Sound.h"

using takes::Kind;

namespace {

QString secondsText(double seconds) {
    return QLocale(QLocale::German, QLocale::Germany).toString(seconds, 'f', 1) + QStringLiteral(" s");
}

}  // namespace

void frmAufnahme::Form_Load() {
    if (folder.isEmpty()) folder = platform::resolvePath(assetPaths::dbFolder());
    lblOrdner->setCaption(QStringLiteral("Ordner: %1").arg(folder));
    // As large as designed, smaller on a small screen; maximised or in full screen the
    // scene grows with the window.
    if (options::current().fullScreen) {
        setFullScreen(true);
    } else {
        const double factor = platform::fittingScale(kWidth, kHeight, false);
        resize(int(kWidth * factor), int(kHeight * factor));
        centerOnScreen();
    }
    fillList();
    lstWoerter->setFocus();
}

void frmAufnahme::Form_Unload(int& Cancel) {
    (void)Cancel;
    // A take that runs when the window closes is dropped, never written half.
    if (recording_) platform::stopMicrophone();
    recording_ = false;
    platform::stopSound();
}

void frmAufnahme::fillList() {
    bool readable = true;
    entries_ = takes::wordsOf(folder, &readable);
    QStringList texts, pictures;
    for (const takes::Entry& entry : entries_) {
        texts.append(rowText(entry));
        pictures.append(entry.picture);
    }
    lstWoerter->setRows(texts, pictures);
    if (!readable)
        setStatus(QStringLiteral("Der Ordner „%1“ kann nicht gelesen werden (fehlt er, oder fehlen die "
                                 "Leserechte?).").arg(folder));
    else if (entries_.isEmpty())
        setStatus(QStringLiteral("Im Ordner „%1“ gibt es keine Bilder, also keine Wörter zum Aufnehmen.").arg(folder));
    if (!entries_.isEmpty()) lstWoerter->setCurrentRow(0);
    showWord();
}

QString frmAufnahme::rowText(const takes::Entry& entry) const {
    const double word = takes::seconds(entry.picture, Kind::Word);
    QString text = entry.word + QStringLiteral(" – ") +
                   (word > 0 ? QStringLiteral("aufgenommen, ") + secondsText(word) : QStringLiteral("keine Aufnahme"));
    if (options::current().syllables) {
        const double syllables = takes::seconds(entry.picture, Kind::Syllables);
        text += syllables > 0 ? QStringLiteral("; Silben ") + secondsText(syllables)
                              : QStringLiteral("; Silben fehlen");
    }
    return text;
}

const takes::Entry* frmAufnahme::current() const {
    const int row = lstWoerter->CurrentRow();
    return row >= 0 && row < entries_.size() ? &entries_[row] : nullptr;
}

void frmAufnahme::showWord() {
    const takes::Entry* entry = current();
    const bool any = entry != nullptr;
    cmdAufnehmen->setEnabled(any);
    cmdSilben->setEnabled(any);
    cmdAnhoeren->setEnabled(any);
    cmdSilbenAnhoeren->setEnabled(any);
    cmdLoeschen->setEnabled(any);
    if (!any) {
        lblWort->setCaption(QString());
        lblLaenge->setCaption(QString());
        imgBild->setPixmapPicture(QPixmap());
        return;
    }
    lblWort->setCaption(entry->word);
    imgBild->setPicture(entry->picture);
    const double word = takes::seconds(entry->picture, Kind::Word);
    QString length = word > 0 ? QStringLiteral("Aufnahme: ") + secondsText(word) : QStringLiteral("Noch keine Aufnahme");
    if (options::current().syllables) {
        const double syllables = takes::seconds(entry->picture, Kind::Syllables);
        length += QLatin1Char('\n') + (syllables > 0 ? QStringLiteral("Silben: ") + secondsText(syllables)
                                                      : QStringLiteral("Noch keine Silben"));
    }
    lblLaenge->setCaption(length);
}

void frmAufnahme::lstWoerter_Change() {
    if (!recording_) showWord();
}

void frmAufnahme::cmdAufnehmen_Click() {
    if (recording_) endTake();
    else startTake(Kind::Word);
}

void frmAufnahme::cmdSilben_Click() {
    if (recording_) endTake();
    else if (options::current().syllables) startTake(Kind::Syllables);
}

void frmAufnahme::startTake(Kind kind) {
    const takes::Entry* entry = current();
    if (!entry) return;
    platform::stopSound();
    const QString failure = platform::startMicrophone();
    if (!failure.isEmpty()) {
        setStatus(QStringLiteral("Keine Aufnahme."));
        platform::MsgBox(failure, platform::MsgIcon::Critical);
        return;
    }
    recording_ = true;
    kind_ = kind;
    takeEntry_ = *entry;
    lockForTake(true);
    tmrPegel->setEnabled(true);
    setStatus(kind == Kind::Word ? QStringLiteral("Aufnahme von „%1“ läuft … (Stopp oder Leertaste beendet sie)")
                                       .arg(entry->word)
                                 : QStringLiteral("Aufnahme von „%1“ in Silben läuft … (Stopp beendet sie)")
                                       .arg(entry->word));
}

void frmAufnahme::endTake() {
    if (!recording_) return;
    recording_ = false;
    tmrPegel->setEnabled(false);
    const platform::Sound take = platform::stopMicrophone();
    lockForTake(false);
    const takes::Result result = takes::keep(takeEntry_, kind_, take);
    setStatus(result.text);
    if (result.failed) platform::MsgBox(result.text, platform::MsgIcon::Critical);
    const int row = entries_.indexOf(takeEntry_);
    if (row >= 0) lstWoerter->setRowText(row, rowText(entries_[row]));
    showWord();
}

void frmAufnahme::lockForTake(bool on) {
    platform::CommandButton* running = kind_ == Kind::Word ? cmdAufnehmen : cmdSilben;
    running->setCaption(on ? QStringLiteral("Stopp")
                           : (kind_ == Kind::Word ? QStringLiteral("Aufnehmen") : QStringLiteral("Silben aufnehmen")));
    (kind_ == Kind::Word ? cmdSilben : cmdAufnehmen)->setEnabled(!on);
    cmdAnhoeren->setEnabled(!on);
    cmdSilbenAnhoeren->setEnabled(!on);
    cmdLoeschen->setEnabled(!on);
    if (!on) pgbPegel->setLevel(0);
}

void frmAufnahme::tmrPegel_Timer() {
    if (!recording_) return;
    pgbPegel->setLevel(platform::microphoneLevel());
    // The take ended by itself: it reached its longest length or the server went away.
    if (!platform::microphoneRunning()) endTake();
}

void frmAufnahme::cmdAnhoeren_Click() { play(Kind::Word); }
void frmAufnahme::cmdSilbenAnhoeren_Click() { play(Kind::Syllables); }

void frmAufnahme::play(Kind kind) {
    const takes::Entry* entry = current();
    if (!entry || recording_) return;
    const QStringList files = takes::existing(entry->picture, kind);
    if (files.isEmpty()) {
        setStatus(kind == Kind::Word ? QStringLiteral("„%1“ hat noch keine Aufnahme.").arg(entry->word)
                                     : QStringLiteral("„%1“ hat noch keine Silben.").arg(entry->word));
        return;
    }
    const QString file = files.first();
    platform::playSound(QStringLiteral("Aufnahme"), [file] { return platform::readRecording(file); });
    setStatus(QStringLiteral("Spielt „%1“ ab.").arg(entry->word));
}

void frmAufnahme::cmdLoeschen_Click() {
    const takes::Entry* entry = current();
    if (!entry || recording_) return;
    platform::stopSound();
    const takes::Result result = takes::remove(*entry);
    setStatus(result.text);
    if (result.failed) platform::MsgBox(result.text, platform::MsgIcon::Critical);
    lstWoerter->setRowText(lstWoerter->CurrentRow(), rowText(*entry));
    showWord();
}

void frmAufnahme::setStatus(const QString& text) {
    lblStatus->setCaption(text);
    if (!text.isEmpty()) announcer_->announce(text);
}
