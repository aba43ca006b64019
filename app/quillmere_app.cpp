#include "app/quillmere_app.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QTimer>

#include "app/command_line.h"
#include "app/design_form.h"
#include "sheet/winding_sheet_command.h"
#include "widgets/app_icons.h"
#include "widgets/application_setup.h"
#include "widgets/language.h"

using namespace quillmere;

namespace {

constexpr const char* kContext = "CQuillmereApp";
constexpr const char* kNoDisplaySet = QT_TRANSLATE_NOOP(
    "CQuillmereApp", "无法打开窗口: 没有设置显示。请设置 DISPLAY (X11) 或 WAYLAND_DISPLAY (Wayland)。");
constexpr const char* kDisplayUnreachable = QT_TRANSLATE_NOOP(
    "CQuillmereApp", "无法打开窗口: 无法连接显示 %1。请检查 DISPLAY (X11) 或 WAYLAND_DISPLAY (Wayland)。");
constexpr const char* kPlatformMissing =
    QT_TRANSLATE_NOOP("CQuillmereApp",
                      "无法打开窗口: 窗口系统 \"%1\" (QT_QPA_PLATFORM) 不可用。请设置 DISPLAY (X11) 或 "
                      "WAYLAND_DISPLAY (Wayland)。");
constexpr const char* kUnknownOption = QT_TRANSLATE_NOOP("CQuillmereApp", "未知的选项 %1");
constexpr const char* kMissingValue = QT_TRANSLATE_NOOP("CQuillmereApp", "%1 缺少参数");
constexpr const char* kSeveralDesigns =
    QT_TRANSLATE_NOOP("CQuillmereApp", "一次只能打开一个设计文件, 却给了: %1");
constexpr const char* kUsage = QT_TRANSLATE_NOOP(
    "CQuillmereApp",
    "用法: quillmere [--lang en|zh] [设计.qmd]\n"
    "      quillmere [--lang en|zh] --winding-sheet OUT.pdf [--design 设计.qmd] [--solution N]");

enum ExitStatus : int { kClosed = EXIT_SUCCESS, kNoWindow = EXIT_FAILURE, kBadUsage = 2 };

QString text(Language language, const char* source) {
    return standaloneText(language, kContext, source);
}

void say(const QString& message) {
    std::fprintf(stderr, "quillmere: %s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
}

// Why no window could be opened, naming the variable to set. Read from the environment as the
// failed start-up left it.
QString noWindowMessage(Language language) {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    const QString display = qEnvironmentVariable("DISPLAY");
    if (!platform.isEmpty() && platform != QLatin1String("xcb") &&
        !platform.startsWith(QLatin1String("wayland")))
        return text(language, kPlatformMissing).arg(platform);
    if (!wayland.isEmpty() && platform != QLatin1String("xcb"))
        return text(language, kDisplayUnreachable).arg(QStringLiteral("WAYLAND_DISPLAY=") + wayland);
    if (!display.isEmpty())
        return text(language, kDisplayUnreachable).arg(QStringLiteral("DISPLAY=") + display);
    return text(language, kNoDisplaySet);
}

// Qt ends the process with abort() when no platform plugin can be loaded (no display). While
// the application object is built, such a fatal message becomes the program's own start-up
// failure and a plain exit instead. One handler per language: Qt calls it as a plain function.
template <Language language>
void startUpMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        say(noWindowMessage(language));
        std::_Exit(kNoWindow);
    }
    std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
}

// QUILLMERE_LANG when the command line names no language, else Chinese.
Language environmentLanguage() {
    const char* variable = std::getenv(kLanguageVariable);
    if (const auto language = languageFromEnvironment(variable)) return *language;
    std::fprintf(stderr, "quillmere: %s=%s names no language (en or zh); showing Chinese\n",
                 kLanguageVariable, variable);
    return Language::Chinese;
}

QString local(std::string_view bytes) {
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Says what is wrong with the command line; the exit status that goes with it.
int refuse(const CommandLineRead& read, Language language) {
    const QString subject = local(read.subject);
    switch (read.fault) {
        case CommandLineFault::BadLanguage:
            std::fprintf(stderr, "quillmere: --lang takes en or zh, not \"%s\"\n",
                         subject.toLocal8Bit().constData());
            return kBadUsage;
        case CommandLineFault::UnknownOption:
            say(text(language, kUnknownOption).arg(subject));
            break;
        case CommandLineFault::MissingValue:
            say(text(language, kMissingValue).arg(subject));
            break;
        case CommandLineFault::SeveralDesigns:
            say(text(language, kSeveralDesigns).arg(subject));
            break;
        case CommandLineFault::None:
            return kClosed;
    }
    std::fprintf(stderr, "%s\n", text(language, kUsage).toLocal8Bit().constData());
    return kBadUsage;
}

int runSheet(const WindowCommandLine& line, Language language) {
    std::vector<std::string> owned(line.sheetArguments.begin(), line.sheetArguments.end());
    std::vector<char*> argv;
    for (std::string& argument : owned) argv.push_back(argument.data());
    argv.push_back(nullptr);
    return runWindingSheetCommand(static_cast<int>(owned.size()), argv.data(), language);
}

// Opens a design once the form has been drawn, so that a message about the file appears over the
// form; also after a while should the form never be drawn (a minimised start).
class OpenWhenShown : public QObject {
public:
    OpenWhenShown(DesignForm& form, QString designFile)
        : QObject(&form), form_(form), file_(std::move(designFile)) {
        form.installEventFilter(this);
        QTimer::singleShot(kLongestWait, this, &OpenWhenShown::open);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &form_ && event->type() == QEvent::Paint)
            QTimer::singleShot(0, this, &OpenWhenShown::open);
        return false;
    }

private:
    static constexpr int kLongestWait = 2000;  ///< ms

    void open() {
        if (opened_) return;
        opened_ = true;
        form_.removeEventFilter(this);
        form_.openDesign(file_);
        deleteLater();
    }

    DesignForm& form_;
    QString file_;
    bool opened_ = false;
};

}  // namespace

void startForm(DesignForm& form, const QString& designFile) {
    if (!designFile.isEmpty()) new OpenWhenShown(form, designFile);
    form.show();
}

int CQuillmereApp::run(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv, argv + argc);
    const CommandLineRead read = readWindowCommandLine(arguments);
    const Language language = read.commandLine.language                     ? *read.commandLine.language
                              : read.fault == CommandLineFault::BadLanguage ? Language::Chinese
                                                                            : environmentLanguage();
    if (!read) return refuse(read, language);
    // The winding sheet is written without opening the form, and without a display.
    if (read.commandLine.windingSheet) return runSheet(read.commandLine, language);

    qInstallMessageHandler(language == Language::English ? startUpMessage<Language::English>
                                                         : startUpMessage<Language::Chinese>);
    QApplication application(argc, argv);
    qInstallMessageHandler(nullptr);

    prepareApplication(application, language);
    QApplication::setWindowIcon(applicationIcon());
    // The form's modal run decides when the program ends, also while "REV_IR Mod" swaps windows.
    QApplication::setQuitOnLastWindowClosed(false);

    DesignForm form;
    startForm(form, QString::fromLocal8Bit(read.commandLine.designFile.c_str()));
    form.exec();
    return kClosed;
}
