#include "platform/doubles/fake_media.h"

#include <QFile>

namespace kv {

namespace {
bool looksPlayable(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(4) == "RIFF";
}
} // namespace

bool FakeMediaDevice::command(const QString& command)
{
    m_log->append(m_type + QLatin1Char('|') + m_file + QLatin1Char('|') + command);
    if (command == QLatin1String("open")) {
        m_open = looksPlayable(m_file);
        m_position = 0;
        m_stopped = true;
        return m_open;
    }
    if (command == QLatin1String("close")) {
        m_open = false;
        m_playing = false;
        m_position = 0;
        return true;
    }
    if (!m_open)
        return false;
    const bool move = command == QLatin1String("next") || command == QLatin1String("back")
        || command == QLatin1String("step");
    if (command == QLatin1String("play") || command == QLatin1String("stop") || command == QLatin1String("pause")) {
        m_playing = command == QLatin1String("play");
        m_stopped = command == QLatin1String("stop");
    } else if (command == QLatin1String("prev")) {
        m_position = 0;
    } else if (command == QLatin1String("next")) {
        m_position = Length;
    } else if (command == QLatin1String("back")) {
        m_position = qMax<qint64>(0, m_position - 100);
    } else if (command == QLatin1String("step")) {
        m_position = qMin(Length, m_position + 100);
    }
    if (move)
        m_stopped = false;
    if (onProgress)
        onProgress();
    return true;
}

bool FakeMediaDevice::seek(qint64 ms)
{
    m_log->append(m_type + QLatin1Char('|') + m_file + QStringLiteral("|seek ") + QString::number(ms));
    if (!m_open)
        return false;
    m_position = qBound<qint64>(0, ms, Length);
    if (onProgress)
        onProgress();
    return true;
}

} // namespace kv
