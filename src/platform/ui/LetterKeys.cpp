// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/LetterKeys.h"

#include <QCoreApplication>
#include <QEvent>
#include <QInputDevice>
#include <QKeyEvent>
#include <QWindow>
#include <cmath>

#include "platform/ui/Input.h"
#include "platform/system/Timer.h"

namespace platform {

bool touchScreenPresent() {
    for (const QInputDevice* device : QInputDevice::devices())
        if (device->type() == QInputDevice::DeviceType::TouchScreen) return true;
    return false;
}

namespace {

// What a screen reader says for keys whose caption is a sign.
QString spokenName(QChar character) {
    switch (character.unicode()) {
        case u' ': return QStringLiteral("Leerzeichen");
        case u'-': return QStringLiteral("Bindestrich");
        case u'_': return QStringLiteral("Unterstrich");
        case u'(': return QStringLiteral("Klammer auf");
        case u')': return QStringLiteral("Klammer zu");
        case u'.': return QStringLiteral("Punkt");
        case u',': return QStringLiteral("Komma");
        case u'\'': return QStringLiteral("Apostroph");
        case LetterKeyboard::kShift: return QStringLiteral("Großbuchstabe");
        case LetterKeyboard::kErase: return QStringLiteral("Löschen");
        default: return QString(character);
    }
}

QString keyName(QChar character) {
    switch (character.unicode()) {
        case u' ': return QStringLiteral("key_blank");
        case u'-': return QStringLiteral("key_hyphen");
        case LetterKeyboard::kShift: return QStringLiteral("key_shift");
        case LetterKeyboard::kErase: return QStringLiteral("key_erase");
        default: return QStringLiteral("key_") + character;
    }
}

bool isWide(QChar character) {
    return character == QChar(LetterKeyboard::kShift) || character == QChar(LetterKeyboard::kErase);
}

// The capital of a letter, where it has one of a single character (ß keeps its form).
QChar capital(QChar character) {
    const QChar upper = character.toUpper();
    return upper.isUpper() ? upper : character;
}

}  // namespace

KeyButton::KeyButton(QWidget* parent, const char* name) : Control<QPushButton>(parent, name) {
    setTakesFocus(false);
    setAutoDefault(false);
    applyStyle();
}

void KeyButton::setLit(bool lit) {
    if (lit == lit_) return;
    lit_ = lit;
    applyStyle();
}

void KeyButton::rescale() {
    ControlBase::rescale();
    applyStyle();
}

void KeyButton::applyStyle() {
    const double factor = scaleFactor();
    const int border = std::max(1, int(std::lround(2 * factor)));
    const int radius = std::max(2, int(std::lround(6 * factor)));
    // Lit and latched keys are yellow; a pressed key sinks in; a locked key is pale.
    const QString face = lit_ ? QStringLiteral("#ffd740") : QStringLiteral("#fffdf0");
    setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: #202020; border: %2px solid "
                                 "#4a4a4a; border-radius: %3px; padding: 0px; }"
                                 "QPushButton:checked { background-color: #ffd740; }"
                                 "QPushButton:pressed { background-color: #ffc400; border-width: %4px; }"
                                 "QPushButton:disabled { background-color: #e4eee0; color: #9aa59a; "
                                 "border-color: #9aa59a; }")
                      .arg(face)
                      .arg(border)
                      .arg(radius)
                      .arg(2 * border));
}

LetterKeyboard::LetterKeyboard(QWidget* parent, const char* name) : Control<QWidget>(parent, name) {
    // A tap between the keys reaches nothing below them.
    setAttribute(Qt::WA_NoMousePropagation);
    lightsOut_ = std::make_unique<Timer>(nullptr, "tmr_keysLit", kLitMs, [this] {
        for (KeyButton* k : keys_) k->setLit(false);
        lightsOut_->setEnabled(false);
    });
}

LetterKeyboard::~LetterKeyboard() = default;

void LetterKeyboard::setRows(const QStringList& rows, double keyPixels, double gapPixels, const QFont& font) {
    rows_ = rows;
    keyPixels_ = keyPixels;
    gapPixels_ = gapPixels;
    font_ = font;
    for (const QString& row : rows)
        for (const QChar c : row) makeKey(c);
    placeKeys();
    updateCaptions();
}

void LetterKeyboard::resizeKeys(double keyPixels, const QFont& font) {
    if (keyPixels == keyPixels_ && font == font_) return;
    keyPixels_ = keyPixels;
    font_ = font;
    for (KeyButton* button : std::as_const(keys_)) button->setFont(font_);
    placeKeys();
    updateCaptions();
}

KeyButton* LetterKeyboard::makeKey(QChar character) {
    auto* button = new KeyButton(this, keyName(character).toUtf8().constData());
    button->setFont(font_);
    button->setCheckable(character == QChar(kShift));
    button->setAccessibleName(spokenName(character));
    connect(button, &QPushButton::clicked, this, [this, character] { press(character); });
    keys_.append(button);
    characters_.append(character);
    return button;
}

