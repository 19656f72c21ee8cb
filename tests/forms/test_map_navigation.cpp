// The map as map programs are handled today: Ctrl and the wheel, the zoom
// keys, the deeper and the fitted zoom, the middle button, the names on
// hover, Find, typing in long lists, and the saved picture.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>
#include <regex>
#include <sstream>

#include "forms/forms_fixture.h"
#include "forms/map.h"
#include "forms/widgets/action_timing.h"

using namespace trevanor;
using test::Program;

namespace {

struct Navigation : Program {
    TMap_FM& m = *app->map();
    Navigation() {
        openWith("Open1", write("GAME.MAP", test::kMap));
        answerOwnRace(QStringLiteral("Vorlani"));
        openWith("AddFleetfileF1", write("GAME.F1", test::report()));
        m.show();
        m.FormActivate();
        QApplication::processEvents();
    }
    QPoint at(int x, int y) const { return {m.view().pixel_x(x), m.view().pixel_y(y)}; }
    QWidget* viewport() const { return m.ScrollBox1->viewport(); }
    QPoint scroll() const { return m.ScrollBox1->scrollPosition(); }
    // A turn of the wheel over the picture, where the pointer is: the
    // picture leaves it to the visible area it lies in, as it reaches it
    // from the system.
    void wheel(QPoint inViewport, int notches, Qt::KeyboardModifiers keys) {
        QWheelEvent e(inViewport, viewport()->mapToGlobal(inViewport), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      keys, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport(), &e);
    }
    void mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint pixel) {
        QMouseEvent e(type, pixel, m.Image1->mapToGlobal(pixel), button, held, Qt::NoModifier);
        QApplication::sendEvent(m.Image1, &e);
    }
    // The universe point under a point of the visible area.
    MapPoint under(QPoint inViewport) const {
        const QPoint pixel = inViewport + scroll();
        return pixel_to_map(m.view(), pixel.x(), pixel.y());
    }
};

}  // namespace

TEST_F(Navigation, CtrlAndTheWheelZoomAboutThePointer) {
    QTest::mouseClick(m.Image1, Qt::LeftButton, {}, at(1300, 1400));  // Amber: the marker
    const QPoint marker(m.view().Selected_object.Pixel_x, m.view().Selected_object.Pixel_y);
    const QPoint pointer(220, 170);
    const MapPoint before = under(pointer);
    const struct {
        int notches;
        const char* item;
        int surface;
    } steps[] = {{1, "N1501", 1500},  {1, "N2001", 2000},  {2, "N4001", 4000},
                 {2, "N8001", 8000},  {-1, "N6001", 6000}, {-4, "N1501", 1500}, {-5, "MaxOut1", 1000}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.item);
        wheel(pointer, step.notches, Qt::ControlModifier);
        EXPECT_TRUE(m.action(step.item)->isChecked());
        EXPECT_EQ(m.Image1->width(), step.surface);
        const MapPoint now = under(pointer);
        if (scroll() != QPoint(0, 0)) {  // scrolled as far as it goes, the point cannot stay
            EXPECT_NEAR(now.x, before.x, 1);
            EXPECT_NEAR(now.y, before.y, 1);
        }
        // The marker goes with the surface, as a zoom item takes it.
        EXPECT_NEAR(m.view().Selected_object.Pixel_x, marker.x() * step.surface / 1000, 1);
    }
    // The wheel alone scrolls.
    wheel(pointer, 2, Qt::ControlModifier);
    const QPoint scrolled = scroll();
    wheel(pointer, -1, Qt::NoModifier);
    EXPECT_TRUE(m.action("N2001")->isChecked());
    EXPECT_NE(scroll(), scrolled);
}

// With TREVANOR_TIMING=1 a zoom step by the wheel prints one line, once its
// picture is painted: the action and its milliseconds. Without it, nothing.
TEST_F(Navigation, TimingLogNamesAZoomStep) {
    std::ostringstream log;
    qputenv("TREVANOR_TIMING", "1");
    ActionTiming::install(*qApp, log);
    wheel(QPoint(100, 100), 1, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !log.str().empty(); }, 10000));
    QTest::qWait(100);  // no second line follows
    EXPECT_TRUE(std::regex_match(log.str(), std::regex("zoom\t[0-9]+ ms\n"))) << log.str();

    qunsetenv("TREVANOR_TIMING");
    ActionTiming::install(*qApp, log);
    log.str("");
    wheel(QPoint(100, 100), 1, Qt::ControlModifier);
    QTest::qWait(100);
    EXPECT_EQ(log.str(), "");
}

