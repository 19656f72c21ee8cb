#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "forms/ally_report.h"
#include "forms/forms_fixture.h"
#include "forms/map.h"
#include "support/report_lines.h"

using namespace trevanor;
using test::Program;

namespace {
std::string ally_report() {
    const auto line = [](const std::string& name, const std::string& owner) {
        return test::fleet_line({{0, name}, {1, "1400"}, {2, "1400"}, {12, owner}}) + "\r\n";
    };
    return test::kFleetHeading + "\r\n" + line("Kesh Raider #5", "3") + line("Kesh Lancer #9", "3") + line("Vorlani Scout #1", "1") +
           line("Ozmari Wing #2", "4");
}
}  // namespace

TEST_F(Program, AllyReportWindowMergesAndReports) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    answerOwnRace(QStringLiteral("Vorlani"));
    openWith("AddFleetfileF1", write("GAME.F1", test::report()));
    action("AddFleetfileF1")->trigger();  // the first report is in: the ally window opens
    TAlly_report_FM& w = *app->allyReport();
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "Adding another report");
    EXPECT_GE(w.width(), 389);
    EXPECT_GE(w.height(), 243);
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    w.FormActivate();
    EXPECT_EQ(w.Own_fleets_ChB->text(), "ignore own fleets (Vorlani)");
    EXPECT_TRUE(w.Own_fleets_ChB->isChecked());
    EXPECT_FALSE(w.Rep_owner_ChB->isChecked());
    EXPECT_TRUE(w.Delete_Chb->isChecked());
    EXPECT_FALSE(w.Allow_overwrite_chB->isChecked());
    EXPECT_EQ(w.Own_race_lbl->text(), "Vorlani");
    EXPECT_EQ(w.Rep_owner_Cbx->count(), 3);
    EXPECT_FALSE(w.load_BTN->isEnabled());
    w.Rep_owner_Cbx->setCurrentText(QStringLiteral("Kesh"));
    EXPECT_TRUE(w.load_BTN->isEnabled());

    w.Rep_owner_ChB->click();
    EXPECT_FALSE(w.Delete_Chb->isEnabled());
    w.Rep_owner_ChB->click();
    EXPECT_TRUE(w.Delete_Chb->isEnabled());
    prompter.shown.clear();
    w.Delete_Chb->click();
    w.Own_fleets_ChB->click();
    ASSERT_EQ(messages("message").size(), 2u);
    EXPECT_EQ(messages("message")[0].substr(0, 44), "Unchecking may cause overlaying with fleets ");
    EXPECT_EQ(messages("message")[1].substr(0, 45), "Unchecking may cause overlaying of own fleets");
    w.Delete_Chb->click();
    w.Own_fleets_ChB->click();

    files.answers.push_back(write("GAME.F3", ally_report()));
    w.load_BTN->click();
    EXPECT_EQ(w.StatusBar1->currentMessage(), "1 fleet(s) deleted. 3 fleet(s) added out of 4 processed.");
    EXPECT_EQ(w.ProgressBar1->value(), w.ProgressBar1->maximum());
    EXPECT_EQ(main().windowTitle(), "GAME.MAP + GAME.F1 + GAME.F3");
    EXPECT_EQ(app->session.acceptedReportOwners, (std::vector<std::string>{"Kesh"}));
    // The route filter offers the allies now, and the new player Ozmari is listed.
    EXPECT_NE(app->map()->Route_race_CB->findText(QStringLiteral("_Only allies")), -1);
    EXPECT_EQ(app->session.Players[4].Name, "Ozmari");
    EXPECT_NE(action("Menu_Ozmari4"), nullptr);

    // A second load from Kesh without deleting is refused before any dialog.
    w.Delete_Chb->click();
    prompter.shown.clear();
    files.filters.clear();
    w.load_BTN->click();
    ASSERT_EQ(messages("message").size(), 1u);
    EXPECT_EQ(messages("message")[0].substr(0, 45), "It is not allowed to load report more then on");
    EXPECT_TRUE(files.filters.empty());
}

TEST_F(Program, AllyReportWindowAsksForTheOwnRaceOncePerOpening) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    answerOwnRace(QString());
    openWith("AddFleetfileF1", write("GAME.F1", test::report()));
    TAlly_report_FM& w = *app->allyReport();
    prompter.shown.clear();
    w.FormActivate();
    w.FormActivate();
    EXPECT_EQ(messages("message"),
              (std::vector<std::string>{"It is strongly recommended that you select Own Race before adding another report."}));
    EXPECT_TRUE(w.Race_CBx->isVisibleTo(&w));
    EXPECT_EQ(w.Own_fleets_ChB->text(), "ignore own fleets");
    EXPECT_FALSE(w.Own_fleets_ChB->isEnabled());
    w.show();
    w.Race_CBx->setCurrentText(QStringLiteral("Kesh"));
    EXPECT_EQ(app->session.Own_race_name, "Kesh");
    EXPECT_EQ(w.Own_fleets_ChB->text(), "ignore own fleets (Kesh)");
    EXPECT_TRUE(action("Menu_Kesh3")->isChecked());
}

TEST_F(Program, AllyReportWindowEnterLoadsAndEscCloses) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    answerOwnRace(QStringLiteral("Vorlani"));
    openWith("AddFleetfileF1", write("GAME.F1", test::report()));
    action("AddFleetfileF1")->trigger();
    TAlly_report_FM& w = *app->allyReport();
    ASSERT_TRUE(w.isVisible());
    w.FormActivate();
    files.filters.clear();
    w.Rep_owner_Cbx->setFocus();
    QTest::keyClick(w.Rep_owner_Cbx, Qt::Key_Return);  // no owner yet: Load is disabled
    EXPECT_TRUE(files.filters.empty());

    w.Rep_owner_Cbx->setCurrentText(QStringLiteral("Kesh"));
    files.answers = {QString(), QString()};  // both dialogs cancelled
    QTest::keyClick(w.Rep_owner_Cbx, Qt::Key_Return);
    EXPECT_EQ(files.filters.size(), 1u) << "Enter loads a report";
    EXPECT_EQ(w.Rep_owner_Cbx->count(), 3) << "a typed owner is no new item";
    QTest::keyClick(w.Delete_Chb, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(files.filters.size(), 2u);

    QTest::keyClick(w.Rep_owner_Cbx, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

// Where nothing activates a window by itself, its texts are right as soon as
// it shows.
TEST_F(Program, AllyReportWindowShowsTheOwnRaceBeforeItIsActivated) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    answerOwnRace(QStringLiteral("Vorlani"));
    openWith("AddFleetfileF1", write("GAME.F1", test::report()));
    TAlly_report_FM& w = *app->allyReport();
    w.show();  // no event loop ran: no activation
    EXPECT_EQ(w.Own_fleets_ChB->text(), "ignore own fleets (Vorlani)");
    EXPECT_TRUE(w.Own_fleets_ChB->isEnabled());
    EXPECT_EQ(w.Own_race_lbl->text(), "Vorlani");
    EXPECT_TRUE(w.Own_race_lbl->isVisible());
}
