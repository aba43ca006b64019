#include <string>

#include "cli/cli_options.h"
#include "engine/result_export.h"
#include "engine/search.h"
#include "tests/rules/rules_dialog_fixture.h"

namespace {

class QuietSink : public NotificationSink {
public:
    void post(Notification) override {}
    void setStatusText(std::string_view) override {}
    void analysisDone(AnalysisResult) override {}
};

std::string analyse(const Design& design) {
    QuietSink sink;
    SearchCounters counters;
    const auto result = runAnalysis(SearchSetup::from(design), counters, sink, Pacing::none(), {});
    EXPECT_TRUE(result.has_value());
    EXPECT_NE(solutionCount(result->solutionRecords), 0u);
    return resultJson(*result);
}

}  // namespace

TEST_F(RulesDialogTest, SavedCvModeAnalysesLikeTheCommandLine) {
    open();
    click("radio1057");
    click("button1034");
    ASSERT_FALSE(dialog->isVisible());
    ASSERT_FALSE(state.rules.ccMode);
    const std::string fromDialog = analyse(state);

    Design fromOptions;
    CliOptions options;
    std::string error;
    ASSERT_TRUE(parseCommandLine({"--cc-mode", "0"}, fromOptions, options, error)) << error;
    EXPECT_EQ(fromDialog, analyse(fromOptions));

    Design ccMode;  // the mode must matter, or the comparison proves nothing
    EXPECT_NE(fromDialog, analyse(ccMode));
}
