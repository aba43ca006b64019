#include "psrex/psr_calculator_dialog.h"

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
        dlg = std::make_unique<PsrCalculatorDialog>();
        dlg->setMessageFunction([this](QWidget*, const QString& text) { messages << text; });
    }

    template <typename T>
    T* child(const QString& name) const {
        auto* widget = dlg->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(name); }
    QLabel* label(const char* name) const { return child<QLabel>(name); }
    QPushButton* button(const char* name) const { return child<QPushButton>(name); }
    QSlider* slider() const { return child<QSlider>(QStringLiteral("fluxSlider")); }
    QString text(const char* name) const { return edit(name)->text(); }
    QColor labelColour(const char* name) const { return label(name)->palette().color(QPalette::WindowText); }

    void type(const char* name, const char* value) const { edit(name)->setText(QString::fromUtf8(value)); }
    void analyse() const { button("analyseButton")->click(); }

    void showAndDraw() const {
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        slider()->repaint();
    }

    // Everything a calculation writes, in one list.
    QStringList shownResults() const {
        QStringList shown;
        for (const char* id : {"inductanceEdit", "primaryTurnsEdit", "secondaryTurnsEdit",
                               "feedbackTurnsEdit", "turnsRatioEdit", "actualFrequencyEdit"})
            shown << text(id);
        for (const char* id : {"minLabel", "maxLabel", "fluxLabel"}) shown << label(id)->text();
        return shown << QString::number(slider()->value());
    }

    std::unique_ptr<PsrCalculatorDialog> dlg;
    QStringList messages;
};

TEST_F(PsrExDlgTest, OpensWithItsTemplateAndDefaults) {
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("VEV_OD_V1.0"));
    EXPECT_EQ(dlg->size(), QSize(dialogUnits(327), dialogUnits(231)));
    EXPECT_EQ(dlg->font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(dlg->font().pointSize(), 10);
    const std::pair<const char*, const char*> inputs[] = {
        {"outputVoltageEdit", "25"}, {"outputCurrentEdit", "0.33"}, {"feedbackVoltageEdit", "13"},
        {"efficiencyEdit", "90"},    {"coreAeEdit", "19"},          {"wantedFrequencyEdit", "52"}};
    for (const auto& [id, value] : inputs) {
        EXPECT_EQ(text(id), QString::fromLatin1(value)) << id;
        EXPECT_FALSE(edit(id)->isReadOnly()) << id;
    }
    for (const char* id : {"inductanceEdit", "primaryTurnsEdit", "secondaryTurnsEdit", "feedbackTurnsEdit",
                           "turnsRatioEdit", "actualFrequencyEdit"})
        EXPECT_TRUE(edit(id)->isReadOnly()) << id;
    EXPECT_EQ(slider()->orientation(), Qt::Horizontal);
    EXPECT_EQ(slider()->maximum(), 100);
    EXPECT_EQ(slider()->tickPosition(), QSlider::NoTicks);
    for (const char* id : {"analyseButton", "exitButton"}) {
        EXPECT_FALSE(button(id)->isDefault()) << id;
        EXPECT_FALSE(button(id)->autoDefault()) << id;
    }
    EXPECT_EQ(button("analyseButton")->text(), QStringLiteral("分析(A)"));
    EXPECT_EQ(button("exitButton")->text(), QStringLiteral("退出(Q)"));

    // Drawing the slider shows its lowest flux in green; nothing to compute the turns from yet.
    showAndDraw();
    EXPECT_EQ(shownResults(), QStringList({"0", "0", "0", "0", "0", "0", "Min", "Max", "2000GS", "0"}));
    EXPECT_EQ(labelColour("fluxLabel"), kGreen);
    EXPECT_EQ(labelColour("minLabel"), QColor(0, 130, 0));
    EXPECT_EQ(labelColour("maxLabel"), kRed);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PsrExDlgTest, ControlsStandAtTheirTemplatePositions) {
    struct Place {
        const char* name;
        int x, y, w, h;
    };
    const Place places[] = {{"outputVoltageEdit", 73, 31, 40, 14},
                            {"outputCurrentEdit", 73, 52, 40, 14},
                            {"feedbackVoltageEdit", 73, 71, 40, 14},
                            {"efficiencyEdit", 73, 91, 40, 14},
                            {"coreAeEdit", 73, 111, 40, 14},
                            {"wantedFrequencyEdit", 73, 132, 40, 14},
                            {"analyseButton", 42, 203, 50, 14},
                            {"inductanceEdit", 223, 18, 40, 14},
                            {"fluxSlider", 181, 47, 100, 15},
                            {"primaryTurnsEdit", 223, 71, 40, 14},
                            {"secondaryTurnsEdit", 223, 96, 40, 14},
                            {"feedbackTurnsEdit", 223, 121, 40, 14},
                            {"turnsRatioEdit", 223, 146, 40, 14},
                            {"actualFrequencyEdit", 223, 171, 40, 14},
                            {"exitButton", 205, 203, 50, 14},
                            {"minLabel", 141, 52, 30, 0},
                            {"maxLabel", 281, 55, 30, 0},
                            {"fluxLabel", 215, 36, 34, 0}};
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
    const QStringList expected{"outputVoltageEdit", "outputCurrentEdit",   "feedbackVoltageEdit",
                               "efficiencyEdit",    "coreAeEdit",          "wantedFrequencyEdit",
                               "analyseButton",     "inductanceEdit",      "fluxSlider",
                               "primaryTurnsEdit",  "secondaryTurnsEdit",  "feedbackTurnsEdit",
                               "turnsRatioEdit",    "actualFrequencyEdit", "exitButton"};
    QStringList order;
    QWidget* widget = edit("outputVoltageEdit");
    do {
        if (widget->focusPolicy() & Qt::TabFocus) order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != edit("outputVoltageEdit") && order.size() < 40);
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
    EXPECT_EQ(labelColour("fluxLabel"), c.colour.value_or(QLabel().palette().color(QPalette::WindowText)));
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
    const char* id;
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
    type("coreAeEdit", "25");  // good, and read before every other field, yet not kept either
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
    EXPECT_EQ(text("coreAeEdit"), QStringLiteral("19"));
    EXPECT_EQ(text("primaryTurnsEdit"), c.firstRun ? QStringLiteral("0") : QStringLiteral("113"));
    EXPECT_EQ(label("minLabel")->text(), shown[6]);
}

