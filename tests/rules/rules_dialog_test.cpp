// The rules dialog: what it shows, what "保存" stores or refuses, and the wire candidate lists.
#include "rules/rules_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <climits>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "engine/design.h"
#include "engine/wire_catalogue.h"
#include "rules/ranking_limits_dialog.h"
#include "rules/wire_set_edit.h"
#include "widgets/language.h"

using namespace quillmere;

// Failures show Qt texts as text.
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QStringList kDefaultPrimary = {"0.2", "0.21", "0.23"};
const QStringList kDefaultSecondary = {"0.3"};
const QString kNoSelection = QStringLiteral("没有选择任何数据!");

// Everything of the rules but the wire sets, for comparing whole states.
auto settled(const RuleSet& r) {
    return std::make_tuple(r.peakFlux, r.peakFluxSpan, r.onDuty, r.onDutySpan, r.frequency, r.frequencySpan,
                           r.switchDrop, r.diodeDrop, r.tempRise, r.windDepthLimit, r.firstWindingMinShare,
                           r.slotWidthReserve, r.tapeThickness, r.tapeTurns, r.outputDuty, r.idleRatio,
                           r.maxSolutions, r.ccMode, r.sandwichWinding, r.skinEffect, r.evenTurns,
                           r.sandwichWireChange, r.primaryStrands, r.secondaryStrands);
}

/// A rules dialog on its own design state, shown offscreen, with its messages captured.
class RulesDialogTest : public testing::Test {
protected:
    void open() {
        dialog = std::make_unique<RulesDialog>(state.rules, state.controllerChoice);
        dialog->setMessageFunction([this](QWidget*, const QString& text) { messages << text; });
        dialog->show();
    }

    template <class Widget = QWidget>
    Widget* find(const char* name) const {
        auto* widget = dialog->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
    bool checked(const char* name) const { return find<QAbstractButton>(name)->isChecked(); }
    bool enabled(const char* name) const { return find(name)->isEnabled(); }
    void click(const char* button) const { QTest::mouseClick(find<QAbstractButton>(button), Qt::LeftButton); }
    void type(const char* name, const QString& text) const { edit(name)->setText(text); }

    /// Clicks row `row` of a list as the engineer would, with `modifiers` held.
    void clickRow(const char* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        auto* view = find<QListWidget>(list);
        QListWidgetItem* item = view->item(row);
        ASSERT_NE(item, nullptr) << list << " row " << row;
        view->scrollToItem(item);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, view->visualItemRect(item).center());
    }
    QStringList rows(const char* list) const {
        QStringList texts;
        const auto* view = find<QListWidget>(list);
        for (int i = 0; i < view->count(); ++i) texts << view->item(i)->text();
        return texts;
    }

    Design state;
    std::unique_ptr<RulesDialog> dialog;
    QStringList messages;
};

TEST_F(RulesDialogTest, OpensShowingTheRules) {
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("规则设置"));
    EXPECT_TRUE(checked("skinEffectCheck"));
    EXPECT_FALSE(checked("sandwichWindingCheck"));
    EXPECT_FALSE(checked("evenTurnsCheck"));
    const QStringList catalogue = rows("wireCatalogueList");
    EXPECT_EQ(catalogue.size(), 30);
    EXPECT_EQ(catalogue.front(), "0.10");
    const std::vector<std::pair<const char*, const char*>> shown = {
        {"peakFluxEdit", "2600"},      {"peakFluxSpanEdit", "200"},     {"onDutyEdit", "42"},
        {"onDutySpanEdit", "0"},       {"frequencyEdit", "52"},         {"frequencySpanEdit", "3"},
        {"outputDutyEdit", "50"},      {"idleRatioEdit", "20"},         {"maxSolutionsEdit", "10"},
        {"switchDropEdit", "4"},       {"diodeDropEdit", "0.8"},        {"tempRiseEdit", "80"},
        {"windDepthLimitEdit", "90"},  {"firstWindingShareEdit", "40"}, {"slotWidthReserveEdit", "0"},
        {"tapeThicknessEdit", "0.02"}, {"tapeTurnsEdit", "2"},          {"primaryStrandsEdit", "1"},
        {"secondaryStrandsEdit", "1"}};
    for (const auto& [name, text] : shown) EXPECT_EQ(edit(name)->text(), QString::fromLatin1(text)) << name;
}