// Coming back to the map paints its controls, not its picture, which looks
// the same in an inactive window; an opening timed whose picture was painted
// before the activation ends with the activation.
TEST_F(Navigation, ActivationLeavesThePictureAsPainted) {
    struct Paints : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* e) override { return count += e->type() == QEvent::Paint, false; }
    } paints;
    std::ostringstream log;
    qputenv("TREVANOR_TIMING", "1");
    ActionTiming::install(*qApp, log);
    m.hide();
    ActionTiming::startOpening("open map", m.Image1);
    m.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m));
    QTest::qWait(100);
    EXPECT_EQ(log.str(), "");
    QPalette palette = m.palette();  // as on most systems: an inactive window's selections grey
    palette.setColor(QPalette::Inactive, QPalette::Highlight, Qt::gray);
    m.setPalette(palette);
    QApplication::processEvents();
    m.Image1->installEventFilter(&paints);
    m.Race_CB->clear();  // refilled by the activation, which still runs
    QEvent activate(QEvent::WindowActivate);  // as the system activates a window
    QApplication::sendEvent(&m, &activate);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !log.str().empty(); }, 5000));
    EXPECT_TRUE(std::regex_match(log.str(), std::regex("open map\t[0-9]+ ms\n"))) << log.str();
    QTest::qWait(100);
    EXPECT_EQ(paints.count, 0);
    EXPECT_GT(m.Race_CB->count(), 0);
    qunsetenv("TREVANOR_TIMING");
    ActionTiming::install(*qApp, log);
}

TEST_F(Navigation, ZoomKeysStepAboutTheMiddle) {
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    const struct {
        QKeyCombination key;
        const char* item;
    } keys[] = {{Qt::CTRL | Qt::Key_Plus, "N1501"},
                {Qt::CTRL | Qt::Key_Equal, "N2001"},
                {Qt::CTRL | Qt::Key_Minus, "N1501"},
                {Qt::CTRL | Qt::Key_0, "MaxOut1"},
                {Qt::CTRL | Qt::Key_9, "FitWindow1"}};
    for (const auto& k : keys) {
        const QPoint middle(viewport()->width() / 2, viewport()->height() / 2);
        const MapPoint before = under(middle);
        QTest::keyClick(viewport(), k.key.key(), k.key.keyboardModifiers());
        EXPECT_TRUE(m.action(k.item)->isChecked()) << k.item;
        if (scroll() != QPoint(0, 0) && k.key.key() != Qt::Key_9) {
            EXPECT_NEAR(under(middle).x, before.x, 1) << k.item;
        }
    }
}

// The deeper levels draw, and hit, as the others do; the fitted surface
// follows the window.
TEST_F(Navigation, DeeperAndFittedZoom) {
    m.action("N4001")->trigger();
    EXPECT_EQ(m.image().size(), QSize(4000, 4000));
    QTest::mouseClick(m.Image1, Qt::LeftButton, {}, at(1234, 1456));
    EXPECT_EQ(m.Label11->text(), "Umbral Eye #7");
    EXPECT_EQ(QColor(m.image().pixel(at(1234, 1456) + QPoint(4, 0))), to_qcolor(app->session.Players[12].Color));

    m.setWindowState(Qt::WindowNoState);
    m.resize(1900, 1500);
    QApplication::processEvents();
    m.action("FitWindow1")->trigger();
    const QSize room = m.ScrollBox1->maximumViewportSize();
    EXPECT_EQ(m.image().width(), std::min(room.width(), room.height()));
    m.resize(1700, 1300);
    QApplication::processEvents();
    EXPECT_EQ(m.image().width(), std::min(m.ScrollBox1->maximumViewportSize().width(),
                                          m.ScrollBox1->maximumViewportSize().height()));
    EXPECT_TRUE(m.action("FitWindow1")->isChecked());
}

