// Trails on the map: the "Map" menu's items draw where fleets were in the
// kept turns, the particulars list those places, and with no kept turn
// before the open one nothing changes.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <filesystem>
#include <future>

#include "app/trail_follower.h"
#include "forms/Fleet_data.h"
#include "forms/forms_fixture.h"
#include "forms/map.h"
#include "model/players.h"
#include "support/report_lines.h"

using namespace trevanor;
using test::Program;

namespace {

const std::string kHauler = "Vorlani Hauler #2";

// A fleet line whose number columns read 0 unless given.
std::string line(std::initializer_list<std::pair<int, std::string>> cells) {
    std::string c[29];
    for (int k : {6, 7, 8, 9, 10, 11, 14, 15, 16, 17, 18, 20, 21, 22, 23, 24, 25, 26, 27, 28}) c[k] = "0";
    for (const auto& [k, text] : cells) c[k] = text;
    std::string out;
    for (int k = 0; k < 29; ++k) out += (k ? "\t" : "") + c[k];
    return out + "\r\n";
}

// The game's report with the hauler at (x, y): a year before on its way
// to Amber, now there.
std::string report(const std::string& x, const std::string& y) {
    return test::kFleetHeading + "\r\n" +
           line({{0, "Vorlani Scout #1"}, {1, "1100"}, {2, "1200"}, {3, "Zeta Prime"}, {6, "1"}, {12, "1"}}) +
           line({{0, kHauler}, {1, x}, {2, y}, {4, "Amber"}, {6, "2"}, {12, "1"}, {13, "1y"}, {14, "6"}, {19, "Move"}}) +
           line({{0, "Kesh Raider #5"}, {1, "1500"}, {2, "1600"}, {3, "Coral Reach"}, {6, "3"}, {12, "3"}});
}

struct Trails : Program {
    TMap_FM& m = *app->map();
    Trails() {
        app->dataFolder = path(QStringLiteral("data"));
        openWith("Open1", write("GAME.MAP", test::kMap));
        answerOwnRace(QStringLiteral("Vorlani"));
    }
    // Writes the game's report as the game writes it, `daysAgo` days back.
    QString writeTurn(const std::string& text, int daysAgo) {
        const QString file = write(QStringLiteral("GAME.F1"), text);
        std::filesystem::last_write_time(file.toStdString(), std::filesystem::file_time_type::clock::now() -
                                                                  std::chrono::hours(24 * daysAgo));
        return file;
    }
    // The hauler a week ago, kept as it is read, then where it is now, read
    // as the game's new turn.
    void readTwoTurns() {
        openWith("AddFleetfileF1", writeTurn(report("1200", "1300"), 7));
        writeTurn(report("1300", "1400"), 0);
        app->readNewTurnNow();
        m.show();
        m.FormActivate();
    }
    QPoint at(int x, int y) const { return {m.view().pixel_x(x), m.view().pixel_y(y)}; }
    // The "Map" menu's item, chosen as the menu chooses it; trails it asks
    // for are followed beside the windows, and shown once they are.
    void choose(const char* name) {
        auto* menu = m.findChild<QMenu*>(QStringLiteral("Map1"));
        ASSERT_NE(menu, nullptr);
        QAction* item = m.action(name);
        ASSERT_TRUE(menu->actions().contains(item)) << name;
        item->trigger();
        app->finishTrails();
    }
    // Pixels of the hauler's colour along its way from (1200, 1300) to its
    // place now, in the middle half of it.
    int hauler_pixels_on_the_way() {
        const QImage image = m.image();
        const QRgb colour = to_qcolor(owner_color(app->session, 1)).rgb();
        const QPoint from = at(1200, 1300), to = at(1300, 1400);
        int found = 0;
        for (int step = 1; step <= 3; ++step) {
            const QPoint p = from + (to - from) * step / 4;
            bool near = false;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy) near = near || image.pixel(p.x() + dx, p.y() + dy) == colour;
            found += near;
        }
        return found;
    }
    void chooseFilter(const QString& race) {
        m.Route_race_CB->setCurrentIndex(m.Route_race_CB->findText(race));
        emit m.Route_race_CB->activated(m.Route_race_CB->currentIndex());
    }
};

}  // namespace

// The items come after the menu's own, behind a separator; who can reach a
// place ends the menu behind another.
TEST_F(Trails, TheMapMenuEndsWithTheTrailItems) {
    auto* menu = m.findChild<QMenu*>(QStringLiteral("Map1"));
    ASSERT_NE(menu, nullptr);
    QStringList captions;
    for (QAction* a : menu->actions()) captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(captions.mid(captions.size() - 6),
              (QStringList{"-", "&Trail of the selected fleet", "Trails of the ro&ute filter's fleets",
                           QStringLiteral("Trail &length\u2026"), "-", QStringLiteral("Who can reach &here\u2026")}));
    EXPECT_TRUE(m.action("TrailSelected1")->isCheckable());
    EXPECT_TRUE(m.action("TrailRoutes1")->isCheckable());
}

