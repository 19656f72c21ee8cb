#include "forms/ally_report.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <memory>

#include "app/application.h"
#include "forms/map.h"
#include "forms/widgets/action_timing.h"
#include "forms/widgets/text_table_view.h"
#include "forms/widgets/named.h"
#include "model/own_race.h"
#include "model/players.h"
#include "model/report_format.h"
#include "model/text.h"
#include "platform/cp1252.h"

namespace trevanor {

namespace {
const char* const kOwnFleetsHint =
    "Unchecking may cause overlaying of own fleets on the map (due to different fleet naming). THIS OPTION IS "
    "STRONGLY RECOMMENDED TO BE KEPT SELECTED";
const char* const kDeleteHint =
    "Unchecking may cause overlaying with fleets already entered in previous reports (due to different fleet naming).";

}  // namespace

TAlly_report_FM::TAlly_report_FM(Application& app) : ToolWindow(app, "TAlly_report_FM", "Adding another report") {
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    buildRaceRows(layout);
    buildOptions(layout);
    buildButtonsAndProgress(layout);
    // 389 x 243, or wider where the option captions need it in this font.
    const QSize hint = sizeHint();
    setFixedSize(std::max(389, hint.width()), std::max(243, hint.height()));
    setWindowButtons(load_BTN, Cancel_BTN);
    connectControls();
    showMergeProgress();
}

void TAlly_report_FM::buildRaceRows(QVBoxLayout* layout) {
    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("Own race:"), this), 0, 0);
    Own_race_lbl = named(new QLabel(QStringLiteral("not selected"), this), "Own_race_lbl");
    Own_race_lbl->setToolTip(QStringLiteral("You can select it on Map"));
    top->addWidget(Own_race_lbl, 0, 1);
    Race_CBx = named(new QComboBox(this), "Race_CBx");
    Race_CBx->setEditable(true);
    Race_CBx->setInsertPolicy(QComboBox::NoInsert);
    Race_CBx->hide();
    top->addWidget(Race_CBx, 0, 1);
    top->addWidget(new QLabel(QStringLiteral("Report owner:"), this), 1, 0);
    Rep_owner_Cbx = named(new QComboBox(this), "Rep_owner_Cbx");
    Rep_owner_Cbx->setEditable(true);
    Rep_owner_Cbx->setInsertPolicy(QComboBox::NoInsert);  // Enter loads; a typed name is no new item
    Rep_owner_Cbx->setCurrentText(QString());
    top->addWidget(Rep_owner_Cbx, 1, 1);
    top->setColumnStretch(1, 1);
    layout->addLayout(top);
}

void TAlly_report_FM::buildOptions(QVBoxLayout* layout) {
    auto* group = named(new QGroupBox(QStringLiteral("Options"), this), "GroupBox1");
    auto* g = new QVBoxLayout(group);
    g->setSpacing(2);
    g->addWidget(new QLabel(QStringLiteral("When loading ..."), group));
    Own_fleets_ChB = named(new QCheckBox(QStringLiteral("ignore own fleets"), group), "Own_fleets_ChB");
    Own_fleets_ChB->setChecked(true);
    Rep_owner_ChB = named(new QCheckBox(QStringLiteral("ignore &report owner's fleets"), group), "Rep_owner_ChB");
    Delete_Chb = named(new QCheckBox(QStringLiteral("&delete current fleets of report owner (prior adding new)"), group),
                       "Delete_Chb");
    Delete_Chb->setChecked(true);
    Allow_overwrite_chB = named(
        new QCheckBox(QStringLiteral("allow overwriting fleet data if better found (report owner's excluded)"), group),
        "Allow_overwrite_chB");
    g->addWidget(Own_fleets_ChB);
    g->addWidget(Rep_owner_ChB);
    auto* indented = new QHBoxLayout;
    indented->addSpacing(16);
    indented->addWidget(Delete_Chb);
    g->addLayout(indented);
    g->addWidget(Allow_overwrite_chB);
    layout->addWidget(group);
}

void TAlly_report_FM::buildButtonsAndProgress(QVBoxLayout* layout) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    load_BTN = named(new QPushButton(QStringLiteral("&Load report"), this), "load_BTN");
    load_BTN->setDefault(true);
    load_BTN->setEnabled(false);
    Cancel_BTN = named(new QPushButton(QStringLiteral("&Close"), this), "Cancel_BTN");
    buttons->addWidget(load_BTN);
    buttons->addWidget(Cancel_BTN);
    layout->addLayout(buttons);
    ProgressBar1 = named(new QProgressBar(this), "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    layout->addWidget(ProgressBar1);
    StatusBar1 = named(new QStatusBar(this), "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    layout->addWidget(StatusBar1);
}

void TAlly_report_FM::connectControls() {
    connect(Rep_owner_Cbx, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { load_BTN->setEnabled(!text.isEmpty()); });
    // Picked here the own race is not stored: the choice is made for this session.
    connect(Race_CBx, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!Race_CBx->isVisible()) return;
        app_.run([this, &text] { set_own_race(app_.session, app_.settings, toCp1252(text), OwnRaceChange::Picked); });
        show_own_race();
    });
    connect(Own_fleets_ChB, &QCheckBox::clicked, this, [this](bool ticked) {
        if (!ticked) app_.prompter.message(kOwnFleetsHint);
    });
    connect(Rep_owner_ChB, &QCheckBox::clicked, this, [this](bool ticked) { Delete_Chb->setEnabled(!ticked); });
    connect(Delete_Chb, &QCheckBox::clicked, this, [this](bool ticked) {
        if (!ticked) app_.prompter.message(kDeleteHint);
    });
    connect(load_BTN, &QPushButton::clicked, this, [this] { load_BTNClick(); });
    connect(Cancel_BTN, &QPushButton::clicked, this, [this] { close(); });
}

