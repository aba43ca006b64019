// The catalogue core on the form: 磁芯库 fills the entries and names the core in the title, a
// core set is analysed with a 磁芯 column, and typing the core's numbers makes it custom again.
#include <QApplication>
#include <QTimer>

#include "catalogue/core_catalogue_dialog.h"
#include "form_fixture.h"

using namespace quillmere;

namespace {

constexpr const char* kAeEntry = "coreAeEdit";
constexpr const char* kSlotWidthEntry = "slotWidthEdit";
constexpr const char* kSlotDepthEntry = "slotDepthEdit";

class FormCatalogueTest : public FormTest {
protected:
    // Opens the catalogue with Ctrl+K and lets `act` do what the engineer would in it.
    void inCatalogue(const std::function<void(CoreCatalogueDialog&)>& act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CoreCatalogueDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            act(*dialog);
            dialog->accept();
        });
        QTest::keyClick(form.get(), Qt::Key_K, Qt::ControlModifier);
        EXPECT_TRUE(seen) << "Ctrl+K opened no catalogue";
    }
};

TEST_F(FormCatalogueTest, UsingACoreFillsItsNumbersAndTypingMakesItCustom) {
    inCatalogue([](CoreCatalogueDialog& dialog) {
        emit dialog.coreUsed({"ETD 29/16/10", "", std::nullopt, "3C95"});
    });
    EXPECT_EQ(edit(kAeEntry)->text(), "76.51");
    EXPECT_EQ(edit(kSlotWidthEntry)->text(), "19");
    EXPECT_EQ(edit(kSlotDepthEntry)->text(), "4.8");
    ASSERT_TRUE(design().core);
    EXPECT_EQ(design().core->core, "ETD 29/16/10");
    EXPECT_TRUE(form->windowTitle().contains("(ETD 29/16/10, Bobbin ETD 29, 3C95)"))
        << form->windowTitle().toStdString();
    EXPECT_TRUE(form->isWindowModified());

    ASSERT_TRUE(analyseAndWait());
    ASSERT_EQ(shown().result.cores.size(), 1u);
    EXPECT_EQ(table()->model()->headerData(0, Qt::Horizontal).toString(), "No.");

    edit(kSlotDepthEntry)->selectAll();
    QTest::keyClicks(edit(kSlotDepthEntry), "4.5");
    EXPECT_FALSE(design().core);
    EXPECT_FALSE(form->windowTitle().contains("ETD"));
}

TEST_F(FormCatalogueTest, SearchingSelectedCoresShowsTheCoreFirst) {
    CoreSetChoice set;
    set.cores = {"EP 17", "E 16/7/5", "RM 5"};
    inCatalogue([&](CoreCatalogueDialog& dialog) { emit dialog.searchRequested(set); });
    ASSERT_TRUE(waitFor([this] { return !form->analysisBusy() && !form->analysisWorker().held(); }));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    ASSERT_EQ(shown().result.cores.size(), 3u);
    ASSERT_GT(rows(), 0);
    EXPECT_EQ(table()->model()->headerData(0, Qt::Horizontal).toString(), "磁芯");
    // The core, the 18 shown record columns, then the seven loss figures of catalogue cores.
    EXPECT_EQ(table()->model()->columnCount(), 19 + 7);
    const Solution& best = shown().result.solutions.front();
    EXPECT_EQ(cell(0, 0).toStdString(), shown().result.cores.at(*best.core).core.name);
    EXPECT_EQ(cell(0, 1), "1.");
    EXPECT_TRUE(form->windowTitle().contains("3")) << form->windowTitle().toStdString();
}

}  // namespace
