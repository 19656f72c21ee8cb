#include "forms/Scanner_type.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHideEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "app/application.h"
#include "forms/map.h"
#include "forms/widgets/spin_field.h"
#include "forms/widgets/name_completer.h"
#include "forms/widgets/form_rows.h"
#include "forms/widgets/text_table_view.h"
#include "model/numbers.h"
#include "model/own_race.h"
#include "platform/cp1252.h"

namespace trevanor {

namespace {

constexpr int kListLimit = 5;        // scanners "A&dd to list" takes
constexpr int kMaxElectronics = 26;  // the highest Electronics level

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    return named(new QPushButton(QString::fromLatin1(caption), parent), name);
}

}  // namespace

TOther_Scanner_FM::TOther_Scanner_FM(Application& app) : ToolWindow(app, "TOther_Scanner_FM", "Fleet Scanner Range") {
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* grid = new QGridLayout(this);
    grid->addWidget(buildTypePanel(), 0, 0);
    grid->addWidget(buildListPanel(), 1, 0);
    grid->addWidget(buildFleetPanel(), 0, 1, 2, 1);
    // As large as the controls need: the hide-own caption grows with the race name.
    grid->setSizeConstraint(QLayout::SetFixedSize);
    setWindowButtons(Apply_BTN, Close_BTN);
    connectControls();
}

// The scanner type with its nominal ranges, the tech it needs and "A&dd to list".
QWidget* TOther_Scanner_FM::buildTypePanel() {
    QFrame* p = framed_panel(this);
    auto* column = new QVBoxLayout(p);
    column->addWidget(new QLabel(QStringLiteral("Scanner type:"), p));
    ScannerType_CBx = type_list("ScannerType_CBx", kFleetScanners, p);
    fit_popup(ScannerType_CBx);
    column->addWidget(ScannerType_CBx);
    column->addWidget(nominal_range_box(p, NPSR_LBL, PSR_LBL));

    auto* tech = new QGroupBox(QStringLiteral("Tech required:"), p);
    auto* tg = new QGridLayout(tech);
    E_Tech_LBL = value_row(tg, 0, "Energy:", "E_Tech_LBL", "?");
    P_TECH_LBL = value_row(tg, 1, "Propulsion:", "P_TECH_LBL", "?");
    EL_TECH_LBL = value_row(tg, 2, "Electronics:", "EL_TECH_LBL", "?");
    B_TECH_LBL = value_row(tg, 3, "Biotechnology", "B_TECH_LBL", "?");
    column->addWidget(tech);

    SS_PRT_ChB = named(new QCheckBox(QStringLiteral("SS PRT required?"), p), "SS_PRT_ChB");
    SS_PRT_ChB->setEnabled(false);  // shows what the type needs
    column->addWidget(SS_PRT_ChB);
    add_scanner_btn = button("add_scanner_btn", "A&dd to list", p);
    column->addWidget(add_scanner_btn);
    return p;
}

QWidget* TOther_Scanner_FM::buildListPanel() {
    QFrame* p = framed_panel(this);
    auto* column = new QVBoxLayout(p);
    column->addWidget(new QLabel(QStringLiteral("List of scaneers in the fleet:"), p));
    Fleet_scanners_List = named(new QListWidget(p), "Fleet_scanners_List");
    Fleet_scanners_List->setFixedHeight(6 * Fleet_scanners_List->fontMetrics().lineSpacing() + 8);
    column->addWidget(Fleet_scanners_List);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Double-click to remove an item"), p));
    row->addStretch();
    Clear_list_BTN = button("Clear_list_BTN", "C&lear", p);
    row->addWidget(Clear_list_BTN);
    column->addLayout(row);
    return p;
}

