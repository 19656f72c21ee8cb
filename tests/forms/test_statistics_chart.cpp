// "Over the years" in the statistics window: the chart of the kept turns,
// its measure, its legend, its tool tips and its picture.

#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <filesystem>

#include "forms/Fleet_Statistics.h"
#include "forms/forms_fixture.h"
#include "forms/widgets/screen_fit.h"
#include "forms/widgets/race_strength_chart.h"
#include "game_generator.h"

using namespace trevanor;

namespace {

// The demo game's own report of three years, read one year after the other
// as the game writes them; the program keeps each turn.
class OverTheYears : public test::Program {
protected:
    OverTheYears() : game_(gen::make_demo_game(1, 3)) {
        writeYear(2);
        openWith("Open1", write("DEMO.MAP", game_.map));
        answerOwnRace(QStringLiteral("Vorlani"));
        openWith("AddFleetfileF1", path("DEMO.F1"));
        prompter.shown.clear();
    }
    // Player 1's report of `back` years ago, written a day after the year before.
    void writeYear(int back) {
        const gen::Reports& year = back == 0 ? game_.reports : game_.earlier[static_cast<std::size_t>(back - 1)];
        ASSERT_EQ(year[0].first, 1);
        const QString f1 = write("DEMO.F1", year[0].second);
        std::filesystem::last_write_time(f1.toStdString(), std::filesystem::file_time_type::clock::now() -
                                                               std::chrono::hours(24 * back));
    }
    void readYear(int back) {
        writeYear(back);
        app->run([this] { app->readNewTurn(); });
    }
    void activate() {
        QEvent e(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&w(), &e);
    }
    std::vector<std::optional<std::int64_t>> newest(std::int64_t RaceStats::*field) {
        const RaceStatsTable stats = compute_race_stats(app->session.fleets);
        std::vector<std::optional<std::int64_t>> expected, shown;
        for (const RaceSeries::Line& line : w().Chart->series().lines) {
            expected.push_back(stats[static_cast<std::size_t>(line.player)].*field);
            shown.push_back(line.values.back());
        }
        EXPECT_EQ(shown, expected);
        return shown;
    }
    TFleet_Stat_FM& w() { return *app->statistics(); }
    gen::GameFiles game_;
};

}  // namespace

TEST_F(OverTheYears, ChartFollowsTheKeptTurns) {
    w().show();
    const QSize figures = w().size();
    QTest::mouseClick(w().OverTheYears_BTN, Qt::LeftButton);
    EXPECT_TRUE(w().Chart->isVisible());
    EXPECT_FALSE(w().Panel4->isVisible());
    EXPECT_EQ(w().Chart->series().labels.size(), 1u);  // the open turn alone: no chart
    EXPECT_FALSE(w().SaveChart_BTN->isEnabled());

    readYear(1);
    readYear(0);
    // Kept beside the windows: the chart follows once the keeping is over.
    ASSERT_TRUE(QTest::qWaitFor([this] { return w().Chart->series().labels.size() == 3u; }));
    EXPECT_TRUE(w().SaveChart_BTN->isEnabled());
    EXPECT_EQ(w().Measure_CB->currentText(), "Ships");
    newest(&RaceStats::Class_total);
    w().Measure_CB->setCurrentText(QStringLiteral("Fleets"));
    const auto fleets = newest(&RaceStats::Fleet_count);
    w().Measure_CB->setCurrentText(QStringLiteral("Mass"));
    EXPECT_NE(newest(&RaceStats::Mass), fleets);

    files.answers.push_back(path(QStringLiteral("chart.png")));
    QTest::mouseClick(w().SaveChart_BTN, Qt::LeftButton);
    EXPECT_EQ(files.names.back(), "DEMO-mass.png");
    EXPECT_EQ(QImage(path(QStringLiteral("chart.png"))).size(), w().Chart->size() * w().devicePixelRatioF());

    QTest::mouseClick(w().OverTheYears_BTN, Qt::LeftButton);
    EXPECT_TRUE(w().Panel4->isVisible());
    EXPECT_EQ(w().size(), figures);
    EXPECT_TRUE(prompter.shown.empty());
}

// On a laptop's screen at 200 % (960 x 540 for the windows) the chart, its
// buttons and OK stay wholly on the screen.
TEST_F(OverTheYears, ChartStaysOnTheScreen) {
    w().showAndActivate();
    QTest::mouseClick(w().OverTheYears_BTN, Qt::LeftButton);
    const QRect area = available_area(&w());
    EXPECT_TRUE(area.contains(w().frameGeometry())) << w().frameGeometry().width() << "x" << w().frameGeometry().height();
    for (QWidget* control : {static_cast<QWidget*>(w().SaveChart_BTN), static_cast<QWidget*>(w().OverTheYears_BTN)})
        EXPECT_TRUE(area.contains(QRect(control->mapToGlobal(QPoint(0, 0)), control->size())))
            << control->objectName().toStdString();
}

