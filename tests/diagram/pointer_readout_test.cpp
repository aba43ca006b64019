#include "diagram/pointer_readout.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRect>
#include <QTest>
#include <QTreeWidget>

#include <string>
#include <vector>

namespace {

// A bare form that counts the presses reaching its own handler.
class Form : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        ++presses;
        QWidget::mousePressEvent(event);
    }
};

// A design form in miniature: the diagram's group box with the read-out and a static text
// inside, a static text, an edit, a disabled edit and the result table.
class PointerReadoutTest : public testing::Test {
protected:
    template <class Widget>
    static Widget* place(Widget* widget, QRect geometry) {
        widget->setGeometry(geometry);
        return widget;
    }

    void SetUp() override {
        form.resize(708, 480);
        auto* group =
            place(new QGroupBox(QStringLiteral("Transformer Winding"), &form), {210, 240, 490, 195});
        readout = place(new QLabel(group), {372, 2, 106, 15});
        place(new QLabel(QStringLiteral("static"), group), {20, 40, 60, 15});
        place(new QLabel(QStringLiteral("label"), &form), {10, 40, 80, 15});
        place(new QLineEdit(&form), {10, 60, 80, 20});
        place(new QLineEdit(&form), {10, 90, 80, 20})->setEnabled(false);
        place(new QTreeWidget(&form), {210, 10, 490, 220});
        new PointerReadout(&form, readout);
        // Controls created after the read-out are watched as well.
        place(new QLabel(QStringLiteral("late"), &form), {10, 400, 80, 15});
        place(new QLineEdit(&form), {10, 430, 80, 20});
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    // The platform's own pointer move (QTest::mouseMove would take (0,0) for the centre).
    void moveTo(QPoint p) {
        QCursor::setPos(form.mapToGlobal(p));
        QCoreApplication::processEvents();
    }
    std::string shown() const { return readout->text().toStdString(); }

    Form form;
    QLabel* readout = nullptr;
};

// Each step starts where the previous one left the read-out.
TEST_F(PointerReadoutTest, FollowsTheSurfaceAndKeepsLastValueOverControls) {
    EXPECT_EQ(shown(), "") << "before the pointer moves";
    struct Step {
        const char* where;
        QPoint point;
        const char* expected;
    };
    const std::vector<Step> steps = {
        {"top-left corner", {0, 0}, "Coordinate:0,0"},
        {"slot's bottom-left inside the group box", {222, 400}, "Coordinate:222,400"},
        {"edit", {20, 70}, "Coordinate:222,400"},
        {"static text", {20, 45}, "Coordinate:20,45"},
        {"form surface", {5, 5}, "Coordinate:5,5"},
        {"result table rows", {300, 100}, "Coordinate:5,5"},
        {"result table header", {230, 15}, "Coordinate:5,5"},
        {"group box frame", {215, 250}, "Coordinate:215,250"},
        {"static text in the group box", {235, 285}, "Coordinate:235,285"},
        {"disabled edit", {20, 100}, "Coordinate:20,100"},
        {"static text created later", {20, 405}, "Coordinate:20,405"},
        {"edit created later", {20, 440}, "Coordinate:20,405"},
        {"bottom-right corner", {707, 479}, "Coordinate:707,479"},
    };
    for (const Step& step : steps) {
        moveTo(step.point);
        EXPECT_EQ(shown(), step.expected) << step.where;
    }
}

TEST_F(PointerReadoutTest, LeftPressOnTheSurfaceDoesNothing) {
    moveTo({40, 300});
    QTest::mousePress(&form, Qt::LeftButton, {}, {40, 300});
    QTest::mouseRelease(&form, Qt::LeftButton, {}, {40, 300});
    EXPECT_EQ(form.presses, 0);
    EXPECT_EQ(shown(), "Coordinate:40,300");
    QTest::mousePress(&form, Qt::RightButton, {}, {40, 300});
    QTest::mouseRelease(&form, Qt::RightButton, {}, {40, 300});
    EXPECT_EQ(form.presses, 1) << "other buttons go on as usual";
}

TEST_F(PointerReadoutTest, DragOutsideTheFormKeepsLastInsideValue) {
    moveTo({700, 470});
    QTest::mousePress(&form, Qt::RightButton, {}, {700, 470});
    QTest::mouseMove(&form, {760, 500});
    moveTo({760, 500});
    EXPECT_EQ(shown(), "Coordinate:700,470");
    QTest::mouseRelease(&form, Qt::RightButton, {}, {760, 500});
}

}  // namespace
