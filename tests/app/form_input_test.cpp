// Reading the design inputs on "分析" and the controller choice.
#include "form_fixture.h"

#include <ostream>

using namespace quillmere;

namespace {

struct EntryCase {
    const char* name;
    const char* edit;
    QString text;
    bool accepted;
    float DesignInputs::*member = nullptr;  ///< where an accepted entry lands
    float value = 0;
};

// The test name carries c.name; a failure shows the entry, its text and the expected outcome.
void PrintTo(const EntryCase& c, std::ostream* os) {
    *os << c.edit << ' ' << ::testing::PrintToString(c.text.toStdString());
    if (c.accepted)
        *os << " read as " << c.value;
    else
        *os << " refused";
}

class FormEntryTest : public FormTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(FormEntryTest, AnalyseReadsOrRefusesTheEntry) {
    const EntryCase& c = GetParam();
    edit(c.edit)->setText(c.text);
    ASSERT_TRUE(analyseAndWait());
    if (c.accepted) {
        EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
        EXPECT_EQ(design().inputs.*c.member, c.value);
        EXPECT_TRUE(labelText("statusLine") == QStringLiteral("分析线程搜索完成.....分析总数:") ||
                    labelText("statusLine") == QStringLiteral("没有找到合适的解法,参数可能不合理!"))
            << labelText("statusLine").toStdString();
    } else {
        EXPECT_EQ(messages, (QStringList{"请键入一个数。", "参数错误！"}));
        EXPECT_TRUE(edit(c.edit)->hasFocus());
        EXPECT_EQ(edit(c.edit)->selectedText(), c.text);
        EXPECT_FALSE(form->analysisWorker().held());
        EXPECT_EQ(labelText("statusLine"), QStringLiteral("Quillmere Release Version"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FormEntryTest,
    ::testing::Values(
        EntryCase{"Empty", "coreAeEdit", "", false},
        EntryCase{"NegativeZero", "minInputVoltageEdit", "-0", false},
        EntryCase{"TrailingText", "outputVoltageEdit", " 12x", false},
        EntryCase{"Zero", "auxWireDiameterEdit", "0", true, &DesignInputs::auxWireDiameter, 0.0f},
        EntryCase{"BlanksAndTabs", "outputVoltageEdit", "\t24 ", true, &DesignInputs::outputVoltage, 24.0f},
        // Only the first 31 characters are read: the stray letter is beyond them.
        EntryCase{"LetterBeyondTheReadLength", "slotDepthEdit",
                  QStringLiteral("3.25") + QString(27, ' ') + "x", true, &DesignInputs::slotDepth, 3.25f},
        EntryCase{"LetterWithinTheReadLength", "slotDepthEdit",
                  QStringLiteral("3.25") + QString(26, ' ') + "x", false}),
    [](const ::testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });

}  // namespace

TEST_F(FormTest, ReadStopsAtTheFirstRefusedEntryInItsOrder) {
    // Read order: 1050, 1049, 1052, 1046, ...: the efficiency comes before the refused slot
    // depth, the output current after it.
    edit("efficiencyEdit")->setText("80");
    edit("slotDepthEdit")->setText("x");
    edit("outputCurrentEdit")->setText("0.5");
    click("analyseButton");
    EXPECT_EQ(messages, (QStringList{"请键入一个数。", "参数错误！"}));
    EXPECT_EQ(design().inputs.efficiency, 80.0f);
    EXPECT_EQ(design().inputs.slotDepth, 3.5f);
    EXPECT_EQ(design().inputs.outputCurrent, 0.33f);
    EXPECT_TRUE(edit("slotDepthEdit")->hasFocus());
}

TEST_F(FormTest, PowerLimitAppliesOnlyToTheFirstController) {
    const struct {
        int controller;
        const char* voltage;
        const char* current;
        bool refused;
    } cases[] = {
        {0, "23", "0.33", true},  // 7.59 W
        {0, "12", "0.5", false},  // exactly 6 W
        {0, "12.02", "0.5", true}, {1, "23", "0.33", false}, {3, "23", "0.33", false},
    };
    for (const auto& c : cases) {
        combo()->setCurrentIndex(c.controller);
        edit("outputVoltageEdit")->setText(c.voltage);
        edit("outputCurrentEdit")->setText(c.current);
        messages.clear();
        click("analyseButton");
        if (c.refused) {
            EXPECT_EQ(messages, QStringList{"功率超过IC最大输出!"}) << c.controller << ' ' << c.voltage;
            EXPECT_FALSE(form->analysisWorker().held());
            EXPECT_FALSE(form->analysisBusy());
            EXPECT_TRUE(combo()->isEnabled());
        } else {
            EXPECT_TRUE(messages.isEmpty()) << c.controller << ' ' << c.voltage;
            EXPECT_TRUE(form->analysisBusy());
        }
        ASSERT_TRUE(waitFor([this] { return !form->analysisBusy() && !form->analysisWorker().held(); }));
    }
}

TEST_F(FormTest, L6562IsRefusedAndTheGenericControllerComesBack) {
    ASSERT_TRUE(analyseAndWait());
    const QString status = labelText("statusLine");
    design().rules.ccMode = false;

    combo()->setCurrentIndex(4);

    EXPECT_EQ(messages, QStringList{"L6562暂未提供支持!"});
    EXPECT_EQ(combo()->currentIndex(), 3);
    EXPECT_EQ(design().controllerChoice, 3);
    EXPECT_EQ(rows(), 10);
    EXPECT_EQ(labelText("statusLine"), status);
    EXPECT_FALSE(shown().result.solutions.empty());
    EXPECT_FALSE(design().rules.ccMode);
}

TEST_F(FormTest, ControllerChangeDiscardsTheShownResults) {
    for (int from : {3, 1}) {
        for (int to : {0, 1, 2, 3}) {
            if (to == from) continue;
            combo()->setCurrentIndex(from);
            ASSERT_TRUE(analyseAndWait());
            ASSERT_EQ(rows(), 10);
            table()->setCurrentIndex(table()->model()->index(2, 0));
            ASSERT_EQ(shown().selectedSolution, 2);
            const QString analysed = labelText("analysedCountLabel");
            const QString accepted = labelText("acceptedCountLabel");
            design().rules.ccMode = false;

            combo()->setCurrentIndex(to);

            EXPECT_TRUE(messages.isEmpty());
            EXPECT_EQ(design().controllerChoice, to);
            EXPECT_EQ(rows(), 0) << from << "->" << to;
            EXPECT_TRUE(shown().result.solutions.empty());
            EXPECT_EQ(shown().result.acceptedCount, 0);
            EXPECT_EQ(shown().result.analysedCount, 0);
            EXPECT_EQ(shown().selectedSolution, 0);
            EXPECT_TRUE(design().rules.ccMode);
            EXPECT_EQ(labelText("statusLine"), QStringLiteral("Quillmere Beta Version"));
            EXPECT_EQ(labelText("analysedCountLabel"), analysed);
            EXPECT_EQ(labelText("acceptedCountLabel"), accepted);
        }
    }
}
