// SPDX-License-Identifier: GPL-3.0-or-later
// Syllables, with the setting silben: an arc under each syllable of the word's boxes, in
// two alternating colours as pupils draw them, and the word said in syllables by a button
// beside the speaker and by F3. With the setting off none of these controls exists.
#include "game/Options.h"
#include "game/Speech.h"
#include "game/Syllables.h"
#include "game/Words.h"
#include "game/modGlobalVars.h"
#include "game/AssetPaths.h"
#include "platform/files/Folders.h"
#include "platform/ui/Events.h"
#include "platform/files/Files.h"
#include "platform/system/Hyphenation.h"
#include "raeuber/frmRaeuber.h"

using namespace modGlobalVars;

namespace {

// In pixels of the scene: the boxes start at 56 and follow each other every 40 pixels, 33
// wide; their underlines lie at 480, 3 pixels thick. The arcs hang below them.
const double kFirstBox = 56;
const double kBoxStep = 40;
const double kBoxWidth = 33;
const double kArcTop = 484;
const double kArcDepth = 9;
const int kArcPen = 3;

// A dark blue and a red, one syllable after the other: each at least 3:1 against the grass
// (7.9 and 3.7), and 2.2:1 against each other, so that they differ in brightness too (also
// for a child who cannot tell red from green).
QColor arcColour(int syllable) { return syllable % 2 == 0 ? QColor(0x0c, 0x16, 0x50) : QColor(0xa0, 0x1c, 0x26); }

}  // namespace

// F3 and the updates are hooked once; the controls are made while the setting is on.
void frmRaeuber::buildSyllables() {
    platform::onKey(this, Qt::Key_F3, [this] { imgSyllables_Click(); });
    // The boxes of a word appear and go together with their underlines.
    platform::onShownOrHidden(underScore[0], [this] {
        updateSyllableArcs();
        updateSyllablesButton();
    });
    platform::onShownOrHidden(lbl_hidePic, [this] { updateSyllablesButton(); });
    if (options::current().syllables) makeSyllableControls();
}

void frmRaeuber::makeSyllableControls() {
    for (int i = 0; i < rules::kLetterBoxes; ++i) {
        syllableArc[i] = new platform::Arc(this, QStringLiteral("syllableArc_%1").arg(i).toUtf8().constData());
        syllableArc[i]->hide();
        platform::readOnlyWhileShown(syllableArc[i]);
    }
    imgSyllables = new platform::Image(this, "imgSyllables", true);
    imgSyllables->Move(72, 160, 56, 56);
    imgSyllables->setVectorPicture(assetpaths::layoutPicture("syllables.svg"));
    imgSyllables->setFocusPolicy(Qt::NoFocus);  // the letter box keeps the keyboard
    imgSyllables->setToolTip(QStringLiteral("Silben anhören (F3)"));
    imgSyllables->hide();
    platform::presentAsButton(imgSyllables, [this] { imgSyllables_Click(); }, QStringLiteral("F3"));
    platform::describe(imgSyllables, QStringLiteral("Silben anhören"), QStringLiteral("Sagt das Wort in Silben"));
    platform::onClick(imgSyllables, [this] { imgSyllables_Click(); });
    // The splits of the vocabulary are kept from the last start; when they are not, the
    // patterns take seconds to read: the arcs and the button come when they are there.
    QStringList vocabulary;
    for (const QString& name : platform::folderFileNames(assetpaths::dbFolder(), words::nameCanBeWord))
        vocabulary << words::fromFileName(name);
    syllables::prepare(this, vocabulary, [this] {
        updateSyllableArcs();
        updateSyllablesButton();
    });
    updateSyllableArcs();
    updateSyllablesButton();
}

// The setting was switched off: the controls go, as if it had never been on.
void frmRaeuber::dropSyllableControls() {
    for (platform::Arc*& arc : syllableArc) {
        delete arc;
        arc = nullptr;
    }
    delete imgSyllables;
    imgSyllables = nullptr;
}

void frmRaeuber::updateSyllableArcs() {
    if (!syllableArc[0]) return;
    QList<syllables::Piece> pieces;
    if (!underScore[0]->isHidden() && !currentWord.isEmpty() && platform::hyphenationSettled())
        pieces = syllables::split(currentWord, words::folderOf(currentPicture()));
    for (int i = 0; i < rules::kLetterBoxes; ++i) {
        const bool used = i < pieces.size() && pieces.at(i).start + pieces.at(i).length <= rules::kLetterBoxes;
        if (used) {
            const syllables::Piece& piece = pieces.at(i);
            syllableArc[i]->setSpan(kFirstBox + kBoxStep * piece.start, kArcTop,
                                    kBoxStep * (piece.length - 1) + kBoxWidth, kArcDepth, kArcPen);
            syllableArc[i]->setColor(arcColour(i));
            // Named by place and size only: the word may be secret.
            platform::describe(syllableArc[i], QStringLiteral("Silbenbogen %1 von %2").arg(i + 1).arg(pieces.size()),
                               piece.length == 1 ? QStringLiteral("unter 1 Kästchen")
                                                 : QStringLiteral("unter %1 Kästchen").arg(piece.length));
        }
        syllableArc[i]->setVisible(used);
    }
}

// As the speaker: not while the picture is covered.
void frmRaeuber::updateSyllablesButton() {
    if (!imgSyllables) return;
    imgSyllables->setVisible(!underScore[0]->isHidden() && lbl_hidePic->isHidden() &&
                             platform::hyphenationSettled() && speech::syllablesAvailable(currentPicture()));
}

void frmRaeuber::imgSyllables_Click() {
    if (!imgSyllables || !Visible()) return;
    if (imgSyllables->Visible()) {
        speech::saySyllables(currentPicture());
        return;
    }
    // F3 while the patterns are still being read: the child hears that the syllables come.
    if (!platform::hyphenationSettled() && !underScore[0]->isHidden() && lbl_hidePic->isHidden())
        announce(QStringLiteral("Die Silben kommen gleich."));
}
