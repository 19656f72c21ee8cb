// Scanner planning: fleet scanner ranges by the fourth-power rule and the
// racial traits, planetary scanners, tachyon detectors against cloaking, and
// the stored scanner-range list.

#include <gtest/gtest.h>

#include "model/scanner_list.h"
#include "model/scanner_marks.h"
#include "model/scanner_types.h"
#include "model/tachyon.h"
#include "support/recording_prompter.h"

using namespace trevanor;

TEST(FleetScannerRange, FourthPowerRuleAndTraits) {
    const struct {
        const char* what;
        FleetScanners fleet;
        Ranges want;
    } cases[] = {
        {"one Possum", {{"Possum"}, false, {}, false}, {150, 0}},
        {"two Possums", {{"Possum", "Possum"}, false, {}, false}, {178, 0}},
        {"Elephant with JoAT at Electronics 3", {{"Elephant (pen)"}, true, calc_joat(3)}, {300, 200}},
        {"JoAT alone at 3", {{}, true, calc_joat(3)}, {60, 30}},
        {"JoAT worked out but not ticked", {{"Rhino"}, false, calc_joat(5)}, {50, 0}},
        {"No Advanced Scanners: Dolphin", {{"Dolphin (pen)"}, false, {}, true}, {440, 0}},
        {"No Advanced Scanners: Chameleon keeps its penetration", {{"Chameleon (SS, pen)"}, false, {}, true}, {320, 45}},
        // Only the SS scanners' penetration counts then, not the Dolphin's.
        {"No Advanced Scanners: Chameleon with Dolphin", {{"Chameleon (SS, pen)", "Dolphin (pen)"}, false, {}, true},
         {468, 45}},
        {"No Advanced Scanners with JoAT's penetration", {{"Possum"}, false, calc_joat(4), true}, {300, 40}},
        {"nothing listed", {}, {0, 0}},
        {"Bat", {{"Bat"}, false, {}, false}, {0, 0}},
        {"mixed", {{"Ferret (pen)", "Dolphin (pen)", "Mole"}, false, {}, false}, {230, 102}},
    };
    for (const auto& c : cases) {
        test::RecordingPrompter prompter;
        EXPECT_EQ(calc_fleet_range(c.fleet, prompter), c.want) << c.what;
        EXPECT_TRUE(prompter.shown.empty()) << c.what;
    }
}

TEST(FleetScannerRange, UnknownTypeCountsAsNoneWithAMessage) {
    test::RecordingPrompter prompter;
    EXPECT_EQ(calc_fleet_range({{"Possum", "Telescope"}, false, {}, false}, prompter), (Ranges{150, 0}));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Telescope - unknown scanner !");
}

TEST(PlanetaryScannerRange, TraitDoublesOnlyNonPenetratingTypes) {
    EXPECT_EQ(planetary_scanner_ranges(0, false), (Ranges{50, 0}));
    EXPECT_EQ(planetary_scanner_ranges(0, true), (Ranges{100, 0}));
    EXPECT_EQ(planetary_scanner_ranges(5, true), (Ranges{320, 160}));
    EXPECT_EQ(planetary_scanner_ranges(8, false), (Ranges{620, 310}));
    EXPECT_EQ(planetary_scanner_ranges(-1, false), (Ranges{}));
    EXPECT_EQ(planetary_scanner_ranges(9, false), (Ranges{}));
}

TEST(Tachyon, ReductionAndEfficiency) {
    const struct {
        const char* detectors;
        const char* cloaking;
        int reduction, efficiency, cloakingUsed;
        bool cut;
    } cases[] = {
        {"0", "98", 100, 2, 98, false},   {"1", "98", 95, 7, 98, false},   {"4", "98", 90, 12, 98, false},
        {"10", "98", 85, 17, 98, false},  {"16", "98", 81, 20, 98, false}, {"17", "98", 81, 21, 98, false},
        {"33", "98", 81, 21, 98, false},  {"1", "50", 95, 53, 50, false},  // 47.4999... rounds to 47
        {"1", "99", 95, 7, 98, true},     {"  ", "60", 100, 40, 60, false}, {"x", "60", 100, 40, 60, false},
        {"5", "0", 89, 100, 0, false},    {" 2", " 7 ", 93, 93, 7, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.detectors) + " / " + c.cloaking);
        const TachyonEffect e = calc_eff(c.detectors, c.cloaking);
        EXPECT_EQ(e.reduction, c.reduction);
        EXPECT_EQ(e.efficiency, c.efficiency);
        EXPECT_EQ(e.cloaking, c.cloakingUsed);
        EXPECT_EQ(e.cloakingCut, c.cut);
    }
}

