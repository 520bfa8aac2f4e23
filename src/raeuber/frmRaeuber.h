// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <functional>
#include <memory>

#include "game/Rules.h"
#include "platform/ui/Access.h"
#include "platform/ui/Arc.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FitText.h"
#include "platform/ui/Form.h"
#include "platform/ui/LetterBox.h"
#include "platform/ui/LetterKeys.h"
#include "platform/system/Timer.h"

namespace initialsounds {
struct Help;
}

// The game screen. This folder holds the whole form: its layout (frmRaeuber_layout.cpp) and
// its procedures and handlers, one file per concern (frmRaeuber_<concern>.cpp): start,
// database, rounds, letters, assistant, robber, ending, speaker, letter keys, accessibility,
// syllables, the initial-sound chart, learning record.
class frmRaeuber : public platform::Form {
public:
    frmRaeuber();
    // The scene as designed, in pixels: every place and size the game uses is in this unit.
    static constexpr int kSceneWidth = 790;
    static constexpr int kSceneHeight = 573;
    // The keys that press "Ende": two modifiers, so that a child does not press them by chance.
    static constexpr const char* kEndKeys = "<Control><Shift>e";
    static frmRaeuber& Default();
    // The default instance if it was created, else nullptr.
    static frmRaeuber* Existing();

    // The form shown when a game has ended (the selection menu); the start-up names it.
    static inline std::function<platform::Form&()> followingForm;

    // Controls, named as in the layout. Arrays are indexed from 0.
    platform::CommandButton* cmdReset;
    platform::Timer* tmr_hideWordPreview;
    platform::Timer* tmrVerloren;
    platform::Timer* tmrGewonnen;
    platform::Timer* tmr_assistantAnimation;
    platform::Timer* tmr_assistantResize;
    platform::Timer* tmr_display;
    platform::LetterBox* LetterInput[rules::kLetterBoxes];
    platform::Image* mushroom;
    platform::Image* imgtree;
    platform::Image* imgfence;
    platform::Image* imgRäuber;
    platform::Image* imgChest;
    platform::Label* lbl_hidePic;
    platform::Image* imgTerm;
    platform::Image* imgSpeaker;  // says the word; hidden while the picture is covered
    platform::Image* img_sun;
    platform::Image* img_assistant;
    platform::Label* lbl_wrong;
    platform::Label* lbl_right;
    platform::Image* img_wrong[rules::kMarks];
    platform::Image* img_correct[rules::kMarks];
    platform::Line* underScore[rules::kLetterBoxes];
    platform::Label* lbl_wordPreview;
    platform::Image* imgGrass;
    // The on-screen letter keys below the boxes (frmRaeuber_letterkeys.cpp), hidden unless wanted.
    platform::LetterKeyboard* letterKeys;
    // What a screen reader is told when something that matters changes (frmRaeuber_access.cpp).
    std::unique_ptr<platform::Announcer> announcer;
    // Only with the setting silben (frmRaeuber_syllables.cpp), else nullptr: an arc under each
    // syllable of the word's boxes, and the button that says the word in syllables (F3).
    platform::Arc* syllableArc[rules::kLetterBoxes] = {};
    platform::Image* imgSyllables = nullptr;
    // Only with the setting anlauthilfe (frmRaeuber_soundhelp.cpp), else nullptr: the button "?" (F4)
    // and the card it shows for the next sound (picture, letters, word), hidden by a timer;
    // the whole vocabulary it draws from, as listed when the first word was shown.
    platform::CommandButton* cmdSoundHelp = nullptr;
    platform::Label* lblSoundHelpCard = nullptr;
    platform::Image* imgSoundHelp = nullptr;
    platform::FitText* lblSoundHelpLetters = nullptr;
    platform::FitText* lblSoundHelpWord = nullptr;
    platform::Timer* tmr_soundHelp = nullptr;
    QStringList soundHelpWords;
    // Tells the first word of a game once the window has settled (frmRaeuber_access.cpp); not one of
    // the layout's timers.
    std::unique_ptr<platform::Timer> tmr_announceWord;

