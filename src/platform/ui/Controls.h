// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QString>

namespace platform {

class Form;

// Colours are written as the layout gives them: 0x00BBGGRR, blue, green and red bytes.
QColor bgrColor(unsigned bgr);
// The layout's fonts, with the substitutes this system has (Arial → Liberation Sans,
// Comic Sans MS → Comic Neue, System → the default font).
QFont layoutFont(const QString& family, double points, bool bold);
void setPaletteColor(QWidget* widget, QPalette::ColorRole role, const QColor& color);
// Fills the widget's background with the colour (its children inherit it).
void fillBackground(QWidget* widget, const QColor& color);
// Carriage returns (character 13) break lines on screen.
QString displayText(const QString& caption);

// What every control of a form has: a place and a size in the form's design unit (pixels
// or twips), kept with their fractions. The form turns them into screen pixels with its
// own factor (see Form::pixelsPerUnit) and walks its controls when that factor changes.
class ControlBase {
public:
    virtual ~ControlBase() = default;

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void setLeft(double v) { Move(v, top_, width_, height_); }
    void setTop(double v) { Move(left_, v, width_, height_); }
    void setWidth(double v) { Move(left_, top_, v, height_); }
    void setHeight(double v) { Move(left_, top_, width_, v); }
    void Move(double left, double top, double width, double height);
    // The control's own flag, also while its form is hidden.
    bool Visible() const { return !widget_->isHidden(); }

    // A control that never takes the keyboard: neither a click nor Tab moves the focus to it.
    void setTakesFocus(bool takes);
    bool TakesFocus() const { return widget_->focusPolicy() != Qt::NoFocus; }

    // Screen pixels per design unit: the form's unit times the form's scale factor.
    double pixelsPerUnit() const;
    double scaleFactor() const;
    // Pixels per design unit at scale 1: 1 on pixel forms, 1/15 on twip forms.
    double unit() const;
    // Places the widget anew and scales its font and what it draws; the form calls this
    // for every control when its factor changes.
    virtual void rescale();

protected:
    ControlBase(QWidget* widget, const char* name);
    int px(double v) const;

private:
    void place();

    QWidget* widget_;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    QFont designFont_;
    bool designFontKept_ = false;
};

template <class W>
class Control : public W, public ControlBase {
public:
    Control(QWidget* parent, const char* name) : W(parent), ControlBase(this, name) {}
};

// An image control. Without stretch, loading a picture resizes the control to the picture
// and keeps its top-left corner; with stretch the picture is scaled to the control.
class Image : public Control<QLabel> {
public:
    Image(QWidget* parent, const char* name, bool stretch = false);
    // Loads the picture at a composed path (ends the program when it cannot).
    void setPicture(const QString& composedPath);
    // Shows a picture the program already has (layout pictures).
    void setPixmapPicture(const QPixmap& pixmap);
    // A vector picture drawn at the control's size, drawn again whenever the form scales.
    void setVectorPicture(const QString& path);
    const QString& PicturePath() const { return picturePath_; }
    bool Stretch() const { return stretch_; }
    // The longer side of the control in device pixels when its form is drawn at `factor`,
    // or at its present scale when that is larger.
    int pixelsAtMost(double factor) const;
    void rescale() override;

private:
    bool stretch_;
    QString picturePath_;
    QString vectorPath_;
};

class Label : public Control<QLabel> {
public:
    Label(QWidget* parent, const char* name);
    const QString& Caption() const { return caption_; }
    void setCaption(const QString& caption);
    void setBackColor(const QColor& color);  // opaque background
    void setForeColor(const QColor& color);
    void rescale() override;

private:
    QString caption_;
    bool designWordWrap_ = true;
    bool designWrapKept_ = false;
};

// A one-line text box. Locked: read-only, still takes the focus.
class TextBox : public Control<QLineEdit> {
public:
    TextBox(QWidget* parent, const char* name);
    QString Text() const { return text(); }
    void setText(const QString& t) { QLineEdit::setText(t); }
    bool Locked() const { return isReadOnly(); }
    void setLocked(bool locked) { setReadOnly(locked); }
    // Moves the focus here; never into a hidden box or a hidden window.
    void SetFocus();
    void setBackColor(const QColor& color);
};

class CommandButton : public Control<QPushButton> {
public:
    CommandButton(QWidget* parent, const char* name);
    QString Caption() const { return text(); }
    void setCaption(const QString& c) { setText(c); }
    // Graphical style: the button shows its background colour, and a thick frame while it
    // has the focus.
    void setBackColor(const QColor& color);
    void rescale() override;

protected:
    // Return and the keypad's Enter press the focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyStyle();
    QColor backColor_;
};

// A straight line between two points, drawn the given number of pixels wide at scale 1.
class Line : public Control<QWidget> {
public:
    Line(QWidget* parent, const char* name);
    void setPoints(double x1, double y1, double x2, double y2, int penPixels);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    int pen_ = 1;
};

class Frame : public Control<QFrame> {
public:
    Frame(QWidget* parent, const char* name);
};

}  // namespace platform
