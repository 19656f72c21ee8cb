// Every window of the program, shown with a game read: no control covers
// another, and every button takes the mouse at its centre.

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <optional>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>

#include "forms/Fleet_Statistics.h"
#include "forms/Fleets.h"
#include "forms/Planets.h"
#include "forms/PlayerColor.h"
#include "forms/Scanner_type.h"
#include "forms/Tachyon_det.h"
#include "forms/remove.h"
#include "forms/widgets/screen_fit.h"
#include "forms/widgets/text_table_view.h"
#include "forms/ally_report.h"
#include "forms/forms_fixture.h"
#include "forms/map.h"
#include "forms/planetary_scanner.h"

using namespace trevanor;
using test::Program;

namespace {

std::string name_of(const QWidget* w) {
    if (!w) return "nothing";
    QString text = w->objectName();
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) text += QStringLiteral(" \"") + b->text() + u'"';
    if (const auto* l = qobject_cast<const QLabel*>(w)) text += QStringLiteral(" \"") + l->text() + u'"';
    return std::string(w->metaObject()->className()) + ' ' + text.toStdString();
}

// Qt's own parts of a control, and the fixed first column that lies over
// its grid on purpose.
bool internal(const QWidget* w) {
    return w->isWindow() || w->objectName().startsWith(QStringLiteral("qt_")) ||
           w->objectName() == QStringLiteral("fixedColumn");
}

// Controls whose inside is arranged by Qt: not walked into.
bool opaque(const QWidget* w) {
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QTabBar*>(w) ||
           qobject_cast<const QMenuBar*>(w) || qobject_cast<const QStatusBar*>(w) ||
           qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QScrollBar*>(w) || qobject_cast<const QProgressBar*>(w);
}

// A control in a scrolling column, scrolled to where it shows.
void scroll_into_view(QWidget* w) {
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(p)) area->ensureWidgetVisible(w, 0, 0);
}

void walk(QWidget* window, QWidget* parent, std::vector<std::string>& faults) {
    std::vector<QWidget*> children;
    for (QObject* o : parent->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && w->isVisible() && !internal(w)) children.push_back(w);
    for (std::size_t i = 0; i < children.size(); ++i)
        for (std::size_t j = i + 1; j < children.size(); ++j)
            if (children[i]->geometry().intersects(children[j]->geometry()))
                faults.push_back(name_of(children[i]) + " overlaps " + name_of(children[j]));
    for (QWidget* w : children) {
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            scroll_into_view(b);
            QWidget* hit = window->childAt(b->mapTo(window, b->rect().center()));
            if (hit != b && !b->isAncestorOf(hit)) faults.push_back(name_of(b) + " is covered by " + name_of(hit));
        }
        if (!opaque(w)) walk(window, w, faults);
        // A scrolling column of the window's own controls is walked into.
        if (auto* area = qobject_cast<QScrollArea*>(w); area && area->widget()) walk(window, area->widget(), faults);
    }
}

}  // namespace

// With the system's font and with one a point larger, as many users have.
TEST_F(Program, NoControlCoversAnother) {
    const QFont systemFont = QApplication::font();
    for (const int grow : {0, 1}) {
        QFont font = systemFont;
        font.setPointSizeF(systemFont.pointSizeF() + grow);
        QApplication::setFont(font);
        quit();
        start();
        openWith("Open1", write("GAME.MAP", test::kMap));
        answerOwnRace(QStringLiteral("Vorlani"));
        openWith("AddFleetfileF1", write("GAME.F1", test::report()));
        action("AddFleetfileF1")->trigger();  // the ally report window
        QWidget* const windows[] = {&main(),           app->fleets(),       app->planets(),
                                    app->map(),        app->allyReport(),   app->playerColor(),
                                    app->statistics(), app->ownRace(),      app->fleetScanner(),
                                    app->planetaryScanner()};
        for (QWidget* window : windows) {
            window->show();
            QApplication::processEvents();
            std::vector<std::string> faults;
            walk(window, window, faults);
            EXPECT_EQ(faults, std::vector<std::string>{}) << window->objectName().toStdString() << " at "
                                                          << font.pointSizeF() << " pt";
            window->hide();
        }
    }
    QApplication::setFont(systemFont);
}

namespace {

// Where a control's text lies in its window, and whether it is cut.
struct TextPlace {
    QRect rect;
    bool cut = false;
};

std::optional<TextPlace> text_place(QWidget* window, QWidget* w) {
    int need = 0;
    Qt::Alignment align = Qt::AlignLeft;
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (l->text().isEmpty() || l->wordWrap() || !l->pixmap().isNull()) return std::nullopt;
        need = l->sizeHint().width();
        align = l->alignment();
    } else if (auto* p = qobject_cast<QPushButton*>(w)) {
        if (p->text().isEmpty()) return std::nullopt;
        need = p->fontMetrics().horizontalAdvance(QString(p->text()).remove(u'&')) + 4;
        align = Qt::AlignHCenter;
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        if (b->text().isEmpty()) return std::nullopt;
        need = b->minimumSizeHint().width();
    } else if (auto* c = qobject_cast<QComboBox*>(w); c && c->isEditable()) {
        // The text field inside takes the text, with the field's margins.
        const int text = c->fontMetrics().horizontalAdvance(c->currentText()) + 4;
        need = text + c->width() - c->lineEdit()->width();
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->currentIndex() < 0) return std::nullopt;
        need = closed_width(c, c->currentIndex());
    } else {
        return std::nullopt;
    }
    const int width = std::min(need, w->width());
    const int x = align & Qt::AlignRight ? w->width() - width : align & Qt::AlignHCenter ? (w->width() - width) / 2 : 0;
    return TextPlace{QRect(w->mapTo(window, QPoint(x, 0)), QSize(width, w->height())), need > w->width()};
}