namespace {

KeptTurn turn(const char* label, std::initializer_list<KeptRace> races) {
    KeptTurn t;
    t.label = label;
    t.races = races;
    return t;
}

KeptRace warships(int player, const char* name, ColorValue color, std::int64_t value) {
    KeptRace r{player, name, color, {}};
    r.stats.Warship = value;
    return r;
}

}  // namespace

TEST(RaceStrengthChartClicks, LegendSwitchesALineOffAndOn) {
    RaceStrengthChart chart;
    chart.resize(500, 300);
    chart.setSeries(RaceSeries::build({turn("2026-12-01 10:00", {warships(1, "Vorlani", 0x0000FF, 10),
                                                                  warships(3, "Kesh", 0x00FF00, 5)}),
                                       turn("2026-12-02 10:00", {warships(1, "Vorlani", 0x0000FF, 20)}),
                                       turn("2026-12-03 10:00", {warships(1, "Vorlani", 0x0000FF, 30),
                                                                 warships(3, "Kesh", 0x00FF00, 40)})},
                                      Measure::Warships),
                    QStringLiteral("Warships"));
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    const QPoint dot = chart.pointAt(0, 1).toPoint();
    const QColor red(255, 0, 0);
    const struct {
        QPoint offset;
        bool tip;
    } near[] = {{{0, 0}, true}, {{3, -4}, true}, {{8, 0}, false}, {{0, -9}, false}};
    for (const auto& n : near)
        EXPECT_EQ(chart.tipAt(dot + n.offset), n.tip ? "Vorlani\nWarships: 20\n2026-12-02 10:00" : "")
            << n.offset.x() << "," << n.offset.y();
    EXPECT_EQ(chart.picture(1).pixelColor(dot), red);
    EXPECT_EQ(chart.picture(2).pixelColor(dot * 2), red);

    QTest::mouseClick(&chart, Qt::LeftButton, {}, chart.legendRect(0).center());
    EXPECT_FALSE(chart.isShown(1));
    EXPECT_EQ(chart.tipAt(dot), "");
    EXPECT_NE(chart.picture(1).pixelColor(dot), red);
    QTest::mouseClick(&chart, Qt::LeftButton, {}, chart.legendRect(0).center());
    EXPECT_TRUE(chart.isShown(1));
    EXPECT_EQ(chart.picture(1).pixelColor(dot), red);
    // Kesh, with the largest value, switched off: the axis ends nearer Vorlani's values.
    QTest::mouseClick(&chart, Qt::LeftButton, {}, chart.legendRect(1).center());
    EXPECT_LT(chart.pointAt(0, 1).y(), dot.y());
    QTest::mouseClick(&chart, Qt::LeftButton, {}, chart.legendRect(1).center());

    chart.setSeries({}, QStringLiteral("Warships"));  // nothing kept: a text, no legend
    EXPECT_TRUE(chart.legendRect(0).isEmpty());
    EXPECT_EQ(chart.tipAt(dot), "");
}

// The axis holds every value: from 0, or for a narrow band far from 0 from
// the gridline at or below its lowest; it ends at the gridline at or above
// the highest.
TEST(RaceStrengthChartAxis, TheAxisHoldsEveryValue) {
    const struct {
        std::int64_t lowest, highest;
        bool fromZero;
    } cases[] = {{0, 1800, true}, {1500, 1800, false}, {1500, 1500, true}, {1750, 1801, false}, {900, 1800, true}};
    for (const auto& c : cases) {
        const ChartScale s = value_scale(c.lowest, c.highest);
        EXPECT_EQ(s.base == 0, c.fromZero) << c.lowest << ".." << c.highest;
        EXPECT_LE(s.base, c.lowest);
        EXPECT_GE(s.top, c.highest);
        EXPECT_LT(s.top - s.step, c.highest) << "one gridline too many";
        EXPECT_EQ((s.top - s.base) % s.step, 0);
    }
}

// A narrow band far from 0 spreads over the chart from near its lowest value,
// a break mark at the axis's foot (ink above its line); mass is in kT.
TEST(RaceStrengthChartAxis, ANarrowBandFarFromNoughtIsSpreadOut) {
    for (const std::int64_t low : {1500, 0}) {
        const KeptRace vorlani{1, "Vorlani", 0x0000FF, {.Mass = low}}, kesh{3, "Kesh", 0x00FF00, {.Mass = 1800}};
        RaceStrengthChart chart;
        chart.resize(500, 300);
        chart.setSeries(RaceSeries::build({turn("2026-12-01 10:00", {vorlani, kesh}), turn("2026-12-02 10:00", {vorlani, kesh})},
                                          Measure::Mass), QStringLiteral("Mass"));
        const QPoint foot = chart.pointAt(0, 0).toPoint(), top = chart.pointAt(1, 0).toPoint();
        EXPECT_GT(foot.y() - top.y(), chart.height() / 3) << low;
        const QImage above = chart.picture(1).copy(foot.x() + 6, foot.y() - 4, 16, 1).convertToFormat(QImage::Format_Grayscale8);
        EXPECT_EQ(*std::max_element(above.constBits(), above.constBits() + 16) > 60, low > 0);
        EXPECT_EQ(chart.tipAt(top), "Kesh\nMass: 1800 kT\n2026-12-01 10:00");
    }
}