TEST_F(Navigation, TheMiddleButtonDragsThePicture) {
    m.action("N2001")->trigger();
    m.ScrollBox1->scrollTo({300, 300});
    const QPoint from = at(1500, 1500);
    mouse(QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton, from);
    mouse(QEvent::MouseMove, Qt::NoButton, Qt::MiddleButton, from + QPoint(-60, -40));
    EXPECT_EQ(m.Image1->cursor().shape(), Qt::ClosedHandCursor);
    mouse(QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton, from + QPoint(-60, -40));
    EXPECT_EQ(scroll(), QPoint(360, 340));
    EXPECT_EQ(m.Image1->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(m.Label11->text(), "");  // a drag selects nothing
    // A middle click that does not move runs the hit test.
    mouse(QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton, at(1300, 1400));
    mouse(QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoButton, at(1300, 1400));
    EXPECT_EQ(m.Label12->text(), "Amber");
}

TEST_F(Navigation, RestingOnAStackNamesItsFleets) {
    mouse(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, at(1100, 1200));
    QTest::qWait(700);
    ASSERT_TRUE(QToolTip::isVisible());
    const QString tip = QToolTip::text();
    EXPECT_TRUE(tip.contains("Zeta Prime"));
    EXPECT_TRUE(tip.contains("Vorlani Scout #1"));
    EXPECT_EQ(m.Label11->text(), "");  // nothing chosen
    QToolTip::hideText();
    mouse(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, QPoint(3, 3));
    QTest::qWait(700);
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(Navigation, FindSelectsAsALeftClickDoes) {
    m.action("Find1")->trigger();
    auto* field = m.findChild<QLineEdit*>("Find_ED");
    ASSERT_TRUE(field && field->isVisible());
    const struct {
        const char* typed;
        const char* line1;
        const char* line2;
    } cases[] = {{"eye", "Umbral Eye #7", ""}, {"AMB", "Vorlani Hauler #2", "Amber"}, {"coral reach", "Kesh Raider #5", "Coral Reach"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        field->clear();
        QTest::keyClicks(field, QString::fromLatin1(c.typed));
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(m.Label11->text(), c.line1);
        EXPECT_EQ(m.Label12->text(), c.line2);
        EXPECT_NE(m.view().Selected_object.Pixel_x, 0);
    }
    EXPECT_EQ(m.Fleet_CBx->currentText(), "Kesh Raider #5");  // as a left click chooses it
    field->clear();
    QTest::keyClicks(field, QStringLiteral("nowhere"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->text(), "");
    EXPECT_TRUE(field->placeholderText().contains("nowhere"));
    EXPECT_TRUE(messages("message").empty());
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(field->isVisible());
}

// Typing finds an item by any part of its name; choosing it does what a
// choice in that list does.
TEST_F(Navigation, TypingInAListFindsByAnyPart) {
    main().show();
    QComboBox* place = main().Planet1_CB;
    place->setFocus();
    QTest::keyClicks(place, QStringLiteral("reach"));
    EXPECT_EQ(place->currentText(), "Coral Reach");
    EXPECT_EQ(main().field(1, false)->text(), "1500");  // picked: the coordinates follow
    QTest::qWait(QApplication::keyboardInputInterval() + 100);
    QTest::keyClicks(place, QStringLiteral("!um"));
    EXPECT_EQ(place->currentText(), "!Umbral Eye #7");
    QComboBox* fleets = m.Fleet_CBx;
    const QStringList before = [&] {
        QStringList items;
        for (int i = 0; i < fleets->count(); ++i) items << fleets->itemText(i);
        return items;
    }();
    fleets->setFocus();
    QTest::keyClicks(fleets, QStringLiteral("HAUL"));
    EXPECT_EQ(fleets->currentText(), "Vorlani Hauler #2");
    for (int i = 0; i < fleets->count(); ++i) EXPECT_EQ(fleets->itemText(i), before[i]);  // the order stays
}

// The window's picture and the dump's, of the demo game, pixel for pixel.
TEST_F(Program, SavedPictureIsWhatTheDumpDraws) {
    const QString map = QStringLiteral(TREVANOR_SAMPLES_DIR "/DEMO.MAP"), report = QStringLiteral(TREVANOR_SAMPLES_DIR "/DEMO.F1");
    openWith("Open1", map);
    answerOwnRace(QStringLiteral("Vorlani"));
    openWith("AddFleetfileF1", report);
    TMap_FM& m = *app->map();
    m.FormActivate();
    m.action("N2001")->trigger();
    m.action("N1001")->trigger();  // every planet's name
    m.Jumps_ME->setValue(2);
    m.Otfr_SBTN->click();  // every route
    files.answers.push_back(path("window.png"));
    m.action("SavePicture1")->trigger();
    EXPECT_EQ(files.names.back(), "DEMO-200.png");
    EXPECT_EQ(files.directories.back(), QStringLiteral(TREVANOR_SAMPLES_DIR));

    QProcess dump;
    dump.start(QStringLiteral(TREVANOR_DUMP), {"--own-race", "Vorlani", map, report, "--picture", path("dump.png"),
                                              "--zoom", "200", "--names", "100", "--routes", "_All", "--jumps", "2"});
    ASSERT_TRUE(dump.waitForFinished(60000));
    EXPECT_EQ(dump.exitCode(), 0) << dump.readAllStandardError().toStdString();
    const QImage fromWindow(path("window.png")), fromDump(path("dump.png"));
    ASSERT_EQ(fromWindow.size(), QSize(2000, 2000));
    EXPECT_TRUE(fromWindow == fromDump);
}

// The window holds the tiles it shows and a margin around them; closed, it
// lets go of them; opened again, it shows the very same picture.
TEST_F(Navigation, AClosedMapLetsGoOfItsTilesAndOpensAsItWas) {
    m.zoomTo(Zoom::Zoom800);
    m.ScrollBox1->centre_on(at(1300, 1400));
    const QImage shown = m.ScrollBox1->viewport()->grab().toImage();
    EXPECT_TRUE(QTest::qWaitFor([&] { return m.tiles().heldTiles() > 0; }));
    EXPECT_LT(m.tiles().heldTiles(), 8000u * 8000 / (256 * 256) / 4);  // a few screens' worth, not the surface's
    m.action("Close1")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return m.tiles().heldTiles() == 0; }));
    m.show();
    m.FormActivate();
    m.ScrollBox1->centre_on(at(1300, 1400));
    EXPECT_EQ(m.ScrollBox1->viewport()->grab().toImage(), shown);
}