void check_texts(QWidget* window, std::vector<std::string>& faults) {
    constexpr int kMargin = 2;
    const QRect inner = window->rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || internal(w) || qobject_cast<QTabBar*>(w->parentWidget())) continue;
        scroll_into_view(w);
        const auto place = text_place(window, w);
        if (!place) continue;
        if (place->cut) faults.push_back(name_of(w) + " is cut (" + std::to_string(w->width()) + " px)");
        if (!inner.contains(place->rect)) faults.push_back(name_of(w) + " touches the window's edge");
    }
}

}  // namespace

// Every text whole, and a margin between it and the window's edges.
TEST_F(Program, NoTextIsCutOrTouchesAnEdge) {
    openWith("Open1", QStringLiteral(TREVANOR_SAMPLES_DIR "/DEMO.MAP"));
    answerOwnRace(QStringLiteral("Vorlani"));
    openWith("AddFleetfileF1", QStringLiteral(TREVANOR_SAMPLES_DIR "/DEMO.F1"));
    // The longest place names chosen in the calculator.
    for (QComboBox* box : {main().Planet1_CB, main().Planet2_CB}) box->setCurrentIndex(longest_item(box));
    action("AddFleetfileF1")->trigger();
    QWidget* const windows[] = {&main(),           app->map(),          app->allyReport(), app->playerColor(),
                                app->statistics(), app->fleetScanner(), app->planetaryScanner(),
                                app->tachyon(),    app->scannerList()};
    for (QWidget* window : windows) {
        window->show();
        QApplication::processEvents();
        std::vector<std::string> faults;
        check_texts(window, faults);
        EXPECT_EQ(faults, std::vector<std::string>{}) << window->objectName().toStdString();
        window->hide();
    }
}

// Where no window manager places windows: the maximised ones fill the
// screen's free area, the others open over the main window, never at the
// screen's corner over another window's menu.
TEST_F(Program, WindowsOpenWhereTheyBelong) {
    main().show();
    QApplication::processEvents();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (QWidget* w : std::initializer_list<QWidget*>{app->map(), app->planets(), app->fleets()}) {
        w->show();
        QApplication::processEvents();
        EXPECT_EQ(w->frameGeometry(), area) << w->objectName().toStdString();
        w->hide();
    }
    for (QWidget* w : std::initializer_list<QWidget*>{app->fleetScanner(), app->planetaryScanner(), app->scannerList(),
                                                      app->statistics(), app->allyReport(), app->playerColor(),
                                                      app->tachyon()}) {
        w->show();
        QApplication::processEvents();
        const QRect frame = w->frameGeometry();
        if (frame.width() > area.width()) {  // larger than this small screen: its left edge shows
            EXPECT_EQ(frame.left(), area.left()) << w->objectName().toStdString();
        } else {
            EXPECT_TRUE(area.contains(frame)) << w->objectName().toStdString();
            EXPECT_LE((frame.center() - main().frameGeometry().center()).manhattanLength(), 2)
                << w->objectName().toStdString();
        }
        w->hide();
    }
}

// A window is moved as little as needed to lie wholly in the free area:
// flush with the right and the lower edge, not a pixel short or over.
TEST(ScreenFit, WindowsLieWhollyInTheArea) {
    const QRect area(100, 50, 800, 600);  // right 899, bottom 649
    const struct {
        const char* what;
        QRect window, fitted;
    } cases[] = {
        {"inside", {300, 200, 200, 100}, {300, 200, 200, 100}},
        {"flush with the lower right corner", {700, 550, 200, 100}, {700, 550, 200, 100}},
        {"a pixel over the right edge", {701, 200, 200, 100}, {700, 200, 200, 100}},
        {"a pixel below the lower edge", {300, 551, 200, 100}, {300, 550, 200, 100}},
        {"far over the lower right corner", {2000, 2000, 200, 100}, {700, 550, 200, 100}},
        {"over the left and upper edges", {-40, 0, 200, 100}, {100, 50, 200, 100}},
        {"as wide as the area", {300, 200, 800, 100}, {100, 200, 800, 100}},
        {"larger than the area", {300, 200, 900, 700}, {100, 50, 900, 700}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(fit_within(c.window, area), c.fitted);
    }
}

// The place lists widen the main window about its middle, or from its left
// edge once the user has moved it; either way it stays on the screen.
TEST_F(Program, MainWindowWidensAboutItsMiddleUnlessMoved) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (const bool moved : {false, true}) {
        SCOPED_TRACE(moved ? "moved by the user" : "where it opened");
        quit();
        start();
        main().show();
        QApplication::processEvents();
        if (moved) main().move(main().pos() - QPoint(area.width() / 8, 0));
        const QRect before = main().frameGeometry();
        openWith("Open1", QStringLiteral(TREVANOR_SAMPLES_DIR "/DEMO.MAP"));
        answerOwnRace(QStringLiteral("Vorlani"));
        openWith("AddFleetfileF1", QStringLiteral(TREVANOR_SAMPLES_DIR "/DEMO.F1"));
        QApplication::processEvents();
        const QRect after = main().frameGeometry();
        ASSERT_GT(after.width(), before.width());
        QRect kept(before.topLeft(), after.size()), centred = kept;
        centred.moveLeft(before.left() - (after.width() - before.width()) / 2);
        EXPECT_EQ(after, fit_within(moved ? kept : centred, area));
        EXPECT_NE(fit_within(kept, area), fit_within(centred, area));  // the screen leaves room to tell
    }
}
