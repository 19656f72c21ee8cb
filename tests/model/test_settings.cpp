#include <gtest/gtest.h>

#include "model/own_race.h"
#include "test_support.h"

using namespace trevanor;
using test::Rig;

TEST(Settings, FirstStartOnACleanStore) {
    Rig rig;
    rig.settings.registry_check();
    rig.settings.load_recent_file_list();
    auto& st = rig.store;
    EXPECT_EQ(st.readInt("", "Autoload_MAP"), 0);
    EXPECT_EQ(st.readText("", "Autoload_map_file"), " ");
    EXPECT_EQ(st.readInt("", "skip_conf"), 0);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(st.readText("", "rfile" + std::to_string(k)), "");
    EXPECT_EQ(rig.session.main.recentCaptions, (std::array<std::string, 4>{"&1 ", "&2 ", "&3 ", "&4 "}));
    EXPECT_FALSE(rig.session.Autoload_map);
    EXPECT_EQ(rig.session.Autoload_map_file, " ");
    EXPECT_FALSE(rig.session.Skip_conf);
}

TEST(Settings, RegistryCheckReadsStoredValuesWhateverTheirCase) {
    Rig rig;
    rig.store.writeInt("", "autoload_map", 1);
    rig.store.writeText("", "AUTOLOAD_MAP_FILE", "/g/GAME.MAP");
    rig.store.writeInt("", "Skip_Conf", 7);
    rig.settings.registry_check();
    EXPECT_TRUE(rig.session.Autoload_map);
    EXPECT_EQ(rig.session.Autoload_map_file, "/g/GAME.MAP");
    EXPECT_TRUE(rig.session.Skip_conf);
}

TEST(Settings, MissingPathWithAutoloadSetIsReadAsEmptyAndNotCreated) {
    Rig rig;
    rig.store.writeInt("", "Autoload_MAP", 0);
    rig.settings.registry_check();
    EXPECT_EQ(rig.session.Autoload_map_file, "");
    EXPECT_FALSE(rig.store.valueExists("", "Autoload_map_file"));
}

TEST(Settings, ValueOfTheWrongTypeStopsTheRead) {
    Rig rig;
    rig.store.writeText("", "Autoload_MAP", "1");
    try {
        rig.settings.registry_check();
        FAIL();
    } catch (const SettingsReadError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'Autoload_MAP'");
    }
}

TEST(Settings, RecentListShiftsDownAndKeepsRepeats) {
    Rig rig;
    rig.settings.load_recent_file_list();
    for (const char* path : {"/a/A.MAP", "/b/B.MAP", "/a/A.MAP", "/a/A.MAP"}) rig.settings.update_recent_file_list(path);
    EXPECT_EQ(rig.settings.read_recent_file(1), "/a/A.MAP");
    EXPECT_EQ(rig.settings.read_recent_file(2), "/b/B.MAP");
    EXPECT_EQ(rig.settings.read_recent_file(3), "/a/A.MAP");
    EXPECT_EQ(rig.settings.read_recent_file(4), "");
    EXPECT_EQ(rig.session.main.recentCaptions, (std::array<std::string, 4>{"&1 A.MAP", "&2 B.MAP", "&3 A.MAP", "&4 "}));
}

TEST(Settings, ReadRecentFileCreatesAMissingEntry) {
    Rig rig;
    EXPECT_EQ(rig.settings.read_recent_file(3), "");
    EXPECT_EQ(rig.store.readText("", "rfile3"), "");
}

TEST(Settings, PlayerColoursPerMap) {
    Rig rig;
    EXPECT_FALSE(rig.settings.load_players_fm_reg());  // no MAP open
    rig.session.Map_name = "GAME.MAP";
    EXPECT_FALSE(rig.settings.load_players_fm_reg());  // no key yet, and none is created
    EXPECT_FALSE(rig.store.keyExists("GAME.MAP"));

    for (int p = 1; p <= 16; ++p) rig.session.Players[static_cast<std::size_t>(p)].Color = 0x010000u * static_cast<unsigned>(p);
    rig.settings.save_players_to_reg();
    rig.session.Players = {};
    rig.session.Map_name = "game.map";  // the key name ignores case
    EXPECT_TRUE(rig.settings.load_players_fm_reg());
    EXPECT_EQ(rig.session.Players[16].Color, 0x100000u);

    rig.session.Map_name = "OTHER.MAP";
    rig.store.writeInt("OTHER.MAP", "p3", 0x123456);
    rig.session.Players = {};
    EXPECT_FALSE(rig.settings.load_players_fm_reg());  // some colour missing
    EXPECT_EQ(rig.session.Players[3].Color, 0x123456u);  // the present ones are still read
}

