#include "forms/Dist_calc.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "forms/Fleet_Statistics.h"
#include "forms/Fleets.h"
#include "forms/Movement.h"
#include "forms/Planets.h"
#include "forms/Reach.h"
#include "forms/kept_turn_chooser.h"
#include "forms/widgets/new_turn_bar.h"
#include "app/application.h"
#include "forms/map.h"
#include "forms/widgets/action_timing.h"
#include "forms/widgets/named.h"
#include "forms/widgets/name_completer.h"
#include "forms/widgets/screen_fit.h"
#include "forms/widgets/text_table_view.h"
#include "forms/widgets/window_buttons.h"
#include "model/files.h"
#include "model/calculator.h"
#include "model/own_race.h"
#include "model/numbers.h"
#include "model/text.h"
#include "platform/cp1252.h"

namespace trevanor {

namespace {

// The headline and the attribution are kept scrambled, each byte combined
// with this key, and unscrambled when the window is created.
constexpr unsigned char kScrambleKey = 0x5A;
constexpr unsigned char kHeadline[] = {0x0E, 0x28, 0x3F, 0x2C, 0x3B, 0x34, 0x35, 0x28};
constexpr unsigned char kAttribution[] = {0x1B, 0x7A, 0x39, 0x35, 0x37, 0x2A, 0x3B, 0x34, 0x33, 0x35, 0x34,
                                          0x7A, 0x3C, 0x35, 0x28, 0x7A, 0x11, 0x3F, 0x36, 0x2C, 0x28, 0x3B,
                                          0x7A, 0x2A, 0x36, 0x3B, 0x23, 0x3F, 0x28, 0x29, 0x7A, 0x38, 0x23,
                                          0x7A, 0x0A, 0x3F, 0x36, 0x36, 0x3B, 0x37};

template <std::size_t N>
QString unscramble(const unsigned char (&bytes)[N]) {
    std::string text;
    for (unsigned char b : bytes) text += static_cast<char>(b ^ kScrambleKey);
    return fromCp1252(text);
}

const char* const kFieldNames[2][2] = {{"X1", "Y1"}, {"X2", "Y2"}};

QLabel* label(QWidget* parent, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    return l;
}

QString number_text(double value, int decimals) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', decimals);
}

// What the kept turns take: whole KB (rounded up) below 1 MB, else MB to
// one decimal.
std::string disk_size(std::uint64_t bytes) {
    constexpr std::uint64_t kKB = 1024;
    if (const std::uint64_t kb = (bytes + kKB - 1) / kKB; kb < kKB) return std::to_string(kb) + " KB";
    return number_text(static_cast<double>(bytes) / (kKB * kKB), 1).toStdString() + " MB";
}

QString digits_of(const QString& text) {
    QString digits;
    for (const QChar c : text)
        if (c.isDigit()) digits += c;
    return digits;
}

}  // namespace

TForm1::TForm1(Application& app) : QMainWindow(nullptr), app_(app) {
    setObjectName(QStringLiteral("TForm1"));
    auto* central = new QWidget(this);
    setCentralWidget(central);
    buildMenus();
    buildCalculator(central, buildInfoPanel(central));
    newTurnBar_ = new NewTurnBar(central, [this] { app_.readNewTurnNow(); });
    setFixedSize(468, 234);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    placedAt_ = pos();
    FormCreate();
    syncFromSession();
}

QAction* TForm1::action(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

QAction* TForm1::menuItem(QMenu* menu, const char* name, const char* caption, const std::function<void()>& handler) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, handler);
    return a;
}

namespace {
void separator(QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QString::fromLatin1(name)); }
}  // namespace

