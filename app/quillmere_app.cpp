#include "app/quillmere_app.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include <QApplication>

#include "app/quillmere_dlg.h"
#include "widgets/app_icons.h"
#include "widgets/application_setup.h"
#include "widgets/language.h"

namespace {

constexpr const char* kStartFailure =
    QT_TRANSLATE_NOOP("CQuillmereApp", "OLE 程序初始化失败。请确认 OLE 库程序是正确的版本。");

// Qt ends the process with abort() when no platform plugin can be loaded (no display). While
// the application object is built, such a fatal message becomes the program's own start-up
// failure and a plain exit instead. One handler per language: Qt calls it as a plain function.
template <Language language>
void startUpMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        const QByteArray text = standaloneText(language, "CQuillmereApp", kStartFailure).toUtf8();
        std::fprintf(stderr, "%s\n", text.constData());
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
}

struct LanguageChoice {
    std::optional<Language> language;  ///< empty: the command line is wrong
    std::string_view refusedValue;
};

// `--lang en|zh` or `--lang=en|zh` on the command line, else QUILLMERE_LANG, else Chinese.
LanguageChoice chooseLanguage(int argc, char** argv) {
    constexpr std::string_view kOption = "--lang";
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        std::optional<std::string_view> value;
        if (arg == kOption)
            value = k + 1 < argc ? std::string_view(argv[k + 1]) : std::string_view();
        else if (arg.starts_with("--lang="))
            value = arg.substr(kOption.size() + 1);
        if (value) return {languageNamed(*value), *value};
    }
    const char* variable = std::getenv(kLanguageVariable);
    if (const auto language = languageFromEnvironment(variable)) return {language, {}};
    std::fprintf(stderr, "quillmere: %s=%s names no language (en or zh); showing Chinese\n",
                 kLanguageVariable, variable);
    return {Language::Chinese, {}};
}

}  // namespace

int CQuillmereApp::run(int argc, char** argv) {
    const LanguageChoice choice = chooseLanguage(argc, argv);
    if (!choice.language) {
        std::fprintf(stderr, "quillmere: --lang takes en or zh, not \"%.*s\"\n",
                     static_cast<int>(choice.refusedValue.size()), choice.refusedValue.data());
        return 2;
    }
    const Language language = *choice.language;

    qInstallMessageHandler(language == Language::English ? startUpMessage<Language::English>
                                                         : startUpMessage<Language::Chinese>);
    QApplication application(argc, argv);
    qInstallMessageHandler(nullptr);

    prepareApplication(application, language);
    QApplication::setWindowIcon(applicationIcon());
    // The form's modal run decides when the program ends, also while "REV_IR Mod" swaps windows.
    QApplication::setQuitOnLastWindowClosed(false);

    CQuillmereDlg form;
    // `quillmere FILE.qmd`, as a launcher or a file manager passes it: the first argument that is
    // neither an option nor an option's value.
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--lang")) {
            ++i;
        } else if (!arguments[i].startsWith(QLatin1Char('-'))) {
            form.openDesign(arguments[i]);
            break;
        }
    }
    form.exec();
    return EXIT_SUCCESS;
}
