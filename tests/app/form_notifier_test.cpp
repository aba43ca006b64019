// Worker notices reach the form as queued events; counter and progress notices coalesce.
#include <gtest/gtest.h>

#include <map>
#include <thread>

#include <QCoreApplication>

#include "app/form_notifier.h"

namespace {

// Counts what arrives, and lets the notifier queue again as the form's handlers do.
class Receiver : public QObject {
public:
    FormNotifier* notifier = nullptr;
    std::map<int, int> arrived;
    QStringList texts;

protected:
    void customEvent(QEvent* event) override {
        if (event->type() == StatusTextEvent::type()) {
            texts << static_cast<StatusTextEvent*>(event)->text();
            return;
        }
        ++arrived[event->type()];
        notifier->handled(static_cast<Notification>(event->type()));
    }
};

}  // namespace

TEST(FormNotifier, QueuesEveryNoticeAndCoalescesRepeats) {
    const struct {
        Notification notification;
        int posts;
        int arrivals;
    } cases[] = {
        {Notification::AnalysisStatus, 500, 1},
        {Notification::AnalysisProgress, 500, 1},
        {Notification::AnalysisDone, 3, 3},
    };
    for (const auto& c : cases) {
        Receiver receiver;
        FormNotifier notifier(&receiver);
        receiver.notifier = &notifier;
        std::thread worker([&] {
            for (int i = 0; i < c.posts; ++i) notifier.post(c.notification);
        });
        worker.join();
        EXPECT_TRUE(receiver.arrived.empty()) << "delivered on the posting thread";
        QCoreApplication::processEvents();
        EXPECT_EQ(receiver.arrived[static_cast<int>(c.notification)], c.arrivals)
            << static_cast<int>(c.notification);

        // Once handled, the next notice is queued again.
        notifier.post(c.notification);
        QCoreApplication::processEvents();
        EXPECT_EQ(receiver.arrived[static_cast<int>(c.notification)], c.arrivals + 1);
    }
}

TEST(FormNotifier, StatusNoticeAndProgressNoticeDoNotHideEachOther) {
    Receiver receiver;
    FormNotifier notifier(&receiver);
    receiver.notifier = &notifier;
    notifier.post(Notification::AnalysisStatus);
    notifier.post(Notification::AnalysisProgress);
    notifier.post(Notification::AnalysisStatus);
    notifier.post(Notification::AnalysisDone);
    QCoreApplication::processEvents();
    EXPECT_EQ(receiver.arrived[1125], 1);
    EXPECT_EQ(receiver.arrived[1144], 1);
    EXPECT_EQ(receiver.arrived[1124], 1);
}

TEST(FormNotifier, StatusTextsArriveInOrder) {
    Receiver receiver;
    FormNotifier notifier(&receiver);
    receiver.notifier = &notifier;
    std::thread worker([&] {
        notifier.setStatusText("读取用户参数......");
        notifier.setStatusText("执行分析线程......");
    });
    worker.join();
    QCoreApplication::processEvents();
    EXPECT_EQ(receiver.texts, (QStringList{"读取用户参数......", "执行分析线程......"}));
}
