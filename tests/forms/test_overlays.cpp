// What the map draws over planets and fleets: routes, the jump potential and
// the stored scanner ranges, with the list window and the tachyon window.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "forms/Tachyon_det.h"
#include "forms/forms_fixture.h"
#include "forms/map.h"
#include "forms/remove.h"
#include "support/report_lines.h"
#include "forms/widgets/text_table_view.h"
#include "map/scanner_overlay.h"
#include "platform/qt_canvas.h"
#include "model/scanner_list.h"
#include "support/recording_canvas.h"

using namespace trevanor;
using test::Program;

namespace {

// A game whose own fleets move: one to a planet within a year, one far away.
std::string moving_report() {
    const auto line = [](const std::string& name, const std::string& x, const std::string& y, const std::string& dest,
                         const std::string& owner, const std::string& warp, const std::string& eta,
                         const std::string& task) {
        return test::fleet_line({{0, name}, {1, x}, {2, y}, {4, dest}, {12, owner}, {13, eta}, {14, warp}, {17, "100"},
                                 {19, task}}) +
               "\r\n";
    };
    return test::kFleetHeading + "\r\n" + line("Vorlani Scout #1", "1150", "1250", "Zeta Prime", "1", "9", "1y", "Scout") +
           line("Kesh Raider #5", "1400", "1450", "130.127", "3", "5", "", "");
}

struct MapOverlays : Program {
    TMap_FM& m = *app->map();
    MapOverlays() {
        openWith("Open1", write("GAME.MAP", test::kMap));
        answerOwnRace(QStringLiteral("Vorlani"));
        openWith("AddFleetfileF1", write("GAME.F1", moving_report()));
        m.FormActivate();
    }
    QColor at(int x, int y) const { return QColor(m.image().pixel(x, y)); }
    // Pixels of the image in the colour, inside a box around the point.
    int count_near(int x, int y, int r, const QColor& colour) const {
        int n = 0;
        for (int i = x - r; i <= x + r; ++i)
            for (int j = y - r; j <= y + r; ++j)
                if (i >= 0 && j >= 0 && i < m.image().width() && j < m.image().height() && at(i, j) == colour) ++n;
        return n;
    }
};

}  // namespace

TEST_F(MapOverlays, RoutesJumpPotentialAndTheirSwitches) {
    const MapView& v = m.view();
    const QColor vorlani = to_qcolor(app->session.Players[1].Color);
    // Zeta Prime (1100, 1200) is 71 light years from the scout: its arrival circle in the owner's colour.
    const int tx = v.pixel_x(1100), ty = v.pixel_y(1200);
    EXPECT_EQ(count_near(tx, ty, 5, vorlani), 0);
    m.Otfr_SBTN->click();
    EXPECT_GT(count_near(tx, ty, 5, vorlani), 10);
    m.Otfr_SBTN->click();
    EXPECT_EQ(count_near(tx, ty, 5, vorlani), 0);

    // The jump potential of the chosen fleet: a circle of warp² light years.
    m.Fleet_CBx->setCurrentIndex(m.Fleet_CBx->findText(QStringLiteral("Kesh Raider #5")));
    m.FJ_SBTN->click();
    ASSERT_TRUE(m.FJ_SBTN->isChecked());
    const QColor kesh = to_qcolor(app->session.Players[3].Color);
    const int r = v.pixels(81);
    EXPECT_GT(count_near(v.pixel_x(1400) + r, v.pixel_y(1450), 2, kesh), 0);
    m.Warp_ME->setText(QStringLiteral("5"));  // a smaller circle at once
    EXPECT_EQ(count_near(v.pixel_x(1400) + r, v.pixel_y(1450), 1, kesh), 0);
    EXPECT_TRUE(messages("message").empty());
}

