#pragma once
// The player colour window: the 16 players with their race names and
// colours; a right click on a player chooses one of 16 colours, and the
// colours of named players stay distinct.

#include <QColor>
#include <QWidget>
#include <array>
#include <cstdint>

#include "forms/widgets/tool_window.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

namespace trevanor {

// A player's colour bar: solid in the player's colour, or white with a
// diagonal hatch while the player has no colour. A mouse press on it does
// nothing of its own; a right click reaches its group box.
class ColorBar : public QWidget {
public:
    explicit ColorBar(QWidget* parent);
    void paintHatched();
    void paintSolid(const QColor& color);
    bool hatched() const { return hatched_; }
    QColor color() const { return color_; }  // meaningful when not hatched

protected:
    void paintEvent(QPaintEvent*) override;

private:
    bool hatched_ = true;
    QColor color_ = Qt::white;
};

class TPly_clr_FM : public ToolWindow {
public:
    explicit TPly_clr_FM(Application& app);

    // Shows every player whose number is 1..16: caption, solid bar.
    void FormActivate();
    // What picking item `itemIndex` (0..15, menu order) from the colour menu
    // of group box k does.
    void chooseColor(int k, int itemIndex);
    void stay_on_top_ChbClick();
    void Button1Click();

    QGroupBox* groupBox(int k) const { return groupBoxes_.at(static_cast<std::size_t>(k - 1)); }
    ColorBar* bar(int k) const { return bars_.at(static_cast<std::size_t>(k - 1)); }
    // The player whose group box last raised the colour menu; 0 before any.
    int menuPlayer() const { return menuPlayer_; }

    QMenu* PopupMenu1;
    QLabel* Label1;
    QCheckBox* stay_on_top_Chb;
    QPushButton* Button1;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void popupFor(int k, const QPoint& globalPos);
    void colorItemClick(QAction* item);
    void change_color(int k, std::int32_t colour);

    std::array<QGroupBox*, 16> groupBoxes_{};
    std::array<ColorBar*, 16> bars_{};
    int menuPlayer_ = 0;
};

}  // namespace trevanor
