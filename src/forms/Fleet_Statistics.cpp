#include "forms/Fleet_Statistics.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/application.h"
#include "forms/widgets/text_table_view.h"
#include "forms/widgets/named.h"
#include "forms/widgets/race_strength_chart.h"
#include "forms/widgets/screen_fit.h"
#include "model/errors.h"
#include "model/files.h"
#include "model/players.h"
#include "platform/cp1252.h"
#include "platform/map_picture.h"
#include "platform/services.h"

namespace trevanor {

namespace {

const QString kNone = QStringLiteral("--");

// Passes messages on, or holds them back while `quiet`; remembers whether
// there was any.
class GatePrompter : public Prompter {
public:
    GatePrompter(Prompter& inner, bool quiet) : inner_(inner), quiet_(quiet) {}
    void message(const std::string& text) override {
        shown = true;
        if (!quiet_) inner_.message(text);
    }
    void error(const std::string& text) override {
        shown = true;
        if (!quiet_) inner_.error(text);
    }
    void warning(const std::string& text) override {
        shown = true;
        if (!quiet_) inner_.warning(text);
    }
    Answer confirm(const std::string& text, bool withIgnore) override { return inner_.confirm(text, withIgnore); }
    bool shown = false;

private:
    Prompter& inner_;
    bool quiet_;
};

QLabel* label(const QString& text, QWidget* parent, const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    if (name) l->setObjectName(QString::fromLatin1(name));
    return l;
}

// A value label: right-aligned, wide enough for ten digits.
QLabel* value(QWidget* parent, const char* name, const QString& text = kNone) {
    QLabel* l = label(text, parent, name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    return l;
}

void makeBold(QLabel* l) {
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
}

// The eight figures of a race, one per row: caption, value, unit.
using FigureNames = std::array<const char*, 8>;
std::array<QLabel*, 8> addFigures(QGroupBox* box, QGridLayout* grid, const FigureNames& names) {
    static const char* const captions[8] = {"Total number of ships:", "Number of fleets:", "Unarmed:", "Scout:",
                                            "Warship:",               "Bomber:",           "Utility:",  "Total mass:"};
    std::array<QLabel*, 8> labels{};
    for (int i = 0; i < 8; ++i) {
        QLabel* caption = label(QString::fromLatin1(captions[i]), box);
        labels[static_cast<std::size_t>(i)] = value(box, names[static_cast<std::size_t>(i)]);
        if (i == 0) {
            makeBold(caption);
            makeBold(labels[0]);
        }
        grid->addWidget(caption, i, 0);
        grid->addWidget(labels[static_cast<std::size_t>(i)], i, 1);
    }
    grid->addWidget(label(QStringLiteral("kT"), box), 7, 2);
    grid->setColumnStretch(0, 1);
    return labels;
}

QString decimal(std::int64_t v) { return QString::number(static_cast<qlonglong>(v)); }

}  // namespace

TFleet_Stat_FM::TFleet_Stat_FM(Application& app) : ToolWindow(app, "TFleet_Stat_FM", "Fleet Statistics") {
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* window = new QVBoxLayout(this);
    window->setSpacing(6);
    pages_ = new QStackedWidget(this);
    auto* figures = new QWidget(pages_);
    auto* layout = new QGridLayout(figures);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(6);
    buildRaceLists(layout);
    buildRacePanel(layout);
    buildOwnPanel(layout);
    buildRankings(layout);
    layout->setColumnStretch(1, 1);
    pages_->addWidget(figures);
    pages_->addWidget(buildChartPage());
    window->addWidget(pages_, 1);
    buildFoot(window);
    figuresSize_ = sizeHint();
    setFixedSize(figuresSize_);
    setWindowButtons(Button1, Button1);
}

// The race lists above the two panels.
void TFleet_Stat_FM::buildRaceLists(QGridLayout* layout) {
    const auto choicePanel = [this](const char* panelName, const QString& caption, const char* listName,
                                    QComboBox*& list) {
        auto* panel = named(new QFrame(this), panelName);
        auto* row = new QHBoxLayout(panel);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(label(caption, panel));
        list = named(new QComboBox(panel), listName);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(18);
        row->addWidget(list, 1);
        return panel;
    };
    Panel4 = choicePanel("Panel4", QStringLiteral("Choose race:"), "Race_CB", Race_CB);
    Panel3 = choicePanel("Panel3", QStringLiteral("Own/Allied race:"), "allied_race_CB", allied_race_CB);
    QSizePolicy keepPlace = Panel3->sizePolicy();  // no jump in the layout when it appears
    keepPlace.setRetainSizeWhenHidden(true);
    Panel3->setSizePolicy(keepPlace);
    Panel3->hide();
    connect(Race_CB, &QComboBox::activated, this, [this] { Race_CBChange(); });
    connect(allied_race_CB, &QComboBox::activated, this, [this] { allied_race_CBChange(); });
    layout->addWidget(Panel4, 0, 0);
    layout->addWidget(Panel3, 0, 1);
}

void TFleet_Stat_FM::buildRacePanel(QGridLayout* layout) {
    Groupbox1 = named(new QGroupBox(QStringLiteral("Race"), this), "Groupbox1");
    auto* raceGrid = new QGridLayout(Groupbox1);
    race_ = addFigures(Groupbox1, raceGrid,
                       {"total_ships_lbl", "fleets_no_lbl", "unarmed_lbl", "scout_lbl", "warship_lbl", "bomber_lbl",
                        "utility_lbl", "mass_lbl"});
    raceGrid->setRowStretch(8, 1);
    layout->addWidget(Groupbox1, 1, 0);
}

void TFleet_Stat_FM::buildOwnPanel(QGridLayout* layout) {
    Groupbox2 = named(new QGroupBox(QStringLiteral("Own Race"), this), "Groupbox2");
    auto* ownRow = new QHBoxLayout(Groupbox2);
    auto* ownGrid = new QGridLayout;
    own_ = addFigures(Groupbox2, ownGrid,
                      {"o_total_lbl", "o_fleets_lbl", "o_unarmed_lbl", "o_scout_lbl", "o_warship_lbl", "o_bomber_lbl",
                       "o_utility_lbl", "o_mass_lbl"});
    ownGrid->setRowStretch(8, 1);
    ownRow->addLayout(ownGrid, 1);
    ownRow->addWidget(buildCargo(Groupbox2));
    layout->addWidget(Groupbox2, 1, 1);
}

QGroupBox* TFleet_Stat_FM::buildCargo(QWidget* parent) {
    auto* cargo = named(new QGroupBox(QStringLiteral("Cargo carried"), parent), "Cargo_GB");
    auto* cargoGrid = new QGridLayout(cargo);
    // Each caption on a chip of its cargo's colour, so that the yellow and
    // white ones stay readable on a light background.
    const struct {
        const char* caption;
        const char* chip;
        const char* ink;
        const char* name;
        const char* unit;
    } cargoRows[] = {{"Ironium:", "#0000ff", "#ffffff", "Iron_lbl", "kT"},
                     {"Boranium:", "#008000", "#ffffff", "boran_lbl", "kT"},
                     {"Germanium:", "#ffff00", "#000000", "Germ_lbl", "kT"},
                     {"Colonists:", "#ffffff", "#000000", "pop_lbl", "(00)"}};
    int row = 0;
    std::vector<QLabel*> chips;
    for (const auto& r : cargoRows) {
        QLabel* caption = label(QString::fromLatin1(r.caption), cargo);
        caption->setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; border: 1px solid #808080; "
                                              "padding: 0px 3px; }")
                                   .arg(QString::fromLatin1(r.chip), QString::fromLatin1(r.ink)));
        chips.push_back(caption);
        cargo_[static_cast<std::size_t>(row)] = value(cargo, r.name);
        cargoGrid->addWidget(caption, row, 0, Qt::AlignLeft);
        cargoGrid->addWidget(cargo_[static_cast<std::size_t>(row)], row, 1);
        cargoGrid->addWidget(label(QString::fromLatin1(r.unit), cargo), row, 2);
        ++row;
    }
    int chipWidth = 0;
    for (QLabel* chip : chips) chipWidth = std::max(chipWidth, chip->sizeHint().width());
    for (QLabel* chip : chips) chip->setFixedWidth(chipWidth);
    auto* rule = new QFrame(cargo);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    cargoGrid->addWidget(rule, row++, 0, 1, 3);
    cargo_[4] = value(cargo, "total_cargo_lbl");
    cargoGrid->addWidget(label(QStringLiteral("Total:"), cargo), row, 0);
    cargoGrid->addWidget(cargo_[4], row, 1);
    cargoGrid->addWidget(label(QStringLiteral("kT"), cargo), row, 2);
    cargoGrid->setRowStretch(row + 1, 1);
    return cargo;
}