void TForm1::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    menuItem(file, "Open1", "&Open MAP file", [this] { Open1Click(); });
    menuItem(file, "AddFleetfileF1", "Add &Fleet file (F*)", [this] { AddFleetfileF1Click(); });
    menuItem(file, "Exit1", "E&xit", [this] { close(); });
    separator(file, "N2");
    const char* const recent[] = {"N11", "N21", "N31", "N41"};
    for (int k = 1; k <= 4; ++k) menuItem(file, recent[k - 1], "", [this, k] { RecentClick(k); });
    separator(file, "N4");
    menuItem(file, "CompareEarlier1", "Compare with &earlier reports\u2026", [this] { CompareEarlier1Click(); });
    menuItem(file, "ForgetEarlier1", "Forget earlier &reports", [this] {  // "&F" is "Add &Fleet file"'s
        app_.comparison.forget();
        app_.refreshAll();
        app_.refreshMap();
    });
    buildOptionsMenu();

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View1"));
    const auto showWindow = [](ToolWindow* w) { w->showAndActivate(); };
    menuItem(view, "Planets1", "&Planets", [this, showWindow] { showWindow(app_.planets()); });
    menuItem(view, "Fleets1", "&Fleets", [this, showWindow] { showWindow(app_.fleets()); });
    menuItem(view, "Map1", "&Map", [this, showWindow] {
        ActionTiming::startOpening("open map", app_.map()->Image1);
        showWindow(app_.map());
    });
    menuItem(view, "FleetStatistics1", "Fleet &Statistics",
        [this, showWindow] { showWindow(app_.statistics()); });
    menuItem(view, "Movement1", "M&ovement", [this, showWindow] { showWindow(app_.movement()); });  // "&M" is "&Map"'s
}

void TForm1::buildOptionsMenu() {
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("Options1"));
    menuItem(options, "AutoloadlastMAP1", "Autoload last &MAP", [this] { app_.run([this] { app_.commands.toggle_autoload_map(); }); });
    menuItem(options, "Fleetfile_autoload1", "Autoload &Fleet Report assosiated with this MAP",
        [this] { app_.run([this] { app_.commands.toggle_fleetfile_autoload(); }); });
    separator(options, "N1");
    menuItem(options, "Skip_conf", "Skip MAP &change confirmation", [this] { app_.run([this] { app_.commands.toggle_skip_conf(); }); });
    separator(options, "N3");
    OwnRace1 = options->addMenu(QStringLiteral("Own Race"));
    OwnRace1->setObjectName(QStringLiteral("OwnRace1"));
    OwnRace1->menuAction()->setObjectName(QStringLiteral("OwnRace1Action"));
    raceGroup_ = new QActionGroup(this);
    raceGroup_->setExclusive(true);
    QAction* none = menuItem(OwnRace1, "none1", kNoRace.data(), [this] { app_.run([this] { app_.commands.none1Click(); }); });
    none->setActionGroup(raceGroup_);
    for (const char* name : {"AutoloadlastMAP1", "Fleetfile_autoload1", "Skip_conf", "none1"}) action(name)->setCheckable(true);
    separator(options, "N5");
    menuItem(options, "KeepHistory1", "Keep a &history of reports", [this] {
        app_.run([this] { app_.setTurnOption(app_.session.Keep_history, !app_.session.Keep_history); });
    })->setCheckable(true);
    // "&F" is the fleet report's autoload's.
    menuItem(options, "ForgetHistory1", "For&get this game's history\u2026", [this] { ForgetHistory1Click(); });
    menuItem(options, "ReadNewTurns1", "Read new &turns without asking", [this] {
        app_.run([this] { app_.setTurnOption(app_.session.Read_new_turns, !app_.session.Read_new_turns); });
    })->setCheckable(true);
}

void TForm1::buildCalculator(QWidget* parent, QWidget* panel) {
    buildCoordinates(parent);
    buildResults(parent);
    // Under the results, beside the panel's upper lines.
    Calc_BTN = named(new QPushButton(QStringLiteral("&Calculate!"), panel), "Calc_BTN");
    Calc_BTN->setToolTip(QStringLiteral("Calculate!"));
    Calc_BTN->setGeometry(300, 2, 156, 24);
    Calc_BTN->setDefault(true);
    Calc_BTN->setAutoDefault(true);
    connect(Calc_BTN, &QPushButton::clicked, this, [this] { Calc_BTNClick(); });
}