TEST(StoredScannerRanges, AddReplaceRemoveClear) {
    Session s;
    ScannerList list(s.scannerRanges);
    test::RecordingPrompter prompter;
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(s.scannerRanges.cell(scan_col::Name, 0), "Fleet/Planet name");

    // The first entry goes into the empty row.
    const StoredRange scout{"Vorlani Scout #1", 150, 0, RangeKind::Fleet, 1100, 1200, 0x808000};
    auto change = list.add_or_replace(scout, prompter);
    EXPECT_TRUE(change.added);
    EXPECT_EQ(change.drawn, scout);
    EXPECT_EQ(s.scannerRanges.rowCount(), 2);
    EXPECT_EQ(s.scannerRanges.row(1),
              (std::vector<std::string>{"Vorlani Scout #1", "150", "0", "F", "1100", "1200", "8421376"}));
    const StoredRange planet{"Aldris", 50, 0, RangeKind::Planet, 1300, 1400, 0xFFFFFF};
    list.add_or_replace(planet, prompter);
    EXPECT_EQ(list.entries(), (std::vector<StoredRange>{scout, planet}));

    // The same name again: asked, No keeps the old ranges.
    prompter.answers = {Answer::No};
    change = list.add_or_replace({"Aldris", 100, 0, RangeKind::Planet, 1, 1, 0}, prompter);
    EXPECT_FALSE(change.drawn);
    EXPECT_EQ(prompter.shown.back().text, "Planet: \"Aldris\" has already been set scanners range. Overwrite?");
    EXPECT_EQ(list.entries()[1], planet);
    // Yes: the ranges change; kind, centre and colour stay as stored.
    prompter.answers = {Answer::Yes};
    change = list.add_or_replace({"Vorlani Scout #1", 178, 20, RangeKind::FleetGroup, 1500, 1500, 1}, prompter);
    EXPECT_EQ(prompter.shown.back().text, "Fleet: \"Vorlani Scout #1\" has already been set scanners range. Overwrite?");
    EXPECT_EQ(change.erased, scout);
    const StoredRange replaced{"Vorlani Scout #1", 178, 20, RangeKind::Fleet, 1100, 1200, 0x808000};
    EXPECT_EQ(change.drawn, replaced);
    EXPECT_EQ(list.entries(), (std::vector<StoredRange>{replaced, planet}));

    list.remove(1);
    EXPECT_EQ(list.entries(), (std::vector<StoredRange>{planet}));
    list.remove(1);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(s.scannerRanges.rowCount(), 2);  // its one blank row
    list.remove(1);                            // nothing to remove
    list.add_or_replace(scout, prompter);
    list.add_or_replace(planet, prompter);
    EXPECT_EQ(list.clear(), (std::vector<StoredRange>{scout, planet}));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(s.scannerRanges.cell(scan_col::Kind, 0), "Fl/Pl");
}

TEST(ScannerMarks, FleetAndCompoundEntries) {
    Session s;
    s.planets.setRowCount(2);
    s.planets.row(1) = {"1", "1500", "1400", "Aldris"};
    s.fleets.setRowCount(2);
    s.fleets.row(1)[col::UniqueName] = "Kesh Raider #5";
    s.fleets.row(1)[col::X] = "1234";
    s.fleets.row(1)[col::Y] = "1567";
    s.fleets.row(1)[col::Owner] = "2";
    s.Players[2] = {"Kesh", 2, 0x00FF00};
    s.Fleet_index[2] = {1, 1};
    test::RecordingPrompter prompter;

    EXPECT_EQ(fleet_range_entry(s, "Kesh Raider #5", 150, 0, 30, prompter),
              (StoredRange{"Kesh Raider #5", 150, 30, RangeKind::Fleet, 1234, 1567, 0x00FF00}));
    const std::string inSpace = compound_entry_name("Kesh", "space: 1234,1567");
    EXPECT_EQ(inSpace, "Compound scanners of Kesh fleet at: space: 1234,1567");
    EXPECT_EQ(fleet_range_entry(s, inSpace, 100, 2, 0, prompter),
              (StoredRange{inSpace, 100, 0, RangeKind::FleetGroup, 1234, 1567, 0x00FF00}));
    const std::string atPlanet = compound_entry_name("Kesh", "Aldris");
    EXPECT_EQ(fleet_range_entry(s, atPlanet, 100, 2, 0, prompter).x, 1500);
    EXPECT_TRUE(prompter.shown.empty());

    // Names that lead nowhere: the lookup's message, centre 0, 0.
    EXPECT_EQ(fleet_range_entry(s, "Kesh Gone", 1, 0, 0, prompter).x, 0);
    EXPECT_EQ(fleet_range_entry(s, compound_entry_name("Kesh", "Nowhere"), 1, 2, 0, prompter).x, 0);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "Fleet \"Kesh Gone\" not found!");
    EXPECT_EQ(prompter.shown[1].text, "Planet \"Nowhere\" not found!");

    EXPECT_EQ(shown_range("150*"), 150);
    EXPECT_EQ(shown_range("150"), 150);
    EXPECT_THROW(shown_range("?"), std::exception);
}