TEST_F(RulesDialogTest, ModeShowsItsFrequencyLabelAndEntries) {
    const auto expectMode = [this](bool cc, const char* where) {
        EXPECT_EQ(checked("ccRadio"), cc) << where;
        EXPECT_EQ(checked("cvRadio"), !cc) << where;
        EXPECT_EQ(find<QLabel>("frequencyLabel")->text(),
                  cc ? QStringLiteral("PFM频率范围") : QStringLiteral("PWM频率"))
            << where;
        for (const char* name : {"idleRatioEdit", "idleRatioLabel"})
            EXPECT_EQ(enabled(name), !cc) << where << ' ' << name;
        for (const char* name : {"outputDutyEdit", "outputDutyLabel", "frequencySpanEdit"})
            EXPECT_EQ(enabled(name), cc) << where << ' ' << name;
    };
    open();
    expectMode(true, "opened in CC");
    state.rules.ccMode = false;
    open();
    expectMode(false, "opened in CV");
    click("ccRadio");
    expectMode(true, "CC clicked");
    click("cvRadio");
    expectMode(false, "CV clicked");
}

TEST_F(RulesDialogTest, OutputDutyFollowsTheControllerOnlyAtOpening) {
    for (const int controller : {0, 1, 2, 3, 4}) {
        state.controllerChoice = controller;
        open();
        EXPECT_EQ(enabled("outputDutyEdit"), controller == 3) << controller;
        EXPECT_TRUE(enabled("outputDutyLabel")) << controller;
        click("cvRadio");
        click("ccRadio");
        EXPECT_TRUE(enabled("outputDutyEdit")) << controller;
    }
}

TEST_F(RulesDialogTest, SandwichGovernsTheWireChangeOption) {
    state.rules.sandwichWireChange = true;  // meaningless without a sandwich: dropped on opening
    open();
    const auto wireChange = [this] {
        return std::pair(enabled("sandwichWireChangeCheck"), checked("sandwichWireChangeCheck"));
    };
    EXPECT_EQ(wireChange(), std::pair(false, false));
    click("sandwichWindingCheck");
    EXPECT_EQ(wireChange(), std::pair(true, false));
    click("sandwichWireChangeCheck");
    click("sandwichWindingCheck");  // no sandwich: the option goes with it
    EXPECT_EQ(wireChange(), std::pair(false, false));
    click("sandwichWindingCheck");
    EXPECT_EQ(wireChange(), std::pair(true, false));
}

TEST_F(RulesDialogTest, RefusedEntryKeepsStateAndDialog) {
    const struct {
        const char* edit;
        const char* text;
        const char* message;
    } cases[] = {
        {"tapeThicknessEdit", "abc", "请键入一个数。"},
        {"peakFluxEdit", "-0", "请键入一个数。"},
        {"idleRatioEdit", "", "请键入一个数。"},  // disabled in CC mode and read all the same
        {"primaryStrandsEdit", "2.5", "请键入一个整数。"},
        {"peakFluxEdit", "-1e-46", "请键入一个数。"},                   // a zero as a float, like "-0"
        {"firstWindingShareEdit", "-1e6", "规则参数超出范围,请检查!"},  // a share outside 0 to 100 %
        {"firstWindingShareEdit", "100.5", "规则参数超出范围,请检查!"},
    };
    const auto before = settled(state.rules);
    for (const auto& c : cases) {
        messages.clear();
        open();
        type("peakFluxEdit", "2400");  // read before any other edit: must not reach the state
        type(c.edit, QString::fromUtf8(c.text));
        click("saveButton");
        EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.message)}) << c.edit << ' ' << c.text;
        EXPECT_TRUE(dialog->isVisible()) << c.edit;
        // a disabled edit cannot take the focus; its text is selected all the same
        if (enabled(c.edit)) {
            EXPECT_EQ(dialog->focusWidget(), edit(c.edit)) << c.edit;
        }
        EXPECT_EQ(edit(c.edit)->selectedText(), edit(c.edit)->text()) << c.edit;
        EXPECT_EQ(settled(state.rules), before) << c.edit << ' ' << c.text;
    }
}

