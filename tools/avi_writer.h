#pragma once
#include <QByteArray>
#include <QList>
#include <optional>

namespace kvdisc {

// Mono 16-bit PCM that is interleaved with the video, one slice per frame.
struct AviAudio {
    int sampleRate = 22050;
    QByteArray pcm; // little-endian signed 16-bit samples
};

struct AviParams {
    int width = 320;
    int height = 240;
    int fps = 10;
    QList<QByteArray> jpegFrames;
    std::optional<AviAudio> audio;
};

// A complete RIFF 'AVI ' file: hdrl, movi with 00dc (and 01wb) chunks, idx1.
QByteArray buildMjpegAvi(const AviParams &params);

} // namespace kvdisc
