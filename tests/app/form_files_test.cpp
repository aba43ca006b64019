// Designs opened and saved through the form, exports, the shortcuts and Ctrl+C in the table.
#include <sys/mount.h>
#include <unistd.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "app/result_table.h"
#include "diagram/diagram_export.h"
#include "form_fixture.h"
#include "tests/cjk.h"
#include "widgets/language.h"

using namespace quillmere;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray cliOutput(const QStringList& arguments) {
    QProcess cli;
    cli.start(QStringLiteral(QUILLMERE_CLI), arguments);
    EXPECT_TRUE(cli.waitForFinished(60000)) << arguments.join(' ').toStdString();
    EXPECT_EQ(cli.exitCode(), 0) << arguments.join(' ').toStdString()
                                 << cli.readAllStandardError().toStdString();
    return cli.readAllStandardOutput();
}

class FormFilesTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        form->setFileChooser([this](QWidget*, FileAction action, const QString&) {
            asked << action;
            return ChosenFile{next.path, next.type};
        });
    }

    QString path(const QString& name) const { return folder.filePath(name); }
    /// Saves the form's design through the chooser to `name`.
    void saveAs(const QString& name) {
        next = {path(name), 0};
        QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    }
    QStringList editTexts() const {
        QStringList texts;
        for (const char* name :
             {"minInputVoltageEdit", "maxInputVoltageEdit", "outputVoltageEdit", "outputCurrentEdit",
              "feedbackVoltageEdit", "minRectifiedVoltageEdit", "efficiencyEdit", "coreAeEdit",
              "slotWidthEdit", "slotDepthEdit", "auxWireDiameterEdit"})
            texts << edit(name)->text();
        return texts;
    }

    QTemporaryDir folder;
    ChosenFile next;
    QList<FileAction> asked;
};

// A CV, sandwich, wire-change design with strands, as the rules dialog would leave it.
void cvSandwich(RuleSet& rules) {
    rules.ccMode = false;
    rules.sandwichWinding = 1;
    rules.sandwichWireChange = true;
    rules.primaryStrands = 2;
    rules.secondaryStrands = 3;
}

}  // namespace

TEST_F(FormFilesTest, SavedAndOpenedDesignsAgreeWithTheCommandLine) {
    const struct {
        const char* what;
        bool changed;
        QStringList options;
    } cases[] = {
        {"defaults", false, {}},
        {"CV sandwich with strands",
         true,
         {"--output-voltage", "12", "--core-ae", "25.3", "--cc-mode", "0", "--sandwich-winding", "1",
          "--sandwich-wire-change", "1", "--primary-strands", "2", "--secondary-strands", "3"}},
    };
    for (const auto& c : cases) {
        if (c.changed) {
            edit("outputVoltageEdit")->setText(QStringLiteral("12"));
            edit("coreAeEdit")->setText(QStringLiteral("25.3"));
            cvSandwich(design().rules);
        }
        const QString formFile = path(QStringLiteral("form-%1.qmd").arg(c.changed));
        saveAs(QFileInfo(formFile).fileName());
        ASSERT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();

        // The command line reads what the form saved as it reads its own options, and saves the same bytes.
        EXPECT_EQ(cliOutput({"--design", formFile, "--json"}), cliOutput(c.options + QStringList{"--json"}))
            << c.what;
        const QString cliFile = path(QStringLiteral("cli-%1.qmd").arg(c.changed));
        cliOutput(c.options + QStringList{"--save-design", cliFile});
        EXPECT_EQ(fileBytes(cliFile), fileBytes(formFile)) << c.what;

        // A fresh form opens the command line's file into the same texts and design.
        const QStringList texts = editTexts();
        const Design saved = design();
        form = std::make_unique<DesignForm>();
        form->setMessageFunction([this](QWidget*, const QString& text) { messages << text; });
        ASSERT_TRUE(form->openDesign(cliFile)) << messages.join('|').toStdString();
        EXPECT_EQ(editTexts(), texts) << c.what;
        EXPECT_TRUE(design() == saved) << c.what;
        SetUp();
    }
}

TEST_F(FormFilesTest, OpenRefusesWhileBusyAndKeepsTheDesignOnABadFile) {
    form->setAnalysisBusyForTest(true);
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(messages, QStringList{QStringLiteral("系统正忙!请等待分析完成!")});
    EXPECT_TRUE(asked.isEmpty());
    form->setAnalysisBusyForTest(false);
    messages.clear();

    saveAs(QStringLiteral("good.qmd"));
    QByteArray text = fileBytes(path(QStringLiteral("good.qmd")));
    text.replace("\"peakFluxSpan\": 200.0", "\"peakFluxSpan\": \"wide\"");
    QFile bad(path(QStringLiteral("bad.qmd")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write(text) == text.size());
    bad.close();
    edit("outputVoltageEdit")->setText(QStringLiteral("15"));
    const Design before = design();
    next = {bad.fileName(), 0};
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("rules.peakFluxSpan"))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("bad.qmd"))) << messages[0].toStdString();
    EXPECT_TRUE(design() == before);
    EXPECT_EQ(edit("outputVoltageEdit")->text(), QStringLiteral("15"));
}

