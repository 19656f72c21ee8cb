// The scanner planning windows: the fleet scanner window (scanner types of a
// fleet, traits, combined ranges) and the planetary scanner window, both
// storing what they apply in the scanner-range list and drawing it.

#include <QCheckBox>
#include <QGroupBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "forms/Scanner_type.h"
#include "forms/forms_fixture.h"
#include "forms/map.h"
#include "forms/planetary_scanner.h"
#include "model/scanner_list.h"
#include "platform/qt_canvas.h"

using namespace trevanor;
using test::Program;

namespace {

struct ScannerWindows : Program {
    TMap_FM& m = *app->map();
    TOther_Scanner_FM& f = *app->fleetScanner();
    TPlanetary_Scanner_FM& pl = *app->planetaryScanner();

    ScannerWindows() {
        openWith("Open1", write("GAME.MAP", test::kMap));
        answerOwnRace(QStringLiteral("Vorlani"));
        openWith("AddFleetfileF1", write("GAME.F1", test::report()));
        m.FormActivate();
        f.FormActivate();
        prompter.shown.clear();
    }
    void choose(QComboBox* box, const char* item) {
        const int i = box->findText(QString::fromLatin1(item));
        ASSERT_GE(i, 0) << item;
        box->setCurrentIndex(i);
    }
    void add(const char* type) {
        choose(f.ScannerType_CBx, type);
        f.add_scanner_btn->click();
    }
    // Selects the field's text and types over it.
    static void type(QWidget* field, const char* text) {
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) spin->selectAll();
        QTest::keyClicks(field, QString::fromLatin1(text));
    }
    static void doubleClick(QListWidget* list, int row) {
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    // The first click opens the type list; the second reaches the list's popup over the box.
    void doubleClickType() {
        QComboBox* box = f.ScannerType_CBx;
        QTest::mouseClick(box, Qt::LeftButton);
        QWidget* popup = box->view()->viewport();
        QTest::mouseDClick(popup, Qt::LeftButton, {}, popup->mapFromGlobal(box->mapToGlobal(box->rect().center())));
        EXPECT_FALSE(box->view()->isVisible());
    }
    std::pair<std::string, std::string> shownRanges() const {
        return {f.NPSR_ME->text().trimmed().toStdString(), f.PSR_ME->text().trimmed().toStdString()};
    }
    std::vector<std::string> row(int r) const { return app->session.scannerRanges.row(r); }
    // Pixels in the colour around the eastern point of a circle of r light years around (x, y).
    int on_circle(int x, int y, int r, ColorValue colour) const {
        const int px = m.view().pixel_x(x) + m.view().pixels(r), py = m.view().pixel_y(y);
        int n = 0;
        for (int i = px - 1; i <= px + 1; ++i)
            for (int j = py - 1; j <= py + 1; ++j) n += m.image().pixel(i, j) == to_qcolor(colour).rgb();
        return n;
    }
};

}  // namespace

// Nothing chosen yet: no figures, JoAT off with its level field waiting at 3.
TEST_F(ScannerWindows, InitialStates) {
    for (QLabel* l : {f.E_Tech_LBL, f.P_TECH_LBL, f.EL_TECH_LBL, f.B_TECH_LBL, pl.E_Tech_LBL, pl.EL_TECH_LBL, pl.B_TECH_LBL})
        EXPECT_EQ(l->text(), "?") << l->objectName().toStdString();
    EXPECT_EQ(f.ScannerType_CBx->currentIndex(), -1);
    EXPECT_EQ(pl.Planetary_ScannerType_CBx->currentIndex(), -1);
    EXPECT_FALSE(f.JOAT_Elec_ME->isEnabled());
    EXPECT_EQ(f.JOAT_Elec_ME->text(), "3");
    EXPECT_EQ(f.NPSR_JOAT_LBL->text(), "0");
    EXPECT_EQ(pl.NPSR_ME->text().trimmed() + pl.PSR_ME->text().trimmed(), "00");
}

