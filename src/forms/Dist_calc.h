#pragma once
// The main window: menus for MAP files, fleet reports, options and views, the
// distance and angle calculator, and the information panel.

#include <QDateTime>
#include <QMainWindow>
#include <functional>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace trevanor {

class Application;
struct NewTurnNews;

class TForm1 : public QMainWindow {
public:
    explicit TForm1(Application& app);

    // Shows what the session holds: caption, menu states, recent files,
    // the own race menu and the calculator's place lists.
    void syncFromSession();
    // The main window's creation steps that run again after a MAP change.
    void FormCreate();
    void clearCoordinates();

    // Commands, as the menus and buttons run them.
    void Open1Click();
    void AddFleetfileF1Click();
    void RecentClick(int k);
    void CompareEarlier1Click();
    void ForgetHistory1Click();
    // The bar that tells of a new turn the game has written; hidden again
    // once it is read.
    void tellNewTurn(const NewTurnNews& news);
    void hideNewTurn();
    class NewTurnBar* newTurnBar() const { return newTurnBar_; }
    void Calc_BTNClick();
    void CBC_BTNClick();
    // Who can reach place 1: the window asks about it.
    void Reach_BTNClick();
    void PfCClick(int point);
    void PlanetCBChange(int point);

    QAction* action(const char* name) const;
    QLineEdit* field(int point, bool y) const { return fields_[point - 1][y ? 1 : 0]; }

    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label13;
    QComboBox* Planet1_CB;
    QComboBox* Planet2_CB;
    QPushButton* Calc_BTN;
    QPushButton* CBC_BTN;
    QPushButton* Reach_BTN;
    QLabel* Dist_Lbl;
    QLabel* Ang1_LBL;
    QLabel* Ang2_LBL;
    QMenu* OwnRace1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildOptionsMenu();
    QAction* menuItem(QMenu* menu, const char* name, const char* caption, const std::function<void()>& handler);
    // The calculator's controls; its button goes into the information panel.
    void buildCalculator(QWidget* parent, QWidget* panel);
    void buildCoordinates(QWidget* parent);
    void buildResults(QWidget* parent);
    QWidget* buildInfoPanel(QWidget* parent);
    void syncOwnRaceMenu();
    // Refills a place list when its items changed; a chosen place that is
    // still listed stays chosen. True when refilled.
    bool syncPlaceList(QComboBox* box, const class SortedList& list, unsigned& shown);
    // Widens the place lists (and with them the window) to show their
    // longest names whole.
    void fitPlaceLists();
    // The window's size for the widened lists and the new turn's bar, kept on the screen.
    void fitWindow();
    // The earlier reports chosen by hand, in two file dialogs.
    void compareWithOtherFiles();
    bool checkField(QLineEdit* field);
    QString mapFolder();
    void resultsUnknown();

    Application& app_;
    QLineEdit* fields_[2][2];
    QActionGroup* raceGroup_;
    QString lastDistance_;
    unsigned shownPlaces1_ = ~0u, shownPlaces2_ = ~0u;
    QWidget* coordinates_ = nullptr;
    QWidget* results_ = nullptr;
    QWidget* infoPanel_ = nullptr;
    int widened_ = 0;  // pixels the place lists have grown by
    QPoint placedAt_;          // where the window was put last
    bool movedByUser_ = false;  // it was somewhere else since
    std::vector<std::string> shownRaceItems_;
    bool checking_ = false;
    class NewTurnBar* newTurnBar_ = nullptr;
};

}  // namespace trevanor