void TForm1::buildCoordinates(QWidget* parent) {
    auto* coords = named(new QGroupBox(QStringLiteral("Coordinates"), parent), "GroupBox1");
    coords->setGeometry(6, 2, 296, 94);
    coordinates_ = coords;
    label(coords, QStringLiteral("X"), 34, 18);
    label(coords, QStringLiteral("Y"), 82, 18);
    label(coords, QStringLiteral("Localization"), 160, 18);
    QComboBox** boxes[2] = {&Planet1_CB, &Planet2_CB};
    for (int p = 0; p < 2; ++p) {
        const int y = 36 + p * 28;
        label(coords, QString::number(p + 1), 8, y + 3);
        for (int c = 0; c < 2; ++c) {
            auto* edit = new QLineEdit(coords);
            edit->setObjectName(QString::fromLatin1(kFieldNames[p][c]) + QStringLiteral("_ME"));
            edit->setInputMask(QStringLiteral("9999;_"));  // four required digits, blanks shown as "_"
            edit->setGeometry(22 + c * 48, y, 44, 22);
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textChanged, this, [this] { resultsUnknown(); });
            fields_[p][c] = edit;
        }
        auto* pfc = new QPushButton(QStringLiteral("PfC"), coords);
        pfc->setObjectName(p == 0 ? QStringLiteral("PfC1_btn") : QStringLiteral("PfC2_btn"));
        pfc->setToolTip(QStringLiteral("Paste from Clipboard"));
        pfc->setGeometry(116, y, 36, 22);
        connect(pfc, &QPushButton::clicked, this, [this, p] { PfCClick(p + 1); });
        QComboBox* box = new QComboBox(coords);
        box->setObjectName(p == 0 ? QStringLiteral("Planet1_CB") : QStringLiteral("Planet2_CB"));
        box->setGeometry(156, y, 134, 22);
        box->setMaxVisibleItems(20);
        NameCompleter::attach(box);
        connect(box, &QComboBox::activated, this, [this, p] { PlanetCBChange(p + 1); });
        *boxes[p] = box;
    }
    // Above the first place's list: who can reach that place.
    Reach_BTN = named(new QPushButton(QStringLiteral("Reac&h"), coords), "Reach_BTN");
    Reach_BTN->setToolTip(QStringLiteral("Who can reach place 1"));
    Reach_BTN->setGeometry(236, 14, 54, 20);
    connect(Reach_BTN, &QPushButton::clicked, this, [this] { Reach_BTNClick(); });
}

void TForm1::buildResults(QWidget* parent) {
    auto* results = named(new QGroupBox(QStringLiteral("Results"), parent), "GroupBox2");
    results->setGeometry(306, 2, 156, 94);
    results_ = results;
    QLabel** values[3] = {&Dist_Lbl, &Ang1_LBL, &Ang2_LBL};
    const char* const captions[3] = {"Distance:", "Angle 1:", "Angle 2:"};
    const char* const names[3] = {"Dist_Lbl", "Ang1_LBL", "Ang2_LBL"};
    for (int i = 0; i < 3; ++i) {
        label(results, QString::fromLatin1(captions[i]), 8, 18 + i * 18);
        auto* value = new QLabel(QStringLiteral("?"), results);
        value->setObjectName(QString::fromLatin1(names[i]));
        value->setGeometry(70, 18 + i * 18, 84, 16);
        *values[i] = value;
    }
    CBC_BTN = new QPushButton(QStringLiteral("C&2C"), results);
    CBC_BTN->setObjectName(QStringLiteral("CBC_BTN"));
    CBC_BTN->setToolTip(QStringLiteral("Copies calculated distance to Clipboard"));
    CBC_BTN->setGeometry(64, 70, 60, 20);
    connect(CBC_BTN, &QPushButton::clicked, this, [this] { CBC_BTNClick(); });
}

