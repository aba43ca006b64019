// Worker notices reach the form as queued calls; counter and progress notices coalesce.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <thread>

#include <QCoreApplication>
#include <QStringList>
#include <QTest>

#include "app/form_notifier.h"

using namespace quillmere;

namespace {

// Writes down what arrives, in order: numbers and captions.
struct Arrivals {
    std::map<int, int> count;
    QStringList order;

    std::unique_ptr<FormNotifier> notifier(std::chrono::milliseconds interval = FormNotifier::kInterval) {
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
            },
            interval);
    }
};

}  // namespace

TEST(FormNotifier, CoalescesRepeatsAndHandlesEachKindAtMostOncePerInterval) {
    for (const Notification notification : {Notification::AnalysisStatus, Notification::AnalysisProgress}) {
        const int number = static_cast<int>(notification);
        // Long enough that a loaded machine cannot make "right after" late.
        constexpr std::chrono::milliseconds interval(400);
        Arrivals arrivals;
        auto notifier = arrivals.notifier(interval);
        std::thread worker([&] {
            for (int i = 0; i < 500; ++i) notifier->post(notification);
        });
        worker.join();
        EXPECT_TRUE(arrivals.order.isEmpty()) << "delivered on the posting thread";
        QCoreApplication::processEvents();
        EXPECT_EQ(arrivals.count[number], 1) << number;
        const auto handled = std::chrono::steady_clock::now();

        // The next one, right after, waits for the interval instead of being handled at once.
        notifier->post(notification);
        QCoreApplication::processEvents();
        if (std::chrono::steady_clock::now() - handled < interval) {
            EXPECT_EQ(arrivals.count[number], 1) << number;
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return arrivals.count[number] == 2; })) << number;
    }
}

TEST(FormNotifier, NothingOvertakesACaptionOrTheEnd) {
    Arrivals arrivals;
    auto notifier = arrivals.notifier();
    std::thread worker([&] {
        notifier->post(Notification::AnalysisStatus);
        notifier->setStatusText("读取用户参数......");
        notifier->post(Notification::AnalysisStatus);
        notifier->post(Notification::AnalysisStatus);
        notifier->setStatusText("执行分析线程......");
        notifier->post(Notification::AnalysisStatus);
        notifier->analysisDone({});
    });
    worker.join();
    QCoreApplication::processEvents();
    // Notices held back by the interval are handled before the caption or end that followed them.
    EXPECT_EQ(arrivals.order,
              (QStringList{"1125", "读取用户参数......", "1125", "执行分析线程......", "1125", "done"}));
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return handled == 2; }));
}
