#pragma once

#include <gtest/gtest.h>

#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "engine/design.h"
#include "engine/notification.h"
#include "engine/search.h"
#include "engine/search_counters.h"

/// A sink that writes down every post with the counters it announces, as a handler would read
/// them, and keeps the result handed over at the end.
class RecordingSink : public quillmere::NotificationSink {
public:
    struct Post {
        quillmere::Notification what;
        std::int64_t analysed;
        std::int64_t accepted;
        int percent;
        int phase;
        bool phaseChanged;
        int pass;
    };

    explicit RecordingSink(const quillmere::SearchCounters& counters) : counters_(counters) {}

    void post(quillmere::Notification what) override {
        std::lock_guard lock(mutex_);
        record(what);
    }
    void setStatusText(std::string_view text) override {
        std::lock_guard lock(mutex_);
        statusTexts_.emplace_back(text);
    }
    void analysisDone(quillmere::AnalysisResult result) override {
        std::lock_guard lock(mutex_);
        record(quillmere::Notification::AnalysisDone);
        result_ = std::move(result);
    }

    std::vector<Post> posts() const {
        std::lock_guard lock(mutex_);
        return posts_;
    }
    std::vector<std::string> statusTexts() const {
        std::lock_guard lock(mutex_);
        return statusTexts_;
    }
    std::optional<quillmere::AnalysisResult> result() const {
        std::lock_guard lock(mutex_);
        return result_;
    }

private:
    void record(quillmere::Notification what) {
        posts_.push_back({what, counters_.analysedCount, counters_.acceptedCount, counters_.progressPercent,
                          counters_.searchPhase, counters_.phaseChanged, counters_.passNumber});
    }

    const quillmere::SearchCounters& counters_;
    mutable std::mutex mutex_;
    std::vector<Post> posts_;
    std::vector<std::string> statusTexts_;
    std::optional<quillmere::AnalysisResult> result_;
};

enum class SearchEnd { Finished, Stopped };

/// A design run through the search on the calling thread, with what it handed over; like the
/// worker, it hands a finished result to the sink.
struct EngineRun : quillmere::Design {
    quillmere::SearchCounters counters;
    std::vector<quillmere::Solution> solutions;
    std::int64_t acceptedCount = 0;
    std::int64_t analysedCount = 0;
    int passNumber = 0;

    SearchEnd run(quillmere::NotificationSink& sink,
                  const quillmere::Pacing& pacing = quillmere::Pacing::none(), std::stop_token stop = {}) {
        const std::optional<quillmere::AnalysisResult> result =
            quillmere::runAnalysis(quillmere::SearchSetup::from(*this), counters, sink, pacing, stop);
        acceptedCount = counters.acceptedCount;
        analysedCount = counters.analysedCount;
        passNumber = counters.passNumber;
        if (!result) {
            solutions.clear();
            return SearchEnd::Stopped;
        }
        // The counts handed over are the final counters.
        EXPECT_EQ(result->acceptedCount, acceptedCount);
        EXPECT_EQ(result->analysedCount, analysedCount);
        EXPECT_EQ(result->passNumber, passNumber);
        solutions = result->solutions;
        sink.analysisDone(*result);
        return SearchEnd::Finished;
    }
};