TEST_F(ScannerWindows, FleetRangesFromScannersAndTraits) {
    struct Case {
        const char* what;
        std::vector<const char*> types;
        bool noAdvanced;
        const char* joatLevel;  // typed into the Electronics field; null: JoAT off
        std::pair<std::string, std::string> ranges;
    };
    const Case cases[] = {
        {"one Possum", {"Possum"}, false, nullptr, {"150", "0"}},
        {"two Possums", {"Possum", "Possum"}, false, nullptr, {"178", "0"}},
        {"Elephant, JoAT at 3", {"Elephant (pen)"}, false, "3", {"300", "200"}},
        {"Dolphin, no advanced scanners", {"Dolphin (pen)"}, true, nullptr, {"440", "0"}},
        {"Chameleon, no advanced scanners", {"Chameleon (SS, pen)"}, true, nullptr, {"320", "45"}},
        {"JoAT at 16, two digits", {"Bat"}, false, "16", {"320", "160"}},
        {"JoAT typed past 26", {"Bat"}, false, "99", {"520", "260"}},
    };
    for (const Case& c : cases) {
        f.Clear_list_BTN->click();
        if (f.NAS_CBX->isChecked() != c.noAdvanced) f.NAS_CBX->click();
        if (f.JOAT_SDF_ChB->isChecked() != (c.joatLevel != nullptr)) f.JOAT_SDF_ChB->click();
        if (c.joatLevel) type(f.JOAT_Elec_ME, c.joatLevel);
        for (const char* t : c.types) add(t);
        EXPECT_EQ(shownRanges(), c.ranges) << c.what;
    }
    EXPECT_EQ(f.JOAT_Elec_ME->text(), "26");  // cut to the highest level
    EXPECT_EQ(f.JOAT_Elec_ME->value(), 26);
    EXPECT_EQ(f.NPSR_JOAT_LBL->text(), "520");
    EXPECT_TRUE(messages("message").empty());
}

TEST_F(ScannerWindows, FiveScannersFillTheList) {
    f.showAndActivate();
    QApplication::processEvents();
    for (int i = 0; i < 5; ++i) add("Rhino");
    EXPECT_FALSE(f.add_scanner_btn->isEnabled());
    // A double-click on the type adds as the button does: not past five.
    doubleClickType();
    EXPECT_EQ(f.Fleet_scanners_List->count(), 5);

    doubleClick(f.Fleet_scanners_List, 2);
    EXPECT_EQ(f.Fleet_scanners_List->count(), 4);
    EXPECT_TRUE(f.add_scanner_btn->isEnabled());
    EXPECT_EQ(shownRanges().first, "71");  // 50 × 4^(1/4)
    choose(f.ScannerType_CBx, "Mole");
    doubleClickType();
    EXPECT_EQ(f.Fleet_scanners_List->item(4)->text(), "Mole");
    EXPECT_FALSE(f.add_scanner_btn->isEnabled());

    f.Clear_list_BTN->click();
    EXPECT_EQ(f.Fleet_scanners_List->count(), 0);
    EXPECT_TRUE(f.add_scanner_btn->isEnabled());
    EXPECT_EQ(shownRanges(), std::make_pair(std::string("0"), std::string("0")));
}

TEST_F(ScannerWindows, SuperStealthAndJoatExcludeEachOther) {
    f.add_scanner_btn->click();
    add("Pick Pocket (SS)");
    f.JOAT_SDF_ChB->click();
    EXPECT_FALSE(f.JOAT_SDF_ChB->isChecked());
    EXPECT_FALSE(f.JOAT_Elec_ME->isEnabled());
    EXPECT_EQ(f.JOAT_Elec_ME->text(), "0");

    f.Clear_list_BTN->click();
    f.JOAT_SDF_ChB->click();
    EXPECT_TRUE(f.JOAT_Elec_ME->isEnabled());
    EXPECT_EQ(f.NPSR_JOAT_LBL->text() + f.PSR_JOAT_LBL->text(), "6030");
    add("Chameleon (SS, pen)");
    doubleClickType();
    EXPECT_EQ(f.Fleet_scanners_List->count(), 0);
    EXPECT_EQ(messages("message"), (std::vector<std::string>{
                                       "There is nothing selected to add.",
                                       "Scanner List contains scanners of SS PRT. You cannot check JoAT.",
                                       "You cannot add scanner of SS PRT while JoAT is selected.",
                                       "You cannot add scanner of SS PRT while JoAT is selected.",
                                   }));
    // A click on the JoAT group beside its controls works its box.
    f.showAndActivate();
    QApplication::processEvents();
    QTest::mouseClick(f.JoAT_GB, Qt::LeftButton, {}, QPoint(f.JoAT_GB->width() - 4, 4));
    EXPECT_FALSE(f.JOAT_SDF_ChB->isChecked());
}

