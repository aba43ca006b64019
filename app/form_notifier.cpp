#include "app/form_notifier.h"

#include <memory>
#include <utility>

FormNotifier::FormNotifier(NoticeHandler onNotice, CaptionHandler onCaption, DoneHandler onDone)
    : onNotice_(std::move(onNotice)), onCaption_(std::move(onCaption)), onDone_(std::move(onDone)) {}

void FormNotifier::post(Notification notification) {
    if (auto* pending = pendingFlag(notification); pending && pending->exchange(true)) return;
    QMetaObject::invokeMethod(this, "deliverNotice", Qt::QueuedConnection,
                              Q_ARG(int, static_cast<int>(notification)));
}

void FormNotifier::setStatusText(std::string_view text) {
    QMetaObject::invokeMethod(
        this, "deliverCaption", Qt::QueuedConnection,
        Q_ARG(QString, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))));
    // A counter notice waiting from before the caption would be handled before it: the next one
    // is queued after the caption instead of joining it.
    statusPending_.store(false);
}

void FormNotifier::analysisDone(AnalysisResult result) {
    // Queued like the notices, so it arrives after every one posted before it.
    QMetaObject::invokeMethod(
        this,
        [this, handed = std::make_shared<AnalysisResult>(std::move(result))] { onDone_(std::move(*handed)); },
        Qt::QueuedConnection);
}

void FormNotifier::deliverNotice(int number) {
    const auto notification = static_cast<Notification>(number);
    // Cleared before the handler reads the state: a notice posted meanwhile is queued anew.
    if (auto* pending = pendingFlag(notification)) pending->store(false);
    onNotice_(notification);
}

void FormNotifier::deliverCaption(const QString& text) {
    onCaption_(text);
}

std::atomic<bool>* FormNotifier::pendingFlag(Notification notification) {
    switch (notification) {
        case Notification::AnalysisStatus:
            return &statusPending_;
        case Notification::AnalysisProgress:
            return &progressPending_;
        case Notification::AnalysisDone:
        case Notification::FillResults:
            return nullptr;
    }
    return nullptr;
}