TEST_F(FormFilesTest, AnOpenedDesignShowsNothingOfThePreviousRun) {
    saveAs(QStringLiteral("design.qmd"));
    ASSERT_TRUE(analyseAndWait());
    ASSERT_FALSE(label("analysedCountLabel")->text().isEmpty());
    ASSERT_TRUE(form->openDesign(path(QStringLiteral("design.qmd"))));
    EXPECT_EQ(labelText("statusLine"), QStringLiteral("Quillmere Beta Version"));
    for (const char* id : {"acceptedCountLabel", "analysedCountLabel", "solutionsCaptionLabel"})
        EXPECT_EQ(labelText(id), QString()) << id;
    EXPECT_EQ(rows(), 0);
}

TEST_F(FormFilesTest, SaveRefusesABadEntryAndSaysWhyAPlaceCannotBeWritten) {
    edit("coreAeEdit")->setText(QStringLiteral("abc"));
    saveAs(QStringLiteral("never.qmd"));
    EXPECT_EQ(messages, (QStringList{QStringLiteral("请键入一个数。"), QStringLiteral("参数错误！")}));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("never.qmd"))));
    EXPECT_TRUE(asked.isEmpty()) << "the file is chosen only for a design that reads";
    edit("coreAeEdit")->setText(QStringLiteral("19.2"));
    messages.clear();

    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("folder.qmd")));
    saveAs(QStringLiteral("folder.qmd"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("无法保存文件:"))) << messages[0].toStdString();
}

