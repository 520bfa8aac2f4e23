// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "platform/ui/Controls.h"

namespace platform {

class TextBox;
class Timer;

// Whether the system reports a touch screen among its input devices.
bool touchScreenPresent();

// One key of an on-screen keyboard. It never takes the keyboard focus, so the box that waits
// for the next letter keeps it; it lights up for a moment when it was pressed.
class KeyButton : public Control<QPushButton> {
public:
    KeyButton(QWidget* parent, const char* name);
    bool Lit() const { return lit_; }
    void setLit(bool lit);
    void rescale() override;

private:
    void applyStyle();
    bool lit_ = false;
};

// A block of large keys that type into their window exactly as the keyboard does (see
// typeCharacter): whatever the keyboard may do, a key may do, and nothing more. A Shift key
// makes the next letter a capital and then lets go again; tapped twice it lets go at once.
class LetterKeyboard : public Control<QWidget> {
public:
    // Keys that type no character of their own.
    static constexpr char16_t kShift = u'\u21E7';
    static constexpr char16_t kErase = u'\u232B';
    // How long a key stays lit after it was pressed, in milliseconds.
    static constexpr int kLitMs = 200;

    LetterKeyboard(QWidget* parent, const char* name);
    ~LetterKeyboard() override;

    // Creates the keys: one string per row, one key per character, in lower case; Shift and
    // Erase take the place of two keys. Sizes are in pixels at scale 1; the block takes the
    // size its rows need and keeps its top-left corner.
    void setRows(const QStringList& rows, double keyPixels, double gapPixels, const QFont& font);
    // The same keys at another size and font, placed again from the block's top-left corner.
    void resizeKeys(double keyPixels, const QFont& font);
    KeyButton* key(QChar character) const;
    const QList<KeyButton*>& keys() const { return keys_; }
    // Shows or hides one key; the others keep their places.
    void setKeyShown(QChar character, bool shown);
    // A row of keys for characters the rows lack (digits, "_", brackets), below them; with
    // such a row every key is made smaller so that the block keeps its height. An empty
    // string takes the row away again and the keys get their size back.
    void setExtraKeys(const QString& characters);
    const QString& extraKeys() const { return extras_; }

    // Where the keys type: by default the widget with the focus in the keyboard's window.
    void setTarget(std::function<QWidget*()> target) { target_ = std::move(target); }
    // From now on the keys are locked unless one of these boxes waits for a letter: shown,
    // not locked, and the one with the focus in its window.
    void followBoxes(const QList<TextBox*>& boxes);
    // Runs each time the keys unlock.
    std::function<void()> onUnlock;
    // Receives what a screen reader is to say after a tap: the character typed, or whether
    // Shift is now on or off.
    std::function<void(const QString&)> onSpoken;

    bool ShiftLatched() const { return shift_; }
    // What a tap on the key does.
    void press(QChar character);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateLock();
    void followWindowFocus();
    void updateCaptions();
    QString captionOf(QChar character) const;
    KeyButton* makeKey(QChar character);
    void placeKeys();

    QList<KeyButton*> keys_;
    QList<QChar> characters_;
    QList<TextBox*> boxes_;
    std::function<QWidget*()> target_;
    std::unique_ptr<Timer> lightsOut_;
    QStringList rows_;
    QString extras_;
    double keyPixels_ = 0;
    double gapPixels_ = 0;
    QFont font_;
    bool shift_ = false;
    bool following_ = false;
    bool focusFollowed_ = false;
};

}  // namespace platform
