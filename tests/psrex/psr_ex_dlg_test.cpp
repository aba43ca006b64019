#include "psrex/psr_ex_dlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QSlider>
#include <QStringList>
#include <QTest>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "widgets/application_setup.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

constexpr QColor kGreen{0, 150, 0};
constexpr QColor kPink{255, 10, 128};
constexpr QColor kRed{255, 0, 0};

class PsrExDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlg = std::make_unique<CPsrExDlg>();
        dlg->setMessageFunction([this](QWidget*, const QString& text) { messages << text; });
    }

    template <typename T>
    T* child(const char* name) const {
        auto* widget = dlg->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* edit(int id) const { return child<QLineEdit>(("edit" + std::to_string(id)).c_str()); }
    QLabel* label(int id) const { return child<QLabel>(("static" + std::to_string(id)).c_str()); }
    QSlider* slider() const { return child<QSlider>("slider1100"); }
    QString text(int id) const { return edit(id)->text(); }

    void type(int id, const QString& value) const { edit(id)->setText(value); }
    void analyse() const { child<QPushButton>("button1096")->click(); }
    QColor labelColour(int id) const { return label(id)->palette().color(QPalette::WindowText); }
    QColor defaultLabelColour() const { return QLabel().palette().color(QPalette::WindowText); }

    void showAndDraw() const {
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        slider()->repaint();
    }

    std::unique_ptr<CPsrExDlg> dlg;
    QStringList messages;
};

TEST_F(PsrExDlgTest, OpensWithItsTemplateAndDefaults) {
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("VEV_OD_V1.0"));
    EXPECT_EQ(dlg->size(), QSize(dialogUnits(327), dialogUnits(231)));
    EXPECT_EQ(dlg->font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(dlg->font().pointSize(), 10);

    const std::pair<int, const char*> shownValues[] = {
        {1045, "25"}, {1046, "0.33"}, {1092, "13"}, {1049, "90"}, {1050, "19"}, {1095, "52"},
        {1099, "0"},  {1101, "0"},    {1102, "0"},  {1103, "0"},  {1104, "0"},  {1105, "0"}};
    for (const auto& [id, value] : shownValues) EXPECT_EQ(text(id), QString::fromLatin1(value)) << id;
    for (int id : {1099, 1101, 1102, 1103, 1104, 1105}) EXPECT_TRUE(edit(id)->isReadOnly()) << id;
    for (int id : {1045, 1046, 1092, 1049, 1050, 1095}) EXPECT_FALSE(edit(id)->isReadOnly()) << id;

    EXPECT_EQ(slider()->orientation(), Qt::Horizontal);
    EXPECT_EQ(slider()->minimum(), 0);
    EXPECT_EQ(slider()->maximum(), 100);
    EXPECT_EQ(slider()->tickPosition(), QSlider::NoTicks);
    EXPECT_EQ(slider()->value(), 0);
    for (const char* name : {"button1096", "button1108"}) {
        EXPECT_FALSE(child<QPushButton>(name)->isDefault()) << name;
        EXPECT_FALSE(child<QPushButton>(name)->autoDefault()) << name;
    }
    EXPECT_EQ(child<QPushButton>("button1096")->text(), QStringLiteral("分析(A)"));
    EXPECT_EQ(child<QPushButton>("button1108")->text(), QStringLiteral("退出(Q)"));
}

