// A new turn written by the game while the program is open: the bar once
// every file has settled, the turn read as the player read the last one
// with the view kept, a read that fails changing nothing, the kept turns
// offered by "Compare with earlier reports…", and forgetting them.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include <atomic>
#include <future>

#include "app/turn_keeper.h"
#include "forms/forms_fixture.h"
#include "model/errors.h"
#include "forms/kept_turn_chooser.h"
#include "forms/map.h"
#include "forms/widgets/map_image_view.h"
#include "forms/widgets/new_turn_bar.h"

using namespace trevanor;
using test::Program;

namespace {

const QString kSamples = QStringLiteral(TREVANOR_SAMPLES_DIR);

// The demo game one year back in a game folder, read with both allies; the
// game then writes the last year over it.
struct NewTurn : Program {
    TMap_FM& m = *app->map();
    NewTurn() {
        copy("DEMO.MAP", "DEMO.MAP");
        for (const char* f : {"F1", "F2", "F4"}) copy(QStringLiteral("DEMO-1.%1").arg(f), QStringLiteral("DEMO.%1").arg(f));
        openWith("Open1", path("DEMO.MAP"));
        answerOwnRace(QStringLiteral("Vorlani"));
        openWith("AddFleetfileF1", path("DEMO.F1"));
        merge("DEMO.F2", "Quessari");
        merge("DEMO.F4", "Ozmari");
        app->newTurnWatcher().setQuietTime(400);
        prompter.shown.clear();
    }
    void copy(const QString& from, const QString& to) {
        QFile::remove(path(to));
        ASSERT_TRUE(QFile::copy(kSamples + "/" + from, path(to)));
    }
    void merge(const char* file, const char* owner) {
        MergeOptions options;
        options.reportOwner = owner;
        app->run([&] { app->merge.load_report(path(file).toStdString(), options); });
    }
    NewTurnBar& bar() { return *main().newTurnBar(); }
    // The game writes its files one after the other, `gap` ms apart.
    void gameWrites(const std::vector<std::pair<QString, std::string>>& files, int gap = 150) {
        for (const auto& [name, bytes] : files) {
            write(name, bytes);
            QTest::qWait(gap);
            EXPECT_TRUE(bar().isHidden()) << "told while " << name.toStdString() << " was just written";
        }
    }
    static std::string sample(const char* name) {
        QFile f(kSamples + "/" + name);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll().toStdString();
    }
    void nextYear() {
        gameWrites({{"DEMO.F1", sample("DEMO.F1")}, {"DEMO.F2", sample("DEMO.F2")}, {"DEMO.F4", sample("DEMO.F4")}});
    }
};

}  // namespace

TEST_F(NewTurn, TheBarWaitsForTheLastFileThenTheTurnIsReadWithTheViewKept) {
    action("Map1")->trigger();
    m.zoomTo(Zoom::Zoom200);
    ASSERT_TRUE(m.select_named("Vorlani Hauler #38"));
    m.ScrollBox1->horizontalScrollBar()->setValue(300);
    m.ScrollBox1->verticalScrollBar()->setValue(200);
    const QString selected = m.selectedName();
    const std::string replaced = app->openTurnLabel();
    app->session.Players[1].Color = 0x123456;  // as chosen in the colour window, the first player's too
    app->session.Players[9].Color = 0x654321;
    const std::size_t fleetsBefore = static_cast<std::size_t>(app->session.fleets.lastRow());

    nextYear();
    QTest::qWait(700);
    ASSERT_TRUE(!bar().isHidden());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^New reports written at \\d\\d:\\d\\d \u2014 Rea&d them$"))
                    .match(bar().text())
                    .hasMatch())
        << bar().text().toStdString();
    NewTurnBar& mapBar = *m.newTurnBar();
    ASSERT_TRUE(mapBar.isVisible());
    EXPECT_EQ(mapBar.text(), bar().text());
    QTest::mouseClick(&mapBar, Qt::LeftButton);

    EXPECT_TRUE(bar().isHidden());
    EXPECT_TRUE(mapBar.isHidden());
    EXPECT_TRUE(prompter.shown.empty()) << prompter.shown[0].text;
    EXPECT_NE(static_cast<std::size_t>(app->session.fleets.lastRow()), fleetsBefore);
    EXPECT_EQ(app->session.acceptedReportOwners, (std::vector<std::string>{"Quessari", "Ozmari"}));
    ASSERT_TRUE(app->comparison.active());
    // The turn replaced by name; to the second where the two turns share a minute.
    const std::string compared = app->comparison.earlier()->name();
    EXPECT_TRUE(compared.starts_with(replaced)) << compared;
    EXPECT_NE(compared, app->openTurnLabel());
    EXPECT_TRUE(main().windowTitle().endsWith(QStringLiteral(" (compared with %1)").arg(QString::fromStdString(compared))));
    EXPECT_TRUE(m.isVisible());
    EXPECT_EQ(m.view().zoom, Zoom::Zoom200);
    EXPECT_EQ(m.selectedName(), selected);
    EXPECT_EQ(m.ScrollBox1->horizontalScrollBar()->value(), 300);
    EXPECT_EQ(m.ScrollBox1->verticalScrollBar()->value(), 200);
    EXPECT_EQ(app->keptTurns().size(), 2u);
    EXPECT_EQ(app->session.Players[1].Color, 0x123456u);
    EXPECT_EQ(app->session.Players[9].Color, 0x654321u);
}

