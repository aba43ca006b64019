#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "engine/number_text.h"

using namespace quillmere;

namespace {

struct TextCase {
    double value;
    const char* text;
};

TEST(NumberText, WritesSevenSignificantDigits) {
    const TextCase cases[] = {
        {12, "12"},
        {0, "0"},
        {0.25, "0.25"},
        {123.456789, "123.4568"},
        {0.05, "5.e-002"},
        {0.0423, "4.23e-002"},
        {12345678, "1.234568e+007"},
        {-2.5, "-2.5"},
        {1984500, "1984500"},
        {9999999, "9999999"},
        {10000000, "1.e+007"},
        {9999999.6, "1.e+007"},  // rounding carries into a new exponent
        {0.099999996, "0.1"},    // and back into fixed notation
        {0.09999999, "9.999999e-002"},
        {0.1, "0.1"},
        {0.099999, "9.9999e-002"},
        {1e-300, "1.e-300"},
        {static_cast<float>(0.2), "0.2"},
        {static_cast<float>(0.9724383), "0.9724383"},
        {static_cast<float>(19.68691), "19.68691"},
        {1234567.5, "1234568"},  // exact halves go away from zero,
        {1234568.5, "1234569"},  // not to the even neighbour
        {-1234568.5, "-1234569"},
    };
    for (const auto& c : cases) EXPECT_EQ(numberText(c.value), c.text) << c.value;
}

TEST(NumberText, RankTextsKeepTheirPoint) {
    EXPECT_EQ(numberTextWithPoint(1), "1.");
    EXPECT_EQ(numberTextWithPoint(10), "10.");
    EXPECT_EQ(numberTextWithPoint(0.5), "0.5");
}

TEST(NumberText, NonFiniteValuesStillGiveText) {
    EXPECT_EQ(numberText(INFINITY), "inf");
    EXPECT_EQ(numberText(-INFINITY), "-inf");
    EXPECT_EQ(numberText(NAN), "nan");
}

// The fast integer rounding must agree with rounding the full decimal expansion.
TEST(NumberText, RoundingAgreesWithTheExactExpansion) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-20, 25);
    for (int n = 0; n < 20000; ++n) {
        double v = mantissa(random) * std::pow(10.0, exponent(random));
        if (n % 2 == 0) v = static_cast<float>(v);
        char buf[1200];
        std::snprintf(buf, sizeof buf, "%.1100e", v);
        const std::string exact(buf);
        long long digits = exact[0] - '0';
        for (int i = 2; i < 8; ++i) digits = digits * 10 + (exact[i] - '0');
        if (exact[8] >= '5') ++digits;
        int e = std::stoi(exact.substr(exact.find('e') + 1));
        if (digits == 10000000) {
            digits = 1000000;
            ++e;
        }
        const Decimal7 d = roundTo7Digits(v);
        ASSERT_EQ(d.digits, digits) << exact.substr(0, 30);
        ASSERT_EQ(d.exponent, e) << exact.substr(0, 30);
    }
}

TEST(NumberText, StoredScoreIsTheTextReadBack) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<float> score(0.0f, 20.0f);
    for (int n = 0; n < 50000; ++n) {
        const float s = score(random);
        ASSERT_EQ(storedScore(s), static_cast<float>(parseNumberPrefix(numberText(s)))) << s;
    }
}

TEST(ParseNumberPrefix, ReadsTheLongestLeadingNumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"No", 0},      {"5.e-002", 0.05}, {"  12abc", 12}, {"-3.5e+1x", -35}, {"1e", 1},
        {".5", 0.5},    {".", 0},          {"+4", 4},       {"e5", 0},         {"", 0},
        {"0.2*1", 0.2}, {"1.e+007", 1e7},  {"\t7", 7},      {"1e-400", 0},     {"2.5E2", 250},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(parseNumberPrefix(c.text), c.value) << c.text;
    EXPECT_TRUE(std::isinf(parseNumberPrefix("1e400")));
}

}  // namespace
