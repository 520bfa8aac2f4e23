#pragma once
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QString>
#include <cmath>

namespace platform {

// Colours are written as the layout gives them: 0x00BBGGRR, blue, green and red bytes.
QColor bgrColor(unsigned bgr);
// The layout's fonts, with the substitutes this system has (Arial → Liberation Sans,
// Comic Sans MS → Comic Neue, System → the default font).
QFont layoutFont(const QString& family, double points, bool bold);
void setPaletteColor(QWidget* widget, QPalette::ColorRole role, const QColor& color);
// Carriage returns (character 13) break lines on screen.
QString displayText(const QString& caption);

// Position and size in the form's unit (pixels or twips). Fractions are kept and only
// rounded when the widget is placed.
template <class W>
class Control : public W {
public:
    Control(QWidget* parent, const char* name, double unit) : W(parent), unit_(unit) {
        this->setObjectName(QString::fromUtf8(name));
    }

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void setLeft(double v) { Move(v, top_, width_, height_); }
    void setTop(double v) { Move(left_, v, width_, height_); }
    void setWidth(double v) { Move(left_, top_, v, height_); }
    void setHeight(double v) { Move(left_, top_, width_, v); }
    void Move(double left, double top, double width, double height) {
        left_ = left;
        top_ = top;
        width_ = width;
        height_ = height;
        this->setGeometry(px(left_), px(top_), std::max(0, px(width_)), std::max(0, px(height_)));
    }
    // The control's own flag, also while its form is hidden.
    bool Visible() const { return !this->isHidden(); }
    double unit() const { return unit_; }

protected:
    int px(double v) const { return static_cast<int>(std::lround(v * unit_)); }

private:
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    double unit_;
};

// An image control. Without stretch, loading a picture resizes the control to the picture
// and keeps its top-left corner; with stretch the picture is scaled to the control.
class Image : public Control<QLabel> {
public:
    Image(QWidget* parent, const char* name, double unit = 1.0, bool stretch = false);
    // Loads the picture at a composed path (ends the program when it cannot).
    void setPicture(const QString& composedPath);
    // Shows a picture the program already has (layout pictures).
    void setPixmapPicture(const QPixmap& pixmap);
    const QString& PicturePath() const { return picturePath_; }
    bool Stretch() const { return stretch_; }

private:
    bool stretch_;
    QString picturePath_;
};

class Label : public Control<QLabel> {
public:
    Label(QWidget* parent, const char* name, double unit = 1.0);
    const QString& Caption() const { return caption_; }
    void setCaption(const QString& caption);
    void setBackColor(const QColor& color);  // opaque background
    void setForeColor(const QColor& color);

private:
    QString caption_;
};

// A one-line text box. Locked: read-only, still takes the focus.
class TextBox : public Control<QLineEdit> {
public:
    TextBox(QWidget* parent, const char* name, double unit = 1.0);
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
    CommandButton(QWidget* parent, const char* name, double unit = 1.0);
    QString Caption() const { return text(); }
    void setCaption(const QString& c) { setText(c); }
    // Graphical style: the button shows its background colour, and a thick frame while it
    // has the focus.
    void setBackColor(const QColor& color);

protected:
    // Return and the keypad's Enter press the focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;
};

// A straight line between two points, drawn the given number of pixels wide.
class Line : public Control<QWidget> {
public:
    Line(QWidget* parent, const char* name, double unit = 1.0);
    void setPoints(double x1, double y1, double x2, double y2, int penPixels);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    int pen_ = 1;
};

class Frame : public Control<QFrame> {
public:
    Frame(QWidget* parent, const char* name, double unit = 1.0);
};

}  // namespace platform
