#include "app/wait_cursor.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>

WaitCursor::~WaitCursor() {
    restore();
}

void WaitCursor::show() {
    if (shown_) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Pointer moves reach the top-level windows whether or not a widget tracks the mouse.
    qApp->installEventFilter(this);
    shown_ = true;
}

bool WaitCursor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) restore();
    return QObject::eventFilter(watched, event);
}

void WaitCursor::restore() {
    if (!shown_) return;
    shown_ = false;
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}
