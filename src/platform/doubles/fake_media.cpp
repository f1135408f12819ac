#include "platform/doubles/fake_media.h"

#include <QFileInfo>

namespace kv {

bool FakeMediaDevice::command(const QString& command)
{
    m_log->append(m_type + QLatin1Char('|') + m_file + QLatin1Char('|') + command);
    if (command == QLatin1String("open"))
        return QFileInfo(m_file).isFile();
    if (command == QLatin1String("play"))
        m_playing = true;
    else if (command == QLatin1String("stop") || command == QLatin1String("close"))
        m_playing = false;
    return true;
}

} // namespace kv