TEST_F(MapOverlays, StoredRangesListedDrawnRemovedAndCleared) {
    TRemove_FM& list = *app->scannerList();
    const MapView& v = m.view();
    const StoredRange planet{"Amber", 50, 0, RangeKind::Planet, 1300, 1400, 0x0000FF};
    const int edge = v.pixel_x(1300) + v.pixels(50);
    m.store_range(planet);
    EXPECT_TRUE(m.Remove_BTN->isEnabled());
    EXPECT_GT(count_near(edge, v.pixel_y(1400), 1, QColor(255, 0, 0)), 0);  // drawn at once, switch off
    m.refresh_map();
    EXPECT_EQ(count_near(edge, v.pixel_y(1400), 1, QColor(255, 0, 0)), 0);  // not shown by a redraw
    m.FSR_SBTN->click();
    EXPECT_GT(count_near(edge, v.pixel_y(1400), 1, QColor(255, 0, 0)), 0);

    // The efficiency typed as 150 reads 150% when left, and is set back at the next drawing.
    m.Scan_Eff_cbx->setCurrentText(QStringLiteral("150"));
    emit m.Scan_Eff_cbx->lineEdit()->editingFinished();
    EXPECT_EQ(m.Scan_Eff_cbx->currentText(), "100%");

    // Asked before it is replaced.
    prompter.answers = {Answer::No};
    m.store_range({"Amber", 90, 0, RangeKind::Planet, 1300, 1400, 0x0000FF});
    EXPECT_EQ(messages("confirm").back(), "Planet: \"Amber\" has already been set scanners range. Overwrite?");
    EXPECT_EQ(app->session.scannerRanges.cell(scan_col::NonPenetrating, 1), "50");

    // Yes: the old circles leave the map without taking the planet under their cross with them.
    prompter.answers = {Answer::Yes};
    m.store_range({"Amber", 90, 0, RangeKind::Planet, 1300, 1400, 0x0000FF});
    EXPECT_EQ(count_near(edge, v.pixel_y(1400), 0, QColor(255, 0, 0)), 0);
    EXPECT_EQ(at(v.pixel_x(1300), v.pixel_y(1400)), QColor(Qt::white));
    EXPECT_GT(count_near(v.pixel_x(1300) + v.pixels(90), v.pixel_y(1400), 1, QColor(255, 0, 0)), 0);

    m.store_range({"Vorlani Scout #1", 100, 0, RangeKind::Fleet, 1150, 1250, 0x808000});
    list.showAndActivate();
    EXPECT_EQ(list.memo_grid->model()->rowCount(), 2);
    EXPECT_TRUE(list.memo_grid->isColumnHidden(scan_col::X));
    list.remove_row(1);
    EXPECT_EQ(app->session.scannerRanges.cell(scan_col::Name, 1), "Vorlani Scout #1");
    EXPECT_TRUE(m.Remove_BTN->isEnabled());
    list.Clear_BTN->click();
    EXPECT_TRUE(ScannerList(app->session.scannerRanges).empty());
    EXPECT_FALSE(m.Remove_BTN->isEnabled());
    QTest::keyClick(list.memo_grid, Qt::Key_Escape);
    EXPECT_FALSE(list.isVisible());
}

TEST_F(MapOverlays, TachyonDetectorsSetTheScanEfficiency) {
    TTachyon_FM& t = *app->tachyon();
    t.showAndActivate();
    t.activateWindow();
    QApplication::processEvents();
    t.calc_eff();
    EXPECT_EQ(t.TD_no_ME->text().trimmed(), "1");
    EXPECT_EQ(t.reduc_lbl->text(), "95%");
    EXPECT_EQ(t.Eff_lbl->text(), "7%");
    t.Cloacking_perc_ME->setText(QStringLiteral("99"));
    EXPECT_EQ(t.Cloacking_perc_ME->text(), "98");
    t.TD_no_ME->setText(QStringLiteral("17"));
    EXPECT_EQ(t.Eff_lbl->text(), "21%");
    QTest::keyClick(t.TD_no_ME, Qt::Key_Return);  // Enter applies
    EXPECT_EQ(m.Scan_Eff_cbx->currentText(), "21%");
}

TEST(RangeCirclesOnAnImage, OverlappingStrokesMixTheirColours) {
    QtCanvas canvas;
    canvas.setSize(200, 200);
    canvas.state.brushColor = 0;
    canvas.fillRect(0, 0, 200, 200);
    MapView view;
    view.Map_scale = 1;
    view.Image_height = 200;
    Session s;
    // Red, then green, on the same circle: where the strokes meet the pixel is yellow.
    for (const ColorValue colour : {0x0000FFu, 0x00FF00u})
        draw_scanner_range(canvas, view, s, {1100, 1100, colour, 50, 0}, RangeMode::Scanner, 100);
    int stroke = 199;  // the circle's rightmost pixel on the middle row
    while (stroke > 100 && QColor(canvas.image().pixel(stroke, 100)) == QColor(Qt::black)) --stroke;
    ASSERT_GT(stroke, 140);
    EXPECT_EQ(QColor(canvas.image().pixel(stroke, 100)), QColor(255, 255, 0));
    // Painted over in black, with the copy pen.
    draw_scanner_range(canvas, view, s, {1100, 1100, 0x0000FF, 50, 0}, RangeMode::Erase, 100);
    EXPECT_EQ(QColor(canvas.image().pixel(stroke, 100)), QColor(Qt::black));
}
