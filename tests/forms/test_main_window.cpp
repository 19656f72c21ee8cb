#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "forms/Fleet_Statistics.h"
#include "forms/Fleets.h"
#include "forms/widgets/race_strength_chart.h"
#include "forms/ally_report.h"
#include "forms/Planets.h"
#include "forms/forms_fixture.h"
#include "forms/map.h"
#include "model/errors.h"
#include "platform/services.h"

using namespace trevanor;
using test::Program;

namespace {

struct ItemState {
    const char* name;
    const char* caption;
    bool enabled;
    bool checkable;
};

void expect_items(TForm1& w, const std::vector<ItemState>& items) {
    for (const auto& i : items) {
        QAction* a = w.action(i.name);
        ASSERT_NE(a, nullptr) << i.name;
        if (i.caption) {
            EXPECT_EQ(a->text().toStdString(), i.caption) << i.name;
        }
        EXPECT_EQ(a->isEnabled(), i.enabled) << i.name;
        EXPECT_EQ(a->isCheckable(), i.checkable) << i.name;
    }
}

}  // namespace

TEST_F(Program, FirstStartOnACleanStore) {
    EXPECT_EQ(main().windowTitle(), "Trevanor");
    EXPECT_EQ(main().size(), QSize(468, 234));
    EXPECT_EQ(main().minimumSize(), main().maximumSize());
    expect_items(main(), {
                             {"Open1", "&Open MAP file", true, false},
                             {"AddFleetfileF1", "Add &Fleet file (F*)", false, false},
                             {"Exit1", "E&xit", true, false},
                             {"N11", "&1 ", true, false},
                             {"N41", "&4 ", true, false},
                             {"AutoloadlastMAP1", "Autoload last &MAP", false, true},
                             {"Fleetfile_autoload1", "Autoload &Fleet Report assosiated with this MAP", false, true},
                             {"Skip_conf", "Skip MAP &change confirmation", true, true},
                             {"none1", "_none_", true, true},
                             {"Planets1", "&Planets", true, false},
                             {"Fleets1", "&Fleets", true, false},
                             {"Map1", "&Map", false, false},
                             {"FleetStatistics1", "Fleet &Statistics", false, false},
                         });
    for (const char* sep : {"N1", "N2", "N3"}) EXPECT_TRUE(main().action(sep)->isSeparator()) << sep;
    EXPECT_FALSE(main().action("Skip_conf")->isChecked());
    EXPECT_FALSE(main().OwnRace1->isEnabled());
    EXPECT_EQ(main().Label10->text(), "Trevanor");
    EXPECT_EQ(main().Label12->text(), " v 0.9.4 beta (for testing only)");
    EXPECT_EQ(main().Label13->text(), "You can't manage an empire with a stick and whistle.");
    EXPECT_TRUE(main().Label13->font().italic());
    EXPECT_FALSE(main().Label11->text().isEmpty());
    EXPECT_EQ(main().Planet1_CB->count(), 1);
    EXPECT_EQ(main().Planet1_CB->itemText(0), " unknown");

    EXPECT_EQ(storedInt("", "Autoload_MAP"), 0);
    EXPECT_EQ(storedText("", "Autoload_map_file"), " ");
    EXPECT_EQ(storedInt("", "skip_conf"), 0);
    EXPECT_EQ(storedText("", "rfile4"), "");

    const char* const windows[] = {"TFleet_FM", "TPlanets_FM", "TOwn_race_Fm", "TMap_FM", "TOther_Scanner_FM",
                                   "TPlanetary_Scanner_FM", "TAlly_report_FM", "TPly_clr_FM", "TRemove_FM",
                                   "TTachyon_FM", "TFleet_Stat_FM", "TFleet_Data_FM"};
    QStringList found;
    for (QWidget* w : QApplication::topLevelWidgets()) found << w->objectName();
    for (const char* name : windows) EXPECT_TRUE(found.contains(QString::fromLatin1(name))) << name;
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Program, OpenMapEnablesItemsAndFillsLists) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    EXPECT_EQ(main().windowTitle(), "GAME.MAP");
    for (const char* item : {"AutoloadlastMAP1", "AddFleetfileF1", "Map1"}) EXPECT_TRUE(action(item)->isEnabled()) << item;
    EXPECT_EQ(files.filters.back(), "Kelvra Univers Definition (MAP)|*.MAP");
    QStringList places;
    for (int i = 0; i < main().Planet1_CB->count(); ++i) places << main().Planet1_CB->itemText(i);
    EXPECT_EQ(places, (QStringList{" unknown", "Amber", "Coral Reach", "Zeta Prime"}));
    EXPECT_EQ(main().Planet2_CB->count(), 4);
    EXPECT_EQ(app->planets()->Plantet_GR->model()->rowCount(), 3);
    EXPECT_EQ(storedText("", "rfile1"), path("GAME.MAP").toStdString());
    EXPECT_EQ(action("N11")->text(), "&1 GAME.MAP");
    EXPECT_EQ(storedInt("GAME.MAP", "p9"), 0xFF0000);
}