// The three rankings side by side.
void TFleet_Stat_FM::buildRankings(QGridLayout* layout) {
    Panel2 = named(new QFrame(this), "Panel2");
    auto* rankings = new QHBoxLayout(Panel2);
    rankings->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char* caption;
        const char* prefix;
    } boxes[] = {{"Top 3 of numerous ships", "num"}, {"Top 3 of warships", "war"}, {"Top 3 of massive fleet (kT)", "mas"}};
    for (std::size_t b = 0; b < 3; ++b) {
        auto* box = new QGroupBox(QString::fromLatin1(boxes[b].caption), Panel2);
        auto* grid = new QGridLayout(box);
        for (int k = 1; k <= 3; ++k) {
            const QString prefix = QString::fromLatin1(boxes[b].prefix) + QString::number(k);
            QLabel* place = label(QStringLiteral("%1.").arg(k), box);
            if (k == 1) makeBold(place);
            QLabel* name = label(QStringLiteral("Race %1").arg(k), box);
            name->setObjectName(prefix + QStringLiteral("_name_lbl"));
            name->setMinimumWidth(name->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 14);
            name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // a long name is cut, not widening
            QLabel* v = value(box, nullptr);
            v->setObjectName(prefix + QStringLiteral("_lbl"));
            grid->addWidget(place, k - 1, 0);
            grid->addWidget(name, k - 1, 1);
            grid->addWidget(v, k - 1, 2);
            rankName_[b][static_cast<std::size_t>(k - 1)] = name;
            rankValue_[b][static_cast<std::size_t>(k - 1)] = v;
        }
        grid->setColumnStretch(1, 1);
        rankings->addWidget(box, 1);
    }
    layout->addWidget(Panel2, 2, 0, 1, 2);
}

