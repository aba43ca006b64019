// The core catalogue dialog as the engineer meets it: filled, found, filtered, sorted, a core
// used, cores searched, a choice shown again, and both languages.
#include "catalogue/core_catalogue_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "catalogue/core_table_model.h"
#include "engine/catalogue_files.h"
#include "tests/cjk.h"
#include "widgets/language.h"

using namespace quillmere;

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

using Column = CoreTableModel::Column;

// Lower case without spaces: how the test itself matches names, apart from the dialog's code.
std::string squeezed(const std::string& text) {
    std::string key;
    for (const char c : text)
        if (!std::isspace(static_cast<unsigned char>(c)))
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

const CoreCatalogue& catalogue() {
    return CoreCatalogue::builtIn();
}

// The built-in cores that satisfy `keep`, by name.
template <typename Predicate>
std::set<std::string> coresWhere(Predicate keep) {
    std::set<std::string> names;
    for (const CoreShape& core : catalogue().cores())
        if (keep(core)) names.insert(core.name);
    return names;
}

void showLanguage(Language language) {
    setApplicationLanguage(*QApplication::instance(), language);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

class CoreCatalogueDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlg = std::make_unique<CoreCatalogueDialog>();
        QObject::connect(dlg.get(), &CoreCatalogueDialog::coreUsed,
                         [this](const CoreChoice& choice) { used.push_back(choice); });
        QObject::connect(dlg.get(), &CoreCatalogueDialog::searchRequested,
                         [this](const CoreSetChoice& choice) { searched.push_back(choice); });
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }
    void TearDown() override { showLanguage(Language::Chinese); }

    template <typename T>
    T* child(const char* name) const {
        auto* widget = dlg->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QTableView* table() const { return child<QTableView>("coreTable"); }
    QAbstractItemModel* shown() const { return table()->model(); }
    QLineEdit* findEdit() const { return child<QLineEdit>("findEdit"); }
    QComboBox* familyCombo() const { return child<QComboBox>("familyCombo"); }
    QComboBox* bobbinCombo() const { return child<QComboBox>("bobbinCombo"); }
    QComboBox* materialCombo() const { return child<QComboBox>("materialCombo"); }
    QDoubleSpinBox* minAe() const { return child<QDoubleSpinBox>("minAeSpin"); }
    QDoubleSpinBox* maxAe() const { return child<QDoubleSpinBox>("maxAeSpin"); }
    QCheckBox* showImplausible() const { return child<QCheckBox>("showImplausibleCheck"); }
    QPushButton* useButton() const { return child<QPushButton>("useCoreButton"); }
    QPushButton* searchButton() const { return child<QPushButton>("searchSelectedButton"); }
    QLabel* scopeLabel() const { return child<QLabel>("searchScopeLabel"); }

    QString cell(int row, Column column) const { return shown()->index(row, column).data().toString(); }

    std::vector<std::string> shownNames() const {
        std::vector<std::string> names;
        for (int row = 0; row < shown()->rowCount(); ++row)
            names.push_back(cell(row, Column::Name).toStdString());
        return names;
    }
    std::set<std::string> shownNameSet() const {
        const auto names = shownNames();
        return {names.begin(), names.end()};
    }
    int shownRow(const std::string& name) const {
        const auto names = shownNames();
        const auto found = std::find(names.begin(), names.end(), name);
        return found == names.end() ? -1 : static_cast<int>(found - names.begin());
    }
    QString selectedName() const {
        const auto rows = table()->selectionModel()->selectedRows(Column::Name);
        return rows.isEmpty() ? QString() : rows.front().data().toString();
    }

    void clickRow(int row) const {
        const QRect cellRect = table()->visualRect(shown()->index(row, Column::Name));
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, cellRect.center());
    }
    void clickHeading(Column column) const {
        QHeaderView* header = table()->horizontalHeader();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, 5));
    }
    void chooseFamily(const char* family) const {
        const int item = familyCombo()->findData(QString::fromLatin1(family));
        ASSERT_GE(item, 0) << family;
        familyCombo()->setCurrentIndex(item);
    }
    void chooseMaterial(const char* material) const {
        const int item = materialCombo()->findData(QString::fromLatin1(material));
        ASSERT_GE(item, 0) << material;
        materialCombo()->setCurrentIndex(item);
    }
    void tick(const std::string& name) const {
        const int row = shownRow(name);
        ASSERT_GE(row, 0) << name;
        // What the view's delegate does when the box is clicked.
        shown()->setData(shown()->index(row, Column::Tick), Qt::Checked, Qt::CheckStateRole);
    }

    std::unique_ptr<CoreCatalogueDialog> dlg;
    std::vector<CoreChoice> used;
    std::vector<CoreSetChoice> searched;
};

