#pragma once

#include <QAudioFormat>
#include <QString>

class QIODevice;

namespace kv {

// Where a WAV file's samples lie and how they are laid out.
struct WaveLayout
{
    QAudioFormat format;
    qint64 dataOffset = 0; // of the first sample, from the start of the file
    qint64 dataBytes = 0;  // whole frames only
    qint64 durationMs() const;
};

// Reads the chunk headers of a RIFF WAVE file (PCM of 8, 16 or 32 bits, or 32-bit float) without
// reading its samples. False with the reason in `why` for anything else, and for a file cut off
// before the end of its samples: such a file would stop short or play the following chunks.
bool readWaveLayout(QIODevice& file, WaveLayout& layout, QString& why);

} // namespace kv
