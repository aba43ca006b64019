#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/pass_progress.h"

using namespace quillmere;

namespace {

struct Post {
    int number;  // 1125 or 1144
    std::int64_t value;
    bool operator==(const Post&) const = default;
};

// The posts of a one-by-one walk: counter +1 (post at multiples of 100), +1, then the percentage.
std::vector<Post> walkOneByOne(std::int64_t candidates, double total) {
    std::vector<Post> posts;
    std::int64_t analysed = 0;
    int last = 0;
    for (std::int64_t done = 1; done <= candidates; ++done) {
        if (++analysed % 100 == 0) posts.push_back({1125, analysed});
        ++analysed;
        double p = static_cast<double>(done) * 100 / total;
        const int percent = p >= 100 ? 100 : static_cast<int>(p);
        if (percent != last) {
            last = percent;
            posts.push_back({1144, percent});
        }
        ++analysed;
    }
    return posts;
}

TEST(PassProgress, SkippingRunsPostsWhereAWalkWould) {
    std::mt19937 random(3);
    const struct {
        std::int64_t candidates;
        double total;
    } cases[] = {
        {661500, 661500},                                             // defaults
        {4500, 4500},     {900, 661500}, {12345, 12345}, {777, 100},  // few candidates, big steps
        {10000, 8000},  // more candidates than the formula counts: the bar stops at 100
        {1, 1},           {0, 4500},
    };
    for (const auto& c : cases) {
        std::vector<Post> posts;
        PassProgress progress(c.candidates, c.total,
                              {[&](std::int64_t a) {
                                   posts.push_back({1125, a});
                               },
                               [&](int p) {
                                   posts.push_back({1144, p});
                               }});
        std::uniform_int_distribution<std::int64_t> chunk(1, 1000);
        while (progress.position() < c.candidates) {
            const std::int64_t n =
                std::min(chunk(random) % 3 == 0 ? 1 : chunk(random), c.candidates - progress.position());
            progress.advance(n);
        }
        EXPECT_EQ(posts, walkOneByOne(c.candidates, c.total)) << c.candidates << " of " << c.total;
        EXPECT_EQ(progress.analysedCount(), 3 * c.candidates);
    }
}

TEST(PassProgress, PercentStaysWithinTheBar) {
    PassProgress progress(10, 4, {[](std::int64_t) {}, [](int) {}});
    EXPECT_EQ(progress.percentAfter(10), 100);
    EXPECT_EQ(progress.percentAfter(0), 0);
    PassProgress none(10, 0, {[](std::int64_t) {}, [](int) {}});
    EXPECT_EQ(none.percentAfter(5), 100);
}

}  // namespace
