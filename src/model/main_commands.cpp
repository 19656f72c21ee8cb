#include "main_commands.h"

#include "files.h"
#include "numbers.h"
#include "own_race.h"
#include "text.h"

namespace trevanor {

MainCommands::MainCommands(Session& session, Prompter& prompter, Settings& settings, WindowHooks& hooks)
    : s_(session), prompter_(prompter), settings_(settings), hooks_(hooks), maps_(session, settings),
      reports_(session, prompter) {}

void MainCommands::FormCreate() {
    s_.Default_colors = kDefaultColors;
    s_.Map_changed = false;
    s_.main.Skip_conf.checked = s_.Skip_conf;
    settings_.load_recent_file_list();
    s_.Fleet_index = {};
}

void MainCommands::FormClose() { settings_.save_options(); }

void MainCommands::read_MAP_file(const std::string& path) {
    const std::string report = maps_.read(path);
    if (!s_.main.Fleetfile_autoload1.checked) return;
    if (!file_exists(report)) {
        prompter_.message("Autoload fleet file failed. File \"" + shown_path(report) + "\" does not exist.");
        return;
    }
    read_first_report(report, 0);
}

void MainCommands::read_first_report(const std::string& path, int suggestedPlayer) {
    reports_.read(path);
    // Asked once per MAP: the map window may have put "_none_" into the own
    // race in memory, but only a stored choice counts as made.
    const bool ownRaceStored = load_own_race(s_, settings_);
    update_race_list(s_);
    if (!ownRaceStored) hooks_.own_race_showmodal(suggestedPlayer);
    s_.First_report_pending = false;
    s_.main.Fleetfile_autoload1.enabled = true;
}

void MainCommands::open_map_file(const std::string& path) {
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

void MainCommands::open_new_map_file(const std::string& path) {
    MainWindowState& m = s_.main;
    if (!m.Skip_conf.checked && !s_.Map_name.empty()) {
        const Answer answer = prompter_.confirm(
            "Do you really want to change MAP file?\r"
            "(choose \"Ignore\" to change the MAP now and skip this question in future)",
            true);
        if (answer == Answer::No) return;
        if (answer == Answer::Ignore) m.Skip_conf.checked = true;
    }
    leave_map();
    s_.New_map_path = path;
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

void MainCommands::leave_map() {
    MainWindowState& m = s_.main;
    settings_.save_options();
    // The first report read belongs to the MAP being left: never store it for another.
    s_.First_report_path.clear();
    s_.reads = {{}, {}, {}, s_.reads.revision + 1};

    hooks_.clear_calculator();
    s_.resetPlaceLists();
    s_.planetPlacesListed = false;
    s_.sortList.clear();

    hooks_.destroy_tool_windows();
    s_.resetWindowData();

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
}

void MainCommands::open_recent_file(int k) {
    const std::string path = settings_.read_recent_file(k);
    if (!path.empty()) open_new_map_file(path);
}

void MainCommands::map_FormCreate() {
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

void MainCommands::add_fleet_file(const std::string& path) {
    if (!report_file_acceptable(path, prompter_)) return;
    // The player of the report ".F3" is suggested; a number that is no player's gives no suggestion.
    read_first_report(path, report_player(path));
    if (s_.main.Fleetfile_autoload1.checked) return;
    const Answer answer = prompter_.confirm(
        "It is very recommended that first report is own report. Do you want to autoload this report file as "
        "first when opening " + shown_path(s_.Map_name) + "?",
        false);
    if (answer == Answer::Yes) {
        s_.main.Fleetfile_autoload1.checked = true;
        settings_.fleetfile_write(path);
    }
}

void MainCommands::toggle_autoload_map() {
    MenuItemState& item = s_.main.AutoloadlastMAP1;
    item.checked = !item.checked;
    if (item.checked) settings_.autoload_write(true, s_.Autoload_map_file);
    else settings_.autoload_write(false, setting::Autoload_map_file.initial);
}

void MainCommands::toggle_fleetfile_autoload() {
    s_.main.Fleetfile_autoload1.checked = !s_.main.Fleetfile_autoload1.checked;
}

void MainCommands::toggle_skip_conf() { s_.main.Skip_conf.checked = !s_.main.Skip_conf.checked; }

void MainCommands::race_check(std::size_t item) {
    if (item >= s_.main.ownRaceItems.size()) return;
    set_own_race(s_, settings_, s_.main.ownRaceItems[item].caption, OwnRaceChange::Chosen);
}

void MainCommands::none1Click() { set_own_race(s_, settings_, std::string(kNoRace), OwnRaceChange::Chosen); }

}  // namespace trevanor
