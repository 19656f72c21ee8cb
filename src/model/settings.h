#pragma once
// The program's settings routines: options, the recent MAP list, and per MAP
// file the player colours, the own race and the associated first report.
// Every value they read or write is named in settings_keys.h.

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "prompter.h"
#include "session.h"
#include "settings_backend.h"
#include "settings_keys.h"

namespace trevanor {

// Thrown after the fatal settings message when the program has not ended.
class RegistryFatal : public std::runtime_error {
public:
    RegistryFatal() : std::runtime_error("Registry error! Application terminates.") {}
};

class Settings {
public:
    Settings(Session& session, SettingsBackend& backend, Prompter& prompter);

    // Ends the program after the fatal settings message; by default exit(1).
    std::function<void()> onFatal;

    void registry_check();
    void autoload_write(bool flag, const std::string& path);
    void skip_conf_write(bool flag);
    // The history, new turn and trail options: read at start (a missing
    // value is its initial one) and written when changed.
    void load_turn_options();
    void save_turn_options();
    void load_recent_file_list();
    std::string read_recent_file(int k);
    void update_recent_file_list(const std::string& path);
    void save_players_to_reg();
    bool load_players_fm_reg();
    std::string fleetfile_read();
    void fleetfile_write(const std::string& path);
    void autoload_fleetfile_status_write(bool flag);
    void save_own_race(const std::string& name);
    // The own race stored for the open MAP, if one is.
    std::optional<std::string> stored_own_race();
    void save_options();
    [[noreturn]] void registry_error();

private:
    void open(const std::string& key, bool create);
    std::int32_t read(const std::string& key, const IntSetting& value);
    std::string read(const std::string& key, const TextSetting& value);
    // The value's text, or its initial text when it is missing.
    std::string readOrInitial(const std::string& key, const TextSetting& value);
    void write(const std::string& key, const IntSetting& value, std::int32_t number);
    void write(const std::string& key, const TextSetting& value, const std::string& text);
    bool exists(const std::string& key, const char* name);
    std::string recentName(int k) const;
    void setRecentCaption(int k, const std::string& path);

    Session& s_;
    SettingsBackend& store_;
    Prompter& prompter_;
};

}  // namespace trevanor
