#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

namespace kvdisc {

constexpr int kSampleRate = 22050;

// The kinds of synthetic sound; each file picks one with its own pitch and seed.
enum class SoundKind { Engine, Horn, Door, Siren, Whoosh, Chirp, Skid, Backfire, Song };

struct SoundRecipe {
    QString fileName;
    QString label;
    SoundKind kind;
    double seconds;
    double pitch; // base frequency in Hz
    quint32 seed;
};

// Mono 16-bit samples at kSampleRate.
QList<qint16> synthesize(const SoundRecipe &r);

// Samples as little-endian bytes (the payload of a WAV data chunk).
QByteArray pcmBytes(const QList<qint16> &samples);

// A complete RIFF WAVE file, PCM mono 16-bit.
QByteArray wavFile(const QList<qint16> &samples, int sampleRate = kSampleRate);

} // namespace kvdisc
