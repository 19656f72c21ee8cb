// Every window of the program, shown with a game read: no control covers
// another, and every button takes the mouse at its centre.

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>

#include "forms/Fleet_Statistics.h"
#include "forms/Fleets.h"
#include "forms/Planets.h"
#include "forms/PlayerColor.h"
#include "forms/Scanner_type.h"
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
            QWidget* hit = window->childAt(b->mapTo(window, b->rect().center()));
            if (hit != b && !b->isAncestorOf(hit)) faults.push_back(name_of(b) + " is covered by " + name_of(hit));
        }
        if (!opaque(w)) walk(window, w, faults);
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