TEST_F(Program, MissingMapIsRefused) {
    openWith("Open1", path("NONE.MAP"));
    EXPECT_EQ(messages("error"), (std::vector<std::string>{"File MAP does not exist!"}));
    EXPECT_EQ(main().windowTitle(), "Trevanor");
}

TEST_F(Program, FirstReportAsksForTheOwnRaceWithThePlayerOfTheExtension) {
    struct Case {
        const char* file;
        const char* caption;
        const char* suggested;
    };
    const Case cases[] = {
        {"GAME.F1", "GAME.MAP + GAME.F1", "Vorlani"},
        {"GAME.F3", "GAME.MAP + GAME.F3", "Kesh"},
        {"GAME.F12", "GAME.MAP + GAME.F12", "Umbral"},
        {"GAME.F5", "GAME.MAP + GAME.F5", ""},   // a player the report does not know
        {"GAME.F17", "GAME.MAP + GAME.F17", ""},  // no player has that number
    };
    for (const auto& c : cases) {
        quit();
        QFile::remove(path(QStringLiteral("settings/Trevanor.conf")));
        start();
        ownRaceSeen.clear();
        prompter.shown.clear();
        openWith("Open1", write("GAME.MAP", test::kMap));
        answerOwnRace(QString());
        openWith("AddFleetfileF1", write(QString::fromLatin1(c.file), test::report()));
        EXPECT_EQ(main().windowTitle().toStdString(), c.caption);
        ASSERT_EQ(ownRaceSeen.size(), 1u) << c.file;
        EXPECT_EQ(ownRaceSeen[0].items, (QStringList{"_none_", "Vorlani", "Kesh", "Umbral"})) << c.file;
        EXPECT_EQ(ownRaceSeen[0].selected.toStdString(), c.suggested) << c.file;
        EXPECT_EQ(ownRaceSeen[0].okEnabled, *c.suggested != 0) << c.file;
        EXPECT_EQ(messages("confirm"),
                  (std::vector<std::string>{"It is very recommended that first report is own report. Do you want to "
                                            "autoload this report file as first when opening GAME.MAP?"}))
            << c.file;
        EXPECT_TRUE(action("Fleetfile_autoload1")->isEnabled());
        EXPECT_TRUE(action("FleetStatistics1")->isEnabled());
        EXPECT_EQ(files.filters.back(), "Kelvra Fleets File|*.F*");
    }
}

TEST_F(Program, OwnRaceChosenIsStoredAndMarked) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    answerOwnRace(QStringLiteral("Kesh"));
    prompter.answers.push_back(Answer::Yes);  // autoload this report
    openWith("AddFleetfileF1", write("GAME.F3", test::report()));
    EXPECT_EQ(storedText("GAME.MAP", "Own_race"), "Kesh");
    EXPECT_TRUE(action("Menu_Kesh3")->isChecked());
    EXPECT_FALSE(action("none1")->isChecked());
    EXPECT_TRUE(main().OwnRace1->isEnabled());
    EXPECT_TRUE(action("Fleetfile_autoload1")->isChecked());
    EXPECT_EQ(storedText("GAME.MAP", "first_report"), path("GAME.F3").toStdString());

    action("none1")->trigger();
    EXPECT_EQ(storedText("GAME.MAP", "Own_race"), "_none_");
    EXPECT_TRUE(action("none1")->isChecked());
    EXPECT_FALSE(action("Menu_Kesh3")->isChecked());
    action("Menu_Umbral12")->trigger();
    EXPECT_EQ(storedText("GAME.MAP", "Own_race"), "Umbral");
    EXPECT_EQ(app->session.Own_race_name, "Umbral");

    // After the first report the command opens the ally report window.
    files.answers.clear();
    action("AddFleetfileF1")->trigger();
    EXPECT_TRUE(files.filters.size() == 2);
    EXPECT_TRUE(app->allyReport()->isVisible());
}

