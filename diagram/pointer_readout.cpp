#include "diagram/pointer_readout.h"

#include <QChildEvent>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPoint>
#include <QString>

namespace {

// Widgets that let pointer input through to the form beneath them: static texts, group boxes
// and bare containers. Everything else (edits, buttons, combo boxes, lists, bars) takes it.
bool passesPointer(const QWidget* widget) {
    if (qobject_cast<const QLabel*>(widget) || qobject_cast<const QGroupBox*>(widget)) return true;
    const QMetaObject* kind = widget->metaObject();
    return kind == &QWidget::staticMetaObject || kind == &QFrame::staticMetaObject;
}

}  // namespace

PointerReadout::PointerReadout(QWidget* form, QLabel* readout)
    : QObject(form), form_(form), readout_(readout) {
    watch(form_);
}

void PointerReadout::watch(QWidget* widget) {
    widget->installEventFilter(this);
    if (widget == form_ || passesPointer(widget)) widget->setMouseTracking(true);
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow()) watch(child);
}

bool PointerReadout::surfaceAt(QPoint formPosition) const {
    // A pressed button keeps sending moves after the pointer has left the form.
    if (!form_->rect().contains(formPosition)) return false;
    for (const QWidget* w = form_->childAt(formPosition); w != nullptr && w != form_; w = w->parentWidget()) {
        // A disabled control takes no input: the pointer reaches what lies beneath it.
        if (w->isEnabled() && !passesPointer(w)) return false;
    }
    return true;
}

void PointerReadout::show(QPoint formPosition) {
    const QString text = QStringLiteral("Coordinate:%1,%2").arg(formPosition.x()).arg(formPosition.y());
    if (readout_->text() != text) readout_->setText(text);
}

bool PointerReadout::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) return false;
    switch (event->type()) {
        case QEvent::ChildPolished: {
            // Controls the form creates later are polished before they are first shown.
            auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child());
            if (child != nullptr && !child->isWindow()) watch(child);
            return false;
        }
        case QEvent::MouseMove: {
            // Popups of the form's controls are windows of their own.
            if (widget->window() != form_->window() && widget != form_) return false;
            const QPoint local = static_cast<QMouseEvent*>(event)->position().toPoint();
            const QPoint formPosition = widget == form_ ? local : widget->mapTo(form_, local);
            if (surfaceAt(formPosition)) show(formPosition);
            return false;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return widget == form_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        default:
            return false;
    }
}
