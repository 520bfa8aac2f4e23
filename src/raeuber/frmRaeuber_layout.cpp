// SPDX-License-Identifier: GPL-3.0-or-later
// The game screen's layout: every control with its place, size, colours, font, picture and
// the state it has when the form is created. Controls are created from back to front, so
// that each one lies over those created before it.
#include <QPixmap>

#include "platform/system/App.h"
#include "platform/ui/Events.h"
#include "game/AssetPaths.h"
#include "raeuber/frmRaeuber.h"

using namespace platform;

namespace {

const unsigned kSky = 0x00FFFF80;
// Where the grass begins.
const double kHorizon = 376;


Image* scenery(QWidget* form, const char* name, const char* picture, int left, int top) {
    auto* image = new Image(form, name);
    image->Move(left, top, 0, 0);
    image->setPicture(assetpaths::layoutPicture(picture));
    return image;
}

Label* rowLabel(QWidget* form, const char* name, const char* caption, int top) {
    auto* label = new Label(form, name);
    label->Move(120, top, 65, 25);
    label->setCaption(QString::fromUtf8(caption));
    label->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 12, true));
    label->setBackColor(bgrColor(kSky));
    return label;
}

}  // namespace

frmRaeuber::frmRaeuber() : Form(QStringLiteral("frmRaeuber")) {
    setWindowTitle(QStringLiteral("Stoppt den Räuber Knorzelbart!"));
    setWindowIcon(assetpaths::windowIcon());
    fillBackground(this, bgrColor(kSky));
    resize(kSceneWidth, kSceneHeight);  // client area as designed
    buildLayout();
    // The scene fills the window at the largest size that keeps its proportions; beside it
    // the sky goes on above the horizon and the grass below it.
    setMarginColours(bgrColor(kSky), QColor(124, 196, 66), kHorizon);
    scaleSceneWithWindow(kSceneWidth, kSceneHeight);
    // F11 switches between full screen and the window.
    onKey(this, Qt::Key_F11, [this] { setFullScreen(!FullScreen()); });
}

frmRaeuber& frmRaeuber::Default() { return platform::Default<frmRaeuber>(QStringLiteral("frmRaeuber")); }

frmRaeuber* frmRaeuber::Existing() {
    return static_cast<frmRaeuber*>(platform::existingForm(QStringLiteral("frmRaeuber")));
}

