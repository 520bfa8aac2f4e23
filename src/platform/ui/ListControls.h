// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QListWidget>
#include <QString>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <thread>

#include "platform/ui/Controls.h"

namespace platform {

// A list of rows, each with a small picture and a text; a screen reader reads the rows
// as list items by their text. The arrow keys move through it; Space and Return are
// handed to the form. A finger drags it up and down. The pictures are decoded on a thread
// of their own at the size they are shown (a camera's photo never whole), after the rows
// are there, and filled in as they come.
class WordList : public Control<QListWidget> {
public:
    WordList(QWidget* parent, const char* name);
    ~WordList() override;
    // Replaces the rows: their texts and the pictures beside them (paths, may be missing).
    void setRows(const QStringList& texts, const QStringList& pictures);
    void setRowText(int row, const QString& text);
    // Puts a picture beside a row that has none yet (pictures filled in as they come).
    void setRowPicture(int row, const QPixmap& picture);
    bool RowHasPicture(int row) const;
    QString RowText(int row) const;
    int Rows() const { return count(); }
    int CurrentRow() const { return currentRow(); }
    void setCurrentRow(int row) { QListWidget::setCurrentRow(row); }
    // The size of the pictures in design pixels (scaled with the form).
    void setPictureSize(double size);
    // Waits until every picture is decoded and shown (tests, benchmarks).
    void finishPictures();
    // Rows whose picture is not decoded yet.
    int picturesPending() const { return pending_; }

    std::function<void()> onSpace;
    std::function<void()> onReturn;
    std::function<void()> onCurrentChanged;

    void rescale() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Decoding;
    void stopDecoding();
    void takeDecoded();

    double pictureSize_ = 40;
    int pending_ = 0;
    std::shared_ptr<Decoding> decoding_;
    std::thread decoder_;
};

// The microphone's level in decibels, from -60 dBFS (empty) to 0 dBFS (full), with a mark
// near the right end that lights up red when the input is overdriven. It is a picture
// only: a screen reader is not told each change of the level.
class LevelMeter : public Control<QWidget> {
public:
    LevelMeter(QWidget* parent, const char* name);
    // The loudest sample of the moment, 0 to 1 of full scale.
    void setLevel(double level);
    // How full the bar is, 0 to 1 (on the decibel scale), and whether the mark is lit.
    double Level() const { return filled_; }
    bool Clipping() const { return clipping_; }

    static constexpr double kFloorDecibels = -60.0;
    static constexpr double kClippingDecibels = -0.5;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double filled_ = 0;
    bool clipping_ = false;
};

}  // namespace platform