void TFleet_Stat_FM::buildFoot(QVBoxLayout* layout) {
    StaticText1 = label(QStringLiteral("All statistics concerning foreign ships are based on current readings from your "
                                       "scanners or were retrieved from ally's report(s)."),
                        this, "StaticText1");
    StaticText1->setWordWrap(true);
    QFont small = StaticText1->font();
    small.setItalic(true);
    small.setPointSizeF(small.pointSizeF() * 0.9);
    StaticText1->setFont(small);
    // "&O" is OK's.
    OverTheYears_BTN = named(new QPushButton(QStringLiteral("Over the &years"), this), "OverTheYears_BTN");
    OverTheYears_BTN->setCheckable(true);
    OverTheYears_BTN->setAutoDefault(false);
    connect(OverTheYears_BTN, &QPushButton::clicked, this, [this] { OverTheYears_BTNClick(); });
    Button1 = named(new QPushButton(QStringLiteral("&OK"), this), "Button1");
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    auto* foot = new QHBoxLayout;
    foot->addWidget(StaticText1, 1);
    foot->addSpacing(12);
    foot->addWidget(OverTheYears_BTN, 0, Qt::AlignBottom);
    foot->addWidget(Button1, 0, Qt::AlignBottom);
    layout->addLayout(foot);
}

// The measure and the picture's button above the chart. The page asks for no
// room of its own: the window keeps the figures' size until it is turned.
QWidget* TFleet_Stat_FM::buildChartPage() {
    auto* page = named(new QWidget(pages_), "OverTheYears_PG");
    page->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    QLabel* caption = label(QStringLiteral("&Measure:"), page);
    Measure_CB = named(new QComboBox(page), "Measure_CB");
    for (const char* item : {"Fleets", "Ships", "Warships", "Unarmed", "Bombers", "Mass"})
        Measure_CB->addItem(QString::fromLatin1(item));
    Measure_CB->setCurrentIndex(1);
    caption->setBuddy(Measure_CB);
    SaveChart_BTN = named(new QPushButton(QStringLiteral("Save &Picture\u2026"), page), "SaveChart_BTN");
    SaveChart_BTN->setAutoDefault(false);
    row->addWidget(caption);
    row->addWidget(Measure_CB);
    row->addStretch(1);
    row->addWidget(SaveChart_BTN);
    column->addLayout(row);
    Chart = named(new RaceStrengthChart(page), "RaceStrengthChart");
    column->addWidget(Chart, 1);
    connect(Measure_CB, &QComboBox::currentIndexChanged, this, [this] { showChart(); });
    connect(SaveChart_BTN, &QPushButton::clicked, this, [this] { SaveChart_BTNClick(); });
    return page;
}

