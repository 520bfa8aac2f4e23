// SPDX-License-Identifier: GPL-3.0-or-later
// The recording window's procedures: choosing a word, a take from the microphone, playing
// and deleting a recording.
#include "shell/frmAufnahme.h"

#include <QKeyEvent>
#include <QLocale>
#include <cmath>

#include "game/Options.h"
#include "game/AssetPaths.h"
#include "platform/system/Clock.h"
#include "platform/files/Files.h"
#include "platform/ui/MessageBox.h"
#include "platform/sound/Microphone.h"
#include "platform/pictures/Pictures.h"
#include "platform/sound/SoundFile.h"
#include "platform/sound/Sound.h"

using takes::Kind;

namespace {

QString secondsText(double seconds) {
    return QLocale(QLocale::German, QLocale::Germany).toString(seconds, 'f', 1) + QStringLiteral(" s");
}

// The short tone that marks the start of a take for a teacher who listens to a screen
// reader (40 ms: shorter than any speech the trimming keeps).
platform::Sound startTone() {
    platform::Sound tone;
    tone.rate = 22050;
    const int length = tone.rate * 40 / 1000;
    for (int i = 0; i < length; ++i) {
        const double envelope = std::sin(M_PI * i / length);
        tone.samples.push_back(std::int16_t(6000 * envelope * std::sin(2 * M_PI * 880.0 * i / tone.rate)));
    }
    tone.source = QStringLiteral("Aufnahmeton");
    return tone;
}

}  // namespace

frmAufnahme& frmAufnahme::forFolder(const QString& folder) {
    frmAufnahme::folder = folder;
    return Default();
}

void frmAufnahme::Form_Load() {
    if (folder.isEmpty()) folder = platform::resolvePath(assetpaths::dbFolder());
    lblOrdner->setCaption(QStringLiteral("Ordner: %1").arg(folder));
    // As large as designed, larger on a large screen (most of it), smaller on a small one;
    // maximised or in full screen the scene grows with the window.
    if (options::current().fullScreen) {
        setFullScreen(true);
    } else {
        const double large = 0.7 * platform::fittingScale(kWidth, kHeight, true);
        const double factor = large > 1.0 ? large : platform::fittingScale(kWidth, kHeight, false);
        resize(int(kWidth * factor), int(kHeight * factor));
        centerOnScreen();
    }
    // The input is read while the window is open, so that a take can begin with the moment
    // before the key.
    platform::openMicrophone();
    fillList();
    lstWoerter->setFocus();
    showCount();
    if (const takes::Entry* entry = current()) {
        lblStatus->setCaption(QStringLiteral("„%1“ ist gewählt; %2.").arg(entry->word, lblAnzahl->Caption()));
        tmrAnsage->setEnabled(true);
    }
}

void frmAufnahme::showCount() {
    const auto recorded = recorded_.count(true);
    lblAnzahl->setCaption(entries_.isEmpty() ? QString()
                                             : QStringLiteral("%1 von %2 aufgenommen")
                                                   .arg(QString::number(recorded), QString::number(entries_.size())));
}

// The folder's recordings, listed again after anything changed them.
void frmAufnahme::readRecordings() {
    recordingNames_ = takes::recordingNamesIn(folder);
    recorded_.clear();
    for (const takes::Entry& entry : entries_)
        recorded_.append(!takes::existing(entry.picture, Kind::Word, &recordingNames_).isEmpty());
}

void frmAufnahme::cmdNurFehlende_Click() {
    applyFilter();
    setStatus(cmdNurFehlende->isChecked() ? QStringLiteral("Nur die Wörter ohne Aufnahme werden gezeigt.")
                                          : QStringLiteral("Alle Wörter werden gezeigt."));
}

// With "Nur fehlende" on, the words that have a recording are hidden, but never the chosen
// one (it stays until the teacher moves on).
void frmAufnahme::applyFilter() {
    const bool only = cmdNurFehlende->isChecked();
    if (!only && !filtered_) return;
    filtered_ = only;
    const int chosen = lstWoerter->CurrentRow();
    for (int row = 0; row < entries_.size(); ++row)
        lstWoerter->setRowHidden(row, only && row != chosen && recorded(row));
}

// After a good take the next word that has no recording yet is chosen.
void frmAufnahme::moveToNextMissing() {
    const int from = lstWoerter->CurrentRow();
    for (int step = 1; step < entries_.size(); ++step) {
        const int row = int((from + step) % entries_.size());
        if (!recorded(row)) {
            lstWoerter->setCurrentRow(row);
            return;
        }
    }
}

void frmAufnahme::Form_Unload(int& Cancel) {
    (void)Cancel;
    // A take that runs when the window closes is dropped, never written half.
    if (recording_) platform::stopMicrophone();
    recording_ = false;
    platform::closeMicrophone();
    platform::stopSound();
}

