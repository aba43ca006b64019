#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/number_text.h"
#include "engine/ranking_store.h"

using namespace quillmere;

namespace {

// The ranking over a full text store, round by round: pick the greatest score above 0 (the
// earliest on a tie), show it, zero it and every later record with the same score.
std::vector<std::string> rankFullStore(std::vector<std::string> raw, int maxSolutions) {
    std::vector<std::string> shown;
    const std::size_t records = raw.size() / kRawRecordSize;
    int rank = 1;
    for (int round = 0; round < maxSolutions; ++round) {
        float best = 0;
        std::size_t chosen = records;
        for (std::size_t k = 0; k < records; ++k) {
            const auto score = static_cast<float>(parseNumberPrefix(raw[k * kRawRecordSize]));
            if (score > best) {
                best = score;
                chosen = k;
            }
        }
        if (chosen == records) break;
        shown.push_back(numberTextWithPoint(rank++));
        for (std::size_t i = 0; i < kRawRecordSize; ++i) shown.push_back(raw[chosen * kRawRecordSize + i]);
        raw[chosen * kRawRecordSize].assign(1, '0');
        for (std::size_t k = chosen + 1; k < records; ++k) {
            if (static_cast<float>(parseNumberPrefix(raw[k * kRawRecordSize])) == best)
                raw[k * kRawRecordSize].assign(1, '0');
        }
    }
    return shown;
}

// The 21 texts of a candidate, as a solution shows them after its rank.
std::vector<std::string> candidateTexts(const CandidateRecord& record) {
    const auto texts = solutionTexts({1, record, std::nullopt, std::nullopt});
    return {texts.begin() + 1, texts.end()};
}

std::vector<std::string> rankedTexts(const RankingStore& store) {
    std::vector<std::string> texts;
    for (const Solution& solution : store.ranked())
        for (const std::string& text : solutionTexts(solution)) texts.push_back(text);
    return texts;
}

CandidateRecord recordWithScore(float score, int serial) {
    CandidateRecord r;
    r.score = score;
    r.primaryTurns = static_cast<float>(serial);  // tells tied records apart
    r.secondaryTurns = 48;
    r.primaryWire = 0.23f;
    r.secondaryWire = 0.3f;
    r.feedbackWire = 0.12f;
    return r;
}

TEST(RankingStore, KeepsExactlyWhatAFullStoreRanksTo) {
    std::mt19937 random(5);
    for (int maxSolutions : {-3, 0, 1, 3, 10, 100}) {
        for (int trial = 0; trial < 20; ++trial) {
            // Few distinct scores, some of them too close for their 7-digit texts to differ.
            std::uniform_int_distribution<int> pick(0, 40);
            RankingStore store;
            store.reset(maxSolutions);
            std::vector<std::string> raw;
            for (int serial = 0; serial < 300; ++serial) {
                const int p = pick(random);
                float score = p == 0 ? 0.0f : 10.0f + static_cast<float>(p) * 0.25f;
                if (p % 7 == 0) score = std::nextafter(score, 100.0f);  // same text as its neighbour
                const CandidateRecord record = recordWithScore(score, serial);
                store.offer(record);
                for (auto& text : candidateTexts(record)) raw.push_back(text);
            }
            ASSERT_EQ(rankedTexts(store), rankFullStore(raw, maxSolutions)) << maxSolutions;
        }
    }
}

TEST(RankingStore, TiesShowTheEarliestOnly) {
    RankingStore store;
    store.reset(10);
    store.offer(recordWithScore(9.5f, 1));
    store.offer(recordWithScore(9.5f, 2));
    const auto texts = rankedTexts(store);
    ASSERT_EQ(texts.size(), static_cast<std::size_t>(kShownRecordSize));
    EXPECT_EQ(texts[0], "1.");
    EXPECT_EQ(texts[1], "9.5");
    EXPECT_EQ(texts[2], "1");
}

TEST(RankingStore, ThreeTopTiesAmongTwelve) {
    RankingStore store;
    store.reset(10);
    int serial = 0;
    for (int k = 0; k < 3; ++k) store.offer(recordWithScore(19.0f, serial++));
    for (int k = 0; k < 9; ++k) store.offer(recordWithScore(10.0f + static_cast<float>(k), serial++));
    const auto texts = rankedTexts(store);
    ASSERT_EQ(texts.size(), 10u * kShownRecordSize);
    EXPECT_EQ(texts[2], "0");  // the first of the three ties
    EXPECT_EQ(texts[kShownRecordSize], "2.");
    EXPECT_EQ(texts[kShownRecordSize + 1], "18");
}

TEST(RecordTexts, PlainAndSandwichRecords) {
    CandidateRecord plain;
    plain.score = 5;
    plain.primaryTurns = 60;
    plain.secondaryTurns = 9;
    plain.feedbackTurns = 14;
    plain.primaryWire = 0.2f;
    plain.secondaryWire = 0.3f;
    plain.feedbackWire = 0.25f;
    plain.inductance = 1200;
    plain.frequency = 52;
    plain.fluxDensity = 2600;
    plain.onDuty = 42;
    plain.fills = {0.0423f, 0, 0, 0.5f};
    const auto t = candidateTexts(plain);
    const std::vector<std::string> positions1to12(t.begin() + 1, t.begin() + 13);
    EXPECT_EQ(positions1to12, (std::vector<std::string>{"60", "9", "No", "14", "0.2*1", "0.3*1", "0.25*1",
                                                        "1200", "52", "2600", "Skipped", "42"}));
    EXPECT_EQ(t[17], "4.23e-002");
    EXPECT_EQ(t[19], "0");

    CandidateRecord sandwich = plain;
    sandwich.sandwich = true;
    sandwich.secondHalfTurns = 20;
    sandwich.secondHalfWire = 0.23f;
    const auto s = candidateTexts(sandwich);
    EXPECT_EQ(s[3], "20");
    EXPECT_EQ(s[5], "0.2*1/0.23*1");
    sandwich.primaryStrands = 2;
    sandwich.primaryWire = 0.35f;
    sandwich.secondHalfWire = 0.3f;
    EXPECT_EQ(candidateTexts(sandwich)[5], "0.35*2/0.3*2");
}

}  // namespace