TEST_F(CoreCatalogueDlgTest, OpensWithThePlausibleCoresInCatalogueOrderAndNothingChosen) {
    std::vector<std::string> plausible;
    for (const CoreShape& core : catalogue().cores())
        if (core.plausible) plausible.push_back(core.name);
    ASSERT_GT(plausible.size(), 300u);
    ASSERT_LT(plausible.size(), catalogue().cores().size()) << "the data has implausible shapes to hide";
    EXPECT_EQ(shownNames(), plausible);

    showImplausible()->setChecked(true);
    EXPECT_EQ(shown()->rowCount(), static_cast<int>(catalogue().cores().size()));

    EXPECT_TRUE(selectedName().isEmpty());
    EXPECT_FALSE(useButton()->isEnabled());
    EXPECT_EQ(bobbinCombo()->count(), 0);
    EXPECT_EQ(materialCombo()->currentData().toString(), QStringLiteral("N87"));
    EXPECT_TRUE(materialCombo()->currentText().contains(QStringLiteral("N87 (")))
        << "the maker stands beside the name: " << materialCombo()->currentText().toStdString();
}

TEST_F(CoreCatalogueDlgTest, ShowsTheFiguresOfACoreAndItsDefaultBobbin) {
    const int row = shownRow("ETD 29/16/10");
    ASSERT_GE(row, 0);
    EXPECT_EQ(cell(row, Column::Family), QStringLiteral("ETD"));
    EXPECT_EQ(cell(row, Column::Ae), QStringLiteral("76.51"));
    EXPECT_EQ(cell(row, Column::Le), QStringLiteral("71.67"));
    EXPECT_EQ(cell(row, Column::Ve), QStringLiteral("5483.4"));
    EXPECT_EQ(cell(row, Column::Slot), QStringLiteral("19 × 4.8"));
    EXPECT_EQ(cell(row, Column::Bobbins),
              QString::number(catalogue().findCore("ETD 29/16/10")->bobbins.size()));
}

// The find entry against the test's own reading of names and aliases.
TEST_F(CoreCatalogueDlgTest, FindsByNameOrAliasIgnoringCaseAndSpaces) {
    const struct {
        const char* typed;
        const char* mustFind;  ///< nullptr: nothing is found
    } cases[] = {
        {"etd29", "ETD 29/16/10"},
        {"ETD 29/16/10", "ETD 29/16/10"},
        {" e T d 2 9 ", "ETD 29/16/10"},
        {"rm4lp", "RM 4/8"},
        {"PQ", "PQ 20/16"},
        {"20/16", "PQ 20/16"},
        {"no such core", nullptr},
    };
    for (const auto& c : cases) {
        findEdit()->clear();
        QTest::keyClicks(findEdit(), QString::fromUtf8(c.typed));
        const std::string key = squeezed(c.typed);
        const auto expected = coresWhere([&](const CoreShape& core) {
            if (!core.plausible) return false;
            if (squeezed(core.name).find(key) != std::string::npos) return true;
            return std::any_of(core.aliases.begin(), core.aliases.end(), [&](const std::string& alias) {
                return squeezed(alias).find(key) != std::string::npos;
            });
        });
        EXPECT_EQ(shownNameSet(), expected) << c.typed;
        if (c.mustFind) {
            EXPECT_TRUE(expected.count(c.mustFind)) << c.typed;
            // Type-to-find: the first core found is selected, so Enter uses it.
            EXPECT_EQ(selectedName(), cell(0, Column::Name)) << c.typed;
            EXPECT_TRUE(useButton()->isEnabled()) << c.typed;
        } else {
            EXPECT_TRUE(expected.empty());
            EXPECT_FALSE(useButton()->isEnabled());
        }
    }
    findEdit()->clear();
    EXPECT_EQ(shown()->rowCount(),
              static_cast<int>(coresWhere([](const CoreShape& c) { return c.plausible; }).size()));
}