// Every key at its place: the rows, then the row of extra keys; the block takes the size
// its rows need and keeps its top-left corner.
void LetterKeyboard::placeKeys() {
    const double u = unit();
    QStringList rows = rows_;
    if (!extras_.isEmpty()) rows << extras_;
    const double height = rows_.size() * (keyPixels_ + gapPixels_) - gapPixels_;
    const double size = (height - (rows.size() - 1) * gapPixels_) / rows.size();
    double width = 0;
    int index = 0;
    for (int r = 0; r < rows.size(); ++r) {
        double x = 0;
        for (const QChar c : rows[r]) {
            const double w = isWide(c) ? 2 * size + gapPixels_ : size;
            keys_[index++]->Move(x / u, r * (size + gapPixels_) / u, w / u, size / u);
            x += w + gapPixels_;
        }
        width = std::max(width, x - gapPixels_);
    }
    Move(Left(), Top(), width / u, height / u);
}

void LetterKeyboard::setExtraKeys(const QString& characters) {
    if (characters == extras_) return;
    qsizetype base = 0;
    for (const QString& row : rows_) base += row.size();
    // Keys may be taken away while one of them is being pressed: they go once it is done.
    while (keys_.size() > base) {
        KeyButton* old = keys_.takeLast();
        characters_.removeLast();
        old->hide();
        old->deleteLater();
    }
    extras_ = characters;
    for (const QChar c : extras_) {
        KeyButton* button = makeKey(c);
        button->rescale();
        button->show();
    }
    placeKeys();
    updateCaptions();
}

KeyButton* LetterKeyboard::key(QChar character) const {
    const int i = characters_.indexOf(character);
    return i < 0 ? nullptr : keys_[i];
}

void LetterKeyboard::setKeyShown(QChar character, bool shown) {
    if (KeyButton* k = key(character)) k->setVisible(shown);
}

QString LetterKeyboard::captionOf(QChar character) const {
    if (character == QChar(u' ')) return QStringLiteral("\u2423");
    if (character.isLetter()) return QString(shift_ ? capital(character) : character);
    return QString(character);
}

void LetterKeyboard::updateCaptions() {
    for (int i = 0; i < keys_.size(); ++i) {
        const QChar c = characters_[i];
        keys_[i]->setText(captionOf(c));
        if (c.isLetter()) keys_[i]->setAccessibleName(captionOf(c));
        if (c == QChar(kShift)) keys_[i]->setChecked(shift_);
    }
}

void LetterKeyboard::press(QChar character) {
    if (!isEnabled()) return;
    if (character == QChar(kShift)) {
        shift_ = !shift_;
        updateCaptions();
        if (onSpoken) onSpoken(shift_ ? QStringLiteral("Großbuchstabe an") : QStringLiteral("Großbuchstabe aus"));
        return;
    }
    if (KeyButton* k = key(character)) {
        k->setLit(true);
        lightsOut_->setEnabled(false);
        lightsOut_->setEnabled(true);
    }
    QWidget* target = target_ ? target_() : this;
    if (!target) return;
    const bool latched = shift_;
    if (shift_) {
        shift_ = false;
        updateCaptions();
    }
    // Said before it is typed: what the letter causes (a tick) is said after it.
    const QChar typed = latched ? capital(character) : character;
    if (onSpoken) onSpoken(spokenName(typed));
    if (character == QChar(kErase))
        eraseCharacter(target);
    else
        typeCharacter(target, typed);
}

void LetterKeyboard::followBoxes(const QList<TextBox*>& boxes) {
    boxes_ = boxes;
    following_ = true;
    for (TextBox* box : boxes_) box->installEventFilter(this);
    window()->installEventFilter(this);
    followWindowFocus();
    updateLock();
}

// The focus may move while the window is not the active one: no box hears of it then, but
// the window does.
void LetterKeyboard::followWindowFocus() {
    if (focusFollowed_ || !window()->windowHandle()) return;
    focusFollowed_ = true;
    connect(window()->windowHandle(), &QWindow::focusObjectChanged, this, [this] { updateLock(); });
}

bool LetterKeyboard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ReadOnlyChange:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::WindowActivate:
            if (following_) {
                followWindowFocus();
                updateLock();
            }
            break;
        default:
            break;
    }
    return Control<QWidget>::eventFilter(watched, event);
}

void LetterKeyboard::updateLock() {
    QWidget* focus = window()->focusWidget();
    bool waiting = false;
    for (TextBox* box : boxes_)
        if (box == focus && !box->isHidden() && !box->Locked()) waiting = true;
    if (waiting == isEnabled()) return;
    setEnabled(waiting);
    if (waiting && onUnlock) onUnlock();
}

}  // namespace platform
