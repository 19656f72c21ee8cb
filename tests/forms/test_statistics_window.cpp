#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>

#include "forms/Fleet_Statistics.h"
#include "forms/forms_fixture.h"

using namespace trevanor;

namespace {

// Players 1 Vorlani (two fleets), 3 Kesh, 12 Umbral; own race Vorlani. The
// report carries no figures; `figures` puts them into the fleet table.
class StatisticsWindow : public test::Program {
protected:
    StatisticsWindow() {
        openWith("Open1", write("GAME.MAP", test::kMap));
        answerOwnRace(QStringLiteral("Vorlani"));
        openWith("AddFleetfileF1", write("GAME.F1", test::report()));
        prompter.shown.clear();
    }
    void figures() {
        TextTable& t = app->session.fleets;
        for (int row = 1; row <= 4; ++row)
            for (int c : {6, 7, 8, 9, 10, 15, 24, 25, 26, 27, 28}) t.setCell(c, row, "0");
        const struct {
            int row, column;
            const char* value;
        } cells[] = {{1, 25, "3"}, {1, 15, "60"},  {1, 7, "5"},   {2, 24, "2"},  {2, 15, "400"}, {2, 7, "100"},
                     {2, 8, "50"}, {2, 9, "25"},   {2, 10, "30"}, {3, 26, "4"},  {3, 15, "500"}, {4, 26, "2"},
                     {4, 28, "6"}, {4, 15, "900"}};
        for (const auto& c : cells) t.setCell(c.column, c.row, c.value);
    }
    TFleet_Stat_FM& w() { return *app->statistics(); }
    QStringList texts(std::initializer_list<const char*> labels) {
        QStringList out;
        for (const char* l : labels) out << w().findChild<QLabel*>(QString::fromLatin1(l))->text();
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
    figures();
    w().FormActivate();
    EXPECT_EQ(items(w().Race_CB), (QStringList{"Vorlani", "Kesh", "Umbral"}));
    EXPECT_EQ(w().Race_CB->currentIndex(), -1);
    EXPECT_EQ(w().Groupbox2->title(), "Own race (Vorlani)");
    EXPECT_FALSE(w().Panel3->isVisibleTo(&w()));
    EXPECT_EQ(texts({"o_total_lbl", "o_fleets_lbl", "o_unarmed_lbl", "o_scout_lbl", "o_warship_lbl", "o_bomber_lbl",
                     "o_utility_lbl", "o_mass_lbl", "Iron_lbl", "boran_lbl", "Germ_lbl", "pop_lbl", "total_cargo_lbl"}),
              (QStringList{"5", "2", "2", "3", "0", "0", "0", "460", "105", "50", "25", "30", "210"}));
    EXPECT_EQ(texts({"num1_name_lbl", "num1_lbl", "num3_name_lbl", "num3_lbl"}), (QStringList{"Umbral", "8", "Kesh", "4"}));
    EXPECT_EQ(texts({"war1_name_lbl", "war1_lbl", "war2_name_lbl", "war2_lbl", "war3_name_lbl", "war3_lbl"}),
              (QStringList{"Kesh", "4", "Umbral", "2", "", "0"}));
    EXPECT_EQ(texts({"mas1_name_lbl", "mas3_lbl"}), (QStringList{"Umbral", "460"}));

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
    figures();
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
    EXPECT_EQ(texts({"warship_lbl"}), QStringList{"5"});
}

// A report without figures fails on its first empty cell. Coming back from
// the error box activates the window again: no second box until it reopens.
TEST_F(StatisticsWindow, ConversionErrorOncePerOpening) {
    w().show();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&w(), &activate);
    QCoreApplication::sendEvent(&w(), &activate);
    const std::vector<std::string> once{"'' is not a valid integer value"};
    EXPECT_EQ(messages("error"), once);
    EXPECT_EQ(w().Race_CB->count(), 3);
    EXPECT_EQ(texts({"num1_lbl"}), QStringList{"--"});
    w().hide();
    w().show();
    QCoreApplication::sendEvent(&w(), &activate);
    EXPECT_EQ(messages("error").size(), 2u);
}