void frmAufnahme::fillList() {
    bool readable = true;
    entries_ = takes::wordsOf(folder, &readable);
    readRecordings();
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
    const double word = takes::seconds(entry.picture, Kind::Word, &recordingNames_);
    QString text = entry.word + QStringLiteral(" – ") +
                   (word > 0 ? QStringLiteral("aufgenommen, ") + secondsText(word) : QStringLiteral("keine Aufnahme"));
    if (options::current().syllables) {
        // On a line of its own, so that the row fits the list.
        const double syllables = takes::seconds(entry.picture, Kind::Syllables, &recordingNames_);
        text += syllables > 0 ? QStringLiteral("\nSilben ") + secondsText(syllables) : QStringLiteral("\nSilben fehlen");
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
        platform::describe(imgBild, QStringLiteral("Bild"));
        return;
    }
    lblWort->setCaption(entry->word);
    // Decoded at the size it is shown; a picture that cannot be read leaves the place empty.
    const int side = int(std::lround(imgBild->width() * devicePixelRatioF()));
    imgBild->setPixmapPicture(platform::tryLoadPicture(entry->picture, std::max(side, 120)));
    platform::describe(imgBild, QStringLiteral("Bild: %1").arg(entry->word));
    const double word = takes::seconds(entry->picture, Kind::Word, &recordingNames_);
    QString length = word > 0 ? QStringLiteral("Aufnahme: ") + secondsText(word) : QStringLiteral("Noch keine Aufnahme");
    if (options::current().syllables) {
        const double syllables = takes::seconds(entry->picture, Kind::Syllables, &recordingNames_);
        length += QLatin1Char('\n') + (syllables > 0 ? QStringLiteral("Silben: ") + secondsText(syllables)
                                                      : QStringLiteral("Noch keine Silben"));
    }
    lblLaenge->setCaption(length);
}

void frmAufnahme::lstWoerter_Change() {
    tmrAnsage->setEnabled(false);
    // During a take the list stays on the word being recorded (a click elsewhere is undone).
    if (recording_) {
        const int row = int(entries_.indexOf(takeEntry_));
        if (row >= 0 && lstWoerter->CurrentRow() != row) lstWoerter->setCurrentRow(row);
        return;
    }
    applyFilter();
    showWord();
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
    tmrAnsage->setEnabled(false);
    // A teacher who listens to a screen reader hears a short tone instead of the status: the
    // take begins without the moment before the key (the reader's voice may be in it), and
    // the tone is too short to count as speech when the take is trimmed.
    const bool listening = platform::screenReaderActive();
    if (listening) platform::playSound(QStringLiteral("Aufnahmeton"), [] { return startTone(); });
    const QString failure = platform::startMicrophone(!listening);
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
    const QString status = kind == Kind::Word
                               ? QStringLiteral("Aufnahme von „%1“ läuft … (Stopp oder Leertaste beendet sie)")
                                     .arg(entry->word)
                               : QStringLiteral("Aufnahme von „%1“ in Silben läuft … (Stopp beendet sie)")
                                     .arg(entry->word);
    if (listening) lblStatus->setCaption(status);
    else setStatus(status);
}

void frmAufnahme::endTake() {
    if (!recording_) return;
    recording_ = false;
    tmrPegel->setEnabled(false);
    const bool full = platform::microphoneFull();
    const QString lost = platform::microphoneFailure();
    const platform::Sound take = platform::stopMicrophone();
    lockForTake(false);
    if (full || !lost.isEmpty()) keysPausedUntil_ = platform::clockSeconds() + kKeyPauseSeconds;
    if (!lost.isEmpty()) {
        // What the input gave before it failed is cut off: it is not kept.
        setStatus(lost);
        platform::MsgBox(lost, platform::MsgIcon::Critical);
        showWord();
        return;
    }
    lblStatus->setCaption(QStringLiteral("Aufnahme von „%1“ beendet.").arg(takeEntry_.word));
    const takes::Result result = takes::keep(takeEntry_, kind_, take);
    readRecordings();
    setStatus(afterTake(result, full));
    if (result.failed) platform::MsgBox(result.text, platform::MsgIcon::Critical);
    // The new take is heard at once; not with a screen reader, which is saying what became
    // of it (Return plays it then).
    if (result.done && cmdGleichAnhoeren->isChecked() && !platform::screenReaderActive()) {
        const QStringList files = takes::existing(takeEntry_.picture, kind_);
        if (!files.isEmpty()) {
            const QString file = files.first();
            platform::playSound(QStringLiteral("Aufnahme"), [file] { return platform::readRecording(file); });
        }
    }
    const int row = entries_.indexOf(takeEntry_);
    if (row >= 0) lstWoerter->setRowText(row, rowText(entries_[row]));
    showCount();
    if (result.done && !result.doubtful && kind_ == Kind::Word) moveToNextMissing();
    showWord();
}

