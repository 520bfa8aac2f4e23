// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <memory>

#include "game/Takes.h"
#include "platform/ui/Access.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListControls.h"
#include "platform/system/Timer.h"

// The teacher's recording window (knorzelbart --aufnehmen): the words of a vocabulary
// folder with their pictures and recordings; a word is recorded from the microphone,
// listened to and deleted here. Arrows move through the words, Space starts and stops a
// recording, Return plays it, wherever the focus is. The scene grows with the window;
// everything works by touch.
// What a take becomes is takes::keep (game/Takes.h); the window only calls it.
class frmAufnahme : public platform::Form {
public:
    frmAufnahme();
    static frmAufnahme& Default();
    // The folder whose words are recorded (a real path); set before the window is shown.
    static QString folder;

    static constexpr double kWidth = 640;
    static constexpr double kHeight = 480;
    // After a take ended by itself, Space and Return do nothing for this long: a key meant
    // for the take that ended starts nothing else.
    static constexpr double kKeyPauseSeconds = 1.5;

    platform::Label* lblOrdner;
    platform::WordList* lstWoerter;
    platform::Image* imgBild;
    platform::Label* lblWort;
    platform::Label* lblLaenge;
    platform::CommandButton* cmdAufnehmen;
    platform::CommandButton* cmdSilben;
    platform::LevelMeter* pgbPegel;
    platform::CommandButton* cmdAnhoeren;
    platform::CommandButton* cmdSilbenAnhoeren;
    platform::CommandButton* cmdLoeschen;
    platform::CommandButton* cmdRueckgaengig;
    platform::CommandButton* cmdNurFehlende;  // a switch: only the words without a recording
    platform::CommandButton* cmdGleichAnhoeren;  // a switch, on: a saved take is played at once
    platform::CommandButton* cmdSchliessen;
    platform::Label* lblStatus;
    platform::Label* lblAnzahl;
    platform::Timer* tmrPegel;
    platform::Timer* tmrAnsage;  // says the chosen word once the window is there

    void cmdAufnehmen_Click();
    void cmdSilben_Click();
    void cmdAnhoeren_Click();
    void cmdSilbenAnhoeren_Click();
    void cmdLoeschen_Click();
    void cmdRueckgaengig_Click();
    void cmdNurFehlende_Click();
    void lstWoerter_Change();
    void tmrPegel_Timer();

    // The words shown, in the list's order.
    const QList<takes::Entry>& entries() const { return entries_; }
    bool recording() const { return recording_; }
    // What the window last said in its status line, and what it told a screen reader.
    QString status() const { return lblStatus->Caption(); }
    const QStringList& announced() const { return announcer_->messages(); }

    // The window for a folder of words (the command line's --aufnehmen ORDNER), to be
    // shown by the caller.
    static frmAufnahme& forFolder(const QString& folder);

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    void buildLayout();
    void fillList();
    QString rowText(const takes::Entry& entry) const;
    void showWord();
    const takes::Entry* current() const;
    void startTake(takes::Kind kind);
    void endTake();
    void play(takes::Kind kind);
    void setStatus(const QString& text);
    void lockForTake(bool on);
    bool windowKey(QEvent* keyPress);
    void moveBy(int rows);
    QString afterTake(const takes::Result& result, bool full);
    void showCount();
    void applyFilter();
    bool recorded(int row) const { return row >= 0 && row < recorded_.size() && recorded_[row]; }
    void readRecordings();
    void moveToNextMissing();

    QList<takes::Entry> entries_;
    bool recording_ = false;
    takes::Kind kind_ = takes::Kind::Word;
    takes::Entry takeEntry_;
    std::unique_ptr<platform::Announcer> announcer_;
    QStringList recordingNames_;
    QList<bool> recorded_;  // per row: whether the word has a recording
    bool filtered_ = false;  // rows are hidden
    // Deletions that "Rückgängig" can take back, the last first; kept until the window closes.
    QList<std::pair<QString, QList<takes::Removed>>> deleted_;
    double keysPausedUntil_ = -1;
};
