// Worker notices reach the form as queued calls; counter and progress notices coalesce.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <thread>

#include <QCoreApplication>
#include <QStringList>

#include "app/form_notifier.h"

namespace {

// Writes down what arrives, in order: numbers and captions.
struct Arrivals {
    std::map<int, int> count;
    QStringList order;

    std::unique_ptr<FormNotifier> notifier() {
        return std::make_unique<FormNotifier>(
            [this](Notification notification) {
                const int number = static_cast<int>(notification);
                ++count[number];
                order << QString::number(number);
            },
            [this](const QString& caption) { order << caption; },
            [this](AnalysisResult) {
                ++count[static_cast<int>(Notification::AnalysisDone)];
                order << QStringLiteral("done");
            });
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
        Arrivals arrivals;
        auto notifier = arrivals.notifier();
        std::thread worker([&] {
            for (int i = 0; i < c.posts; ++i) notifier->post(c.notification);
        });
        worker.join();
        EXPECT_TRUE(arrivals.order.isEmpty()) << "delivered on the posting thread";
        QCoreApplication::processEvents();
        const int number = static_cast<int>(c.notification);
        EXPECT_EQ(arrivals.count[number], c.arrivals) << number;

        // Once handled, the next notice is queued again.
        notifier->post(c.notification);
        QCoreApplication::processEvents();
        EXPECT_EQ(arrivals.count[number], c.arrivals + 1) << number;
    }
}

TEST(FormNotifier, ACounterNoticeAfterACaptionArrivesAfterIt) {
    Arrivals arrivals;
    auto notifier = arrivals.notifier();
    std::thread worker([&] {
        notifier->post(Notification::AnalysisStatus);
        notifier->setStatusText("读取用户参数......");
        notifier->post(Notification::AnalysisStatus);
        notifier->post(Notification::AnalysisStatus);
        notifier->setStatusText("执行分析线程......");
        notifier->post(Notification::AnalysisStatus);
    });
    worker.join();
    QCoreApplication::processEvents();
    EXPECT_EQ(arrivals.order,
              (QStringList{"1125", "读取用户参数......", "1125", "执行分析线程......", "1125"}));
}

TEST(FormNotifier, ANoticePostedWhileItsHandlerRunsIsNotLost) {
    int handled = 0;
    std::unique_ptr<FormNotifier> notifier;
    notifier = std::make_unique<FormNotifier>(
        [&](Notification) {
            // The worker posts again while the form handles the previous notice.
            if (++handled == 1) notifier->post(Notification::AnalysisStatus);
        },
        [](const QString&) {}, [](AnalysisResult) {});
    notifier->post(Notification::AnalysisStatus);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(handled, 2);
}