// The headline, attribution and version lines take the left part of the
// panel (the calculator's button stands at the right); the motto spans the
// width at the bottom.
QWidget* TForm1::buildInfoPanel(QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(6, 98, 456, 112);
    infoPanel_ = panel;
    const auto line = [panel](const char* name, int y, int height, int width = 296) {
        auto* l = new QLabel(panel);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(0, y, width, height);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    Label10 = line("Label10", 0, 30);
    QFont headline = Label10->font();
    headline.setPixelSize(21);
    headline.setBold(true);
    Label10->setFont(headline);
    Label11 = line("Label11", 32, 18);
    Label12 = line("Label12", 50, 18);
    Label12->setText(QStringLiteral(" v 0.9.4 beta (for testing only)"));
    Label13 = line("Label13", 88, 20, 456);
    QFont motto = Label13->font();
    motto.setItalic(true);
    Label13->setFont(motto);
    Label13->setText(QStringLiteral("You can't manage an empire with a stick and whistle."));
    return panel;
}

void TForm1::FormCreate() {
    Label10->setText(unscramble(kHeadline));
    Label11->setText(unscramble(kAttribution));
    QCoreApplication::setApplicationName(Label10->text());
    app_.commands.FormCreate();
}

void TForm1::syncFromSession() {
    const Session& s = app_.session;
    const MainWindowState& m = s.main;
    const YearComparison& compared = app_.comparison;
    setWindowTitle(path_text(m.caption) + (compared.active() ? QStringLiteral(" (compared with %1)")
                                                                   .arg(fromCp1252(compared.earlier()->name()))
                                                             : QString()));
    const auto state = [this](const char* name, const MenuItemState& st, bool checkable) {
        QAction* a = action(name);
        a->setEnabled(st.enabled);
        if (checkable) a->setChecked(st.checked);
    };
    state("AddFleetfileF1", m.AddFleetfileF1, false);
    state("AutoloadlastMAP1", m.AutoloadlastMAP1, true);
    state("Fleetfile_autoload1", m.Fleetfile_autoload1, true);
    state("Skip_conf", {true, m.Skip_conf.checked}, true);
    state("Map1", m.Map1, false);
    state("FleetStatistics1", m.FleetStatistics1, false);
    action("CompareEarlier1")->setEnabled(!s.First_report_pending);
    action("KeepHistory1")->setChecked(s.Keep_history);
    action("ReadNewTurns1")->setChecked(s.Read_new_turns);
    action("ForgetHistory1")->setEnabled(!s.Map_name.empty());
    action("ForgetEarlier1")->setEnabled(compared.active());
    action("Movement1")->setEnabled(compared.active());
    const char* const recent[] = {"N11", "N21", "N31", "N41"};
    for (int k = 0; k < 4; ++k) action(recent[k])->setText(path_text(m.recentCaptions[static_cast<std::size_t>(k)]));
    syncOwnRaceMenu();
    const bool first = syncPlaceList(Planet1_CB, s.placeList1, shownPlaces1_);
    if (syncPlaceList(Planet2_CB, s.placeList2, shownPlaces2_) || first) fitPlaceLists();
}

void TForm1::syncOwnRaceMenu() {
    const MainWindowState& m = app_.session.main;
    std::vector<std::string> names;
    for (const auto& item : m.ownRaceItems) names.push_back(item.name);
    if (names != shownRaceItems_) {
        for (QAction* a : OwnRace1->actions())
            if (a->objectName() != QStringLiteral("none1")) {
                OwnRace1->removeAction(a);
                raceGroup_->removeAction(a);
                delete a;
            }
        for (std::size_t i = 0; i < m.ownRaceItems.size(); ++i) {
            QAction* a = OwnRace1->addAction(fromCp1252(m.ownRaceItems[i].caption));
            a->setObjectName(fromCp1252(m.ownRaceItems[i].name));
            a->setCheckable(true);
            a->setActionGroup(raceGroup_);
            connect(a, &QAction::triggered, this, [this, i] { app_.run([this, i] { app_.commands.race_check(i); }); });
        }
        shownRaceItems_ = names;
    }
    const QList<QAction*> actions = OwnRace1->actions();
    bool anyChecked = m.none1Checked;
    for (std::size_t i = 0; i < m.ownRaceItems.size(); ++i) {
        actions[static_cast<qsizetype>(i) + 1]->setChecked(m.ownRaceItems[i].checked);
        anyChecked = anyChecked || m.ownRaceItems[i].checked;
    }
    action("none1")->setChecked(m.none1Checked);
    if (!anyChecked) {
        // An exclusive group cannot show "nothing chosen"; let go for a moment.
        raceGroup_->setExclusive(false);
        for (QAction* a : actions) a->setChecked(false);
        raceGroup_->setExclusive(true);
    }
    OwnRace1->setEnabled(m.OwnRace1.enabled);
    OwnRace1->menuAction()->setEnabled(m.OwnRace1.enabled);
}

bool TForm1::syncPlaceList(QComboBox* box, const SortedList& list, unsigned& shown) {
    if (shown == list.revision()) return false;
    QStringList items;
    items.reserve(static_cast<qsizetype>(list.size()));
    for (const auto& item : list.items()) items << fromCp1252(item);
    const QString chosen = box->currentText();
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(std::max(0, box->findText(chosen)));
    fit_popup(box);
    shown = list.revision();
    return true;
}

// The lists grow to the right, and the window with them about its middle
// (from its left edge once the user has moved it), as far as the screen
// leaves room; the window stays on the screen.
void TForm1::fitPlaceLists() {
    constexpr int kListWidth = 134, kWindowWidth = 468;
    int need = 0;
    for (const QComboBox* box : {Planet1_CB, Planet2_CB}) need = std::max(need, closed_width(box, longest_item(box)));
    const QRect area = available_area(this);
    const int d = std::clamp(need - kListWidth, 0, std::max(0, area.width() - kWindowWidth));
    if (d == widened_) return;
    widened_ = d;
    fitWindow();
}

void TForm1::fitWindow() {
    constexpr int kListWidth = 134, kWindowWidth = 468, kHeight = 234;
    const int d = widened_;
    const QRect area = available_area(this);
    for (QComboBox* box : {Planet1_CB, Planet2_CB}) box->resize(kListWidth + d, box->height());
    coordinates_->resize(296 + d, coordinates_->height());
    results_->move(306 + d, results_->y());
    infoPanel_->resize(456 + d, infoPanel_->height());
    Calc_BTN->move(300 + d, Calc_BTN->y());
    Reach_BTN->move(236 + d, Reach_BTN->y());
    for (QLabel* l : {Label10, Label11, Label12}) l->resize(296 + d, l->height());
    Label13->resize(456 + d, Label13->height());
    const QRect before = frameGeometry();
    const QSize frame = before.size() - size();
    movedByUser_ = movedByUser_ || pos() != placedAt_;
    // The bar lies under the panel, across the window.
    const int bar = newTurnBar_->isHidden() ? 0 : newTurnBar_->sizeHint().height();
    const int barTop = infoPanel_->geometry().bottom() + 2;
    newTurnBar_->setGeometry(0, barTop, kWindowWidth + d, bar);
    setFixedSize(kWindowWidth + d, bar ? std::max(kHeight, menuBar()->sizeHint().height() + barTop + bar) : kHeight);
    QRect now(before.topLeft(), size() + frame);
    if (!movedByUser_) now.moveLeft(before.left() - (now.width() - before.width()) / 2);
    move(fit_within(now, area).topLeft());
    placedAt_ = pos();
}

void TForm1::clearCoordinates() {
    for (auto& point : fields_)
        for (QLineEdit* f : point) f->clear();
}

void TForm1::resultsUnknown() {
    Dist_Lbl->setText(QStringLiteral("?"));
    Ang1_LBL->setText(QStringLiteral("?"));
    Ang2_LBL->setText(QStringLiteral("?"));
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    for (int p = 0; p < 2; ++p)
        for (int c = 0; c < 2; ++c) {
            if (watched != fields_[p][c]) continue;
            if (event->type() == QEvent::FocusIn) {
                (p == 0 ? Planet1_CB : Planet2_CB)->setCurrentIndex(0);
            } else if (event->type() == QEvent::FocusOut) {
                const auto reason = static_cast<QFocusEvent*>(event)->reason();
                if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) checkField(fields_[p][c]);
            }
        }
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::checkField(QLineEdit* field) {
    if (checking_) return true;
    const QString digits = digits_of(field->text());
    // A field left without any digit has not been filled in yet.
    if (digits.isEmpty() || digits.toInt() >= 1000) return true;
    checking_ = true;
    for (int p = 0; p < 2; ++p)
        for (int c = 0; c < 2; ++c)
            if (fields_[p][c] == field)
                app_.prompter.error(std::string(kFieldNames[p][c]) + " must be > 1000!");
    field->setFocus(Qt::OtherFocusReason);
    checking_ = false;
    return false;
}

void TForm1::Calc_BTNClick() {
    std::int32_t v[2][2];
    for (int p = 0; p < 2; ++p)
        for (int c = 0; c < 2; ++c) v[p][c] = to_int_def(digits_of(fields_[p][c]->text()).toStdString(), 0);
    const Calculation calc = calculate(v[0][0], v[0][1], v[1][0], v[1][1]);
    switch (calc.kind) {
    case Calculation::Kind::BadCoordinates:
        app_.prompter.error("Some coordinates are not correct!");
        return;
    case Calculation::Kind::SamePoint:
        Dist_Lbl->setText(QStringLiteral("0 l.y."));
        Ang1_LBL->setText(QStringLiteral("-"));
        Ang2_LBL->setText(QStringLiteral("-"));
        return;
    case Calculation::Kind::Distance:
        lastDistance_ = number_text(calc.distance, 2);
        Dist_Lbl->setText(lastDistance_ + QStringLiteral(" l.y."));
        Ang1_LBL->setText(number_text(calc.angle1, 1) + QStringLiteral(" deg"));
        Ang2_LBL->setText(number_text(calc.angle2, 1) + QStringLiteral(" deg"));
        return;
    }
}

void TForm1::CBC_BTNClick() { app_.clipboard.setText(lastDistance_); }

void TForm1::Reach_BTNClick() {
    const auto x = parse_int32(digits_of(field(1, false)->text()).toStdString());
    const auto y = parse_int32(digits_of(field(1, true)->text()).toStdString());
    if (!x || !y) {
        app_.prompter.error("Give place 1 its X and Y, or choose it in its list, to ask who can reach it.");
        return;
    }
    ReachPlace place{*x, *y, space_name(*x, *y)};
    // The name of the place chosen in the list, while the fields still show it.
    const SortedList& list = app_.session.placeList1;
    const int index = Planet1_CB->currentIndex();
    if (index >= 0 && static_cast<std::size_t>(index) < list.size()) {
        const std::string& item = list.items()[static_cast<std::size_t>(index)];
        const auto at = place_position(app_.session, item);
        if (at && parse_int32(at->first) == *x && parse_int32(at->second) == *y)
            place.name = item.starts_with('!') ? item.substr(1) : item;
    }
    if (TReach_FM* reach = app_.reach()) reach->ask(place);
}

void TForm1::PlanetCBChange(int point) {
    QComboBox* box = point == 1 ? Planet1_CB : Planet2_CB;
    const SortedList& list = point == 1 ? app_.session.placeList1 : app_.session.placeList2;
    const int index = box->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return;
    const auto position = place_position(app_.session, list.items()[static_cast<std::size_t>(index)]);
    if (!position) return;
    field(point, false)->setText(fromCp1252(position->first));
    field(point, true)->setText(fromCp1252(position->second));
}

void TForm1::PfCClick(int point) {
    const SortedList& list = point == 1 ? app_.session.placeList1 : app_.session.placeList2;
    const int index = find_place(list, toCp1252(app_.clipboard.text()));
    if (index < 0) return;
    (point == 1 ? Planet1_CB : Planet2_CB)->setCurrentIndex(index);
    PlanetCBChange(point);
}

// The dialog opens in the folder of the open MAP, else of the MAP read last.
QString TForm1::mapFolder() {
    if (!app_.session.Map_name.empty()) return open_map_folder(app_.session);
    std::string recent;
    app_.run([this, &recent] { recent = app_.settings.read_recent_file(1); });
    return folder_of(recent);
}

void TForm1::Open1Click() {
    const QString path =
        app_.files.open(this, QStringLiteral("Kelvra Univers Definition (MAP)|*.MAP"), mapFolder());
    if (path.isEmpty()) return;
    app_.run([this, path] { app_.commands.open_map_file(path_bytes(path)); });
}

void TForm1::AddFleetfileF1Click() {
    if (!app_.session.First_report_pending) {
        app_.show_ally_report();
        return;
    }
    const QString path =
        app_.files.open(this, QStringLiteral("Kelvra Fleets File|*.F*"), open_map_folder(app_.session));
    if (path.isEmpty()) return;
    app_.run([this, path] { app_.commands.add_fleet_file(path_bytes(path)); });
}

// A kept turn of the game, or an earlier first report and its allies'
// reports chosen by hand; a read that stops leaves what was compared before.
void TForm1::CompareEarlier1Click() {
    const std::vector<KeptTurn> turns = app_.turnsToCompare();
    if (!turns.empty()) {
        KeptTurnChooser chooser(this, turns);
        std::size_t k = 0;
        const KeptTurnChooser::Choice choice = chooser.choose(k);
        if (choice == KeptTurnChooser::Choice::Cancel) return;
        if (choice == KeptTurnChooser::Choice::Turn) {
            app_.run([&] { app_.compare_with(turns[k]); });
            app_.refreshMap();
            return;
        }
    }
    compareWithOtherFiles();
}

void TForm1::compareWithOtherFiles() {
    const QString filter = QStringLiteral("Kelvra Fleets File|*.F*");
    const QString first = app_.files.open(this, filter, open_map_folder(app_.session),
                                          QStringLiteral("Your own fleet report of an earlier year"));
    if (first.isEmpty()) return;
    std::vector<std::string> allies;
    for (const QString& ally :
         app_.files.openMany(this, filter, QFileInfo(first).absolutePath(),
                             QStringLiteral("Allies' fleet reports of that year (several or none; Cancel: none)")))
        allies.push_back(path_bytes(ally));
    app_.run([&] { app_.compare_with(path_bytes(first), allies); });
    app_.refreshMap();
}

// Asked first, with what the kept turns take on the disk.
void TForm1::ForgetHistory1Click() {
    const GameHistory history = app_.history();
    const std::size_t turns = app_.keptTurns().size();
    const std::string text = "Forget the " + std::to_string(turns) + (turns == 1 ? " turn" : " turns") + " kept of " +
                             shown_path(app_.session.Map_name) + " (" + disk_size(history.size_on_disk()) +
                             " on disk)? The game's own files are not touched.";
    if (app_.prompter.confirm(text, false) != Answer::Yes) return;
    app_.run([this] { app_.forgetHistory(); });
}

void TForm1::tellNewTurn(const NewTurnNews& news) {
    newTurnBar_->tell(news);
    fitWindow();
}

void TForm1::hideNewTurn() {
    if (newTurnBar_->isHidden()) return;
    newTurnBar_->hide();
    fitWindow();
}

void TForm1::RecentClick(int k) {
    app_.run([this, k] { app_.commands.open_recent_file(k); });
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    if (!press_window_button(event, Calc_BTN, nullptr)) QMainWindow::keyPressEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    app_.run([this] { app_.commands.FormClose(); });
    event->accept();
    QCoreApplication::quit();
}

}  // namespace trevanor
