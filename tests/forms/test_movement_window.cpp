// The demo game compared with its year before: the menu items, the caption,
// the movement on the map and in its tool tips and particulars, and the
// movement list.

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>
#include <QToolTip>

#include "forms/Fleet_data.h"
#include "forms/Movement.h"
#include "forms/forms_fixture.h"
#include "forms/map.h"
#include "model/locate.h"

using namespace trevanor;
using test::Program;

namespace {

const QString kSamples = QStringLiteral(TREVANOR_SAMPLES_DIR);

struct Compared : Program {
    TMap_FM& m = *app->map();
    Compared() {
        openWith("Open1", kSamples + "/DEMO.MAP");
        answerOwnRace(QStringLiteral("Vorlani"));
        openWith("AddFleetfileF1", kSamples + "/DEMO.F1");
        prompter.shown.clear();
    }
    void compare(const QString& first, const QString& allies) {
        files.answers.push_back(first);
        files.answers.push_back(allies);
        action("CompareEarlier1")->trigger();
    }
    QPoint at(int x, int y) const { return {m.view().pixel_x(x), m.view().pixel_y(y)}; }
    // Rests the pointer on the map's picture at the pixel: the tool tip then, or empty.
    QString restAt(QPoint pixel) {
        QToolTip::hideText();
        QMouseEvent e(QEvent::MouseMove, pixel, m.Image1->mapToGlobal(pixel), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(m.Image1, &e);
        QTest::qWait(700);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    // The movement list's column under a heading.
    static int column(const QTableView& table, const QString& heading) {
        for (int c = 0; c < table.model()->columnCount(); ++c)
            if (table.model()->headerData(c, Qt::Horizontal).toString() == heading) return c;
        return -1;
    }
};

}  // namespace

// Read beside the open game: nothing of it changes, the caption says what
// it is compared with; a failed read leaves what was compared; forgetting
// drops it.
TEST_F(Compared, AnEarlierYearIsReadBesideTheOpenGame) {
    EXPECT_FALSE(action("Movement1")->isEnabled());
    EXPECT_FALSE(m.action("ShowMovement1")->isEnabled());
    const std::uint64_t fleets = app->session.fleets.revision();
    const std::string recent = storedText("", "rfile1"), ownRace = app->session.Own_race_name;
    compare(kSamples + "/DEMO-1.F1", kSamples + "/DEMO-1.F2\n" + kSamples + "/DEMO-1.F4");
    ASSERT_TRUE(app->comparison.active());
    // The first dialog asks for the player's own report, the second for the allies'.
    ASSERT_GE(files.titles.size(), 2u);
    EXPECT_EQ(files.titles.end()[-2], "Your own fleet report of an earlier year");
    EXPECT_EQ(files.titles.back(), "Allies' fleet reports of that year (several or none; Cancel: none)");
    EXPECT_TRUE(m.action("ShowMovement1")->isEnabled());
    EXPECT_TRUE(main().windowTitle().endsWith(" (compared with DEMO-1.F1)"));
    EXPECT_TRUE(action("Movement1")->isEnabled());
    EXPECT_TRUE(action("ForgetEarlier1")->isEnabled());
    EXPECT_EQ(app->session.fleets.revision(), fleets);
    EXPECT_EQ(storedText("", "rfile1"), recent);
    EXPECT_EQ(app->session.Own_race_name, ownRace);
    EXPECT_TRUE(messages("error").empty());

    compare(kSamples + "/DEMO.MAP", QString());  // no fleet report
    ASSERT_EQ(messages("error").size(), 1u);
    EXPECT_TRUE(messages("error")[0].find("is not a fleet report") != std::string::npos);
    EXPECT_EQ(app->comparison.earlier()->name(), "DEMO-1.F1");

    action("ForgetEarlier1")->trigger();
    EXPECT_FALSE(app->comparison.active());
    EXPECT_FALSE(main().windowTitle().contains("compared"));
    EXPECT_FALSE(action("Movement1")->isEnabled());
    EXPECT_FALSE(m.action("ShowMovement1")->isEnabled());
}

// The fleet's move in its tool tip and its particulars; the map shows the
// movement while "Show movement" is ticked.
TEST_F(Compared, TheMapAndTheParticularsTellTheMove) {
    compare(kSamples + "/DEMO-1.F1", QString());
    const std::vector<FleetMove>& moves = app->comparison.moves(app->session);
    const auto moved = std::find_if(moves.begin(), moves.end(), [&](const FleetMove& f) {
        return f.status == MoveStatus::Moved && spot_of(app->session, f.currentRow).count == 1;
    });
    ASSERT_NE(moved, moves.end());
    m.show();
    m.FormActivate();
    const QString tip = m.hoverText(at(moved->currentX, moved->currentY));
    EXPECT_TRUE(tip.contains(QStringLiteral("moved %1 ly since DEMO-1.F1").arg(moved->distance, 0, 'f', 1))) << tip.toStdString();

    TFleet_Data_FM& w = *app->particulars();
    QTest::mouseClick(m.Image1, Qt::RightButton, {}, at(moved->currentX, moved->currentY));
    ASSERT_TRUE(w.isVisible());
    auto* line = w.findChild<QLabel*>("movement_lbl");
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->isVisible());
    EXPECT_TRUE(line->text().startsWith("moved "));

