// Controls as a user works them: the up-downs clicked through their window,
// keys and the wheel; typed values a field must refuse; lists that keep what
// was chosen.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "forms/Scanner_type.h"
#include "forms/Tachyon_det.h"
#include "forms/forms_fixture.h"
#include "forms/map.h"
#include "forms/widgets/name_completer.h"

using namespace trevanor;
using test::Program;

namespace {

// Clicks the upper or the lower arrow of a spin field where the window shows
// it: whatever lies at that point gets the click.
void click_arrow(SpinField* field, bool up) {
    QStyleOptionSpinBox option;
    option.initFrom(field);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    option.frame = field->hasFrame();
    const QRect arrow = field->style()->subControlRect(QStyle::CC_SpinBox, &option,
                                                       up ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown, field);
    QWidget* window = field->window();
    const QPoint at = field->mapTo(window, arrow.center());
    QWidget* hit = window->childAt(at);
    ASSERT_NE(hit, nullptr);
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(window, at));
}

void wheel(QWidget* field, int notches) {
    const QPointF at = QRectF(field->rect()).center();
    QWheelEvent e(at, field->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(field, &e);
}

void type(QAbstractSpinBox* field, const char* text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QString::fromLatin1(text));
}

// Draws as the program's style does and remembers which arrows of a spin
// box it was last asked to draw usable.
class ArrowsSeen : public QProxyStyle {
public:
    mutable QAbstractSpinBox::StepEnabled arrows;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* p,
                            const QWidget* w) const override {
        if (control == CC_SpinBox) arrows = static_cast<const QStyleOptionSpinBox*>(option)->stepEnabled;
        QProxyStyle::drawComplexControl(control, option, p, w);
    }
};

}  // namespace

// Up raises, down lowers, by the arrows, the keys and the wheel, and never
// past the field's range.
TEST_F(Program, UpDownsCountTheRightWay) {
    TMap_FM& m = *app->map();
    TTachyon_FM& t = *app->tachyon();
    TOther_Scanner_FM& f = *app->fleetScanner();
    f.JOAT_SDF_ChB->click();  // the level field takes input while JoAT is on
    const struct {
        SpinField* field;
        int low, high, step;
    } cases[] = {{m.Jumps_ME, 1, 9, 1},          {m.Warp_ME, 1, 10, 1},           {t.TD_no_ME, 0, 33, 1},
                 {t.Cloacking_perc_ME, 0, 98, 10}, {f.JOAT_Elec_ME, 3, 26, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field->objectName().toStdString());
        c.field->window()->show();
        const int start = c.low + 1;
        c.field->setValue(start);
        click_arrow(c.field, true);
        EXPECT_EQ(c.field->value(), std::min(start + c.step, c.high));
        click_arrow(c.field, false);
        EXPECT_EQ(c.field->value(), std::max(std::min(start + c.step, c.high) - c.step, c.low));
        c.field->setValue(start);
        QTest::keyClick(c.field, Qt::Key_Up);
        EXPECT_EQ(c.field->value(), std::min(start + c.step, c.high));
        QTest::keyClick(c.field, Qt::Key_Down);
        QTest::keyClick(c.field, Qt::Key_Down);
        EXPECT_EQ(c.field->value(), c.low);
        wheel(c.field, 1);
        EXPECT_EQ(c.field->value(), std::min(c.low + c.step, c.high));
        wheel(c.field, -1);
        EXPECT_EQ(c.field->value(), c.low);
        click_arrow(c.field, false);  // at the bottom: stays
        EXPECT_EQ(c.field->value(), c.low);
        c.field->setValue(c.high);
        click_arrow(c.field, true);  // at the top: stays
        EXPECT_EQ(c.field->value(), c.high);
        // What the field shows is the number alone, without a mask's placeholder.
        EXPECT_EQ(c.field->findChild<QLineEdit*>()->text(), QString::number(c.high));
        c.field->window()->hide();
    }
}

