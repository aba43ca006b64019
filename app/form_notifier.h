#pragma once

#include <atomic>
#include <string_view>
#include <utility>

#include <QEvent>
#include <QString>

#include "engine/notification.h"

class QObject;

/// A worker notification on its way to the form: the event type is the notification's number.
class NotificationEvent : public QEvent {
public:
    explicit NotificationEvent(Notification notification) : QEvent(typeOf(notification)) {}

    static QEvent::Type typeOf(Notification notification) { return static_cast<QEvent::Type>(notification); }
    /// The notification an event carries, if it is one.
    static bool is(const QEvent& event, Notification notification) {
        return event.type() == typeOf(notification);
    }
};

/// A status caption the worker wants in the status line.
class StatusTextEvent : public QEvent {
public:
    explicit StatusTextEvent(QString text) : QEvent(type()), text_(std::move(text)) {}

    static QEvent::Type type();
    const QString& text() const { return text_; }

private:
    QString text_;
};

/// Turns the worker's notifications into events queued for the form; the form handles them on
/// its own thread and reads the design state there. Counter and progress notices are not
/// queued twice: while one is waiting, a newer one adds nothing, because the handler reads
/// the latest values anyway.
class FormNotifier : public NotificationSink {
public:
    explicit FormNotifier(QObject* form);

    void post(Notification notification) override;
    void setStatusText(std::string_view text) override;

    /// Called by the form's handler before it reads the state, so that a notice posted while
    /// the handler runs is queued again rather than lost.
    void handled(Notification notification);

private:
    std::atomic<bool>* pendingFlag(Notification notification);

    QObject* form_;
    std::atomic<bool> statusPending_{false};
    std::atomic<bool> progressPending_{false};
};
