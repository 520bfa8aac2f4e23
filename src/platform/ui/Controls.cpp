// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/Controls.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QTextLayout>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "platform/ui/Access.h"
#include "platform/ui/Form.h"
#include "platform/pictures/Pictures.h"
#include "platform/ui/FormPictures.h"

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

void fillBackground(QWidget* widget, const QColor& color) {
    setPaletteColor(widget, QPalette::Window, color);
    widget->setAutoFillBackground(true);
}

QString displayText(const QString& caption) {
    QString text = caption;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

namespace {

const Form* formOf(const QWidget* widget) { return dynamic_cast<const Form*>(widget->window()); }

}  // namespace

ControlBase::ControlBase(QWidget* widget, const char* name) : widget_(widget) {
    widget_->setObjectName(QString::fromUtf8(name));
}

double ControlBase::scaleFactor() const {
    const Form* form = formOf(widget_);
    return form ? form->scaleFactor() : 1.0;
}

double ControlBase::unit() const {
    const Form* form = formOf(widget_);
    return form ? form->unit() : 1.0;
}

double ControlBase::pixelsPerUnit() const { return unit() * scaleFactor(); }

int ControlBase::px(double v) const { return static_cast<int>(std::lround(v * pixelsPerUnit())); }

void ControlBase::Move(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    place();
}

void ControlBase::place() {
    QPoint origin;
    if (const Form* form = formOf(widget_); form && widget_->parentWidget() == form)
        origin = form->sceneOrigin();
    widget_->setGeometry(origin.x() + px(left_), origin.y() + px(top_), std::max(0, px(width_)),
                         std::max(0, px(height_)));
}

void ControlBase::setTakesFocus(bool takes) {
    widget_->setFocusPolicy(takes ? Qt::StrongFocus : Qt::NoFocus);
    if (!takes && widget_->hasFocus()) widget_->clearFocus();
}

void ControlBase::rescale() {
    // The font the layout gave is the design font; it is kept the first time the form scales.
    if (!designFontKept_) {
        designFont_ = widget_->font();
        designFontKept_ = true;
    }
    QFont font = designFont_;
    const double factor = scaleFactor();
    if (designFont_.pointSizeF() > 0)
        font.setPointSizeF(designFont_.pointSizeF() * factor);
    else if (designFont_.pixelSize() > 0)
        font.setPixelSize(std::max(1, int(std::lround(designFont_.pixelSize() * factor))));
    widget_->setFont(font);
    place();
}

Image::Image(QWidget* parent, const char* name, bool stretch)
    : Control<QLabel>(parent, name), stretch_(stretch) {
    setScaledContents(stretch);
}

void Image::setPicture(const QString& composedPath) {
    // The drawing made for the scene's size where there is one (sharp on a large screen).
    const QPixmap pixmap = loadPictureForScale(composedPath, scaleFactor() * devicePixelRatioF());
    setPixmapPicture(pixmap);
    picturePath_ = composedPath;
}

void Image::setPixmapPicture(const QPixmap& pixmap) {
    setPixmap(pixmap);
    vectorPath_.clear();
    picturePath_.clear();
    if (!stretch_ && !pixmap.isNull()) {
        const QSizeF size = pixmap.deviceIndependentSize();
        Move(Left(), Top(), size.width() / unit(), size.height() / unit());
    }
}

void Image::setVectorPicture(const QString& path) {
    vectorPath_ = path;
    setPixmap(renderVectorPicture(path, px(Width()), px(Height())));
}

int Image::pixelsAtMost(double factor) const {
    const double side = std::max(Width(), Height()) * unit() * std::max(factor, scaleFactor());
    return static_cast<int>(std::ceil(side * devicePixelRatioF()));
}

void Image::rescale() {
    ControlBase::rescale();
    // At its design size a picture is drawn pixel for pixel; otherwise it is scaled smoothly.
    setScaledContents(stretch_ || scaleFactor() != 1.0);
    if (!picturePath_.isEmpty()) {
        const QPixmap sharper = tryLoadPictureForScale(picturePath_, scaleFactor() * devicePixelRatioF());
        if (!sharper.isNull()) setPixmap(sharper);
    }
    if (!vectorPath_.isEmpty()) setPixmap(renderVectorPicture(vectorPath_, px(Width()), px(Height())));
}

Label::Label(QWidget* parent, const char* name) : Control<QLabel>(parent, name) {
    setTextFormat(Qt::PlainText);  // a caption is text, whatever characters it holds
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Label::setCaption(const QString& caption) {
    caption_ = caption;
    setText(displayText(caption));
}

void Label::setBackColor(const QColor& color) { fillBackground(this, color); }

void Label::setForeColor(const QColor& color) { setPaletteColor(this, QPalette::WindowText, color); }

void Label::rescale() {
    ControlBase::rescale();
    // Glyphs are hinted to whole pixels, so a font scaled by the factor runs a little wider
    // or narrower than the design times the factor. A scaled caption keeps the lines it has
    // as designed, and is stretched back to its scaled design width, so that what lies over
    // it (the start-up screen's links over their runs of blanks) still fits.
    if (!designWrapKept_) {
        designWordWrap_ = wordWrap();
        designWrapKept_ = true;
    }
    const QString text = displayText(caption_);
    if (scaleFactor() == 1.0 || text.isEmpty()) {
        setWordWrap(designWordWrap_);
        setText(text);
        return;
    }
    QFont design = font();
    design.setPointSizeF(font().pointSizeF() / scaleFactor());
    design.setStretch(QFont::AnyStretch);
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        if (!designWordWrap_) {
            lines << paragraph;
            continue;
        }
        QTextLayout layout(paragraph, design);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(Width() * unit());
            lines << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
        if (paragraph.isEmpty()) lines << QString();
    }
    double wanted = 0, now = 0;
    for (const QString& line : lines) {
        wanted = std::max(wanted, QFontMetricsF(design).horizontalAdvance(line) * scaleFactor());
        now = std::max(now, QFontMetricsF(font()).horizontalAdvance(line));
    }
    QFont stretched = font();
    if (wanted > 0 && now > 0)
        stretched.setStretch(std::clamp(int(std::floor(100 * wanted / now)), 80, 120));
    setFont(stretched);
    // A run of blanks keeps its scaled design width: it gets as many blanks as fill it.
    const double designBlank = QFontMetricsF(design).horizontalAdvance(QLatin1Char(' ')) * scaleFactor();
    const double blank = QFontMetricsF(stretched).horizontalAdvance(QLatin1Char(' '));
    static const QRegularExpression run(QStringLiteral("  +"));
    for (QString& line : lines) {
        QString spaced;
        qsizetype from = 0;
        for (auto it = run.globalMatch(line); it.hasNext();) {
            const auto match = it.next();
            spaced += line.mid(from, match.capturedStart() - from);
            spaced += QString(int(std::lround(match.capturedLength() * designBlank / blank)), QLatin1Char(' '));
            from = match.capturedEnd();
        }
        line = spaced + line.mid(from);
    }
    setWordWrap(false);
    setText(lines.join(QLatin1Char('\n')));
}

TextBox::TextBox(QWidget* parent, const char* name) : Control<QLineEdit>(parent, name) { presentAsTextBox(this); }

void TextBox::SetFocus() {
    if (isHidden() || !window()->isVisible()) return;
    setFocus(Qt::OtherFocusReason);
}

void TextBox::setBackColor(const QColor& color) { setPaletteColor(this, QPalette::Base, color); }

CommandButton::CommandButton(QWidget* parent, const char* name) : Control<QPushButton>(parent, name) {}

void CommandButton::setBackColor(const QColor& color) {
    backColor_ = color;
    applyStyle();
}

void CommandButton::rescale() {
    ControlBase::rescale();
    applyStyle();
}

void CommandButton::applyStyle() {
    if (!backColor_.isValid()) return;
    const int border = std::max(1, int(std::lround(scaleFactor())));
    setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: %2px solid #404040; }"
                                 "QPushButton:focus { border: %3px solid #000000; }"
                                 "QPushButton:pressed { border: %4px inset #404040; }")
                      .arg(backColor_.name())
                      .arg(border)
                      .arg(3 * border)
                      .arg(2 * border));
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

Line::Line(QWidget* parent, const char* name) : Control<QWidget>(parent, name) {
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
    pen.setWidthF(pen_ * scaleFactor());
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const QPointF origin(Left(), Top());
    const double ppu = pixelsPerUnit();
    painter.drawLine((QPointF(x1_, y1_) - origin) * ppu, (QPointF(x2_, y2_) - origin) * ppu);
}

Frame::Frame(QWidget* parent, const char* name) : Control<QFrame>(parent, name) {
    setFrameShape(QFrame::NoFrame);
}

}  // namespace platform