// The fleet, the traits, the ranges to apply and the window's buttons.
QWidget* TOther_Scanner_FM::buildFleetPanel() {
    QFrame* p = framed_panel(this);
    auto* column = new QVBoxLayout(p);
    column->addWidget(new QLabel(QStringLiteral("Fleet:"), p));
    auto* fleetRow = new QHBoxLayout;
    Fleet_CBx = named(new QComboBox(p), "Fleet_CBx");
    NameCompleter::attach(Fleet_CBx);
    Fleet_CBx->setMinimumContentsLength(22);
    Fleet_CBx->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    fleetRow->addWidget(Fleet_CBx, 1);
    PfC_btn = button("PfC_btn", "&PfC", p);
    PfC_btn->setToolTip(QStringLiteral("Paste from Clipboard"));
    fleetRow->addWidget(PfC_btn);
    column->addLayout(fleetRow);
    PfC_ed = named(new QLineEdit(p), "PfC_ed");  // takes the pasted text; never shown
    PfC_ed->hide();
    HideOwn_ChB = named(new QCheckBox(QStringLiteral("&Hide own fleet"), p), "HideOwn_ChB");
    column->addWidget(HideOwn_ChB);
    NAS_CBX = named(new QCheckBox(QStringLiteral("&No Advanced Scanner LRT"), p), "NAS_CBX");
    NAS_CBX->setToolTip(QStringLiteral("Double range of NP scanners"));
    column->addWidget(NAS_CBX);
    column->addWidget(buildJoatGroup(p));

    const RangePanel range = range_panel(p, "");
    NPSR_ME = range.nonPenetrating;
    PSR_ME = range.penetrating;
    Recalc_bTN = range.recalc;
    column->addWidget(range.frame);
    column->addStretch();
    const ApplyCloseRow buttons = apply_close_row(p, "Apply_BTN", "Close_BTN");
    Apply_BTN = buttons.apply;
    Close_BTN = buttons.close;
    column->addLayout(buttons.row);
    return p;
}

