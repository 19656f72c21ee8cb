#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>

#include "forms/Fleet_Statistics.h"
#include "forms/forms_fixture.h"

using namespace trevanor;

namespace {

// A fleet report line with its figures: ships, ironium, boranium, germanium,
// colonists, mass, then unarmed, scout, warships, utility, bombers.
std::string line(const std::string& name, const std::string& planet, const std::string& xy, int owner,
                 std::array<int, 11> f) {
    std::string cells[29];
    cells[0] = name;
    cells[1] = xy.substr(0, 4);
    cells[2] = xy.substr(5);
    cells[3] = cells[4] = planet;
    cells[12] = std::to_string(owner);
    for (int c : {11, 16, 17, 18, 20, 21, 22, 23}) cells[c] = "0";
    const int columns[11] = {6, 7, 8, 9, 10, 15, 24, 25, 26, 27, 28};
    for (int i = 0; i < 11; ++i) cells[columns[i]] = std::to_string(f[static_cast<std::size_t>(i)]);
    std::string out;
    for (int c = 0; c < 29; ++c) out += (c ? "\t" : "") + cells[c];
    return out + "\r\n";
}

// Players 1 Vorlani (two fleets with cargo), 3 Kesh, 12 Umbral; own race Vorlani.
class StatisticsWindow : public test::Program {
protected:
    void load(const std::string& report) {
        openWith("Open1", write("GAME.MAP", test::kMap));
        answerOwnRace(QStringLiteral("Vorlani"));
        openWith("AddFleetfileF1", write("GAME.F1", report));
        prompter.shown.clear();
    }
    void load() {
        std::string heading = "Fleet Name";
        for (int c = 1; c < 29; ++c) heading += "\tH" + std::to_string(c);
        load(heading + "\r\n" + line("Vorlani Scout #1", "Zeta Prime", "1100 1200", 1, {3, 5, 0, 0, 0, 60, 0, 3}) +
             line("Vorlani Hauler #2", "Amber", "1300 1400", 1, {2, 100, 50, 25, 30, 400, 2}) +
             line("Kesh Raider #5", "Coral Reach", "1500 1600", 3, {4, 0, 0, 0, 0, 500, 0, 0, 4}) +
             line("Umbral Eye #7", "", "1234 1456", 12, {8, 0, 0, 0, 0, 900, 0, 0, 2, 0, 6}));
    }
    TFleet_Stat_FM& w() { return *app->statistics(); }
    QString text(const char* label) { return w().findChild<QLabel*>(QString::fromLatin1(label))->text(); }
    QStringList texts(std::initializer_list<const char*> labels) {
        QStringList out;
        for (const char* l : labels) out << text(l);
        return out;
    }
    QStringList items(QComboBox* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
        return out;
    }
    void choose(QComboBox* list, const QString& item) {
        list->setCurrentIndex(list->findText(item));
        emit list->activated(list->currentIndex());
    }
};

}  // namespace

TEST_F(StatisticsWindow, OwnRaceAlliesAndRankings) {
    load();
    w().FormActivate();
    EXPECT_EQ(items(w().Race_CB), (QStringList{"Vorlani", "Kesh", "Umbral"}));
    EXPECT_EQ(w().Race_CB->currentIndex(), -1);
    EXPECT_EQ(w().Groupbox2->title(), "Own race (Vorlani)");
    EXPECT_FALSE(w().Panel3->isVisibleTo(&w()));
    EXPECT_EQ(texts({"o_total_lbl", "o_fleets_lbl", "o_unarmed_lbl", "o_scout_lbl", "o_warship_lbl", "o_bomber_lbl",
                     "o_utility_lbl", "o_mass_lbl", "Iron_lbl", "boran_lbl", "Germ_lbl", "pop_lbl", "total_cargo_lbl"}),
              (QStringList{"5", "2", "2", "3", "0", "0", "0", "460", "105", "50", "25", "30", "210"}));
    EXPECT_EQ(texts({"num1_name_lbl", "num1_lbl", "num2_name_lbl", "num2_lbl", "num3_name_lbl", "num3_lbl"}),
              (QStringList{"Umbral", "8", "Vorlani", "5", "Kesh", "4"}));
    EXPECT_EQ(texts({"war1_name_lbl", "war1_lbl", "war2_name_lbl", "war2_lbl", "war3_name_lbl", "war3_lbl"}),
              (QStringList{"Kesh", "4", "Umbral", "2", "", "0"}));
    EXPECT_EQ(texts({"mas1_name_lbl", "mas1_lbl", "mas3_name_lbl", "mas3_lbl"}),
              (QStringList{"Umbral", "900", "Vorlani", "460"}));

    app->session.acceptedReportOwners.push_back("Kesh");
    w().FormActivate();
    EXPECT_EQ(w().Groupbox2->title(), "Own/Allied race (Vorlani)");
    EXPECT_TRUE(w().Panel3->isVisibleTo(&w()));
    EXPECT_EQ(items(w().allied_race_CB), (QStringList{"Vorlani", "Kesh"}));
    EXPECT_EQ(w().allied_race_CB->currentIndex(), 0);
    choose(w().allied_race_CB, "Kesh");
    EXPECT_EQ(w().Groupbox2->title(), "Own/Allied race (Kesh)");
    EXPECT_EQ(texts({"o_total_lbl", "o_warship_lbl", "o_mass_lbl", "Iron_lbl", "total_cargo_lbl"}),
              (QStringList{"4", "4", "500", "0", "0"}));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(StatisticsWindow, RaceChosen) {
    load();
    w().FormActivate();
    choose(w().Race_CB, "Umbral");
    EXPECT_EQ(w().Groupbox1->title(), "Umbral");
    const QStringList umbral{"8", "1", "0", "0", "2", "6", "0", "900"};
    const auto figures = [this] {
        return texts({"total_ships_lbl", "fleets_no_lbl", "unarmed_lbl", "scout_lbl", "warship_lbl", "bomber_lbl",
                      "utility_lbl", "mass_lbl"});
    };
    EXPECT_EQ(figures(), umbral);

    w().Race_CB->addItem(QStringLiteral("Nobody"));
    choose(w().Race_CB, "Nobody");
    EXPECT_EQ(messages("message"), std::vector<std::string>{"Error. The race has not been found."});
    EXPECT_EQ(w().Groupbox1->title(), "Umbral");
    EXPECT_EQ(figures(), umbral);

    // Coming back to the window keeps the chosen race with fresh figures.
    app->session.fleets.setCell(26, 4, "5");
    w().FormActivate();
    EXPECT_EQ(w().Race_CB->currentText(), "Umbral");
    EXPECT_EQ(text("warship_lbl"), "5");
}

// A report without figures: every activation fails on the first empty cell.
// Coming back from the error box activates the window again; that must not
// show the box again until the window is opened anew.
TEST_F(StatisticsWindow, ConversionErrorOncePerOpening) {
    load(test::report());
    w().show();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&w(), &activate);
    QCoreApplication::sendEvent(&w(), &activate);
    const std::vector<std::string> once{"'' is not a valid integer value"};
    EXPECT_EQ(messages("error"), once);
    EXPECT_EQ(w().Race_CB->count(), 3);
    EXPECT_EQ(text("num1_lbl"), "--");
    w().hide();
    w().show();
    QCoreApplication::sendEvent(&w(), &activate);
    EXPECT_EQ(messages("error").size(), 2u);
}
