#include "wav_synth.h"

#include "riff.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kvdisc {

namespace {

// xorshift32: std distributions differ between libraries, this does not.
class Rng {
public:
    explicit Rng(quint32 seed) : m_s(seed ? seed : 0x9e3779b9u) {}
    quint32 next()
    {
        m_s ^= m_s << 13;
        m_s ^= m_s >> 17;
        m_s ^= m_s << 5;
        return m_s;
    }
    double bipolar() { return double(next()) / 2147483648.0 - 1.0; }

private:
    quint32 m_s;
};

constexpr double kTwoPi = 2.0 * std::numbers::pi;

double envelope(double t, double len, double attack, double release)
{
    double e = 1.0;
    if (t < attack)
        e = t / attack;
    if (t > len - release)
        e = std::min(e, std::max(0.0, (len - t) / release));
    return e;
}

double square(double phase) { return std::sin(phase) >= 0 ? 1.0 : -1.0; }

double saw(double phase)
{
    const double x = std::fmod(phase / kTwoPi, 1.0);
    return 2.0 * x - 1.0;
}

// A short melody in the major scale, three seconds of simple tones.
double songSample(double t, double base)
{
    static constexpr int notes[] = {0, 2, 4, 5, 7, 7, 9, 7, 5, 4, 2, 0};
    constexpr double noteLen = 0.25;
    const int i = std::min(int(t / noteLen), int(std::size(notes)) - 1);
    const double local = t - i * noteLen;
    const double f = base * std::pow(2.0, notes[i] / 12.0);
    const double env = envelope(local, noteLen, 0.01, 0.08);
    return env * (0.6 * std::sin(kTwoPi * f * t) + 0.25 * std::sin(kTwoPi * 2 * f * t)
                  + 0.15 * std::sin(kTwoPi * 0.5 * f * t));
}

} // namespace

QList<qint16> synthesize(const SoundRecipe &r)
{
    const int n = int(r.seconds * kSampleRate);
    QList<qint16> out;
    out.reserve(n);
    Rng rng(r.seed);
    double phase = 0.0;
    double lowpass = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kSampleRate;
        const double u = t / r.seconds; // 0..1 through the sound
        double v = 0.0;
        switch (r.kind) {
        case SoundKind::Engine: {
            const double f = r.pitch * (1.0 + 1.5 * u * u); // revving up
            phase += kTwoPi * f / kSampleRate;
            lowpass += 0.2 * (rng.bipolar() - lowpass);
            v = 0.55 * saw(phase) + 0.25 * square(phase * 0.5) + 0.2 * lowpass;
            v *= envelope(t, r.seconds, 0.05, 0.15);
            break;
        }
        case SoundKind::Horn: {
            const double f2 = r.pitch * 1.26;
            v = 0.5 * square(kTwoPi * r.pitch * t) + 0.5 * square(kTwoPi * f2 * t);
            v *= 0.6 * envelope(t, r.seconds, 0.02, 0.05);
            break;
        }
        case SoundKind::Door: {
            const double decay = std::exp(-t * 18.0);
            v = decay * (0.7 * rng.bipolar() + 0.5 * std::sin(kTwoPi * r.pitch * t));
            if (t > 0.18) // the latch
                v += std::exp(-(t - 0.18) * 40.0) * 0.5 * rng.bipolar();
            break;
        }
        case SoundKind::Siren: {
            const double f = r.pitch * (1.0 + 0.35 * std::sin(kTwoPi * 1.5 * t));
            phase += kTwoPi * f / kSampleRate;
            v = 0.7 * std::sin(phase) * envelope(t, r.seconds, 0.05, 0.1);
            break;
        }
        case SoundKind::Whoosh: {
            // Noise whose loudness and brightness peak halfway, as a car passing.
            const double bell = std::exp(-std::pow((u - 0.5) * 4.0, 2.0));
            lowpass += (0.05 + 0.4 * bell) * (rng.bipolar() - lowpass);
            const double f = r.pitch * (u < 0.5 ? 1.1 : 0.85);
            phase += kTwoPi * f / kSampleRate;
            v = bell * (0.8 * lowpass + 0.3 * saw(phase));
            break;
        }
        case SoundKind::Chirp: {
            const double f = r.pitch * (1.0 + 3.0 * u);
            phase += kTwoPi * f / kSampleRate;
            v = 0.6 * std::sin(phase) * envelope(t, r.seconds, 0.01, 0.1);
            break;
        }
        case SoundKind::Skid: {
            const double f = r.pitch * (1.0 + 0.05 * std::sin(kTwoPi * 9 * t));
            phase += kTwoPi * f / kSampleRate;
            v = (0.4 * std::sin(phase) + 0.3 * rng.bipolar()) * envelope(t, r.seconds, 0.03, 0.2);
            break;
        }
        case SoundKind::Backfire: {
            // Two bangs.
            const double a = std::exp(-t * 25.0);
            const double b = t > r.seconds * 0.45 ? std::exp(-(t - r.seconds * 0.45) * 25.0) : 0.0;
            v = (a + b) * (0.8 * rng.bipolar() + 0.2 * std::sin(kTwoPi * r.pitch * t));
            break;
        }
        case SoundKind::Song:
            v = 0.8 * songSample(t, r.pitch) * envelope(t, r.seconds, 0.02, 0.3);
            break;
        }
        out.append(qint16(std::clamp(v, -1.0, 1.0) * 26000.0));
    }
    return out;
}

QByteArray pcmBytes(const QList<qint16> &samples)
{
    QByteArray b;
    b.reserve(samples.size() * 2);
    for (qint16 s : samples) {
        const auto u = quint16(s);
        b.append(char(u & 0xff));
        b.append(char(u >> 8));
    }
    return b;
}

QByteArray wavFile(const QList<qint16> &samples, int sampleRate)
{
    RiffWriter w;
    const auto riff = w.beginList("RIFF", "WAVE");
    const auto fmt = w.beginChunk("fmt ");
    w.u16(1); // PCM
    w.u16(1); // mono
    w.u32(quint32(sampleRate));
    w.u32(quint32(sampleRate * 2));
    w.u16(2);
    w.u16(16);
    w.end(fmt);
    const auto data = w.beginChunk("data");
    w.bytes(pcmBytes(samples));
    w.end(data);
    w.end(riff);
    return w.data();
}

} // namespace kvdisc
