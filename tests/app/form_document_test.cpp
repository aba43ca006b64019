// The design as a document: the title and its modified mark, the question before unsaved
// changes are lost on every way of closing, the recent designs, dropped files, the folder last
// used, and a design given at start-up whose message appears over the form.
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "app/quillmere_app.h"
#include "engine/design_file.h"
#include "form_fixture.h"
#include "widgets/language.h"

using namespace quillmere;

namespace {

constexpr const char* kCaption = "Quillmere 1.4+Ex";

bool writeDesign(const QString& path, const Design& design) {
    QFile file(path);
    const std::string text = designFileText(design);
    return file.open(QIODevice::WriteOnly) && file.write(text.data(), static_cast<qint64>(text.size())) > 0;
}

// Drops `urls` on the form as a file manager would.
void drop(QWidget& target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent dropped(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &dropped);
}

class FormDocumentTest : public FormTest {
protected:
    // Each test starts without recent designs or a folder last used; a form made again within the
    // test finds what the one before left.
    FormDocumentTest() {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Quillmere", "Quillmere").clear();
    }

    void SetUp() override {
        FormTest::SetUp();
        saveQuestions = 0;
        calculatorRan = false;
        form->setFileChooser([this](QWidget*, FileAction action, const QString& suggested) {
            asked << action;
            suggestions << suggested;
            return ChosenFile{next, 0};
        });
        form->setCalculatorRunner([this] { calculatorRan = true; });
    }

    QString path(const QString& name) const { return folder.filePath(name); }
    /// A design file with `outputVoltage` in the folder.
    QString designFile(const QString& name, float outputVoltage) {
        Design design;
        design.inputs.outputVoltage = outputVoltage;
        EXPECT_TRUE(writeDesign(path(name), design));
        return path(name);
    }
    void type(const char* name, const QString& text) {
        edit(name)->selectAll();
        QTest::keyClicks(edit(name), text);
    }
    QString title() const { return form->windowTitle(); }

    QTemporaryDir folder;
    QString next;  ///< what the chooser answers; empty: cancelled
    QList<FileAction> asked;
    QStringList suggestions;
    bool calculatorRan = false;
};

}  // namespace

TEST_F(FormDocumentTest, TitleShowsTheFileAndWhetherItHasUnsavedChanges) {
    EXPECT_EQ(title(), QStringLiteral("未命名[*] - ") + kCaption);
    EXPECT_FALSE(form->isWindowModified());

    const QString shown = edit("outputVoltageEdit")->text();
    type("outputVoltageEdit", "19");
    EXPECT_TRUE(form->isWindowModified());
    type("outputVoltageEdit", shown);  // typed back as it was: nothing to save
    EXPECT_FALSE(form->isWindowModified());
    combo()->setCurrentIndex(static_cast<int>(Controller::BP3105));
    EXPECT_TRUE(form->isWindowModified());

    ASSERT_TRUE(form->openDesign(designFile("charger [*].qmd", 12)));
    EXPECT_EQ(title(), QStringLiteral("charger [*][*].qmd[*] - ") + kCaption);
    EXPECT_FALSE(form->isWindowModified());
    type("outputCurrentEdit", "2");
    EXPECT_TRUE(form->isWindowModified());

    next = path("saved.qmd");
    form->saveDesignFile();
    EXPECT_EQ(title(), QStringLiteral("saved.qmd[*] - ") + kCaption);
    EXPECT_FALSE(form->isWindowModified());

    // A refused file changes neither the title nor the mark.
    type("outputCurrentEdit", "3");
    EXPECT_FALSE(form->openDesign(path("none.qmd")));
    EXPECT_EQ(title(), QStringLiteral("saved.qmd[*] - ") + kCaption);
    EXPECT_TRUE(form->isWindowModified());
}

TEST_F(FormDocumentTest, TitleFollowsTheLanguage) {
    setApplicationLanguage(*QApplication::instance(), Language::English);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(title(), QStringLiteral("Untitled[*] - ") + kCaption);
    type("outputVoltageEdit", "19");
    setApplicationLanguage(*QApplication::instance(), Language::Chinese);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(title(), QStringLiteral("未命名[*] - ") + kCaption);
    EXPECT_TRUE(form->isWindowModified());
}

