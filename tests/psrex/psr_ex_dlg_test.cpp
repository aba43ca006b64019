#include "psrex/psr_ex_dlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStringList>
#include <QTest>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "widgets/application_setup.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

constexpr QColor kGreen{0, 150, 0};
constexpr QColor kPink{255, 10, 128};
constexpr QColor kRed{255, 0, 0};

const char* const kEnterNumber = "请键入一个数。";
const char* const kUnusable = "参数不合理,请检查!";

class PsrExDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlg = std::make_unique<CPsrExDlg>();
        dlg->setMessageFunction([this](QWidget*, const QString& text) { messages << text; });
    }

    template <typename T>
    T* child(const QString& name) const {
        auto* widget = dlg->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QLineEdit* edit(int id) const { return child<QLineEdit>(QStringLiteral("edit%1").arg(id)); }
    QLabel* label(int id) const { return child<QLabel>(QStringLiteral("static%1").arg(id)); }
    QPushButton* button(int id) const { return child<QPushButton>(QStringLiteral("button%1").arg(id)); }
    QSlider* slider() const { return child<QSlider>(QStringLiteral("slider1100")); }
    QString text(int id) const { return edit(id)->text(); }
    QColor labelColour(int id) const { return label(id)->palette().color(QPalette::WindowText); }

    void type(int id, const char* value) const { edit(id)->setText(QString::fromUtf8(value)); }
    void analyse() const { button(1096)->click(); }

    void showAndDraw() const {
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        slider()->repaint();
    }

    // Everything a calculation writes, in one list.
    QStringList shownResults() const {
        QStringList shown;
        for (int id : {1099, 1101, 1102, 1103, 1104, 1105}) shown << text(id);
        for (int id : {1106, 1107, 1109}) shown << label(id)->text();
        return shown << QString::number(slider()->value());
    }

    std::unique_ptr<CPsrExDlg> dlg;
    QStringList messages;
};

TEST_F(PsrExDlgTest, OpensWithItsTemplateAndDefaults) {
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("VEV_OD_V1.0"));
    EXPECT_EQ(dlg->size(), QSize(dialogUnits(327), dialogUnits(231)));
    EXPECT_EQ(dlg->font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(dlg->font().pointSize(), 10);
    const std::pair<int, const char*> inputs[] = {{1045, "25"}, {1046, "0.33"}, {1092, "13"},
                                                  {1049, "90"}, {1050, "19"},   {1095, "52"}};
    for (const auto& [id, value] : inputs) {
        EXPECT_EQ(text(id), QString::fromLatin1(value)) << id;
        EXPECT_FALSE(edit(id)->isReadOnly()) << id;
    }
    for (int id : {1099, 1101, 1102, 1103, 1104, 1105}) EXPECT_TRUE(edit(id)->isReadOnly()) << id;
    EXPECT_EQ(slider()->orientation(), Qt::Horizontal);
    EXPECT_EQ(slider()->maximum(), 100);
    EXPECT_EQ(slider()->tickPosition(), QSlider::NoTicks);
    for (int id : {1096, 1108}) {
        EXPECT_FALSE(button(id)->isDefault()) << id;
        EXPECT_FALSE(button(id)->autoDefault()) << id;
    }
    EXPECT_EQ(button(1096)->text(), QStringLiteral("分析(A)"));
    EXPECT_EQ(button(1108)->text(), QStringLiteral("退出(Q)"));

    // Drawing the slider shows its lowest flux in green; nothing to compute the turns from yet.
    showAndDraw();
    EXPECT_EQ(shownResults(), QStringList({"0", "0", "0", "0", "0", "0", "Min", "Max", "2000GS", "0"}));
    EXPECT_EQ(labelColour(1109), kGreen);
    EXPECT_EQ(labelColour(1106), QColor(0, 130, 0));
    EXPECT_EQ(labelColour(1107), kRed);
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
        const QRect r = child<QWidget>(QString::fromLatin1(p.name))->geometry();
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

struct SliderCase {
    std::optional<int> position;   // empty: where Analyse put it
    QStringList shown;             // as shownResults() lists them
    std::optional<QColor> colour;  // empty: the label's own colour
};

void PrintTo(const SliderCase& c, std::ostream* os) {
    *os << "position " << c.position.value_or(-1);
}

class AnalyseAndSlide : public PsrExDlgTest, public ::testing::WithParamInterface<SliderCase> {};

// The slider changes only the turns and its label: neither the inductance, the ratio, the
// frequency nor Min and Max.
TEST_P(AnalyseAndSlide, GiveTheTurnsAndColours) {
    const SliderCase& c = GetParam();
    showAndDraw();
    analyse();
    if (c.position) slider()->setValue(*c.position);
    QApplication::processEvents();
    EXPECT_EQ(shownResults(), c.shown);
    EXPECT_EQ(labelColour(1109), c.colour.value_or(QLabel().palette().color(QPalette::WindowText)));
    EXPECT_TRUE(messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Defaults, AnalyseAndSlide,
    ::testing::Values(
        SliderCase{std::nullopt,
                   {"1200", "136", "52", "26", "2.60465", "52", "170Ts", "113Ts", "2500GS", "50"},
                   kPink},
        SliderCase{
            20, {"1200", "154", "59", "30", "2.60465", "52", "170Ts", "113Ts", "2200GS", "20"}, std::nullopt},
        SliderCase{
            100, {"1200", "113", "43", "22", "2.60465", "52", "170Ts", "113Ts", "3000GS", "100"}, kRed}));

struct RefusalCase {
    int id;
    const char* typed;
    const char* message;
    bool firstRun = false;  // refused only before any Analyse has found a frequency
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.id << " \"" << c.typed << '"';
}

class RefusedInputs : public PsrExDlgTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusedInputs, NameTheEditAndStoreNothing) {
    const RefusalCase& c = GetParam();
    showAndDraw();
    if (!c.firstRun) analyse();
    const PsrFields stored = dlg->fields();
    const QStringList shown = shownResults();
    type(1050, "25");  // good, and read before every other field, yet not kept either
    type(c.id, c.typed);
    analyse();
    QApplication::processEvents();
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.message)});
    EXPECT_EQ(dlg->focusWidget(), edit(c.id));
    // A slider draw may already have put the stored value back; it stays selected all the same.
    EXPECT_TRUE(edit(c.id)->hasSelectedText());
    EXPECT_EQ(edit(c.id)->selectedText(), edit(c.id)->text());
    EXPECT_TRUE(dlg->fields() == stored);
    EXPECT_EQ(shownResults(), shown);
    // The next slider movement works from the stored inputs and shows them again.
    slider()->setValue(100);
    EXPECT_EQ(text(1050), QStringLiteral("19"));
    EXPECT_EQ(text(1101), c.firstRun ? QStringLiteral("0") : QStringLiteral("113"));
    EXPECT_EQ(label(1106)->text(), shown[6]);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, RefusedInputs,
    ::testing::Values(RefusalCase{1046, "abc", kEnterNumber}, RefusalCase{1045, "-0.8", kUnusable},
                      RefusalCase{1046, "0", kUnusable}, RefusalCase{1049, "0", kUnusable},
                      RefusalCase{1050, "0", kUnusable}, RefusalCase{1095, "65000", kUnusable},
                      RefusalCase{1095, "0", kUnusable, true},
                      // feedback turns beyond any float
                      RefusalCase{1092, "3e38", kUnusable}));

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
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    GetParam().close(*dlg);
    // A button's shortcut clicks it after showing it pressed for a moment.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !dlg->isVisible(); }, 2000));
    EXPECT_EQ(dlg->result(), GetParam().result);
    EXPECT_TRUE(messages.isEmpty());
}

