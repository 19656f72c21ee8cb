// The main window's commands and the map window's creation.

#include "core.h"
#include "file_lines.h"
#include "text_util.h"

namespace trevanor {

void Core::FormCreate() {
    s_.Default_colors = kDefaultColors;
    s_.Map_changed = false;
    s_.main.Skip_conf.checked = s_.Skip_conf;
    settings_.load_recent_file_list();
    s_.Fleet_index = {};
}

void Core::FormClose() { settings_.save_options(); }

void Core::open_map_file(const std::string& path) {
    if (!file_exists(path)) {
        prompter_.error("File MAP does not exist!");
        return;
    }
    if (!s_.No_map_yet) {
        open_new_map_file(path);
        return;
    }
    s_.Autoload_map_file = path;
    s_.First_report_pending = true;
    read_MAP_file(path);
    settings_.update_recent_file_list(path);
}

void Core::open_new_map_file(const std::string& path) {
    MainWindowState& m = s_.main;
    if (!m.Skip_conf.checked && !s_.Map_name.empty()) {
        const Answer answer = prompter_.confirm(
            "Do you really want to change MAP file?\r"
            "(choose \"Ignore\" to change the MAP now and skip this question in future)",
            true);
        if (answer == Answer::No) return;
        if (answer == Answer::Ignore) m.Skip_conf.checked = true;
    }
    settings_.save_options();
    // The first report read belongs to the MAP being left: never store it for another.
    s_.First_report_path.clear();

    hooks_.clear_calculator();
    s_.resetPlaceLists();
    s_.planetPlacesListed = false;
    s_.sortList.clear();

    hooks_.destroy_tool_windows();
    s_.resetWindowData();

    s_.New_map_path = path;
    s_.Map_name.clear();
    m.caption = "Trevanor";  // no MAP is open until the new one is read
    s_.Own_race_name.clear();
    s_.First_report_pending = true;
    s_.No_map_yet = true;

    m.AutoloadlastMAP1.enabled = false;
    m.AddFleetfileF1.enabled = false;
    m.Fleetfile_autoload1.enabled = false;
    m.Fleetfile_autoload1.checked = false;
    m.Map1.enabled = false;
    m.FleetStatistics1.enabled = false;
    m.OwnRace1.enabled = false;
    s_.Skip_conf = m.Skip_conf.checked;

    // The tool windows are gone: whatever a damaged settings value stops here,
    // they are created anew.
    try {
        settings_.update_recent_file_list(path);
        FormCreate();
    } catch (const SettingsReadError& e) {
        prompter_.error(e.what());
    }
    s_.Map_changed = true;

    hooks_.create_tool_windows([this] { map_FormCreate(); });
}

void Core::open_recent_file(int k) {
    const std::string path = settings_.read_recent_file(k);
    if (!path.empty()) open_new_map_file(path);
}

void Core::map_FormCreate() {
    MainWindowState& m = s_.main;
    if (s_.Map_changed) {
        if (!file_exists(s_.New_map_path)) {
            prompter_.error("Selected MAP file does not exist or has been moved from the folder!");
            return;
        }
        read_MAP_file(s_.New_map_path);  // starts from empty players
        s_.Autoload_map_file = s_.New_map_path;
    } else if (s_.Autoload_map) {
        m.AutoloadlastMAP1.checked = true;
        if (!file_exists(s_.Autoload_map_file)) {
            prompter_.error("Last stored file MAP does not exist or has been moved from the folder!");
            return;
        }
        read_MAP_file(s_.Autoload_map_file);
        settings_.update_recent_file_list(s_.Autoload_map_file);
    } else {
        m.AutoloadlastMAP1.checked = false;
        m.AutoloadlastMAP1.enabled = false;
    }
}

void Core::add_fleet_file(const std::string& path) {
    if (!file_exists(path)) {
        prompter_.error("File" + shown_path(path) + " does not exist!");
        return;
    }
    const std::string extension = std::string(left(file_extension(path), 4));
    if (to_lower(extension) == ".fle") {
        prompter_.error("FLE files are not supported in this program!");
        return;
    }
    read_fleet_file(path);
    // Asked once per MAP: the map window may have put "_none_" into the own
    // race in memory, but only a stored choice counts as made.
    const bool ownRaceStored = settings_.load_own_race();
    update_race_list();
    if (!ownRaceStored) {
        // The player number from the extension (3 from ".F3"); a number that
        // is no player's gives no suggestion.
        int player = extension.size() > 2 ? to_int_def(extension.substr(2), 0) : 0;
        if (player < 0 || player > kPlayers) player = 0;
        hooks_.own_race_showmodal(player);
    }
    s_.First_report_pending = false;
    s_.main.Fleetfile_autoload1.enabled = true;
    if (!s_.main.Fleetfile_autoload1.checked) {
        const Answer answer = prompter_.confirm(
            "It is very recommended that first report is own report. Do you want to autoload this report file as "
            "first when opening " + s_.Map_name + "?",
            false);
        if (answer == Answer::Yes) {
            s_.main.Fleetfile_autoload1.checked = true;
            settings_.fleetfile_write(path);
        }
    }
}

void Core::toggle_autoload_map() {
    MenuItemState& item = s_.main.AutoloadlastMAP1;
    item.checked = !item.checked;
    if (item.checked) settings_.autoload_write(true, s_.Autoload_map_file);
    else settings_.autoload_write(false, " ");
}

void Core::toggle_fleetfile_autoload() { s_.main.Fleetfile_autoload1.checked = !s_.main.Fleetfile_autoload1.checked; }

void Core::toggle_skip_conf() { s_.main.Skip_conf.checked = !s_.main.Skip_conf.checked; }

void Core::set_own_race(const std::string& name) {
    s_.Own_race_name = name;
    settings_.save_own_race(name);
    update_race_list();
}

}  // namespace trevanor
