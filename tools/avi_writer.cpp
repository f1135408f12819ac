#include "avi_writer.h"

#include "riff.h"

#include <algorithm>

namespace kvdisc {

namespace {

constexpr quint32 kAvifHasIndex = 0x10;
constexpr quint32 kAviifKeyframe = 0x10;

struct IndexEntry {
    const char *id;
    quint32 offset;
    quint32 size;
};

QByteArray audioSlice(const AviParams &params, int frame)
{
    const AviAudio &a = *params.audio;
    const qsizetype totalSamples = a.pcm.size() / 2;
    const qsizetype n = params.jpegFrames.size();
    // Integer split so that the slices add up to the whole track exactly.
    const qsizetype from = totalSamples * frame / n;
    const qsizetype to = totalSamples * (frame + 1) / n;
    return a.pcm.mid(from * 2, (to - from) * 2);
}

} // namespace

QByteArray buildMjpegAvi(const AviParams &params)
{
    const auto frames = quint32(params.jpegFrames.size());
    const bool withAudio = params.audio.has_value() && !params.audio->pcm.isEmpty() && frames > 0;
    quint32 maxFrame = 0;
    for (const QByteArray &f : params.jpegFrames)
        maxFrame = std::max(maxFrame, quint32(f.size()));
    const quint32 audioRate = withAudio ? quint32(params.audio->sampleRate) : 0;
    const quint32 audioBytesPerSec = audioRate * 2;
    const quint32 maxAudioChunk = withAudio ? (audioBytesPerSec / std::max(1, params.fps) + 2) : 0;
    const quint32 suggested = (std::max(maxFrame, maxAudioChunk) + 8 + 1023) & ~1023u;

    RiffWriter w;
    const auto riff = w.beginList("RIFF", "AVI ");

    const auto hdrl = w.beginList("LIST", "hdrl");
    const auto avih = w.beginChunk("avih");
    w.u32(quint32(1000000 / std::max(1, params.fps))); // microseconds per frame
    w.u32(maxFrame * quint32(params.fps) + audioBytesPerSec);
    w.u32(0);
    w.u32(kAvifHasIndex);
    w.u32(frames);
    w.u32(0);
    w.u32(withAudio ? 2 : 1);
    w.u32(suggested);
    w.u32(quint32(params.width));
    w.u32(quint32(params.height));
    for (int i = 0; i < 4; ++i)
        w.u32(0);
    w.end(avih);

    const auto vstrl = w.beginList("LIST", "strl");
    const auto vstrh = w.beginChunk("strh");
    w.fourcc("vids");
    w.fourcc("MJPG");
    w.u32(0);          // flags
    w.u16(0);          // priority
    w.u16(0);          // language
    w.u32(0);          // initial frames
    w.u32(1);          // scale
    w.u32(quint32(params.fps)); // rate
    w.u32(0);          // start
    w.u32(frames);     // length
    w.u32(suggested);
    w.u32(0xffffffffu); // quality: default
    w.u32(0);          // sample size: varies
    w.u16(0);
    w.u16(0);
    w.u16(quint16(params.width));
    w.u16(quint16(params.height));
    w.end(vstrh);
    const auto vstrf = w.beginChunk("strf");
    w.u32(40);
    w.u32(quint32(params.width));
    w.u32(quint32(params.height));
    w.u16(1);
    w.u16(24);
    w.fourcc("MJPG");
    w.u32(quint32(params.width * params.height * 3));
    for (int i = 0; i < 4; ++i)
        w.u32(0);
    w.end(vstrf);
    w.end(vstrl);

    if (withAudio) {
        const auto astrl = w.beginList("LIST", "strl");
        const auto astrh = w.beginChunk("strh");
        w.fourcc("auds");
        w.u32(0);
        w.u32(0);
        w.u16(0);
        w.u16(0);
        w.u32(0);
        w.u32(1);                           // scale
        w.u32(audioRate);                   // rate: samples per second
        w.u32(0);
        w.u32(quint32(params.audio->pcm.size() / 2)); // length in samples
        w.u32(maxAudioChunk);
        w.u32(0xffffffffu);
        w.u32(2);                           // bytes per sample
        w.u16(0);
        w.u16(0);
        w.u16(0);
        w.u16(0);
        w.end(astrh);
        const auto astrf = w.beginChunk("strf");
        w.u16(1); // PCM
        w.u16(1); // mono
        w.u32(audioRate);
        w.u32(audioBytesPerSec);
        w.u16(2);
        w.u16(16);
        w.end(astrf);
        w.end(astrl);
    }
    w.end(hdrl);

    QList<IndexEntry> index;
    const auto movi = w.beginList("LIST", "movi");
    const qsizetype moviBase = movi + 4; // offsets count from the 'movi' fourcc
    for (quint32 i = 0; i < frames; ++i) {
        const QByteArray &jpeg = params.jpegFrames.at(i);
        index.append({"00dc", quint32(w.size() - moviBase), quint32(jpeg.size())});
        const auto c = w.beginChunk("00dc");
        w.bytes(jpeg);
        w.end(c);
        if (withAudio) {
            const QByteArray slice = audioSlice(params, int(i));
            index.append({"01wb", quint32(w.size() - moviBase), quint32(slice.size())});
            const auto a = w.beginChunk("01wb");
            w.bytes(slice);
            w.end(a);
        }
    }
    w.end(movi);

    const auto idx1 = w.beginChunk("idx1");
    for (const IndexEntry &e : index) {
        w.fourcc(e.id);
        w.u32(kAviifKeyframe);
        w.u32(e.offset);
        w.u32(e.size);
    }
    w.end(idx1);
    w.end(riff);
    return w.data();
}

} // namespace kvdisc
