#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "engine/atomic_file.h"
#include "engine/design_file.h"
#include "tests/file_size_limit.h"
#include "tests/temp_folder.h"

using namespace quillmere;

namespace {

namespace fs = std::filesystem;

// CV mode, a sandwich with a wire change, strands and other wire sets.
Design cvSandwichDesign() {
    Design design;
    design.inputs.outputVoltage = 12;
    design.inputs.outputCurrent = 1;
    design.rules.ccMode = false;
    design.rules.sandwichWinding = 1;
    design.rules.sandwichWireChange = true;
    design.rules.evenTurns = true;
    design.rules.skinEffect = 0;
    design.rules.primaryStrands = 2;
    design.rules.secondaryStrands = 1.5f;
    design.rules.maxSolutions = 25;
    design.rules.primaryWires = {};
    design.rules.primaryWires[0] = WireCatalogue::value(0);
    design.rules.primaryWires[13] = WireCatalogue::value(13);
    design.rules.secondaryWires[29] = WireCatalogue::value(29);
    return design;
}

// Values at the edges of what the windows can hold.
Design edgeDesign() {
    Design design;
    design.controllerChoice = static_cast<int>(Controller::None);
    design.inputs.minInputVac = FLT_MAX;
    design.inputs.maxInputVac = -FLT_MAX;
    design.inputs.outputCurrent = std::numeric_limits<float>::denorm_min();
    design.inputs.coreAe = -0.0f;
    design.inputs.slotWidth = FLT_MIN;
    design.inputs.efficiency = 0.1f;
    design.rules.maxSolutions = std::numeric_limits<int>::min();
    design.rules.primaryStrands = 2147483648.0f;
    design.rules.secondaryStrands = -1e-30f;
    design.rules.peakFlux = 16777216.0f;
    // The only float magnitude whose shortest text, read as a double, rounds to its neighbour.
    design.rules.tapeThickness = std::bit_cast<float>(0x15ae43fdu);
    design.rules.tapeTurns = -std::bit_cast<float>(0x15ae43fdu);
    for (int i = 0; i < WireCatalogue::kSize; ++i)
        design.rules.primaryWires[static_cast<std::size_t>(i)] = WireCatalogue::value(i);
    return design;
}

// Everything the form, the rules dialog and the command line can leave in a design, written out
// here independently of the reader's own checks.
bool windowsCanHold(const Design& d) {
    const DesignInputs& in = d.inputs;
    const RuleSet& r = d.rules;
    for (float value : {in.minInputVac,     in.maxInputVac,
                        in.outputVoltage,   in.outputCurrent,
                        in.feedbackVoltage, in.minRectifiedVdc,
                        in.efficiency,      in.coreAe,
                        in.slotWidth,       in.slotDepth,
                        in.auxWireDiameter, r.peakFlux,
                        r.peakFluxSpan,     r.onDuty,
                        r.onDutySpan,       r.frequency,
                        r.frequencySpan,    r.switchDrop,
                        r.diodeDrop,        r.tempRise,
                        r.windDepthLimit,   r.firstWindingMinShare,
                        r.slotWidthReserve, r.tapeThickness,
                        r.tapeTurns,        r.outputDuty,
                        r.idleRatio,        r.secondaryStrands})
        if (!std::isfinite(value)) return false;
    // The primary strands are an int stored as a float.
    const float strands = r.primaryStrands;
    if (!std::isfinite(strands) || std::trunc(strands) != strands || std::fabs(strands) > 2147483648.0f ||
        std::bit_cast<std::uint32_t>(strands) == 0x80000000u)
        return false;
    if (d.controllerChoice < 0 || d.controllerChoice > 3) return false;
    if (!(r.firstWindingMinShare >= 0 && r.firstWindingMinShare <= 100)) return false;
    if ((r.sandwichWinding != 0 && r.sandwichWinding != 1) || (r.skinEffect != 0 && r.skinEffect != 1))
        return false;
    for (const WireSet* set : {&r.primaryWires, &r.secondaryWires}) {
        bool any = false;
        for (int i = 0; i < WireCatalogue::kSize; ++i) {
            const float slot = (*set)[static_cast<std::size_t>(i)];
            if (std::bit_cast<std::uint32_t>(slot) == 0) continue;
            if (slot != WireCatalogue::value(i)) return false;
            any = true;
        }
        if (!any) return false;
    }
    return true;
}

// Bit for bit: operator== alone takes -0 for 0.
void expectIdentical(const Design& read, const Design& written) {
    EXPECT_EQ(read, written);
    EXPECT_EQ(designFileText(read), designFileText(written));
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(DesignFile, SavedDesignsReadBackIdentically) {
    for (const Design& design : {Design{}, cvSandwichDesign(), edgeDesign()}) {
        const std::string text = designFileText(design);
        const DesignRead read = readDesignText(text, "design.qmd");
        ASSERT_TRUE(read) << read.error << "\n" << text;
        expectIdentical(*read.design, design);
        EXPECT_TRUE(windowsCanHold(design));
    }
    const DesignRead edge = readDesignText(designFileText(edgeDesign()), "edge.qmd");
    ASSERT_TRUE(edge);
    EXPECT_TRUE(std::signbit(edge.design->inputs.coreAe));
}

TEST(DesignFile, ACatalogueCoreAndCoreSetReadBackIdentically) {
    Design design;
    design.core = CoreChoice{"ETD 29/16/10", "Bobbin ETD 29", 1, "3C95"};
    Design set = design;
    set.core.reset();
    set.coreSet = CoreSetChoice{{}, "ETD", 40.5, std::nullopt, false, "N87"};
    Design both = design;
    both.coreSet = CoreSetChoice{{"EP 17", "RM 5"}, "", std::nullopt, 1e3, true, ""};
    both.core->bobbinIndex.reset();
    for (const Design& each : {design, set, both}) {
        const std::string text = designFileText(each);
        EXPECT_NE(text.find("\"version\": 2"), std::string::npos);
        const DesignRead read = readDesignText(text, "design.qmd");
        ASSERT_TRUE(read) << read.error << "\n" << text;
        expectIdentical(*read.design, each);
    }
    // A custom design names neither.
    const std::string custom = designFileText(Design{});
    EXPECT_EQ(custom.find("\"core\""), std::string::npos);
    EXPECT_EQ(custom.find("\"coreSet\""), std::string::npos);
}

TEST(DesignFile, AVersionOneFileOpensAsTheSameCustomDesign) {
    for (const Design& design : {Design{}, cvSandwichDesign()}) {
        std::string text = designFileText(design);
        text.replace(text.find("\"version\": 2"), 12, "\"version\": 1");
        const DesignRead read = readDesignText(text, "old.qmd");
        ASSERT_TRUE(read) << read.error;
        expectIdentical(*read.design, design);
    }
}

TEST(DesignFile, EveryFloatReadsBackIdentically) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::uint32_t> bits;
    const auto finiteFloat = [&] {
        for (;;) {
            const auto value = std::bit_cast<float>(bits(random));
            if (std::isfinite(value)) return value;
        }
    };
    for (int round = 0; round < 2000; ++round) {
        Design design;
        for (float* value :
             {&design.inputs.minInputVac, &design.inputs.outputCurrent, &design.inputs.coreAe,
              &design.inputs.auxWireDiameter, &design.rules.peakFlux, &design.rules.tapeThickness,
              &design.rules.idleRatio, &design.rules.secondaryStrands})
            *value = finiteFloat();
        design.rules.primaryStrands = static_cast<float>(static_cast<std::int32_t>(bits(random)));
        design.rules.maxSolutions = static_cast<std::int32_t>(bits(random));
        const DesignRead read = readDesignText(designFileText(design), "random.qmd");
        ASSERT_TRUE(read) << read.error;
        ASSERT_EQ(designFileText(*read.design), designFileText(design));
        ASSERT_EQ(std::bit_cast<std::uint32_t>(read.design->inputs.coreAe),
                  std::bit_cast<std::uint32_t>(design.inputs.coreAe));
    }
}

TEST(DesignFile, RefusesWhatNoWindowCouldHold) {
    const std::string defaults = designFileText(Design{});
    const std::string deep = std::string(300000, '[') + std::string(300000, ']');
    const struct {
        const char* from;  // nullptr: `to` is the whole file
        std::string to;
        const char* says;
    } cases[] = {
        {nullptr, "", "design.qmd: not valid JSON (line 1, column 1)"},
        {nullptr, "{\"format\": \"quillmere-design\",\n  \"version\" 1}",
         "not valid JSON (line 2, column 13)"},
        {nullptr, "[]", "design.qmd: not a Quillmere design file (expected an object, found a list)"},
        {nullptr, deep, "design.qmd: not a Quillmere design file"},
        {"\n}\n", "\n}\nx", "not valid JSON (line 75, column 1)"},
        {"\"0.30\"", "\"0.3\xff\"", "not valid JSON"},
        {"\"quillmere-design\"", "\"quillmere-sheet\"", "design.qmd: format: not a Quillmere design file"},
        {"\"format\": \"quillmere-design\",", "", "format: not a Quillmere design file"},
        {"\"version\": 2", "\"version\": 3", "design.qmd: version: 3 is newer than this program reads (2)"},
        {"\"version\": 2", "\"version\": 0", "version: 0 is no version"},
        {"\"version\": 2", "\"version\": 2.0", "version: expected a whole number, found 2.0"},
        // The catalogue core and core set: only from version 2 on, and only as the windows write them.
        {"\"version\": 2", "\"version\": 1, \"core\": {\"name\": \"EP 17\"}",
         "design.qmd: core: unknown member"},
        {"\"controllerChoice\"", "\"core\": [], \"controllerChoice\"",
         "design.qmd: core: expected an object"},
        {"\"controllerChoice\"", "\"core\": {}, \"controllerChoice\"", "design.qmd: core.name: missing"},
        {"\"controllerChoice\"", "\"core\": {\"name\": \"\"}, \"controllerChoice\"",
         "core.name: no core named"},
        {"\"controllerChoice\"", "\"core\": {\"name\": \"EP 17\", \"bobbinIndex\": -1}, \"controllerChoice\"",
         "core.bobbinIndex: -1 is out of range"},
        {"\"controllerChoice\"", "\"core\": {\"name\": \"EP 17\", \"gap\": 1}, \"controllerChoice\"",
         "core.gap: unknown member"},
        {"\"controllerChoice\"", "\"coreSet\": {\"cores\": [\"EP 17\", 3]}, \"controllerChoice\"",
         "coreSet.cores[1]: expected a text, found 3"},
        {"\"controllerChoice\"", "\"coreSet\": {\"minAe\": -1}, \"controllerChoice\"",
         "coreSet.minAe: expected null or"},
        {"\"controllerChoice\"", "\"coreSet\": {\"maxAe\": \"9\"}, \"controllerChoice\"",
         "coreSet.maxAe: expected null or"},
        {"\"controllerChoice\"", "\"coreSet\": {\"plausibleOnly\": 1}, \"controllerChoice\"",
         "coreSet.plausibleOnly: expected true or false"},
        {"    \"coreAe\": 19.2,\n", "", "design.qmd: inputs.coreAe: missing"},
        {"\"secondaryStrands\"", "\"secondaryStrand\"", "rules.secondaryStrands: missing"},
        {"\"controllerChoice\": 3,", "\"controllerChoice\": 3, \"note\": \"\",",
         "design.qmd: note: unknown member"},
        {"\"tapeTurns\": 2.0,", "\"tapeTurns\": 2.0, \"tapeTurns\": 3.0,",
         "design.qmd: rules.tapeTurns: given twice"},
        {"\"0.30\"", "{\"a\": [[], {\"b\": 1, \"b\": 2}]}", "rules.secondaryWires[0].a[1].b: given twice"},
        {"\"inputs\": {", "\"inputs\": [], \"x\": {", "design.qmd: inputs: expected an object, found a list"},
        {"\"coreAe\": 19.2", "\"coreAe\": \"19.2\"",
         "inputs.coreAe: expected a number, found the text \"19.2\""},
        {"\"slotDepth\": 3.5", "\"slotDepth\": null", "inputs.slotDepth: expected a number, found null"},
        {"\"peakFluxSpan\": 200.0", "\"peakFluxSpan\": 1e400",
         "design.qmd: rules.peakFluxSpan: not a finite number"},
        {"\"peakFluxSpan\": 200.0", "\"peakFluxSpan\": -1e39",
         "rules.peakFluxSpan: not a finite number in single"},
        {"\"efficiency\": 90.0", "\"efficiency\": 3.4028236e38",
         "inputs.efficiency: not a finite number in single"},
        {"\"maxSolutions\": 10", "\"maxSolutions\": 2147483648",
         "rules.maxSolutions: 2147483648 is out of range"},
        {"\"firstWindingMinShare\": 40.0", "\"firstWindingMinShare\": -1000000.0",
         "design.qmd: rules.firstWindingMinShare: -1000000 is out of range (0 to 100)"},
        {"\"firstWindingMinShare\": 40.0", "\"firstWindingMinShare\": 100.5",
         "rules.firstWindingMinShare: 100.5 is out of range (0 to 100)"},
        {"\"maxSolutions\": 10", "\"maxSolutions\": 7.9",
         "rules.maxSolutions: expected a whole number, found 7.9"},
        {"\"maxSolutions\": 10", "\"maxSolutions\": 1e1", "rules.maxSolutions: expected a whole number"},
        {"\"primaryStrands\": 1", "\"primaryStrands\": 2.5", "rules.primaryStrands: expected a whole number"},
        {"\"primaryStrands\": 1", "\"primaryStrands\": -2147483649",
         "rules.primaryStrands: -2147483649 is out"},
        {"\"primaryStrands\": 1", "\"primaryStrands\": 16777217",
         "rules.primaryStrands: 16777217 is no count"},
        {"\"sandwichWinding\": 0", "\"sandwichWinding\": 2",
         "rules.sandwichWinding: 2 is out of range (0 to 1)"},
        {"\"skinEffect\": 1", "\"skinEffect\": true",
         "rules.skinEffect: expected a whole number, found true"},
        {"\"ccMode\": true", "\"ccMode\": 1", "rules.ccMode: expected true or false, found 1"},
        {"\"controllerChoice\": 3", "\"controllerChoice\": 4",
         "design.qmd: controllerChoice: 4 (L6562) is not"},
        {"\"controllerChoice\": 3", "\"controllerChoice\": -1",
         "controllerChoice: -1 is out of range (0 to 3)"},
        {"\"0.21\"", "\"0.22\"", "design.qmd: rules.primaryWires[1]: unknown wire size \"0.22\""},
        {"\"0.30\"", "\"0.3\"", "rules.secondaryWires[0]: unknown wire size \"0.3\""},
        {"\"0.21\"", "\"0.20\"", "rules.primaryWires[1]: wire size 0.20 listed twice"},
        {"\"0.30\"", "0.30", "rules.secondaryWires[0]: expected a wire size text, found 0.3"},
        {"[\n      \"0.30\"\n    ]", "[]", "design.qmd: rules.secondaryWires: no wire size listed"},
        {"[\n      \"0.30\"\n    ]", "\"0.30\"", "rules.secondaryWires: expected a list of wire sizes"},
        // The winding sheet's settings.
        {"\"primaryStartPin\": 1", "\"primaryStartPin\": 0",
         "design.qmd: sheet.primaryStartPin: 0 is no pin"},
        {"\"secondaryFinishPin\": 10", "\"secondaryFinishPin\": 1000",
         "sheet.secondaryFinishPin: 1000 is no pin"},
        {"\"auxiliaryStartPin\": 4", "\"auxiliaryStartPin\": 4.5",
         "sheet.auxiliaryStartPin: expected a whole"},
        {"\"hipotDuration\": 60.0", "\"hipotDuration\": 0",
         "design.qmd: sheet.hipotDuration: 0 is not above zero"},
        {"\"leakageLimit\": 3.0", "\"leakageLimit\": -3", "sheet.leakageLimit: -3 is not above zero"},
        {"\"alTolerance\": 5.0", "\"alTolerance\": 1e39", "sheet.alTolerance: not a finite number"},
        {"\"inductanceTestVoltage\": 0.4", "\"inductanceTestVoltage\": \"0.4\"",
         "sheet.inductanceTestVoltage: expected a number"},
        {"\"revision\": \"A\"", "\"revision\": 2", "sheet.revision: expected a text"},
        {"\"drawnBy\": \"\"", "\"drawnBy\": \"a\\nb\"", "sheet.drawnBy: holds a control character"},
        {"\"checkedBy\": \"\"", "\"checkedBy\": \"" + std::string(61, 'x') + "\"",
         "sheet.checkedBy: longer than 60"},
        {"\"checkedBy\": \"\"", "\"checkedBy\": \"\", \"stamp\": 1",
         "design.qmd: sheet.stamp: unknown member"},
        {"    \"hipotPrimaryCore\": 1500.0,\n", "", "design.qmd: sheet.hipotPrimaryCore: missing"},
        {"\"sheet\": {", "\"sheet\": [], \"x\": {", "design.qmd: sheet: expected an object"},
    };
    for (const auto& c : cases) {
        const std::string text = c.from ? replaced(defaults, c.from, c.to) : c.to;
        const DesignRead read = readDesignText(text, "design.qmd");
        EXPECT_FALSE(read) << c.says;
        EXPECT_NE(read.error.find(c.says), std::string::npos) << read.error << "\nwanted: " << c.says;
    }
}

TEST(DesignFile, AcceptsWhatTheWindowsCanHold) {
    const std::string defaults = designFileText(Design{});
    const struct {
        const char* from;
        const char* to;
        std::function<bool(const Design&)> holds;
    } cases[] = {
        {"\"coreAe\": 19.2", "\"coreAe\": 3.4028235e38",
         [](const Design& d) { return d.inputs.coreAe == FLT_MAX; }},
        {"\"coreAe\": 19.2", "\"coreAe\": -1e-50",
         [](const Design& d) { return std::signbit(d.inputs.coreAe); }},
        {"\"coreAe\": 19.2", "\"coreAe\": 25", [](const Design& d) { return d.inputs.coreAe == 25; }},
        {"\"maxSolutions\": 10", "\"maxSolutions\": -2147483648",
         [](const Design& d) { return d.rules.maxSolutions == std::numeric_limits<int>::min(); }},
        {"\"firstWindingMinShare\": 40.0", "\"firstWindingMinShare\": 100",
         [](const Design& d) { return d.rules.firstWindingMinShare == 100; }},
        {"\"firstWindingMinShare\": 40.0", "\"firstWindingMinShare\": 0",
         [](const Design& d) { return d.rules.firstWindingMinShare == 0; }},
        {"\"maxSolutions\": 10", "\"maxSolutions\": 2147483647",
         [](const Design& d) { return d.rules.maxSolutions == std::numeric_limits<int>::max(); }},
        {"\"primaryStrands\": 1", "\"primaryStrands\": -16777216",
         [](const Design& d) { return d.rules.primaryStrands == -16777216.0f; }},
        {"\"0.20\",\n      \"0.21\"", "\"0.21\", \"0.20\"",
         [](const Design& d) { return d.rules.primaryWires == RuleSet::defaultPrimaryWires(); }},
        {"{", "\xEF\xBB\xBF{", [](const Design& d) { return d == Design{}; }},
        {"\"primaryStartPin\": 1", "\"primaryStartPin\": 999",
         [](const Design& d) { return d.sheet.primaryStartPin == 999; }},
        {"\"drawnBy\": \"\"", "\"drawnBy\": \"王工\"",
         [](const Design& d) { return d.sheet.drawnBy == "王工"; }},
    };
    for (const auto& c : cases) {
        const DesignRead read = readDesignText(replaced(defaults, c.from, c.to), "design.qmd");
        ASSERT_TRUE(read) << c.to << ": " << read.error;
        EXPECT_TRUE(c.holds(*read.design)) << c.to;
    }
}

// Files written before the sheet's settings existed open with the defaults; changed settings
// come back as they were written.
TEST(DesignFile, SheetSettingsAreKeptAndOptional) {
    Design design;
    const std::string defaults = designFileText(design);
    const auto sheet = defaults.find(",\n  \"sheet\"");
    ASSERT_NE(sheet, std::string::npos);
    const std::string old = defaults.substr(0, sheet) + "\n}\n";
    const DesignRead read = readDesignText(old, "old.qmd");
    ASSERT_TRUE(read) << read.error;
    EXPECT_EQ(read.design->sheet, MakerSettings{});

    design.sheet.secondaryStartPin = 9;
    design.sheet.hipotPrimarySecondary = 4242.5f;
    design.sheet.inductanceTestVoltage = 0.1f;
    design.sheet.revision = "C\"3";
    design.sheet.checkedBy = "李四";
    const DesignRead again = readDesignText(designFileText(design), "again.qmd");
    ASSERT_TRUE(again) << again.error;
    expectIdentical(*again.design, design);
}

// The loss rules are written only when changed, so that older files and designs that leave
// them alone read and save as before; a rank-by is saved as its word.
TEST(DesignFile, LossRulesAreSavedOnlyWhenChanged) {
    Design design;
    const std::string defaults = designFileText(design);
    EXPECT_EQ(defaults.find("operatingTemperature"), std::string::npos);
    EXPECT_EQ(defaults.find("rankBy"), std::string::npos);

    design.rules.rankBy = static_cast<int>(RankBy::temperature);
    design.rules.operatingTemperature = 60;
    design.rules.maxTotalLoss = 1.5f;
    const std::string changed = designFileText(design);
    EXPECT_NE(changed.find("\"rankBy\": \"temperature\""), std::string::npos);
    EXPECT_EQ(changed.find("maxTemperatureRise"), std::string::npos);
    const DesignRead again = readDesignText(changed, "again.qmd");
    ASSERT_TRUE(again) << again.error;
    expectIdentical(*again.design, design);

    const struct {
        const char* from;
        const char* to;
        const char* error;
    } refused[] = {
        {"\"temperature\"", "\"coolest\"",
         "rules.rankBy: expected one of \"fill\", \"loss\", \"temperature\", \"volume\""},
        {"\"temperature\"", "2", "rules.rankBy: expected one of"},
        {"\"maxTotalLoss\": 1.5", "\"maxTotalLoss\": -1", "rules.maxTotalLoss: -1 is out of range"},
    };
    for (const auto& c : refused) {
        std::string text = changed;
        const auto at = text.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        text.replace(at, std::strlen(c.from), c.to);
        const DesignRead read = readDesignText(text, "bad.qmd");
        EXPECT_FALSE(read) << c.to;
        EXPECT_NE(read.error.find(c.error), std::string::npos) << read.error;
    }
}

// Mutations of valid files: byte flips, lost members, values of other types, extreme numbers.
class Mutator {
public:
    explicit Mutator(std::uint64_t seed) : random_(seed) {}