TEST_F(ScannerWindows, FleetListFollowsTheMapAndHidesOwnFleets) {
    m.Label11->setText(QStringLiteral("Kesh Raider #5"));
    f.FormActivate();
    EXPECT_EQ(f.Fleet_CBx->count(), static_cast<int>(app->session.mapFleetList.size()));
    EXPECT_EQ(f.Fleet_CBx->currentText(), "Kesh Raider #5");
    EXPECT_EQ(f.HideOwn_ChB->text(), "Hide own fleets (Vorlani)");

    // Coming back keeps what the user chose while the map's selection stays.
    choose(f.Fleet_CBx, "Umbral Eye #7");
    f.FormActivate();
    EXPECT_EQ(f.Fleet_CBx->currentText(), "Umbral Eye #7");
    for (const char* other : {"Multi-fleets", "Deep Space"}) {
        m.Label11->setText(QString::fromLatin1(other));
        f.FormActivate();
        EXPECT_EQ(f.Fleet_CBx->currentIndex(), -1) << other;
    }

    f.HideOwn_ChB->click();
    EXPECT_EQ(f.Fleet_CBx->findText(QStringLiteral("Vorlani Scout #1")), -1);
    EXPECT_GE(f.Fleet_CBx->findText(QStringLiteral("Kesh Raider #5")), 0);
    f.HideOwn_ChB->click();
    EXPECT_EQ(f.Fleet_CBx->count(), static_cast<int>(app->session.mapFleetList.size()));

    clipboard.content = QStringLiteral("Umbral Eye #7\r\n");
    f.PfC_btn->click();
    EXPECT_EQ(f.Fleet_CBx->currentText(), "Umbral Eye #7");

    // Opened from the particulars: the ranges and the fleet filled in.
    f.show(QStringLiteral("Vorlani Scout #1"), QStringLiteral("130"), QStringLiteral("65"));
    EXPECT_EQ(f.Fleet_CBx->currentText(), "Vorlani Scout #1");
    EXPECT_EQ(shownRanges(), std::make_pair(std::string("130"), std::string("65")));
    f.show(QStringLiteral("Nobody #9"), QStringLiteral("1"), QStringLiteral("0"));
    EXPECT_EQ(f.Fleet_CBx->currentIndex(), -1);
}

TEST_F(ScannerWindows, JoatStaysCountedAfterAnotherActivation) {
    f.JOAT_SDF_ChB->click();
    type(f.JOAT_Elec_ME, "10");
    f.FormActivate();
    f.Recalc_bTN->click();
    EXPECT_EQ(shownRanges(), std::make_pair(std::string("200"), std::string("100")));
}

TEST_F(ScannerWindows, FleetApplyStoresAndDrawsTheRange) {
    f.showAndActivate();
    add("Possum");
    f.Apply_BTN->click();
    EXPECT_EQ(messages("message"), std::vector<std::string>{"Select fleet first."});
    choose(f.Fleet_CBx, "Umbral Eye #7");
    QTest::keyClick(f.NPSR_ME, Qt::Key_Return);  // Enter applies
    EXPECT_EQ(row(1), (std::vector<std::string>{"Umbral Eye #7", "150", "0", "F", "1234", "1456",
                                                std::to_string(app->session.Players[12].Color)}));
    EXPECT_GT(on_circle(1234, 1456, 150, app->session.Players[12].Color), 0);
    EXPECT_TRUE(m.Remove_BTN->isEnabled());

    // Penetrating not below non-penetrating, an empty field: nothing stored.
    type(f.NPSR_ME, "45");
    type(f.PSR_ME, "45");
    f.Apply_BTN->click();
    EXPECT_EQ(messages("warning"), std::vector<std::string>{"Non-penetrating range must be greater then peretrating one."});
    EXPECT_EQ(f.focusWidget(), f.PSR_ME);
    f.NPSR_ME->clear();
    f.Apply_BTN->click();
    EXPECT_EQ(messages("error"), std::vector<std::string>{"'' is not a valid integer value"});
    EXPECT_EQ(row(1)[1], "150");

    prompter.answers = {Answer::Yes};
    type(f.NPSR_ME, "200");
    type(f.PSR_ME, "0");
    f.Apply_BTN->click();
    EXPECT_EQ(messages("confirm"),
              std::vector<std::string>{"Fleet: \"Umbral Eye #7\" has already been set scanners range. Overwrite?"});
    EXPECT_EQ(row(1)[1], "200");
    QTest::keyClick(f.NPSR_ME, Qt::Key_Escape);  // Esc closes
    EXPECT_FALSE(f.isVisible());
}

