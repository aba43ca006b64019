// The program without a window system: the start-up failure text and a plain failure status.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

TEST(ApplicationStart, WithoutAWindowSystemReportsTheFailureAndExits) {
    const struct {
        const char* what;
        const char* platform;  // nullptr: not set
        const char* display;
    } cases[] = {
        {"no display at all", nullptr, nullptr},
        {"a display nobody serves", "xcb", ":93"},
        {"an unknown platform", "nowhere", nullptr},
    };
    for (const auto& c : cases) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
        if (c.platform) environment.insert("QT_QPA_PLATFORM", c.platform);
        if (c.display) environment.insert("DISPLAY", c.display);

        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QUILLMERE_APP), {});
        ASSERT_TRUE(program.waitForFinished(20000)) << c.what;

        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << c.what;
        EXPECT_NE(program.exitCode(), 0) << c.what;
        const QString errors = QString::fromUtf8(program.readAllStandardError());
        EXPECT_TRUE(errors.contains(QStringLiteral("OLE 程序初始化失败。请确认 OLE 库程序是正确的版本。")))
            << c.what;
        EXPECT_TRUE(program.readAllStandardOutput().isEmpty()) << c.what;
    }
}