QGroupBox* TOther_Scanner_FM::buildJoatGroup(QWidget* parent) {
    JoAT_GB = named(new QGroupBox(QStringLiteral("&JoAT PRT"), parent), "JoAT_GB");
    auto* g = new QGridLayout(JoAT_GB);
    JOAT_SDF_ChB = named(new QCheckBox(QStringLiteral("Scout, Destroyer or Frigate"), JoAT_GB), "JOAT_SDF_ChB");
    g->addWidget(JOAT_SDF_ChB, 0, 0, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Electronics level"), JoAT_GB), 1, 0);
    // The arrows run through levels 3 to 26; two digits are typed, and a
    // level above 26 is cut to 26. The field shows 0 while JoAT is off.
    JOAT_Elec_ME = new SpinField("JOAT_Elec_ME", 3, kMaxElectronics, 3, JoAT_GB);
    JOAT_Elec_ME->setTypedRange(0, 99);
    g->addWidget(JOAT_Elec_ME, 1, 1, 1, 2, Qt::AlignLeft);
    NPSR_JOAT_LBL = value_row(g, 2, "Non-penetrating:", "NPSR_JOAT_LBL", "0", "l.y.");
    PSR_JOAT_LBL = value_row(g, 3, "Penetrating:", "PSR_JOAT_LBL", "0", "l.y.");
    JOAT_Elec_ME->setEnabled(false);
    return JoAT_GB;
}

void TOther_Scanner_FM::connectControls() {
    connect(ScannerType_CBx, &QComboBox::currentIndexChanged, this, [this] { ScannerType_CBxChange(); });
    connect(add_scanner_btn, &QPushButton::clicked, this, [this] { add_scanner_btnClick(); });
    connect(Fleet_scanners_List, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { Fleet_scanners_ListDblClick(Fleet_scanners_List->row(item)); });
    connect(Clear_list_BTN, &QPushButton::clicked, this, [this] { Clear_list_BTNClick(); });
    connect(Recalc_bTN, &QPushButton::clicked, this, [this] { calc_fleet_range(); });
    connect(NAS_CBX, &QCheckBox::clicked, this, [this] { calc_fleet_range(); });
    connect(JOAT_SDF_ChB, &QCheckBox::clicked, this, [this] { JOAT_SDF_ChBClick(); });
    connect(JOAT_Elec_ME, &QSpinBox::textChanged, this, [this] {
        calc_joat();
        calc_fleet_range();
    });
    // The filter applies as the box is left; a click hands the focus to the fleet list.
    connect(HideOwn_ChB, &QCheckBox::clicked, this, [this] {
        HideOwn_ChBExit();
        Fleet_CBx->setFocus();
    });
    connect(PfC_btn, &QPushButton::clicked, this, [this] { PfC_btnClick(); });
    connect(Apply_BTN, &QPushButton::clicked, this, [this] { Apply_BTNClick(); });
    connect(Close_BTN, &QPushButton::clicked, this, [this] { close(); });
    // A double-click on the closed type list reaches its popup, which the
    // first click opened; a click on the JoAT group's own area ticks its box.
    QAbstractItemView* popup = ScannerType_CBx->view();
    for (QWidget* w : {static_cast<QWidget*>(ScannerType_CBx), popup->viewport(), popup->window(),
                       static_cast<QWidget*>(JoAT_GB)})
        w->installEventFilter(this);
}

bool TOther_Scanner_FM::eventFilter(QObject* watched, QEvent* e) {
    if (watched == JoAT_GB && e->type() == QEvent::MouseButtonRelease) {
        const auto* me = static_cast<QMouseEvent*>(e);
        if (!JoAT_GB->childAt(me->position().toPoint()) && JoAT_GB->rect().contains(me->position().toPoint()))
            JOAT_SDF_ChB->click();
        return false;
    }
    if (watched != JoAT_GB && e->type() == QEvent::MouseButtonDblClick) {
        const QPoint at = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
        if (QRect(ScannerType_CBx->mapToGlobal(QPoint()), ScannerType_CBx->size()).contains(at)) {
            ScannerType_CBx->hidePopup();
            ScannerType_CBxDblClick();
            return true;
        }
    }
    return ToolWindow::eventFilter(watched, e);
}

void TOther_Scanner_FM::hideEvent(QHideEvent* e) {
    if (!e->spontaneous()) mapSelection_.reset();  // closed: the next opening starts from the map's selection
    ToolWindow::hideEvent(e);
}

void TOther_Scanner_FM::show(const QString& fleet, const QString& nonPenetrating, const QString& penetrating) {
    showAndActivate();
    FormActivate();
    NPSR_ME->setText(nonPenetrating);
    PSR_ME->setText(penetrating);
    Fleet_CBx->setCurrentIndex(Fleet_CBx->findText(fleet));
    Apply_BTN->setFocus();  // ready to apply
}

void TOther_Scanner_FM::FormActivate() {
    // The built-in scanner follows the level shown while JoAT is ticked.
    joat_ = JOAT_SDF_ChB->isChecked() ? trevanor::calc_joat(to_int_def(toCp1252(JOAT_Elec_ME->text().trimmed()), 0))
                                      : Ranges{};
    copy_fleet_to_list();
    // The map's selected object is chosen when the window opens and whenever
    // it changes; coming back (from a message box, say) keeps the user's choice.
    const QString selected = app_.map() ? app_.map()->selectedName() : QString();
    if (mapSelection_ != selected) {
        mapSelection_ = selected;
        Fleet_CBx->setCurrentIndex(selected.isEmpty() ? -1 : Fleet_CBx->findText(selected));
    }
    if (own_race_chosen(app_.session)) {
        QString race = fromCp1252(app_.session.Own_race_name);
        race.replace(u'&', QStringLiteral("&&"));
        HideOwn_ChB->setText(QStringLiteral("Hide own fleets (") + race + u')');
        HideOwn_ChB->setEnabled(true);
        if (HideOwn_ChB->isChecked()) HideOwn_ChBExit();
    } else {
        HideOwn_ChB->setText(QStringLiteral("Hide own fleets"));
        HideOwn_ChB->setEnabled(false);
    }
}

void TOther_Scanner_FM::showFleets(const QStringList& fleets, const QString& chosen) {
    show_choices(Fleet_CBx, fleets, chosen);
    fit_popup(Fleet_CBx);
}

void TOther_Scanner_FM::copy_fleet_to_list() {
    QStringList fleets;
    for (const std::string& fleet : app_.session.mapFleetList.items()) fleets << fromCp1252(fleet);
    showFleets(fleets, Fleet_CBx->currentIndex() < 0 ? QString() : Fleet_CBx->currentText());
}

void TOther_Scanner_FM::HideOwn_ChBExit() {
    const QString chosen = Fleet_CBx->currentIndex() < 0 ? QString() : Fleet_CBx->currentText();
    if (!HideOwn_ChB->isChecked() || !own_race_chosen(app_.session)) {
        copy_fleet_to_list();
        return;
    }
    const std::string& race = app_.session.Own_race_name;
    QStringList others;
    for (int i = 0; i < Fleet_CBx->count(); ++i)
        if (toCp1252(Fleet_CBx->itemText(i)).compare(0, race.size(), race) != 0) others << Fleet_CBx->itemText(i);
    showFleets(others, chosen);
}

void TOther_Scanner_FM::ScannerType_CBxChange() {
    const int i = ScannerType_CBx->currentIndex();
    if (i < 0) return;
    const FleetScannerType& t = kFleetScanners[static_cast<std::size_t>(i)];
    NPSR_LBL->setNum(t.nonPenetrating);
    PSR_LBL->setNum(t.penetrating);
    E_Tech_LBL->setNum(t.energy);
    P_TECH_LBL->setNum(t.propulsion);
    EL_TECH_LBL->setNum(t.electronics);
    B_TECH_LBL->setNum(t.biotechnology);
    SS_PRT_ChB->setChecked(t.ss);
}

void TOther_Scanner_FM::add_scanner_btnClick() {
    if (JOAT_SDF_ChB->isChecked() && SS_PRT_ChB->isChecked()) {
        app_.prompter.message("You cannot add scanner of SS PRT while JoAT is selected.");
        return;
    }
    if (ScannerType_CBx->currentIndex() < 0) {
        app_.prompter.message("There is nothing selected to add.");
        return;
    }
    Fleet_scanners_List->addItem(ScannerType_CBx->currentText());
    calc_fleet_range();
    if (Fleet_scanners_List->count() >= kListLimit) add_scanner_btn->setEnabled(false);
}

// A double-click adds as the button does, while the button can be pressed.
void TOther_Scanner_FM::ScannerType_CBxDblClick() {
    if (add_scanner_btn->isEnabled()) add_scanner_btnClick();
}

void TOther_Scanner_FM::Fleet_scanners_ListDblClick(int row) {
    delete Fleet_scanners_List->takeItem(row);
    add_scanner_btn->setEnabled(true);
    calc_fleet_range();
}

void TOther_Scanner_FM::Clear_list_BTNClick() {
    Fleet_scanners_List->clear();
    calc_fleet_range();
    add_scanner_btn->setEnabled(true);
}

void TOther_Scanner_FM::JOAT_SDF_ChBClick() {
    if (JOAT_SDF_ChB->isChecked()) {
        const auto ss = Fleet_scanners_List->findItems(QStringLiteral("SS"), Qt::MatchContains | Qt::MatchCaseSensitive);
        if (!ss.isEmpty()) {
            app_.prompter.message("Scanner List contains scanners of SS PRT. You cannot check JoAT.");
            JOAT_SDF_ChB->setChecked(false);
        } else {
            JOAT_Elec_ME->setEnabled(true);
            JOAT_Elec_ME->setValue(3);
        }
    }
    if (!JOAT_SDF_ChB->isChecked()) {
        JOAT_Elec_ME->setValue(0);
        JOAT_Elec_ME->setEnabled(false);
    }
    calc_joat();
    calc_fleet_range();
}

void TOther_Scanner_FM::calc_joat() {
    int level = to_int_def(toCp1252(JOAT_Elec_ME->text().trimmed()), 0);
    if (level > kMaxElectronics) {
        level = kMaxElectronics;
        JOAT_Elec_ME->setValue(level);
    }
    joat_ = trevanor::calc_joat(level);
    NPSR_JOAT_LBL->setNum(joat_.nonPenetrating);
    PSR_JOAT_LBL->setNum(joat_.penetrating);
}

void TOther_Scanner_FM::calc_fleet_range() {
    FleetScanners fleet;
    for (int i = 0; i < Fleet_scanners_List->count(); ++i)
        fleet.types.push_back(toCp1252(Fleet_scanners_List->item(i)->text()));
    fleet.joat = JOAT_SDF_ChB->isChecked();
    fleet.joatRanges = joat_;
    fleet.noAdvancedScanners = NAS_CBX->isChecked();
    const Ranges r = trevanor::calc_fleet_range(fleet, app_.prompter);
    NPSR_ME->setText(QString::number(r.nonPenetrating));
    PSR_ME->setText(QString::number(r.penetrating));
}

void TOther_Scanner_FM::PfC_btnClick() {
    // Pasted into a one-line field: the clipboard's first line.
    PfC_ed->setText(app_.clipboard.text().section(u'\n', 0, 0).section(u'\r', 0, 0));
    const int i = Fleet_CBx->findText(PfC_ed->text());
    if (i >= 0) Fleet_CBx->setCurrentIndex(i);
}

void TOther_Scanner_FM::Apply_BTNClick() {
    app_.run([this] {
        const int n = range_of(NPSR_ME);
        const int p = range_of(PSR_ME);
        if (p >= n) {
            app_.prompter.warning("Non-penetrating range must be greater then peretrating one.");
            PSR_ME->setFocus();
            return;
        }
        if (Fleet_CBx->currentIndex() < 0) {
            app_.prompter.message("Select fleet first.");
            return;
        }
        app_.map()->Draw_And_Add_Fleet(toCp1252(Fleet_CBx->currentText()), n, 0, p);
    });
}

}  // namespace trevanor
