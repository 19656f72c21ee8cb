// Clicks on the map and the particulars window they open.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "forms/Fleet_data.h"
#include "forms/Scanner_type.h"
#include "forms/forms_fixture.h"
#include "forms/map.h"
#include "model/scanner_list.h"

using namespace trevanor;
using test::Program;

namespace {

// Number columns read 0 unless given.
std::string line(std::initializer_list<std::pair<int, std::string>> cells) {
    std::string c[29];
    for (int k : {6, 7, 8, 9, 10, 11, 15, 16, 17, 18, 20, 21, 22, 23, 24, 25, 26, 27, 28}) c[k] = "0";
    for (const auto& [k, text] : cells) c[k] = text;
    std::string out;
    for (int k = 0; k < 29; ++k) out += (k ? "\t" : "") + c[k];
    return out + "\r\n";
}

// An own scout and a foreign raider at Zeta Prime, a foreign eye in deep space.
std::string spot_report() {
    std::string heading = "Fleet Name";
    for (int c = 1; c < 29; ++c) heading += "\tH" + std::to_string(c);
    return heading + "\r\n" +
           line({{0, "Vorlani Scout #1"}, {1, "1100"}, {2, "1200"}, {3, "Zeta Prime"}, {4, "Amber"}, {6, "2"},
                 {7, "5"}, {8, "6"}, {9, "7"}, {10, "8"}, {11, "90"}, {12, "1"}, {13, "3y"}, {14, "9"}, {15, "40"},
                 {17, "150"}, {18, "0"}, {19, "Scout"}, {24, "0"}, {25, "2"}, {26, "0"}, {27, "0"}, {28, "0"}}) +
           line({{0, "Kesh Raider #5"}, {1, "1100"}, {2, "1200"}, {3, "Zeta Prime"}, {4, "130.127"}, {6, "3"},
                 {12, "3"}, {14, "5"}, {15, "90"}, {17, "0"}, {18, "0"}, {20, "0"}, {21, "0"}, {22, "0"}, {23, "0"},
                 {24, "0"}, {25, "0"}, {26, "3"}, {27, "0"}, {28, "0"}}) +
           line({{0, "Umbral Eye #7"}, {1, "1234"}, {2, "1456"}, {4, "127.127"}, {6, "1"}, {12, "12"}, {14, "0"},
                 {17, "80"}, {18, "0"}, {20, "0"}, {21, "0"}, {22, "0"}, {23, "0"}}) +
           line({{0, "Vorlani Gate #9"}, {1, "1450"}, {2, "1550"}, {4, "Amber"}, {6, "1"}, {12, "1"}, {13, "1y"},
                 {14, "SG"}, {19, "Move"}});
}

struct Clicks : Program {
    TMap_FM& m = *app->map();
    TFleet_Data_FM& w = *app->particulars();
    Clicks() {
        openWith("Open1", write("GAME.MAP", test::kMap));
        answerOwnRace(QStringLiteral("Vorlani"));
        openWith("AddFleetfileF1", write("GAME.F1", spot_report()));
        m.FormActivate();
    }
    QPoint at(int x, int y) const { return {m.view().pixel_x(x), m.view().pixel_y(y)}; }
    QString text(Ctl id) const { return static_cast<QLabel*>(w.control(id))->text(); }
    QPushButton* button(Ctl id) const { return static_cast<QPushButton*>(w.control(id)); }
};

}  // namespace

TEST_F(Clicks, LeftClicksFillTheSelectedObjectBox) {
    const struct {
        QPoint pixel;
        const char *line1, *line2, *x, *y;
        bool marker;
        const char* jumpFleet;
    } cases[] = {
        {at(1100, 1200), "Multi-fleets", "Zeta Prime", "X:1100", "Y:1200", true, "Vorlani Scout #1"},
        {at(1234, 1456), "Umbral Eye #7", "", "X:1234", "Y:1456", true, "Umbral Eye #7"},
        {at(1300, 1400), "", "Amber", "X:1300", "Y:1400", true, ""},
        {QPoint(5, 5), "Deep Space", "", "", "", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line1);
        m.Fleet_CBx->setCurrentIndex(-1);
        QTest::mouseClick(m.Image1, Qt::LeftButton, {}, c.pixel);
        EXPECT_EQ(m.Label11->text(), c.line1);
        EXPECT_EQ(m.Label12->text(), c.line2);
        if (*c.x) { EXPECT_EQ(m.Label9->text(), c.x); }
        if (*c.y) { EXPECT_EQ(m.Label10->text(), c.y); }
        EXPECT_EQ(m.view().Selected_object.Pixel_x != 0, c.marker);
        EXPECT_EQ(m.Fleet_CBx->currentText(), c.jumpFleet);
    }
    EXPECT_TRUE(m.Label9->text().startsWith("X:"));  // deep space: the click's own coordinates
}

