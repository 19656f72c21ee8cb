#include "forms/Tachyon_det.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "app/application.h"
#include "forms/map.h"
#include "forms/widgets/spin_field.h"
#include "forms/widgets/named.h"
#include "model/tachyon.h"
#include "platform/cp1252.h"

namespace trevanor {

namespace {
QLabel* bold(QLabel* label) {
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}
}  // namespace

TTachyon_FM::TTachyon_FM(Application& app) : ToolWindow(app, "TTachyon_FM", "Tachyon Detector") {
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* grid = new QGridLayout(this);
    // Two digits are typed; the arrows stop at 33 detectors and 98% cloaking.
    const auto field = [&](int row, const char* caption, const char* name, int max, int value) {
        grid->addWidget(new QLabel(QString::fromLatin1(caption), this), row, 0);
        auto* spin = new SpinField(name, 0, max, value, this);
        spin->setTypedRange(0, 99);
        grid->addWidget(spin, row, 1, Qt::AlignLeft);
        return spin;
    };
    TD_no_ME = field(0, "Number of Tachyon Detectors on a ship:", "TD_no_ME", 33, 10);
    Cloacking_perc_ME = field(1, "Enemy ship cloacking (%):", "Cloacking_perc_ME", 98, 98);
    Cloacking_perc_ME->setSingleStep(10);
    grid->addWidget(new QLabel(QStringLiteral("Reduction:"), this), 2, 0);
    reduc_lbl = named(new QLabel(this), "reduc_lbl");
    grid->addWidget(reduc_lbl, 2, 1);
    grid->addWidget(bold(new QLabel(QStringLiteral("Ship scanner efficiancy will be: "), this)), 3, 0);
    Eff_lbl = bold(named(new QLabel(QStringLiteral(" "), this), "Eff_lbl"));
    grid->addWidget(Eff_lbl, 3, 1);
    auto* buttons = new QHBoxLayout;
    Apply_BTN = named(new QPushButton(QStringLiteral("&Apply"), this), "Apply_BTN");
    Apply_BTN->setDefault(true);
    Close_BTN = named(new QPushButton(QStringLiteral("&Close"), this), "Close_BTN");
    buttons->addStretch();
    buttons->addWidget(Apply_BTN);
    buttons->addWidget(Close_BTN);
    grid->addLayout(buttons, 4, 0, 1, 2);
    setWindowButtons(Apply_BTN, Close_BTN);
    setFixedSize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(TD_no_ME, &QSpinBox::textChanged, this, [this] { calc_eff(); });
    connect(Cloacking_perc_ME, &QSpinBox::textChanged, this, [this] { calc_eff(); });
    connect(Apply_BTN, &QPushButton::clicked, this, [this] { Apply_BTNClick(); });
    connect(Close_BTN, &QPushButton::clicked, this, [this] { close(); });
}

void TTachyon_FM::activated() {
    TD_no_ME->setValue(1);
    calc_eff();
}

void TTachyon_FM::calc_eff() {
    const TachyonEffect e = trevanor::calc_eff(toCp1252(TD_no_ME->text()), toCp1252(Cloacking_perc_ME->text()));
    if (e.cloakingCut) Cloacking_perc_ME->setValue(98);
    reduc_lbl->setText(QString::number(e.reduction) + u'%');
    Eff_lbl->setText(QString::number(e.efficiency) + u'%');
}

void TTachyon_FM::Apply_BTNClick() {
    calc_eff();
    app_.map()->setScanEfficiency(Eff_lbl->text());
    app_.refreshMap();
}

}  // namespace trevanor