TEST_F(CoreCatalogueDlgTest, FiltersByFamily) {
    ASSERT_EQ(familyCombo()->count(), static_cast<int>(catalogue().families().size()) + 1);
    for (const std::string& family : catalogue().families()) {
        chooseFamily(family.c_str());
        const auto expected =
            coresWhere([&](const CoreShape& core) { return core.plausible && core.family == family; });
        EXPECT_EQ(shownNameSet(), expected) << family;
    }
    familyCombo()->setCurrentIndex(0);
    EXPECT_EQ(shown()->rowCount(),
              static_cast<int>(coresWhere([](const CoreShape& c) { return c.plausible; }).size()));
}

TEST_F(CoreCatalogueDlgTest, FiltersByAeRangeInclusively) {
    const struct {
        double min;
        double max;
        const char* mustFind;
    } cases[] = {
        {50, 100, "ETD 29/16/10"},
        {76.51, 76.51, "ETD 29/16/10"},  // both bounds on the core's own Ae
        {0, 2, nullptr},
        {100, 50, nullptr},  // crossed bounds find nothing
    };
    for (const auto& c : cases) {
        minAe()->setValue(c.min);
        maxAe()->setValue(c.max);
        const auto expected = coresWhere(
            [&](const CoreShape& core) { return core.plausible && core.ae >= c.min && core.ae <= c.max; });
        EXPECT_EQ(shownNameSet(), expected) << c.min << ".." << c.max;
        if (c.mustFind) {
            EXPECT_TRUE(expected.count(c.mustFind));
        }
        EXPECT_EQ(searchButton()->isEnabled(), !expected.empty()) << c.min << ".." << c.max;
    }
    // Family and Ae together.
    chooseFamily("ETD");
    minAe()->setValue(100);
    maxAe()->setValue(maxAe()->maximum());
    EXPECT_EQ(shownNameSet(), coresWhere([](const CoreShape& core) {
                  return core.plausible && core.family == "ETD" && core.ae >= 100;
              }));
}

TEST_F(CoreCatalogueDlgTest, SortsFiguresAsNumbersAndNamesNaturally) {
    showImplausible()->setChecked(true);
    clickHeading(Column::Ae);
    std::vector<double> ae;
    std::vector<QString> aeTexts;
    for (int row = 0; row < shown()->rowCount(); ++row) {
        aeTexts.push_back(cell(row, Column::Ae));
        ae.push_back(aeTexts.back().toDouble());
    }
    ASSERT_EQ(ae.size(), catalogue().cores().size());
    EXPECT_TRUE(std::is_sorted(ae.begin(), ae.end()));
    EXPECT_FALSE(std::is_sorted(aeTexts.begin(), aeTexts.end())) << "a text sort would have passed as well";

    clickHeading(Column::Ae);  // again: descending
    EXPECT_EQ(cell(0, Column::Ae).toDouble(), *std::max_element(ae.begin(), ae.end()));

    clickHeading(Column::Ve);
    double previous = 0;
    for (int row = 0; row < shown()->rowCount(); ++row) {
        const double ve = cell(row, Column::Ve).toDouble();
        ASSERT_LE(previous, ve) << "row " << row;
        previous = ve;
    }

    // The core without a bobbin first, then by slot width and depth.
    clickHeading(Column::Slot);
    EXPECT_EQ(cell(0, Column::Slot), QStringLiteral("—"));
    std::pair<double, double> slot{0, 0};
    for (int row = 1; row < shown()->rowCount(); ++row) {
        const QStringList parts = cell(row, Column::Slot).split(QStringLiteral(" × "));
        ASSERT_EQ(parts.size(), 2);
        const std::pair<double, double> next{parts[0].toDouble(), parts[1].toDouble()};
        ASSERT_LE(slot, next) << "row " << row;
        slot = next;
    }

    chooseFamily("RM");
    clickHeading(Column::Name);
    const auto names = shownNames();
    const auto rm = [&](const char* name) {
        return std::find(names.begin(), names.end(), name) - names.begin();
    };
    EXPECT_LT(rm("RM 4"), rm("RM 5"));
    EXPECT_LT(rm("RM 5"), rm("RM 10"));
    EXPECT_LT(rm("RM 10"), rm("RM 14"));
}