TEST_F(RulesDialogTest, SaveReadsTheEditsInItsOwnOrder) {
    const char* const order[] = {
        "peakFluxEdit",          "peakFluxSpanEdit",   "onDutyEdit",           "onDutySpanEdit",
        "frequencyEdit",         "frequencySpanEdit",  "windDepthLimitEdit",   "maxSolutionsEdit",
        "firstWindingShareEdit", "tapeThicknessEdit",  "idleRatioEdit",        "tempRiseEdit",
        "diodeDropEdit",         "switchDropEdit",     "slotWidthReserveEdit", "tapeTurnsEdit",
        "outputDutyEdit",        "primaryStrandsEdit", "secondaryStrandsEdit"};
    open();
    for (const char* name : order) type(name, "x");
    // Each save refuses the first refused edit in the order; mending it moves on to the next.
    for (const char* name : order) {
        messages.clear();
        click("saveButton");
        EXPECT_EQ(messages.size(), 1) << name;
        EXPECT_EQ(edit(name)->selectedText(), "x") << name;
        type(name, "1");
    }
    click("saveButton");
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(RulesDialogTest, SaveKeepsWhatWasShownAndStoresTheMode) {
    open();
    click("cvRadio");
    click("saveButton");
    ASSERT_FALSE(dialog->isVisible());
    RuleSet expected;
    expected.ccMode = false;
    EXPECT_EQ(settled(state.rules), settled(expected));
    EXPECT_EQ(state.rules.primaryWires, expected.primaryWires);
    EXPECT_EQ(state.rules.secondaryWires, expected.secondaryWires);
}

TEST_F(RulesDialogTest, AcceptedEntriesAreStoredOnSave) {
    const struct {
        const char* edit;
        const char* text;
        std::function<double(const RuleSet&)> stored;
        double expected;
    } cases[] = {
        {"maxSolutionsEdit", "7.9", [](const RuleSet& r) { return r.maxSolutions; }, 7},
        {"maxSolutionsEdit", "1e12", [](const RuleSet& r) { return r.maxSolutions; }, INT_MAX},
        {"maxSolutionsEdit", "2147483647", [](const RuleSet& r) { return r.maxSolutions; }, INT_MAX},
        {"firstWindingShareEdit", "100", [](const RuleSet& r) { return r.firstWindingMinShare; }, 100},
        {"firstWindingShareEdit", "0", [](const RuleSet& r) { return r.firstWindingMinShare; }, 0},
        {"secondaryStrandsEdit", "2.5", [](const RuleSet& r) { return r.secondaryStrands; }, 2.5},
        {"primaryStrandsEdit", " 3\t", [](const RuleSet& r) { return r.primaryStrands; }, 3},
        // only the first 31 characters count
        {"tapeTurnsEdit", "2                              x", [](const RuleSet& r) { return r.tapeTurns; },
         2},
    };
    for (const auto& c : cases) {
        state.rules = RuleSet{};
        open();
        type(c.edit, QString::fromLatin1(c.text));
        click("saveButton");
        EXPECT_TRUE(messages.isEmpty()) << c.edit << ' ' << c.text;
        EXPECT_FALSE(dialog->isVisible()) << c.edit << ' ' << c.text;
        EXPECT_EQ(c.stored(state.rules), c.expected) << c.edit << ' ' << c.text;
    }
}

TEST_F(RulesDialogTest, SaveStoresEachOption) {
    // Options clicked from the defaults (skin effect only), then what each rule must hold.
    const struct {
        std::vector<const char*> clicks;
        int sandwichWinding;
        bool sandwichWireChange;
        bool evenTurns;
        int skinEffect;
    } cases[] = {{{"sandwichWindingCheck", "sandwichWireChangeCheck", "skinEffectCheck"}, 1, true, false, 0},
                 {{"evenTurnsCheck", "skinEffectCheck"}, 0, false, true, 0},
                 {{"sandwichWindingCheck"}, 1, false, false, 1}};
    for (const auto& c : cases) {
        state.rules = RuleSet{};
        open();
        for (const char* option : c.clicks) click(option);
        click("saveButton");
        const RuleSet& r = state.rules;
        EXPECT_EQ(std::tuple(r.sandwichWinding, r.sandwichWireChange, r.evenTurns, r.skinEffect),
                  std::tuple(c.sandwichWinding, c.sandwichWireChange, c.evenTurns, c.skinEffect))
            << c.clicks.size() << " clicks from " << c.clicks.front();
    }
}

TEST_F(RulesDialogTest, SaveWritesModeAndDisabledEdits) {
    open();
    click("cvRadio");
    type("idleRatioEdit", "33");
    click("ccRadio");  // the idle ratio edit is disabled now, but what it holds is saved
    type("peakFluxSpanEdit", "150");
    QTest::keyClick(edit("peakFluxSpanEdit"), Qt::Key_Return);  // the Enter key saves
    ASSERT_FALSE(dialog->isVisible());
    EXPECT_EQ(state.rules.idleRatio, 33.0f);
    EXPECT_EQ(state.rules.peakFluxSpan, 150.0f);
    EXPECT_TRUE(state.rules.ccMode);
}

TEST_F(RulesDialogTest, CancelKeepsRulesButNotWireChanges) {
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"取消", [this] { click("cancelButton"); }},
        {"Esc", [this] { QTest::keyClick(dialog.get(), Qt::Key_Escape); }},
        {"close box", [this] { dialog->close(); }},
    };
    for (const auto& [way, cancel] : ways) {
        state.rules = RuleSet{};
        const auto before = settled(state.rules);
        open();
        type("peakFluxEdit", "3000");
        type("primaryStrandsEdit", "4");
        click("cvRadio");
        click("sandwichWindingCheck");
        click("skinEffectCheck");
        clickRow("wireCatalogueList", 5);
        click("addPrimaryWireButton");
        cancel();
        EXPECT_FALSE(dialog->isVisible()) << way;
        EXPECT_EQ(settled(state.rules), before) << way;
        EXPECT_EQ(state.rules.primaryWires[5], 0.15f) << way;
    }
}

