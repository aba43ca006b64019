#include "diagram/pointer_readout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>
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
// inside, an edit, a disabled edit, a button, a combo box, a progress bar and the result table.
struct TestForm {
    Form form;
    QGroupBox* group = new QGroupBox(QStringLiteral("Transformer Winding"), &form);
    QLabel* readout = new QLabel(group);
    QLabel* groupLabel = new QLabel(QStringLiteral("static"), group);
    QLabel* label = new QLabel(QStringLiteral("label"), &form);
    QLineEdit* edit = new QLineEdit(&form);
    QLineEdit* disabledEdit = new QLineEdit(&form);
    QPushButton* button = new QPushButton(QStringLiteral("分析"), &form);
    QComboBox* combo = new QComboBox(&form);
    QProgressBar* progress = new QProgressBar(&form);
    QTreeWidget* table = new QTreeWidget(&form);
    QLabel* lateLabel = nullptr;
    QLineEdit* lateEdit = nullptr;

    TestForm() {
        form.resize(708, 480);
        group->setGeometry(210, 240, 490, 195);
        readout->setGeometry(582 - 210, 232 - 240 + 10, 106, 15);
        groupLabel->setGeometry(20, 40, 60, 15);
        label->setGeometry(10, 40, 80, 15);
        edit->setGeometry(10, 60, 80, 20);
        disabledEdit->setGeometry(10, 90, 80, 20);
        disabledEdit->setEnabled(false);
        button->setGeometry(10, 120, 80, 25);
        combo->addItems({QStringLiteral("----"), QStringLiteral("L6562")});
        combo->setGeometry(10, 150, 80, 22);
        progress->setGeometry(10, 180, 150, 15);
        table->setGeometry(210, 10, 490, 220);
        table->setHeaderLabels({QStringLiteral("No."), QStringLiteral("分值")});
        table->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("1."), QStringLiteral("19.68691")}));
        new PointerReadout(&form, readout);
        // Controls created after the read-out are watched as well.
        lateLabel = new QLabel(QStringLiteral("late"), &form);
        lateLabel->setGeometry(10, 400, 80, 15);
        lateEdit = new QLineEdit(&form);
        lateEdit->setGeometry(10, 430, 80, 20);
        form.show();
    }

    QString shown() const { return readout->text(); }
};

class PointerReadoutTest : public testing::Test {
protected:
    void SetUp() override {
        t = std::make_unique<TestForm>();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&t->form));
    }
    // The platform's own pointer move (QTest::mouseMove would take (0,0) for the centre).
    void moveTo(QPoint p) {
        QCursor::setPos(t->form.mapToGlobal(p));
        QCoreApplication::processEvents();
    }

    std::unique_ptr<TestForm> t;
};

TEST_F(PointerReadoutTest, EmptyUntilThePointerMoves) {
    EXPECT_EQ(t->shown(), QString());
}

// Each step starts where the previous one left the read-out.
TEST_F(PointerReadoutTest, FollowsTheSurfaceAndKeepsLastValueOverControls) {
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
        {"button", {20, 130}, "Coordinate:20,45"},
        {"form surface", {5, 5}, "Coordinate:5,5"},
        {"result table rows", {300, 100}, "Coordinate:5,5"},
        {"result table header", {230, 15}, "Coordinate:5,5"},
        {"group box frame", {215, 250}, "Coordinate:215,250"},
        {"static text in the group box", {235, 285}, "Coordinate:235,285"},
        {"combo box", {20, 160}, "Coordinate:235,285"},
        {"read-out itself", {600, 255}, "Coordinate:600,255"},
        {"progress bar", {20, 185}, "Coordinate:600,255"},
        {"disabled edit", {20, 100}, "Coordinate:20,100"},
        {"static text created later", {20, 405}, "Coordinate:20,405"},
        {"edit created later", {20, 440}, "Coordinate:20,405"},
        {"bottom-right corner", {707, 479}, "Coordinate:707,479"},
    };
    for (const Step& step : steps) {
        moveTo(step.point);
        EXPECT_EQ(t->shown().toStdString(), step.expected) << step.where;
    }
}

// Moves sent straight to the widget under the pointer, as the platform would deliver them.
TEST_F(PointerReadoutTest, MovesSentToChildren) {
    struct Case {
        QWidget* target;
        QPoint formPoint;
        const char* expected;
    };
    const std::vector<Case> cases = {{&t->form, {3, 4}, "Coordinate:3,4"},
                                     {t->table->viewport(), {300, 120}, "Coordinate:3,4"},
                                     {t->groupLabel, {232, 282}, "Coordinate:232,282"},
                                     {t->edit, {30, 65}, "Coordinate:232,282"},
                                     {t->group, {222, 400}, "Coordinate:222,400"}};
    for (const Case& c : cases) {
        const QPoint local = c.target->mapFrom(&t->form, c.formPoint);
        QMouseEvent move(QEvent::MouseMove, local, c.target->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(c.target, &move);
        EXPECT_EQ(t->shown().toStdString(), c.expected) << c.target->metaObject()->className();
    }
}

TEST_F(PointerReadoutTest, LeftPressOnTheSurfaceDoesNothing) {
    moveTo({40, 300});
    QTest::mousePress(&t->form, Qt::LeftButton, {}, {40, 300});
    QTest::mouseRelease(&t->form, Qt::LeftButton, {}, {40, 300});
    EXPECT_EQ(t->form.presses, 0);
    EXPECT_EQ(t->shown(), QStringLiteral("Coordinate:40,300"));
    QTest::mousePress(&t->form, Qt::RightButton, {}, {40, 300});
    QTest::mouseRelease(&t->form, Qt::RightButton, {}, {40, 300});
    EXPECT_EQ(t->form.presses, 1) << "other buttons go on as usual";
}

TEST_F(PointerReadoutTest, DragOutsideTheFormKeepsLastInsideValue) {
    moveTo({700, 470});
    QTest::mousePress(&t->form, Qt::RightButton, {}, {700, 470});
    QTest::mouseMove(&t->form, {760, 500});
    moveTo({760, 500});
    EXPECT_EQ(t->shown(), QStringLiteral("Coordinate:700,470"));
    QTest::mouseRelease(&t->form, Qt::RightButton, {}, {760, 500});
}

}  // namespace
