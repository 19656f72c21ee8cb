#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "forms/forms_fixture.h"

using namespace trevanor;
using test::Program;

namespace {

void enter(TForm1& w, int x1, int y1, int x2, int y2) {
    w.field(1, false)->setText(QString::number(x1));
    w.field(1, true)->setText(QString::number(y1));
    w.field(2, false)->setText(QString::number(x2));
    w.field(2, true)->setText(QString::number(y2));
}

}  // namespace

TEST_F(Program, CalculatorResults) {
    struct Case {
        int x1, y1, x2, y2;
        const char *distance, *angle1, *angle2;
    };
    const Case cases[] = {
        {1000, 1000, 1003, 1004, "5.00 l.y.", "36.9 deg", "216.9 deg"},
        {1100, 1100, 1000, 1100, "100.00 l.y.", "270.0 deg", "90.0 deg"},  // due west
        {1000, 1100, 1000, 1000, "100.00 l.y.", "180.0 deg", "360.0 deg"},  // due south
        {1000, 1000, 1000, 1100, "100.00 l.y.", "0.0 deg", "180.0 deg"},    // due north
        {1234, 1234, 1234, 1234, "0 l.y.", "-", "-"},                       // the same point twice
        {9999, 9999, 1000, 1000, "12726.51 l.y.", "225.0 deg", "45.0 deg"},
    };
    for (const auto& c : cases) {
        enter(main(), c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(main().Dist_Lbl->text(), "?");
        main().Calc_BTN->click();
        EXPECT_EQ(main().Dist_Lbl->text().toStdString(), c.distance);
        EXPECT_EQ(main().Ang1_LBL->text().toStdString(), c.angle1);
        EXPECT_EQ(main().Ang2_LBL->text().toStdString(), c.angle2);
    }
    EXPECT_TRUE(main().Calc_BTN->isDefault());
    EXPECT_EQ(main().Calc_BTN->text(), "&Calculate!");
    EXPECT_EQ(main().Calc_BTN->toolTip(), "Calculate!");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Program, CalculatorRefusesCoordinatesBelow1000) {
    enter(main(), 1000, 1000, 1003, 1004);
    main().field(2, true)->clear();
    main().Calc_BTN->click();
    EXPECT_EQ(messages("error"), (std::vector<std::string>{"Some coordinates are not correct!"}));
    EXPECT_EQ(main().Dist_Lbl->text(), "?");
}

TEST_F(Program, LeavingAFieldBelow1000) {
    const std::pair<int, bool> fields[] = {{1, false}, {1, true}, {2, false}, {2, true}};
    const char* const names[] = {"X1", "Y1", "X2", "Y2"};
    main().show();
    for (int i = 0; i < 4; ++i) {
        QLineEdit* f = main().field(fields[i].first, fields[i].second);
        EXPECT_EQ(f->objectName().toStdString(), std::string(names[i]) + "_ME");
        EXPECT_EQ(f->inputMask(), "9999;_");
        prompter.shown.clear();
        f->setText(QStringLiteral("0999"));
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(f, &out);
        EXPECT_EQ(messages("error"), (std::vector<std::string>{std::string(names[i]) + " must be > 1000!"}));
        prompter.shown.clear();
        f->setText(QStringLiteral("1000"));
        QCoreApplication::sendEvent(f, &out);
        EXPECT_TRUE(prompter.shown.empty()) << "1000 itself is accepted";
    }
}

TEST_F(Program, PlacesPickedPastedAndCopied) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    answerOwnRace(QStringLiteral("Vorlani"));
    openWith("AddFleetfileF1", write("GAME.F1", test::report()));
    EXPECT_NE(main().Planet2_CB->findText(QStringLiteral("!Umbral Eye #7")), -1);

    clipboard.content = QStringLiteral("zeta PRIME");  // a planet, in other case
    main().findChild<QPushButton*>(QStringLiteral("PfC1_btn"))->click();
    EXPECT_EQ(main().field(1, false)->text(), "1100");
    EXPECT_EQ(main().field(1, true)->text(), "1200");
    EXPECT_EQ(main().Planet1_CB->currentText(), "Zeta Prime");

    clipboard.content = QStringLiteral("Umbral Eye #7");  // a fleet's unique name
    main().findChild<QPushButton*>(QStringLiteral("PfC2_btn"))->click();
    EXPECT_EQ(main().field(2, false)->text(), "1234");
    EXPECT_EQ(main().field(2, true)->text(), "1456");

    clipboard.content = QStringLiteral("Nowhere");
    main().findChild<QPushButton*>(QStringLiteral("PfC2_btn"))->click();
    EXPECT_EQ(main().field(2, false)->text(), "1234");

    main().Planet2_CB->setCurrentIndex(main().Planet2_CB->findText(QStringLiteral("Amber")));
    main().PlanetCBChange(2);
    EXPECT_EQ(main().field(2, false)->text(), "1300");

    main().Calc_BTN->click();
    main().CBC_BTN->click();
    EXPECT_EQ(clipboard.content, "282.84");
    EXPECT_EQ(main().Dist_Lbl->text(), "282.84 l.y.");
}

TEST_F(Program, CalculateTakesAMouseClick) {
    main().show();
    enter(main(), 1000, 1000, 1003, 1004);
    // Whatever lies at the button's centre gets the click, as on the screen.
    const QPoint centre = main().Calc_BTN->mapTo(&main(), main().Calc_BTN->rect().center());
    QWidget* hit = main().childAt(centre);
    ASSERT_NE(hit, nullptr);
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&main(), centre));
    EXPECT_EQ(main().Dist_Lbl->text(), "5.00 l.y.");
}

TEST_F(Program, EnterCalculatesFromAnyControl) {
    main().show();
    struct Case {
        QWidget* focused;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* distance;
    };
    const Case cases[] = {
        {main().field(2, true), Qt::Key_Return, Qt::NoModifier, "5.00 l.y."},
        {main().field(1, false), Qt::Key_Enter, Qt::KeypadModifier, "5.00 l.y."},
        {main().Planet1_CB, Qt::Key_Return, Qt::NoModifier, "5.00 l.y."},
        {main().field(1, false), Qt::Key_Escape, Qt::NoModifier, "?"},  // no cancel button here
    };
    for (const auto& c : cases) {
        main().clearCoordinates();
        enter(main(), 1000, 1000, 1003, 1004);
        c.focused->setFocus();
        QTest::keyClick(c.focused, c.key, c.modifiers);
        EXPECT_EQ(main().Dist_Lbl->text().toStdString(), c.distance) << c.focused->objectName().toStdString();
        EXPECT_TRUE(main().isVisible());
    }
}