// An arrow is greyed where it would lead out of its range: at the ends, and
// beyond them where typing reaches further than the arrows.
TEST_F(Program, UpDownArrowsGreyAtTheEnds) {
    TMap_FM& m = *app->map();
    TTachyon_FM& t = *app->tachyon();
    const auto Up = QAbstractSpinBox::StepUpEnabled, Down = QAbstractSpinBox::StepDownEnabled;
    const struct {
        SpinField* field;
        const char* typed;
        QAbstractSpinBox::StepEnabled arrows;
    } cases[] = {{m.Warp_ME, "1", Up},          {m.Warp_ME, "5", Up | Down},      {m.Warp_ME, "10", Down},
                 {m.Jumps_ME, "9", Down},       {t.TD_no_ME, "0", Up},            {t.TD_no_ME, "33", Down},
                 {t.TD_no_ME, "50", Down}};
    ArrowsSeen style;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        c.field->window()->show();
        c.field->setStyle(&style);
        type(c.field, c.typed);
        c.field->grab();
        EXPECT_EQ(c.field->text(), QString::fromLatin1(c.typed));
        EXPECT_EQ(style.arrows, c.arrows) << c.field->objectName().toStdString();
        c.field->setEnabled(false);
        c.field->grab();
        EXPECT_EQ(style.arrows, QAbstractSpinBox::StepNone);
        c.field->setEnabled(true);
        c.field->setStyle(nullptr);
    }
}

// Typing what the up-down cannot reach is refused keystroke by keystroke.
TEST_F(Program, WarpAndJumpsRefuseValuesOutOfRange) {
    TMap_FM& m = *app->map();
    m.show();
    const struct {
        SpinField* field;
        const char* typed;
        int value;
    } cases[] = {{m.Warp_ME, "99", 9}, {m.Warp_ME, "11", 1}, {m.Warp_ME, "10", 10}, {m.Warp_ME, "7x", 7},
                 {m.Jumps_ME, "12", 1}, {m.Jumps_ME, "5", 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        type(c.field, c.typed);
        EXPECT_EQ(c.field->value(), c.value);
        EXPECT_EQ(c.field->text(), QString::number(c.value));
    }
}

TEST_F(Program, TypedEfficiencyAddsNoItems) {
    TMap_FM& m = *app->map();
    m.show();
    m.FSR_SBTN->click();
    QLineEdit* edit = m.Scan_Eff_cbx->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("55"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(m.Scan_Eff_cbx->currentText(), "55%");
    ASSERT_EQ(m.Scan_Eff_cbx->count(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(m.Scan_Eff_cbx->itemText(i), QString::number(100 - 10 * i) + u'%');
}

// A merge refills the calculator's place lists; what was chosen stays.
TEST_F(Program, PlaceListsKeepTheirChoiceWhenRefilled) {
    openWith("Open1", write("GAME.MAP", test::kMap));
    main().Planet1_CB->setCurrentIndex(main().Planet1_CB->findText(QStringLiteral("Amber")));
    main().PlanetCBChange(1);
    answerOwnRace(QStringLiteral("Vorlani"));
    openWith("AddFleetfileF1", write("GAME.F1", test::report()));
    EXPECT_EQ(main().Planet1_CB->currentText(), "Amber");
    EXPECT_EQ(main().Planet2_CB->currentText(), " unknown");
    EXPECT_EQ(main().field(1, false)->text(), "1300");
}

TEST(NaturalOrder, NumbersByTheirValueWithoutRegardToCase) {
    const struct {
        const char *a, *b;
        bool less;
    } cases[] = {{"Kesh #28", "Kesh #274", true}, {"Kesh #274", "Kesh #28", false}, {"kesh #5", "Kesh #05", false},
                 {"Kesh #9", "kesh #10", true},    {"Kesh", "Kesh #1", true},       {"Amber", "amber", false},
                 {"Zeta 2 B", "Zeta 10 A", true}};
    for (const auto& c : cases)
        EXPECT_EQ(natural_less(QString::fromLatin1(c.a), QString::fromLatin1(c.b)), c.less) << c.a << " < " << c.b;
}
