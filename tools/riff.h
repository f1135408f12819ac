#pragma once
// Little-endian RIFF chunk writer shared by the WAV and AVI writers.
#include <QByteArray>
#include <QtGlobal>

namespace kvdisc {

class RiffWriter {
public:
    void u16(quint16 v)
    {
        m_data.append(char(v & 0xff));
        m_data.append(char((v >> 8) & 0xff));
    }
    void u32(quint32 v)
    {
        u16(quint16(v & 0xffff));
        u16(quint16(v >> 16));
    }
    void fourcc(const char *id) { m_data.append(id, 4); }
    void bytes(const QByteArray &b) { m_data.append(b); }

    // Returns the offset of the size field, to be closed by end().
    qsizetype beginChunk(const char *id)
    {
        fourcc(id);
        const qsizetype at = m_data.size();
        u32(0);
        return at;
    }
    qsizetype beginList(const char *listId, const char *kind)
    {
        const qsizetype at = beginChunk(listId);
        fourcc(kind);
        return at;
    }
    // The pad byte after odd data is not counted in the chunk's own size.
    void end(qsizetype sizeAt)
    {
        const auto size = quint32(m_data.size() - sizeAt - 4);
        patch32(sizeAt, size);
        if (size & 1)
            m_data.append('\0');
    }
    void patch32(qsizetype at, quint32 v)
    {
        for (int i = 0; i < 4; ++i)
            m_data[at + i] = char((v >> (8 * i)) & 0xff);
    }
    qsizetype size() const { return m_data.size(); }
    const QByteArray &data() const { return m_data; }

private:
    QByteArray m_data;
};

} // namespace kvdisc
