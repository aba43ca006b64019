// quillmere --winding-sheet: exit statuses, messages and the file it leaves, without a display.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "engine/design_file.h"
#include "pdf_tools.h"
#include "tests/cjk.h"

using namespace quillmere;

namespace {

// Design files beside the sheet: DIR/NAME.qmd in the arguments.
void writeDesignFiles(const QString& dir) {
    Design sandwich;
    sandwich.rules.sandwichWinding = 1;
    Design refused;  // 7.59 W without a controller
    refused.controllerChoice = static_cast<int>(Controller::None);
    Design nothing;  // a slot that holds no winding
    nothing.inputs.slotWidth = 1;
    Design catalogue;  // wound on a catalogue core, whose figures fill the sheet
    catalogue.core = CoreChoice{"ETD 29/16/10", "Bobbin ETD 29", 0, "N87"};
    Design unknown;
    unknown.core = CoreChoice{"ETD 99/99/99", "", std::nullopt, "N87"};
    const std::pair<const char*, std::string> files[] = {
        {"sandwich.qmd", designFileText(sandwich)}, {"refused.qmd", designFileText(refused)},
        {"nothing.qmd", designFileText(nothing)},   {"catalogue.qmd", designFileText(catalogue)},
        {"unknown.qmd", designFileText(unknown)},   {"broken.qmd", "{\"format\": 1"}};
    for (const auto& [name, text] : files) {
        QFile file(dir + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
}

TEST(WindingSheetCommand, ExitStatusesMessagesAndFiles) {
    const QString earlierText = QStringLiteral("the earlier sheet");
    const struct {
        const char* what;
        QStringList arguments;  // OUT stands for the sheet's path, DIR for its folder
        const char* platform;   // QT_QPA_PLATFORM, nullptr: not set
        bool cutShort;          // the file-size limit stops the write
        int status;
        const char* shown;  // in the sheet (status 0) or on stderr
    } cases[] = {
        {"solution 1 of the defaults", {"--winding-sheet", "OUT"}, nullptr, false, 0, "0.3185 mm"},
        {"solution 10", {"--solution", "10", "--winding-sheet", "OUT"}, nullptr, false, 0, "解法 No. 10"},
        {"a display platform named, no display", {"--winding-sheet", "OUT"}, "xcb", false, 0, "75.75 nH/N²"},
        {"in English", {"--lang", "en", "--winding-sheet", "OUT"}, nullptr, false, 0, "Winding instructions"},
        {"in English, --lang=",
         {"--winding-sheet", "OUT", "--lang=en"},
         nullptr,
         false,
         0,
         "Electrical tests"},
        {"English refusal",
         {"--lang", "en", "--winding-sheet", "OUT", "--solution", "11"},
         nullptr,
         false,
         3,
         "There is no solution 11 (10 in all)."},
        {"English, refused design",
         {"--winding-sheet", "OUT", "--design", "DIR/refused.qmd", "--lang", "en"},
         nullptr,
         false,
         3,
         "The power exceeds the IC's maximum output!"},
        {"English usage",
         {"--lang", "en", "--winding-sheet", "OUT", "--colour", "red"},
         nullptr,
         false,
         2,
         "Unknown option --colour"},
        {"a language between",
         {"--design", "DIR/sandwich.qmd", "--lang", "en", "--winding-sheet", "OUT"},
         nullptr,
         false,
         0,
         "2nd half Np_2"},
        {"an unknown language", {"--winding-sheet", "OUT", "--lang", "de"}, nullptr, false, 2, "\"de\""},
        {"a sandwich design file",
         {"--design", "DIR/sandwich.qmd", "--winding-sheet", "OUT"},
         nullptr,
         false,
         0,
         "初级后半 Np_2"},
        {"English through the environment",
         {"--design", "DIR/sandwich.qmd", "--winding-sheet", "OUT", "ENV"},
         nullptr,
         false,
         0,
         "Primary, 2nd half Np_2"},
        {"a catalogue core's name and losses",
         {"--winding-sheet", "OUT", "--design", "DIR/catalogue.qmd", "--lang", "en"},
         nullptr,
         false,
         0,
         "ETD 29/16/10"},
        {"a core the catalogue lacks",
         {"--winding-sheet", "OUT", "--design", "DIR/unknown.qmd"},
         nullptr,
         false,
         2,
         "ETD 99/99/99"},
        {"named after its design file",
         {"--winding-sheet", "OUT", "--design", "DIR/sandwich.qmd"},
         nullptr,
         false,
         0,
         "sandwich.qmd"},
        {"a refused design",
         {"--winding-sheet", "OUT", "--design", "DIR/refused.qmd"},
         nullptr,
         false,
         3,
         "功率超过IC最大输出"},
        {"no solution at all",
         {"--winding-sheet", "OUT", "--design", "DIR/nothing.qmd"},
         nullptr,
         false,
         3,
         "没有找到解法"},
        {"a broken design file",
         {"--winding-sheet", "OUT", "--design", "DIR/broken.qmd"},
         nullptr,
         false,
         2,
         "broken.qmd"},
        {"a missing design file",
         {"--winding-sheet", "OUT", "--design", "DIR/none.qmd"},
         nullptr,
         false,
         2,
         "none.qmd"},
        {"past the last solution",
         {"--winding-sheet", "OUT", "--solution", "11"},
         nullptr,
         false,
         3,
         "没有第 11 个解法（共 10 个）"},
        {"solution 0", {"--winding-sheet", "OUT", "--solution", "0"}, nullptr, false, 2, "正整数"},
        {"solution not a number",
         {"--winding-sheet", "OUT", "--solution", "1x"},
         nullptr,
         false,
         2,
         "正整数"},
        {"no output", {"--winding-sheet"}, nullptr, false, 2, "缺少参数"},
        {"unknown option", {"--winding-sheet", "OUT", "--colour", "red"}, nullptr, false, 2, "--colour"},
        {"missing directory", {"--winding-sheet", "none/OUT"}, nullptr, false, 2, "无法写入"},
        {"write cut short", {"--winding-sheet", "OUT"}, nullptr, true, 2, "无法写入"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("sheet.pdf"));
        QFile earlier(out);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write(earlierText.toUtf8());
        earlier.close();
        writeDesignFiles(dir.path());
        QStringList arguments = c.arguments;
        arguments.replaceInStrings(QStringLiteral("OUT"), out);
        arguments.replaceInStrings(QStringLiteral("DIR"), dir.path());
        const bool englishEnvironment = arguments.removeAll(QStringLiteral("ENV")) > 0;

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
        if (c.platform) environment.insert("QT_QPA_PLATFORM", c.platform);
        environment.remove("QUILLMERE_LANG");
        if (englishEnvironment) environment.insert("QUILLMERE_LANG", "en");
        QProcess program;
        program.setProcessEnvironment(environment);
        if (c.cutShort) {
            // 8 blocks of 512 bytes; an ignored SIGXFSZ makes the write fail instead of the program.
            program.start("sh",
                          QStringList{"-c", "trap '' XFSZ; ulimit -f 8; exec \"$0\" \"$@\"", QUILLMERE_APP} +
                              arguments);
        } else {
            program.start(QStringLiteral(QUILLMERE_APP), arguments);
        }
        ASSERT_TRUE(program.waitForFinished(60000)) << c.what;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << c.what;
        EXPECT_EQ(program.exitCode(), c.status) << c.what;
        const QString errors = QString::fromUtf8(program.readAllStandardError());

        ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
        const QByteArray left = earlier.readAll();
        earlier.close();
        if (c.status == 0) {
            EXPECT_TRUE(left.startsWith("%PDF-")) << c.what;
            EXPECT_TRUE(pdfText(out).contains(QString::fromUtf8(c.shown))) << c.what;
        } else {
            EXPECT_EQ(left, earlierText.toUtf8()) << c.what;
            EXPECT_TRUE(errors.contains(QString::fromUtf8(c.shown)))
                << c.what << ": " << errors.toStdString();
        }
        // Every message in the language chosen.
        if (c.arguments.contains("en") || c.arguments.contains("--lang=en")) {
            EXPECT_FALSE(containsCjk(errors.toStdString())) << c.what << ": " << errors.toStdString();
        }
    }
}

}  // namespace
