#include "platform/wave_file.h"

#include <QIODevice>
#include <QtEndian>

namespace kv {

namespace {
constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatFloat = 3;
constexpr quint16 FormatExtensible = 0xfffe;

bool readExactly(QIODevice& file, char* to, qint64 size)
{
    return file.read(to, size) == size;
}

quint16 u16At(const char* p)
{
    return qFromLittleEndian<quint16>(p);
}

quint32 u32At(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}

bool fail(QString& why, const char* text)
{
    why = QString::fromLatin1(text);
    return false;
}

bool readFormat(const QByteArray& fmt, QAudioFormat& format, int& frameBytes, QString& why)
{
    if (fmt.size() < 16)
        return fail(why, "The sound's format chunk is too short.");
    quint16 tag = u16At(fmt.constData());
    const int channels = u16At(fmt.constData() + 2);
    const quint32 rate = u32At(fmt.constData() + 4);
    frameBytes = u16At(fmt.constData() + 12);
    const int bits = u16At(fmt.constData() + 14);
    // The extensible header names the real format in the first two bytes of its sub-format.
    if (tag == FormatExtensible) {
        if (fmt.size() < 26)
            return fail(why, "The sound's format chunk is too short.");
        tag = u16At(fmt.constData() + 24);
    }
    QAudioFormat::SampleFormat sample = QAudioFormat::Unknown;
    if (tag == FormatPcm && bits == 8)
        sample = QAudioFormat::UInt8;
    else if (tag == FormatPcm && bits == 16)
        sample = QAudioFormat::Int16;
    else if (tag == FormatPcm && bits == 32)
        sample = QAudioFormat::Int32;
    else if (tag == FormatFloat && bits == 32)
        sample = QAudioFormat::Float;
    if (sample == QAudioFormat::Unknown)
        return fail(why, "The sound is not in a format this program plays.");
    if (channels < 1 || channels > 8 || rate < 1000 || rate > 384000 || frameBytes != channels * bits / 8)
        return fail(why, "The sound's format is damaged.");
    format.setSampleFormat(sample);
    format.setChannelCount(channels);
    format.setSampleRate(int(rate));
    return true;
}
} // namespace

qint64 WaveLayout::durationMs() const
{
    const int frameBytes = format.bytesPerFrame();
    if (frameBytes <= 0 || format.sampleRate() <= 0)
        return 0;
    return dataBytes / frameBytes * 1000 / format.sampleRate();
}

bool readWaveLayout(QIODevice& file, WaveLayout& layout, QString& why)
{
    const qint64 fileSize = file.size();
    char head[12];
    if (!file.seek(0) || !readExactly(file, head, 12) || qstrncmp(head, "RIFF", 4) != 0
        || qstrncmp(head + 8, "WAVE", 4) != 0)
        return fail(why, "The file is not a WAV sound.");
    bool haveFormat = false;
    int frameBytes = 0;
    qint64 dataOffset = -1;
    qint64 dataBytes = 0;
    qint64 at = 12;
    while (!(haveFormat && dataOffset >= 0)) {
        char chunk[8];
        if (at + 8 > fileSize || !file.seek(at) || !readExactly(file, chunk, 8))
            return fail(why, haveFormat ? "The sound holds no samples." : "The sound names no format.");
        const qint64 size = u32At(chunk + 4);
        const qint64 body = at + 8;
        if (qstrncmp(chunk, "fmt ", 4) == 0) {
            if (size > 1024 || body + size > fileSize)
                return fail(why, "The sound's format chunk is damaged.");
            if (!readFormat(file.read(size), layout.format, frameBytes, why))
                return false;
            haveFormat = true;
        } else if (qstrncmp(chunk, "data", 4) == 0) {
            if (body + size > fileSize)
                return fail(why, "The sound is cut off.");
            dataOffset = body;
            dataBytes = size;
        }
        at = body + size + (size & 1); // chunks are padded to even sizes
    }
    dataBytes -= dataBytes % frameBytes;
    if (dataBytes == 0)
        return fail(why, "The sound holds no samples.");
    layout.dataOffset = dataOffset;
    layout.dataBytes = dataBytes;
    return true;
}

} // namespace kv
