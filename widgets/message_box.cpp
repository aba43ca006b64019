#include "widgets/message_box.h"

#include <algorithm>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>
#include <QWidget>

namespace {

// Room the box keeps around its text: the frame, margins, icon space and the button row.
constexpr int kFrameWidth = 120;
constexpr int kFrameHeight = 120;

QSize availableSize(const QWidget* parent) {
    const QScreen* screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(800, 600);
}

// A box fitted to the screen it opens on, whatever the text.
void fitText(QMessageBox& box, const QWidget* parent, const QString& text) {
    const QSize available = availableSize(parent);
    box.setText(fittedMessageText(text, box.fontMetrics(),
                                  QSize(available.width() - kFrameWidth, available.height() - kFrameHeight)));
}

}  // namespace

QString fittedMessageText(const QString& text, const QFontMetrics& metrics, const QSize& room) {
    const int width = std::max(room.width(), metrics.averageCharWidth() * 10);
    const int lines = std::max(1, room.height() / std::max(1, metrics.lineSpacing()));
    QStringList shown = text.split(QLatin1Char('\n'));
    if (shown.size() > lines) {
        shown = shown.mid(0, lines);
        shown.back() = QStringLiteral("…");
    }
    for (QString& line : shown) line = metrics.elidedText(line, Qt::ElideMiddle, width);
    return shown.join(QLatin1Char('\n'));
}

void showMessageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quillmere"), QString(), QMessageBox::Ok, parent);
    fitText(box, parent, text);
    box.exec();
}

bool askQuestion(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quillmere"), QString(),
                    QMessageBox::Yes | QMessageBox::No, parent);
    fitText(box, parent, text);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
