// Searches that find nothing at first and widen pass after pass. A widened pass looks only at
// what the earlier ones turned away, and one that can let nothing new in is counted, not
// walked; neither may change a result, a count or a post. The expected figures were taken from
// the search that walked every pass in full, except the posts of the loss-limited search that
// rejects everything: there a rejected candidate no longer moves the analysed count between
// posts, so its posts are those of the search that finds nothing at all.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "engine/core_catalogue.h"
#include "engine/core_selection.h"
#include "engine/solution_record.h"
#include "recording_sink.h"

using namespace quillmere;

namespace {

/// FNV-1a over everything a search hands out, posts included.
class Digest {
public:
    void add(std::int64_t value) {
        for (int i = 0; i < 8; ++i)
            byte(static_cast<unsigned char>(static_cast<std::uint64_t>(value) >> (8 * i)));
    }
    void add(const std::string& text) {
        for (const char c : text) byte(static_cast<unsigned char>(c));
        byte(0);
    }
    std::uint64_t value() const { return hash_; }

private:
    void byte(unsigned char b) {
        hash_ ^= b;
        hash_ *= 0x100000001b3ULL;
    }
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

struct Case {
    const char* name;
    std::function<void(SearchSetup&)> change;
    int passNumber;
    std::int64_t accepted;
    std::int64_t analysed;
    std::int64_t limitRejected;
    std::size_t posts;
    std::uint64_t postsDigest;
    std::uint64_t solutionsDigest;
};

void allWires(WireSet& set) {
    for (int i = 0; i < WireCatalogue::kSize; ++i) set[static_cast<std::size_t>(i)] = WireCatalogue::value(i);
}

void onCatalogueCore(SearchSetup& setup, const char* name) {
    const CoreCatalogue& catalogue = CoreCatalogue::builtIn();
    CoreChoice choice;
    choice.core = name;
    setup.core = resolveCore(choice, catalogue).context;
    ASSERT_TRUE(setup.core.has_value());
    setup.inputs = withCore(setup.inputs, *setup.core);
}

const Case kCases[] = {
    {"plain, nothing fits", [](SearchSetup& s) { s.inputs.slotWidth = 2; }, 20, 0, 0, 0, 127607,
     0xa78b037183749266ULL, 0xcbf29ce484222325ULL},
    {"plain, a large core: the fourth pass", [](SearchSetup& s) { s.inputs.coreAe = 100; }, 4, 3, 1984500, 0,
     26869, 0xa2feedeaca9160c3ULL, 0x986aeb60ed0dbfa7ULL},
    {"plain, every wire, a larger core",
     [](SearchSetup& s) {
         allWires(s.rules.primaryWires);
         allWires(s.rules.secondaryWires);
         s.inputs.coreAe = 250;
     },
     4, 1740, 1984500, 0, 28606, 0x1f6bc4a5dbdc7f89ULL, 0xcf2a0f8655e363beULL},
    {"plain, three strands, a larger core",
     [](SearchSetup& s) {
         s.rules.primaryStrands = 3;
         s.inputs.coreAe = 300;
     },
     5, 71, 1984500, 0, 33653, 0xc99c1f3d70314c42ULL, 0x731cdecb73ace449ULL},
    {"sandwich, shallow slot",
     [](SearchSetup& s) {
         s.rules.sandwichWinding = 1;
         s.inputs.slotDepth = 2;
     },
     3, 92, 1984500, 0, 20242, 0xd3b2aa77b75b66faULL, 0xdf31ef772caff671ULL},
    {"sandwich, nothing fits",
     [](SearchSetup& s) {
         s.rules.sandwichWinding = 1;
         s.inputs.slotWidth = 2;
     },
     10, 0, 0, 0, 60447, 0x1fd9e1129468a746ULL, 0xcbf29ce484222325ULL},
    {"sandwich with a wire change, shallow slot",
     [](SearchSetup& s) {
         s.rules.sandwichWinding = 1;
         s.rules.sandwichWireChange = 1;
         s.inputs.slotDepth = 1.9f;
     },
     3, 276, 1984500, 0, 20426, 0x6943aa22a6081be2ULL, 0x4bf5b83d811acffdULL},
    {"catalogue core held to a loss limit",
     [](SearchSetup& s) {
         onCatalogueCore(s, "E 16/6/5");
         allWires(s.rules.primaryWires);
         allWires(s.rules.secondaryWires);
         s.rules.maxTotalLoss = 0.35f;
     },
     20, 0, 0, 132847, 127607, 0xa78b037183749266ULL, 0xcbf29ce484222325ULL},
    {"catalogue core ranked by loss with a temperature limit",
     [](SearchSetup& s) {
         onCatalogueCore(s, "ETD 44");
         s.rules.rankBy = static_cast<int>(RankBy::loss);
         s.rules.maxTemperatureRise = 15;
     },
     18, 887, 1984500, 3, 121777, 0x1ffcf8a82e00e6fcULL, 0xdbda76d665447e75ULL},
    {"catalogue core ranked by loss, sandwich",
     [](SearchSetup& s) {
         onCatalogueCore(s, "EF 20");
         s.rules.sandwichWinding = 1;
         s.rules.rankBy = static_cast<int>(RankBy::loss);
         s.rules.maxTemperatureRise = 20;
     },
     2, 13, 1984500, 0, 13447, 0xc373350fdc1a5007ULL, 0x488319e21eb41766ULL},
};

TEST(Widening, ResultsCountsAndPostsAreThoseOfEveryPassWalkedInFull) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        SearchSetup setup = SearchSetup::from(Design{});
        c.change(setup);
        SearchCounters counters;
        RecordingSink sink(counters);
        const std::optional<AnalysisResult> result = runAnalysis(setup, counters, sink, Pacing::none(), {});
        ASSERT_TRUE(result.has_value());

        Digest posts;
        for (const RecordingSink::Post& post : sink.posts()) {
            for (const std::int64_t v :
                 {static_cast<std::int64_t>(post.what), post.analysed, post.accepted,
                  static_cast<std::int64_t>(post.percent), static_cast<std::int64_t>(post.phase),
                  static_cast<std::int64_t>(post.phaseChanged), static_cast<std::int64_t>(post.pass)})
                posts.add(v);
        }
        Digest solutions;
        for (const Solution& solution : result->solutions)
            for (const std::string& text : solutionTexts(solution)) solutions.add(text);

        EXPECT_EQ(result->passNumber, c.passNumber);
        EXPECT_EQ(result->acceptedCount, c.accepted);
        EXPECT_EQ(result->analysedCount, c.analysed);
        EXPECT_EQ(result->limitRejectedCount, c.limitRejected);
        EXPECT_EQ(sink.posts().size(), c.posts);
        EXPECT_EQ(posts.value(), c.postsDigest);
        EXPECT_EQ(solutions.value(), c.solutionsDigest);
    }
}

}  // namespace