// Progress between lines: the status bar and the bar take the latest of it
// now and then, and the screen catches up then, not at every line (a status
// bar paints each new message at once, which at every line of a large report
// cost more than the merge itself). The last of it shows when the merge ends.
void TAlly_report_FM::showMergeProgress() {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    const auto due = [this, clock] {
        if (clock->elapsed() < 40) return;
        clock->restart();
        showLatestProgress();
        if (isVisible()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    MergeProgress& progress = app_.merge.progress;
    progress.status = [this, due](const std::string& text) {
        latest_.text = text;
        latest_.textChanged = true;
        due();
    };
    progress.bar = [this, due](int position, int maximum) {
        latest_.position = position;
        latest_.maximum = std::max(maximum, 1);
        latest_.barChanged = true;
        due();
    };
    // The merge outlives the window across a MAP change: it reports to no one then.
    connect(this, &QObject::destroyed, [&progress] { progress = {}; });
}

void TAlly_report_FM::showLatestProgress() {
    if (latest_.textChanged) StatusBar1->showMessage(fromCp1252(latest_.text));
    if (latest_.barChanged) {
        if (ProgressBar1->maximum() != latest_.maximum) ProgressBar1->setMaximum(latest_.maximum);
        ProgressBar1->setValue(std::min(latest_.position, latest_.maximum));
    }
    latest_ = {};
}

void TAlly_report_FM::resetProgress() {
    ProgressBar1->setValue(0);
    StatusBar1->clearMessage();
    shownThisOpening_ = false;
}

MergeOptions TAlly_report_FM::options() const {
    MergeOptions o;
    o.reportOwner = std::string(trevanor::left(toCp1252(Rep_owner_Cbx->currentText()), kCellLimit));
    o.ignoreOwn = Own_fleets_ChB->isChecked();
    o.ignoreOwner = Rep_owner_ChB->isChecked();
    o.deleteMode = Delete_Chb->isChecked() && Delete_Chb->isEnabled();
    o.allowOverwrite = Allow_overwrite_chB->isChecked();
    return o;
}

void TAlly_report_FM::show_own_race() {
    const std::string& own = app_.session.Own_race_name;
    if (own_race_chosen(app_.session)) {
        Own_fleets_ChB->setText(QStringLiteral("ignore own fleets (") + fromCp1252(own) + u')');
        Own_fleets_ChB->setEnabled(true);
        Own_race_lbl->setText(fromCp1252(own));
    } else {
        Own_fleets_ChB->setText(QStringLiteral("ignore own fleets"));
        Own_fleets_ChB->setEnabled(false);
        Own_race_lbl->setText(QStringLiteral("not selected"));
    }
}

void TAlly_report_FM::shown() {
    if (!app_.session.Own_race_name.empty()) {
        Race_CBx->hide();
        Own_race_lbl->show();
    }
    show_own_race();
}

void TAlly_report_FM::FormActivate() {
    const QString owner = Rep_owner_Cbx->currentText();
    {
        const QSignalBlocker block(Rep_owner_Cbx);
        Rep_owner_Cbx->clear();
        for (const auto& name : race_names(app_.session)) Rep_owner_Cbx->addItem(fromCp1252(name));
        Rep_owner_Cbx->setCurrentText(owner);
    }
    fit_popup(Rep_owner_Cbx);
    load_BTN->setEnabled(!owner.isEmpty());
    if (app_.session.Own_race_name.empty()) app_.run([this] { load_own_race(app_.session, app_.settings); });
    if (app_.session.Own_race_name.empty()) {
        offerOwnRaces();
    } else {
        Race_CBx->hide();
        Own_race_lbl->show();
    }
    show_own_race();
}

void TAlly_report_FM::offerOwnRaces() {
    {
        const QSignalBlocker block(Race_CBx);
        Race_CBx->clear();
        Race_CBx->addItem(fromCp1252(std::string(kNoRace)));
        for (const auto& name : race_names(app_.session)) Race_CBx->addItem(fromCp1252(name));
        Race_CBx->setCurrentIndex(0);
    }
    fit_popup(Race_CBx);
    Race_CBx->show();
    Own_race_lbl->setText(QStringLiteral("not selected"));
    Own_race_lbl->hide();
    if (!shownThisOpening_) {
        shownThisOpening_ = true;
        app_.prompter.message("It is strongly recommended that you select Own Race before adding another report.");
    }
    Race_CBx->setFocus();
}

void TAlly_report_FM::load_BTNClick() {
    const MergeOptions o = options();
    if (!app_.merge.may_load(o)) return;
    const QString path =
        app_.files.open(this, QStringLiteral("Kelvra Fleets File|*.F*"), open_map_folder(app_.session));
    if (path.isEmpty()) return;
    // The map, when it is open, shows the merged fleets at once.
    TMap_FM* map = app_.map() && app_.map()->isVisible() ? app_.map() : nullptr;
    ActionTiming::start("merge", map ? static_cast<const QWidget*>(map->Image1) : this);
    app_.run([this, &o, &path] { app_.merge.load_report(path_bytes(path), o); });
    showLatestProgress();
    if (map) app_.refreshMap();
}

}  // namespace trevanor