TEST_F(Clicks, RightClickOnAGroupOpensItsParticularsBesideIt) {
    m.Otfr_SBTN->click();  // routes on: the fleet's route is highlighted in white
    QTest::mouseClick(m.Image1, Qt::RightButton, {}, at(1100, 1200));
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "Fleet Particulars (single fleet)");
    EXPECT_NE(m.routeHighlight().Last_route_row, 0);
    EXPECT_EQ(w.Fleet_CB->count(), 2);
    EXPECT_EQ(text(Ctl::sel_lbl), "Select (2):");
    EXPECT_EQ(text(Ctl::pos_lbl), "Zeta Prime");
    EXPECT_TRUE(button(Ctl::mfleets_btn)->isEnabled());
    EXPECT_FALSE(w.More_GrBx->isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w.frameGeometry().topLeft()));

    // First in position order, the foreign raider: what the scanners saw, marked.
    EXPECT_EQ(w.GroupBox1->title(), "Kesh Raider #5");
    EXPECT_EQ(button(Ctl::Full_btn)->text(), "Mo&re");
    EXPECT_FALSE(w.control(Ctl::cargo_GrBx)->isVisible());
    button(Ctl::Full_btn)->click();
    EXPECT_TRUE(w.More_GrBx->isVisible());
    EXPECT_FALSE(button(Ctl::Full_btn)->isEnabled());
    EXPECT_EQ(text(Ctl::np_scan_lbl), "0*");
    EXPECT_EQ(text(Ctl::dest_lbl), "?");
    EXPECT_EQ(text(Ctl::course_lbl), "090");

    // The own scout.
    w.Fleet_CB->setCurrentIndex(1);
    w.Fleet_CBChange(1);
    EXPECT_EQ(w.GroupBox1->title(), "Vorlani Scout #1");
    EXPECT_EQ(text(Ctl::total_cargo_lbl), "26");
    EXPECT_EQ(text(Ctl::course_lbl), "045");

    // The totals per owner, and back to the same fleet.
    button(Ctl::mfleets_btn)->click();
    EXPECT_EQ(w.windowTitle(), "Fleet Particulars (multi-fleets)");
    EXPECT_TRUE(w.multi_grbx->isVisible());
    EXPECT_EQ(w.Fleet_CB->count(), 2);  // Vorlani and Kesh
    EXPECT_EQ(text(Ctl::m_fleet_no_lbl), "1");
    EXPECT_EQ(text(Ctl::m_cargo_tot_lbl), "26");
    w.Fleet_CB->setCurrentIndex(1);
    w.Fleet_CBChange(1);
    EXPECT_EQ(w.multi_grbx->title(), "Fleets of Kesh");
    EXPECT_FALSE(w.control(Ctl::multi_cargo_grbx)->isVisible());
    button(Ctl::one_fleet_btn)->click();
    EXPECT_EQ(w.Fleet_CB->currentIndex(), 1);
    EXPECT_EQ(w.GroupBox1->title(), "Vorlani Scout #1");

    // C2C copies the unique name; Esc closes.
    button(Ctl::c2c_btn)->click();
    EXPECT_EQ(clipboard.content, "Vorlani Scout #1");
    QTest::keyClick(w.Fleet_CB, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

// "SG" in the report is the stargate: its route is highlighted as the
// particulars window highlights it.
TEST_F(Clicks, RightClickHighlightsAStargateRoute) {
    m.Otfr_SBTN->click();
    QTest::mouseClick(m.Image1, Qt::RightButton, {}, at(1450, 1550));
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(text(Ctl::warp_lbl), "SG");
    EXPECT_NE(m.routeHighlight().Last_route_row, 0);
    EXPECT_EQ(m.routeHighlight().Last_route_warp, 11);
}

// The demo's home stack starts with a fleet whose destination is empty: the
// repair says so once, and "0.0" then means no move.
TEST_F(Program, HomeStackWithAnEmptyDestination) {
    openWith("Open1", QStringLiteral(TREVANOR_SAMPLES_DIR "/DEMO.MAP"));
    answerOwnRace(QStringLiteral("Vorlani"));
    openWith("AddFleetfileF1", QStringLiteral(TREVANOR_SAMPLES_DIR "/DEMO.F1"));
    TMap_FM& m = *app->map();
    TFleet_Data_FM& w = *app->particulars();
    m.FormActivate();
    prompter.shown.clear();
    for (int round = 0; round < 2; ++round) {
        QTest::mouseClick(m.Image1, Qt::RightButton, {}, QPoint(m.view().pixel_x(1668), m.view().pixel_y(1418)));
        ASSERT_TRUE(w.isVisible());
        EXPECT_EQ(w.GroupBox1->title(), "Vorlani Hauler #21");
        EXPECT_TRUE(w.control(Ctl::Full_btn)->isEnabled());
        EXPECT_EQ(static_cast<QLabel*>(w.control(Ctl::course_lbl))->text(), "--");
        EXPECT_EQ(static_cast<QLabel*>(w.control(Ctl::dest_lbl))->text(), "0.0");
        EXPECT_TRUE(w.control(Ctl::dest_lbl)->toolTip().isEmpty());
    }
    ASSERT_EQ(prompter.shown.size(), 1u);  // the repair, once
    EXPECT_TRUE(prompter.shown[0].text.starts_with("Fleet report(s) has an error. At line of Vorlani Hauler #21"));
}

// Placed with the size it shows, even at its first opening, when the labels
// have only just been filled: it never covers the fleet clicked.
TEST_F(Clicks, ParticularsNeverCoverTheFleetClicked) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QPoint object : {QPoint(screen.right() - 40, screen.center().y()),
                                QPoint(screen.left() + 40, screen.center().y())}) {
        w.hide();
        w.show_fleet(1, false);
        w.place_beside(object, screen.bottom());
        w.showAndActivate();
        QCoreApplication::processEvents();  // the layout's requests, as the event loop runs them
        EXPECT_FALSE(w.frameGeometry().contains(object)) << object.x();
    }
}

