// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>
#include <QWidget>
#include <functional>

namespace platform {

// A window of the program. Every form class has one default instance, addressed by the
// form's name and created on first use (see form()); the first Show or setVisible(true)
// loads it: its Load handler runs once. Unload runs the Unload handler and destroys the
// window. The program ends when the last loaded form is unloaded; hiding is not ending.
class Form : public QWidget {
public:
    explicit Form(const QString& name);
    ~Form() override;

    // Modeless: loads the form if needed, shows and activates it.
    void Show();
    // false hides a loaded form, true loads it if needed, shows it again and activates it
    // (the window gets the keyboard, with or without a window manager).
    void setVisible(bool visible) override;
    bool Visible() const { return !isHidden(); }
    bool isLoaded() const { return loaded_; }

    void Unload();
    // Draws the form at once, without waiting for the event loop.
    void Refresh();

    // Inner width in the form's own design unit (pixels, or twips for twip forms), whatever
    // the scale factor; a scene that follows the window is as wide as designed.
    double ScaleWidth() const {
        return sceneSize_.isEmpty() ? width() / pixelsPerUnit() : sceneSize_.width();
    }
    // Outer size in twips, as a window with a standard frame would have it.
    void setOuterSizeTwips(int width, int height);
    // Centres the window, with its frame if it has one, and keeps it whole on the screen.
    void centerOnScreen();

    // The scene follows the window: the largest factor at which the design size fits the
    // window, the scene centred, the margins beside it in the margin colours.
    void scaleSceneWithWindow(double designWidth, double designHeight);
    // Above the horizon (in design units) the margins take `above`, below it `below`.
    void setMarginColours(const QColor& above, const QColor& below, double horizon);
    // A window of fixed size: its design size, scaled with the program's factor whenever the
    // window is shown.
    void setFixedDesignSize(double width, double height);
    // Full screen, also where no window manager does it; off brings back the window as it was.
    void setFullScreen(bool on);
    bool FullScreen() const { return fullScreen_; }

    bool KeyPreview = false;
    // Pixels per unit of this form's coordinates at scale 1: 1 for pixel forms, 1/15 for twip
    // forms.
    double unit() const { return unit_; }

    // The factor from design pixels to screen pixels, 1 as designed. Changing it places every
    // control of the form anew and scales its font and its picture.
    double scaleFactor() const { return scale_; }
    void setScaleFactor(double factor) { setScale(factor, origin_); }
    // Where the scene's top-left corner lies in the window, in pixels (margins beside it).
    QPoint sceneOrigin() const { return origin_; }
    void setScale(double factor, QPoint origin);
    double pixelsPerUnit() const { return unit_ * scale_; }

protected:
    void setTwipUnits() { unit_ = 1.0 / 15.0; }
    virtual void Form_Load() {}
    // Runs each time the hidden form is shown again and made the active window.
    virtual void Form_Activate() {}
    // With KeyPreview on, every key in this window that produces a character comes here first,
    // whichever control of the form has the focus. Setting it to 0 swallows the key.
    virtual void Form_KeyPress(int& key) { (void)key; }
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }
    // The window's close box: unloads the form unless a form says otherwise. A close that
    // comes while a handler runs (Handling.h) is carried out after the handler.
    virtual void closeBoxClicked() { Unload(); }
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void load();
    bool previewKey(QEvent* keyPress);

    bool loaded_ = false;
    bool unloading_ = false;
    double unit_ = 1.0;
    double scale_ = 1.0;
    QPoint origin_;
    bool fullScreen_ = false;
    QRect windowGeometry_;  // the window's place before full screen
    QSizeF sceneSize_;   // set when the scene follows the window
    QSizeF fixedSize_;   // set for windows of fixed size
    QColor marginAbove_, marginBelow_;
    double horizon_ = 0;
};

// The factor every window of the program is drawn at: the game sets it as its window
// changes; the start-up screen and the menu follow it when they are shown.
double programScale();
void setProgramScale(double factor);
// The largest factor at which a window of the design size (pixels, without its frame) fits
// the screen's available area with its frame, at most 1; or, for full screen, the factor at
// which it fills the whole screen.
double fittingScale(double designWidth, double designHeight, bool fullScreen);

// Default instances by form name. The start-up code registers a factory per form.
void registerForm(const QString& name, std::function<Form*()> factory);
Form& form(const QString& name);
template <class F>
F& Default(const QString& name) {
    return static_cast<F&>(form(name));
}
// The default instance if it exists, else nullptr (does not create it).
Form* existingForm(const QString& name);
// Unloads the form's default instance if it is loaded; does nothing otherwise.
void Unload(const QString& name);

// The loaded forms, in load order.
const QList<Form*>& Forms();

// Tests: destroy every instance and forget every loaded form.
void destroyAllForms();

// Standard frame of a sizable window, in pixels, that outer sizes include.
constexpr int kFrameWidthPx = 10;
constexpr int kFrameHeightPx = 27;

}  // namespace platform
