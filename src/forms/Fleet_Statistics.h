#pragma once
// The fleet statistics window: figures per race, for the own race (or an
// ally) with its cargo, and the top three races by ships, warships and mass.
// Every figure is recomputed each time the window becomes active.
// "Over the years" turns the window to a chart of one figure of every race
// over the game's kept turns, listed afresh each time the window is shown or
// becomes active.

#include <array>
#include <filesystem>

#include <QSize>

#include "forms/widgets/tool_window.h"
#include "model/game_history.h"
#include "model/statistics.h"

class QGridLayout;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

namespace trevanor {

class RaceStrengthChart;

class TFleet_Stat_FM : public ToolWindow {
public:
    explicit TFleet_Stat_FM(Application& app);

    // Recomputes the statistics and refills the lists, the own panel and the
    // rankings; an error stops it with its message in an error box.
    void FormActivate();
    // A merge or a new turn changed the fleet table: the window, while it
    // shows, follows it at once.
    void follow();
    // The race chosen in Race_CB: its figures in Groupbox1.
    void Race_CBChange();
    // The own or allied race chosen in allied_race_CB: its figures in Groupbox2.
    void allied_race_CBChange();
    void Button1Click();
    // Turns the window between the figures of the turn and the chart.
    void OverTheYears_BTNClick();
    // Writes the chart as a PNG file, at the screen's pixel ratio.
    void SaveChart_BTNClick();

    QFrame* Panel4;
    QComboBox* Race_CB;
    QFrame* Panel3;
    QComboBox* allied_race_CB;
    QGroupBox* Groupbox1;
    QGroupBox* Groupbox2;
    QFrame* Panel2;
    QLabel* StaticText1;
    QPushButton* Button1;
    QPushButton* OverTheYears_BTN;
    QComboBox* Measure_CB;
    QPushButton* SaveChart_BTN;
    RaceStrengthChart* Chart;

protected:
    void activated() override;
    void shown() override;

private:
    void buildRaceLists(QGridLayout* layout);
    void buildRacePanel(QGridLayout* layout);
    void buildOwnPanel(QGridLayout* layout);
    QGroupBox* buildCargo(QWidget* parent);
    void buildRankings(QGridLayout* layout);
    void buildFoot(QVBoxLayout* layout);
    QWidget* buildChartPage();
    bool chartShown() const;
    // Lists the kept turns anew when they changed (or `always`), then draws
    // the chosen measure of them.
    void refreshChart(bool always = false);
    void showChart();
    // The figures of one race: total, fleets, unarmed, scout, warship,
    // bomber, utility, mass.
    using Figures = std::array<QLabel*, 8>;
    void activate(bool repeatQuietly);
    void showFigures(const Figures& labels, int player);
    void showOwn(int player);
    void fillRaces(const std::vector<std::string>& races);

    Figures race_{};
    Figures own_{};
    std::array<QLabel*, 5> cargo_{};              // ironium, boranium, germanium, colonists, total
    std::array<std::array<QLabel*, 3>, 3> rankName_{};   // by ranking, then place
    std::array<std::array<QLabel*, 3>, 3> rankValue_{};
    RaceStatsTable stats_{};
    int shownRace_ = 0;  // the player whose figures Groupbox1 shows; 0 while none
    QStackedWidget* pages_ = nullptr;  // the figures of the turn, then the chart
    QSize figuresSize_;                // the window's fixed size with the figures
    QSize chartSize_;                  // the size last given to it with the chart
    std::vector<KeptTurn> turns_;
    std::string listedFolder_;                     // the game's turns when last listed,
    std::filesystem::file_time_type listedChange_;  // and their folder's last change then
    std::uint64_t listedFleets_ = 0;                // the fleet table's revision the chart shows
    std::uint64_t figuredFleets_ = 0;               // the fleet table's revision the figures show
    std::string listedOpen_;                        // the open turn's label then
};

}  // namespace trevanor
