#pragma once

#include "platform/settings_store.h"

#include <QMap>

namespace kv {

class FakeSettings final : public ISettingsStore
{
public:
    QString value(const QString& app, const QString& section, const QString& key,
                  const QString& fallback) override
    {
        return values.value(app + QLatin1Char('/') + section + QLatin1Char('/') + key, fallback);
    }
    bool setValue(const QString& app, const QString& section, const QString& key,
                  const QString& value) override
    {
        if (readOnly)
            return false;
        values.insert(app + QLatin1Char('/') + section + QLatin1Char('/') + key, value);
        return true;
    }

    // Keys as "app/section/key".
    QMap<QString, QString> values;
    bool readOnly = false;
};

} // namespace kv