    // Shown and hidden: the line from where it was is drawn, and not.
    const QImage with = m.image();
    m.action("ShowMovement1")->trigger();
    EXPECT_FALSE(m.action("ShowMovement1")->isChecked());
    EXPECT_NE(m.image(), with);
    m.action("ShowMovement1")->trigger();
    EXPECT_EQ(m.image(), with);
}

// Sorted by a click on a heading, kept to one owner, and a double click
// selects the fleet on the map.
TEST_F(Compared, TheMovementList) {
    compare(kSamples + "/DEMO-1.F1", kSamples + "/DEMO-1.F2");
    action("Movement1")->trigger();
    TMovement_FM& w = *app->movement();
    ASSERT_TRUE(w.isVisible());
    QTableView& table = *w.Movement_GR;
    const int all = table.model()->rowCount();
    EXPECT_EQ(all, static_cast<int>(app->comparison.moves(app->session).size()));
    // A click on "Distance (ly)" twice: the farthest first.
    QHeaderView* heading = table.horizontalHeader();
    for (int click = 0; click < 2; ++click)
        QTest::mouseClick(heading->viewport(), Qt::LeftButton, {},
                          QPoint(heading->sectionViewportPosition(6) + 5, heading->height() / 2));
    const double first = table.model()->index(0, 6).data().toDouble();
    for (int r = 1; r < std::min(all, 20); ++r) EXPECT_GE(first, table.model()->index(r, 6).data().toDouble());

    w.Owner_CB->setCurrentIndex(w.Owner_CB->findText("Quessari"));
    emit w.Owner_CB->activated(w.Owner_CB->currentIndex());
    ASSERT_GT(table.model()->rowCount(), 0);
    EXPECT_LT(table.model()->rowCount(), all);
    for (int r = 0; r < table.model()->rowCount(); ++r) EXPECT_EQ(table.model()->index(r, 1).data().toString(), "Quessari");

    const QString name = table.model()->index(0, 0).data().toString();
    const QRect cell = table.visualRect(table.model()->index(0, 0));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, cell.center());
    const QString selected = m.Label11->text();
    EXPECT_TRUE(selected == name || selected == "Multi-fleets" || selected.isEmpty()) << selected.toStdString();
    EXPECT_NE(m.view().Selected_object.Pixel_x, 0);
}

