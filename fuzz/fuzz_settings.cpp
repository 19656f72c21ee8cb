// The settings routines over a damaged settings file: the input is the INI
// file of the Qt settings store (a first line ";NAME" names the open MAP,
// else it is GAME.MAP; QSettings reads that line as a comment). Every routine
// the program runs at start, at a MAP change and when it closes is run on it;
// a wrongly typed or missing value must end in SettingsReadError (or
// RegistryFatal after the fatal message), never in anything else. What the
// routines wrote that went through is read back by a fresh store object.

#include <QApplication>
#include <QString>

#include <cstdint>
#include <optional>

#include "fuzz_support.h"
#include "model/files.h"
#include "platform/qt_settings_backend.h"

using namespace trevanor;

namespace {

const std::string kRecent = "/games/NEXT.MAP";
const std::string kReport = "/games/NEXT.F3";
const std::string kRace = "Vorlani";

// Runs one routine; false when it ended in one of the settings errors.
template <class F>
bool attempt(F f) {
    try {
        f();
        return true;
    } catch (const SettingsReadError&) {
    } catch (const RegistryFatal&) {
    }
    return false;
}

std::string map_name(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || data[0] != ';') return "GAME.MAP";
    std::size_t end = 1;
    while (end < size && data[end] != '\n' && data[end] != '\r' && data[end] != 0) ++end;
    // A file name: no folders, as file_name_part leaves it.
    return file_name_part(std::string(reinterpret_cast<const char*>(data) + 1, end - 1));
}

struct Rig {
    explicit Rig(const std::string& file, const std::string& mapName) : store(QString::fromStdString(file)) {
        session.Map_name = mapName;
        session.Default_colors = kDefaultColors;
        settings.onFatal = [] { throw RegistryFatal(); };
    }
    QtSettingsBackend store;
    fuzz::SilentPrompter prompter;
    Session session;
    Settings settings{session, store, prompter};
};

}  // namespace

// QSettings itself needs no application object for a file of its own, but the
// program has one when it reads its settings, and only then can a value
// written as "@Variant(...)" decode to a type of the Gui or Widgets module
// (an image, a font, a size policy): without it such a value is an invalid type.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_settings";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A new name each time: QSettings keeps the files it read in a cache by path.
    static std::uint64_t count = 0;
    const std::string file = fuzz::write_file("s" + std::to_string(count++) + ".conf", data, size);
    const std::string mapName = map_name(data, size);
    {
        Rig rig(file, mapName);
        Settings& st = rig.settings;
        Session& s = rig.session;

        // Start, then opening the MAP.
        attempt([&] { st.registry_check(); });
        attempt([&] { st.load_recent_file_list(); });
        attempt([&] { st.load_players_fm_reg(); });
        attempt([&] { st.fleetfile_read(); });
        attempt([&] { (void)st.stored_own_race(); });

        // What the program writes.
        for (int p = 1; p <= kPlayers; ++p) s.Players[static_cast<std::size_t>(p)].Color = 0x010101u * p;
        s.First_report_path = kReport;
        s.main.AutoloadlastMAP1.checked = true;
        s.Autoload_map_file = kRecent;
        s.main.Fleetfile_autoload1.checked = true;
        s.main.Skip_conf.checked = true;
        const bool recentWritten = attempt([&] { st.update_recent_file_list(kRecent); });
        const bool coloursWritten = attempt([&] { st.save_players_to_reg(); });
        const bool raceWritten = attempt([&] { st.save_own_race(kRace); });
        const bool optionsWritten = attempt([&] { st.save_options(); });

        // A fresh store object reads what went through.
        Rig again(file, mapName);
        std::string recent;
        if (recentWritten && (!attempt([&] { recent = again.settings.read_recent_file(1); }) || recent != kRecent))
            fuzz::broken("the recent MAP written cannot be read back");
        if (!mapName.empty()) {
            if (coloursWritten) {
                bool all = false;
                if (!attempt([&] { all = again.settings.load_players_fm_reg(); }) || !all)
                    fuzz::broken("the player colours written cannot be read back");
                for (int p = 1; p <= kPlayers; ++p)
                    if (again.session.Players[static_cast<std::size_t>(p)].Color != 0x010101u * p)
                        fuzz::broken("player colour " + std::to_string(p) + " did not persist");
            }
            std::optional<std::string> race;
            if (raceWritten && (!attempt([&] { race = again.settings.stored_own_race(); }) || race != kRace))
                fuzz::broken("the own race written cannot be read back");
            std::string report;
            if (optionsWritten && (!attempt([&] { report = again.settings.fleetfile_read(); }) || report != kReport))
                fuzz::broken("the first report written cannot be read back");
        }
        if (optionsWritten) {
            if (!attempt([&] { again.settings.registry_check(); }))
                fuzz::broken("the options written cannot be read back");
            if (!again.session.Autoload_map || again.session.Autoload_map_file != kRecent || !again.session.Skip_conf)
                fuzz::broken("the options written did not persist");
        }
    }
    std::remove(file.c_str());
    return 0;
}
