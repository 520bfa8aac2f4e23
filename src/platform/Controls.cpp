#include "platform/Controls.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>

#include "platform/Pictures.h"

namespace platform {

QColor bgrColor(unsigned bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QFont layoutFont(const QString& family, double points, bool bold) {
    QFont font;
    if (family == QLatin1String("Arial"))
        font.setFamily(QStringLiteral("Liberation Sans"));
    else if (family == QLatin1String("Comic Sans MS"))
        font.setFamily(QStringLiteral("Comic Neue"));
    else if (family != QLatin1String("System"))
        font.setFamily(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void setPaletteColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette p = widget->palette();
    p.setColor(role, color);
    widget->setPalette(p);
}

QString displayText(const QString& caption) {
    QString text = caption;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

Image::Image(QWidget* parent, const char* name, double unit, bool stretch)
    : Control<QLabel>(parent, name, unit), stretch_(stretch) {
    setScaledContents(stretch);
}

void Image::setPicture(const QString& composedPath) {
    const QPixmap pixmap = LoadPicture(composedPath);
    setPixmapPicture(pixmap);
    picturePath_ = composedPath;
}

void Image::setPixmapPicture(const QPixmap& pixmap) {
    setPixmap(pixmap);
    if (!stretch_ && !pixmap.isNull())
        Move(Left(), Top(), pixmap.width() / unit(), pixmap.height() / unit());
}

Label::Label(QWidget* parent, const char* name, double unit) : Control<QLabel>(parent, name, unit) {
    setTextFormat(Qt::PlainText);  // a caption is text, whatever characters it holds
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::setCaption(const QString& caption) {
    caption_ = caption;
    setText(displayText(caption));
}

void Label::setBackColor(const QColor& color) {
    setPaletteColor(this, QPalette::Window, color);
    setAutoFillBackground(true);
}

void Label::setForeColor(const QColor& color) { setPaletteColor(this, QPalette::WindowText, color); }

TextBox::TextBox(QWidget* parent, const char* name, double unit)
    : Control<QLineEdit>(parent, name, unit) {}

void TextBox::SetFocus() {
    if (isHidden() || !window()->isVisible()) return;
    setFocus(Qt::OtherFocusReason);
}

void TextBox::setBackColor(const QColor& color) { setPaletteColor(this, QPalette::Base, color); }

CommandButton::CommandButton(QWidget* parent, const char* name, double unit)
    : Control<QPushButton>(parent, name, unit) {}

void CommandButton::setBackColor(const QColor& color) {
    setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #404040; }"
                                 "QPushButton:focus { border: 3px solid #000000; }"
                                 "QPushButton:pressed { border: 2px inset #404040; }")
                      .arg(color.name()));
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

Line::Line(QWidget* parent, const char* name, double unit) : Control<QWidget>(parent, name, unit) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setPoints(double x1, double y1, double x2, double y2, int penPixels) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    pen_ = penPixels;
    // Flat ends: the pen widens the line across its direction only.
    const double half = pen_ / 2.0 / unit();
    const double padX = x1 == x2 ? half : (y1 == y2 ? 0 : half);
    const double padY = y1 == y2 ? half : (x1 == x2 ? 0 : half);
    Move(std::min(x1, x2) - padX, std::min(y1, y2) - padY, std::abs(x2 - x1) + 2 * padX,
         std::abs(y2 - y1) + 2 * padY);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(palette().color(QPalette::WindowText));
    pen.setWidth(pen_);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const QPointF origin(Left(), Top());
    painter.drawLine((QPointF(x1_, y1_) - origin) * unit(), (QPointF(x2_, y2_) - origin) * unit());
}

Frame::Frame(QWidget* parent, const char* name, double unit) : Control<QFrame>(parent, name, unit) {
    setFrameShape(QFrame::NoFrame);
}

}  // namespace platform