void frmRaeuber::buildLayout() {
    imgGrass = scenery(this, "imgGrass", "grass.bmp", -8, 376);

    lbl_wordPreview = new Label(this, "lbl_wordPreview");
    lbl_wordPreview->Move(8, 120, 249, 33);
    lbl_wordPreview->setFont(layoutFont(QStringLiteral("Arial"), 18, true));
    lbl_wordPreview->setBackColor(bgrColor(kSky));
    lbl_wordPreview->setWordWrap(false);

    for (int i = 0; i < rules::kLetterBoxes; ++i) {
        underScore[i] = new Line(this, QStringLiteral("underScore_%1").arg(i).toUtf8().constData());
        underScore[i]->setPoints(56 + 40 * i, 480, 88 + 40 * i, 480, 3);
        underScore[i]->hide();
    }
    for (int i = 0; i < rules::kMarks; ++i) {
        img_correct[i] = new Image(this, QStringLiteral("img_correct_%1").arg(i).toUtf8().constData());
        img_correct[i]->Move(208 + 16 * i, 8, 20, 20);
        img_correct[i]->setPicture(assetpaths::layoutPicture("tick.bmp"));
        img_correct[i]->hide();
    }
    for (int i = 0; i < rules::kMarks; ++i) {
        img_wrong[i] = new Image(this, QStringLiteral("img_wrong_%1").arg(i).toUtf8().constData());
        img_wrong[i]->Move(208 + 16 * i, 32, 20, 20);
        img_wrong[i]->setPicture(assetpaths::layoutPicture("cross.bmp"));
        img_wrong[i]->hide();
    }
    lbl_right = rowLabel(this, "lbl_right", "richtig", 8);
    lbl_wrong = rowLabel(this, "lbl_wrong", "falsch", 32);

    img_assistant = new Image(this, "img_assistant", true);
    resetAssistant();
    img_assistant->setVisible(true);  // shown, but empty, until its first reaction

    img_sun = new Image(this, "img_sun", true);
    img_sun->Move(608, 0, 113, 113);
    img_sun->setPicture(assetpaths::layoutPicture("sun.bmp"));

    imgTerm = new Image(this, "imgTerm", true);
    imgTerm->Move(8, 8, 100, 100);

    lbl_hidePic = new Label(this, "lbl_hidePic");
    lbl_hidePic->Move(8, 8, 100, 100);
    lbl_hidePic->setCaption(QStringLiteral("X"));
    lbl_hidePic->setBackColor(bgrColor(0x00800000));
    lbl_hidePic->setForeColor(bgrColor(0x0080FFFF));
    lbl_hidePic->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lbl_hidePic->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 48, true));
    lbl_hidePic->hide();

    imgSpeaker = new Image(this, "imgSpeaker", true);
    imgSpeaker->Move(8, 160, 56, 56);
    imgSpeaker->setVectorPicture(assetpaths::layoutPicture("speaker.svg"));
    imgSpeaker->setFocusPolicy(Qt::NoFocus);  // the letter box keeps the keyboard
    imgSpeaker->setToolTip(QStringLiteral("Wort anhören (F2)"));
    imgSpeaker->hide();
    onClick(imgSpeaker, [this] { imgSpeaker_Click(); });
    onKey(this, Qt::Key_F2, [this] { imgSpeaker_Click(); });
    onShownOrHidden(lbl_hidePic, [this] { updateSpeaker(); });

    imgChest = scenery(this, "imgChest", "chest.gif", 704, 350);
    imgRäuber = scenery(this, "imgRäuber", "robber.gif", 0, 296);
    imgfence = scenery(this, "imgfence", "fence.gif", 280, 288);
    imgtree = scenery(this, "imgtree", "tree.gif", 416, 232);
    mushroom = scenery(this, "mushroom", "mushroom.gif", 56, 312);

    for (int i = 0; i < rules::kLetterBoxes; ++i) {
        auto* box = new LetterBox(this, QStringLiteral("LetterInput_%1").arg(i).toUtf8().constData());
        LetterInput[i] = box;
        box->Move(56 + 40 * i, 440, 33, 33);
        box->setBackColor(bgrColor(0x00C0FFC0));
        box->setAlignment(Qt::AlignCenter);
        box->setFont(layoutFont(QStringLiteral("Arial"), 20.25, true));
        box->setTextMargins(0, 0, 0, 0);
        box->hide();
        connect(box, &QLineEdit::textChanged, this, [this, i] { LetterInput_Change(i); });
        box->onClick([this, i] { LetterInput_Click(i); });
    }

    cmdReset = new CommandButton(this, "cmdReset");
    cmdReset->Move(120, 72, 73, 33);
    cmdReset->setCaption(QStringLiteral("Ende"));
    cmdReset->setBackColor(bgrColor(0x00FFFF00));
    cmdReset->setFont(layoutFont(QStringLiteral("Comic Sans MS"), 12, true));
    // The keyboard belongs to the letter boxes: the button is for the mouse only, so that no
    // key (Space, Return) ever ends a game, also while an end sequence hides the boxes.
    cmdReset->setFocusPolicy(Qt::NoFocus);
    connect(cmdReset, &QPushButton::clicked, this, [this] { cmdReset_Click(); });
    // Without the mouse: Ctrl+Shift+E (kEndKeys) presses it.
    onKey(this, Qt::Key_E, [this] { cmdReset->click(); }, Qt::ControlModifier | Qt::ShiftModifier);

    tmr_hideWordPreview = new Timer(this, "tmr_hideWordPreview", 3000, [this] { tmr_hideWordPreview_Timer(); });
    tmrVerloren = new Timer(this, "tmrVerloren", 250, [this] { tmrVerloren_Timer(); });
    tmrGewonnen = new Timer(this, "tmrGewonnen", 250, [this] { tmrGewonnen_Timer(); });
    tmr_assistantAnimation = new Timer(this, "tmr_assistantAnimation", 100, [this] { tmr_assistantAnimation_Timer(); });
    tmr_assistantResize = new Timer(this, "tmr_assistantResize", 100, [this] { tmr_assistantResize_Timer(); });
    tmr_display = new Timer(this, "tmr_display", 0, [this] { tmr_display_Timer(); });

    buildLetterKeys();
    buildAccessibility();
    buildSyllables();
    buildSoundHelp();
}

void frmRaeuber::resetAssistant() {
    img_assistant->Move(480, 88, 9, 9);
    img_assistant->setPixmapPicture(QPixmap());
    img_assistant->setVisible(false);
}
