#include "platform/settings_store.h"

#include <QSettings>

namespace kv {


QString QtSettingsStore::value(const QString& app, const QString& section, const QString& key,
                               const QString& fallback)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, app);
    return s.value(section + QLatin1Char('/') + key, fallback).toString();
}

bool QtSettingsStore::setValue(const QString& app, const QString& section, const QString& key,
                               const QString& value)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, app);
    s.setValue(section + QLatin1Char('/') + key, value);
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace kv
