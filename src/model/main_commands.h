#pragma once
// The main window's commands: opening a MAP, changing to another MAP, the
// recent files, adding the first fleet report, the Options toggles and the
// own race menu; also the map window's creation, which reads the MAP of a
// MAP change or the last MAP at start. Windows call these and then show what
// the Session holds.
//
// Errors (a file that cannot be read, a conversion, too many lines) are
// thrown; the handler that started the command shows the message and the
// program goes on with what was read until then.

#include <string>

#include "fleet_report_reader.h"
#include "map_reader.h"
#include "prompter.h"
#include "session.h"
#include "settings.h"
#include "window_hooks.h"

namespace trevanor {

class MainCommands {
public:
    MainCommands(Session& session, Prompter& prompter, Settings& settings, WindowHooks& hooks);

    // The main window's creation and closing.
    void FormCreate();
    void FormClose();

    // File menu, after its open dialog.
    void open_map_file(const std::string& path);
    void open_new_map_file(const std::string& path);
    void open_recent_file(int k);
    void add_fleet_file(const std::string& path);

    // Options menu.
    void toggle_autoload_map();
    void toggle_fleetfile_autoload();
    void toggle_skip_conf();
    // A click on a player item of the Own Race submenu, and on "_none_".
    void race_check(std::size_t item);  // index into main.ownRaceItems
    void none1Click();

    // The map window's creation: the MAP of a MAP change, or the last MAP.
    void map_FormCreate();

    // Reads a MAP and, when it is to be autoloaded, its first report.
    void read_MAP_file(const std::string& path);

    FleetReportReader& reports() { return reports_; }

private:
    // Reads the first report and asks for the own race once per MAP, with
    // `suggestedPlayer` preselected (0: none).
    void read_first_report(const std::string& path, int suggestedPlayer);
    // The options of the MAP being left saved, and what it showed emptied.
    void leave_map();

    Session& s_;
    Prompter& prompter_;
    Settings& settings_;
    WindowHooks& hooks_;
    MapReader maps_;
    FleetReportReader reports_;
};

}  // namespace trevanor