// A report the game replaces rather than rewrites: missing, it is still
// being written; put back, one bar tells of it; replaced and written again
// later, the bar's time is that of the last write.
TEST_F(NewTurn, AReplacedReportIsWatchedUnderItsName) {
    int shown = 0;
    struct Shows : QObject {
        int& count;
        explicit Shows(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            count += e->type() == QEvent::ShowToParent;
            return false;
        }
    } shows(shown);
    bar().installEventFilter(&shows);
    const auto replace = [&](const std::string& bytes, int hoursLater) {
        const QString parked = write(QStringLiteral("DEMO.F1.new"), bytes);
        std::filesystem::last_write_time(parked.toStdString(), std::filesystem::file_time_type::clock::now() +
                                                                   std::chrono::hours(hoursLater));
        std::filesystem::rename(parked.toStdString(), path(QStringLiteral("DEMO.F1")).toStdString());
    };
    QFile::remove(path(QStringLiteral("DEMO.F1")));
    QTest::qWait(700);
    EXPECT_EQ(shown, 0);
    replace(sample("DEMO.F1"), 0);
    QTest::qWait(700);
    EXPECT_EQ(shown, 1);
    replace(sample("DEMO.F1") + "\r\n", 2);
    QTest::qWait(700);
    const QString later = QDateTime::currentDateTime().addSecs(7200).toString(QStringLiteral("HH:mm"));
    EXPECT_TRUE(bar().text().contains(later)) << bar().text().toStdString();
}

// The bar waits for the first report to change and for every file to rest;
// it never tells of the bytes read written again or of a report still being
// written, counts the files written so far, and lies over the picture's foot
// without moving the picture. A read of a report cut since is refused.
TEST_F(NewTurn, TheBarTellsOfAWholeNewTurnOnly) {
    action("Map1")->trigger();
    const QPoint picture = m.ScrollBox1->viewport()->mapToGlobal(QPoint());
    const std::string next = sample("DEMO.F1");
    // Cut after the first field of a line, as a game still writing leaves it.
    const auto cut = [](const std::string& report) { return report.substr(0, report.find('\t', report.find('\n', 2000)) + 1); };
    struct Step {
        const char* what;
        const char* file;
        std::string bytes;
        const char* told;  // null: no bar; else what its text holds
    };
    const Step steps[] = {
        {"the report read, written again", "DEMO.F1", sample("DEMO-1.F1"), nullptr},
        {"the MAP, a pause before the reports", "DEMO.MAP", sample("DEMO.MAP"), nullptr},
        {"the first report cut in its last line", "DEMO.F1", cut(next), nullptr},
        {"the first report whole", "DEMO.F1", next, "(2 of 4 files so far) \u2014 Rea&d them"},
        {"an ally's", "DEMO.F2", sample("DEMO.F2"), "(3 of 4 files so far)"},
        {"the last", "DEMO.F4", sample("DEMO.F4"), "\u2014 Rea&d them"},
    };
    for (const Step& step : steps) {
        write(QString::fromLatin1(step.file), step.bytes);
        QTest::qWait(700);
        EXPECT_EQ(bar().isHidden(), step.told == nullptr) << step.what;
        if (step.told) {
            EXPECT_TRUE(bar().text().contains(QString::fromUtf8(step.told))) << step.what << ": " << bar().text().toStdString();
        }
    }
    EXPECT_FALSE(bar().text().contains(u'('));
    EXPECT_EQ(m.ScrollBox1->viewport()->mapToGlobal(QPoint()), picture);
    EXPECT_TRUE(m.newTurnBar()->isVisible());
    EXPECT_EQ(m.newTurnBar()->geometry().bottom(), m.ScrollBox1->viewport()->geometry().bottom());

    const std::uint64_t fleets = app->session.fleets.revision();
    write(QStringLiteral("DEMO.F2"), cut(sample("DEMO.F2")));
    QTest::mouseClick(&bar(), Qt::LeftButton);
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_NE(prompter.shown.back().text.find("DEMO.F2\" is not whole: its last line has"), std::string::npos)
        << prompter.shown.back().text;
    EXPECT_EQ(app->session.fleets.revision(), fleets);
    EXPECT_FALSE(app->comparison.active());
    EXPECT_EQ(app->keptTurns().size(), 1u);
}

