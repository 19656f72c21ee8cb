// The map and its particulars on screens scaled as laptops scale them. These
// run at the test screen's own scale and again on 1920 x 1080 and 3840 x 2160
// screens scaled 125 % to 200 % (CMakeLists.txt): every control keeps its
// height, what does not fit the screen scrolls, the particulars stay on the
// screen, and the map is drawn at the screen's own pixels while positions
// stay in the map's own pixels.

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include "forms/Fleet_data.h"
#include "forms/forms_fixture.h"
#include "forms/map.h"
#include "forms/widgets/text_table_view.h"

using namespace trevanor;
using test::Program;

namespace {

struct Scaled : Program {
    TMap_FM& m = *app->map();
    Scaled() {
        openWith("Open1", QStringLiteral(TREVANOR_SAMPLES_DIR "/DEMO.MAP"));
        answerOwnRace(QStringLiteral("Vorlani"));
        openWith("AddFleetfileF1", QStringLiteral(TREVANOR_SAMPLES_DIR "/DEMO.F1"));
        m.show();
        m.FormActivate();
        QApplication::processEvents();
    }
    QPoint at(int x, int y) const { return {m.view().pixel_x(x), m.view().pixel_y(y)}; }
    QRect screen() const { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

std::string name_of(const QWidget* w) {
    return w ? std::string(w->metaObject()->className()) + ' ' + w->objectName().toStdString() : "nothing";
}

// The control a click at its middle reaches in its window, scrolled into
// view first where it lies in a scrolling area.
QWidget* reached(QWidget* control) {
    for (QWidget* p = control->parentWidget(); p; p = p->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(p)) {
            area->ensureWidgetVisible(control, 0, 0);
            break;
        }
    QWidget* window = control->window();
    return window->childAt(control->mapTo(window, control->rect().center()));
}

}  // namespace

// Every control of the map's column at its full height, the "Selected Object"
// box filled; the first and the last can be reached, the column scrolling
// where the screen is too short for it.
TEST_F(Scaled, MapControlsKeepTheirHeight) {
    const Session& s = app->session;
    QTest::mouseClick(m.Image1, Qt::LeftButton, {},
                      at(std::stoi(s.fleetsByPos.cell(col::X, 1)), std::stoi(s.fleetsByPos.cell(col::Y, 1))));
    ASSERT_FALSE(m.Label11->text().isEmpty());
    QWidget* panel = m.Refresh_BTN->parentWidget();
    std::vector<std::string> faults;
    for (QWidget* w : panel->findChildren<QWidget*>()) {
        const bool control = w->parentWidget() == panel || qobject_cast<QGroupBox*>(w->parentWidget());
        if (control && w->isVisible() && w->height() < w->sizeHint().height())
            faults.push_back(name_of(w) + ": " + std::to_string(w->height()) + " of " +
                             std::to_string(w->sizeHint().height()) + " px");
    }
    EXPECT_EQ(faults, std::vector<std::string>{});
    for (QWidget* c : std::initializer_list<QWidget*>{m.Route_race_CB, m.Refresh_BTN})
        EXPECT_EQ(reached(c), c) << name_of(reached(c));
}

// Opened on a mixed spot, expanded, switched to the totals and back: each
// view wholly on the screen, its buttons within reach.
TEST_F(Scaled, ParticularsStayOnTheScreenAndScroll) {
    TFleet_Data_FM& w = *app->particulars();
    QTest::mouseClick(m.Image1, Qt::RightButton, {}, at(1668, 1418));
    ASSERT_TRUE(w.isVisible());
    const struct {
        const char* view;
        Ctl press;  // afterwards, to the next view
        std::vector<Ctl> reach;
    } views[] = {{"one fleet", Ctl::Full_btn, {Ctl::Fleet_CB, Ctl::X_btn}},
                 {"expanded", Ctl::mfleets_btn, {Ctl::Fleet_CB, Ctl::Draw_btn, Ctl::autoexpand_chb}},
                 {"totals", Ctl::one_fleet_btn, {Ctl::Fleet_CB, Ctl::m_draw_btn, Ctl::Button1, Ctl::m_default_chb}},
                 {"back to one fleet", Ctl::X_btn, {Ctl::X_btn}}};
    for (const auto& v : views) {
        SCOPED_TRACE(v.view);
        QApplication::processEvents();
        const QRect frame = w.frameGeometry();
        EXPECT_TRUE(screen().contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                              << frame.height();
        for (const Ctl id : v.reach) EXPECT_EQ(reached(w.control(id)), w.control(id)) << name_of(w.control(id));
        QWidget* button = reached(w.control(v.press));
        ASSERT_EQ(button, w.control(v.press));
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }
    EXPECT_FALSE(w.isVisible());
}

// The picture has the screen's pixels (its devicePixelRatio); the view, a
// click, the hover, the wheel's zoom about the pointer and the saved picture
// go by the map's own pixels.
TEST_F(Scaled, MapDrawnAtTheScreensOwnPixels) {
    const qreal ratio = m.Image1->devicePixelRatioF();
    for (const auto& [item, surface] : {std::pair{"MaxOut1", 1000}, std::pair{"N2001", 2000}}) {
        SCOPED_TRACE(item);
        m.action(item)->trigger();
        EXPECT_EQ(m.image().devicePixelRatio(), ratio);
        EXPECT_EQ(m.image().size(), QSize(qRound(surface * ratio), qRound(surface * ratio)));
        EXPECT_EQ(m.Image1->size(), QSize(surface, surface));
    }
    const QPoint eye = at(1668, 1418);
    QTest::mouseClick(m.Image1, Qt::LeftButton, {}, eye);
    EXPECT_EQ(m.Label11->text(), "Multi-fleets");
    EXPECT_TRUE(m.hoverText(eye).contains("#"));

    m.ScrollBox1->centre_on(eye);
    QWidget* viewport = m.ScrollBox1->viewport();
    const QPoint pointer = m.Image1->mapTo(viewport, eye);
    QWheelEvent e(pointer, viewport->mapToGlobal(pointer), QPoint(), QPoint(0, 120), Qt::NoButton,
                  Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &e);
    ASSERT_TRUE(m.action("N3001")->isChecked());
    const QPoint now = m.Image1->mapFrom(viewport, pointer);
    EXPECT_LE((now - at(1668, 1418)).manhattanLength(), 2);

    files.answers.push_back(path("saved.png"));
    m.action("SavePicture1")->trigger();
    EXPECT_EQ(QImage(path("saved.png")).size(), QSize(3000, 3000));
}

// The map opens on its middle; Find chooses the fleet found, not a click's
// choice at its spot (a group's second fleet) nor one named alike.
TEST_F(Scaled, MapOpensOnItsMiddleAndFindChoosesTheFleetFound) {
    QWidget* viewport = m.ScrollBox1->viewport();
    const QSize room = viewport->size().expandedTo(QSize(m.view().surface(), m.view().surface()));  // narrower: at the left
    EXPECT_LE((m.Image1->mapFrom(viewport, viewport->rect().center()) - QPoint(room.width(), room.height()) / 2).manhattanLength(), 2);
    m.action("Find1")->trigger();
    auto* field = m.findChild<QWidget*>(QStringLiteral("Find_ED"));
    for (const QString& name : {QStringLiteral("Ozmari Dredger #3"), QStringLiteral("Ozmari Scout #44"),
                                QStringLiteral("Ozmari scout"), m.Fleet_CBx->itemText(0)}) {
        QTest::keyClicks(field, name);  // over the name found last, selected
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(m.Fleet_CBx->currentText(), name);
    }
    EXPECT_FALSE(m.select_named("Nobody"));
    EXPECT_GE(m.Fleet_CBx->width(), closed_width(m.Fleet_CBx, longest_item(m.Fleet_CBx)));  // its longest name whole
}
