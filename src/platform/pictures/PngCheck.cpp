// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pictures/PngCheck.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>
#include <zlib.h>

namespace platform {

namespace {

using Verdict = PngLook::Verdict;

quint32 bigEndian(const uchar* p) { return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3]; }

bool is(const uchar* type, const char (&name)[5]) { return std::memcmp(type, name, 4) == 0; }

// The rows of the picture data, pass by pass (one pass, or the seven of an interlaced
// picture): how many, and the bytes of each after its filter byte.
struct Pass {
    quint64 rows;
    quint64 rowBytes;
};

std::vector<Pass> passesOf(quint32 width, quint32 height, int bitsPerPixel, bool interlaced) {
    static constexpr std::array<std::array<int, 4>, 7> kAdam7{
        {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}};
    std::vector<Pass> passes;
    const auto add = [&](quint64 w, quint64 h) {
        if (w > 0 && h > 0) passes.push_back({h, (w * quint64(bitsPerPixel) + 7) / 8});
    };
    if (!interlaced) {
        add(width, height);
        return passes;
    }
    for (const auto& [x0, y0, dx, dy] : kAdam7)
        add(width > quint32(x0) ? (width - x0 + dx - 1) / dx : 0, height > quint32(y0) ? (height - y0 + dy - 1) / dy : 0);
    return passes;
}

// Follows the unpacked bytes through the rows: each row starts with a filter byte of 0 to 4.
class RowWalk {
public:
    explicit RowWalk(std::vector<Pass> passes) : passes_(std::move(passes)) {}
    bool take(const uchar* p, quint64 n) {
        while (n > 0) {
            if (pass_ >= passes_.size()) return false;  // more data than the picture holds
            const Pass& pass = passes_[pass_];
            if (inRow_ == 0) {
                if (*p > 4) return false;
                ++p, --n, inRow_ = 1;
            }
            const quint64 step = std::min(n, pass.rowBytes + 1 - inRow_);
            p += step, n -= step, inRow_ += step;
            if (inRow_ == pass.rowBytes + 1) {
                inRow_ = 0;
                if (++row_ == pass.rows) ++pass_, row_ = 0;
            }
        }
        return true;
    }
    bool complete() const { return pass_ == passes_.size(); }

private:
    std::vector<Pass> passes_;
    size_t pass_ = 0;
    quint64 row_ = 0, inRow_ = 0;
};

// The header: size, and the bits per pixel of the kinds taken here (grey, colour, each with
// or without alpha; no palette); 0 for anything else.
int bitsPerPixel(const uchar* ihdr) {
    const int depth = ihdr[8], colour = ihdr[9];
    if (ihdr[10] != 0 || ihdr[11] != 0 || ihdr[12] > 1) return 0;
    const bool wide = depth == 16;
    switch (colour) {
        case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || wide ? depth : 0;
        case 2: return depth == 8 || wide ? 3 * depth : 0;
        case 4: return depth == 8 || wide ? 2 * depth : 0;
        case 6: return depth == 8 || wide ? 4 * depth : 0;
        default: return 0;
    }
}

}  // namespace

PngLook lookAtPng(QByteArrayView file, qint64 largestPixels) {
    PngLook look;
    const auto* const data = reinterpret_cast<const uchar*>(file.data());
    const qint64 size = file.size();
    if (size < 8 + 25 || std::memcmp(data, "\x89PNG\r\n\x1a\n", 8) != 0) return look;
    if (bigEndian(data + 8) != 13 || !is(data + 12, "IHDR")) return look;
    const quint32 width = bigEndian(data + 16), height = bigEndian(data + 20);
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return look;
    look.size = QSize(int(width), int(height));
    const int bits = bitsPerPixel(data + 16);
    if (bits == 0 || qint64(width) * height > largestPixels) return look;
    RowWalk rows(passesOf(width, height, bits, data[28] == 1));

    // The data's own check sum (Adler-32) is not worked out: every chunk's CRC already shows
    // whether its bytes are as they were written, and the sum costs as much as a fifth of the
    // unpacking. So the stream is unpacked raw, its two-byte head checked by hand and its
    // four-byte tail counted.
    z_stream zip{};
    if (inflateInit2(&zip, -15) != Z_OK) return look;
    struct End {
        z_stream* zip;
        ~End() { inflateEnd(zip); }
    } end{&zip};
    std::array<uchar, 16 * 1024> out;
    bool streamEnded = false, idatSeen = false, idatOver = false;
    quint32 tail = 0;  // bytes after the raw stream's end: its check sum
    const auto damaged = [&] {
        look.verdict = Verdict::Damaged;
        return look;
    };
    for (qint64 at = 8;;) {
        if (size - at < 12) return damaged();  // cut short before its end
        const quint32 length = bigEndian(data + at);
        const uchar* const type = data + at + 4;
        if (length > 0x7FFFFFFF || size - at - 12 < qint64(length)) return damaged();
        const uchar* const body = type + 4;
        // Only the chunks known here are looked at: the loader passes over a damaged chunk it
        // does not need, and has its own say about others.
        const bool critical = is(type, "IHDR") || is(type, "IDAT") || is(type, "IEND");
        if (!critical && !is(type, "pHYs")) return look;
        if (crc32(crc32(0, nullptr, 0), type, 4 + length) != bigEndian(body + length))
            return critical ? damaged() : look;
        at += 12 + qint64(length);
        if (is(type, "IHDR")) {
            if (at != 8 + 25) return look;  // a second header
        } else if (is(type, "IDAT")) {
            if (idatOver) return look;
            zip.next_in = const_cast<uchar*>(body);
            zip.avail_in = length;
            if (!idatSeen) {
                // The stream's head: deflate, a window of at most 32 KB, no preset dictionary.
                if (length < 2) return look;
                const uint head = uint(body[0]) << 8 | body[1];
                if ((body[0] & 0x0F) != 8 || (body[0] >> 4) > 7 || head % 31 != 0 || (body[1] & 0x20)) return damaged();
                zip.next_in += 2;
                zip.avail_in -= 2;
                idatSeen = true;
            }
            while (zip.avail_in > 0) {
                if (streamEnded) {
                    tail += zip.avail_in;
                    zip.avail_in = 0;
                    if (tail > 4) return damaged();  // compressed data after the end
                    break;
                }
                zip.next_out = out.data();
                zip.avail_out = uInt(out.size());
                const int status = inflate(&zip, Z_NO_FLUSH);
                if (status != Z_OK && status != Z_STREAM_END) return damaged();
                if (!rows.take(out.data(), out.size() - zip.avail_out)) return damaged();
                streamEnded = status == Z_STREAM_END;
            }
        } else if (is(type, "IEND")) {
            // The rest of the unpacked data, then nothing more.
            while (idatSeen && !streamEnded) {
                zip.next_out = out.data();
                zip.avail_out = uInt(out.size());
                const int status = inflate(&zip, Z_FINISH);
                // No end and room left: the data stops before its end.
                if (status != Z_STREAM_END && (zip.avail_out != 0 || (status != Z_OK && status != Z_BUF_ERROR)))
                    return damaged();
                if (!rows.take(out.data(), out.size() - zip.avail_out)) return damaged();
                streamEnded = status == Z_STREAM_END;
            }
            if (!idatSeen || length != 0) return look;
            if (!rows.complete()) return damaged();
            if (tail != 4) return damaged();
            look.verdict = Verdict::Whole;
            return look;
        } else if (is(type, "pHYs") && length == 9 && body[8] <= 1) {
            idatOver = idatSeen;
        } else {
            return look;  // a chunk the loader may have its own say about
        }
    }
}

}  // namespace platform