TEST_F(RulesDialogTest, EmptyWireSetBarsBothWaysOut) {
    for (const auto& [list, remove, add] :
         {std::tuple{"primaryWireList", "removePrimaryWireButton", "addPrimaryWireButton"},
          std::tuple{"secondaryWireList", "removeSecondaryWireButton", "addSecondaryWireButton"}}) {
        state.rules = RuleSet{};
        open();
        for (auto n = rows(list).size(); n > 0; --n) {
            clickRow(list, 0);
            click(remove);
        }
        ASSERT_TRUE(rows(list).isEmpty()) << list;
        type("peakFluxEdit", "3000");
        click("saveButton");
        click("cancelButton");
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        EXPECT_EQ(messages,
                  (QStringList{QStringLiteral("数据错误,请检查!"), QStringLiteral("漆包线列表不能为空!"),
                               QStringLiteral("漆包线列表不能为空!")}))
            << list;
        EXPECT_TRUE(dialog->isVisible()) << list;
        EXPECT_EQ(state.rules.peakFlux, 2600.0f) << list;

        messages.clear();
        clickRow("wireCatalogueList", 20);
        click(add);
        click("saveButton");
        EXPECT_TRUE(messages.isEmpty()) << list;
        EXPECT_FALSE(dialog->isVisible()) << list;
        EXPECT_EQ(state.rules.peakFlux, 3000.0f) << list;
    }
}