TEST_F(CoreCatalogueDlgTest, UsesTheSelectedCoreWithItsDefaultBobbinAndN87) {
    const int row = shownRow("ETD 29/16/10");
    ASSERT_GE(row, 0);
    clickRow(row);
    EXPECT_EQ(selectedName(), QStringLiteral("ETD 29/16/10"));
    EXPECT_EQ(bobbinCombo()->currentIndex(), 0);
    EXPECT_TRUE(bobbinCombo()->currentText().startsWith(QStringLiteral("Bobbin ETD 29")));
    EXPECT_TRUE(bobbinCombo()->currentText().contains(QStringLiteral("(默认)")));
    useButton()->click();

    const CoreChoice expected{"ETD 29/16/10", "Bobbin ETD 29", 0, "N87"};
    ASSERT_EQ(used.size(), 1u);
    EXPECT_EQ(used.front(), expected);
    EXPECT_EQ(dlg->usedCore(), expected);
    EXPECT_FALSE(dlg->searchedCores());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_TRUE(searched.empty());
}

TEST_F(CoreCatalogueDlgTest, TypingANameAndEnterUsesIt) {
    QTest::keyClicks(findEdit(), QStringLiteral("pq20/16"));
    QTest::keyClick(findEdit(), Qt::Key_Return);
    ASSERT_EQ(used.size(), 1u);
    EXPECT_EQ(used.front().core, "PQ 20/16");
    EXPECT_EQ(used.front().material, "N87");
}

TEST_F(CoreCatalogueDlgTest, UsesTheChosenBobbinByIndexAndTheChosenMaterial) {
    clickRow(shownRow("ETD 29/16/10"));
    // The second bobbin bears the first one's name: only the index tells them apart.
    bobbinCombo()->setCurrentIndex(1);
    chooseMaterial("3C95");
    const auto choice = dlg->coreChoice();
    ASSERT_TRUE(choice);
    EXPECT_EQ(*choice, (CoreChoice{"ETD 29/16/10", "Bobbin ETD 29", 1, "3C95"}));

    // Another core gets its own bobbins, its default chosen; the material stays.
    clickRow(shownRow("RM 5/8"));
    const CoreShape& rm5 = *catalogue().findCore("RM 5/8");
    ASSERT_EQ(bobbinCombo()->count(), static_cast<int>(rm5.bobbins.size()));
    ASSERT_TRUE(rm5.defaultBobbinIndex);
    EXPECT_EQ(bobbinCombo()->currentIndex(), static_cast<int>(*rm5.defaultBobbinIndex));
    for (int item = 0; item < bobbinCombo()->count(); ++item)
        EXPECT_EQ(bobbinCombo()->itemText(item).contains(QStringLiteral("(不合理)")),
                  !rm5.bobbins[static_cast<std::size_t>(item)].plausible)
            << bobbinCombo()->itemText(item).toStdString();
    EXPECT_EQ(dlg->coreChoice()->material, "3C95");
}

TEST_F(CoreCatalogueDlgTest, ACoreWithoutBobbinCannotBeUsed) {
    const CoreShape* bare = nullptr;
    for (const CoreShape& core : catalogue().cores())
        if (core.bobbins.empty() && core.plausible) bare = &core;
    ASSERT_NE(bare, nullptr) << "the data has a core without a bobbin";
    clickRow(shownRow(bare->name));
    EXPECT_EQ(selectedName().toStdString(), bare->name);
    EXPECT_FALSE(useButton()->isEnabled());
    EXPECT_FALSE(dlg->coreChoice());
    QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {},
                       table()->visualRect(shown()->index(shownRow(bare->name), Column::Name)).center());
    EXPECT_TRUE(used.empty());
}

