// The program started as a process: without a window system it names the variable to set, in
// the language asked for, with a plain failure status; a command line it does not understand is
// refused before anything starts.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace {

struct Started {
    int exitCode = -1;
    QString errors;
    bool outputEmpty = false;
};

Started start(const QStringList& arguments,
              const std::vector<std::pair<const char*, const char*>>& variables) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QUILLMERE_LANG"})
        environment.remove(name);
    for (const auto& [name, value] : variables) environment.insert(name, value);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(QUILLMERE_APP), arguments);
    Started started;
    if (!program.waitForFinished(20000) || program.exitStatus() != QProcess::NormalExit) return started;
    started.exitCode = program.exitCode();
    started.errors = QString::fromUtf8(program.readAllStandardError());
    started.outputEmpty = program.readAllStandardOutput().isEmpty();
    return started;
}

}  // namespace

TEST(ApplicationStart, WithoutAWindowSystemNamesTheVariableToSet) {
    const QString noneZh =
        QStringLiteral("无法打开窗口: 没有设置显示。请设置 DISPLAY (X11) 或 WAYLAND_DISPLAY (Wayland)。\n");
    const QString noneEn = QStringLiteral(
        "Cannot open a window: no display is set. Set DISPLAY (X11) or WAYLAND_DISPLAY (Wayland).\n");
    const struct {
        const char* what;
        std::vector<std::pair<const char*, const char*>> variables;
        QStringList arguments;
        int exitCode;
        QString says;
    } cases[] = {
        {"no display at all", {}, {}, 1, noneZh},
        {"English asked for", {}, {"--lang", "en"}, 1, noneEn},
        {"English by the environment", {{"QUILLMERE_LANG", "en"}}, {}, 1, noneEn},
        {"the command line before the environment", {{"QUILLMERE_LANG", "en"}}, {"--lang=zh"}, 1, noneZh},
        {"a display nobody serves",
         {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":93"}},
         {},
         1,
         QStringLiteral(
             "无法打开窗口: 无法连接显示 DISPLAY=:93。请检查 DISPLAY (X11) 或 WAYLAND_DISPLAY (Wayland)。")},
        {"a display nobody serves, in English",
         {{"DISPLAY", ":93"}},
         {"--lang", "en"},
         1,
         QStringLiteral(
             "Cannot open a window: the display DISPLAY=:93 cannot be reached. Check DISPLAY (X11) "
             "or WAYLAND_DISPLAY (Wayland).")},
        {"an unknown platform",
         {{"QT_QPA_PLATFORM", "nowhere"}},
         {"--lang", "en"},
         1,
         QStringLiteral(
             "Cannot open a window: the window system \"nowhere\" (QT_QPA_PLATFORM) is not available. "
             "Set DISPLAY (X11) or WAYLAND_DISPLAY (Wayland).")},
        {"an unknown language in the environment",
         {{"QUILLMERE_LANG", "de"}},
         {},
         1,
         QStringLiteral("QUILLMERE_LANG=de names no language (en or zh); showing Chinese\n")},
    };
    for (const auto& c : cases) {
        const Started started = start(c.arguments, c.variables);
        EXPECT_EQ(started.exitCode, c.exitCode) << c.what;
        EXPECT_TRUE(started.errors.contains(c.says)) << c.what << "\n" << started.errors.toStdString();
        // The text about another platform's libraries is not this platform's.
        EXPECT_FALSE(started.errors.contains(QStringLiteral("OLE"))) << c.what;
        EXPECT_TRUE(started.outputEmpty) << c.what;
    }
}

TEST(ApplicationStart, RefusesACommandLineItDoesNotUnderstand) {
    const QString usage = QStringLiteral("用法: quillmere [--lang en|zh] [设计.qmd]");
    const struct {
        const char* what;
        QStringList arguments;
        const char* language;  // QUILLMERE_LANG, nullptr: not set
        QStringList says;
    } cases[] = {
        {"two design files",
         {"a.qmd", "b.qmd"},
         nullptr,
         {"一次只能打开一个设计文件, 却给了: a.qmd b.qmd", usage}},
        {"three, in English",
         {"--lang", "en", "a.qmd", "b.qmd", "c.qmd"},
         nullptr,
         {"only one design file can be opened at a time, not: a.qmd b.qmd c.qmd",
          "Usage: quillmere [--lang en|zh] [DESIGN.qmd]"}},
        {"an unknown option", {"--colour", "a.qmd"}, nullptr, {"quillmere: 未知的选项 --colour", usage}},
        {"an unknown short option", {"-x"}, "en", {"quillmere: unknown option -x"}},
        {"the sheet's options without the sheet", {"--design", "a.qmd"}, nullptr, {"未知的选项 --design"}},
        {"a language without its name", {"--lang"}, nullptr, {"quillmere: --lang 缺少参数", usage}},
        {"an unknown language", {"--lang", "de"}, nullptr, {"quillmere: --lang takes en or zh, not \"de\""}},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<const char*, const char*>> variables;
        if (c.language) variables.emplace_back("QUILLMERE_LANG", c.language);
        // With a display that cannot be reached: the refusal comes before any window is tried.
        variables.emplace_back("DISPLAY", ":93");
        const Started started = start(c.arguments, variables);
        EXPECT_EQ(started.exitCode, 2) << c.what;
        for (const QString& text : c.says)
            EXPECT_TRUE(started.errors.contains(text)) << c.what << "\n" << started.errors.toStdString();
        EXPECT_FALSE(started.errors.contains(QStringLiteral("DISPLAY"))) << c.what;
        EXPECT_TRUE(started.outputEmpty) << c.what;
    }
}
