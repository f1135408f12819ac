#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A figure in kB from /proc/<pid>/status ("VmRSS:", "VmHWM:"); -1 where there is none.
inline long procStatusKb(const char* field, const QString& pid = QStringLiteral("self"))
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key(field);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}