// Drawn while an item asks for the hauler's trail, gone when none does.
TEST_F(Trails, TheTrailIsDrawnWhileAnItemShowsIt) {
    readTwoTurns();
    QTest::mouseClick(m.Image1, Qt::LeftButton, {}, at(1300, 1400));
    ASSERT_EQ(m.Fleet_CBx->currentText().toStdString(), kHauler);
    const QImage without = m.image();
    EXPECT_EQ(hauler_pixels_on_the_way(), 0);

    const struct {
        const char* item;
        const char* filter;
        int pixels;
        bool hideOwn = false;
    } cases[] = {{"TrailSelected1", "_All", 3},   {"TrailSelected1", "Kesh", 3},  // the filter aside
                 {"TrailRoutes1", "_All", 3},     {"TrailRoutes1", "_Only own", 3},
                 {"TrailRoutes1", "Kesh", 0},     {"TrailRoutes1", "_All", 0, true},
                 {"TrailSelected1", "_All", 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.item) + " " + c.filter + (c.hideOwn ? ", own fleets hidden" : ""));
        chooseFilter(QString::fromLatin1(c.filter));
        if (c.hideOwn) m.Hide_own_CB->click();
        choose(c.item);
        EXPECT_EQ(hauler_pixels_on_the_way(), c.pixels);
        choose(c.item);
        if (c.hideOwn) m.Hide_own_CB->click();
        EXPECT_EQ(m.image(), without);
    }
    EXPECT_TRUE(messages("error").empty());
}

// Shown for the fleet while its trail is drawn; otherwise the window is as it was.
TEST_F(Trails, TheParticularsListThePlacesOnlyWithATrail) {
    readTwoTurns();
    QTest::mouseClick(m.Image1, Qt::LeftButton, {}, at(1300, 1400));
    TFleet_Data_FM& w = *app->particulars();
    auto* line = w.findChild<QLabel*>(QStringLiteral("Trail_LBL"));
    ASSERT_NE(line, nullptr);
    QTest::mouseClick(m.Image1, Qt::RightButton, {}, at(1300, 1400));
    ASSERT_TRUE(w.isVisible());
    EXPECT_FALSE(line->isVisible());
    const QSize plain = w.size();

    choose("TrailSelected1");
    QTest::mouseClick(m.Image1, Qt::RightButton, {}, at(1300, 1400));
    ASSERT_TRUE(line->isVisible());
    const FleetTrails& trails = *app->trails();
    const QString text = QString(line->text()).replace(QChar::Nbsp, u' ');  // a turn is not wrapped
    EXPECT_EQ(text.toStdString(), trail_text(trails, *trails.of(kHauler)));
    EXPECT_NE(text.indexOf(QStringLiteral(": 1200, 1300; ")), -1) << text.toStdString();
    EXPECT_GE(line->height(), line->heightForWidth(line->width()));  // no line of it cut off
    EXPECT_EQ(w.width(), plain.width());

    // Another fleet, whose trail is not drawn.
    QTest::mouseClick(m.Image1, Qt::RightButton, {}, at(1100, 1200));
    EXPECT_FALSE(line->isVisible());
    choose("TrailSelected1");
    QTest::mouseClick(m.Image1, Qt::RightButton, {}, at(1300, 1400));
    EXPECT_FALSE(line->isVisible());
    EXPECT_EQ(w.size(), plain);
    choose("TrailSelected1");  // each line as the label wraps it ends with a turn
    QTest::mouseClick(m.Image1, Qt::RightButton, {}, at(1300, 1400));
    QTextLayout layout(line->text(), line->font());
    layout.beginLayout();
    for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
        l.setLineWidth(line->contentsRect().width());
        const QString upTo = line->text().left(l.textStart() + l.textLength());
        EXPECT_TRUE(upTo == line->text() || upTo.endsWith(QStringLiteral("; "))) << upTo.toStdString();
    }
    layout.endLayout();
}

// With no turn kept before the open one the items still tick, and nothing
// is drawn.
TEST_F(Trails, NoKeptTurnNothingMore) {
    openWith("AddFleetfileF1", writeTurn(report("1300", "1400"), 0));
    m.show();
    m.FormActivate();
    QTest::mouseClick(m.Image1, Qt::LeftButton, {}, at(1300, 1400));
    const QImage without = m.image();
    choose("TrailSelected1");
    choose("TrailRoutes1");
    EXPECT_TRUE(m.action("TrailSelected1")->isChecked());
    EXPECT_TRUE(m.action("TrailRoutes1")->isChecked());
    EXPECT_EQ(m.image(), without);
    QTest::mouseClick(m.Image1, Qt::RightButton, {}, at(1300, 1400));
    EXPECT_FALSE(app->particulars()->findChild<QLabel*>(QStringLiteral("Trail_LBL"))->isVisible());
    EXPECT_TRUE(messages("error").empty());
}

// "Trail &length…" asks for 2 to 20 turns, starting at the current length,
// and stores the answer.
TEST_F(Trails, TheLengthIsAskedAndStored) {
    int offered = 0;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        offered = dialog->intValue();
        EXPECT_EQ(dialog->intMinimum(), 2);
        EXPECT_EQ(dialog->intMaximum(), 20);
        dialog->setIntValue(12);
        dialog->accept();
    });
    choose("TrailLength1");
    EXPECT_EQ(offered, 5);
    EXPECT_EQ(app->session.Trail_turns, 12);
    EXPECT_EQ(storedInt("", "trail_turns"), 12);
}


// Trails are followed beside the windows: starting returns while the
// following still runs; the result is taken once.
TEST(TrailFollower, FollowsBesideTheWindows) {
    TrailFollower follower;
    std::promise<void> release;
    std::shared_future<void> gate = release.get_future().share();
    follower.start(Session{}, "2026-12-09 10:00", {}, [gate] { gate.wait_for(std::chrono::seconds(10)); });
    EXPECT_TRUE(follower.running());
    release.set_value();
    std::optional<TrailFollower::Result> result = follower.finish();
    ASSERT_TRUE(result);
    ASSERT_TRUE(result->trails);
    EXPECT_EQ(result->trails->labels(), std::vector<std::string>{"2026-12-09 10:00"});
    EXPECT_FALSE(follower.running());
    EXPECT_FALSE(follower.finish());
}