TEST_F(PsrExDlgTest, FirstDrawingShowsTheLowestFluxInGreenAndKeepsMinMax) {
    showAndDraw();
    EXPECT_EQ(label(1109)->text(), QStringLiteral("2000GS"));
    EXPECT_EQ(labelColour(1109), kGreen);
    EXPECT_EQ(label(1106)->text(), QStringLiteral("Min"));
    EXPECT_EQ(label(1107)->text(), QStringLiteral("Max"));
    EXPECT_EQ(labelColour(1106), QColor(0, 130, 0));
    EXPECT_EQ(labelColour(1107), kRed);
    // No frequency yet: the turns stay as they were.
    EXPECT_EQ(text(1101), QStringLiteral("0"));
    EXPECT_EQ(text(1102), QStringLiteral("0"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PsrExDlgTest, ControlsStandAtTheirTemplatePositions) {
    struct Place {
        const char* name;
        int x, y, w, h;
    };
    const Place places[] = {
        {"edit1045", 73, 31, 40, 14},    {"edit1046", 73, 52, 40, 14},   {"edit1092", 73, 71, 40, 14},
        {"edit1049", 73, 91, 40, 14},    {"edit1050", 73, 111, 40, 14},  {"edit1095", 73, 132, 40, 14},
        {"button1096", 42, 203, 50, 14}, {"edit1099", 223, 18, 40, 14},  {"slider1100", 181, 47, 100, 15},
        {"edit1101", 223, 71, 40, 14},   {"edit1102", 223, 96, 40, 14},  {"edit1103", 223, 121, 40, 14},
        {"edit1104", 223, 146, 40, 14},  {"edit1105", 223, 171, 40, 14}, {"button1108", 205, 203, 50, 14},
        {"static1106", 141, 52, 30, 0},  {"static1107", 281, 55, 30, 0}, {"static1109", 215, 36, 34, 0}};
    for (const Place& p : places) {
        const QRect r = child<QWidget>(p.name)->geometry();
        EXPECT_EQ(r.topLeft(), QPoint(dialogUnits(p.x), dialogUnits(p.y))) << p.name;
        EXPECT_EQ(r.width(), dialogUnits(p.w)) << p.name;
        if (p.h != 0) {
            EXPECT_EQ(r.height(), dialogUnits(p.h)) << p.name;
        }
    }
}

TEST_F(PsrExDlgTest, CaptionsAreNotClipped) {
    for (QLabel* caption : dlg->findChildren<QLabel*>()) {
        const QFontMetrics metrics(caption->font());
        EXPECT_LE(metrics.horizontalAdvance(caption->text()), caption->width())
            << caption->text().toStdString();
        EXPECT_LE(metrics.height(), caption->height()) << caption->text().toStdString();
        // and they stay clear of the edits and buttons
        for (QWidget* control : dlg->findChildren<QWidget*>()) {
            if (qobject_cast<QLineEdit*>(control) || qobject_cast<QPushButton*>(control) ||
                qobject_cast<QSlider*>(control)) {
                EXPECT_FALSE(caption->geometry().intersects(control->geometry()))
                    << caption->text().toStdString() << " / " << control->objectName().toStdString();
            }
        }
    }
}

TEST_F(PsrExDlgTest, TabOrderFollowsTheTable) {
    const QStringList expected{"edit1045", "edit1046",   "edit1092", "edit1049",   "edit1050",
                               "edit1095", "button1096", "edit1099", "slider1100", "edit1101",
                               "edit1102", "edit1103",   "edit1104", "edit1105",   "button1108"};
    QStringList order;
    QWidget* widget = edit(1045);
    do {
        if (widget->focusPolicy() & Qt::TabFocus) order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != edit(1045) && order.size() < 40);
    EXPECT_EQ(order, expected);
}

TEST_F(PsrExDlgTest, AnalyseWithTheDefaults) {
    showAndDraw();
    analyse();
    QApplication::processEvents();
    EXPECT_EQ(text(1099), QStringLiteral("1200"));
    EXPECT_EQ(text(1105), QStringLiteral("52"));
    EXPECT_EQ(text(1104), QStringLiteral("2.60465"));
    EXPECT_EQ(text(1101), QStringLiteral("136"));
    EXPECT_EQ(text(1102), QStringLiteral("52"));
    EXPECT_EQ(text(1103), QStringLiteral("26"));
    EXPECT_EQ(label(1106)->text(), QStringLiteral("170Ts"));
    EXPECT_EQ(label(1107)->text(), QStringLiteral("113Ts"));
    EXPECT_EQ(slider()->value(), 50);
    EXPECT_EQ(label(1109)->text(), QStringLiteral("2500GS"));
    EXPECT_EQ(labelColour(1109), kPink);
    EXPECT_TRUE(messages.isEmpty());
}

struct SliderCase {
    int position;
    const char* flux;
    std::optional<QColor> colour;  // empty: the label's own colour
    const char* primary;
    const char* secondary;
    const char* feedback;
};

void PrintTo(const SliderCase& c, std::ostream* os) {
    *os << "position " << c.position;
}

class SliderPositions : public PsrExDlgTest, public ::testing::WithParamInterface<SliderCase> {};

TEST_P(SliderPositions, GiveTheTurnsAndColours) {
    const SliderCase c = GetParam();
    showAndDraw();
    analyse();
    slider()->setValue(c.position);
    QApplication::processEvents();
    EXPECT_EQ(label(1109)->text(), QString::fromLatin1(c.flux));
    EXPECT_EQ(labelColour(1109), c.colour.value_or(defaultLabelColour()));
    EXPECT_EQ(text(1101), QString::fromLatin1(c.primary));
    EXPECT_EQ(text(1102), QString::fromLatin1(c.secondary));
    EXPECT_EQ(text(1103), QString::fromLatin1(c.feedback));
    // The slider changes neither the inductance, the ratio nor the frequency, nor Min and Max.
    EXPECT_EQ(text(1099), QStringLiteral("1200"));
    EXPECT_EQ(text(1104), QStringLiteral("2.60465"));
    EXPECT_EQ(text(1105), QStringLiteral("52"));
    EXPECT_EQ(label(1106)->text(), QStringLiteral("170Ts"));
}

INSTANTIATE_TEST_SUITE_P(Edges, SliderPositions,
                         ::testing::Values(SliderCase{0, "2000GS", kGreen, "170", "65", "33"},
                                           SliderCase{20, "2200GS", std::nullopt, "154", "59", "30"},
                                           SliderCase{80, "2800GS", std::nullopt, "121", "46", "23"},
                                           SliderCase{100, "3000GS", kRed, "113", "43", "22"}));

TEST_F(PsrExDlgTest, FiveVoltsAtSixtyKilohertz) {
    type(1045, "5");
    type(1095, "60");
    analyse();
    EXPECT_EQ(text(1105), QStringLiteral("61"));
    EXPECT_EQ(text(1099), QStringLiteral("4600"));
    EXPECT_EQ(text(1104), QStringLiteral("11.5862"));
    EXPECT_EQ(text(1101), QStringLiteral("115"));
    EXPECT_EQ(text(1102), QStringLiteral("10"));
    EXPECT_EQ(text(1103), QStringLiteral("23"));
    EXPECT_EQ(label(1106)->text(), QStringLiteral("144Ts"));
    EXPECT_EQ(label(1107)->text(), QStringLiteral("96Ts"));
}

TEST_F(PsrExDlgTest, AnInductanceExactlyOnAMultipleEndsTheSweep) {
    type(1046, "0.741296709");
    type(1095, "40");
    analyse();
    EXPECT_EQ(text(1105), QStringLiteral("40"));
    EXPECT_EQ(text(1099), QStringLiteral("700"));
}

TEST_F(PsrExDlgTest, SliderWritesTheStoredValuesOverTypedText) {
    showAndDraw();
    analyse();
    type(1045, "99");
    type(1050, "38");
    slider()->setValue(60);
    EXPECT_EQ(text(1045), QStringLiteral("25"));
    EXPECT_EQ(text(1050), QStringLiteral("19"));
    EXPECT_EQ(label(1109)->text(), QStringLiteral("2600GS"));
}

struct RefusalCase {
    int id;
    const char* typed;
    const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.id << " \"" << c.typed << '"';
}

class RefusedEntries : public PsrExDlgTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusedEntries, StopWithTheirMessageAndFocus) {
    const RefusalCase c = GetParam();
    type(1050, "38");  // read before every other field
    type(c.id, QString::fromUtf8(c.typed));
    analyse();
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.message)});
    EXPECT_EQ(dlg->focusWidget(), edit(c.id));
    EXPECT_EQ(edit(c.id)->selectedText(), edit(c.id)->text());
    // Nothing computed, but what was read before the refused field is kept.
    EXPECT_EQ(text(1099), QStringLiteral("0"));
    EXPECT_EQ(label(1106)->text(), QStringLiteral("Min"));
    EXPECT_EQ(dlg->fields().exCoreAe, 38);
}

