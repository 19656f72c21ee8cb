#pragma once
// Settings store held in memory: used by the headless tools and by tests.

#include <map>
#include <string>
#include <variant>

#include "settings_backend.h"

namespace trevanor {

class MemorySettings : public SettingsBackend {
public:
    bool openKey(const std::string& key, bool create) override;
    bool keyExists(const std::string& key) override;
    bool valueExists(const std::string& key, const std::string& name) override;
    std::int32_t readInt(const std::string& key, const std::string& name) override;
    std::string readText(const std::string& key, const std::string& name) override;
    void writeInt(const std::string& key, const std::string& name, std::int32_t value) override;
    void writeText(const std::string& key, const std::string& name, const std::string& value) override;

private:
    using Value = std::variant<std::int32_t, std::string>;
    struct Key {
        std::map<std::string, Value> values;  // by lower-cased name
    };
    Key* find(const std::string& key);
    const Value* findValue(const std::string& key, const std::string& name);
    std::map<std::string, Key> keys_;  // by lower-cased path
};

}  // namespace trevanor
