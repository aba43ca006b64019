#include <climits>
#include <functional>
#include <tuple>
#include <vector>

#include "tests/rules/rules_dialog_fixture.h"

namespace {

// Everything of the rules but the wire sets, for comparing whole states.
auto settled(const RuleSet& r) {
    return std::make_tuple(r.peakFlux, r.peakFluxSpan, r.onDuty, r.onDutySpan, r.frequency, r.frequencySpan,
                           r.switchDrop, r.diodeDrop, r.tempRise, r.windDepthLimit, r.firstWindingMinShare,
                           r.slotWidthReserve, r.tapeThickness, r.tapeTurns, r.outputDuty, r.idleRatio,
                           r.maxSolutions, r.ccMode, r.sandwichWinding, r.skinEffect, r.evenTurns,
                           r.sandwichWireChange, r.primaryStrands, r.secondaryStrands);
}

}  // namespace

TEST_F(RulesDialogTest, OpensWithTheDefaults) {
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("规则设置"));
    EXPECT_TRUE(find<QRadioButton>("radio1056")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("radio1057")->isChecked());
    EXPECT_EQ(find<QLabel>("static1059")->text(), QStringLiteral("PFM频率范围"));
    EXPECT_FALSE(edit("edit1014")->isEnabled());
    EXPECT_FALSE(find<QLabel>("static1058")->isEnabled());
    EXPECT_TRUE(edit("edit1017")->isEnabled());
    EXPECT_TRUE(edit("edit1011")->isEnabled());
    EXPECT_TRUE(find<QCheckBox>("check1033")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("check1039")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("check1040")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("check1040")->isEnabled());
    EXPECT_FALSE(find<QCheckBox>("check1052")->isChecked());
    EXPECT_TRUE(find<QPushButton>("button1034")->isDefault());

    const std::vector<std::pair<const char*, const char*>> shown = {
        {"edit1000", "2600"}, {"edit1026", "200"}, {"edit1003", "42"}, {"edit1025", "0"},  {"edit1004", "52"},
        {"edit1017", "3"},    {"edit1011", "50"},  {"edit1014", "20"}, {"edit1012", "10"}, {"edit1015", "4"},
        {"edit1016", "0.8"},  {"edit1018", "80"},  {"edit1019", "90"}, {"edit1031", "40"}, {"edit1038", "0"},
        {"edit1035", "0.02"}, {"edit1037", "2"},   {"edit1084", "1"},  {"edit1085", "1"}};
    for (const auto& [name, text] : shown) EXPECT_EQ(edit(name)->text(), QString::fromLatin1(text)) << name;
}

TEST_F(RulesDialogTest, OutputDutyFollowsTheControllerOnlyAtOpening) {
    for (const int controller : {0, 1, 2, 3, 4}) {
        state.controllerChoice = controller;
        open();
        EXPECT_EQ(edit("edit1011")->isEnabled(), controller == 3) << controller;
        EXPECT_TRUE(find<QLabel>("static1075")->isEnabled()) << controller;
        click("radio1057");
        click("radio1056");
        EXPECT_TRUE(edit("edit1011")->isEnabled()) << controller;
    }
}

TEST_F(RulesDialogTest, ModeButtonsSwitchLabelAndEnabling) {
    state.rules.ccMode = false;
    open();
    struct Step {
        const char* radio;  // nullptr: as opened
        const char* label;
        bool cc;
    };
    for (const Step& step : {Step{nullptr, "PWM频率", false}, Step{"radio1056", "PFM频率范围", true},
                             Step{"radio1057", "PWM频率", false}}) {
        if (step.radio) click(step.radio);
        const std::string where = step.radio ? step.radio : "opening";
        EXPECT_EQ(find<QRadioButton>("radio1056")->isChecked(), step.cc) << where;
        EXPECT_EQ(find<QRadioButton>("radio1057")->isChecked(), !step.cc) << where;
        EXPECT_EQ(find<QLabel>("static1059")->text(), QString::fromUtf8(step.label)) << where;
        EXPECT_EQ(edit("edit1014")->isEnabled(), !step.cc) << where;
        EXPECT_EQ(find<QLabel>("static1058")->isEnabled(), !step.cc) << where;
        EXPECT_EQ(edit("edit1011")->isEnabled(), step.cc) << where;
        EXPECT_EQ(find<QLabel>("static1075")->isEnabled(), step.cc) << where;
        EXPECT_EQ(edit("edit1017")->isEnabled(), step.cc) << where;
    }
}