QLineEdit* currentEdit(CPsrExDlg& d) {
    return d.findChild<QLineEdit*>(QStringLiteral("edit1046"));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Closing,
    ::testing::Values(
        CloseCase{"QuitButton",
                  [](CPsrExDlg& d) { d.findChild<QPushButton*>(QStringLiteral("button1108"))->click(); },
                  QDialog::Rejected},
        CloseCase{"AltQ", [](CPsrExDlg& d) { QTest::keyClick(currentEdit(d), Qt::Key_Q, Qt::AltModifier); },
                  QDialog::Rejected},
        CloseCase{"Escape", [](CPsrExDlg& d) { QTest::keyClick(&d, Qt::Key_Escape); }, QDialog::Rejected},
        CloseCase{"CloseBox", [](CPsrExDlg& d) { d.close(); }, QDialog::Rejected},
        CloseCase{"EnterInAnEdit", [](CPsrExDlg& d) { QTest::keyClick(currentEdit(d), Qt::Key_Return); },
                  QDialog::Accepted}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PsrExDlgTest, EnterReadsTheFieldsBeforeClosing) {
    dlg->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    type(1050, "38");
    type(1049, "x");
    QTest::keyClick(edit(1045), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(kEnterNumber)});
    EXPECT_EQ(dlg->focusWidget(), edit(1049));
    EXPECT_EQ(dlg->fields().exCoreAe, 19);

    type(1049, "85");
    QTest::keyClick(edit(1049), Qt::Key_Return);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->fields().exEfficiency, 85);
    EXPECT_EQ(dlg->fields().exCoreAe, 38);
}

TEST_F(PsrExDlgTest, EnterOnTheAnalyseButtonAndAltAAnalyse) {
    dlg->open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    button(1096)->setFocus();
    QTest::keyClick(button(1096), Qt::Key_Return);
    EXPECT_EQ(text(1099), QStringLiteral("1200"));
    QApplication::processEvents();  // the slider's redraw, which puts the stored values back

    type(1045, "5");
    type(1095, "60");
    QTest::keyClick(edit(1095), Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return text(1099) == QStringLiteral("4600"); }, 2000));
    EXPECT_TRUE(dlg->isVisible());
}

}  // namespace
