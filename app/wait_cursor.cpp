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
    // Pointer moves reach the windows whether or not a widget under them tracks the mouse.
    qApp->installEventFilter(this);
    shown_ = true;
}

bool WaitCursor::eventFilter(QObject* watched, QEvent* event) {
    // Pointer moves reach a window first; other objects' events (some built on other threads)
    // are none of this filter's business.
    if (watched->isWindowType() && event->type() == QEvent::MouseMove) restore();
    return QObject::eventFilter(watched, event);
}

void WaitCursor::restore() {
    if (!shown_) return;
    shown_ = false;
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}