TEST_F(RulesDialogTest, SandwichGovernsTheWireChangeOption) {
    state.rules.sandwichWireChange = true;  // meaningless without a sandwich: dropped on opening
    open();
    auto* sandwich = find<QCheckBox>("check1039");
    auto* wireChange = find<QCheckBox>("check1040");
    EXPECT_FALSE(wireChange->isChecked());
    click("check1039");
    EXPECT_TRUE(wireChange->isEnabled());
    EXPECT_FALSE(wireChange->isChecked());
    click("check1040");
    click("check1039");
    EXPECT_FALSE(sandwich->isChecked());
    EXPECT_FALSE(wireChange->isChecked());
    EXPECT_FALSE(wireChange->isEnabled());
    click("check1039");
    EXPECT_TRUE(wireChange->isEnabled());
    EXPECT_FALSE(wireChange->isChecked());
}

TEST_F(RulesDialogTest, RefusedEntryKeepsStateAndDialog) {
    struct Case {
        const char* edit;
        const char* text;
        const char* message;
    };
    // The idle ratio edit (1014) is disabled in CC mode and still read.
    const Case cases[] = {
        {"edit1035", "abc", "请键入一个数。"},  {"edit1084", "2.5", "请键入一个整数。"},
        {"edit1000", "-0", "请键入一个数。"},   {"edit1014", "", "请键入一个数。"},
        {"edit1017", "1,5", "请键入一个数。"},  {"edit1085", " 1 x", "请键入一个数。"},
        {"edit1012", "1e99", "请键入一个数。"}, {"edit1084", "-0", "请键入一个整数。"},
    };
    const auto before = settled(state.rules);
    for (const Case& c : cases) {
        messages.clear();
        open();
        type("edit1000", "2400");  // read before any other edit: must not reach the state
        type(c.edit, QString::fromUtf8(c.text));
        click("button1034");
        EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.message)}) << c.edit << " " << c.text;
        EXPECT_TRUE(dialog->isVisible()) << c.edit;
        // a disabled edit cannot take the focus; its text is selected all the same
        if (edit(c.edit)->isEnabled()) {
            EXPECT_EQ(dialog->focusWidget(), edit(c.edit)) << c.edit;
        }
        EXPECT_EQ(edit(c.edit)->selectedText(), edit(c.edit)->text()) << c.edit;
        EXPECT_EQ(settled(state.rules), before) << c.edit << " " << c.text;
    }
}

TEST_F(RulesDialogTest, SaveReadsTheEditsInItsOwnOrder) {
    const char* const order[] = {"edit1000", "edit1026", "edit1003", "edit1025", "edit1004",
                                 "edit1017", "edit1019", "edit1012", "edit1031", "edit1035",
                                 "edit1014", "edit1018", "edit1016", "edit1015", "edit1038",
                                 "edit1037", "edit1011", "edit1084", "edit1085"};
    // Of two refused edits, the one read first is reported.
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        messages.clear();
        open();
        type(order[i + 1], "x");
        type(order[i], "x");
        click("button1034");
        EXPECT_EQ(messages.size(), 1) << order[i];
        EXPECT_EQ(edit(order[i])->selectedText(), "x") << order[i] << " before " << order[i + 1];
        EXPECT_EQ(edit(order[i + 1])->selectedText(), "") << order[i] << " before " << order[i + 1];
    }
}