void TFleet_Stat_FM::FormActivate() { activate(false); }

void TFleet_Stat_FM::follow() {
    if (!isVisible() || app_.session.fleets.revision() == figuredFleets_) return;
    activate(true);
    refreshChart();
}

void TFleet_Stat_FM::activate(bool repeatQuietly) {
    figuredFleets_ = app_.session.fleets.revision();
    const bool quiet = repeatQuietly && shownThisOpening_;
    GatePrompter gate(app_.prompter, quiet);
    app_.run([&] {
        StatisticsActivation a;
        try {
            a = statistics_activation(app_.session, app_.settings, gate);
        } catch (const RegistryFatal&) {
            throw;
        } catch (const std::exception&) {
            // The lists were refilled before the figures failed.
            fillRaces(race_names(app_.session));
            allied_race_CB->clear();
            gate.shown = true;
            if (quiet) return;
            throw;
        }
        stats_ = a.stats;
        fillRaces(a.races);
        allied_race_CB->clear();
        if (shownRace_ != 0) showFigures(race_, shownRace_);  // the chosen race with the new figures
        Race_CB->setFocus();

        if (!a.ownCaption.empty()) Groupbox2->setTitle(fromCp1252(a.ownCaption));
        if (a.ownPlayer != 0) showOwn(a.ownPlayer);
        if (!a.allied.empty()) {
            for (const auto& name : a.allied) allied_race_CB->addItem(fromCp1252(name));
            fit_popup(allied_race_CB);
            allied_race_CB->setCurrentIndex(0);
            Panel3->show();
        }

        for (std::size_t r = 0; r < 3; ++r)
            for (std::size_t k = 0; k < 3; ++k) {
                rankName_[r][k]->setText(fromCp1252(ranked_name(app_.session, a.top[r].player[k])));
                rankValue_[r][k]->setText(decimal(a.top[r].value[k]));
            }
    });
    if (gate.shown) shownThisOpening_ = true;
}

void TFleet_Stat_FM::fillRaces(const std::vector<std::string>& races) {
    Race_CB->clear();
    for (const auto& name : races) Race_CB->addItem(fromCp1252(name));
    fit_popup(Race_CB);
    // No race is chosen anew; the one Groupbox1 shows stays chosen.
    const std::string shown = shownRace_ ? app_.session.Players[static_cast<std::size_t>(shownRace_)].Name : std::string();
    if (shown.empty() || Race_CB->findText(fromCp1252(shown)) < 0) shownRace_ = 0;
    Race_CB->setCurrentIndex(shownRace_ ? Race_CB->findText(fromCp1252(shown)) : -1);
}

void TFleet_Stat_FM::Race_CBChange() {
    const std::string name = toCp1252(Race_CB->currentText());
    if (name.empty()) return;
    const int p = player_index_of(app_.session, name);
    if (p == 0) {
        app_.prompter.message("Error. The race has not been found.");
        return;
    }
    shownRace_ = p;
    showFigures(race_, p);
    Groupbox1->setTitle(Race_CB->currentText());
}

void TFleet_Stat_FM::allied_race_CBChange() {
    const std::string name = toCp1252(allied_race_CB->currentText());
    if (name.empty()) return;
    Groupbox2->setTitle(QStringLiteral("Own/Allied race (") + allied_race_CB->currentText() + QLatin1Char(')'));
    showOwn(player_index_of(app_.session, name));
}

void TFleet_Stat_FM::showFigures(const Figures& labels, int player) {
    if (player == 0) {
        for (QLabel* l : labels) l->setText(kNone);
        return;
    }
    const RaceStats& s = stats_[static_cast<std::size_t>(player)];
    const std::int64_t values[8] = {s.Class_total, s.Fleet_count, s.Unarmed, s.Scout,
                                    s.Warship,     s.Bomber,      s.Utility, s.Mass};
    for (std::size_t i = 0; i < 8; ++i) labels[i]->setText(decimal(values[i]));
}

