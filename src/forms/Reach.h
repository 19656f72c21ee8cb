#pragma once
// Who can reach a place: every fleet of the open game that can be there
// within the years chosen, how far it is, how many years it needs and where
// its course points, nearest in years first. The route filter of the map
// chooses the owners, and "Only enemies" leaves out the own race's and the
// allies' fleets. While the window is open the map marks the place and
// rings each listed fleet; a double click shows the fleet on the map as the
// movement list does. The list follows every change of the tables, the
// years, the filter and the place.

#include "forms/widgets/tool_window.h"
#include "map/reach_marks.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QSpinBox;
class QTableView;

namespace trevanor {

class ReachTable;

class TReach_FM : public ToolWindow {
public:
    explicit TReach_FM(Application& app);

    // Asks about a place: the window shows its answer, above the others.
    void ask(const ReachPlace& place);
    // Shows the answer as it is now, and the map its marks when they changed.
    void refresh();
    // What the map draws while the window is open, worked out again first
    // when the tables, the years or the filter changed.
    const ReachMarks& marks();
    // Another game: the place is forgotten and the window hidden.
    void forget();
    // A double click on a row of the list as shown.
    void Reach_GRDblClick(int row);

    QLabel* Place_LBL;
    QSpinBox* Years_SE;
    QCheckBox* Enemies_CB;
    QLabel* Count_LBL;
    QTableView* Reach_GR;
    QPushButton* Close_BTN;

protected:
    void shown() override;
    void place() override;
    void hideEvent(QHideEvent* e) override;

private:
    // What the answer depends on.
    struct Question {
        ReachPlace place;
        int years = 1;
        std::string filter;
        bool enemiesOnly = false;
        std::uint64_t fleets = 0;  // the fleet table's revision
        std::string ownRace;
        std::vector<std::string> allies;
        bool operator==(const Question&) const = default;
    };
    Question question() const;
    // True when the answer was worked out again.
    bool update();
    // The answer into the list, title and count, when they show another.
    void showAnswer();
    void yearsChanged();
    const QWidget* shownBy() const;

    ReachPlace place_;
    bool asked_ = false;
    Question answered_;
    ReachMarks marks_;
    std::uint64_t answerGeneration_ = 0, shownGeneration_ = ~std::uint64_t{0};
    ReachTable* table_;
    QSortFilterProxyModel* shown_;
};

}  // namespace trevanor