TEST_F(CoreCatalogueDlgTest, SearchesTheTickedCoresInCatalogueOrder) {
    EXPECT_TRUE(scopeLabel()->text().contains(QStringLiteral("全部磁芯")));
    tick("PQ 20/16");
    tick("ETD 29/16/10");
    // Space ticks the selected row too.
    clickRow(shownRow("EFD 20/10/7"));
    QTest::keyClick(table(), Qt::Key_Space);
    // Ticked cores stay ticked when the filters hide them, and the ticks win over the family.
    chooseFamily("RM");
    EXPECT_TRUE(scopeLabel()->text().contains(QStringLiteral("(3)"))) << scopeLabel()->text().toStdString();

    searchButton()->click();
    std::vector<std::string> expected;
    for (const CoreShape& core : catalogue().cores())
        if (core.name == "PQ 20/16" || core.name == "ETD 29/16/10" || core.name == "EFD 20/10/7")
            expected.push_back(core.name);
    ASSERT_EQ(searched.size(), 1u);
    EXPECT_EQ(searched.front().cores, expected);
    EXPECT_EQ(searched.front().family, "");
    EXPECT_EQ(searched.front().material, "N87");
    EXPECT_EQ(dlg->searchedCores(), searched.front());
    EXPECT_FALSE(dlg->usedCore());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
}

TEST_F(CoreCatalogueDlgTest, ClearingTheTicksSearchesTheFamilyAgain) {
    tick("PQ 20/16");
    chooseFamily("ETD");
    child<QPushButton>("clearTicksButton")->click();
    EXPECT_TRUE(dlg->searchChoice().cores.empty());
    EXPECT_EQ(dlg->searchChoice().family, "ETD");
}

// With nothing ticked the search covers what the family and Ae filters show: the search's
// own filter picks exactly the rows on show.
TEST_F(CoreCatalogueDlgTest, SearchesTheWholeFamilyTheFiltersShow) {
    const struct {
        const char* family;  ///< nullptr: every family
        double min;
        double max;  ///< 0: the top of the range
        bool implausible;
    } cases[] = {
        {"ETD", 0, 0, false},     {"PQ", 40, 120, false}, {"EQ", 0, 0, true},
        {nullptr, 200, 0, false}, {nullptr, 0, 0, false},
    };
    for (const auto& c : cases) {
        if (c.family)
            chooseFamily(c.family);
        else
            familyCombo()->setCurrentIndex(0);
        minAe()->setValue(c.min);
        maxAe()->setValue(c.max > 0 ? c.max : maxAe()->maximum());
        showImplausible()->setChecked(c.implausible);

        const CoreSetChoice choice = dlg->searchChoice();
        EXPECT_TRUE(choice.cores.empty());
        EXPECT_EQ(choice.family, c.family ? c.family : "");
        EXPECT_EQ(choice.minAe, c.min > 0 ? std::optional<double>(c.min) : std::nullopt);
        EXPECT_EQ(choice.maxAe, c.max > 0 ? std::optional<double>(c.max) : std::nullopt);
        EXPECT_EQ(choice.plausibleOnly, !c.implausible);
        std::set<std::string> covered;
        for (const CoreShape* core : catalogue().cores(choice.filter())) covered.insert(core->name);
        EXPECT_EQ(covered, shownNameSet()) << (c.family ? c.family : "all");
        EXPECT_EQ(dlg->searchSize(), shown()->rowCount());
        EXPECT_TRUE(scopeLabel()->text().contains(QStringLiteral("(%1)").arg(shown()->rowCount())))
            << scopeLabel()->text().toStdString();
    }

    chooseFamily("ETD");
    minAe()->setValue(0);
    maxAe()->setValue(maxAe()->maximum());
    showImplausible()->setChecked(false);
    searchButton()->click();
    ASSERT_EQ(searched.size(), 1u);
    const CoreSetChoice expected{{}, "ETD", std::nullopt, std::nullopt, true, "N87"};
    EXPECT_EQ(searched.front(), expected);
    EXPECT_EQ(
        catalogue().cores(searched.front().filter()).size(),
        coresWhere([](const CoreShape& core) { return core.family == "ETD" && core.plausible; }).size());
}

