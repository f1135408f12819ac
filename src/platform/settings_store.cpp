#include "platform/settings_store.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace kv {

namespace {

// QSettings reads its file on construction; a FIFO or device there would block for ever.
bool storeIsUsable(const QString& app)
{
#ifdef Q_OS_WIN
    Q_UNUSED(app);
    return true;
#else
    const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QLatin1Char('/') + app + QLatin1String(".ini");
    const QFileInfo info(file);
    return !info.exists() || info.isFile();
#endif
}

} // namespace

QString QtSettingsStore::value(const QString& app, const QString& section, const QString& key,
                               const QString& fallback)
{
    if (!storeIsUsable(app))
        return fallback;
    QSettings s(QSettings::IniFormat, QSettings::UserScope, app);
    return s.value(section + QLatin1Char('/') + key, fallback).toString();
}

bool QtSettingsStore::setValue(const QString& app, const QString& section, const QString& key,
                               const QString& value)
{
    if (!storeIsUsable(app))
        return false;
    QSettings s(QSettings::IniFormat, QSettings::UserScope, app);
    s.setValue(section + QLatin1Char('/') + key, value);
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace kv
