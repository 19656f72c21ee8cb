// Renders the windows with the demo game into PNG files, for looking at them:
//   trevanor-screenshots SAMPLES_DIR OUT_DIR
// Runs on any Qt platform (offscreen included); touches no user settings.

#include <QAbstractItemView>
#include <QApplication>
#include <QStandardPaths>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include "app/application.h"
#include "forms/Dist_calc.h"
#include "forms/Fleet_Statistics.h"
#include "forms/Fleet_data.h"
#include "forms/Fleets.h"
#include "forms/Own_race_unit.h"
#include "forms/Planets.h"
#include "forms/PlayerColor.h"
#include "forms/Scanner_type.h"
#include "forms/Tachyon_det.h"
#include "forms/ally_report.h"
#include "forms/map.h"
#include "forms/planetary_scanner.h"
#include "forms/remove.h"
#include "platform/qt_settings_backend.h"
#include "support/recording_prompter.h"
#include "support/scripted_services.h"

using namespace trevanor;

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // turns kept apart from the user's
    if (argc != 3) return 2;
    provide_tahoma();
    const QDir samples(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QTemporaryDir dir;
    QtSettingsBackend store(dir.filePath(QStringLiteral("Trevanor.conf")));
    test::RecordingPrompter prompter;
    prompter.standing.emplace_back("It is very recommended that first report is own report.", Answer::No);
    test::ScriptedFileChooser files;
    test::MemoryClipboard clipboard;
    Application app(store, prompter, files, clipboard);
    app.start();
    TForm1& main = *app.main();
    main.show();
    main.grab().save(out.filePath(QStringLiteral("main-start.png")));

    files.answers = {samples.filePath(QStringLiteral("DEMO.MAP"))};
    main.action("Open1")->trigger();
    app.ownRace()->runModal = [&](TOwn_race_Fm& w) {
        w.show();
        QApplication::processEvents();
        w.grab().save(out.filePath(QStringLiteral("own-race.png")));
        w.Own_CBx->setCurrentIndex(1);
        w.Button1->click();
    };
    files.answers = {samples.filePath(QStringLiteral("DEMO.F1"))};
    main.action("AddFleetfileF1")->trigger();
    main.field(1, false)->setText(QStringLiteral("1000"));
    main.field(1, true)->setText(QStringLiteral("1000"));
    main.field(2, false)->setText(QStringLiteral("1003"));
    main.field(2, true)->setText(QStringLiteral("1004"));
    main.Calc_BTN->click();
    QApplication::processEvents();
    main.grab().save(out.filePath(QStringLiteral("main-loaded.png")));
    const auto popup = [&](QComboBox* box, const char* file) {
        box->showPopup();
        QApplication::processEvents();
        box->view()->window()->grab().save(out.filePath(QString::fromLatin1(file)));
        box->hidePopup();
    };
    popup(main.Planet1_CB, "main-places.png");

    TFleet_FM& fleets = *app.fleets();
    fleets.show();
    fleets.resize(1280, 700);
    QApplication::processEvents();
    fleets.grab().save(out.filePath(QStringLiteral("fleets-ids.png")));
    fleets.PageControl1->setCurrentIndex(1);
    fleets.fleet_pos_sort_GR->horizontalScrollBar()->setValue(400);
    QApplication::processEvents();
    fleets.grab().save(out.filePath(QStringLiteral("fleets-positions.png")));
    TPlanets_FM& planets = *app.planets();
    planets.show();
    planets.resize(600, 500);
    QApplication::processEvents();
    planets.grab().save(out.filePath(QStringLiteral("planets.png")));
    TMap_FM& map = *app.map();
    map.show();
    map.resize(1280, 800);
    map.FormActivate();
    QApplication::processEvents();
    map.grab().save(out.filePath(QStringLiteral("map-window.png")));
    popup(map.Fleet_CBx, "map-fleets.png");
    map.image().save(out.filePath(QStringLiteral("map-maxout.png")));
    map.namesTo(NameDensity::All);
    map.zoomTo(Zoom::Zoom200);
    map.image().copy(900, 300, 900, 700).save(out.filePath(QStringLiteral("map-200-names.png")));
    map.namesTo(NameDensity::None);
    map.zoomTo(Zoom::MaxOut);
    map.Vsl_Quantity_RB->click();
    map.image().save(out.filePath(QStringLiteral("map-shipcount.png")));
    TPly_clr_FM& colors = *app.playerColor();
    colors.show();
    QApplication::processEvents();
    colors.grab().save(out.filePath(QStringLiteral("player-colors.png")));

    TAlly_report_FM& ally = *app.allyReport();
    main.action("AddFleetfileF1")->trigger();
    ally.FormActivate();
    ally.Rep_owner_Cbx->setCurrentText(QStringLiteral("Quessari"));
    files.answers = {samples.filePath(QStringLiteral("DEMO.F2"))};
    ally.load_BTN->click();
    ally.Rep_owner_Cbx->setCurrentText(QStringLiteral("Ozmari"));
    ally.Delete_Chb->setChecked(false);
    ally.Allow_overwrite_chB->setChecked(true);
    files.answers = {samples.filePath(QStringLiteral("DEMO.F4"))};
    ally.load_BTN->click();
    QApplication::processEvents();
    ally.grab().save(out.filePath(QStringLiteral("ally-report.png")));
    main.grab().save(out.filePath(QStringLiteral("main-merged.png")));
    fleets.PageControl1->setCurrentIndex(0);
    int upgraded = 0;
    for (int r = 0; r < fleets.Fleet_GR->model()->rowCount(); ++r)
        if (fleets.Fleet_GR->model()->index(r, 0).data().toString().endsWith(QStringLiteral("(*)"))) upgraded = r;
    static_cast<QTableView*>(fleets.Fleet_GR)->scrollTo(fleets.Fleet_GR->model()->index(upgraded, 1), QAbstractItemView::PositionAtTop);
    fleets.Fleet_GR->selectRow(upgraded);
    fleets.Fleet_GR->horizontalScrollBar()->setValue(0);
    QApplication::processEvents();
    fleets.grab().save(out.filePath(QStringLiteral("fleets-upgraded.png")));
    fleets.Fleet_GR->scrollToBottom();
    QApplication::processEvents();
    fleets.grab().save(out.filePath(QStringLiteral("fleets-appended.png")));
    TFleet_Stat_FM& stats = *app.statistics();
    stats.show();
    stats.FormActivate();
    QApplication::processEvents();
    stats.grab().save(out.filePath(QStringLiteral("statistics.png")));

    // The scanner windows, and the map with the ranges they stored.
    map.FSR_SBTN->click();
    const auto choose = [](QComboBox* box, const char* item) { box->setCurrentIndex(box->findText(QString::fromLatin1(item))); };
    TOther_Scanner_FM& fleetScanner = *app.fleetScanner();
    fleetScanner.showAndActivate();
    fleetScanner.FormActivate();
    for (const char* type : {"Elephant (pen)", "Possum"}) {
        choose(fleetScanner.ScannerType_CBx, type);
        fleetScanner.add_scanner_btn->click();
    }
    fleetScanner.JOAT_SDF_ChB->click();
    fleetScanner.JOAT_Elec_ME->setText(QStringLiteral("12"));
    choose(fleetScanner.Fleet_CBx, "Keltyx Pathfinder #42");
    QApplication::processEvents();
    fleetScanner.grab().save(out.filePath(QStringLiteral("fleet-scanner.png")));
    fleetScanner.Apply_BTN->click();
    fleetScanner.Clear_list_BTN->click();
    fleetScanner.JOAT_SDF_ChB->click();
    fleetScanner.NAS_CBX->click();
    choose(fleetScanner.ScannerType_CBx, "Dolphin (pen)");
    fleetScanner.add_scanner_btn->click();
    choose(fleetScanner.Fleet_CBx, "Vorlani Long Reach");
    fleetScanner.Apply_BTN->click();
    fleetScanner.close();
    TPlanetary_Scanner_FM& planetScanner = *app.planetaryScanner();
    planetScanner.showAndActivate();
    planetScanner.FormActivate();
    choose(planetScanner.Planet_CBx, "Tamlia");
    choose(planetScanner.Planetary_ScannerType_CBx, "Snooper 400X (pen)");
    QApplication::processEvents();
    planetScanner.grab().save(out.filePath(QStringLiteral("planetary-scanner.png")));
    planetScanner.Button1->click();
    planetScanner.Button2->click();
    map.image().save(out.filePath(QStringLiteral("map-scanners.png")));

    // The map's overlays: all routes, a jump potential, stored ranges at 100% and at a tachyon efficiency.
    map.show();
    map.resize(1400, 900);
    map.FormActivate();
    map.Jumps_ME->setText(QStringLiteral("3"));
    map.Otfr_SBTN->click();
    map.image().save(out.filePath(QStringLiteral("map-routes.png")));
    map.Otfr_SBTN->click();
    map.Fleet_CBx->setCurrentIndex(map.Fleet_CBx->findText(QStringLiteral("Quessari Far Seeker*")));
    map.FJ_SBTN->click();
    map.image().save(out.filePath(QStringLiteral("map-jump.png")));
    map.FJ_SBTN->click();
    map.switch_ranges_on();
    map.Draw_And_Add_Fleet("Vorlani Scout #11", 150, 0, 30);
    map.Draw_And_Add_Fleet("Quessari Far Seeker*", 200, 0, 0);
    map.store_range({"Port Alardar", 220, 0, RangeKind::Planet, 1573, 1169, 0xFFFFFF});
    map.refresh_map();
    map.image().save(out.filePath(QStringLiteral("map-ranges-100.png")));
    TTachyon_FM& tachyon = *app.tachyon();
    tachyon.showAndActivate();
    tachyon.TD_no_ME->setText(QStringLiteral("1"));
    tachyon.Cloacking_perc_ME->setText(QStringLiteral("50"));
    tachyon.Apply_BTN->click();
    tachyon.grab().save(out.filePath(QStringLiteral("tachyon.png")));
    map.image().save(out.filePath(QStringLiteral("map-ranges-tachyon.png")));
    app.scannerList()->showAndActivate();
    QApplication::processEvents();
    app.scannerList()->grab().save(out.filePath(QStringLiteral("scanner-list.png")));

    // Right clicks: an own fleet's group, a foreign fleet, a mixed spot; both views, expanded.
    TFleet_Data_FM& particulars = *app.particulars();
    const auto rightClick = [&](int x, int y, const char* file) {
        map.Image1MouseDown(Qt::RightButton, map.view().pixel_x(x), map.view().pixel_y(y));
        QApplication::processEvents();
        particulars.grab().save(out.filePath(QString::fromLatin1(file)));
        map.grab().save(out.filePath(QStringLiteral("map-") + QString::fromLatin1(file)));
    };
    rightClick(1711, 1392, "particulars-own.png");
    particulars.Full_btnClick();
    particulars.grab().save(out.filePath(QStringLiteral("particulars-own-more.png")));
    rightClick(1448, 1496, "particulars-foreign.png");
    particulars.Full_btnClick();
    particulars.grab().save(out.filePath(QStringLiteral("particulars-foreign-more.png")));
    rightClick(1579, 1482, "particulars-mixed.png");
    particulars.mfleets_btnClick();
    particulars.grab().save(out.filePath(QStringLiteral("particulars-mixed-multi.png")));

    for (const auto& m : prompter.shown) qInfo("%s: %s", m.kind.c_str(), m.text.c_str());
    return 0;
}