TEST_F(RulesDialogTest, AddKeepsCatalogueOrderAndNoDuplicates) {
    const struct {
        int catalogueRow;
        const char* button;
        int presses;
        QStringList primary;
        QStringList secondary;
    } cases[] = {
        {29, "addPrimaryWireButton", 2, {"0.2", "0.21", "0.23", "0.62"}, kDefaultSecondary},
        {5, "addPrimaryWireButton", 1, {"0.15", "0.2", "0.21", "0.23"}, kDefaultSecondary},
        {0, "addSecondaryWireButton", 3, kDefaultPrimary, {"0.1", "0.3"}},
    };
    for (const auto& c : cases) {
        state.rules = RuleSet{};
        open();
        clickRow("wireCatalogueList", c.catalogueRow);
        for (int i = 0; i < c.presses; ++i) click(c.button);
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(rows("primaryWireList"), c.primary) << c.catalogueRow;
        EXPECT_EQ(rows("secondaryWireList"), c.secondary) << c.catalogueRow;
        // written at once, not on save
        const WireSet& set = c.button == std::string("addPrimaryWireButton") ? state.rules.primaryWires
                                                                             : state.rules.secondaryWires;
        EXPECT_EQ(set[static_cast<std::size_t>(c.catalogueRow)], WireCatalogue::value(c.catalogueRow));
    }
}

TEST_F(RulesDialogTest, RemoveTakesTheMostRecentlySelectedRow) {
    struct Click {
        int row;  // -1: the down-arrow key instead
        Qt::KeyboardModifiers modifiers;
    };
    const struct {
        const char* what;
        std::vector<Click> clicks;
        QStringList left;
    } cases[] = {
        {"second row", {{1, Qt::NoModifier}}, {"0.2", "0.23"}},
        {"two selected", {{0, Qt::NoModifier}, {2, Qt::ControlModifier}}, {"0.2", "0.21"}},
        {"deselected again", {{1, Qt::NoModifier}, {1, Qt::ControlModifier}}, {"0.2", "0.23"}},
        {"range", {{0, Qt::NoModifier}, {2, Qt::ShiftModifier}}, {"0.2", "0.21"}},
        {"arrow key", {{0, Qt::NoModifier}, {-1, Qt::NoModifier}}, {"0.2", "0.23"}},
    };
    for (const auto& c : cases) {
        state.rules = RuleSet{};
        messages.clear();
        open();
        for (const Click& k : c.clicks) {
            if (k.row < 0)
                QTest::keyClick(find<QListWidget>("primaryWireList"), Qt::Key_Down, k.modifiers);
            else
                clickRow("primaryWireList", k.row, k.modifiers);
        }
        click("removePrimaryWireButton");
        EXPECT_EQ(rows("primaryWireList"), c.left) << c.what;
        EXPECT_EQ(wireListTexts(state.rules.primaryWires).size(), 2u) << c.what;
        EXPECT_TRUE(messages.isEmpty()) << c.what;
        click("removePrimaryWireButton");  // the rebuilt list has no mark
        EXPECT_EQ(messages, QStringList{kNoSelection}) << c.what;
        EXPECT_EQ(rows("primaryWireList"), c.left) << c.what;
    }
}

TEST_F(RulesDialogTest, NoSelectionMarkChangesNothing) {
    for (const char* button : {"addPrimaryWireButton", "addSecondaryWireButton", "removePrimaryWireButton",
                               "removeSecondaryWireButton"}) {
        state.rules = RuleSet{};
        messages.clear();
        open();
        // Keyboard focus makes a row current without the engineer selecting it.
        for (const char* list : {"wireCatalogueList", "primaryWireList", "secondaryWireList"}) {
            QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
            QApplication::sendEvent(find<QListWidget>(list), &focusIn);
            ASSERT_EQ(find<QListWidget>(list)->currentRow(), 0) << list;
        }
        click(button);
        EXPECT_EQ(messages, QStringList{kNoSelection}) << button;
        EXPECT_EQ(state.rules.primaryWires, RuleSet::defaultPrimaryWires()) << button;
        EXPECT_EQ(state.rules.secondaryWires, RuleSet::defaultSecondaryWires()) << button;
    }
}

TEST_F(RulesDialogTest, EveryChangeRebuildsBothLists) {
    open();
    clickRow("secondaryWireList", 0);
    clickRow("wireCatalogueList", 0);
    click("addPrimaryWireButton");  // a primary change clears the secondary list's mark as well
    click("removeSecondaryWireButton");
    EXPECT_EQ(messages, QStringList{kNoSelection});
    EXPECT_EQ(rows("secondaryWireList"), kDefaultSecondary);
}

}  // namespace