INSTANTIATE_TEST_SUITE_P(Entries, RefusedEntries,
                         ::testing::Values(RefusalCase{1046, "abc", "请键入一个数。"},
                                           RefusalCase{1046, "", "请键入一个数。"},
                                           RefusalCase{1045, "-0", "请键入一个数。"},
                                           RefusalCase{1095, "52kHz", "请键入一个数。"},
                                           RefusalCase{1092, ".0", "请键入一个数。"}));

struct DegenerateCase {
    int id;
    const char* typed;
};

void PrintTo(const DegenerateCase& c, std::ostream* os) {
    *os << c.id << " \"" << c.typed << '"';
}

class DegenerateInputs : public PsrExDlgTest, public ::testing::WithParamInterface<DegenerateCase> {};

TEST_P(DegenerateInputs, ComputeNothingAndShowNoMessage) {
    const DegenerateCase c = GetParam();
    showAndDraw();
    type(c.id, QString::fromLatin1(c.typed));
    analyse();
    QApplication::processEvents();
    EXPECT_TRUE(messages.isEmpty());
    for (int id : {1099, 1101, 1102, 1103, 1104, 1105}) EXPECT_EQ(text(id), QStringLiteral("0")) << id;
    EXPECT_EQ(label(1106)->text(), QStringLiteral("Min"));
    EXPECT_EQ(label(1107)->text(), QStringLiteral("Max"));
    EXPECT_EQ(slider()->value(), 0);
    EXPECT_EQ(text(c.id), QString::fromLatin1(c.typed));
}

