#pragma once
// The own race window: asks once per MAP which player the user is.

#include <QDialog>
#include <functional>

class QComboBox;
class QPushButton;

namespace trevanor {

class Application;

class TOwn_race_Fm : public QDialog {
public:
    explicit TOwn_race_Fm(Application& app);

    // Fills the list, suggests player n (0: none) and asks modally.
    void showmodal(int n);
    void Own_CBxChange();
    void Button1Click();

    // How the window is shown modally; tests replace it to answer in its place.
    std::function<void(TOwn_race_Fm&)> runModal;

    QComboBox* Own_CBx;
    QPushButton* Button1;

private:
    Application& app_;
};

}  // namespace trevanor