namespace {

/// The rules dialog with its "排序与限值" dialog open.
class RankingLimitsTest : public RulesDialogTest {
protected:
    void openLimits() {
        if (!dialog) open();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // a closed one goes
        click("rankingLimitsButton");
        limits = dialog->findChild<RankingLimitsDialog*>();
        ASSERT_NE(limits, nullptr);
        ASSERT_TRUE(limits->isVisible());
    }
    QLineEdit* limitEdit(const char* name) const {
        auto* e = limits->findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(e, nullptr) << name;
        return e;
    }
    QComboBox* rankBy() const { return limits->findChild<QComboBox*>(QStringLiteral("rankByCombo")); }
    void clickLimits(const char* button) const {
        QTest::mouseClick(limits->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    }
    /// The ranking and limit rules, for comparing.
    static auto rankingRules(const RuleSet& r) {
        return std::make_tuple(r.rankBy, r.operatingTemperature, r.maxTemperatureRise, r.maxFluxOfSaturation,
                               r.maxTotalLoss);
    }

    QPointer<RankingLimitsDialog> limits;
};

}  // namespace

TEST_F(RankingLimitsTest, ShowsTheRulesAndStoresEachOnSave) {
    state.rules.operatingTemperature = 85;
    state.rules.maxFluxOfSaturation = 70;
    openLimits();
    EXPECT_EQ(limits->windowTitle(), QStringLiteral("排序与限值"));
    EXPECT_EQ(rankBy()->currentText(), QStringLiteral("末层占比"));
    EXPECT_EQ(rankBy()->count(), 4);
    EXPECT_EQ(limitEdit("operatingTemperatureEdit")->text(), "85");
    EXPECT_EQ(limitEdit("maxTemperatureRiseEdit")->text(), "0");
    EXPECT_EQ(limitEdit("maxFluxOfSaturationEdit")->text(), "70");
    clickLimits("cancelButton");

    const struct {
        const char* edit;  // nullptr: the ranking
        const char* text;
        std::function<bool(const RuleSet&)> stored;
    } cases[] = {
        {nullptr, "总损耗", [](const RuleSet& r) { return r.rankBy == static_cast<int>(RankBy::loss); }},
        {nullptr, "温升", [](const RuleSet& r) { return r.rankBy == static_cast<int>(RankBy::temperature); }},
        {nullptr, "磁芯体积", [](const RuleSet& r) { return r.rankBy == static_cast<int>(RankBy::volume); }},
        {"operatingTemperatureEdit", "-40.5",
         [](const RuleSet& r) { return r.operatingTemperature == -40.5f; }},
        {"maxTemperatureRiseEdit", "45", [](const RuleSet& r) { return r.maxTemperatureRise == 45; }},
        {"maxFluxOfSaturationEdit", "", [](const RuleSet& r) { return r.maxFluxOfSaturation == 0; }},  // off
        {"maxTotalLossEdit", "1.25", [](const RuleSet& r) { return r.maxTotalLoss == 1.25f; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        dialog.reset();
        openLimits();
        if (c.edit)
            limitEdit(c.edit)->setText(QString::fromUtf8(c.text));
        else
            rankBy()->setCurrentText(QString::fromUtf8(c.text));
        clickLimits("okButton");
        EXPECT_FALSE(limits && limits->isVisible());
        const auto before = state.rules;
        EXPECT_FALSE(c.stored(state.rules)) << "before the rules are saved";
        click("saveButton");
        EXPECT_TRUE(c.stored(state.rules));
        EXPECT_EQ(settled(state.rules), settled(before));  // nothing else moved
        EXPECT_TRUE(messages.isEmpty());
    }
}

TEST_F(RankingLimitsTest, CancelEitherWayLeavesTheRules) {
    const auto before = rankingRules(state.rules);
    openLimits();  // accepted here, then the rules dialog is cancelled
    rankBy()->setCurrentIndex(static_cast<int>(RankBy::loss));
    limitEdit("maxTotalLossEdit")->setText("2");
    clickLimits("okButton");
    click("cancelButton");
    EXPECT_EQ(rankingRules(state.rules), before);

    dialog.reset();
    openLimits();  // cancelled here, then the rules are saved
    rankBy()->setCurrentIndex(static_cast<int>(RankBy::temperature));
    limitEdit("operatingTemperatureEdit")->setText("25");
    clickLimits("cancelButton");
    click("saveButton");
    EXPECT_EQ(rankingRules(state.rules), before);
    openLimits();  // shows the rules again, not what was cancelled
    EXPECT_EQ(rankBy()->currentIndex(), 0);
    EXPECT_EQ(limitEdit("operatingTemperatureEdit")->text(), "100");
}

TEST_F(RankingLimitsTest, RefusesWhatIsOutOfRangeNamingIt) {
    const struct {
        const char* edit;
        const char* text;
        const char* message;
    } cases[] = {
        {"operatingTemperatureEdit", "-300", "工作温度(°C)须在 -273.15 到 1000 之间!"},
        {"operatingTemperatureEdit", "1000.5", "工作温度(°C)须在 -273.15 到 1000 之间!"},
        {"operatingTemperatureEdit", "", "请键入一个数。"},  // only a limit may be left empty
        {"maxTemperatureRiseEdit", "-1", "最大温升(K)不能小于 0!"},
        {"maxFluxOfSaturationEdit", "abc", "请键入一个数。"},
        {"maxTotalLossEdit", "-0.5", "最大总损耗(W)不能小于 0!"},
    };
    const auto before = rankingRules(state.rules);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        messages.clear();
        dialog.reset();
        openLimits();
        rankBy()->setCurrentIndex(static_cast<int>(RankBy::loss));  // must not get through either
        limitEdit(c.edit)->setText(QString::fromUtf8(c.text));
        clickLimits("okButton");
        EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_TRUE(limits->isVisible());
        EXPECT_EQ(limits->focusWidget(), limitEdit(c.edit));
        clickLimits("cancelButton");
        click("saveButton");
        EXPECT_EQ(rankingRules(state.rules), before);
    }
}

TEST_F(RankingLimitsTest, SpeaksEnglishToo) {
    openLimits();  // opened in Chinese, then the language changes under it
    setApplicationLanguage(*qApp, Language::English);
    QCoreApplication::processEvents();
    EXPECT_EQ(find<QPushButton>("rankingLimitsButton")->text(), "Ranking and limits...");
    EXPECT_EQ(limits->windowTitle(), "Ranking and limits");
    QStringList rankings;
    for (int i = 0; i < rankBy()->count(); ++i) rankings << rankBy()->itemText(i);
    EXPECT_EQ(rankings, (QStringList{"Last-layer fill", "Total loss", "Temperature rise", "Core volume"}));
    for (const QLabel* label : limits->findChildren<QLabel*>())  // the dialog grew to its texts
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    EXPECT_GE(rankBy()->width(), rankBy()->sizeHint().width());
    limitEdit("maxTemperatureRiseEdit")->setText("-2");
    clickLimits("okButton");
    EXPECT_EQ(messages, QStringList{"Max. temperature rise (K) must not be below 0."});
    setApplicationLanguage(*qApp, Language::Chinese);
    QCoreApplication::processEvents();
    EXPECT_EQ(rankBy()->itemText(1), QStringLiteral("总损耗"));
    EXPECT_EQ(limits->windowTitle(), QStringLiteral("排序与限值"));
}

// The new button sits in space of its own: inside the dialog, clear of every other control.
TEST_F(RankingLimitsTest, TheButtonCoversNothing) {
    open();
    auto* button = find<QPushButton>("rankingLimitsButton");
    const QRect own(button->mapTo(dialog.get(), QPoint(0, 0)), button->size());
    EXPECT_TRUE(dialog->rect().contains(own));
    for (QWidget* other : dialog->findChildren<QWidget*>()) {
        if (other == button || !other->isVisible() || other->isAncestorOf(button)) continue;
        if (other->parentWidget() != dialog.get() && other->parentWidget() != button->parentWidget())
            continue;
        const QRect theirs(other->mapTo(dialog.get(), QPoint(0, 0)), other->size());
        EXPECT_FALSE(own.intersects(theirs)) << other->objectName().toStdString();
    }
}