TEST(Settings, AssociatedReportRules) {
    struct Case {
        const char* what;
        std::optional<int> autoload;
        std::optional<std::string> report;
        bool checkedBefore;
        std::string path;
        bool checkedAfter;
    };
    const Case cases[] = {
        {"nothing stored", std::nullopt, std::nullopt, true, "", false},
        {"report missing", 1, std::nullopt, true, "", true},
        {"autoload on", 1, "/g/GAME.F1", false, "/g/GAME.F1", true},
        {"autoload on, empty report", 1, "", false, "", false},
        {"autoload off", 0, "/g/GAME.F1", false, "", false},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.session.Map_name = "GAME.MAP";
        if (c.autoload) rig.store.writeInt("GAME.MAP", "autoload_fleet", *c.autoload);
        if (c.report) rig.store.writeText("GAME.MAP", "first_report", *c.report);
        rig.session.main.Fleetfile_autoload1.checked = c.checkedBefore;
        EXPECT_EQ(rig.settings.fleetfile_read(), c.path) << c.what;
        EXPECT_EQ(rig.session.main.Fleetfile_autoload1.checked, c.checkedAfter) << c.what;
        EXPECT_TRUE(rig.store.valueExists("GAME.MAP", "autoload_fleet")) << c.what;
        EXPECT_TRUE(rig.store.valueExists("GAME.MAP", "first_report")) << c.what;
    }
}

TEST(Settings, SaveOptionsWritesTheThreeChecks) {
    Rig rig;
    rig.session.Map_name = "GAME.MAP";
    rig.session.Autoload_map_file = "/g/GAME.MAP";
    rig.session.First_report_path = "/g/GAME.F1";
    rig.session.main.AutoloadlastMAP1.checked = true;
    rig.session.main.Fleetfile_autoload1.checked = true;
    rig.session.main.Skip_conf.checked = true;
    rig.settings.save_options();
    EXPECT_EQ(rig.store.readInt("", "Autoload_MAP"), 1);
    EXPECT_EQ(rig.store.readText("", "Autoload_map_file"), "/g/GAME.MAP");
    EXPECT_EQ(rig.store.readInt("GAME.MAP", "autoload_fleet"), 1);
    EXPECT_EQ(rig.store.readText("GAME.MAP", "first_report"), "/g/GAME.F1");
    EXPECT_EQ(rig.store.readInt("", "skip_conf"), 1);

    rig.session.main.AutoloadlastMAP1.checked = false;
    rig.settings.save_options();
    EXPECT_EQ(rig.store.readInt("", "Autoload_MAP"), 0);
    EXPECT_EQ(rig.store.readText("", "Autoload_map_file"), " ");
}

TEST(Settings, NoMapOpenLeavesMapValuesAlone) {
    Rig rig;
    rig.session.First_report_path = "/g/GAME.F1";
    rig.settings.save_options();
    rig.settings.save_own_race("Vorlani");
    EXPECT_FALSE(rig.store.valueExists("", "first_report"));
    EXPECT_FALSE(rig.store.valueExists("", "Own_race"));
    EXPECT_FALSE(load_own_race(rig.session, rig.settings));
}

TEST(Settings, OwnRacePerMap) {
    Rig rig;
    rig.session.Map_name = "A.MAP";
    rig.settings.save_own_race("Vorlani");
    rig.session.Map_name = "B.MAP";
    EXPECT_FALSE(load_own_race(rig.session, rig.settings));
    EXPECT_EQ(rig.session.Own_race_name, "");
    rig.settings.save_own_race("_none_");
    rig.session.Map_name = "A.MAP";
    EXPECT_TRUE(load_own_race(rig.session, rig.settings));
    EXPECT_EQ(rig.session.Own_race_name, "Vorlani");
    EXPECT_EQ(rig.session.mapRaceText, "Vorlani");
}

TEST(Settings, KeyThatCannotBeOpenedIsFatal) {
    Rig rig;
    rig.store.failOpen = true;
    EXPECT_THROW(rig.settings.registry_check(), RegistryFatal);
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0], (test::RecordingPrompter::Shown{"error", "Registry error! Application terminates."}));
    rig.session.Map_name = "GAME.MAP";
    EXPECT_THROW(rig.settings.save_players_to_reg(), RegistryFatal);
    EXPECT_THROW(rig.settings.update_recent_file_list("x"), RegistryFatal);
}