TEST_F(ScannerWindows, PlanetaryTypesAndTrait) {
    choose(pl.Planetary_ScannerType_CBx, "Viewer 50");
    pl.NAS_CBX->click();
    EXPECT_EQ(pl.NPSR_ME->text().trimmed() + pl.NPSR_LBL->text(), "100100");
    choose(pl.Planetary_ScannerType_CBx, "Snooper 320X (pen)");
    EXPECT_FALSE(pl.NAS_CBX->isChecked());
    EXPECT_EQ(pl.NPSR_ME->text().trimmed(), "320");
    EXPECT_EQ(pl.PSR_ME->text().trimmed(), "160");
    EXPECT_EQ(pl.E_Tech_LBL->text() + pl.EL_TECH_LBL->text() + pl.B_TECH_LBL->text(), "3103");
    pl.NAS_CBX->click();  // a penetrating type does not take the trait
    EXPECT_FALSE(pl.NAS_CBX->isChecked());
    type(pl.NPSR_ME, "1");
    pl.Recalc_bTN->click();
    EXPECT_EQ(pl.NPSR_ME->text().trimmed(), "320");
}

TEST_F(ScannerWindows, PlanetaryApplyStoresAsksAndRedraws) {
    m.Label12->setText(QStringLiteral("Amber"));
    pl.showAndActivate();
    pl.FormActivate();
    EXPECT_EQ(pl.Planet_CBx->count(), 3);
    EXPECT_EQ(pl.Planet_CBx->itemText(0), "Amber");
    EXPECT_EQ(pl.Planet_CBx->currentText(), "Amber");

    pl.Button1->click();  // both ranges 0
    EXPECT_EQ(messages("warning"), std::vector<std::string>{"Non-penetrating range must be greater then penetrating one."});
    choose(pl.Planetary_ScannerType_CBx, "Viewer 50");
    QTest::keyClick(pl.NPSR_ME, Qt::Key_Enter);
    EXPECT_EQ(row(1), (std::vector<std::string>{"Amber", "50", "0", "P", "1300", "1400", "16777215"}));
    EXPECT_GT(on_circle(1300, 1400, 50, 0xFFFFFF), 0);

    // A second range for the planet: asked, replaced, and the map drawn anew.
    m.FSR_SBTN->click();
    prompter.answers = {Answer::Yes};
    choose(pl.Planetary_ScannerType_CBx, "Viewer 90");
    pl.Button1->click();
    EXPECT_EQ(messages("confirm"),
              std::vector<std::string>{"Planet: \"Amber\" has already been set scanners range. Overwrite?"});
    EXPECT_EQ(row(1)[1], "90");
    EXPECT_EQ(on_circle(1300, 1400, 50, 0xFFFFFF), 0);
    EXPECT_GT(on_circle(1300, 1400, 90, 0xFFFFFF), 0);

    pl.Planet_CBx->setCurrentIndex(-1);
    pl.Button1->click();
    EXPECT_EQ(messages("message"), std::vector<std::string>{"Select planet first."});
    QTest::keyClick(pl.NPSR_ME, Qt::Key_Escape);
    EXPECT_FALSE(pl.isVisible());
}
