#include "memory_settings.h"

#include "text.h"

namespace trevanor {

MemorySettings::Key* MemorySettings::find(const std::string& key) {
    const auto it = keys_.find(to_lower(key));
    return it == keys_.end() ? nullptr : &it->second;
}

const MemorySettings::Value* MemorySettings::findValue(const std::string& key, const std::string& name) {
    Key* k = find(key);
    if (!k) return nullptr;
    const auto it = k->values.find(to_lower(name));
    return it == k->values.end() ? nullptr : &it->second;
}

bool MemorySettings::openKey(const std::string& key, bool create) {
    if (find(key)) return true;
    if (!create && !key.empty()) return false;
    keys_[to_lower(key)];
    return true;
}

bool MemorySettings::keyExists(const std::string& key) { return key.empty() || find(key) != nullptr; }

bool MemorySettings::valueExists(const std::string& key, const std::string& name) {
    return findValue(key, name) != nullptr;
}

std::int32_t MemorySettings::readInt(const std::string& key, const std::string& name) {
    const Value* v = findValue(key, name);
    if (!v || !std::holds_alternative<std::int32_t>(*v)) throw SettingsReadError("Invalid data type for '" + name + "'");
    return std::get<std::int32_t>(*v);
}

std::string MemorySettings::readText(const std::string& key, const std::string& name) {
    const Value* v = findValue(key, name);
    if (!v || !std::holds_alternative<std::string>(*v)) throw SettingsReadError("Invalid data type for '" + name + "'");
    return std::get<std::string>(*v);
}

void MemorySettings::writeInt(const std::string& key, const std::string& name, std::int32_t value) {
    keys_[to_lower(key)].values[to_lower(name)] = value;
}

void MemorySettings::writeText(const std::string& key, const std::string& name, const std::string& value) {
    keys_[to_lower(key)].values[to_lower(name)] = value;
}

}  // namespace trevanor
