#pragma once
// The running program: the model (session, settings, the main window's
// commands and the merge of allies' reports), the user-facing services and
// the windows, created once at start in their fixed order. A MAP change
// destroys the tool windows (all but the main window and the fleet
// particulars) and creates them anew.

#include <functional>
#include <memory>

#include <QObject>
#include <QString>

#include "model/fleet_trails.h"
#include "model/game_history.h"
#include "model/model.h"
#include "model/movement.h"
#include "app/new_turn_watcher.h"
#include "app/trail_follower.h"
#include "app/turn_keeper.h"
#include "platform/services.h"

namespace trevanor {

class TForm1;
class TFleet_FM;
class TPlanets_FM;
class TOwn_race_Fm;
class TMap_FM;
class TOther_Scanner_FM;
class TPlanetary_Scanner_FM;
class TAlly_report_FM;
class TPly_clr_FM;
class TRemove_FM;
class TTachyon_FM;
class TFleet_Stat_FM;
class TFleet_Data_FM;
class TMovement_FM;
class TReach_FM;

class Application : public WindowHooks {
public:
    Application(SettingsBackend& backend, Prompter& prompter, FileChooser& files, Clipboard& clipboard);
    ~Application() override;

    // Reads the program-wide settings, then creates every window in order;
    // the map window's creation reads the last MAP when it is to be loaded.
    // False when a settings value could not be read (its message was shown):
    // the program then ends.
    bool start();

    // Runs a command: an error stops it with its message in an error box,
    // what was done stays, and every window shows the data as it now is.
    void run(const std::function<void()>& command);
    void refreshAll();
    // Redraws the map (the map window's refresh_map).
    void refreshMap();

    Prompter& prompter;
    FileChooser& files;
    Clipboard& clipboard;
    Model model;
    // The parts of the model the windows use most.
    Session& session = model.session;
    Settings& settings = model.settings;
    MainCommands& commands = model.commands;
    AllyMerge& merge = model.merge;
    // The open game compared with an earlier year of it, while one is read.
    YearComparison comparison;

    // Reads an earlier year of the open game beside it: its first report
    // and its allies' reports (each one's owner by the player number of its
    // extension). A read that stops throws the reader's message; the
    // comparison held stays as it was.
    void compare_with(const std::string& firstReport, const std::vector<std::string>& allyReports);

    // The program's own data folder, where each game's turns are kept
    // (QStandardPaths::AppDataLocation unless a test sets another).
    QString dataFolder;
    // The open game's kept turns (its folder is named after the MAP file),
    // once a turn being kept is whole.
    GameHistory history();
    // Its folder, told at once.
    std::string historyFolder() const;
    // The kept turns, oldest first; a damaged one is left out with its
    // message, shown once.
    std::vector<KeptTurn> keptTurns();
    // Keeps the turn read when what was read changed since (while the
    // history is on), on a thread of its own; a turn that cannot be kept is
    // said once, then the program goes on. Runs after every command.
    void keepTurn();
    // Waits for a turn being kept, and takes what keeping it changed; true
    // when one was.
    bool finishKeeping();
    // The label of the open turn: its first report's modification time.
    const std::string& openTurnLabel() const { return openTurnLabel_; }
    // Deletes the open game's kept turns.
    void forgetHistory();

    // The trails of the open game's fleets over the last
    // session.Trail_turns turns, once followed: the first ask after the game
    // or the history changed starts following them beside the windows (after
    // a turn being kept) and finds none; the map and the particulars show
    // them when that ends. Kept until the game or the history changes.
    const FleetTrails* trails();
    // Waits for the trails being followed and shows them (tests use it).
    void finishTrails();

    // Reads the turn the game has written since: the same MAP, first report
    // and allies' reports with the same options, in the same order, beside
    // the open one; only when all of it was read does it take the open
    // one's place, which becomes the earlier year compared with. A read that
    // stops throws its message, and nothing has changed.
    void readNewTurn();
    // The same as a command, from the new turn's bar or at once when the
    // game has written it: the bars go once it is read.
    void readNewTurnNow();
    NewTurnWatcher& newTurnWatcher() { return *watcher_; }

