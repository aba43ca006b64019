#include <string>
#include <vector>

#include <QApplication>
#include <QFocusEvent>

#include "engine/wire_catalogue.h"
#include "rules/wire_set_edit.h"
#include "tests/rules/rules_dialog_fixture.h"

namespace {

const QStringList kDefaultPrimary = {"0.2", "0.21", "0.23"};
const QStringList kDefaultSecondary = {"0.3"};

}  // namespace

TEST_F(RulesDialogTest, ListsShowCatalogueAndMembers) {
    open();
    const QStringList catalogue = rows("list1076");
    ASSERT_EQ(catalogue.size(), 30);
    EXPECT_EQ(catalogue.front(), "0.10");
    EXPECT_EQ(catalogue[12], "0.23");
    EXPECT_EQ(catalogue.back(), "0.62");
    EXPECT_EQ(rows("list1080"), kDefaultPrimary);
    EXPECT_EQ(rows("list1081"), kDefaultSecondary);
    EXPECT_EQ(find<QListWidget>("list1076")->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(find<QListWidget>("list1080")->selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST_F(RulesDialogTest, AddKeepsCatalogueOrderAndNoDuplicates) {
    struct Case {
        int catalogueRow;
        const char* button;
        int presses;
        QStringList primary;
        QStringList secondary;
    };
    const Case cases[] = {
        {29, "button1077", 2, {"0.2", "0.21", "0.23", "0.62"}, kDefaultSecondary},
        {5, "button1077", 1, {"0.15", "0.2", "0.21", "0.23"}, kDefaultSecondary},
        {11, "button1077", 1, kDefaultPrimary, kDefaultSecondary},
        {16, "button1082", 1, kDefaultPrimary, kDefaultSecondary},
        {0, "button1082", 3, kDefaultPrimary, {"0.1", "0.3"}},
    };
    for (const Case& c : cases) {
        state.rules = RuleSet{};
        open();
        clickRow("list1076", c.catalogueRow);
        for (int i = 0; i < c.presses; ++i) click(c.button);
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(rows("list1080"), c.primary) << c.catalogueRow;
        EXPECT_EQ(rows("list1081"), c.secondary) << c.catalogueRow;
        // written at once, not on save
        const WireSet& set =
            c.button == std::string("button1077") ? state.rules.primaryWires : state.rules.secondaryWires;
        EXPECT_EQ(set[static_cast<std::size_t>(c.catalogueRow)], WireCatalogue::value(c.catalogueRow));
    }
}

TEST_F(RulesDialogTest, CatalogueSelectionServesBothAdds) {
    open();
    clickRow("list1076", 5);
    click("button1077");
    click("button1082");
    EXPECT_EQ(rows("list1080").front(), "0.15");
    EXPECT_EQ(rows("list1081"), (QStringList{"0.15", "0.3"}));
}

TEST_F(RulesDialogTest, RemoveTakesTheMostRecentlySelectedRow) {
    struct Click {
        int row;  // -1: the down-arrow key instead
        Qt::KeyboardModifiers modifiers;
    };
    struct Case {
        const char* what;
        std::vector<Click> clicks;
        QStringList left;
    };
    const Case cases[] = {
        {"second row", {{1, Qt::NoModifier}}, {"0.2", "0.23"}},
        {"two selected", {{0, Qt::NoModifier}, {2, Qt::ControlModifier}}, {"0.2", "0.21"}},
        {"deselected again", {{1, Qt::NoModifier}, {1, Qt::ControlModifier}}, {"0.2", "0.23"}},
        {"range", {{0, Qt::NoModifier}, {2, Qt::ShiftModifier}}, {"0.2", "0.21"}},
        {"arrow key", {{0, Qt::NoModifier}, {-1, Qt::NoModifier}}, {"0.2", "0.23"}},
    };
    for (const Case& c : cases) {
        state.rules = RuleSet{};
        messages.clear();
        open();
        for (const Click& k : c.clicks) {
            if (k.row < 0)
                QTest::keyClick(find<QListWidget>("list1080"), Qt::Key_Down, k.modifiers);
            else
                clickRow("list1080", k.row, k.modifiers);
        }
        click("button1079");
        EXPECT_EQ(rows("list1080"), c.left) << c.what;
        EXPECT_EQ(wireListTexts(state.rules.primaryWires).size(), 2u) << c.what;
        EXPECT_TRUE(messages.isEmpty()) << c.what;
        click("button1079");  // the rebuilt list has no mark
        EXPECT_EQ(messages, QStringList{QStringLiteral("没有选择任何数据!")}) << c.what;
        EXPECT_EQ(rows("list1080"), c.left) << c.what;
    }
}

TEST_F(RulesDialogTest, NoSelectionMarkChangesNothing) {
    for (const char* button : {"button1077", "button1082", "button1079", "button1083"}) {
        state.rules = RuleSet{};
        messages.clear();
        open();
        // Keyboard focus makes a row current without the engineer selecting it.
        for (const char* list : {"list1076", "list1080", "list1081"}) {
            QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
            QApplication::sendEvent(find<QListWidget>(list), &focusIn);
            ASSERT_EQ(find<QListWidget>(list)->currentRow(), 0) << list;
        }
        click(button);
        EXPECT_EQ(messages, QStringList{QStringLiteral("没有选择任何数据!")}) << button;
        EXPECT_EQ(rows("list1080"), kDefaultPrimary) << button;
        EXPECT_EQ(rows("list1081"), kDefaultSecondary) << button;
        EXPECT_EQ(state.rules.primaryWires, RuleSet::defaultPrimaryWires()) << button;
        EXPECT_EQ(state.rules.secondaryWires, RuleSet::defaultSecondaryWires()) << button;
    }
}

TEST_F(RulesDialogTest, EveryChangeRebuildsBothLists) {
    open();
    clickRow("list1081", 0);
    clickRow("list1076", 0);
    click("button1077");  // a primary change clears the secondary list's mark as well
    click("button1083");
    EXPECT_EQ(messages, QStringList{QStringLiteral("没有选择任何数据!")});
    EXPECT_EQ(rows("list1081"), kDefaultSecondary);
}