TEST_F(CoreCatalogueDlgTest, ShowsTheDesignsChoiceAgain) {
    chooseFamily("PQ");  // the choice is shown whatever the filters were
    dlg->preselect(CoreChoice{"etd29/16/10", "Bobbin ETD 29", 1, "3c95"});
    EXPECT_EQ(selectedName(), QStringLiteral("ETD 29/16/10"));
    EXPECT_EQ(familyCombo()->currentIndex(), 0);
    EXPECT_EQ(dlg->coreChoice(), (CoreChoice{"ETD 29/16/10", "Bobbin ETD 29", 1, "3C95"}));

    // An index that no longer holds the named bobbin gives way to the name.
    dlg->preselect(CoreChoice{"ETD 29/16/10", "Bobbin ETD 29", 5, "N87"});
    EXPECT_EQ(dlg->coreChoice()->bobbinIndex, 0u);
    // No bobbin named: the default.
    dlg->preselect(CoreChoice{"RM 5/8", "", std::nullopt, "N87"});
    EXPECT_EQ(dlg->coreChoice()->bobbinIndex, catalogue().findCore("RM 5/8")->defaultBobbinIndex);

    // An implausible shape is shown for the design that uses it.
    dlg->preselect(CoreChoice{"ER 49", "", std::nullopt, "N87"});
    EXPECT_TRUE(showImplausible()->isChecked());
    EXPECT_EQ(selectedName(), QStringLiteral("ER 49"));

    // Unknown names change nothing but what they can.
    dlg->preselect(CoreChoice{"XX 99", "", std::nullopt, "no such ferrite"});
    EXPECT_EQ(selectedName(), QStringLiteral("ER 49"));
    EXPECT_EQ(materialCombo()->currentData().toString(), QStringLiteral("N87"));
}

TEST_F(CoreCatalogueDlgTest, ShowsASearchedSetAgain) {
    const CoreSetChoice family{{}, "ETD", 50.0, 200.0, true, "3C95"};
    dlg->preselect(family);
    EXPECT_EQ(dlg->searchChoice(), family);

    const CoreSetChoice named{{"ETD 29/16/10", "PQ 20/16"}, "", std::nullopt, std::nullopt, true, "N87"};
    dlg->preselect(named);
    EXPECT_EQ(dlg->searchChoice(), named);
}