    std::string mutate(std::string text) {
        const int steps = 1 + pick(3);
        for (int k = 0; k < steps; ++k) {
            switch (pick(5)) {
                case 0:
                    text = flipBytes(std::move(text));
                    break;
                case 1:
                    text = replaceNumber(std::move(text));
                    break;
                default:
                    text = changeStructure(std::move(text));
                    break;
            }
        }
        return text;
    }

private:
    using Json = nlohmann::ordered_json;
    std::mt19937_64 random_;

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    std::string flipBytes(std::string text) {
        static constexpr std::string_view kBytes = "{}[]\",:-+.eE0123456789 tfn\\\x7f\xc3\xff\n";
        const int count = 1 + pick(4);
        for (int k = 0; k < count; ++k) {
            if (text.empty()) text.push_back('{');  // not `= "{"`: GCC 12 misreads it as an overlapping copy
            const auto at = static_cast<std::size_t>(pick(static_cast<int>(text.size())));
            switch (pick(4)) {
                case 0:
                    text[at] = static_cast<char>(text[at] ^ (1 << pick(8)));
                    break;
                case 1:
                    text[at] = kBytes[static_cast<std::size_t>(pick(static_cast<int>(kBytes.size())))];
                    break;
                case 2:
                    text.erase(at, 1 + static_cast<std::size_t>(pick(8)));
                    break;
                default:
                    text.insert(at, 1,
                                kBytes[static_cast<std::size_t>(pick(static_cast<int>(kBytes.size())))]);
                    break;
            }
        }
        return text;
    }

