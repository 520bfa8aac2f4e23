// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sound files made by the tests: 16-bit mono WAV, as a teacher's recording or a shipped word is.
#include <QByteArray>
#include <QList>
#include <QtEndian>

#include <cmath>

namespace testsupport {

// A 16-bit mono PCM WAV file of these samples at `rate` samples a second.
inline QByteArray wavFile(const QList<qint16>& samples, int rate) {
    auto u32 = [](quint32 v) { v = qToLittleEndian(v); return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](quint16 v) { v = qToLittleEndian(v); return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    QByteArray data;
    data.reserve(samples.size() * 2);
    for (const qint16 sample : samples) {
        const qint16 le = qToLittleEndian(sample);
        data.append(reinterpret_cast<const char*>(&le), 2);
    }
    return "RIFF" + u32(36 + quint32(data.size())) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(quint32(rate)) +
           u32(quint32(rate * 2)) + u16(2) + u16(16) + "data" + u32(quint32(data.size())) + data;
}

// `seconds` of a 440 Hz tone at `amplitude` of full scale (0: silence) as a WAV file.
inline QByteArray toneWav(double seconds, double amplitude = 0.3, int rate = 16000) {
    QList<qint16> samples;
    const int frames = int(seconds * rate);
    samples.reserve(frames);
    for (int i = 0; i < frames; ++i)
        samples.append(qint16(amplitude * 32767 * std::sin(2 * M_PI * 440.0 * i / rate)));
    return wavFile(samples, rate);
}

}  // namespace testsupport