TEST_F(FormFilesTest, ExportsAreRefusedUntilSolutionsAreShownThenWritten) {
    QTest::keyClick(form.get(), Qt::Key_E, Qt::ControlModifier);
    form->exportDiagram();
    form->exportWindingSheet();
    EXPECT_EQ(messages, QStringList(3, QStringLiteral("没有可导出的解法!请先分析。")));
    EXPECT_TRUE(asked.isEmpty());
    messages.clear();

    ASSERT_TRUE(analyseAndWait());
    next = {path(QStringLiteral("results.json")), kJsonType};
    QTest::keyClick(form.get(), Qt::Key_E, Qt::ControlModifier);
    // The CLI's object with the design first (exports_test.cpp looks at that member).
    const QByteArray json = fileBytes(next.path);
    const qsizetype results = json.indexOf(",\"analysedCount\":");
    ASSERT_GT(results, 0);
    EXPECT_EQ("{" + json.mid(results + 1), cliOutput({"--json"}));

    next = {path(QStringLiteral("results.csv")), kCsvType};
    QTest::keyClick(form.get(), Qt::Key_E, Qt::ControlModifier);
    const QByteArray csv = fileBytes(next.path);
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBFNo.,")) << csv.left(40).toStdString();
    EXPECT_EQ(csv.count("\r\n"), 11);
    EXPECT_TRUE(csv.contains("\r\n1.,19.68691,131,48,No,27,0.23*1,")) << csv.toStdString();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(FormFilesTest, DiagramAndSheetExportsDrawTheSelectedSolution) {
    ASSERT_TRUE(analyseAndWait());
    table()->setCurrentIndex(table()->model()->index(1, 0));  // secondary band 0.7772245 wide
    const struct {
        const char* name;
        int type;
        int scale;
    } pictures[] = {{"d1.png", kPngType, 1}, {"d2.png", kPng2xType, 2}};
    for (const auto& p : pictures) {
        next = {path(QString::fromLatin1(p.name)), p.type};
        form->exportDiagram();
        const QImage image(next.path);
        ASSERT_EQ(image.size(), QSize(480, 167) * p.scale) << p.name;
        // Form pixels (300,352) and (240,352), less the diagram area's corner (215,255).
        EXPECT_EQ(image.pixelColor(QPoint(85, 97) * p.scale), QColor(255, 128, 0)) << p.name;
        EXPECT_EQ(image.pixelColor(QPoint(25, 97) * p.scale), QColor(Qt::white)) << p.name;
    }
    next = {path(QStringLiteral("d.svg")), kSvgType};
    form->exportDiagram();
    EXPECT_TRUE(fileBytes(next.path).contains("<svg"));

    next = {path(QStringLiteral("sheet.pdf")), 0};
    form->exportWindingSheet();
    EXPECT_TRUE(fileBytes(next.path).startsWith("%PDF"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

// The rules may change after an analysis; what is drawn stays the analysed design's, on the
// screen as in the export.
TEST_F(FormFilesTest, ScreenAndExportDrawTheAnalysedDesignAfterTheRulesChange) {
    for (const int analysedSandwich : {0, 1}) {
        design().rules.sandwichWinding = analysedSandwich;
        ASSERT_TRUE(analyseAndWait());
        design().rules.sandwichWinding = 1 - analysedSandwich;  // as the rules dialog's "三明治绕法" does
        next = {path(QStringLiteral("after.png")), kPngType};
        form->exportDiagram();
        const QImage exported = QImage(next.path).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(exported.size(), kWindingDiagramArea.size());

        // The export's background is white: the screen gets one too, so that even the edges of
        // the letters come out alike.
        QPalette white = form->palette();
        white.setColor(QPalette::Window, Qt::white);
        form->setPalette(white);
        const QImage screen = form->grab(kWindingDiagramArea).toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(screen, exported) << "sandwich " << analysedSandwich << " when analysed";
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(FormTest, CtrlCCopiesTheSelectedRowsWithTheirHeadings) {
    ASSERT_TRUE(analyseAndWait());
    table()->selectionModel()->select(table()->model()->index(2, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(table(), Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("No.\t分值\tNp_1\t"))) << lines[0].toStdString();
    EXPECT_EQ(lines[1].split('\t').size(), 18);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1.\t19.68691\t131\t"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("3.\t"))) << lines[2].toStdString();
}

namespace {

/// A 64 KiB tmpfs mounted on a folder of its own and filled to the last block, unmounted at the
/// end; `mounted()` is false when this process may not mount (not root, no tmpfs).
class FullFileSystem {
public:
    explicit FullFileSystem(const QString& folder) : folder_(folder) {
        if (::geteuid() != 0 || !QDir().mkpath(folder)) return;
        const QByteArray where = QFile::encodeName(folder);
        mounted_ = ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullFileSystem() {
        if (mounted_) ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
    }
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;

    bool mounted() const { return mounted_; }

    /// Writes a filler file until the file system refuses a single byte more.
    bool fill() const {
        QFile filler(folder_ + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("x", 1) == 1) {
        }
        return true;
    }

private:
    QString folder_;
    bool mounted_ = false;
};

}  // namespace

TEST_F(FormFilesTest, EverySaveOnAFullDiskKeepsTheEarlierFileAndSaysWhy) {
    FullFileSystem disk(path(QStringLiteral("full")));
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small tmpfs needs root";
    ASSERT_TRUE(analyseAndWait());
    const struct {
        const char* name;
        int type;
        std::function<void()> save;
    } saves[] = {
        {"design.qmd", 0, [this] { QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier); }},
        {"results.csv", kCsvType, [this] { QTest::keyClick(form.get(), Qt::Key_E, Qt::ControlModifier); }},
        {"results.json", kJsonType, [this] { QTest::keyClick(form.get(), Qt::Key_E, Qt::ControlModifier); }},
        {"diagram.svg", kSvgType, [this] { form->exportDiagram(); }},
        {"diagram.png", kPngType, [this] { form->exportDiagram(); }},
        {"diagram-2x.png", kPng2xType, [this] { form->exportDiagram(); }},
        {"sheet.pdf", 0, [this] { form->exportWindingSheet(); }},
    };
    // Earlier files of a few bytes each, written while there was room.
    for (const auto& s : saves) {
        QFile earlier(path(QStringLiteral("full/%1").arg(QLatin1String(s.name))));
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        ASSERT_EQ(earlier.write(QByteArray("earlier ") + s.name), qint64(8 + qstrlen(s.name)));
    }
    ASSERT_TRUE(disk.fill());
    for (const Language language : {Language::Chinese, Language::English}) {
        setApplicationLanguage(*QApplication::instance(), language);
        const QString cause = language == Language::Chinese ? QStringLiteral("设备上没有空间")
                                                            : QStringLiteral("No space left on device");
        for (const auto& s : saves) {
            messages.clear();
            next = {path(QStringLiteral("full/%1").arg(QLatin1String(s.name))), s.type};
            s.save();
            EXPECT_EQ(fileBytes(next.path).size(), qstrlen(s.name) + 8) << s.name;
            EXPECT_EQ(fileBytes(next.path), QByteArray("earlier ") + s.name) << s.name;
            EXPECT_EQ(messages.size(), 1) << s.name << " " << messages.join('|').toStdString();
            if (messages.size() != 1) continue;
            EXPECT_TRUE(messages[0].contains(cause)) << s.name << ": " << messages[0].toStdString();
            EXPECT_TRUE(messages[0].contains(next.path)) << s.name << ": " << messages[0].toStdString();
            EXPECT_EQ(containsCjk(messages[0].toStdString()), language == Language::Chinese)
                << messages[0].toStdString();
        }
    }
    setApplicationLanguage(*QApplication::instance(), Language::Chinese);
    EXPECT_EQ(QDir(path(QStringLiteral("full"))).entryList(QDir::Files | QDir::Hidden).size(),
              std::size(saves) + 1)
        << "no temporary file is left behind";
}