    // Puts a number the JSON values cannot carry, or an edge of float and int, into the text.
    std::string replaceNumber(std::string text) {
        static const std::vector<std::string> kNumbers = {"1e400",
                                                          "-1e400",
                                                          "1e-400",
                                                          "-0",
                                                          "-0.0",
                                                          "1e39",
                                                          "-1e39",
                                                          "3.4028235e38",
                                                          "3.4028236e38",
                                                          "1e-45",
                                                          "1e-46",
                                                          "2147483647",
                                                          "2147483648",
                                                          "-2147483648",
                                                          "-2147483649",
                                                          "4294967296",
                                                          "16777217",
                                                          "0.5",
                                                          "1e308",
                                                          "18446744073709551615",
                                                          "18446744073709551616",
                                                          "-9223372036854775809",
                                                          "4",
                                                          "2",
                                                          "-1",
                                                          "00",
                                                          "1.",
                                                          ".5",
                                                          "NaN",
                                                          "Infinity",
                                                          "0x10"};
        std::vector<std::size_t> starts;
        for (std::size_t i = 0; i < text.size(); ++i)
            if ((text[i] == '-' || (text[i] >= '0' && text[i] <= '9')) && i > 0 &&
                (text[i - 1] == ' ' || text[i - 1] == '[' || text[i - 1] == ':'))
                starts.push_back(i);
        if (starts.empty()) return flipBytes(std::move(text));
        const std::size_t at = starts[static_cast<std::size_t>(pick(static_cast<int>(starts.size())))];
        const std::size_t end = text.find_first_of(",]}\n", at);
        return text.replace(at, end == std::string::npos ? std::string::npos : end - at,
                            kNumbers[static_cast<std::size_t>(pick(static_cast<int>(kNumbers.size())))]);
    }

