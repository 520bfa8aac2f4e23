// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/ListControls.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QPainter>
#include <QScroller>
#include <atomic>
#include <cmath>
#include <mutex>

#include "platform/pictures/Pictures.h"

namespace platform {

namespace {
// Pictures are decoded no larger than this and drawn smaller.
constexpr int kKeptPixels = 128;

// A picture decoded no larger than a square of `side` pixels, its proportions kept.
QImage thumbnail(const QString& path, int side) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > side || size.height() > side))
        reader.setScaledSize(size.scaled(side, side, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull()) return image;
    if (image.width() > side || image.height() > side)
        image = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // Centred in a square, so that every row's picture lines up.
    QImage square(side, side, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawImage((side - image.width()) / 2, (side - image.height()) / 2, image);
    return square;
}
}  // namespace

// What the decoding thread hands to the list, and the list's word to stop.
struct WordList::Decoding {
    std::mutex mutex;
    std::deque<std::pair<int, QImage>> done;
    std::atomic<bool> stop{false};
};

WordList::WordList(QWidget* parent, const char* name) : Control<QListWidget>(parent, name) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QScroller::grabGesture(viewport(), QScroller::TouchGesture);
    connect(this, &QListWidget::currentRowChanged, this, [this](int) {
        if (onCurrentChanged) onCurrentChanged();
    });
}

WordList::~WordList() { stopDecoding(); }

void WordList::stopDecoding() {
    if (decoding_) decoding_->stop = true;
    if (decoder_.joinable()) decoder_.join();
    decoding_.reset();
    pending_ = 0;
}

void WordList::setRows(const QStringList& texts, const QStringList& pictures) {
    stopDecoding();
    clear();
    for (const QString& text : texts) new QListWidgetItem(text, this);
    QList<std::pair<int, QString>> wanted;
    for (int i = 0; i < std::min(texts.size(), pictures.size()); ++i)
        if (!pictures[i].isEmpty()) wanted.append({i, pictures[i]});
    if (wanted.isEmpty()) return;
    pending_ = int(wanted.size());
    auto decoding = std::make_shared<Decoding>();
    decoding_ = decoding;
    // The list outlives the thread (it joins it), so the posted hand-overs find it there.
    decoder_ = std::thread([this, decoding, wanted] {
        for (const auto& [row, path] : wanted) {
            if (decoding->stop) return;
            QImage image = thumbnail(path, kKeptPixels);
            {
                std::lock_guard lock(decoding->mutex);
                decoding->done.emplace_back(row, std::move(image));
            }
            QMetaObject::invokeMethod(this, [this] { takeDecoded(); }, Qt::QueuedConnection);
        }
    });
}

void WordList::takeDecoded() {
    if (!decoding_) return;
    std::deque<std::pair<int, QImage>> done;
    {
        std::lock_guard lock(decoding_->mutex);
        done.swap(decoding_->done);
    }
    for (auto& [row, image] : done) {
        --pending_;
        if (QListWidgetItem* it = item(row); it && !image.isNull()) it->setIcon(QIcon(QPixmap::fromImage(image)));
    }
}

void WordList::finishPictures() {
    if (decoder_.joinable()) decoder_.join();
    takeDecoded();
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

LevelMeter::LevelMeter(QWidget* parent, const char* name) : Control<QWidget>(parent, name) {}

void LevelMeter::setLevel(double level) {
    const double decibels = level > 0 ? 20 * std::log10(std::min(level, 1.0)) : kFloorDecibels;
    const double filled = std::clamp((decibels - kFloorDecibels) / -kFloorDecibels, 0.0, 1.0);
    const bool clipping = decibels >= kClippingDecibels;
    if (filled == filled_ && clipping == clipping_) return;
    filled_ = filled;
    clipping_ = clipping;
    update();
}

void LevelMeter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(box, QColor(250, 250, 250));
    // The mark for overdriving: the last 4 % of the bar.
    const int mark = std::max(4, box.width() / 25);
    const QRect scale(box.left(), box.top(), box.width() - mark, box.height());
    painter.fillRect(QRect(scale.left(), scale.top(), int(std::lround(scale.width() * filled_)), scale.height()),
                     QColor(60, 160, 60));
    // Ticks every 10 dB.
    painter.setPen(QColor(120, 120, 120));
    for (int db = -50; db < 0; db += 10) {
        const int x = scale.left() + int(std::lround(scale.width() * (db - kFloorDecibels) / -kFloorDecibels));
        painter.drawLine(x, box.bottom() - box.height() / 3, x, box.bottom());
    }
    painter.fillRect(QRect(scale.right() + 1, box.top(), mark, box.height()),
                     clipping_ ? QColor(220, 0, 0) : QColor(235, 200, 200));
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(box);
}

}  // namespace platform
