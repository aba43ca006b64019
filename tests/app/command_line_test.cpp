// quillmere's command line read without starting anything: what goes to the form, what to the
// winding sheet, and what is refused.
#include <gtest/gtest.h>

#include "app/command_line.h"

using namespace quillmere;

TEST(WindowCommandLine, ReadsWhatTheFormAndTheSheetAreAskedFor) {
    using Args = std::vector<std::string_view>;
    using Sheet = std::vector<std::string>;
    const struct {
        const char* what;
        Args arguments;  // after the program name
        CommandLineFault fault;
        std::string subject;
        std::optional<Language> language;
        std::string design;
        bool sheet;
        Sheet sheetArguments;  // after the program name
    } cases[] = {
        {"nothing", {}, CommandLineFault::None, "", {}, "", false, {}},
        {"a design", {"a.qmd"}, CommandLineFault::None, "", {}, "a.qmd", false, {"a.qmd"}},
        {"a design named like an option's value",
         {"--lang", "en", "en"},
         CommandLineFault::None,
         "",
         Language::English,
         "en",
         false,
         {"en"}},
        {"a lone dash is a file name", {"-"}, CommandLineFault::None, "", {}, "-", false, {"-"}},
        {"--lang=zh",
         {"--lang=zh", "a.qmd"},
         CommandLineFault::None,
         "",
         Language::Chinese,
         "a.qmd",
         false,
         {"a.qmd"}},
        {"the last language counts",
         {"--lang", "zh", "--lang=en"},
         CommandLineFault::None,
         "",
         Language::English,
         "",
         false,
         {}},
        {"two designs",
         {"a.qmd", "--lang", "en", "b.qmd"},
         CommandLineFault::SeveralDesigns,
         "a.qmd b.qmd",
         Language::English,
         "",
         false,
         {}},
        {"an unknown option before a design",
         {"a.qmd", "--colour", "red"},
         CommandLineFault::UnknownOption,
         "--colour",
         {},
         "",
         false,
         {}},
        {"the first unknown option is named",
         {"-x", "--y"},
         CommandLineFault::UnknownOption,
         "-x",
         {},
         "",
         false,
         {}},
        {"a bad language", {"--lang", "de", "a.qmd"}, CommandLineFault::BadLanguage, "de", {}, "", false, {}},
        {"an empty language", {"--lang="}, CommandLineFault::BadLanguage, "", {}, "", false, {}},
        {"a language without value", {"--lang"}, CommandLineFault::MissingValue, "--lang", {}, "", false, {}},
        {"the sheet keeps its options in order, without --lang",
         {"--design", "d.qmd", "--lang", "en", "--winding-sheet", "o.pdf", "--solution", "2"},
         CommandLineFault::None,
         "",
         Language::English,
         "",
         true,
         {"--design", "d.qmd", "--winding-sheet", "o.pdf", "--solution", "2"}},
        {"the sheet judges its own options",
         {"--winding-sheet", "o.pdf", "--colour", "a", "b"},
         CommandLineFault::None,
         "",
         {},
         "",
         true,
         {"--winding-sheet", "o.pdf", "--colour", "a", "b"}},
        {"a bad language is refused with the sheet too",
         {"--winding-sheet", "o.pdf", "--lang", "fr"},
         CommandLineFault::BadLanguage,
         "fr",
         {},
         "",
         true,
         {"--winding-sheet", "o.pdf"}},
    };
    for (const auto& c : cases) {
        Args arguments{"quillmere"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const CommandLineRead read = readWindowCommandLine(arguments);
        EXPECT_EQ(read.fault, c.fault) << c.what;
        EXPECT_EQ(read.subject, c.subject) << c.what;
        if (!read) continue;
        EXPECT_EQ(read.commandLine.language, c.language) << c.what;
        EXPECT_EQ(read.commandLine.designFile, c.design) << c.what;
        EXPECT_EQ(read.commandLine.windingSheet, c.sheet) << c.what;
        Sheet sheet{"quillmere"};
        sheet.insert(sheet.end(), c.sheetArguments.begin(), c.sheetArguments.end());
        EXPECT_EQ(read.commandLine.sheetArguments, sheet) << c.what;
    }
}
