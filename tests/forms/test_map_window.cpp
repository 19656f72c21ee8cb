#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "forms/forms_fixture.h"
#include "forms/map.h"

using namespace trevanor;
using test::Program;

namespace {
QRgb at(TMap_FM& m, int x, int y) { return m.image().pixel(x, y); }
}  // namespace

TEST_F(Program, MapWindowStartsWithItsControls) {
    TMap_FM& m = *app->map();
    EXPECT_EQ(m.windowTitle(), "Map");
    EXPECT_EQ(m.Otfr_SBTN->text(), "Off");
    EXPECT_EQ(m.Otfr_SBTN->toolTip(), "Other's Fleets Route");
    EXPECT_EQ(m.FJ_SBTN->toolTip(), "Fleet move range");
    EXPECT_EQ(m.FSR_SBTN->toolTip(), "Fleet or Planer Scanners");
    EXPECT_EQ(m.Jumps_ME->text(), "1");
    EXPECT_EQ(m.Warp_ME->text(), "9");
    EXPECT_EQ(m.Warp_ME->maximum(), 10);
    EXPECT_EQ(m.Scan_Eff_cbx->currentText(), "100%");
    EXPECT_EQ(m.Scan_Eff_cbx->count(), 10);
    for (QWidget* w : std::initializer_list<QWidget*>{m.Add_BTN, m.Add_Pln_BTN, m.Remove_BTN, m.Scan_Eff_cbx, m.Tachyon_BTN})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(m.Fleet_nr_RB->isChecked());
    EXPECT_FALSE(m.Race_CB->isVisibleTo(&m));
    EXPECT_TRUE(m.action("MaxOut1")->isChecked());
    EXPECT_TRUE(m.action("Nonames1")->isChecked());
    EXPECT_FALSE(m.action("PlayerColors1")->isEnabled());
    EXPECT_EQ(m.Route_race_CB->count(), 1);
    EXPECT_EQ(m.Route_race_CB->currentText(), "_All");
}

TEST_F(Program, MapShowsPlanetsAndFleetsInTheirColours) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    answerOwnRace(QStringLiteral("Vorlani"));
    openWith("AddFleetfileF1", write("GAME.F1", test::report()));
    TMap_FM& m = *app->map();
    m.FormActivate();
    EXPECT_EQ(m.Race_CB->count(), 4);
    EXPECT_EQ(m.Race_CB->currentText(), "Vorlani");
    EXPECT_TRUE(m.action("PlayerColors1")->isEnabled());
    EXPECT_EQ((QStringList{m.Route_race_CB->itemText(0), m.Route_race_CB->itemText(1)}), (QStringList{"_All", "_Only own"}));
    ASSERT_EQ(m.image().size(), QSize(1000, 1000));
    // Largest Y 1600: extent 615. Coral Reach (1500, 1600) lies at (813, 25).
    const MapView& v = m.view();
    EXPECT_EQ(v.Map_extent, 615);
    const int x = v.pixel_x(1500), y = v.pixel_y(1600);
    EXPECT_EQ(QColor(at(m, x, y)), QColor(Qt::white));
    // The fleet there (player 3, Kesh) has its diamond in player 3's colour.
    EXPECT_EQ(QColor(at(m, x - 4, y)), to_qcolor(app->session.Players[3].Color));
    // Umbral Eye (1234, 1456) stands alone in deep space in player 12's colour.
    EXPECT_EQ(QColor(at(m, v.pixel_x(1234) + 3, v.pixel_y(1456))), to_qcolor(app->session.Players[12].Color));

    m.zoomTo(Zoom::Zoom200);
    EXPECT_EQ(m.image().size(), QSize(2000, 2000));
    EXPECT_TRUE(m.action("N2001")->isChecked());
    EXPECT_DOUBLE_EQ(m.view().Map_scale, 615.0 / 2000);
    m.namesTo(NameDensity::All);
    EXPECT_TRUE(m.action("N1001")->isChecked());
    EXPECT_TRUE(messages("error").empty());
}

