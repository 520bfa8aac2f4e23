// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ListControls.h"

#include <QKeyEvent>
#include <QScroller>
#include <cmath>

#include "platform/Pictures.h"

namespace platform {

namespace {
// Pictures are kept at this size and drawn smaller.
constexpr int kKeptPixels = 128;
}

WordList::WordList(QWidget* parent, const char* name) : Control<QListWidget>(parent, name) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QScroller::grabGesture(viewport(), QScroller::TouchGesture);
    connect(this, &QListWidget::currentRowChanged, this, [this](int) {
        if (onCurrentChanged) onCurrentChanged();
    });
}

void WordList::setRows(const QStringList& texts, const QStringList& pictures) {
    clear();
    for (int i = 0; i < texts.size(); ++i) {
        auto* item = new QListWidgetItem(texts[i], this);
        const QPixmap picture = i < pictures.size() ? tryLoadPicture(pictures[i]) : QPixmap();
        if (!picture.isNull()) item->setIcon(QIcon(fitInto(picture.scaled(kKeptPixels, kKeptPixels,
                                                                          Qt::KeepAspectRatio,
                                                                          Qt::SmoothTransformation),
                                                           kKeptPixels, kKeptPixels)));
    }
}

void WordList::setRowText(int row, const QString& text) {
    if (QListWidgetItem* it = item(row)) it->setText(text);
}

void WordList::setRowPicture(int row, const QPixmap& picture) {
    QListWidgetItem* it = item(row);
    if (!it || picture.isNull()) return;
    it->setIcon(QIcon(fitInto(picture, std::max(picture.width(), picture.height()),
                              std::max(picture.width(), picture.height()))));
}

bool WordList::RowHasPicture(int row) const {
    const QListWidgetItem* it = item(row);
    return it && !it->icon().isNull();
}

QString WordList::RowText(int row) const {
    const QListWidgetItem* it = item(row);
    return it ? it->text() : QString();
}

void WordList::setPictureSize(double size) {
    pictureSize_ = size;
    rescale();
}

void WordList::rescale() {
    ControlBase::rescale();
    const int side = std::max(8, int(std::lround(pictureSize_ * scaleFactor())));
    setIconSize(QSize(side, side));
}

void WordList::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && event->key() == Qt::Key_Space && onSpace) return onSpace();
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && onReturn) return onReturn();
    QListWidget::keyPressEvent(event);
}

LevelMeter::LevelMeter(QWidget* parent, const char* name) : Control<QProgressBar>(parent, name) {
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
}

void LevelMeter::setLevel(double level) { setValue(int(std::lround(std::clamp(level, 0.0, 1.0) * 100))); }

}  // namespace platform