    // The kept turns a comparison may choose: those before the open one, newest first.
    std::vector<KeptTurn> turnsToCompare();
    void compare_with(const KeptTurn& turn);
    // An option of the history, new turns or trails changed and stored.
    void setTurnOption(bool& option, bool on);

    TForm1* main() const { return main_.get(); }
    TFleet_FM* fleets() const { return fleets_.get(); }
    TPlanets_FM* planets() const { return planets_.get(); }
    TOwn_race_Fm* ownRace() const { return ownRace_.get(); }
    TMap_FM* map() const { return map_.get(); }
    TOther_Scanner_FM* fleetScanner() const { return fleetScanner_.get(); }
    TPlanetary_Scanner_FM* planetaryScanner() const { return planetaryScanner_.get(); }
    TAlly_report_FM* allyReport() const { return allyReport_.get(); }
    TPly_clr_FM* playerColor() const { return playerColor_.get(); }
    TRemove_FM* scannerList() const { return scannerList_.get(); }
    TTachyon_FM* tachyon() const { return tachyon_.get(); }
    TFleet_Stat_FM* statistics() const { return statistics_.get(); }
    TFleet_Data_FM* particulars() const { return particulars_.get(); }
    TMovement_FM* movement() const { return movement_.get(); }
    TReach_FM* reach() const { return reach_.get(); }

    // WindowHooks
    void own_race_showmodal(int player) override;
    void show_ally_report() override;
    void clear_calculator() override;
    void destroy_tool_windows() override;
    void create_tool_windows(const std::function<void()>& mapCreation) override;
    void refresh_route_race() override;
    void show_player_colors() override;

private:
    void create_map_window(const std::function<void()>& mapCreation);
    // The tool windows that follow the map window, in the same order at start
    // and after a MAP change.
    void create_windows_after_map();

    // After every command: the turn kept and its files watched.
    void afterCommand();
    void newTurnWritten(const NewTurnNews& news);
    // A warning shown once in the program's run.
    void warnOnce(const std::string& message);

    std::unique_ptr<NewTurnWatcher> watcher_;
    std::uint64_t watchedRevision_ = 0;
    std::uint64_t keptRevision_ = 0;  // session.reads.revision when last kept
    std::string openTurnLabel_;
    std::int64_t openTurnTime_ = 0;
    std::vector<std::string> shownSkips_;  // warnings of the history already said
    // What trails are followed from: the fleet table's revision, the turns
    // and the history's generation.
    struct TrailsKey {
        std::uint64_t revision = 0;
        int turns = 0;
        std::uint64_t history = 0;
        bool operator==(const TrailsKey&) const = default;
    };
    std::unique_ptr<FleetTrails> trails_;
    TrailsKey trailsKey_, followingKey_;
    bool trailsAfterKeeping_ = false;  // asked for while a turn was being kept
    std::uint64_t historyGeneration_ = 0;
    // The trails followed: kept (true when some were), and shown where they are asked for.
    bool takeFollowed();
    void trailsFollowed();
    // The open turn's label from the kept turns.
    void labelOpenTurn();
    // A keeping ended: what it changed shown.
    void keepingDone();
    void keepingFailed(const std::string& why);
    QObject keeping_;    // where the end of a keeping is told, on the windows' thread
    TurnKeeper keeper_;  // goes first: the program ends only when the turn is kept
    TrailFollower follower_;  // ends before what it tells its end to

    std::unique_ptr<TForm1> main_;
    std::unique_ptr<TFleet_FM> fleets_;
    std::unique_ptr<TPlanets_FM> planets_;
    std::unique_ptr<TOwn_race_Fm> ownRace_;
    std::unique_ptr<TMap_FM> map_;
    std::unique_ptr<TOther_Scanner_FM> fleetScanner_;
    std::unique_ptr<TPlanetary_Scanner_FM> planetaryScanner_;
    std::unique_ptr<TAlly_report_FM> allyReport_;
    std::unique_ptr<TPly_clr_FM> playerColor_;
    std::unique_ptr<TRemove_FM> scannerList_;
    std::unique_ptr<TTachyon_FM> tachyon_;
    std::unique_ptr<TFleet_Stat_FM> statistics_;
    std::unique_ptr<TFleet_Data_FM> particulars_;
    std::unique_ptr<TMovement_FM> movement_;
    std::unique_ptr<TReach_FM> reach_;
};

}  // namespace trevanor