INSTANTIATE_TEST_SUITE_P(Inputs, DegenerateInputs,
                         ::testing::Values(DegenerateCase{1045, "-0.8"}, DegenerateCase{1046, "0"},
                                           DegenerateCase{1049, "0"}, DegenerateCase{1049, "-10"},
                                           DegenerateCase{1050, "0"}, DegenerateCase{1095, "0"},
                                           DegenerateCase{1095, "-3"}, DegenerateCase{1095, "20000"}));

TEST_F(PsrExDlgTest, DegenerateInputAfterAnAnalyseKeepsTheShownResults) {
    analyse();
    type(1046, "0");
    analyse();
    EXPECT_EQ(text(1099), QStringLiteral("1200"));
    EXPECT_EQ(text(1101), QStringLiteral("136"));
    EXPECT_EQ(label(1106)->text(), QStringLiteral("170Ts"));
    // Moving the slider still works from the last good results.
    slider()->setValue(0);
    EXPECT_EQ(text(1101), QStringLiteral("170"));
}

struct CloseCase {
    const char* name;
    void (*close)(CPsrExDlg&);
    QDialog::DialogCode result;
};

void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << c.name;
}

class Closing : public PsrExDlgTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(Closing, EndsWithItsResult) {
    dlg->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    GetParam().close(*dlg);
    QApplication::processEvents();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), GetParam().result);
    EXPECT_TRUE(messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Closing,
    ::testing::Values(
        CloseCase{"QuitButton",
                  [](CPsrExDlg& d) { d.findChild<QPushButton*>(QStringLiteral("button1108"))->click(); },
                  QDialog::Rejected},
        CloseCase{"Escape", [](CPsrExDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); }, QDialog::Rejected},
        CloseCase{"CloseBox", [](CPsrExDlg& d) { d.close(); }, QDialog::Rejected},
        CloseCase{"EnterInAnEdit",
                  [](CPsrExDlg& d) {
                      QTest::keyClick(d.findChild<QLineEdit*>(QStringLiteral("edit1046")), Qt::Key_Return);
                  },
                  QDialog::Accepted}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PsrExDlgTest, EnterReadsTheFieldsBeforeClosing) {
    dlg->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    type(1049, "x");
    QTest::keyClick(edit(1045), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(messages, QStringList{QStringLiteral("请键入一个数。")});
    EXPECT_EQ(dlg->focusWidget(), edit(1049));

    type(1049, "85");
    QTest::keyClick(edit(1049), Qt::Key_Return);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->fields().exEfficiency, 85);
}

TEST_F(PsrExDlgTest, EnterOnTheAnalyseButtonAnalyses) {
    dlg->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    auto* button = child<QPushButton>("button1096");
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(text(1099), QStringLiteral("1200"));
}

}  // namespace
