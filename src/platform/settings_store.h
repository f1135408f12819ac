#pragma once

#include <QString>

namespace kv {

// Per-user text values by application name, section and key.
class ISettingsStore
{
public:
    virtual ~ISettingsStore() = default;
    virtual QString value(const QString& app, const QString& section, const QString& key,
                          const QString& fallback = {}) = 0;
    // False when the value could not be stored.
    virtual bool setValue(const QString& app, const QString& section, const QString& key,
                          const QString& value) = 0;
};

class QtSettingsStore final : public ISettingsStore
{
public:
    QString value(const QString& app, const QString& section, const QString& key,
                  const QString& fallback) override;
    bool setValue(const QString& app, const QString& section, const QString& key,
                  const QString& value) override;
};

} // namespace kv