// A pair made by name alone says so in the list, the tool tip and the
// particulars; one made by ID says "ID".
TEST_F(Compared, APairByNameSaysSo) {
    compare(kSamples + "/DEMO-1.F1", kSamples + "/DEMO-1.F2");
    action("Movement1")->trigger();
    QTableView& table = *app->movement()->Movement_GR;
    const int matched = column(table, "Matched by"), status = column(table, "Status");
    ASSERT_GE(matched, 0);
    const std::vector<FleetMove>& moves = app->comparison.moves(app->session);
    for (int r = 0; r < table.model()->rowCount(); ++r) {
        const FleetMove& f = moves[static_cast<std::size_t>(r)];
        const QString word = table.model()->index(r, status).data().toString();
        const QString want = word == "new" || word == "gone" ? "" : f.byName ? "name" : "ID";
        EXPECT_EQ(table.model()->index(r, matched).data().toString(), want) << f.uniqueName;
    }
    const auto byName = std::find_if(moves.begin(), moves.end(), [&](const FleetMove& f) {
        return f.byName && f.hasEarlier() && f.hasCurrent() && spot_of(app->session, f.currentRow).count == 1;
    });
    ASSERT_NE(byName, moves.end());
    m.show();
    m.FormActivate();
    const QPoint spot = at(byName->currentX, byName->currentY);
    EXPECT_TRUE(restAt(spot).contains(" since DEMO-1.F1 (by name)")) << byName->uniqueName;
    QTest::mouseClick(m.Image1, Qt::RightButton, {}, spot);
    EXPECT_TRUE(app->particulars()->findChild<QLabel*>("movement_lbl")->text().endsWith(" (by name)"));
}

// The list stays above the map when a double click shows a fleet there.
TEST_F(Compared, TheListStaysAboveTheMap) {
    compare(kSamples + "/DEMO-1.F1", QString());
    action("Movement1")->trigger();
    TMovement_FM& w = *app->movement();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTableView& table = *w.Movement_GR;
    const QPoint cell = table.visualRect(table.model()->index(0, 0)).center();
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, cell);
    EXPECT_TRUE(m.isVisible());
    QTest::qWait(200);  // the windows' activations arrive
    EXPECT_EQ(QApplication::activeWindow(), &w);
}

// A second earlier year read while the open game stays as it is replaces
// the first one's movement: the open game's own report moved nothing.
TEST_F(Compared, ASecondEarlierYearIsShown) {
    action("Map1")->trigger();
    compare(kSamples + "/DEMO-1.F1", QString());
    action("Movement1")->trigger();
    const QImage first = m.image();
    compare(kSamples + "/DEMO.F1", QString());
    TMovement_FM& w = *app->movement();
    EXPECT_EQ(w.Since_LBL->text(), "Since DEMO.F1");
    QTableView& table = *w.Movement_GR;
    const int status = column(table, "Status");
    ASSERT_GT(table.model()->rowCount(), 0);
    for (int r = 0; r < table.model()->rowCount(); ++r)
        EXPECT_EQ(table.model()->index(r, status).data().toString(), "still");
    // Nothing moved: the map shows what it shows without the movement.
    const QImage second = m.image();
    EXPECT_NE(second, first);
    m.action("ShowMovement1")->trigger();
    EXPECT_EQ(m.image(), second);
}

// The pointer on a gone fleet's cross names it; on the place with X and Y
// changed round it does not.
TEST_F(Compared, AGoneFleetIsFoundOnItsCross) {
    compare(kSamples + "/DEMO-1.F1", QString());
    m.show();
    m.FormActivate();
    const std::vector<FleetMove>& moves = app->comparison.moves(app->session);
    const auto near = [&](QPoint p) {
        return std::any_of(moves.begin(), moves.end(), [&](const FleetMove& g) {
            return g.status == MoveStatus::Gone && (at(g.earlierX, g.earlierY) - p).manhattanLength() <= 16;
        });
    };
    const auto gone = std::find_if(moves.begin(), moves.end(), [&](const FleetMove& g) {
        const QPoint cross = at(g.earlierX, g.earlierY), swapped = at(g.earlierY, g.earlierX);
        return g.status == MoveStatus::Gone && (cross - swapped).manhattanLength() > 16 && !near(swapped);
    });
    ASSERT_NE(gone, moves.end());
    const QPoint cross = at(gone->earlierX, gone->earlierY);
    const QString tip = restAt(cross);
    EXPECT_TRUE(tip.contains("gone: ") &&
                tip.mid(tip.indexOf("gone: ")).contains(QString::fromStdString(gone->uniqueName)))
        << gone->uniqueName << " " << tip.toStdString();
    EXPECT_FALSE(restAt(at(gone->earlierY, gone->earlierX)).contains("gone: "));
}