INSTANTIATE_TEST_SUITE_P(Entries, RefusedInputs,
                         ::testing::Values(RefusalCase{"outputCurrentEdit", "abc", kEnterNumber},
                                           RefusalCase{"outputVoltageEdit", "-0.8", kUnusable},
                                           RefusalCase{"outputCurrentEdit", "0", kUnusable},
                                           RefusalCase{"efficiencyEdit", "0", kUnusable},
                                           RefusalCase{"coreAeEdit", "0", kUnusable},
                                           RefusalCase{"wantedFrequencyEdit", "65000", kUnusable},
                                           RefusalCase{"wantedFrequencyEdit", "0", kUnusable, true},
                                           // feedback turns beyond any float
                                           RefusalCase{"feedbackVoltageEdit", "3e38", kUnusable}));

struct CloseCase {
    const char* name;
    void (*close)(PsrCalculatorDialog&);
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

QLineEdit* currentEdit(PsrCalculatorDialog& d) {
    return d.findChild<QLineEdit*>(QStringLiteral("outputCurrentEdit"));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Closing,
    ::testing::Values(
        CloseCase{
            "QuitButton",
            [](PsrCalculatorDialog& d) { d.findChild<QPushButton*>(QStringLiteral("exitButton"))->click(); },
            QDialog::Rejected},
        CloseCase{"AltQ",
                  [](PsrCalculatorDialog& d) { QTest::keyClick(currentEdit(d), Qt::Key_Q, Qt::AltModifier); },
                  QDialog::Rejected},
        CloseCase{"Escape", [](PsrCalculatorDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
                  QDialog::Rejected},
        CloseCase{"CloseBox", [](PsrCalculatorDialog& d) { d.close(); }, QDialog::Rejected},
        CloseCase{"EnterInAnEdit",
                  [](PsrCalculatorDialog& d) { QTest::keyClick(currentEdit(d), Qt::Key_Return); },
                  QDialog::Accepted}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PsrExDlgTest, EnterReadsTheFieldsBeforeClosing) {
    dlg->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    type("coreAeEdit", "38");
    type("efficiencyEdit", "x");
    QTest::keyClick(edit("outputVoltageEdit"), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(kEnterNumber)});
    EXPECT_EQ(dlg->focusWidget(), edit("efficiencyEdit"));
    EXPECT_EQ(dlg->fields().exCoreAe, 19);

    type("efficiencyEdit", "85");
    QTest::keyClick(edit("efficiencyEdit"), Qt::Key_Return);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->fields().exEfficiency, 85);
    EXPECT_EQ(dlg->fields().exCoreAe, 38);
}

TEST_F(PsrExDlgTest, EnterOnTheAnalyseButtonAndAltAAnalyse) {
    dlg->open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    button("analyseButton")->setFocus();
    QTest::keyClick(button("analyseButton"), Qt::Key_Return);
    EXPECT_EQ(text("inductanceEdit"), QStringLiteral("1200"));
    QApplication::processEvents();  // the slider's redraw, which puts the stored values back

    type("outputVoltageEdit", "5");
    type("wantedFrequencyEdit", "60");
    QTest::keyClick(edit("wantedFrequencyEdit"), Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return text("inductanceEdit") == QStringLiteral("4600"); }, 2000));
    EXPECT_TRUE(dlg->isVisible());
}

}  // namespace
