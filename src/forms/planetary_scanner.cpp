#include "forms/planetary_scanner.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHideEvent>
#include <QVBoxLayout>

#include "app/application.h"
#include "forms/map.h"
#include "forms/widgets/form_rows.h"
#include "forms/widgets/text_table_view.h"
#include "forms/widgets/name_completer.h"
#include "model/locate.h"
#include "model/numbers.h"
#include "model/scanner_list.h"
#include "model/scanner_types.h"
#include "model/sorted_list.h"
#include "platform/cp1252.h"

namespace trevanor {

namespace {

constexpr ColorValue kWhite = 0xFFFFFF;

}  // namespace

TPlanetary_Scanner_FM::TPlanetary_Scanner_FM(Application& app)
    : ToolWindow(app, "TPlanetary_Scanner_FM", "Planetary Scanner FM") {
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* row = new QHBoxLayout(this);
    row->addWidget(buildTypePanel());
    row->addWidget(buildPlanetPanel());
    row->setSizeConstraint(QLayout::SetFixedSize);
    setWindowButtons(Button1, Button2);
    connectControls();
}

// The scanner type with its nominal ranges and the tech it needs.
QWidget* TPlanetary_Scanner_FM::buildTypePanel() {
    QFrame* p = framed_panel(this);
    auto* column = new QVBoxLayout(p);
    column->addWidget(new QLabel(QStringLiteral("Scanner type:"), p));
    Planetary_ScannerType_CBx = type_list("Planetary_ScannerType_CBx", kPlanetaryScanners, p);
    fit_popup(Planetary_ScannerType_CBx);
    column->addWidget(Planetary_ScannerType_CBx);
    column->addWidget(nominal_range_box(p, NPSR_LBL, PSR_LBL));

    auto* tech = new QGroupBox(QStringLiteral("Tech required:"), p);
    auto* tg = new QGridLayout(tech);
    E_Tech_LBL = value_row(tg, 0, "Energy:", "E_Tech_LBL", "?");
    EL_TECH_LBL = value_row(tg, 1, "Electronics:", "EL_TECH_LBL", "?");
    B_TECH_LBL = value_row(tg, 2, "Biotechnology", "B_TECH_LBL", "?");
    column->addWidget(tech);
    column->addStretch();
    return p;
}

// The planet, the trait, the ranges to apply and the window's buttons.
QWidget* TPlanetary_Scanner_FM::buildPlanetPanel() {
    QFrame* p = framed_panel(this);
    auto* column = new QVBoxLayout(p);
    column->addWidget(new QLabel(QStringLiteral("Planet"), p));
    Planet_CBx = named(new QComboBox(p), "Planet_CBx");
    NameCompleter::attach(Planet_CBx);
    Planet_CBx->setMinimumContentsLength(18);
    Planet_CBx->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    column->addWidget(Planet_CBx);
    NAS_CBX = named(new QCheckBox(QStringLiteral("&No Advanced Scanner LRT"), p), "NAS_CBX");
    NAS_CBX->setToolTip(QStringLiteral("Double range of NP scanners"));
    column->addWidget(NAS_CBX);
    const RangePanel range = range_panel(p, "0");
    NPSR_ME = range.nonPenetrating;
    PSR_ME = range.penetrating;
    Recalc_bTN = range.recalc;
    column->addWidget(range.frame);
    column->addStretch();
    const ApplyCloseRow buttons = apply_close_row(p, "Button1", "Button2");
    Button1 = buttons.apply;
    Button2 = buttons.close;
    column->addLayout(buttons.row);
    return p;
}

void TPlanetary_Scanner_FM::connectControls() {
    connect(Planetary_ScannerType_CBx, &QComboBox::currentIndexChanged, this,
            [this] { Planetary_ScannerType_CBxChange(); });
    connect(NAS_CBX, &QCheckBox::clicked, this, [this] { Planetary_ScannerType_CBxChange(); });
    connect(Recalc_bTN, &QPushButton::clicked, this, [this] { Planetary_ScannerType_CBxChange(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TPlanetary_Scanner_FM::hideEvent(QHideEvent* e) {
    if (!e->spontaneous()) mapSelection_.reset();  // closed: the next opening starts from the map's selection
    ToolWindow::hideEvent(e);
}

void TPlanetary_Scanner_FM::FormActivate() {
    copy_planet_to_list();
    // The map's selected planet is chosen when the window opens and whenever
    // it changes; coming back (from a message box, say) keeps the user's choice.
    const QString selected = app_.map() ? app_.map()->selectedPlanet() : QString();
    if (mapSelection_ != selected) {
        mapSelection_ = selected;
        Planet_CBx->setCurrentIndex(selected.isEmpty() ? -1 : Planet_CBx->findText(selected));
    }
}

void TPlanetary_Scanner_FM::copy_planet_to_list() {
    const TextTable& planets = app_.session.planets;
    std::vector<std::string> names;
    for (int r = 1; r <= planets.lastRow(); ++r)
        if (!planets.cell(planet_col::Name, r).empty()) names.push_back(planets.cell(planet_col::Name, r));
    sort_ci(names);
    QStringList items;
    for (const std::string& name : names) items << fromCp1252(name);
    show_choices(Planet_CBx, items, Planet_CBx->currentIndex() < 0 ? QString() : Planet_CBx->currentText());
    fit_popup(Planet_CBx);
}

void TPlanetary_Scanner_FM::Planetary_ScannerType_CBxChange() {
    const int type = Planetary_ScannerType_CBx->currentIndex();
    const bool listed = type >= 0 && type < static_cast<int>(kPlanetaryScanners.size());
    const PlanetaryScannerType none{"", 0, 0, 0, 0, 0};
    const PlanetaryScannerType& t = listed ? kPlanetaryScanners[static_cast<std::size_t>(type)] : none;
    if (t.penetrating > 0) NAS_CBX->setChecked(false);  // a penetrating scanner cannot have the trait
    E_Tech_LBL->setNum(t.energy);
    EL_TECH_LBL->setNum(t.electronics);
    B_TECH_LBL->setNum(t.biotechnology);
    const Ranges r = planetary_scanner_ranges(type, NAS_CBX->isChecked());
    NPSR_LBL->setNum(r.nonPenetrating);
    PSR_LBL->setNum(r.penetrating);
    NPSR_ME->setText(QString::number(r.nonPenetrating));
    PSR_ME->setText(QString::number(r.penetrating));
}

void TPlanetary_Scanner_FM::Button1Click() {
    app_.run([this] {
        const int n = range_of(NPSR_ME);
        const int p = range_of(PSR_ME);
        if (p >= n) {
            app_.prompter.warning("Non-penetrating range must be greater then penetrating one.");
            PSR_ME->setFocus();
            return;
        }
        if (Planet_CBx->currentIndex() < 0) {
            app_.prompter.message("Select planet first.");
            return;
        }
        const std::string name = toCp1252(Planet_CBx->currentText());
        const Located at = locate_object(app_.session, ObjectKind::Planet, name, &app_.prompter);
        const bool replacing = ScannerList(app_.session.scannerRanges).find(name) != 0;
        app_.map()->store_range({name, n, p, RangeKind::Planet, at.x, at.y, kWhite});
        if (replacing) app_.map()->refresh_map();
    });
}

void TPlanetary_Scanner_FM::Button2Click() {
    app_.refreshMap();
    close();
}

}  // namespace trevanor
