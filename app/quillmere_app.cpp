#include "app/quillmere_app.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>

#include "app/quillmere_dlg.h"
#include "widgets/app_icons.h"
#include "widgets/application_setup.h"

namespace {

constexpr const char* kStartFailure = "OLE 程序初始化失败。请确认 OLE 库程序是正确的版本。\n";

// Qt ends the process with abort() when no platform plugin can be loaded (no display). While
// the application object is built, such a fatal message becomes the program's own start-up
// failure and a plain exit instead.
void startUpMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs(kStartFailure, stderr);
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
}

}  // namespace

int CQuillmereApp::run(int argc, char** argv) {
    qInstallMessageHandler(startUpMessage);
    QApplication application(argc, argv);
    qInstallMessageHandler(nullptr);

    prepareApplication(application);
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
