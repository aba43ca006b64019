// Writes the application icon as the hicolor theme's PNGs: write_icons FOLDER SIZE...
// gives FOLDER/SIZE.png for each size, drawn by the same code as the window's icon.
#include <cstdio>
#include <cstdlib>

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

#include "widgets/app_icons.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc < 3) {
        std::fputs("usage: write_icons FOLDER SIZE...\n", stderr);
        return 2;
    }
    const QIcon icon = applicationIcon();
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString path = QStringLiteral("%1/%2.png").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (size <= 0 || !icon.pixmap(size, size).save(path, "PNG")) {
            std::fprintf(stderr, "write_icons: cannot write %s\n", path.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