    // Picture-word database.
    void loadDatabase();
    void dbFolderMessage(const QString& what);
    QString nextImage();

    // Rounds.
    void newRound();
    void clearLetterBoxes();
    void lockLetterBoxes();
    void unlockFirstBox();
    // Shows the first word's preview again, its time counting from now (a new level).
    void showFirstWordPreview();
    // With the learning record on: the child who clicked a level; its first word is drawn
    // again, for this child (frmRaeuber_learning.cpp).
    void beginChild(const QString& name);

    // The spoken word (frmRaeuber_speaker.cpp).
    QString currentPicture() const;
    void updateSpeaker();
    void speakIfAutomatic();
    // In a dictation the retry of a failed word is said again when it starts.
    void speakRetryIfDictation();
    // The end of a game's message, said where the game speaks without being asked.
    void speakMessageIfAutomatic(const QString& text);
    // With a screen reader, a new word said without asking waits for its announcement.
    void sayWordAfterAnnouncement();
    bool wordAwaitsAnnouncement = false;
    void showWordPreview();
    // Whether the word of a dictation can be heard; when not, the teacher gets a note.
    bool dictationHeard() const;

    // Syllables and the initial-sound chart (frmRaeuber_syllables.cpp, frmRaeuber_soundhelp.cpp).
    void updateSyllableArcs();
    void updateSyllablesButton();
    void updateSoundHelpButton();
    // The box the next letter goes in, or -1 when no box waits for a letter.
    int nextLetterBox() const;
    void hideSoundHelp();
    void showSoundHelpCard(const initialsounds::Help& help, const QPixmap& picture);

    // The teacher's settings changed in her room while the program runs (settings.cpp): the
    // syllables, the initial-sound chart and the letter keys follow at every new word; full
    // screen and the word collection when the next game begins.
    void followSettings();
    void followSettingsAtGameStart();

    // Robber and the end of a game.
    void advanceRobber();
    void newGame();

    // Event handlers.
    void LetterInput_Change(int Index);
    void LetterInput_Click(int Index);
    void cmdReset_Click();
    void imgSpeaker_Click();
    void imgSyllables_Click();
    void cmdSoundHelp_Click();
    void tmr_soundHelp_Timer();
    void tmr_display_Timer();
    void tmr_hideWordPreview_Timer();
    void tmr_assistantResize_Timer();
    void tmr_assistantAnimation_Timer();
    void tmrGewonnen_Timer();
    void tmrVerloren_Timer();

protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

private:
    void buildLayout();
    // The assistant as the layout has it: its place and design size, hidden, no picture.
    void resetAssistant();
    void resetGameValues();
    void buildLetterKeys();
    void showVocabularyKeys();
    void buildAccessibility();
    void buildSyllables();
    void buildSoundHelp();
    void makeSyllableControls();
    void dropSyllableControls();
    void makeSoundHelpControls();
    void dropSoundHelpControls();
    void placeLetterKeys();
    // When the teacher chose another word folder: the list is emptied for its words (true),
    // or, when it has none to play, the setting goes back to the list's folder.
    bool followCollection();
    // The folder the picture list was read from, the collection setting that named it, and
    // the full-screen setting the window followed last.
    QString wordsFolder_;
    QString wordsCollection_, wordsDbFolder_;
    bool fullScreenSetting_ = false;
    void updateAccessibleTexts();
    // What a screen reader is told (frmRaeuber_access.cpp); every message goes through announce().
    void announce(const QString& message);
    // A new word is told once the news of its boxes (or of the window) have passed.
    void announceNewWordSoon(bool windowAppears);
    void announceNewWord();
    void announceWrongLetter();
    void announceReveal();
    void announceRobber();
};
