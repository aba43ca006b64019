// The form's handlers of the worker's notices read the design state when they run.
#include <QCoreApplication>

#include "form_fixture.h"

using namespace quillmere;

namespace {

// Posts a notice and waits out the notifier's interval, so that it has surely been handled.
void deliver(DesignForm& form, Notification notification) {
    form.notificationSink().post(notification);
    QTest::qWait(static_cast<int>(FormNotifier::kInterval.count()) + 20);
}

}  // namespace

TEST_F(FormTest, StatusNoticeShowsCountsAndPhaseCaptions) {
    const struct {
        int phase;
        bool changed;
        int pass;
        std::int64_t analysed;
        std::int64_t accepted;
        const char* caption;
        const char* analysedText;
    } cases[] = {
        {0, true, 1, 300, 0, "线程正在执行搜索中,分析总数:", "300"},
        {1, true, 4, 0, 0, "扩大范围深度搜索（4),分析总数:", "0"},
        {1, false, 5, 9999999, 2, "扩大范围深度搜索（4),分析总数:", "9999999"},  // caption kept
        {0, false, 5, 12345678, 3, "扩大范围深度搜索（4),分析总数:", "1.234568e+007"},
        {2, true, 5, 1984500, 45, "正在提取结果，请稍后......:", "1984500"},
    };
    for (const auto& c : cases) {
        SearchCounters& counters = form->workerCountersForTest();
        counters.searchPhase = c.phase;
        counters.phaseChanged = c.changed;
        counters.passNumber = c.pass;
        counters.analysedCount = c.analysed;
        counters.acceptedCount = c.accepted;
        deliver(*form, Notification::AnalysisStatus);
        EXPECT_EQ(labelText("statusLine"), QString::fromUtf8(c.caption)) << c.phase << ' ' << c.changed;
        EXPECT_EQ(labelText("analysedCountLabel"), QString::fromUtf8(c.analysedText));
        EXPECT_EQ(labelText("acceptedCountLabel"), QString::number(c.accepted));
        EXPECT_FALSE(form->analysisWorker().counters().phaseChanged);
    }
    EXPECT_EQ(labelText("solutionsCaptionLabel"), QStringLiteral("找到解法:"));
}

TEST_F(FormTest, FirstHandledPhaseShowsTheSecondCaptionWhicheverItIs) {
    for (int phase : {2, 1, 0}) {
        label("solutionsCaptionLabel")->clear();
        SearchCounters& counters = form->workerCountersForTest();
        counters.searchPhase = phase;
        counters.phaseChanged = true;
        deliver(*form, Notification::AnalysisStatus);
        EXPECT_EQ(labelText("solutionsCaptionLabel"), QStringLiteral("找到解法:")) << phase;
    }
    // Without a phase change the captions are left alone.
    label("solutionsCaptionLabel")->clear();
    deliver(*form, Notification::AnalysisStatus);
    EXPECT_TRUE(labelText("solutionsCaptionLabel").isEmpty());
}

TEST_F(FormTest, ProgressNoticeMovesTheBarAndEmptiesItBeforeTheFirstCandidate) {
    const struct {
        int percent;
        int shown;
    } cases[] = {{37, 37}, {-1, 0}, {100, 100}, {0, 0}};
    for (const auto& c : cases) {
        form->workerCountersForTest().progressPercent = c.percent;
        deliver(*form, Notification::AnalysisProgress);
        EXPECT_EQ(progress()->value(), c.shown) << c.percent;
    }
}

TEST_F(FormTest, FillShowsEighteenOfTheTwentyTwoTextsPerSolution) {
    AnalysisResult result;
    for (int solution = 0; solution < 3; ++solution) {
        CandidateRecord r;
        r.score = 10.5f - static_cast<float>(solution);
        r.primaryTurns = static_cast<float>(100 + solution);
        r.reflectedVoltage = 64.5f;
        r.fills = {0.25f, 0.5f, 0.75f, 1};
        result.solutions.push_back({solution + 1, r, std::nullopt, std::nullopt});
    }
    result.acceptedCount = 3;
    form->setAnalysisBusyForTest(true);

    // Handed over as the worker does at its end; the fill follows as its own notice.
    form->notificationSink().analysisDone(result);
    ASSERT_TRUE(waitFor([this] { return !form->analysisBusy(); }));

    ASSERT_EQ(shown().result.solutions.size(), 3u);
    ASSERT_EQ(rows(), 3);
    for (int row = 0; row < 3; ++row) {
        const Solution& solution = shown().result.solutions[static_cast<std::size_t>(row)];
        for (int column = 0; column < 18; ++column)
            EXPECT_EQ(cell(row, column).toStdString(),
                      solutionText(solution, static_cast<RecordField>(column)));
        EXPECT_EQ(cell(row, 0), QStringLiteral("%1.").arg(row + 1));
        EXPECT_EQ(cell(row, 2), QString::number(100 + row));
        EXPECT_EQ(cell(row, 17), QStringLiteral("64.5"));  // Vor, the last shown; the fills are not
    }
    EXPECT_FALSE(form->analysisBusy());
    EXPECT_EQ(currentRow(), 0);
}
