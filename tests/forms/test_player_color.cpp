#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <optional>

#include "forms/PlayerColor.h"
#include "forms/forms_fixture.h"
#include "forms/map.h"

using namespace trevanor;

namespace {

const std::optional<QColor> kHatched;

// A game read: players 1 Vorlani, 3 Kesh and 12 Umbral, all in default colours.
class PlayerColorWindow : public test::Program {
protected:
    PlayerColorWindow() {
        openWith("Open1", write("GAME.MAP", test::kMap));
        answerOwnRace(QStringLiteral("Vorlani"));
        openWith("AddFleetfileF1", write("GAME.F1", test::report()));
    }
    std::int32_t stored(int p) { return storedInt("GAME.MAP", "p" + std::to_string(p)); }
    void expectBar(int k, std::optional<QColor> color) {
        EXPECT_EQ(w().bar(k)->hatched(), !color) << "bar " << k;
        if (color) {
            EXPECT_EQ(w().bar(k)->color(), *color) << "bar " << k;
        }
    }
    TPly_clr_FM& w() { return *app->playerColor(); }
};

}  // namespace

TEST_F(PlayerColorWindow, ActivationShowsNamedPlayersOnly) {
    // 321 x 233, or wider where the hint's font needs it; not resizable.
    EXPECT_GE(w().minimumWidth(), 321);
    EXPECT_EQ(w().minimumHeight(), 233);
    EXPECT_EQ(w().maximumSize(), w().minimumSize());
    for (int k = 1; k <= 16; ++k) {
        EXPECT_EQ(w().groupBox(k)->title(), QStringLiteral("Player %1").arg(k));
        expectBar(k, kHatched);
    }
    app->session.Players[12].Color = 0;  // as an ally merge leaves a new player
    w().show();
    const struct {
        int k;
        const char* caption;
        std::optional<QColor> bar;
    } rows[] = {{1, "Vorlani", QColor(0, 128, 128)}, {2, "Player 2", kHatched}, {3, "Kesh", QColor(128, 128, 0)},
                {12, "Umbral", QColor(Qt::black)}};
    for (const auto& r : rows) {
        EXPECT_EQ(w().groupBox(r.k)->title().toStdString(), r.caption);
        expectBar(r.k, r.bar);
    }
}

TEST_F(PlayerColorWindow, NamedPlayersExchangeAndClosingRedrawsTheMap) {
    w().show();
    app->refreshMap();
    const QImage before = app->map()->image();
    // Fuchsia is Umbral's: Umbral moves on from default 13 to Kesh's old Olive Green.
    w().chooseColor(3, 11);
    expectBar(3, QColor(255, 0, 255));
    expectBar(12, QColor(128, 128, 0));
    EXPECT_EQ(stored(3), 0xFF00FF);
    EXPECT_EQ(stored(12), 0x008080);
    EXPECT_EQ(app->map()->image(), before);

    w().stay_on_top_Chb->click();  // re-shown above the others
    EXPECT_TRUE(w().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w().isVisible());
    w().Button1->click();
    EXPECT_FALSE(w().isVisible());
    EXPECT_NE(app->map()->image(), before);
    EXPECT_TRUE(messages("error").empty());

    w().show();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&w(), &esc);
    EXPECT_FALSE(w().isVisible());
}

TEST_F(PlayerColorWindow, RightClickOnABarOpensTheMenuOfItsGroupBox) {
    w().show();
    QAction* red = w().PopupMenu1->findChild<QAction*>(QStringLiteral("Red1"));
    ASSERT_NE(red, nullptr);
    red->trigger();  // raised from no group box: nothing happens
    EXPECT_EQ(app->session.Players[15].Color, 0x0000FFu);

    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), w().bar(7)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(w().bar(7), &click);
    EXPECT_EQ(w().menuPlayer(), 7);
    EXPECT_TRUE(w().PopupMenu1->isVisible());
    w().PopupMenu1->hide();
    red->trigger();  // Red was unnamed player 15's
    expectBar(7, QColor(255, 0, 0));
    expectBar(15, kHatched);
    EXPECT_EQ(stored(15), 0);
}

TEST_F(PlayerColorWindow, NoTitleBarButtonsEnterAndEscClose) {
    const Qt::WindowFlags flags = w().windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    for (const Qt::WindowType button : {Qt::WindowCloseButtonHint, Qt::WindowSystemMenuHint,
                                        Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint})
        EXPECT_FALSE(flags.testFlag(button)) << button;
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        w().show();
        QTest::keyClick(w().stay_on_top_Chb, key);
        EXPECT_FALSE(w().isVisible()) << key;
    }
}