TEST_F(Program, RefusedFleetFiles) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    const std::pair<QString, std::string> cases[] = {
        {write("GAME.FLE", test::report()), "FLE files are not supported in this program!"},
        {write("GAME.fleet", test::report()), "FLE files are not supported in this program!"},
        {path("NONE.F1"), "File" + path("NONE.F1").toStdString() + " does not exist!"},
    };
    for (const auto& [file, error] : cases) {
        prompter.shown.clear();
        openWith("AddFleetfileF1", file);
        EXPECT_EQ(messages("error"), (std::vector<std::string>{error}));
        EXPECT_TRUE(app->session.First_report_pending);
        EXPECT_EQ(main().windowTitle(), "GAME.MAP");
    }
}

TEST_F(Program, MapChangeAnswers) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    answerOwnRace(QStringLiteral("Vorlani"));
    openWith("AddFleetfileF1", write("GAME.F1", test::report()));
    const QString other = write("OTHER.MAP", test::kOtherMap);
    const std::string confirm =
        "Do you really want to change MAP file?\r(choose \"Ignore\" to change the MAP now and skip this question in future)";

    prompter.shown.clear();
    prompter.answers = {Answer::No};
    openWith("Open1", other);
    EXPECT_EQ(messages("confirm"), (std::vector<std::string>{confirm}));
    EXPECT_EQ(main().windowTitle(), "GAME.MAP + GAME.F1");
    EXPECT_EQ(storedText("", "rfile1"), path("GAME.MAP").toStdString());
    EXPECT_EQ(app->session.fleets.rowCount(), 5);

    prompter.answers = {Answer::Ignore};
    openWith("Open1", other);
    EXPECT_TRUE(action("Skip_conf")->isChecked());
    EXPECT_EQ(main().windowTitle(), "OTHER.MAP");
    EXPECT_EQ(storedText("", "rfile1"), other.toStdString());
    EXPECT_EQ(storedText("", "rfile2"), path("GAME.MAP").toStdString());
    EXPECT_EQ(app->fleets()->Fleet_GR->model()->rowCount(), 1);
    EXPECT_EQ(app->session.fleets.cell(0, 1), "");
    EXPECT_EQ(app->session.Own_race_name, "");
    EXPECT_EQ(app->session.Players[1].Name, "");
    EXPECT_EQ(app->planets()->Plantet_GR->model()->rowCount(), 1);
    EXPECT_EQ(main().Planet1_CB->count(), 2);
    EXPECT_FALSE(action("FleetStatistics1")->isEnabled());
    EXPECT_FALSE(action("Fleetfile_autoload1")->isEnabled());
    EXPECT_TRUE(action("AddFleetfileF1")->isEnabled());
    EXPECT_TRUE(app->session.First_report_pending);
    EXPECT_EQ(storedInt("", "skip_conf"), 1);

    // The next change asks nothing.
    prompter.shown.clear();
    openWith("Open1", path("GAME.MAP"));
    EXPECT_TRUE(messages("confirm").empty());
    EXPECT_EQ(main().windowTitle(), "GAME.MAP");
}

TEST_F(Program, RecentListAndItsItems) {
    const QString a = write("A.MAP", test::kMap);
    const QString b = write("B.MAP", test::kOtherMap);
    action("Skip_conf")->trigger();
    openWith("Open1", a);
    openWith("Open1", b);
    openWith("Open1", a);
    EXPECT_EQ(action("N11")->text(), "&1 A.MAP");
    EXPECT_EQ(action("N21")->text(), "&2 B.MAP");
    EXPECT_EQ(action("N31")->text(), "&3 A.MAP");
    EXPECT_EQ(action("N41")->text(), "&4 ");
    action("N21")->trigger();
    EXPECT_EQ(main().windowTitle(), "B.MAP");
    EXPECT_EQ(action("N11")->text(), "&1 B.MAP");

    // A recent MAP that has gone is reported by the new map window.
    QFile::remove(a);
    prompter.shown.clear();
    action("N21")->trigger();
    EXPECT_EQ(messages("error"),
              (std::vector<std::string>{"Selected MAP file does not exist or has been moved from the folder!"}));
    EXPECT_EQ(main().windowTitle(), "Trevanor");
}

