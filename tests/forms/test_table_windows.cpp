#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "forms/FleetYear.h"
#include "forms/Fleet_Statistics.h"
#include "forms/Fleets.h"
#include "forms/Planets.h"
#include "forms/ally_report.h"
#include "forms/forms_fixture.h"
#include "forms/map.h"
#include "support/report_lines.h"

using namespace trevanor;
using test::Program;

namespace {

// Texts far wider than the columns and lists are made for.
const std::string kLongRace = "Wawawawawawawawawawawawawawawa";  // 30 characters, the most a race name has
const std::string kLongPlanet = "Wawawawawawawawawawawawawawawawawawawawa Prime";

// A report whose headings are wider than their columns, and more fleets
// than a list shows at once, the last of them with the long race name.
std::string wide_report() {
    std::string out = "Fleet Name";
    for (int c = 1; c < 29; ++c) out += "\tWide heading " + std::to_string(c);
    out += "\r\n";
    for (int k = 1; k <= 24; ++k) {
        const std::string name = k < 24 ? "Ozmari Hauler #" + std::to_string(k) : kLongRace + " Hauler #20";
        out += test::fleet_line({{0, name}, {1, "1234"}, {2, std::to_string(1400 + k)}, {3, kLongPlanet}, {12, "2"},
                                 {16, "WWWW"}, {19, "Transport"}}) +
               "\r\n";
    }
    return out;
}

std::string wide_map() { return test::kMap + "4\t1234\t1456\t" + kLongPlanet + "\r\n"; }

// Every column at least as wide as given and as its widest cell and heading need.
void expect_uncut(TextGrid* grid, const std::vector<int>& given) {
    const QFontMetrics metrics(grid->font());
    QAbstractItemModel* model = grid->model();
    for (int c = 0; c < model->columnCount(); ++c) {
        int widest = 0;
        for (int r = 0; r < model->rowCount(); ++r)
            widest = std::max(widest, metrics.horizontalAdvance(model->index(r, c).data().toString()));
        const int width = grid->columnWidth(c);
        EXPECT_GE(width, given[static_cast<std::size_t>(c)]) << "column " << c;
        EXPECT_GT(width, widest + 2) << "column " << c;
        EXPECT_GE(width, static_cast<QAbstractItemView*>(grid)->sizeHintForColumn(c)) << "column " << c;
        EXPECT_GE(width, grid->horizontalHeader()->sectionSizeHint(c)) << "column " << c;
    }
    if (grid->fixedColumn()) {
        EXPECT_EQ(grid->fixedColumn()->columnWidth(0), grid->columnWidth(0));
    }
}

}  // namespace

TEST_F(Program, FleetsWindowShowsBothOrders) {
    TFleet_FM& w = *app->fleets();
    EXPECT_EQ(w.windowTitle(), "Fleets");
    ASSERT_EQ(w.PageControl1->count(), 2);
    EXPECT_EQ(w.PageControl1->tabText(0), "ID-sorted (Kelvra original)");
    EXPECT_EQ(w.PageControl1->tabText(1), "Position-sorted");
    EXPECT_EQ(w.PageControl1->currentIndex(), 0);
    // Before any report: one empty row, no headings.
    EXPECT_EQ(w.Fleet_GR->model()->rowCount(), 1);
    EXPECT_EQ(w.Fleet_GR->model()->headerData(0, Qt::Horizontal).toString(), "");

    openWith("Open1", write("GAME.MAP", test::kMap));
    answerOwnRace(QStringLiteral("Vorlani"));
    openWith("AddFleetfileF1", write("GAME.F1", test::report()));
    QAbstractItemModel* ids = w.Fleet_GR->model();
    QAbstractItemModel* byPos = w.fleet_pos_sort_GR->model();
    ASSERT_EQ(ids->rowCount(), 4);
    ASSERT_EQ(ids->columnCount(), 31);
    EXPECT_EQ(ids->headerData(0, Qt::Horizontal).toString(), "Fleet Name");
    EXPECT_EQ(ids->headerData(29, Qt::Horizontal).toString(), "ID #");
    EXPECT_EQ(ids->headerData(30, Qt::Horizontal).toString(), "Unique name");
    EXPECT_EQ(ids->index(2, 0).data().toString(), "Kesh Raider #5");
    EXPECT_EQ(byPos->index(0, 0).data().toString(), "Vorlani Scout #1");  // X 1100 first
    EXPECT_EQ(byPos->index(1, 0).data().toString(), "Umbral Eye #7");     // then 1234
    EXPECT_EQ(w.Fleet_GR->verticalHeader()->defaultSectionSize(), 15);
    EXPECT_EQ(w.Fleet_GR->selectionBehavior(), QAbstractItemView::SelectRows);
    ASSERT_NE(w.Fleet_GR->fixedColumn(), nullptr);
    EXPECT_TRUE(w.Fleet_GR->fixedColumn()->isColumnHidden(1));
    EXPECT_FALSE(w.Fleet_GR->fixedColumn()->isColumnHidden(0));

    action("Fleets1")->trigger();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isMaximized());
    EXPECT_EQ(w.Fleet_GR->columnWidth(0), 230);  // names narrower than their column leave it so
}