TEST_F(RulesDialogTest, AcceptedEntriesAreStoredOnSave) {
    struct Case {
        const char* edit;
        const char* text;
        std::function<double(const RuleSet&)> stored;
        double expected;
    };
    const Case cases[] = {
        {"edit1012", "7.9", [](const RuleSet& r) { return r.maxSolutions; }, 7},
        {"edit1012", "-3", [](const RuleSet& r) { return r.maxSolutions; }, -3},
        {"edit1012", "-7.9", [](const RuleSet& r) { return r.maxSolutions; }, -7},
        {"edit1012", "1e12", [](const RuleSet& r) { return r.maxSolutions; }, INT_MAX},
        {"edit1085", "2.5", [](const RuleSet& r) { return r.secondaryStrands; }, 2.5},
        {"edit1084", " 3\t", [](const RuleSet& r) { return r.primaryStrands; }, 3},
        {"edit1035", "5e-2", [](const RuleSet& r) { return r.tapeThickness; }, 0.05f},
        {"edit1000", "0", [](const RuleSet& r) { return r.peakFlux; }, 0},
        // only the first 31 characters count
        {"edit1037", "2                              x", [](const RuleSet& r) { return r.tapeTurns; }, 2},
    };
    for (const Case& c : cases) {
        state.rules = RuleSet{};
        open();
        type(c.edit, QString::fromLatin1(c.text));
        click("button1034");
        EXPECT_TRUE(messages.isEmpty()) << c.edit << " " << c.text;
        EXPECT_FALSE(dialog->isVisible()) << c.edit << " " << c.text;
        EXPECT_EQ(c.stored(state.rules), c.expected) << c.edit << " " << c.text;
    }
}

TEST_F(RulesDialogTest, SaveWritesOptionsModeAndDisabledEdits) {
    open();
    click("radio1057");
    type("edit1014", "33");
    click("radio1056");  // the idle ratio edit is disabled now, but what it holds is saved
    click("check1039");
    click("check1040");
    click("check1052");
    click("check1033");
    type("edit1026", "150");
    click("button1034");
    ASSERT_FALSE(dialog->isVisible());
    EXPECT_EQ(state.rules.idleRatio, 33.0f);
    EXPECT_EQ(state.rules.peakFluxSpan, 150.0f);
    EXPECT_TRUE(state.rules.ccMode);
    EXPECT_EQ(state.rules.sandwichWinding, 1);
    EXPECT_TRUE(state.rules.sandwichWireChange);
    EXPECT_TRUE(state.rules.evenTurns);
    EXPECT_EQ(state.rules.skinEffect, 0);
}

TEST_F(RulesDialogTest, EnterKeySaves) {
    open();
    type("edit1012", "5");
    QTest::keyClick(edit("edit1012"), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(state.rules.maxSolutions, 5);
}

TEST_F(RulesDialogTest, CancelKeepsRulesButNotWireChanges) {
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"取消", [this] { click("button2"); }},
        {"Esc", [this] { QTest::keyClick(dialog.get(), Qt::Key_Escape); }},
        {"close box", [this] { dialog->close(); }},
    };
    for (const auto& [way, cancel] : ways) {
        state.rules = RuleSet{};
        const auto before = settled(state.rules);
        open();
        type("edit1000", "3000");
        type("edit1084", "4");
        click("radio1057");
        click("check1039");
        click("check1033");
        clickRow("list1076", 5);
        click("button1077");
        cancel();
        EXPECT_FALSE(dialog->isVisible()) << way;
        EXPECT_EQ(settled(state.rules), before) << way;
        EXPECT_EQ(state.rules.primaryWires[5], 0.15f) << way;
    }
}

TEST_F(RulesDialogTest, EmptyWireSetBarsBothWaysOut) {
    for (const auto& [list, remove, add] : {std::tuple{"list1080", "button1079", "button1077"},
                                            std::tuple{"list1081", "button1083", "button1082"}}) {
        state.rules = RuleSet{};
        open();
        while (!rows(list).isEmpty()) {
            clickRow(list, 0);
            click(remove);
        }
        type("edit1000", "3000");
        click("button1034");
        click("button2");
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        EXPECT_EQ(messages,
                  (QStringList{QStringLiteral("数据错误,请检查!"), QStringLiteral("漆包线列表不能为空!"),
                               QStringLiteral("漆包线列表不能为空!")}))
            << list;
        EXPECT_TRUE(dialog->isVisible()) << list;
        EXPECT_EQ(state.rules.peakFlux, 2600.0f) << list;

        messages.clear();
        clickRow("list1076", 20);
        click(add);
        click("button1034");
        EXPECT_TRUE(messages.isEmpty()) << list;
        EXPECT_FALSE(dialog->isVisible()) << list;
        EXPECT_EQ(state.rules.peakFlux, 3000.0f) << list;
    }
}