    std::string changeStructure(const std::string& text) {
        Json root = Json::parse(text, nullptr, false);
        if (root.is_discarded()) return flipBytes(text);
        std::vector<Json::json_pointer> places;
        collect(root, Json::json_pointer(), places);
        const Json::json_pointer place =
            places[static_cast<std::size_t>(pick(static_cast<int>(places.size())))];
        if (!place.empty() && pick(3) == 0) {
            Json& parent = root.at(place.parent_pointer());
            if (parent.is_object())
                parent.erase(place.back());
            else
                parent.erase(parent.begin() + std::stoi(place.back()));
        } else if (root.at(place).is_object() && pick(4) == 0) {
            root.at(place)["unknown" + std::to_string(pick(3))] = 1;
        } else {
            root.at(place) = otherValue();
        }
        return root.dump(pick(2) == 0 ? 2 : -1);
    }

    void collect(const Json& value, const Json::json_pointer& at, std::vector<Json::json_pointer>& places) {
        places.push_back(at);
        if (value.is_object())
            for (const auto& [key, item] : value.items()) collect(item, at / key, places);
        else if (value.is_array())
            for (std::size_t i = 0; i < value.size(); ++i) collect(value[i], at / i, places);
    }

    Json otherValue() {
        switch (pick(14)) {
            case 0:
                return nullptr;
            case 1:
                return pick(2) == 0;
            case 2:
                return pick(7) - 2;  // -2 .. 4
            case 3:
                return std::uniform_real_distribution<double>(-1e40, 1e40)(random_);
            case 4:
                return std::numeric_limits<std::int64_t>::min();
            case 5:
                return std::numeric_limits<std::uint64_t>::max();
            case 6:
                return 2147483648.0;
            case 7:
                return -0.0;
            case 8:
                return WireCatalogue::text(pick(WireCatalogue::kSize));
            case 9:
                return "0.22";
            case 10:
                return Json::array();
            case 11:
                return Json::object();
            case 12:
                return Json::array({WireCatalogue::text(pick(WireCatalogue::kSize)), 0.2});
            default:
                return std::bit_cast<float>(static_cast<std::uint32_t>(random_()));
        }
    }
};

int mutationCount() {
    const char* count = std::getenv("QUILLMERE_FUZZ_MUTATIONS");
    return count ? std::atoi(count) : 20000;
}

TEST(DesignFile, MutatedFilesAreRefusedOrHoldOnlyWhatTheWindowsCanHold) {
    const std::vector<std::string> seeds = {designFileText(Design{}), designFileText(cvSandwichDesign()),
                                            designFileText(edgeDesign())};
    Mutator mutator(7);
    int accepted = 0;
    const int count = mutationCount();
    for (int k = 0; k < count; ++k) {
        const std::string text = mutator.mutate(seeds[static_cast<std::size_t>(k) % seeds.size()]);
        const DesignRead read = readDesignText(text, "fuzz.qmd");
        if (!read) {
            ASSERT_EQ(read.error.rfind("fuzz.qmd: ", 0), 0u) << read.error;
            continue;
        }
        ++accepted;
        ASSERT_TRUE(windowsCanHold(*read.design)) << text;
        const DesignRead again = readDesignText(designFileText(*read.design), "again.qmd");
        ASSERT_TRUE(again) << again.error;
        expectIdentical(*again.design, *read.design);
    }
    // Mostly refusals, but enough accepted files that the check above means something.
    EXPECT_GT(accepted, count / 50);
    std::printf("%d mutations, %d accepted\n", count, accepted);
}

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(DesignFile, ReadsFilesOnlyUpToTheLimit) {
    const TempFolder folder;
    const fs::path limit = folder.path() / "limit.qmd";
    std::string padded = designFileText(Design{});
    padded.append(kDesignFileMaxBytes - padded.size(), ' ');
    ASSERT_FALSE(writeFileAtomically(limit, padded));
    EXPECT_TRUE(readDesignFile(limit)) << readDesignFile(limit).error;

    const fs::path large = folder.path() / "large.qmd";
    ASSERT_FALSE(writeFileAtomically(large, padded + " "));
    const struct {
        fs::path path;
        std::string says;
    } cases[] = {
        {large, large.string() + ": larger than 1048576 bytes"},
        {folder.path(), folder.path().string() + ": is a folder"},
        {folder.path() / "none.qmd", "none.qmd: No such file or directory"},
        {"/dev/null", "/dev/null: not a regular file"},
    };
    for (const auto& c : cases) {
        const DesignRead read = readDesignFile(c.path);
        EXPECT_FALSE(read);
        EXPECT_NE(read.error.find(c.says), std::string::npos) << read.error;
    }
}

TEST(DesignFile, AMemberNestedDeepIsNamedInAFewLines) {
    constexpr int kDepth = 100000;
    std::string open, close;
    for (int i = 0; i < kDepth; ++i) {
        open += "{\"a\":";
        close += '}';
    }
    const struct {
        std::string text;
        std::string_view endsWith;
    } cases[] = {
        {open + "{\"b\":1,\"b\":2}" + close, ".b: given twice"},
        {open + "1e999" + close, "a.a: not a finite number"},
        {"[" + open + "1" + close + "]", "(expected an object, found a list)"},
    };
    for (const auto& c : cases) {
        const DesignRead read = readDesignText(c.text, "deep.qmd");
        ASSERT_FALSE(read);
        EXPECT_LT(read.error.size(), 300u) << read.error.substr(0, 300);
        EXPECT_TRUE(read.error.ends_with(c.endsWith)) << read.error.substr(0, 300);
    }
}

TEST(AtomicFile, AFailedSaveSaysWhyAndKeepsTheEarlierFile) {
    const TempFolder folder;
    const fs::path target = folder.path() / "design.qmd";
    ASSERT_FALSE(writeFileAtomically(target, "earlier"));
    ::chmod(target.c_str(), 0640);

    struct Case {
        std::string name;
        std::function<std::optional<std::string>()> save;
        std::string says;
    };
    const std::vector<Case> cases = {
        {"full disk",
         [&] {
             const FileSizeLimit limit(4);
             return writeFileAtomically(target, "much more than four bytes");
         },
         "design.qmd: cannot save: File too large"},
        {"folder in the way", [&] { return writeFileAtomically(folder.path(), "x"); },
         "a folder of that name"},
        {"no folder", [&] { return writeFileAtomically(folder.path() / "none" / "d.qmd", "x"); },
         "none/d.qmd: cannot save: No such file or directory"},
    };
    for (const Case& c : cases) {
        const auto failure = c.save();
        ASSERT_TRUE(failure) << c.name;
        EXPECT_NE(failure->find(c.says), std::string::npos) << c.name << ": " << *failure;
        EXPECT_EQ(fileText(target), "earlier") << c.name;
    }
    if (::geteuid() != 0) {  // permissions do not bind root
        ::chmod(folder.path().c_str(), 0500);
        const auto failure = writeFileAtomically(target, "x");
        ::chmod(folder.path().c_str(), 0700);
        ASSERT_TRUE(failure);
        EXPECT_NE(failure->find("Permission denied"), std::string::npos) << *failure;
    }
    // Nothing half-written is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);

    ASSERT_FALSE(writeFileAtomically(target, "later"));
    EXPECT_EQ(fileText(target), "later");
    EXPECT_EQ(fs::status(target).permissions(), static_cast<fs::perms>(0640));

    // A link is followed, not replaced.
    const fs::path link = folder.path() / "link.qmd";
    fs::create_symlink("design.qmd", link);
    ASSERT_FALSE(writeFileAtomically(link, "through the link"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fileText(target), "through the link");
}

TEST(DesignFile, DocumentedExampleIsACanonicalFile) {
    const std::string doc = fileText(fs::path(QUILLMERE_SOURCE_DIR) / "docs" / "design-file.md");
    const std::string open = "```json\n";
    const auto begin = doc.find(open);
    ASSERT_NE(begin, std::string::npos);
    const auto end = doc.find("```", begin + open.size());
    ASSERT_NE(end, std::string::npos);
    const std::string example = doc.substr(begin + open.size(), end - begin - open.size());
    const DesignRead read = readDesignText(example, "design-file.md");
    ASSERT_TRUE(read) << read.error;
    EXPECT_EQ(designFileText(*read.design), example);
    EXPECT_NE(*read.design, Design{});
}

}  // namespace
