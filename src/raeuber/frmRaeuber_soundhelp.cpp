// SPDX-License-Identifier: GPL-3.0-or-later
// The initial-sound chart, with the setting anlauthilfe: the button "?" beside the speaker
// and F4 show, for the sound the child writes next ("m", "sch", "ei"), a picture of the
// vocabulary whose word begins with that sound, the letters and the word with the sound in
// colour, and say the sound as a sound ("[m] wie Maus"). Where no word begins with it, a
// word that has it inside ("ck wie in Glocke"). The card goes with the next letter typed or
// after a few seconds. It types nothing, takes no focus and never shows the word being
// written. With the setting off none of this exists.
#include <algorithm>

#include "game/InitialSounds.h"
#include "game/Options.h"
#include "game/Speech.h"
#include "game/Words.h"
#include "game/modGlobalVars.h"
#include "game/AssetPaths.h"
#include "platform/ui/Events.h"
#include "platform/pictures/Pictures.h"
#include "raeuber/frmRaeuber.h"

using namespace modGlobalVars;
using namespace platform;

namespace {

const int kShownMs = 6000;
const unsigned kCardColour = 0x00E6FFFF;  // a pale yellow (0x00BBGGRR)
// The sound's letters in the word: a dark red, 6.7:1 against the card.
const QColor kMarkColour(0xa0, 0x10, 0x10);

QStringList vocabulary() {
    QStringList names;
    // Element 0 of the list is never a picture.
    for (int i = 1; i <= imageCount && i < imageNames.size(); ++i) names << imageNames.at(i);
    return names;
}

}  // namespace

// F4 and the updates are hooked once; the controls are made while the setting is on.
void frmRaeuber::buildSoundHelp() {
    onKey(this, Qt::Key_F4, [this] { cmdSoundHelp_Click(); });
    // Any change of a box (the next letter typed, the boxes cleared) ends the help.
    for (int i = 0; i < rules::kLetterBoxes; ++i)
        connect(LetterInput[i], &QLineEdit::textChanged, this, [this] { hideSoundHelp(); });
    onShownOrHidden(underScore[0], [this] { updateSoundHelpButton(); });
    onShownOrHidden(lbl_hidePic, [this] { updateSoundHelpButton(); });
    if (options::current().soundHelp) makeSoundHelpControls();
}

void frmRaeuber::makeSoundHelpControls() {
    cmdSoundHelp = new CommandButton(this, "cmdSoundHelp");
    // Beside the speaker, after the syllables' button when there is one.
    cmdSoundHelp->Move(imgSyllables ? 136 : 72, 160, 56, 56);
    cmdSoundHelp->setCaption(QStringLiteral("?"));
    cmdSoundHelp->setBackColor(bgrColor(0x00C4F3FF));
    cmdSoundHelp->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 24, true));
    cmdSoundHelp->setFocusPolicy(Qt::NoFocus);  // the letter box keeps the keyboard
    cmdSoundHelp->setToolTip(QStringLiteral("Anlaut-Hilfe (F4)"));
    cmdSoundHelp->hide();
    describe(cmdSoundHelp, QStringLiteral("Anlaut-Hilfe"),
             QStringLiteral("Zeigt ein Bild, das mit dem nächsten Buchstaben anfängt"));
    connect(cmdSoundHelp, &QPushButton::clicked, this, [this] { cmdSoundHelp_Click(); });
    platform::presentAsButton(cmdSoundHelp, [this] { cmdSoundHelp_Click(); }, QStringLiteral("F4"));

    lblSoundHelpCard = new Label(this, "lblSoundHelpCard");
    lblSoundHelpCard->Move(208, 112, 208, 168);
    lblSoundHelpCard->setBackColor(bgrColor(kCardColour));
    imgSoundHelp = new Image(this, "imgSoundHelp", true);
    imgSoundHelp->Move(216, 120, 100, 100);
    // Both lines shrink their font to fit ("Sch sch", "Regenbogenfisch").
    lblSoundHelpLetters = new FitText(this, "lblSoundHelpLetters");
    lblSoundHelpLetters->Move(320, 136, 92, 56);
    lblSoundHelpLetters->setFont(layoutFont(QStringLiteral("Arial"), 28, true));
    lblSoundHelpWord = new FitText(this, "lblSoundHelpWord");
    lblSoundHelpWord->Move(212, 228, 200, 40);
    lblSoundHelpWord->setFont(layoutFont(QStringLiteral("Arial"), 20, true));
    readOnlyWhileShown(imgSoundHelp);
    for (QWidget* part : {static_cast<QWidget*>(lblSoundHelpCard), static_cast<QWidget*>(imgSoundHelp),
                          static_cast<QWidget*>(lblSoundHelpLetters), static_cast<QWidget*>(lblSoundHelpWord)})
        part->hide();
    tmr_soundHelp = new Timer(this, "tmr_soundHelp", kShownMs, [this] { tmr_soundHelp_Timer(); });
    updateSoundHelpButton();
}

