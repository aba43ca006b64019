#include "app/form_notifier.h"

#include <QCoreApplication>

QEvent::Type StatusTextEvent::type() {
    static const auto registered = static_cast<QEvent::Type>(QEvent::registerEventType());
    return registered;
}

FormNotifier::FormNotifier(QObject* form) : form_(form) {}

void FormNotifier::post(Notification notification) {
    if (auto* pending = pendingFlag(notification); pending && pending->exchange(true)) return;
    QCoreApplication::postEvent(form_, new NotificationEvent(notification));
}

void FormNotifier::setStatusText(std::string_view text) {
    QCoreApplication::postEvent(
        form_, new StatusTextEvent(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))));
}

void FormNotifier::handled(Notification notification) {
    if (auto* pending = pendingFlag(notification)) pending->store(false);
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
