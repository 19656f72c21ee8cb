#include "app/application.h"

#include <QGuiApplication>
#include <utility>
#include <QStandardPaths>

#include "model/errors.h"
#include "model/files.h"
#include "model/fleet_report_reader.h"
#include "platform/cp1252.h"

#include "forms/Dist_calc.h"
#include "forms/widgets/new_turn_bar.h"
#include "forms/Fleet_Statistics.h"
#include "forms/Fleet_data.h"
#include "forms/Fleets.h"
#include "forms/Own_race_unit.h"
#include "forms/PlayerColor.h"
#include "forms/Planets.h"
#include "forms/Scanner_type.h"
#include "forms/Tachyon_det.h"
#include "forms/ally_report.h"
#include "forms/Movement.h"
#include "forms/Reach.h"
#include "forms/widgets/action_timing.h"
#include "forms/map.h"
#include "forms/planetary_scanner.h"
#include "forms/remove.h"

namespace trevanor {

namespace {
// Paths in messages: decoded with the system's file-name encoding.
std::string path_for_messages(const std::string& path) { return toCp1252(path_text(path)); }
}  // namespace

Application::Application(SettingsBackend& backend, Prompter& prompter, FileChooser& files, Clipboard& clipboard)
    : prompter(prompter), files(files), clipboard(clipboard), model(backend, prompter, *this) {
    set_path_decoder(&path_for_messages);
    dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    watcher_ = std::make_unique<NewTurnWatcher>([this](const NewTurnNews& news) { newTurnWritten(news); });
}

Application::~Application() = default;

bool Application::start() {
    // The program-wide settings and the main window's recent files: a value
    // the store cannot read ends the program after its message.
    try {
        settings.registry_check();
        settings.load_turn_options();
        // The application title; a display name would be added to every window caption.
        QCoreApplication::setApplicationName(QStringLiteral("Trevanor"));
        main_ = std::make_unique<TForm1>(*this);
    } catch (const SettingsReadError& e) {
        prompter.error(e.what());
        return false;
    }
    fleets_ = std::make_unique<TFleet_FM>(*this);
    planets_ = std::make_unique<TPlanets_FM>(*this);
    ownRace_ = std::make_unique<TOwn_race_Fm>(*this);
    create_map_window([this] { commands.map_FormCreate(); });
    create_windows_after_map();
    particulars_ = std::make_unique<TFleet_Data_FM>(*this);
    movement_ = std::make_unique<TMovement_FM>(*this);
    reach_ = std::make_unique<TReach_FM>(*this);
    refreshAll();
    return true;
}

void Application::compare_with(const std::string& firstReport, const std::vector<std::string>& allyReports) {
    EarlierYear::Files files{session.Autoload_map_file, firstReport, {}, session.Own_race_name, {}};
    for (const std::string& path : allyReports) {
        const int player = report_player(path);
        const std::string owner = player ? session.Players[static_cast<std::size_t>(player)].Name : std::string();
        if (owner.empty())
            throw FileError("\"" + shown_path(path) +
                            "\" is no report of a known player: its extension must be the number of a player of the "
                            "game (.F1 to .F16).");
        MergeOptions options;
        options.reportOwner = owner;
        files.allies.push_back({path, options});
    }
    comparison.set(EarlierYear::read(files, prompter));
}

GameHistory Application::history() {
    finishKeeping();
    return GameHistory(historyFolder(), GameHistory::kDefaultCap, session.Map_name);
}

std::string Application::historyFolder() const { return GameHistory::folder_for(path_bytes(dataFolder), session.Map_name); }

void Application::warnOnce(const std::string& message) {
    if (std::find(shownSkips_.begin(), shownSkips_.end(), message) != shownSkips_.end()) return;
    shownSkips_.push_back(message);
    prompter.warning(message);
}

std::vector<KeptTurn> Application::keptTurns() {
    if (session.Map_name.empty()) return {};
    GameHistory::Listing listing = history().turns();
    for (const std::string& message : listing.skipped) warnOnce(message);
    if (!listing.problem.empty() && !listing.absent) warnOnce(listing.problem);  // none kept yet is no problem
    return std::move(listing.turns);
}

void Application::keepTurn() {
    const TurnReads& reads = session.reads;
    if (reads.revision == keptRevision_) return;
    keptRevision_ = reads.revision;
    if (!reads.complete()) return;
    openTurnTime_ = modification_time(reads.firstReport);
    openTurnLabel_ = turn_label(openTurnTime_);
    if (dataFolder.isEmpty()) return;
    if (!session.Keep_history) {
        labelOpenTurn();
        return;
    }
    // The files and figures are taken here, as they were read; the rest goes on beside the windows.
    std::shared_ptr<GameHistory::Reading> reading;
    try {
        reading = GameHistory::read_turn(reads, session);
    } catch (const std::exception& e) {
        keepingFailed(e.what());
    }
    if (!reading) {
        labelOpenTurn();
        return;
    }
    keeper_.start([kept = history(), reading] () mutable { return kept.keep(*reading); },
                  [this] { QMetaObject::invokeMethod(&keeping_, [this] { keepingDone(); }, Qt::QueuedConnection); });
}

bool Application::finishKeeping() {
    const std::optional<TurnKeeper::Result> result = keeper_.finish();
    if (!result) return false;
    if (result->kept) ++historyGeneration_;
    if (!result->error.empty()) keepingFailed(result->error);
    labelOpenTurn();
    return true;
}

// Each reason said once: the game goes on without its history.
void Application::keepingFailed(const std::string& why) {
    warnOnce("This turn could not be kept in the history of reports.\r" + why);
}

// Labelled as its kept copy, when one was kept before (the history switched off since).
void Application::labelOpenTurn() {
    const TurnsBefore open = turns_before(keptTurns(), session.reads, 0);
    openTurnLabel_ = open.openLabel;
    openTurnTime_ = open.openTime;
}

void Application::keepingDone() {
    const std::uint64_t generation = historyGeneration_;
    const std::string label = openTurnLabel_;
    if (finishKeeping() && (generation != historyGeneration_ || label != openTurnLabel_)) refreshAll();
    // Trails asked for meanwhile are followed now.
    if (std::exchange(trailsAfterKeeping_, false) && map_ && map_->isVisible()) refreshMap();
}

void Application::forgetHistory() {
    history().forget();  // the open turn too: it is kept again once another is read
    ++historyGeneration_;
}

const FleetTrails* Application::trails() {
    if (!keeper_.running()) finishKeeping();
    const TrailsKey key{session.fleetsByPos.revision(), session.Trail_turns, historyGeneration_};
    if (trails_ && trailsKey_ == key) return trails_.get();
    // Followed already, its end not yet told: taken now.
    if (followingKey_ == key && !follower_.running() && takeFollowed() && trailsKey_ == key) return trails_.get();
    if (keeper_.running()) {  // the turn being kept may be one of them: followed once it is whole
        trailsAfterKeeping_ = true;
        return nullptr;
    }
    if (follower_.running() && followingKey_ == key) return nullptr;
    followingKey_ = key;
    const TurnsBefore before =
        turns_before(keptTurns(), session.reads, static_cast<std::size_t>(session.Trail_turns - 1));
    follower_.start(session, before.openLabel, before.turns, [this] {
        QMetaObject::invokeMethod(&keeping_, [this] { trailsFollowed(); }, Qt::QueuedConnection);
    });
    return nullptr;
}

bool Application::takeFollowed() {
    std::optional<TrailFollower::Result> result = follower_.finish();
    if (!result) return false;
    for (const std::string& warning : result->warnings) prompter.warning(warning);
    if (!result->trails) return false;
    trails_ = std::move(result->trails);
    trailsKey_ = followingKey_;
    return true;
}

void Application::trailsFollowed() {
    if (takeFollowed() && map_ && map_->isVisible()) map_->trailsFollowed();
}

void Application::finishTrails() { trailsFollowed(); }

void Application::readNewTurn() {
    if (!session.reads.complete()) return;
    // A turn written in the minute of the one it replaces is told apart by its seconds.
    std::string replaced = openTurnLabel_;
    if (turn_label(modification_time(session.reads.firstReport)) == turn_label(openTurnTime_))
        replaced = turn_label(openTurnTime_, true);
    comparison.set(EarlierYear::read_new_turn(session, replaced, prompter));
    refresh_route_race();
}

void Application::create_map_window(const std::function<void()>& mapCreation) {
    map_ = std::make_unique<TMap_FM>(*this);
    run(mapCreation);
    map_->afterCreate();
}

void Application::run(const std::function<void()>& command) {
    try {
        command();
    } catch (const RegistryFatal&) {
        throw;
    } catch (const std::exception& e) {
        prompter.error(e.what());
    }
    afterCommand();
    refreshAll();
}

void Application::afterCommand() {
    keepTurn();
    if (session.reads.revision == watchedRevision_) return;
    watchedRevision_ = session.reads.revision;
    watcher_->watch(session.reads);
}

void Application::newTurnWritten(const NewTurnNews& news) {
    if (session.Read_new_turns) {
        readNewTurnNow();
        return;
    }
    if (main_) main_->tellNewTurn(news);
    if (map_) map_->tellNewTurn(news);
}

void Application::readNewTurnNow() {
    // Shown once the map shows the new turn, or the main window where the map is closed.
    const QWidget* shownBy = map_ && map_->isVisible() ? static_cast<const QWidget*>(map_->Image1) : main_.get();
    ActionTiming::start("new turn", shownBy);
    const std::uint64_t before = session.reads.revision;
    const TMap_FM::Selection selected = map_ ? map_->selection() : TMap_FM::Selection();
    run([this] { readNewTurn(); });
    if (session.reads.revision == before) return;  // not read: the bars stay to try again
    if (main_) main_->hideNewTurn();
    if (map_) map_->hideNewTurn();
    refreshMap();
    if (map_) map_->follow(selected);
}

std::vector<KeptTurn> Application::turnsToCompare() {
    if (!session.reads.complete()) return {};
    return turns_before(keptTurns(), session.reads, static_cast<std::size_t>(-1)).turns;
}

void Application::compare_with(const KeptTurn& turn) {
    // A fleet paired by name may have flown for each turn kept since.
    const std::vector<KeptTurn> before = turnsToCompare();
    int between = 1;
    for (std::size_t k = 0; k < before.size(); ++k)
        if (before[k].folder == turn.folder) between = static_cast<int>(k) + 1;
    comparison.set(EarlierYear::read_kept(turn, prompter), between);
}

void Application::setTurnOption(bool& option, bool on) {
    option = on;
    settings.save_turn_options();
    if (&option == &session.Keep_history) keptRevision_ = 0;  // the open turn kept now
}

void Application::refreshAll() {
    if (main_) main_->syncFromSession();
    if (fleets_) fleets_->refresh();
    if (planets_) planets_->refresh();
    if (map_) map_->refresh();
    if (scannerList_) scannerList_->refresh();
    if (movement_) movement_->refresh();
    if (reach_) reach_->refresh();
    if (statistics_) statistics_->follow();
}

void Application::refreshMap() {
    if (map_) run([this] { map_->refresh_map(); });
}

void Application::own_race_showmodal(int player) {
    refreshAll();
    if (ownRace_) ownRace_->showmodal(player);
}

void Application::show_ally_report() {
    if (!allyReport_) return;
    allyReport_->resetProgress();
    allyReport_->show();
    allyReport_->raise();
}

void Application::refresh_route_race() {
    if (map_) map_->refresh_route_race();
}

void Application::show_player_colors() {
    if (!playerColor_) return;
    playerColor_->show();
    playerColor_->raise();
}

void Application::clear_calculator() {
    if (main_) main_->clearCoordinates();
}

void Application::destroy_tool_windows() {
    comparison.forget();  // another game
    if (reach_) reach_->forget();
    fleets_.reset();
    planets_.reset();
    map_.reset();
    allyReport_.reset();
    fleetScanner_.reset();
    planetaryScanner_.reset();
    scannerList_.reset();
    tachyon_.reset();
    statistics_.reset();
    ownRace_.reset();
    playerColor_.reset();
}

void Application::create_tool_windows(const std::function<void()>& mapCreation) {
    fleets_ = std::make_unique<TFleet_FM>(*this);
    ownRace_ = std::make_unique<TOwn_race_Fm>(*this);
    planets_ = std::make_unique<TPlanets_FM>(*this);
    create_map_window(mapCreation);
    create_windows_after_map();
}

void Application::create_windows_after_map() {
    fleetScanner_ = std::make_unique<TOther_Scanner_FM>(*this);
    planetaryScanner_ = std::make_unique<TPlanetary_Scanner_FM>(*this);
    allyReport_ = std::make_unique<TAlly_report_FM>(*this);
    playerColor_ = std::make_unique<TPly_clr_FM>(*this);
    scannerList_ = std::make_unique<TRemove_FM>(*this);
    tachyon_ = std::make_unique<TTachyon_FM>(*this);
    statistics_ = std::make_unique<TFleet_Stat_FM>(*this);
}

}  // namespace trevanor