// The setting was switched off: the button, the card and its timer go.
void frmRaeuber::dropSoundHelpControls() {
    hideSoundHelp();
    delete cmdSoundHelp;
    delete lblSoundHelpCard;
    delete imgSoundHelp;
    delete lblSoundHelpLetters;
    delete lblSoundHelpWord;
    delete tmr_soundHelp;
    cmdSoundHelp = nullptr;
    lblSoundHelpCard = nullptr;
    imgSoundHelp = nullptr;
    lblSoundHelpLetters = nullptr;
    lblSoundHelpWord = nullptr;
    tmr_soundHelp = nullptr;
    soundHelpWords.clear();
}

// Shown while a word's boxes are there and its picture is not covered.
void frmRaeuber::updateSoundHelpButton() {
    if (!cmdSoundHelp) return;
    const bool usable = !underScore[0]->isHidden() && lbl_hidePic->isHidden();
    // The whole vocabulary, before the words played are taken out of the list.
    if (usable && soundHelpWords.isEmpty()) soundHelpWords = vocabulary();
    cmdSoundHelp->setVisible(usable);
    if (!usable) hideSoundHelp();
}

int frmRaeuber::nextLetterBox() const {
    for (int i = 0; i < wordLength && i < rules::kLetterBoxes; ++i)
        if (!LetterInput[i]->isHidden() && !LetterInput[i]->Locked() && LetterInput[i]->Text().isEmpty()) return i;
    return -1;
}

void frmRaeuber::cmdSoundHelp_Click() {
    if (!cmdSoundHelp || !cmdSoundHelp->Visible() || !Visible()) return;
    const int box = nextLetterBox();
    if (box < 0 || wordLetters[box].size() != 1) return;
    if (soundHelpWords.isEmpty()) soundHelpWords = vocabulary();
    initialsounds::Help help = initialsounds::find(currentWord, box, soundHelpWords, currentWord);
    if (help.letters.isEmpty()) return;  // a blank or a hyphen: nothing to show
    // A file that turns out to be no picture is no help: the next fitting word is taken.
    QPixmap picture;
    while (!help.fileName.isEmpty()) {
        picture = tryLoadPicture(assetpaths::dbPicture(help.fileName));
        if (!picture.isNull()) break;
        soundHelpWords.removeAll(help.fileName);
        help = initialsounds::find(currentWord, box, soundHelpWords, currentWord);
    }
    showSoundHelpCard(help, picture);
    speech::sayPhrase(help.phrase(), help.word.isEmpty() ? QStringList() : QStringList{help.word},
                      words::folderOf(currentPicture()), help.spoken());
    announcer->announce(help.phrase());
    tmr_soundHelp->setEnabled(false);
    tmr_soundHelp->setEnabled(true);
}

void frmRaeuber::showSoundHelpCard(const initialsounds::Help& help, const QPixmap& picture) {
    lblSoundHelpLetters->setCaption(help.letters);
    const QString in = help.inside ? QStringLiteral("in ") : QString();
    lblSoundHelpWord->setCaption(help.word.isEmpty() ? QString() : in + help.word);
    lblSoundHelpWord->setMark(int(in.size()) + help.markStart, help.markLength, kMarkColour);
    if (!picture.isNull()) {
        const int side = std::max(picture.width(), picture.height());
        imgSoundHelp->setPixmapPicture(fitInto(picture, side, side));
    }
    describe(imgSoundHelp, help.word.isEmpty() ? QString() : QStringLiteral("Bild: %1").arg(help.word));
    lblSoundHelpCard->setVisible(true);
    imgSoundHelp->setVisible(!picture.isNull());
    lblSoundHelpLetters->setVisible(true);
    lblSoundHelpWord->setVisible(!help.word.isEmpty());
}

void frmRaeuber::hideSoundHelp() {
    if (!lblSoundHelpCard) return;
    tmr_soundHelp->setEnabled(false);
    lblSoundHelpCard->setVisible(false);
    imgSoundHelp->setVisible(false);
    lblSoundHelpLetters->setVisible(false);
    lblSoundHelpWord->setVisible(false);
}

void frmRaeuber::tmr_soundHelp_Timer() { hideSoundHelp(); }