TEST_F(Program, AutoloadOfMapAndReportOnTheNextStart) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    action("AutoloadlastMAP1")->trigger();
    EXPECT_EQ(storedInt("", "Autoload_MAP"), 1);
    EXPECT_EQ(storedText("", "Autoload_map_file"), path("GAME.MAP").toStdString());
    answerOwnRace(QStringLiteral("Vorlani"));
    prompter.answers = {Answer::Yes};
    openWith("AddFleetfileF1", write("GAME.F1", test::report()));
    quit();
    EXPECT_EQ(storedInt("GAME.MAP", "autoload_fleet"), 1);

    prompter.shown.clear();
    ownRaceSeen.clear();
    start();
    EXPECT_EQ(main().windowTitle(), "GAME.MAP + GAME.F1");
    EXPECT_TRUE(action("AutoloadlastMAP1")->isChecked());
    EXPECT_TRUE(action("Fleetfile_autoload1")->isChecked());
    EXPECT_TRUE(action("Menu_Vorlani1")->isChecked());
    EXPECT_EQ(app->session.fleets.rowCount(), 5);
    EXPECT_EQ(app->fleets()->Fleet_GR->model()->rowCount(), 4);
    EXPECT_TRUE(ownRaceSeen.empty());
    EXPECT_TRUE(prompter.shown.empty());

    // Turning autoload off stores the blank path.
    action("AutoloadlastMAP1")->trigger();
    EXPECT_EQ(storedInt("", "Autoload_MAP"), 0);
    EXPECT_EQ(storedText("", "Autoload_map_file"), " ");
}

TEST_F(Program, LastMapGoneAtStart) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    action("AutoloadlastMAP1")->trigger();
    quit();
    QFile::remove(path("GAME.MAP"));
    start();
    EXPECT_EQ(messages("error"),
              (std::vector<std::string>{"Last stored file MAP does not exist or has been moved from the folder!"}));
    EXPECT_EQ(main().windowTitle(), "Trevanor");
}

TEST_F(Program, OpenDialogsStartInTheFolderOfTheMap) {
    QDir(dir_.path()).mkpath(QStringLiteral("one"));
    QDir(dir_.path()).mkpath(QStringLiteral("two"));
    const QString first = write(QStringLiteral("one/A.MAP"), test::kMap);
    const QString second = write(QStringLiteral("two/B.MAP"), test::kOtherMap);
    const QString one = path(QStringLiteral("one")), two = path(QStringLiteral("two"));
    action("Skip_conf")->trigger();

    openWith("Open1", first);
    EXPECT_EQ(files.directories.back(), "") << "nothing read yet: the system's choice";
    answerOwnRace(QStringLiteral("Vorlani"));
    openWith("AddFleetfileF1", write(QStringLiteral("one/A.F1"), test::report()));
    EXPECT_EQ(files.directories.back(), one);
    action("AddFleetfileF1")->trigger();  // the ally report window loads from there too
    app->allyReport()->Rep_owner_Cbx->setCurrentText(QStringLiteral("Kesh"));
    files.answers.push_back({});  // each dialog below is cancelled
    app->allyReport()->load_BTN->click();
    EXPECT_EQ(files.directories.back(), one);

    openWith("Open1", second);
    EXPECT_EQ(files.directories.back(), one);
    files.answers.push_back({});
    action("Open1")->trigger();
    EXPECT_EQ(files.directories.back(), two);

    quit();  // without autoload no MAP is open at the next start: the last one's folder
    start();
    files.answers.push_back({});
    action("Open1")->trigger();
    EXPECT_EQ(files.directories.back(), two);
    EXPECT_EQ(files.directories.size(), 6u);
}

