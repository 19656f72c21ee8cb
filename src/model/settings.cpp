#include "settings.h"

#include <algorithm>

#include <cstdlib>

#include "files.h"

namespace trevanor {

namespace {
const std::string kProgramKey;  // "" names the program key itself
}  // namespace

Settings::Settings(Session& session, SettingsBackend& backend, Prompter& prompter)
    : onFatal([] { std::exit(1); }), s_(session), store_(backend), prompter_(prompter) {}

void Settings::registry_error() {
    prompter_.error("Registry error! Application terminates.");
    if (onFatal) onFatal();
    throw RegistryFatal();
}

void Settings::open(const std::string& key, bool create) {
    if (!store_.openKey(key, create)) registry_error();
}

bool Settings::exists(const std::string& key, const char* name) { return store_.valueExists(key, name); }

std::int32_t Settings::read(const std::string& key, const IntSetting& value) { return store_.readInt(key, value.name); }

std::string Settings::read(const std::string& key, const TextSetting& value) { return store_.readText(key, value.name); }

std::string Settings::readOrInitial(const std::string& key, const TextSetting& value) {
    return exists(key, value.name) ? read(key, value) : value.initial;
}

void Settings::write(const std::string& key, const IntSetting& value, std::int32_t number) {
    store_.writeInt(key, value.name, number);
}

void Settings::write(const std::string& key, const TextSetting& value, const std::string& text) {
    store_.writeText(key, value.name, text);
}

std::string Settings::recentName(int k) const { return numbered(setting::Recent_file.name, k); }

void Settings::registry_check() {
    SettingsBatch batch(store_);
    open(kProgramKey, true);
    if (exists(kProgramKey, setting::Autoload_map.name)) {
        s_.Autoload_map = read(kProgramKey, setting::Autoload_map) != 0;
    } else {
        s_.Autoload_map = false;
        write(kProgramKey, setting::Autoload_map, setting::Autoload_map.initial);
        write(kProgramKey, setting::Autoload_map_file, setting::Autoload_map_file.initial);
    }
    // A missing path reads as empty.
    s_.Autoload_map_file = exists(kProgramKey, setting::Autoload_map_file.name)
                               ? read(kProgramKey, setting::Autoload_map_file)
                               : std::string();
    if (exists(kProgramKey, setting::Skip_conf.name))
        s_.Skip_conf = read(kProgramKey, setting::Skip_conf) != 0;
    else
        write(kProgramKey, setting::Skip_conf, setting::Skip_conf.initial);
}

void Settings::autoload_write(bool flag, const std::string& path) {
    open(kProgramKey, true);
    write(kProgramKey, setting::Autoload_map, flag ? 1 : 0);
    write(kProgramKey, setting::Autoload_map_file, path);
}

void Settings::skip_conf_write(bool flag) {
    open(kProgramKey, true);
    write(kProgramKey, setting::Skip_conf, flag ? 1 : 0);
}

void Settings::load_turn_options() {
    open(kProgramKey, true);
    const auto option = [this](const IntSetting& value) {
        return exists(kProgramKey, value.name) ? read(kProgramKey, value) : value.initial;
    };
    s_.Keep_history = option(setting::Keep_history) != 0;
    s_.Read_new_turns = option(setting::Read_new_turns) != 0;
    s_.Trail_turns = std::clamp(option(setting::Trail_turns), 2, 20);
    s_.Reach_years = std::clamp(option(setting::Reach_years), 1, 9);
}

void Settings::save_turn_options() {
    SettingsBatch batch(store_);
    open(kProgramKey, true);
    write(kProgramKey, setting::Keep_history, s_.Keep_history ? 1 : 0);
    write(kProgramKey, setting::Read_new_turns, s_.Read_new_turns ? 1 : 0);
    write(kProgramKey, setting::Trail_turns, s_.Trail_turns);
    write(kProgramKey, setting::Reach_years, s_.Reach_years);
}

void Settings::setRecentCaption(int k, const std::string& path) {
    s_.main.recentCaptions[static_cast<std::size_t>(k - 1)] = "&" + std::to_string(k) + " " + file_name_part(path);
}

void Settings::load_recent_file_list() {
    open(kProgramKey, true);
    for (int k = 1; k <= setting::kRecentFiles; ++k) setRecentCaption(k, read_recent_file(k));
}

std::string Settings::read_recent_file(int k) {
    open(kProgramKey, true);
    if (exists(kProgramKey, recentName(k).c_str())) return store_.readText(kProgramKey, recentName(k));
    store_.writeText(kProgramKey, recentName(k), setting::Recent_file.initial);
    return setting::Recent_file.initial;
}

void Settings::update_recent_file_list(const std::string& path) {
    SettingsBatch batch(store_);
    open(kProgramKey, true);
    const auto recent = [&](int k) {
        return exists(kProgramKey, recentName(k).c_str()) ? store_.readText(kProgramKey, recentName(k)) : std::string();
    };
    if (recent(1) == path) return;
    for (int k = setting::kRecentFiles; k >= 2; --k) {
        const std::string older = recent(k - 1);
        store_.writeText(kProgramKey, recentName(k), older);
        setRecentCaption(k, older);
    }
    store_.writeText(kProgramKey, recentName(1), path);
    setRecentCaption(1, path);
}

// The per-MAP routines need an open MAP: with no MAP file name they would
// address the program key itself, so they then leave the store alone.

void Settings::save_players_to_reg() {
    if (s_.Map_name.empty()) return;
    SettingsBatch batch(store_);
    open(s_.Map_name, true);
    for (int p = 1; p <= kPlayers; ++p)
        store_.writeInt(s_.Map_name, numbered(setting::Player_color.name, p),
                        static_cast<std::int32_t>(s_.Players[static_cast<std::size_t>(p)].Color));
}

bool Settings::load_players_fm_reg() {
    if (s_.Map_name.empty() || !store_.keyExists(s_.Map_name)) return false;
    open(s_.Map_name, false);
    bool all = true;
    for (int p = 1; p <= kPlayers; ++p) {
        const std::string name = numbered(setting::Player_color.name, p);
        if (exists(s_.Map_name, name.c_str()))
            s_.Players[static_cast<std::size_t>(p)].Color = static_cast<ColorValue>(store_.readInt(s_.Map_name, name));
        else
            all = false;
    }
    return all;
}

std::string Settings::fleetfile_read() {
    if (s_.Map_name.empty()) return {};
    SettingsBatch batch(store_);
    const std::string& key = s_.Map_name;
    open(key, true);
    if (!exists(key, setting::Autoload_fleet.name)) {
        write(key, setting::Autoload_fleet, setting::Autoload_fleet.initial);
        write(key, setting::First_report, setting::First_report.initial);
        s_.main.Fleetfile_autoload1.checked = false;
        return {};
    }
    if (!exists(key, setting::First_report.name)) {
        write(key, setting::First_report, setting::First_report.initial);
        return {};
    }
    if (read(key, setting::Autoload_fleet) == 0) return {};
    std::string path = read(key, setting::First_report);
    if (!path.empty()) s_.main.Fleetfile_autoload1.checked = true;
    return path;
}

void Settings::fleetfile_write(const std::string& path) {
    if (s_.Map_name.empty()) return;
    open(s_.Map_name, true);
    write(s_.Map_name, setting::First_report, path);
}

void Settings::autoload_fleetfile_status_write(bool flag) {
    if (s_.Map_name.empty()) return;
    SettingsBatch batch(store_);
    open(s_.Map_name, true);
    write(s_.Map_name, setting::Autoload_fleet, flag ? 1 : 0);
    // Only a report read as this MAP's first report is stored for it; with
    // none read (its autoload failed, say) the stored path stays.
    if (!s_.First_report_path.empty()) write(s_.Map_name, setting::First_report, s_.First_report_path);
}

void Settings::save_own_race(const std::string& name) {
    if (s_.Map_name.empty()) return;
    open(s_.Map_name, true);
    write(s_.Map_name, setting::Own_race, name);
}

std::optional<std::string> Settings::stored_own_race() {
    if (s_.Map_name.empty() || !store_.keyExists(s_.Map_name)) return std::nullopt;
    open(s_.Map_name, false);
    if (!exists(s_.Map_name, setting::Own_race.name)) return std::nullopt;
    return read(s_.Map_name, setting::Own_race);
}

void Settings::save_options() {
    SettingsBatch batch(store_);
    if (s_.main.AutoloadlastMAP1.checked)
        autoload_write(true, s_.Autoload_map_file);
    else
        autoload_write(false, setting::Autoload_map_file.initial);
    autoload_fleetfile_status_write(s_.main.Fleetfile_autoload1.checked);
    skip_conf_write(s_.main.Skip_conf.checked);
}

}  // namespace trevanor
