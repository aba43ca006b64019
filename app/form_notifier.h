#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string_view>

#include <QObject>
#include <QString>
#include <QTimer>

#include "engine/notification.h"

/// Turns the worker's notifications into calls queued to the thread that made the notifier
/// (the form's); the calls carry the notification numbers, and the form's handlers read the
/// counters when they run; the last one carries the analysis result.
///
/// Counter and progress notices come by the million in a wide search. They are coalesced: while
/// one is waiting, a newer one adds nothing, because its handler reads the latest values anyway.
/// And each kind is handled at most once per `kInterval`: a notice arriving sooner waits on a
/// timer. So the form's thread stays mostly idle and the worker never waits for it, while the
/// counts still move several times a second. Nothing is reordered: a waiting notice is handled
/// before a caption or the end that was posted after it.
class FormNotifier : public QObject, public quillmere::NotificationSink {
    Q_OBJECT
public:
    using NoticeHandler = std::function<void(quillmere::Notification)>;
    using CaptionHandler = std::function<void(const QString&)>;
    using DoneHandler = std::function<void(quillmere::AnalysisResult)>;

    static constexpr std::chrono::milliseconds kInterval{40};

    FormNotifier(NoticeHandler onNotice, CaptionHandler onCaption, DoneHandler onDone,
                 std::chrono::milliseconds interval = kInterval);

    /// These three may be called on any thread.
    void post(quillmere::Notification notification) override;
    void setStatusText(std::string_view text) override;
    void analysisDone(quillmere::AnalysisResult result) override;

private:
    /// One coalesced kind of notice: its waiting flag and, on the form's thread, its timer.
    struct Coalesced {
        std::atomic<bool> pending{false};
        QTimer delay;
        std::chrono::steady_clock::time_point lastHandled{};
    };

    Q_INVOKABLE void deliverNotice(int number);
    Q_INVOKABLE void deliverCaption(const QString& text);

    Coalesced* coalesced(quillmere::Notification notification);
    void handle(quillmere::Notification notification);
    /// Handles every notice still waiting on its timer.
    void flushDelayed();

    NoticeHandler onNotice_;
    CaptionHandler onCaption_;
    DoneHandler onDone_;
    const std::chrono::milliseconds interval_;
    Coalesced status_;
    Coalesced progress_;
    std::mutex doneMutex_;
    std::optional<quillmere::AnalysisResult> done_;  ///< from the worker's end until its notice is handled
};