TEST_F(FormDocumentTest, EveryWayOfClosingAsksAboutUnsavedChanges) {
    const struct {
        const char* how;
        std::function<void()> close;
    } ways[] = {
        {"退出", [this] { click("exitButton"); }},
        {"Esc", [this] { QTest::keyClick(form.get(), Qt::Key_Escape); }},
        {"close box", [this] { form->close(); }},
        {"REV_IR Mod",
         [this] { QTest::mouseClick(find<QAbstractButton>("calculatorRadio"), Qt::LeftButton); }},
    };
    const struct {
        const char* what;
        bool changed;
        SaveAnswer answer;
        const char* chosen;  // the save dialog's answer; nullptr: cancelled
        bool closes;
        bool saved;
    } answers[] = {
        {"unchanged", false, SaveAnswer::Cancel, nullptr, true, false},
        {"Save", true, SaveAnswer::Save, "kept.qmd", true, true},
        {"Save, the file dialog cancelled", true, SaveAnswer::Save, nullptr, false, false},
        {"Don't save", true, SaveAnswer::Discard, nullptr, true, false},
        {"Cancel", true, SaveAnswer::Cancel, nullptr, false, false},
    };
    for (const auto& way : ways) {
        for (const auto& a : answers) {
            const std::string what = std::string(way.how) + ", " + a.what;
            TearDown();
            SetUp();
            saveAnswer = a.answer;
            if (a.changed) type("outputVoltageEdit", "19");
            next = a.chosen ? path(a.chosen) : QString();
            QFile::remove(path("kept.qmd"));

            way.close();

            EXPECT_EQ(saveQuestions, a.changed ? 1 : 0) << what;
            EXPECT_EQ(form->isVisible(), !a.closes) << what;
            EXPECT_EQ(calculatorRan, a.closes && std::string(way.how) == "REV_IR Mod") << what;
            EXPECT_EQ(QFile::exists(path("kept.qmd")), a.saved) << what;
            if (a.saved) {
                const DesignRead read = readDesignFile(path("kept.qmd").toStdString());
                ASSERT_TRUE(read) << what;
                EXPECT_EQ(read.design->inputs.outputVoltage, 19.0f) << what;
            }
            if (!a.closes) {
                // Everything as it was: the typed text, the mark, the form's own mode.
                EXPECT_EQ(edit("outputVoltageEdit")->text(), QStringLiteral("19")) << what;
                EXPECT_TRUE(form->isWindowModified()) << what;
                EXPECT_FALSE(find<QAbstractButton>("calculatorRadio")->isChecked()) << what;
            }
        }
    }
}

TEST_F(FormDocumentTest, OpeningAnotherDesignAsksFirst) {
    const QString other = designFile("other.qmd", 24);
    type("outputVoltageEdit", "19");
    saveAnswer = SaveAnswer::Cancel;
    next = other;
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(saveQuestions, 1);
    EXPECT_TRUE(asked.isEmpty());  // cancelled before the file dialog
    EXPECT_EQ(edit("outputVoltageEdit")->text(), QStringLiteral("19"));

    saveAnswer = SaveAnswer::Discard;
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(saveQuestions, 2);
    EXPECT_EQ(edit("outputVoltageEdit")->text(), QStringLiteral("24"));
    EXPECT_EQ(title(), QStringLiteral("other.qmd[*] - ") + kCaption);
}

TEST_F(FormDocumentTest, RecentDesignsKeepTheLastEightAndDropMissingOnes) {
    QStringList files;
    for (int k = 1; k <= 9; ++k) {
        files << designFile(QStringLiteral("d%1.qmd").arg(k), static_cast<float>(k));
        ASSERT_TRUE(form->openDesign(files.back()));
    }
    next = path("saved.qmd");
    form->saveDesignFile();
    RecentDesigns recent;
    // Newest first; opening d1 … d9 and saving leaves saved, d9 … d3.
    QStringList expected{path("saved.qmd")};
    for (int k = 9; k >= 3; --k) expected << files[k - 1];
    EXPECT_EQ(recent.paths(), expected);

    // Opening one again moves it to the top, once.
    form->openRecentDesign(files[4]);
    EXPECT_EQ(edit("outputVoltageEdit")->text(), QStringLiteral("5"));
    EXPECT_EQ(recent.paths().front(), files[4]);
    EXPECT_EQ(recent.paths().count(files[4]), 1);
    EXPECT_EQ(recent.paths().size(), RecentDesigns::kMaxCount);

    // A file that is gone is taken off the list with a message, and nothing is opened.
    ASSERT_TRUE(QFile::remove(files[8]));
    form->openRecentDesign(files[8]);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.value(0).contains(files[8]));
    EXPECT_FALSE(recent.paths().contains(files[8]));
    EXPECT_EQ(edit("outputVoltageEdit")->text(), QStringLiteral("5"));
    EXPECT_EQ(saveQuestions, 0);
}

