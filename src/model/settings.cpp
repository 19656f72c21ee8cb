#include "settings.h"

#include <cstdlib>

#include "text_util.h"

namespace trevanor {

namespace {
const std::string kProgramKey;  // "" names the program key itself

std::string recentName(int k) { return "rfile" + std::to_string(k); }
std::string colorName(int p) { return "p" + std::to_string(p); }
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

std::string Settings::readTextOr(const std::string& key, const std::string& name, const std::string& fallback) {
    return store_.valueExists(key, name) ? store_.readText(key, name) : fallback;
}

void Settings::registry_check() {
    open(kProgramKey, true);
    if (store_.valueExists(kProgramKey, "Autoload_MAP")) {
        s_.Autoload_map = store_.readInt(kProgramKey, "Autoload_MAP") != 0;
    } else {
        s_.Autoload_map = false;
        store_.writeInt(kProgramKey, "Autoload_MAP", 0);
        store_.writeText(kProgramKey, "Autoload_map_file", " ");
    }
    s_.Autoload_map_file = readTextOr(kProgramKey, "Autoload_map_file", "");
    if (store_.valueExists(kProgramKey, "skip_conf"))
        s_.Skip_conf = store_.readInt(kProgramKey, "skip_conf") != 0;
    else
        store_.writeInt(kProgramKey, "skip_conf", 0);
}

void Settings::autoload_write(bool flag, const std::string& path) {
    open(kProgramKey, true);
    store_.writeInt(kProgramKey, "autoload_map", flag ? 1 : 0);
    store_.writeText(kProgramKey, "autoload_map_file", path);
}

void Settings::skip_conf_write(bool flag) {
    open(kProgramKey, true);
    store_.writeInt(kProgramKey, "skip_conf", flag ? 1 : 0);
}

void Settings::setRecentCaption(int k, const std::string& path) {
    s_.main.recentCaptions[static_cast<std::size_t>(k - 1)] = "&" + std::to_string(k) + " " + file_name_part(path);
}

void Settings::load_recent_file_list() {
    open(kProgramKey, true);
    for (int k = 1; k <= 4; ++k) {
        std::string path;
        if (store_.valueExists(kProgramKey, recentName(k)))
            path = store_.readText(kProgramKey, recentName(k));
        else
            store_.writeText(kProgramKey, recentName(k), "");
        setRecentCaption(k, path);
    }
}

std::string Settings::read_recent_file(int k) {
    open(kProgramKey, true);
    if (store_.valueExists(kProgramKey, recentName(k))) return store_.readText(kProgramKey, recentName(k));
    store_.writeText(kProgramKey, recentName(k), "");
    return {};
}

void Settings::update_recent_file_list(const std::string& path) {
    open(kProgramKey, true);
    if (readTextOr(kProgramKey, "rfile1", "") == path) return;
    for (int k = 4; k >= 2; --k) {
        const std::string older = readTextOr(kProgramKey, recentName(k - 1), "");
        store_.writeText(kProgramKey, recentName(k), older);
        setRecentCaption(k, older);
    }
    store_.writeText(kProgramKey, "rfile1", path);
    setRecentCaption(1, path);
}

// The per-MAP routines need an open MAP: with no MAP file name they would
// address the program key itself, so they then leave the store alone.

void Settings::save_players_to_reg() {
    if (s_.Map_name.empty()) return;
    open(s_.Map_name, true);
    for (int p = 1; p <= kPlayers; ++p)
        store_.writeInt(s_.Map_name, colorName(p), static_cast<std::int32_t>(s_.Players[static_cast<std::size_t>(p)].Color));
}

bool Settings::load_players_fm_reg() {
    if (s_.Map_name.empty() || !store_.keyExists(s_.Map_name)) return false;
    open(s_.Map_name, false);
    bool all = true;
    for (int p = 1; p <= kPlayers; ++p) {
        if (store_.valueExists(s_.Map_name, colorName(p)))
            s_.Players[static_cast<std::size_t>(p)].Color =
                static_cast<ColorValue>(store_.readInt(s_.Map_name, colorName(p)));
        else
            all = false;
    }
    return all;
}

std::string Settings::fleetfile_read() {
    if (s_.Map_name.empty()) return {};
    const std::string& key = s_.Map_name;
    open(key, true);
    if (!store_.valueExists(key, "autoload_fleet")) {
        store_.writeInt(key, "autoload_fleet", 0);
        store_.writeText(key, "first_report", "");
        s_.main.Fleetfile_autoload1.checked = false;
        return {};
    }
    if (!store_.valueExists(key, "first_report")) {
        store_.writeText(key, "first_report", "");
        return {};
    }
    if (store_.readInt(key, "autoload_fleet") != 0) {
        std::string path = store_.readText(key, "first_report");
        if (!path.empty()) s_.main.Fleetfile_autoload1.checked = true;
        return path;
    }
    return {};
}

void Settings::fleetfile_write(const std::string& path) {
    if (s_.Map_name.empty()) return;
    open(s_.Map_name, true);
    store_.writeText(s_.Map_name, "first_report", path);
}

void Settings::autoload_fleetfile_status_write(bool flag) {
    if (s_.Map_name.empty()) return;
    open(s_.Map_name, true);
    store_.writeInt(s_.Map_name, "autoload_fleet", flag ? 1 : 0);
    // Only a report read as this MAP's first report is stored for it; with
    // none read (its autoload failed, say) the stored path stays.
    if (!s_.First_report_path.empty()) store_.writeText(s_.Map_name, "first_report", s_.First_report_path);
}

void Settings::save_own_race(const std::string& name) {
    if (s_.Map_name.empty()) return;
    open(s_.Map_name, true);
    store_.writeText(s_.Map_name, "Own_race", name);
}

bool Settings::load_own_race() {
    if (s_.Map_name.empty() || !store_.keyExists(s_.Map_name)) return false;
    open(s_.Map_name, false);
    if (!store_.valueExists(s_.Map_name, "Own_race")) return false;
    s_.Own_race_name = store_.readText(s_.Map_name, "Own_race");
    s_.mapRaceText = s_.Own_race_name;
    return true;
}

void Settings::save_options() {
    if (s_.main.AutoloadlastMAP1.checked)
        autoload_write(true, s_.Autoload_map_file);
    else
        autoload_write(false, " ");
    autoload_fleetfile_status_write(s_.main.Fleetfile_autoload1.checked);
    skip_conf_write(s_.main.Skip_conf.checked);
}

}  // namespace trevanor
