#pragma once
// The fleet particulars window: pops up beside a right-clicked fleet on the
// map with one fleet of the spot (the single view, with its "More info"), or
// the totals per owner of all fleets there (the multi view). It closes itself
// as soon as it loses the focus.

#include <array>

#include "forms/widgets/tool_window.h"
#include "model/particulars_view.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace trevanor {

class TFleet_Data_FM : public ToolWindow {
public:
    explicit TFleet_Data_FM(Application& app);

    // A right click on the fleet, or the group of fleets, that starts at
    // position-sorted row g: fills the single view (or the multi view when
    // "Set as &default" is ticked for a group).
    void show_fleet(int g, bool group);
    // Places the window beside the object at `object` (screen coordinates),
    // above `bottom` when it fits, and on the screen; it stays there, on the
    // screen, as it grows and shrinks.
    void place_beside(QPoint object, int bottom);

    void adjust_formsize();
    void Fleet_CBChange(int index);
    void one_fleet_btnClick();
    void mfleets_btnClick();
    void Full_btnClick();
    void c2c_btnClick();
    // The "D" buttons: the left mouse button stores and draws the scanner
    // circles; the right one on the single view's "D" opens the fleet scanner
    // window with this fleet's ranges.
    void draw_fm_fleet_data(bool multi);
    void Draw_btnRightClick();
    // The line of the fleet's places in the kept turns, shown while the map
    // shows its trail, and the window's size with it.
    void show_trail();

    ParticularsView view;
    QWidget* Panel1;
    QComboBox* Fleet_CB;
    QGroupBox* GroupBox1;
    QGroupBox* More_GrBx;
    QGroupBox* multi_grbx;
    QPushButton* Draw_btn;
    QCheckBox* autoexpand_chb;
    QCheckBox* m_default_chb;

    // The control of that name, for tests and the map window.
    QWidget* control(Ctl id) const;

protected:
    void activated() override;
    bool event(QEvent* e) override;

private:
    void buildPanel(QVBoxLayout* layout);
    void buildSingle(QVBoxLayout* layout);
    QGroupBox* buildCargo(QWidget* parent);
    QLabel* value(Ctl name, QWidget* parent);
    void buildMore(QVBoxLayout* layout);
    void buildMulti(QVBoxLayout* layout);
    void connectControls();
    // Shows what the view holds.
    void sync();
    // The route of the fleet shown, in white, the route highlighted before
    // back in its owner's colour.
    void highlight_route();
    void focusList();
    QSize fitted_size(QSize content) const;
    // The frame as the window's size now asks for it, at its place.
    QRect frame_rect() const;
    void keep_on_screen();
    void trail_line();
    void fit_trail_line();
    template <class W>
    W* add(W* widget, Ctl id);

    std::array<QWidget*, kControlCount> controls_{};
    bool activatedSinceShown_ = false;
    QPoint object_;  // the fleet clicked, on the screen
    QLabel* movement_;
    QLabel* trail_;
    QScrollArea* scroll_;
    QWidget* content_;  // what scrolls
};

}  // namespace trevanor
