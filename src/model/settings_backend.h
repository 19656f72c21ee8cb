#pragma once
// Per-user settings store as the program sees it: a tree of keys below the
// program key, each holding named values that are either 32-bit integers or
// texts. Key and value names are compared without regard to case; the two
// value types stay distinct (reading an integer from a text is an error).
//
// Keys are named by their path below the program key: "" is the program key
// itself, "GAME.MAP" the key of that MAP file.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace trevanor {

// Raised when a value exists but holds the other type, or the store cannot
// read it. The message is shown to the user.
class SettingsReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SettingsBackend {
public:
    virtual ~SettingsBackend() = default;

    // Opens the key, creating it when missing and `create` is set.
    // Returns false when the key cannot be opened (or created).
    virtual bool openKey(const std::string& key, bool create) = 0;
    virtual bool keyExists(const std::string& key) = 0;
    virtual bool valueExists(const std::string& key, const std::string& name) = 0;

    // Both throw SettingsReadError when the value is missing or of the other type.
    virtual std::int32_t readInt(const std::string& key, const std::string& name) = 0;
    virtual std::string readText(const std::string& key, const std::string& name) = 0;

    // Writing a value whose name exists in another case replaces that value.
    virtual void writeInt(const std::string& key, const std::string& name, std::int32_t value) = 0;
    virtual void writeText(const std::string& key, const std::string& name, const std::string& value) = 0;

    // Writes between these two reach the store together when it has to write
    // a whole file for them. Batches nest; the outermost end writes.
    virtual void beginBatch() {}
    virtual void endBatch() {}
};

// The values one routine writes reach the store together, also when the
// routine stops with an error.
class SettingsBatch {
public:
    explicit SettingsBatch(SettingsBackend& store) : store_(store) { store_.beginBatch(); }
    ~SettingsBatch() { store_.endBatch(); }
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

private:
    SettingsBackend& store_;
};

}  // namespace trevanor
