// "Who can reach here": asked from the map's selection and from the
// calculator's first place, the list following the years, the route filter
// and the tables, the marks on the map while it is open, and a double click
// that shows the fleet.

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include "forms/Dist_calc.h"
#include "forms/Reach.h"
#include "forms/forms_fixture.h"
#include "forms/map.h"
#include "model/reach.h"

using namespace trevanor;

namespace {

const QString kSamples = QStringLiteral(TREVANOR_SAMPLES_DIR);

struct Reaching : test::Program {
    TMap_FM& m = *app->map();
    Reaching() {
        openWith("Open1", kSamples + "/DEMO.MAP");
        answerOwnRace(QStringLiteral("Vorlani"));
        openWith("AddFleetfileF1", kSamples + "/DEMO.F1");
        prompter.shown.clear();
        m.show();
        m.FormActivate();
    }
    // The list's column as shown, top to bottom.
    static QStringList column(const QTableView& table, int c) {
        QStringList out;
        for (int r = 0; r < table.model()->rowCount(); ++r) out << table.model()->index(r, c).data().toString();
        return out;
    }
};

}  // namespace

TEST_F(Reaching, FromTheMapsSelection) {
    QAction* item = m.action("WhoCanReach1");
    ASSERT_TRUE(m.findChild<QMenu*>(QStringLiteral("Map1"))->actions().contains(item));
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    item->trigger();  // nothing selected yet: said, no window
    EXPECT_EQ(prompter.shown.size(), 1u);
    TReach_FM& w = *app->reach();
    EXPECT_FALSE(w.isVisible());

    const QImage plain = m.image();
    ASSERT_TRUE(m.select_named("New Elorix"));
    const QImage selected = m.image();
    item->trigger();
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Who can reach New Elorix"));
    const ReachPlace home{1750, 1452, "New Elorix"};
    EXPECT_EQ(w.Reach_GR->model()->rowCount(), static_cast<int>(who_can_reach(app->session, home, 1).size()));
    EXPECT_NE(m.image(), selected);  // the place circled, the fleets ringed

    // Only a course of 15° or less stands out.
    const QStringList courses = column(*w.Reach_GR, 5);
    for (int r = 0; r < courses.size(); ++r)
        for (int c : {0, 5})
            EXPECT_EQ(w.Reach_GR->model()->index(r, c).data(Qt::FontRole).value<QFont>().bold(),
                      c == 5 && courses[r].endsWith(u'\u00B0') && courses[r].chopped(1).toInt() <= 15)
                << courses[r].toStdString();

    // More years list more; the years are kept.
    const int oneYear = w.Reach_GR->model()->rowCount();
    QTest::keyClick(w.Years_SE, Qt::Key_Up);
    QTest::keyClick(w.Years_SE, Qt::Key_Up);
    EXPECT_GT(w.Reach_GR->model()->rowCount(), oneYear);
    EXPECT_EQ(storedInt("", "reach_years"), 3);

    // The route filter chooses the owners; "Only enemies" leaves out the own race.
    m.Route_race_CB->setCurrentIndex(m.Route_race_CB->findText(QStringLiteral("Ozmari")));
    emit m.Route_race_CB->activated(m.Route_race_CB->currentIndex());
    ASSERT_GT(w.Reach_GR->model()->rowCount(), 0);
    EXPECT_EQ(column(*w.Reach_GR, 1).filter(QStringLiteral("Ozmari")).size(), w.Reach_GR->model()->rowCount());
    m.Route_race_CB->setCurrentIndex(0);
    emit m.Route_race_CB->activated(0);
    w.Enemies_CB->click();
    EXPECT_FALSE(column(*w.Reach_GR, 1).contains(QStringLiteral("Vorlani")));

    // A double click shows the fleet on the map; closing takes the marks away.
    const QString first = w.Reach_GR->model()->index(0, 0).data().toString();
    const QPoint cell = w.Reach_GR->visualRect(w.Reach_GR->model()->index(0, 0)).center();
    QTest::mouseClick(w.Reach_GR->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(w.Reach_GR->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_TRUE(m.Label11->text() == first || m.Label11->text() == "Multi-fleets") << m.Label11->text().toStdString();
    ASSERT_TRUE(m.select_named("New Elorix"));
    w.Close_BTN->click();
    EXPECT_EQ(m.image(), selected);
    EXPECT_NE(plain, selected);
}

// The calculator's first place: its name when chosen from the list, a point
// of space when typed.
TEST_F(Reaching, FromTheCalculatorsFirstPlace) {
    TForm1& calc = *app->main();
    calc.Planet1_CB->setCurrentIndex(calc.Planet1_CB->findText(QStringLiteral("New Elorix")));
    emit calc.Planet1_CB->activated(calc.Planet1_CB->currentIndex());
    calc.Reach_BTN->click();
    EXPECT_EQ(app->reach()->windowTitle(), QStringLiteral("Who can reach New Elorix"));
    calc.field(1, false)->setText(QStringLiteral("1751"));
    calc.Reach_BTN->click();
    EXPECT_EQ(app->reach()->windowTitle(), QStringLiteral("Who can reach Space (1751, 1452)"));
}