TEST_F(FormDocumentTest, RecentDesignsAreInTheRightClickMenu) {
    const QString first = designFile("first.qmd", 11);
    const QString second = designFile("second.qmd", 22);
    ASSERT_TRUE(form->openDesign(first));
    ASSERT_TRUE(form->openDesign(second));
    QStringList shown;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        auto* recent = menu->findChild<QMenu*>(QStringLiteral("recentMenu"));
        ASSERT_NE(recent, nullptr);
        for (const QAction* action : recent->actions()) shown << action->text();
        recent->actions().value(1)->trigger();
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(650, 460), form->mapToGlobal(QPoint(650, 460)));
    QApplication::sendEvent(form.get(), &event);
    EXPECT_EQ(shown, (QStringList{"&1 second.qmd", "&2 first.qmd"}));
    EXPECT_EQ(edit("outputVoltageEdit")->text(), QStringLiteral("11"));
}

TEST_F(FormDocumentTest, DroppedDesignFilesAreOpenedAndOthersRefused) {
    const QString design = designFile("dropped.qmd", 33);
    const QString text = path("notes.txt");
    QFile(text).open(QIODevice::WriteOnly);
    const struct {
        const char* what;
        QList<QUrl> urls;
        bool opened;
    } cases[] = {
        {"two designs", {QUrl::fromLocalFile(design), QUrl::fromLocalFile(design)}, false},
        {"a text file", {QUrl::fromLocalFile(text)}, false},
        {"a web address", {QUrl("https://example.org/d.qmd")}, false},
        {"one design", {QUrl::fromLocalFile(design)}, true},
    };
    for (const auto& c : cases) {
        messages.clear();
        drop(*form, c.urls);
        EXPECT_EQ(edit("outputVoltageEdit")->text() == QStringLiteral("33"), c.opened) << c.what;
        EXPECT_EQ(messages.size(), c.opened ? 0 : 1) << c.what;
    }
    EXPECT_EQ(title(), QStringLiteral("dropped.qmd[*] - ") + kCaption);

    // With unsaved changes it asks first; Cancel keeps them.
    type("outputVoltageEdit", "44");
    saveAnswer = SaveAnswer::Cancel;
    drop(*form, {QUrl::fromLocalFile(designFile("another.qmd", 55))});
    EXPECT_EQ(saveQuestions, 1);
    EXPECT_EQ(edit("outputVoltageEdit")->text(), QStringLiteral("44"));
}

TEST_F(FormDocumentTest, FileDialogsStartInTheFolderLastUsed) {
    QDir(folder.path()).mkdir("deep");
    next = path("deep/first.qmd");
    form->saveDesignFile();
    EXPECT_EQ(suggestions.value(0), QDir::homePath() + QStringLiteral("/设计.qmd"));

    // A new form, as after starting again: the folder is remembered.
    TearDown();
    SetUp();
    next.clear();
    suggestions.clear();
    form->saveDesignFile();
    form->openDesignFile();
    EXPECT_EQ(suggestions, (QStringList{path("deep/设计.qmd"), path("deep")}));
}

TEST(FormStart, ADesignThatCannotBeOpenedIsReportedOverTheShownForm) {
    DesignForm form;
    bool shownWhenSaid = false;
    QStringList said;
    form.setMessageFunction([&](QWidget* parent, const QString& text) {
        said << text;
        shownWhenSaid =
            parent == &form && form.isVisible() && form.windowHandle() && form.windowHandle()->isExposed();
    });
    startForm(form, QStringLiteral("/no/such/design.qmd"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !said.isEmpty(); }, 5000));
    EXPECT_TRUE(shownWhenSaid);
    EXPECT_TRUE(said.front().contains(QStringLiteral("/no/such/design.qmd")));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("未命名[*] - ") + kCaption);
}