TEST_F(Program, PlanetsWindow) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    TPlanets_FM& w = *app->planets();
    EXPECT_EQ(w.windowTitle(), "Planets");
    EXPECT_EQ(w.Plantet_GR->model()->rowCount(), 3);
    EXPECT_EQ(w.Plantet_GR->model()->index(2, 3).data().toString(), "Coral Reach");
    EXPECT_EQ(w.Plantet_GR->fixedColumn(), nullptr);
    action("Planets1")->trigger();
    EXPECT_TRUE(w.isMaximized());
}

TEST(FleetYearPrompt, IsDefinedWithItsControls) {
    TFleetYear_FM w;
    EXPECT_EQ(w.windowTitle(), "Fleet Year");
    EXPECT_EQ(w.fleetYear_ME->text(), "2");
    EXPECT_FALSE(w.YearOK_BTN->isEnabled());
}

TEST_F(Program, GridColumnsShowTheirTextsWhole) {
    openWith("Open1", write("WIDE.MAP", wide_map()));
    answerOwnRace(QString());
    openWith("AddFleetfileF1", write("WIDE.F2", wide_report()));
    const std::vector<int> fleetWidths = {230, 30, 31, 69, 62, 54, 31, 31, 29, 29, 29, 35, 25, 26, 28, 34,
                                          17,  30, 27, 71, 35, 40, 35, 28, 35, 35, 35, 35, 35, 26, 230};
    TFleet_FM& fleets = *app->fleets();
    action("Fleets1")->trigger();
    expect_uncut(fleets.Fleet_GR, fleetWidths);
    fleets.PageControl1->setCurrentIndex(1);
    expect_uncut(fleets.fleet_pos_sort_GR, fleetWidths);

    TPlanets_FM& planets = *app->planets();
    action("Planets1")->trigger();
    QApplication::processEvents();
    expect_uncut(planets.Plantet_GR, {30, 63, 56, 190});
    int columns = 0;
    for (int c = 0; c < 4; ++c) columns += planets.Plantet_GR->columnWidth(c);
    EXPECT_GT(columns, 364);
    EXPECT_GE(planets.Plantet_GR->viewport()->width(), columns) << "the grid is as wide as its columns";
}

TEST_F(Program, ListPopupsShowTheirLongestItemWhole) {
    openWith("Open1", write("WIDE.MAP", wide_map()));
    answerOwnRace(QString());
    openWith("AddFleetfileF1", write("WIDE.F2", wide_report()));
    action("AddFleetfileF1")->trigger();
    TMap_FM& map = *app->map();
    TFleet_Stat_FM& stats = *app->statistics();
    TAlly_report_FM& ally = *app->allyReport();
    const std::pair<QWidget*, QComboBox*> lists[] = {
        {&main(), main().Planet1_CB}, {&main(), main().Planet2_CB},  {&map, map.Fleet_CBx},
        {&map, map.Route_race_CB},    {&stats, stats.Race_CB},       {&ally, ally.Rep_owner_Cbx},
    };
    for (const auto& [window, box] : lists) {
        window->show();
        if (window == &map) map.FormActivate();
        if (window == &stats) stats.FormActivate();
        if (window == &ally) ally.FormActivate();
        QApplication::processEvents();
        const QFontMetrics metrics(box->font());
        int longest = 0;
        for (int i = 1; i < box->count(); ++i)
            if (metrics.horizontalAdvance(box->itemText(i)) > metrics.horizontalAdvance(box->itemText(longest)))
                longest = i;
        box->showPopup();
        QApplication::processEvents();
        EXPECT_GE(box->view()->viewport()->width(), popup_item_width(box, longest))
            << box->objectName().toStdString() << ": " << box->itemText(longest).toStdString();
        box->hidePopup();
        window->hide();
    }
}

TEST(Fonts, TahomaIsProvided) {
    const bool systemHasIt = QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive);
    if (!systemHasIt && !QFile::exists(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf")))
        GTEST_SKIP() << "no Tahoma on this system (Debian: fonts-wine)";
    EXPECT_TRUE(provide_tahoma());
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Tahoma"), 8)).family(), "Tahoma");
}
