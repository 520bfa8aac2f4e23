// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArrayView>
#include <QSize>

namespace platform {

// A quick look at a whole PNG file without drawing it: every chunk's check sum, the order of
// its chunks, its end, and its picture data unpacked to the last byte (the exact number of
// bytes its size asks for, each row with a known filter). What it cannot vouch for as the
// picture loader would (a palette, any chunk but IHDR, IDAT, pHYs and IEND, an unusual
// header, more than `largestPixels` pixels) it leaves undecided, and the picture is decoded
// instead.
struct PngLook {
    enum class Verdict { Whole, Damaged, Undecided };
    Verdict verdict = Verdict::Undecided;
    QSize size;  // from the header, when it could be read
};
PngLook lookAtPng(QByteArrayView file, qint64 largestPixels);

}  // namespace platform