// The demo with its last turns kept: the chart's open turn is the table's; no access key twice in a window
// or a menu (of old the map's "Add &Fleet...", "Re&fresh"; "Add &Planet", "&PfC"); the history in KB.
TEST_F(Program, DemoWithItsKeptTurns) {
    std::filesystem::copy(TREVANOR_SAMPLES_DIR, path("data").toStdString(), std::filesystem::copy_options::recursive);
    openWith("Open1", QStringLiteral(TREVANOR_SAMPLES_DIR "/DEMO.MAP"));
    answerOwnRace(QStringLiteral("Vorlani"));
    openWith("AddFleetfileF1", QStringLiteral(TREVANOR_SAMPLES_DIR "/DEMO.F1"));
    app->statistics()->OverTheYears_BTN->click();
    const RaceStatsTable stats = compute_race_stats(app->session.fleets);
    for (const RaceSeries::Line& line : app->statistics()->Chart->series().lines)
        EXPECT_EQ(line.values.back(), stats[static_cast<std::size_t>(line.player)].Class_total) << line.name;
    // An ally merged while the window shows (no turn kept anew): the chart follows at once.
    action("FleetStatistics1")->trigger();
    action("KeepHistory1")->trigger();
    MergeOptions options;
    options.reportOwner = "Quessari";
    app->run([&] { app->merge.load_report(TREVANOR_SAMPLES_DIR "/DEMO.F2", options); });
    const RaceStatsTable merged = compute_race_stats(app->session.fleets);
    ASSERT_NE(merged[2].Ships, stats[2].Ships);
    for (const RaceSeries::Line& line : app->statistics()->Chart->series().lines)
        EXPECT_EQ(line.values.back(), merged[static_cast<std::size_t>(line.player)].Class_total) << line.name;
    QStringList faults;
    const auto repeated = [&faults](const QString& scope, const QStringList& texts) {
        for (QStringList keys; const QString& text : texts)
            if (const QString key = QKeySequence::mnemonic(text).toString(); !key.isEmpty() && (keys << key).count(key) == 2)
                faults << scope + u' ' + key;
    };
    for (QWidget* w : QApplication::topLevelWidgets()) {
        QStringList texts;
        for (QWidget* c : w->parentWidget() ? QList<QWidget*>() : w->findChildren<QWidget*>()) {  // not pop-ups
            QStringList items;
            for (QAction* a : c->actions()) (c->inherits("QMenuBar") ? texts : items) << a->text();
            if (qobject_cast<QMenu*>(c)) repeated(w->objectName() + u'/' + c->objectName(), items);
            if (auto* b = qobject_cast<QAbstractButton*>(c); b && b->isVisibleTo(w)) texts << b->text();
        }
        repeated(w->objectName(), texts);
    }
    faults.sort();
    EXPECT_EQ(faults.join(u',').toStdString(), "TMap_FM Alt+F,TMap_FM Alt+P");
    prompter.answers.push_back(Answer::No);
    action("ForgetHistory1")->trigger();
    const std::string kb = "(" + std::to_string((app->history().size_on_disk() + 1023) / 1024) + " KB on disk)";
    EXPECT_NE(prompter.shown.back().text.find(kb), std::string::npos) << prompter.shown.back().text;
}

TEST(StartUp, SettingsValueTheStoreCannotReadEndsTheProgramWithItsMessage) {
    // A recent file written as a number where a path belongs, and one written
    // by hand without its type tag (read as text).
    const struct {
        const char* rfile1;
        bool starts;
    } cases[] = {{"dword:00000005", false}, {"/games/a.MAP", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rfile1);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("Trevanor.conf")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("[General]\nrfile1=") + c.rfile1 + "\n");
        file.close();
        QtSettingsBackend store(file.fileName());
        test::RecordingPrompter prompter;
        test::ScriptedFileChooser files;
        test::MemoryClipboard clipboard;
        Application app(store, prompter, files, clipboard);
        EXPECT_EQ(app.start(), c.starts);
        EXPECT_EQ(prompter.shown.empty(), c.starts);
        if (c.starts) {
            EXPECT_EQ(app.main()->action("N11")->text(), "&1 a.MAP");
        } else {
            EXPECT_EQ(prompter.shown[0], (test::RecordingPrompter::Shown{"error", "Invalid data type for 'rfile1'"}));
        }
    }
}

// Enter answers a message box with its first button: at a MAP change Yes,
// never Ignore, which would switch the question off for good.
TEST(MessageBoxes, EnterAnswersWithTheFirstButton) {
    QtPrompter prompter;
    for (const bool withIgnore : {true, false}) {
        QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
        EXPECT_EQ(prompter.confirm("Do you really want to change MAP file?", withIgnore), Answer::Yes) << withIgnore;
    }
}