TEST_F(CoreCatalogueDlgTest, SpeaksBothLanguages) {
    const auto texts = [this] {
        std::vector<QString> all{dlg->windowTitle(), findEdit()->placeholderText(),
                                 familyCombo()->itemText(0)};
        // Named: the controls the dialog made, not the parts of Qt's own (a line edit's clear button).
        for (const auto* label : dlg->findChildren<QLabel*>())
            if (!label->objectName().isEmpty()) all.push_back(label->text());
        for (const auto* button : dlg->findChildren<QAbstractButton*>())
            if (!button->objectName().isEmpty()) all.push_back(button->text());
        for (int column = 0; column < shown()->columnCount(); ++column)
            all.push_back(shown()->headerData(column, Qt::Horizontal).toString());
        return all;
    };
    // Every button and heading has room for its text after the switch.
    const auto expectRoom = [this](const char* language) {
        dlg->layout()->activate();
        for (const auto* button : dlg->findChildren<QPushButton*>())
            EXPECT_GE(button->width(), button->sizeHint().width())
                << language << ": " << button->text().toStdString();
        const QHeaderView* header = table()->horizontalHeader();
        for (int column = 0; column < shown()->columnCount(); ++column) {
            const QString heading = shown()->headerData(column, Qt::Horizontal).toString();
            EXPECT_GT(header->sectionSize(column), header->fontMetrics().horizontalAdvance(heading))
                << language << ": " << heading.toStdString();
        }
    };
    expectRoom("Chinese");
    clickRow(shownRow("RM 5/8"));  // its bobbins are marked
    for (int item = 0; item < bobbinCombo()->count(); ++item)
        EXPECT_TRUE(containsCjk(bobbinCombo()->itemText(item).toStdString()));

    showLanguage(Language::English);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Core catalogue"));
    EXPECT_EQ(useButton()->text(), QStringLiteral("Use this core"));
    EXPECT_EQ(searchButton()->text(), QStringLiteral("Search the selected cores"));
    EXPECT_EQ(child<QPushButton>("closeButton")->text(), QStringLiteral("Close"));
    for (const QString& text : texts()) {
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(containsCjk(text.toStdString())) << text.toStdString();
    }
    for (int item = 0; item < bobbinCombo()->count(); ++item)
        EXPECT_FALSE(containsCjk(bobbinCombo()->itemText(item).toStdString()))
            << bobbinCombo()->itemText(item).toStdString();
    EXPECT_EQ(selectedName(), QStringLiteral("RM 5/8")) << "the switch keeps the selection";
    expectRoom("English");

    showLanguage(Language::Chinese);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("磁芯库"));
    EXPECT_EQ(useButton()->text(), QStringLiteral("使用此磁芯"));
    EXPECT_EQ(searchButton()->text(), QStringLiteral("在所选磁芯中搜索"));
    EXPECT_EQ(child<QPushButton>("closeButton")->text(), QStringLiteral("关闭"));
    EXPECT_EQ(shown()->headerData(Column::Name, Qt::Horizontal).toString(), QStringLiteral("名称"));
}

// The engineer's own cores (catalogue_files.h) are cores like any other, a new family too.
TEST(CoreCatalogueDlgOwnCatalogue, ShowsTheEngineersOwnCoresAndFamilies) {
    const CatalogueLoad load = addCatalogueText(CoreCatalogue::builtIn(), R"({"cores": [
        {"name": "EE19 own", "family": "Own", "Ae": 22.7, "le": 39.4, "Ve": 895,
         "bobbins": [{"name": "B1", "slotWidth": 11.2, "slotDepth": 2.9}]}]})",
                                                "mine.json");
    ASSERT_TRUE(load.messages.empty()) << load.messages.front().text();
    CoreCatalogueDialog dlg(load.catalogue);
    auto* family = dlg.findChild<QComboBox*>(QStringLiteral("familyCombo"));
    auto* table = dlg.findChild<QTableView*>(QStringLiteral("coreTable"));
    EXPECT_EQ(table->model()->rowCount(),
              static_cast<int>(CoreCatalogue::builtIn().cores(CoreFilter{}).size()) + 1);

    family->setCurrentIndex(family->findData(QStringLiteral("Own")));
    ASSERT_EQ(table->model()->rowCount(), 1);
    EXPECT_EQ(dlg.searchChoice().family, "Own");
    EXPECT_EQ(dlg.searchSize(), 1);
    dlg.preselect(CoreChoice{"ee19own", "", std::nullopt, "N87"});
    EXPECT_EQ(dlg.coreChoice(), (CoreChoice{"EE19 own", "B1", 0, "N87"}));
}

TEST(CoreCatalogueDlgOwnCatalogue, AnEmptyCatalogueOffersNothingToChoose) {
    const CoreCatalogue empty;
    CoreCatalogueDialog dlg(empty);
    dlg.preselect(CoreChoice{"ETD 29/16/10", "Bobbin ETD 29", 0, "N87"});
    EXPECT_EQ(dlg.findChild<QTableView*>(QStringLiteral("coreTable"))->model()->rowCount(), 0);
    EXPECT_FALSE(dlg.coreChoice());
    EXPECT_EQ(dlg.searchSize(), 0);
    EXPECT_FALSE(dlg.findChild<QPushButton*>(QStringLiteral("useCoreButton"))->isEnabled());
    EXPECT_FALSE(dlg.findChild<QPushButton*>(QStringLiteral("searchSelectedButton"))->isEnabled());
}

}  // namespace