// After a new turn the "Selected Object" box and its marker move with the
// fleet as the movement pairs it; the jump potential's fleet, gone, is no
// longer chosen.
TEST_F(NewTurn, TheSelectionFollowsItsFleet) {
    action("Map1")->trigger();
    ASSERT_TRUE(m.select_named("Quessari Hauler #47*"));
    m.Fleet_CBx->setCurrentIndex(m.Fleet_CBx->findText(QStringLiteral("Salvene Scout #42")));
    ASSERT_EQ(m.Label9->text(), QStringLiteral("X:1000"));
    nextYear();
    QTest::qWait(700);
    QTest::mouseClick(&bar(), Qt::LeftButton);
    EXPECT_EQ(m.selectedName(), QStringLiteral("Quessari Hauler #47*"));
    EXPECT_EQ(m.Label9->text() + m.Label10->text(), QStringLiteral("X:1060Y:1386"));
    EXPECT_EQ(m.view().Selected_object.Pixel_x, m.view().pixel_x(1060));
    EXPECT_EQ(m.view().Selected_object.Pixel_y, m.view().pixel_y(1386));
    EXPECT_EQ(m.Fleet_CBx->currentIndex(), -1);
}

// A planet selected (no fleet near it in either turn) stays selected.
TEST_F(NewTurn, ASelectedPlanetStaysSelected) {
    action("Map1")->trigger();
    QTest::mouseClick(m.Image1, Qt::LeftButton, {}, QPoint(m.view().pixel_x(1456), m.view().pixel_y(1594)));
    const QString shown = m.Label11->text() + m.Label12->text() + m.Label9->text();
    ASSERT_TRUE(shown.contains(QStringLiteral("Xanadar"))) << shown.toStdString();
    nextYear();
    QTest::qWait(700);
    QTest::mouseClick(&bar(), Qt::LeftButton);
    EXPECT_EQ(m.Label11->text() + m.Label12->text() + m.Label9->text(), shown);
}

// A report without a line end after its last line may still be being
// written: the bar waits one more quiet while for it.
TEST_F(NewTurn, AReportWithoutItsLastLineEndIsGivenAnotherQuietWhile) {
    std::string next = sample("DEMO.F1");
    next.erase(next.find_last_not_of("\r\n") + 1);
    write(QStringLiteral("DEMO.F1"), next);
    QTest::qWait(600);
    EXPECT_TRUE(bar().isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(!bar().isHidden(), 3000);
}

// A first report that is no fleet report stops the read: the open turn stays, with its
// tables, its comparison and the bar to try again.
TEST_F(NewTurn, ANewTurnThatCannotBeReadChangesNothing) {
    const std::uint64_t fleets = app->session.fleets.revision();
    gameWrites({{"DEMO.F1", "no fleet report\r\n"}, {"DEMO.F2", sample("DEMO.F2")}});
    QTest::qWait(700);
    ASSERT_TRUE(!bar().isHidden());
    QTest::mouseClick(&bar(), Qt::LeftButton);
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().kind, "error");
    EXPECT_EQ(app->session.fleets.revision(), fleets);
    EXPECT_FALSE(app->comparison.active());
    EXPECT_TRUE(!bar().isHidden());
    EXPECT_FALSE(m.newTurnBar()->isHidden());
    EXPECT_EQ(app->keptTurns().size(), 1u);
}

