#pragma once
// The ally report window: merges the reports that allies hand over, with the
// options of what to pass over, delete or upgrade, and shows its progress.

#include <string>

#include "forms/widgets/tool_window.h"
#include "model/ally_merge.h"

class QVBoxLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace trevanor {

class TAlly_report_FM : public ToolWindow {
public:
    explicit TAlly_report_FM(Application& app);

    void FormActivate();
    void show_own_race();
    void load_BTNClick();
    // Progress back to 0 and an empty status line, as each opening starts.
    void resetProgress();
    MergeOptions options() const;

    QLabel* Own_race_lbl;
    QComboBox* Race_CBx;
    QComboBox* Rep_owner_Cbx;
    QCheckBox* Own_fleets_ChB;
    QCheckBox* Rep_owner_ChB;
    QCheckBox* Delete_Chb;
    QCheckBox* Allow_overwrite_chB;
    QPushButton* load_BTN;
    QPushButton* Cancel_BTN;
    QProgressBar* ProgressBar1;
    QStatusBar* StatusBar1;

protected:
    void activated() override { FormActivate(); }
    // The own race as it is now, before the window is first activated.
    void shown() override;

private:
    void buildRaceRows(QVBoxLayout* layout);
    void buildOptions(QVBoxLayout* layout);
    void buildButtonsAndProgress(QVBoxLayout* layout);
    void connectControls();
    void showMergeProgress();
    // The progress the merge told last, into the status bar and the bar.
    void showLatestProgress();
    struct Progress {
        std::string text;
        int position = 0, maximum = 1;
        bool textChanged = false, barChanged = false;
    } latest_;
    // The own race list, shown while no own race is chosen.
    void offerOwnRaces();
};

}  // namespace trevanor
