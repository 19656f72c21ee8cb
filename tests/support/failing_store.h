#pragma once
// A settings store whose keys cannot be opened, as a store without write
// access behaves.

#include "model/memory_settings.h"

namespace trevanor::test {

class FailingStore : public MemorySettings {
public:
    bool failOpen = false;
    bool openKey(const std::string& key, bool create) override {
        return !failOpen && MemorySettings::openKey(key, create);
    }
};

}  // namespace trevanor::test