// An ally whose name is no player's has no figures: the panel shows "--".
void TFleet_Stat_FM::showOwn(int player) {
    showFigures(own_, player);
    if (player == 0) {
        for (QLabel* l : cargo_) l->setText(kNone);
        return;
    }
    const RaceStats& s = stats_[static_cast<std::size_t>(player)];
    const std::int64_t values[5] = {s.Ironium, s.Boranium, s.Germanium, s.Colonists,
                                    s.Ironium + s.Boranium + s.Germanium + s.Colonists};
    for (std::size_t i = 0; i < 5; ++i) cargo_[i]->setText(decimal(values[i]));
}

void TFleet_Stat_FM::Button1Click() { close(); }

void TFleet_Stat_FM::activated() {
    activate(true);
    if (chartShown()) refreshChart();
}

void TFleet_Stat_FM::shown() {
    if (chartShown()) refreshChart();
}

bool TFleet_Stat_FM::chartShown() const { return pages_->currentIndex() == 1; }

// The chart may be made larger than the figures; the figures come back at
// their own fixed size.
void TFleet_Stat_FM::OverTheYears_BTNClick() {
    if (!OverTheYears_BTN->isChecked()) {
        chartSize_ = size();
        pages_->setCurrentIndex(0);
        setFixedSize(figuresSize_);
        return;
    }
    pages_->setCurrentIndex(1);
    // No larger than the screen leaves room for (a laptop's screen at 200 % is 960 x 540).
    const QRect area = available_area(this);
    const QSize room = area.size() - (frameGeometry().size() - size());
    setMinimumSize(figuresSize_.boundedTo(room));
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize wanted =
        chartSize_.isValid() ? chartSize_ : figuresSize_ + QSize(figuresSize_.width() / 4, figuresSize_.height() / 3);
    resize(wanted.boundedTo(room));
    if (isVisible()) move(fit_within(frameGeometry(), area).topLeft());
    refreshChart(true);
}

// Keeping, replacing or dropping a turn changes the game's folder: the turns
// are listed again only then (or when asked to), so coming back to the
// window costs next to nothing.
void TFleet_Stat_FM::refreshChart(bool always) {
    std::error_code ec;
    const std::string folder = app_.session.Map_name.empty() ? std::string() : app_.historyFolder();
    const auto changed = folder.empty() ? std::filesystem::file_time_type() : std::filesystem::last_write_time(file_path(folder), ec);
    const bool relist = always || folder != listedFolder_ || changed != listedChange_;
    const std::uint64_t fleets = app_.session.fleets.revision();
    if (!relist && fleets == listedFleets_ && app_.openTurnLabel() == listedOpen_) return;
    if (relist) {
        listedFolder_ = folder;
        listedChange_ = changed;
        try {
            turns_ = app_.keptTurns();
        } catch (const std::exception& e) {
            turns_.clear();
            app_.prompter.error(e.what());
        }
    }
    // The open turn as the figures show it, whatever allies were kept with it.
    listedFleets_ = fleets;
    listedOpen_ = app_.openTurnLabel();
    take_open_turn(turns_, listedOpen_, app_.session);
    showChart();
}

void TFleet_Stat_FM::showChart() {
    const Measure measure = kMeasures[static_cast<std::size_t>(std::max(0, Measure_CB->currentIndex()))];
    Chart->setSeries(RaceSeries::build(turns_, measure), Measure_CB->currentText());
    SaveChart_BTN->setEnabled(turns_.size() >= 2);
}

void TFleet_Stat_FM::SaveChart_BTNClick() {
    const QString game = QFileInfo(path_text(app_.session.Map_name)).completeBaseName();
    const QString name = (game.isEmpty() ? QStringLiteral("statistics") : game) + u'-' +
                         Measure_CB->currentText().toLower() + QStringLiteral(".png");
    const QString path = app_.files.save(this, QStringLiteral("PNG picture|*.png"), open_map_folder(app_.session), name);
    if (path.isEmpty()) return;
    if (const std::string error = save_map_picture(Chart->picture(Chart->devicePixelRatioF()), path); !error.empty())
        app_.prompter.error(error);
}

}  // namespace trevanor
