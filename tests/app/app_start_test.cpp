// The program without a window system: the start-up failure text in the language asked for and
// a plain failure status; a language it does not speak is refused before anything starts.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

TEST(ApplicationStart, WithoutAWindowSystemReportsTheFailureAndExits) {
    const QString chinese = QStringLiteral("OLE 程序初始化失败。请确认 OLE 库程序是正确的版本。\n");
    const QString english = QStringLiteral(
        "OLE initialization failed. Make sure that the OLE libraries are the correct version.\n");
    const struct {
        const char* what;
        const char* platform;  // nullptr: not set
        const char* display;
        QStringList arguments;
        const char* language;  // QUILLMERE_LANG, nullptr: not set
        int exitCode;
        QString says;
    } cases[] = {
        {"no display at all", nullptr, nullptr, {}, nullptr, 1, chinese},
        {"a display nobody serves", "xcb", ":93", {}, nullptr, 1, chinese},
        {"an unknown platform", "nowhere", nullptr, {}, nullptr, 1, chinese},
        {"English asked for", nullptr, nullptr, {"--lang", "en"}, nullptr, 1, english},
        {"English by the environment", nullptr, nullptr, {}, "en", 1, english},
        {"the command line before the environment", nullptr, nullptr, {"--lang=zh"}, "en", 1, chinese},
        {"an unknown language",
         nullptr,
         nullptr,
         {"--lang", "de"},
         nullptr,
         2,
         QStringLiteral("quillmere: --lang takes en or zh, not \"de\"\n")},
        {"an unknown language in the environment",
         nullptr,
         nullptr,
         {},
         "de",
         1,
         QStringLiteral("QUILLMERE_LANG=de names no language (en or zh); showing Chinese\n")},
    };
    for (const auto& c : cases) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QUILLMERE_LANG"})
            environment.remove(name);
        if (c.platform) environment.insert("QT_QPA_PLATFORM", c.platform);
        if (c.display) environment.insert("DISPLAY", c.display);
        if (c.language) environment.insert("QUILLMERE_LANG", c.language);

        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QUILLMERE_APP), c.arguments);
        ASSERT_TRUE(program.waitForFinished(20000)) << c.what;

        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << c.what;
        EXPECT_EQ(program.exitCode(), c.exitCode) << c.what;
        const QString errors = QString::fromUtf8(program.readAllStandardError());
        EXPECT_TRUE(errors.contains(c.says)) << c.what << "\n" << errors.toStdString();
        EXPECT_TRUE(program.readAllStandardOutput().isEmpty()) << c.what;
    }
}
