#include "forms/PlayerColor.h"

#include <QAction>
#include <algorithm>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "app/application.h"
#include "platform/qt_canvas.h"
#include "model/player_colors.h"
#include "platform/cp1252.h"

namespace trevanor {

namespace {

// Object names of the colour menu items, in menu order.
constexpr const char* kItemNames[16] = {"Teal",      "Green",    "LimeGreen1", "OliveGreen", "DarkGreen1", "Yellow1",
                                        "Orange1",   "Aqua1",    "Blue1",      "SkyBlue1",   "NavyBlue1",  "Fuchsia1",
                                        "Purple1",   "Gray1",    "Red1",       "Maroon1"};

// Layout: three columns of group boxes 40 apart, players 1-6, 7-12, 13-16.
constexpr int kBoxWidth = 97, kBoxHeight = 33, kRowStep = 40;
constexpr int kColumnX[3] = {4, 112, 220};
constexpr int kBarWidth = 82, kBarHeight = 15;
// The window: 321 x 233 at least, 4 pixels from its edges to the controls.
constexpr int kWidth = 321, kHeight = 233, kMargin = 4;

QColor toQColor(std::int32_t value) { return to_qcolor(static_cast<ColorValue>(value)); }

}  // namespace

ColorBar::ColorBar(QWidget* parent) : QWidget(parent) { setFixedSize(kBarWidth, kBarHeight); }

void ColorBar::paintHatched() {
    hatched_ = true;
    color_ = Qt::white;
    update();
}

void ColorBar::paintSolid(const QColor& color) {
    hatched_ = false;
    color_ = color;
    update();
}

void ColorBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), hatched_ ? QColor(Qt::white) : color_);
    if (hatched_) painter.fillRect(rect(), QBrush(Qt::black, Qt::BDiagPattern));
    painter.setPen(Qt::black);
    painter.drawRect(r);
}

TPly_clr_FM::TPly_clr_FM(Application& app) : ToolWindow(app, "TPly_clr_FM", "Player Color") {
    // A title without buttons: the Close button and Esc close it.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    for (std::size_t i = 0; i < kColorMenu.size(); ++i) {
        QPixmap sample(12, 12);  // a small sample of the colour beside its name
        sample.fill(toQColor(kColorMenu[i].value));
        QAction* item = PopupMenu1->addAction(QIcon(sample), QString::fromLatin1(kColorMenu[i].caption));
        item->setObjectName(QString::fromLatin1(kItemNames[i]));
        item->setData(static_cast<int>(kColorMenu[i].value));
        connect(item, &QAction::triggered, this, [this, item] { colorItemClick(item); });
    }

    for (int k = 1; k <= kPlayers; ++k) {
        const int column = k <= 6 ? 0 : k <= 12 ? 1 : 2;
        const int row = k <= 6 ? k - 1 : k <= 12 ? k - 7 : k - 13;
        auto* box = new QGroupBox(QStringLiteral("Player %1").arg(k), this);
        box->setObjectName(QStringLiteral("GroupBox%1").arg(k));
        box->setGeometry(kColumnX[column], row * kRowStep, kBoxWidth, kBoxHeight);
        // The frame starts halfway down the caption so that the bar fits inside.
        box->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 7px; }"
                                          "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QWidget::customContextMenuRequested, this,
                [this, box, k](const QPoint& pos) { popupFor(k, box->mapToGlobal(pos)); });
        auto* shape = new ColorBar(box);
        shape->setObjectName(QStringLiteral("Shape%1").arg(k));
        shape->move((kBoxWidth - kBarWidth) / 2, kBoxHeight - kBarHeight - 2);
        groupBoxes_[static_cast<std::size_t>(k - 1)] = box;
        bars_[static_cast<std::size_t>(k - 1)] = shape;
    }

    Label1 = new QLabel(QStringLiteral("Right-click to edit"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont italic = Label1->font();
    italic.setItalic(true);
    Label1->setFont(italic);
    // Beside the last box of the middle column, ending where the buttons end;
    // the window is wider where the hint's font needs it.
    const int hintLeft = kColumnX[1] + kBoxWidth + 3;
    const int hintWidth = std::max(kWidth - kMargin - hintLeft, Label1->sizeHint().width());
    const int width = hintLeft + hintWidth + kMargin;
    Label1->setGeometry(hintLeft, 4 * kRowStep + 4, hintWidth, 17);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFixedSize(width, kHeight);

    stay_on_top_Chb = new QCheckBox(QStringLiteral("Stay on &top"), this);
    stay_on_top_Chb->setObjectName(QStringLiteral("stay_on_top_Chb"));
    stay_on_top_Chb->setGeometry(kColumnX[2], 4 * kRowStep + 24, kBoxWidth, 19);
    connect(stay_on_top_Chb, &QCheckBox::clicked, this, [this] { stay_on_top_ChbClick(); });

    Button1 = new QPushButton(QStringLiteral("&Close"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button1->setGeometry(width - kMargin - 75, kHeight - kMargin - 25, 75, 25);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    setWindowButtons(Button1, Button1);
}

bool TPly_clr_FM::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) FormActivate();
    return ToolWindow::event(e);
}

void TPly_clr_FM::FormActivate() {
    for (int i = 1; i <= kPlayers; ++i) {
        const Player& p = app_.session.Players[static_cast<std::size_t>(i)];
        const int k = p.Number;
        if (k < 1 || k > kPlayers) continue;
        groupBox(k)->setTitle(fromCp1252(p.Name));
        bar(k)->paintSolid(toQColor(static_cast<std::int32_t>(p.Color)));
    }
}

void TPly_clr_FM::popupFor(int k, const QPoint& globalPos) {
    menuPlayer_ = k;
    PopupMenu1->popup(globalPos);
}

void TPly_clr_FM::chooseColor(int k, int itemIndex) {
    const QList<QAction*> items = PopupMenu1->actions();
    if (itemIndex < 0 || itemIndex >= items.size()) return;
    menuPlayer_ = k;
    items[itemIndex]->trigger();
}

void TPly_clr_FM::colorItemClick(QAction* item) {
    // Only a menu raised by one of the group boxes names a player.
    if (menuPlayer_ < 1 || menuPlayer_ > kPlayers) return;
    change_color(menuPlayer_, item->data().toInt());
}

void TPly_clr_FM::change_color(int k, std::int32_t colour) {
    app_.run([this, k, colour] {
        trevanor::change_color(app_.session, app_.settings, k, colour, [this](int player, std::int32_t c) {
            if (c <= 0)
                bar(player)->paintHatched();
            else
                bar(player)->paintSolid(toQColor(c));
        });
    });
}

void TPly_clr_FM::stay_on_top_ChbClick() {
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, stay_on_top_Chb->isChecked());
    if (wasVisible) show();  // a change of window flags hides the window
}

void TPly_clr_FM::Button1Click() { close(); }


// Closing, by the Close button, Esc or the title bar, redraws the map so the
// new colours show at once.
void TPly_clr_FM::closeEvent(QCloseEvent* e) {
    app_.refreshMap();
    e->accept();
}

}  // namespace trevanor
