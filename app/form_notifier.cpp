#include "app/form_notifier.h"

#include <utility>

using namespace quillmere;

FormNotifier::FormNotifier(NoticeHandler onNotice, CaptionHandler onCaption, DoneHandler onDone,
                           std::chrono::milliseconds interval)
    : onNotice_(std::move(onNotice)),
      onCaption_(std::move(onCaption)),
      onDone_(std::move(onDone)),
      interval_(interval) {
    for (auto [kind, notification] : {std::pair{&status_, Notification::AnalysisStatus},
                                      std::pair{&progress_, Notification::AnalysisProgress}}) {
        kind->delay.setSingleShot(true);
        kind->delay.setTimerType(Qt::PreciseTimer);
        connect(&kind->delay, &QTimer::timeout, this,
                [this, notification = notification] { handle(notification); });
    }
}

void FormNotifier::post(Notification notification) {
    if (Coalesced* kind = coalesced(notification)) {
        // The plain load keeps the many posts of a busy worker off the shared cache line.
        if (kind->pending.load(std::memory_order_relaxed) || kind->pending.exchange(true)) return;
    }
    QMetaObject::invokeMethod(this, "deliverNotice", Qt::QueuedConnection,
                              Q_ARG(int, static_cast<int>(notification)));
}

void FormNotifier::setStatusText(std::string_view text) {
    QMetaObject::invokeMethod(
        this, "deliverCaption", Qt::QueuedConnection,
        Q_ARG(QString, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))));
    // A counter notice waiting from before the caption is handled before it: the next one
    // is queued after the caption instead of joining it.
    status_.pending.store(false);
}

void FormNotifier::analysisDone(AnalysisResult result) {
    // Handed over under a lock of our own rather than inside the queued call, so that the handover
    // is visible as such (also to the thread checker, which cannot see into Qt's event queue).
    {
        const std::lock_guard lock(doneMutex_);
        done_ = std::move(result);
    }
    // Queued like the notices, so it arrives after every one posted before it.
    QMetaObject::invokeMethod(this, "deliverNotice", Qt::QueuedConnection,
                              Q_ARG(int, static_cast<int>(Notification::AnalysisDone)));
}

void FormNotifier::deliverNotice(int number) {
    const auto notification = static_cast<Notification>(number);
    if (notification == Notification::AnalysisDone) {
        std::optional<AnalysisResult> result;
        {
            const std::lock_guard lock(doneMutex_);
            result.swap(done_);
        }
        flushDelayed();
        if (result) onDone_(std::move(*result));
        return;
    }
    Coalesced* kind = coalesced(notification);
    if (!kind) {
        onNotice_(notification);
        return;
    }
    if (kind->delay.isActive()) return;  // an earlier one is waiting; it reads the latest values
    const auto since = std::chrono::steady_clock::now() - kind->lastHandled;
    if (since < interval_) {
        kind->delay.start(std::chrono::duration_cast<std::chrono::milliseconds>(interval_ - since) +
                          std::chrono::milliseconds(1));
        return;
    }
    handle(notification);
}

void FormNotifier::deliverCaption(const QString& text) {
    flushDelayed();
    onCaption_(text);
}

void FormNotifier::handle(Notification notification) {
    Coalesced* kind = coalesced(notification);
    kind->delay.stop();
    kind->lastHandled = std::chrono::steady_clock::now();
    // Cleared before the handler reads the counters: a notice posted meanwhile is queued anew.
    kind->pending.store(false);
    onNotice_(notification);
}

void FormNotifier::flushDelayed() {
    if (status_.delay.isActive()) handle(Notification::AnalysisStatus);
    if (progress_.delay.isActive()) handle(Notification::AnalysisProgress);
}

FormNotifier::Coalesced* FormNotifier::coalesced(Notification notification) {
    switch (notification) {
        case Notification::AnalysisStatus:
            return &status_;
        case Notification::AnalysisProgress:
            return &progress_;
        case Notification::AnalysisDone:
        case Notification::FillResults:
            return nullptr;
    }
    return nullptr;
}
