#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/analysis.h"
#include "engine/entry_number.h"
#include "engine/record_layout.h"
#include "engine/texts.h"
#include "recording_sink.h"
#include "tests/cjk.h"

using namespace quillmere;

namespace {

// Every text the engine hands out, the two start-up captions as a run writes them.
std::vector<std::string> engineOutputTexts() {
    std::vector<std::string> texts = {std::string(kEnterNumberMessage), std::string(kEnterIntegerMessage)};
    for (AnalyseRefusal refusal :
         {AnalyseRefusal::WorkerRunning, AnalyseRefusal::PowerLimit, AnalyseRefusal::RulesOutOfRange})
        texts.emplace_back(refusalMessage(refusal));
    for (std::string_view heading : kColumnHeadings) texts.emplace_back(heading);
    Design design;
    design.rules.maxSolutions = 1;
    design.inputs.slotWidth = 2;  // nothing fits: the shortest run
    SearchCounters counters;
    RecordingSink sink(counters);
    runAnalysis(SearchSetup::from(design), counters, sink, Pacing::none(), {});
    for (const std::string& caption : sink.statusTexts()) texts.push_back(caption);
    return texts;
}

TEST(Texts, EveryEngineTextHasItsEnglishAndChineseStaysTheSource) {
    const std::vector<std::string> texts = engineOutputTexts();
    ASSERT_EQ(texts.size(), 25u);
    for (const std::string& text : texts) {
        EXPECT_EQ(localText(Language::Chinese, text), text);
        const std::string_view english = localText(Language::English, text);
        EXPECT_FALSE(containsCjk(english)) << text;
        if (!containsCjk(text)) {
            EXPECT_EQ(english, text) << "only Chinese texts are translated";
        }
    }
    EXPECT_EQ(localText(Language::English, "未知"), "未知") << "a text without entry stays as it is";
}

TEST(Texts, LanguageNames) {
    const struct {
        const char* value;  // nullptr: the variable is not set
        std::optional<Language> named;
        std::optional<Language> fromEnvironment;
    } cases[] = {
        {"en", Language::English, Language::English}, {"zh", Language::Chinese, Language::Chinese},
        {nullptr, std::nullopt, Language::Chinese},   {"", std::nullopt, Language::Chinese},
        {"EN", std::nullopt, std::nullopt},           {"en_US", std::nullopt, std::nullopt},
        {"fr", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        if (c.value) {
            EXPECT_EQ(languageNamed(c.value), c.named) << c.value;
        }
        EXPECT_EQ(languageFromEnvironment(c.value), c.fromEnvironment) << (c.value ? c.value : "unset");
    }
}

}  // namespace