// A stack near the lower or the right edge of the screen: the window opened
// by the right click, expanded, switched to the totals and back, stays wholly
// on the screen each time, and beside the stack where there is room.
TEST_F(Clicks, ParticularsStayOnTheScreenAsTheyGrow) {
    m.show();
    QCoreApplication::processEvents();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget* viewport = m.ScrollBox1->viewport();
    const QPoint stack = at(1100, 1200);
    const struct {
        const char* where;
        int dx, dy;  // where the stack shows in the view, from its lower right corner
    } cases[] = {{"near the bottom", viewport->width() / 2, 12}, {"near the right edge", 12, viewport->height() / 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        w.hide();
        m.ScrollBox1->horizontalScrollBar()->setValue(stack.x() - viewport->width() + c.dx);
        m.ScrollBox1->verticalScrollBar()->setValue(stack.y() - viewport->height() + c.dy);
        QTest::mouseClick(m.Image1, Qt::RightButton, {}, stack);
        ASSERT_TRUE(w.isVisible());
        const QPoint object = m.Image1->mapToGlobal(stack);
        const auto check = [&](const char* step) {
            QCoreApplication::processEvents();
            const QRect frame = w.frameGeometry();
            EXPECT_TRUE(screen.contains(frame)) << step << ": " << frame.x() << "," << frame.y() << " "
                                                << frame.width() << "x" << frame.height();
            if (frame.height() < screen.height() / 2) {
                EXPECT_FALSE(frame.contains(object)) << step;
            }
        };
        check("opened");
        button(Ctl::Full_btn)->click();
        check("expanded");
        button(Ctl::mfleets_btn)->click();
        check("totals");
        button(Ctl::one_fleet_btn)->click();
        check("back to one fleet");
    }
}

TEST_F(Clicks, ScannerCirclesOfAFleetAreStoredAndDrawn) {
    QTest::mouseClick(m.Image1, Qt::RightButton, {}, at(1234, 1456));
    ASSERT_TRUE(w.isVisible());
    EXPECT_FALSE(w.Panel1->isVisible());  // a single fleet: no list
    EXPECT_FALSE(button(Ctl::mfleets_btn)->isEnabled());
    w.autoexpand_chb->click();
    QTest::mouseClick(m.Image1, Qt::RightButton, {}, at(1234, 1456));
    EXPECT_TRUE(w.More_GrBx->isVisible());  // expanded at once
    ASSERT_TRUE(w.Draw_btn->isEnabled());
    w.Draw_btn->click();
    EXPECT_TRUE(m.rangesShown());
    const ScannerList list(app->session.scannerRanges);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.entries()[0],
              (StoredRange{"Umbral Eye #7", 80, 0, RangeKind::Fleet, 1234, 1456, app->session.Players[12].Color}));
    // Once more: the overwrite question.
    prompter.answers.push_back(Answer::No);
    w.Draw_btn->click();
    EXPECT_EQ(messages("confirm").back(), "Fleet: \"Umbral Eye #7\" has already been set scanners range. Overwrite?");

    // A right click on "D": the fleet scanner window with this fleet and its ranges.
    emit w.Draw_btn->customContextMenuRequested({});
    TOther_Scanner_FM& scanners = *app->fleetScanner();
    EXPECT_TRUE(scanners.isVisible());
    EXPECT_EQ(scanners.Fleet_CBx->currentText(), "Umbral Eye #7");
    EXPECT_EQ(scanners.NPSR_ME->text().trimmed(), "80");
    EXPECT_EQ(scanners.PSR_ME->text().trimmed(), "0");
}

TEST_F(Clicks, WindowClosesWhenItLosesTheFocus) {
    QTest::mouseClick(m.Image1, Qt::RightButton, {}, at(1234, 1456));
    ASSERT_TRUE(w.isVisible());
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(&w, &deactivate);
    EXPECT_TRUE(w.isVisible());  // not before it has had the focus
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&w, &activate);
    QCoreApplication::sendEvent(&w, &deactivate);
    EXPECT_FALSE(w.isVisible());
}
