#pragma once

#include <atomic>
#include <functional>
#include <string_view>

#include <QObject>
#include <QString>

#include "engine/notification.h"

/// Turns the worker's notifications into calls queued to the thread that made the notifier
/// (the form's); the calls carry the notification numbers, and the form's handlers read the
/// counters when they run; the last one carries the analysis result. Counter and progress notices are not
/// queued twice: while one is waiting, a newer one adds nothing, because its handler reads the latest values
/// anyway. Nothing is reordered: a notice posted after a status caption arrives after it.
class FormNotifier : public QObject, public NotificationSink {
    Q_OBJECT
public:
    using NoticeHandler = std::function<void(Notification)>;
    using CaptionHandler = std::function<void(const QString&)>;
    using DoneHandler = std::function<void(AnalysisResult)>;

    FormNotifier(NoticeHandler onNotice, CaptionHandler onCaption, DoneHandler onDone);

    /// Both may be called on any thread.
    void post(Notification notification) override;
    void setStatusText(std::string_view text) override;
    void analysisDone(AnalysisResult result) override;

private:
    Q_INVOKABLE void deliverNotice(int number);
    Q_INVOKABLE void deliverCaption(const QString& text);

    std::atomic<bool>* pendingFlag(Notification notification);

    NoticeHandler onNotice_;
    CaptionHandler onCaption_;
    DoneHandler onDone_;
    std::atomic<bool> statusPending_{false};
    std::atomic<bool> progressPending_{false};
};
