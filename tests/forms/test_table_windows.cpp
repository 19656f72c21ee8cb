#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "forms/FleetYear.h"
#include "forms/Fleets.h"
#include "forms/Planets.h"
#include "forms/forms_fixture.h"

using namespace trevanor;
using test::Program;

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
    EXPECT_EQ(w.Fleet_GR->columnWidth(0), 230);
    EXPECT_EQ(w.Fleet_GR->columnWidth(16), 17);
    EXPECT_EQ(w.Fleet_GR->verticalHeader()->defaultSectionSize(), 15);
    EXPECT_EQ(w.Fleet_GR->selectionBehavior(), QAbstractItemView::SelectRows);
    ASSERT_NE(w.Fleet_GR->fixedColumn(), nullptr);
    EXPECT_TRUE(w.Fleet_GR->fixedColumn()->isColumnHidden(1));
    EXPECT_FALSE(w.Fleet_GR->fixedColumn()->isColumnHidden(0));

    action("Fleets1")->trigger();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isMaximized());
}

TEST_F(Program, PlanetsWindow) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    TPlanets_FM& w = *app->planets();
    EXPECT_EQ(w.windowTitle(), "Planets");
    EXPECT_EQ(w.Plantet_GR->model()->rowCount(), 3);
    EXPECT_EQ(w.Plantet_GR->model()->index(2, 3).data().toString(), "Coral Reach");
    EXPECT_EQ(w.Plantet_GR->columnWidth(3), 190);
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