TEST_F(Program, MapToggles) {
    TMap_FM& m = *app->map();
    m.Otfr_SBTN->click();
    EXPECT_EQ(m.Otfr_SBTN->text(), "On");
    EXPECT_FALSE(m.Route_race_CB->isEnabled());
    m.Otfr_SBTN->click();
    EXPECT_EQ(m.Otfr_SBTN->text(), "Off");
    EXPECT_TRUE(m.Route_race_CB->isEnabled());

    m.FSR_SBTN->click();
    EXPECT_EQ(m.FSR_SBTN->text(), "On");
    EXPECT_TRUE(m.Add_BTN->isEnabled());
    EXPECT_FALSE(m.Remove_BTN->isEnabled());

    m.FJ_SBTN->click();  // no fleet to choose: pops back up
    EXPECT_FALSE(m.FJ_SBTN->isChecked());
    EXPECT_EQ(m.FJ_SBTN->text(), "Off");


    m.Scan_Eff_cbx->setCurrentText(QStringLiteral("50"));
    emit m.Scan_Eff_cbx->lineEdit()->editingFinished();
    EXPECT_EQ(m.Scan_Eff_cbx->currentText(), "50%");
}

TEST_F(Program, MapActivationWithoutOwnRaceChoosesNone) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    answerOwnRace(QString());
    openWith("AddFleetfileF1", write("GAME.F1", test::report()));
    app->map()->FormActivate();
    EXPECT_EQ(app->session.Own_race_name, "_none_");
    EXPECT_EQ(app->map()->Race_CB->currentText(), "_none_");
    EXPECT_TRUE(action("none1")->isChecked());
}

TEST_F(Program, DamagedPlanetRowIsPassedOverByTheRedraw) {
    openWith("Open1", write("GAME.MAP", test::kMap + "4\t12x4\t1300\tBroken\r\n"));
    prompter.shown.clear();
    TMap_FM& m = *app->map();
    m.FormActivate();
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(QColor(at(m, m.view().pixel_x(1500), m.view().pixel_y(1600))), QColor(Qt::white));
}

TEST_F(Program, FleetListStartsWithoutChoiceAndKeepsItAcrossRefills) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    answerOwnRace(QStringLiteral("Vorlani"));
    openWith("AddFleetfileF1", write("GAME.F1", test::report()));
    TMap_FM& m = *app->map();
    ASSERT_EQ(m.Fleet_CBx->count(), 4);
    EXPECT_EQ(m.Fleet_CBx->currentIndex(), -1);
    m.FJ_SBTN->click();  // no fleet chosen: refused
    EXPECT_FALSE(m.FJ_SBTN->isChecked());

    const QString chosen = m.Fleet_CBx->itemText(2);
    m.Fleet_CBx->setCurrentIndex(2);
    SortedList& list = app->session.mapFleetList;
    list.add("Aardvark Probe #1");  // a new fleet that sorts first
    m.refresh();
    EXPECT_EQ(m.Fleet_CBx->count(), 5);
    EXPECT_EQ(m.Fleet_CBx->currentText(), chosen);
    m.FJ_SBTN->click();
    EXPECT_TRUE(m.FJ_SBTN->isChecked());

    list.removeEach({chosen.toStdString()});  // the chosen fleet is gone
    m.refresh();
    EXPECT_EQ(m.Fleet_CBx->currentIndex(), -1);
    EXPECT_EQ(m.Fleet_CBx->count(), 4);
}

// Each key of the zoom menu is shown beside its item, the levels first in
// their order, then the steps in and out.
TEST_F(Program, ZoomMenuShowsItsKeys) {
    const QMenu* zoom = app->map()->findChild<QMenu*>(QStringLiteral("Zoom1"));
    ASSERT_NE(zoom, nullptr);
    QStringList shown;
    for (const QAction* a : zoom->actions())
        if (!a->isSeparator()) shown << a->text() + u'\t' + a->shortcut().toString(QKeySequence::PortableText);
    EXPECT_EQ(shown, QStringList({"&Max Out\tCtrl+0", "&150%\t", "&200%\t", "&300%\t", "&400%\t", "&600%\t",
                                  "&800%\t", "&Fit window\tCtrl+9", "Zoom &In\tCtrl++", "Zoom &Out\tCtrl+-"}));
}
