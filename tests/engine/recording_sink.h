#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "app/design_state.h"
#include "engine/notification.h"

/// A sink that writes down every post with the state it announces, as a handler would read it.
class RecordingSink : public NotificationSink {
public:
    struct Post {
        Notification what;
        std::int64_t analysed;
        std::int64_t accepted;
        int percent;
        int phase;
        bool phaseChanged;
        int pass;
    };

    explicit RecordingSink(const DesignState& state) : state_(state) {}

    void post(Notification what) override {
        std::lock_guard lock(mutex_);
        posts_.push_back({what, state_.analysedCount, state_.acceptedCount, state_.progressPercent,
                          state_.searchPhase, state_.phaseChanged, state_.passNumber});
    }
    void setStatusText(std::string_view text) override {
        std::lock_guard lock(mutex_);
        statusTexts_.emplace_back(text);
    }

    std::vector<Post> posts() const {
        std::lock_guard lock(mutex_);
        return posts_;
    }
    std::vector<std::string> statusTexts() const {
        std::lock_guard lock(mutex_);
        return statusTexts_;
    }

private:
    const DesignState& state_;
    mutable std::mutex mutex_;
    std::vector<Post> posts_;
    std::vector<std::string> statusTexts_;
};