TEST_F(NewTurn, ChosenSoANewTurnIsReadWithoutAsking) {
    action("ReadNewTurns1")->trigger();
    EXPECT_TRUE(action("ReadNewTurns1")->isChecked());
    EXPECT_EQ(storedInt("", "read_new_turns"), 1);
    nextYear();
    QTest::qWait(700);
    EXPECT_TRUE(bar().isHidden());
    EXPECT_TRUE(app->comparison.active());
}

// The turns kept before the open one, newest first; "Other files…" leads to
// the file dialogs; forgetting asks first and says what it frees.
TEST_F(NewTurn, CompareOffersTheKeptTurnsAndForgettingThemAsksFirst) {
    const std::string first = app->openTurnLabel();
    nextYear();
    QTest::qWait(700);
    QTest::mouseClick(&bar(), Qt::LeftButton);
    app->comparison.forget();

    const auto inChooser = [](const std::function<void(KeptTurnChooser&)>& act) {
        QTimer::singleShot(0, [act] {
            auto* chooser = dynamic_cast<KeptTurnChooser*>(QApplication::activeModalWidget());
            ASSERT_NE(chooser, nullptr);
            act(*chooser);
        });
    };
    QStringList shown;
    inChooser([&](KeptTurnChooser& c) {
        for (int i = 0; i < c.KeptTurns_LB->count(); ++i) shown << c.KeptTurns_LB->item(i)->text();
        QTest::mouseClick(c.findChild<QPushButton*>(QStringLiteral("CompareTurn_BTN")), Qt::LeftButton);
    });
    action("CompareEarlier1")->trigger();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QString::fromStdString(first))) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].endsWith(QStringLiteral("fleets, 2 ally reports")));
    ASSERT_TRUE(app->comparison.active());
    EXPECT_TRUE(app->comparison.earlier()->name().starts_with(first));
    EXPECT_EQ(app->comparison.turnsBetween(), 1);

    files.answers.push_back(kSamples + "/DEMO-1.F1");
    files.answers.push_back(QString());
    inChooser([](KeptTurnChooser& c) {
        QTest::mouseClick(c.findChild<QPushButton*>(QStringLiteral("OtherFiles_BTN")), Qt::LeftButton);
    });
    action("CompareEarlier1")->trigger();
    EXPECT_EQ(app->comparison.earlier()->name(), "DEMO-1.F1");

    prompter.answers.push_back(Answer::Yes);
    action("ForgetHistory1")->trigger();
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_TRUE(prompter.shown.back().text.starts_with("Forget the 2 turns kept of DEMO.MAP ("));
    EXPECT_NE(prompter.shown.back().text.find(" KB on disk)"), std::string::npos);
    EXPECT_EQ(app->history().turns().turns.size(), 0u);
}

TEST_F(NewTurn, WithoutAHistoryNoTurnIsKept) {
    action("KeepHistory1")->trigger();
    EXPECT_FALSE(action("KeepHistory1")->isChecked());
    EXPECT_EQ(storedInt("", "keep_history"), 0);
    nextYear();
    QTest::qWait(700);
    QTest::mouseClick(&bar(), Qt::LeftButton);
    EXPECT_TRUE(app->comparison.active());
    EXPECT_EQ(app->keptTurns().size(), 1u);  // the turn kept before it was switched off
}

// A turn is kept beside the windows: starting returns while the keeping
// still waits; its end is told on its own thread; its result is taken once,
// a failure with its reason.
TEST(TurnKeeper, KeepsBesideTheWindowsAndTellsItsEnd) {
    TurnKeeper keeper;
    std::promise<void> release;
    std::shared_future<void> gate = release.get_future().share();
    std::atomic<bool> told{false};
    keeper.start([gate] { return gate.wait_for(std::chrono::seconds(10)) == std::future_status::ready; },
                 [&told] { told = true; });
    EXPECT_FALSE(told);
    release.set_value();
    const std::optional<TurnKeeper::Result> result = keeper.finish();
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->kept);
    EXPECT_TRUE(told);
    EXPECT_FALSE(keeper.finish());
    keeper.start([]() -> bool { throw FileError("The disk is full."); }, {});
    EXPECT_EQ(keeper.finish()->error, "The disk is full.");
}