QString frmAufnahme::afterTake(const takes::Result& result, bool full) {
    if (!full) return result.text;
    return QStringLiteral("Die Aufnahme hat nach %1 Sekunden von selbst aufgehört (länger darf sie nicht sein). %2")
        .arg(QString::number(platform::kMicrophoneMaxSeconds), result.text);
}

void frmAufnahme::lockForTake(bool on) {
    platform::CommandButton* running = kind_ == Kind::Word ? cmdAufnehmen : cmdSilben;
    running->setCaption(on ? QStringLiteral("Stopp")
                           : (kind_ == Kind::Word ? QStringLiteral("Aufnehmen") : QStringLiteral("Silben aufnehmen")));
    (kind_ == Kind::Word ? cmdSilben : cmdAufnehmen)->setEnabled(!on);
    cmdAnhoeren->setEnabled(!on);
    cmdSilbenAnhoeren->setEnabled(!on);
    cmdLoeschen->setEnabled(!on);
    cmdRueckgaengig->setEnabled(!on && !deleted_.isEmpty());
    // The focus stays where it is: a screen reader would read a move into the take.
    if (!on) pgbPegel->setLevel(0);
}

void frmAufnahme::tmrPegel_Timer() {
    if (!recording_) return;
    pgbPegel->setLevel(platform::microphoneLevel());
    // The take ended by itself: it reached its longest length or the input failed.
    if (!platform::microphoneRunning()) endTake();
}

bool frmAufnahme::windowKey(QEvent* keyPress) {
    const auto* key = static_cast<QKeyEvent*>(keyPress);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    const bool paused = platform::clockSeconds() < keysPausedUntil_;
    switch (key->key()) {
        case Qt::Key_Space:
            if (!paused && !key->isAutoRepeat()) cmdAufnehmen_Click();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!paused && !key->isAutoRepeat()) cmdAnhoeren_Click();
            return true;
        case Qt::Key_Up: moveBy(-1); return true;
        case Qt::Key_Down: moveBy(1); return true;
        case Qt::Key_PageUp: moveBy(-10); return true;
        case Qt::Key_PageDown: moveBy(10); return true;
        case Qt::Key_Home: moveBy(-int(entries_.size())); return true;
        case Qt::Key_End: moveBy(int(entries_.size())); return true;
        default: return false;
    }
}

// Moves over `rows` shown rows (fewer at either end).
void frmAufnahme::moveBy(int rows) {
    if (recording_ || entries_.isEmpty()) return;
    const int step = rows < 0 ? -1 : 1;
    int row = lstWoerter->CurrentRow();
    for (int next = row + step, left = std::abs(rows); left > 0 && next >= 0 && next < entries_.size(); next += step)
        if (!lstWoerter->isRowHidden(next)) {
            row = next;
            --left;
        }
    lstWoerter->setCurrentRow(row);
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
    // Shown, not read aloud: the screen reader would talk over the recording.
    lblStatus->setCaption(QStringLiteral("Spielt „%1“ ab.").arg(entry->word));
}

void frmAufnahme::cmdLoeschen_Click() {
    const takes::Entry* entry = current();
    if (!entry || recording_) return;
    platform::stopSound();
    const takes::Result result = takes::remove(*entry);
    readRecordings();
    if (!result.removed.isEmpty()) {
        deleted_.append({entry->word, result.removed});
        cmdRueckgaengig->setEnabled(true);
    }
    setStatus(result.done ? result.text + QStringLiteral(" („Rückgängig“ holt sie zurück.)") : result.text);
    if (result.failed) platform::MsgBox(result.text, platform::MsgIcon::Critical);
    lstWoerter->setRowText(lstWoerter->CurrentRow(), rowText(*entry));
    showCount();
    showWord();
}

void frmAufnahme::cmdRueckgaengig_Click() {
    if (deleted_.isEmpty() || recording_) return;
    const auto [word, removed] = deleted_.takeLast();
    const takes::Result result = takes::restore(word, removed);
    readRecordings();
    setStatus(result.text);
    if (result.failed) platform::MsgBox(result.text, platform::MsgIcon::Critical);
    for (int row = 0; row < entries_.size(); ++row) lstWoerter->setRowText(row, rowText(entries_[row]));
    cmdRueckgaengig->setEnabled(!deleted_.isEmpty());
    showCount();
    showWord();
}

void frmAufnahme::setStatus(const QString& text) {
    lblStatus->setCaption(text);
    if (!text.isEmpty()) announcer_->announce(text);
}
