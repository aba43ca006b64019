// The winding sheet as the maker gets it: the PDF's text, fonts and rendering, and what it refuses.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <functional>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "engine/core_figures.h"
#include "engine/number_text.h"
#include "engine/search.h"
#include "engine/winding_fit.h"
#include "pdf_tools.h"
#include "sheet/sheet_cross_section.h"
#include "sheet/sheet_number.h"
#include "sheet/winding_sheet.h"
#include "sheet/winding_sheet_adapter.h"
#include "tests/cjk.h"
#include "tests/file_size_limit.h"
#include "widgets/language.h"

using namespace quillmere;

namespace {

AnalysisResult analyse(const Design& design) {
    return analyseNow(design);
}

const QDate kDate(2024, 3, 5);

// The language of the installed translators for one block, Chinese again afterwards.
struct LanguageShown {
    explicit LanguageShown(Language language) { setApplicationLanguage(*qApp, language); }
    ~LanguageShown() { setApplicationLanguage(*qApp, Language::Chinese); }
};

const struct SheetDesign {
    const char* name;
    std::function<void(Design&)> change;
    int solution;
} kDesigns[] = {
    {"defaults", [](Design&) {}, 0},
    {"sandwich",
     [](Design& d) {
         d.rules.sandwichWinding = 1;
         d.rules.sandwichWireChange = true;
         d.rules.slotWidthReserve = 10;
     },
     1},
    {"cv", [](Design& d) { d.rules.ccMode = false; }, 2},
    {"strands", [](Design& d) { d.rules.secondaryStrands = 2; }, 0},
};

// Numbers of the text with more than four significant figures: digits after leading zeros, and
// for a whole number without its trailing zeros.
QStringList longNumbers(const QString& text) {
    QStringList found;
    const QRegularExpression number(QStringLiteral("\\d+(\\.\\d+)?"));
    for (auto it = number.globalMatch(text); it.hasNext();) {
        const QString n = it.next().captured();
        QString digits = n;
        if (!n.contains('.')) {
            while (digits.endsWith('0') && digits.size() > 1) digits.chop(1);
        }
        digits.remove('.');
        while (digits.startsWith('0') && digits.size() > 1) digits.remove(0, 1);
        if (digits.size() > 4) found << n;
    }
    return found;
}

TEST(WindingSheet, WhatTheMakerNeedsInBothLanguages) {
    for (const SheetDesign& d : kDesigns) {
        Design design;
        d.change(design);
        const AnalysisResult result = analyse(design);
        for (const Language language : {Language::Chinese, Language::English}) {
            const LanguageShown shown(language);
            const bool english = language == Language::English;
            const std::string what = std::string(d.name) + (english ? " en" : " zh");
            QTemporaryDir dir;
            const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
            const auto error =
                writeWindingSheet(pdf, design, result, d.solution, QStringLiteral("T1.qmd"), kDate);
            ASSERT_FALSE(error) << what << ": " << error->toStdString();
            const WindingSheetContent c =
                *windingSheetContent(design, result, d.solution, QStringLiteral("T1.qmd"), kDate).content;
            const QString text = pdfText(pdf);
            // pdftotext may break a table row anywhere; figures and short phrases stay whole.
            const QString flat = QString(text).replace('\n', ' ');
            const auto n = [](double v) { return QString::fromStdString(sheetNumber(v)); };

            QStringList expected = {"T1.qmd",
                                    "2024-03-05",
                                    "Quillmere 1.4",
                                    n(c.core.inductanceFactor) + " nH/N² ± 5 %",
                                    n(c.tests.inductance) + " µH ± 10 %",
                                    "3000 V AC",
                                    "1500 V AC",
                                    "500 V DC",
                                    "100 MΩ",
                                    "10 kHz",
                                    "0.4 V",
                                    n(c.operatingPoint.peakFlux) + " mT",
                                    n(c.tests.leakageLimit) + " µH",
                                    n(c.core.centreGap) + " mm",
                                    n(c.core.centreGap / 2) + " mm"};
            expected << (english
                             ? QStringList{"Transformer Winding Sheet", "grind the gap", "no loss model yet",
                                           "no catalogue core chosen", "Hipot", "DC resistance"}
                             : QStringList{"变压器绕组规格书", "按此研磨气隙", "尚无损耗模型", "未选目录磁芯",
                                           "耐压", "直流电阻"});
            ASSERT_GE(c.windings.size(), 3u) << what;
            for (const SheetWinding& w : c.windings) {
                expected << QStringLiteral("%1 → %2").arg(w.startPin).arg(w.finishPin);
                // One row: turns, wire, turns per layer, layers, last layer.
                // pdftotext may move a cell of a row elsewhere: the turns per layer are looked for apart.
                const QRegularExpression row(QStringLiteral("\\s%1\\s+Ø%2 mm.*?\\s%3\\s+%4\\s")
                                                 .arg(w.turns)
                                                 .arg(QRegularExpression::escape(n(w.bareDiameter)))
                                                 .arg(w.layers)
                                                 .arg(w.lastLayerTurns));
                EXPECT_TRUE(
                    flat.contains(QRegularExpression(QStringLiteral("\\s%1\\s").arg(w.turnsPerLayer))))
                    << what;
                EXPECT_TRUE(flat.contains(row)) << what << ": row of " << w.symbol << "\n"
                                                << flat.toStdString();
                EXPECT_GE(w.turnsPerLayer * w.layers, w.turns) << what;
                EXPECT_EQ((w.layers - 1) * w.turnsPerLayer + w.lastLayerTurns, w.turns) << what;
                // A DC resistance row per winding, "—" with its reason until there are loss figures.
                const QRegularExpression dcr(
                    (english ? QStringLiteral("DC resistance %1\\s+pins %2–%3, 20 °C\\s+— no loss model")
                             : QStringLiteral("直流电阻 %1\\s+脚 %2–%3，20 °C\\s+— 尚无损耗模型"))
                        .arg(QString::fromStdString(w.symbol))
                        .arg(w.startPin)
                        .arg(w.finishPin));
                EXPECT_TRUE(flat.contains(dcr)) << what << ": DCR of " << w.symbol;
            }
            for (const QString& s : expected)
                EXPECT_TRUE(flat.contains(s)) << what << ": " << s.toStdString();
            // What the maker does not need, and the faults of the earlier sheet.
            for (const char* absent :
                 {"Cmil", "Cin", "分值", "Score", "GS", "饶", "Winding3", "NoTs", "e-0", "e+0", "Ins...Tape"})
                EXPECT_FALSE(text.contains(QString::fromUtf8(absent))) << what << ": " << absent;
            EXPECT_FALSE(text.contains(QRegularExpression("\\d[eE][-+]?\\d"))) << what;
            QStringList longOnes = longNumbers(text);
            longOnes.removeAll(QStringLiteral("2024"));  // the date's year has four, counted apart
            EXPECT_EQ(longOnes, QStringList()) << what;
            if (english) {
                EXPECT_FALSE(containsCjk(text.toStdString())) << what << "\n" << text.toStdString();
            }
            if (c.sandwich) {
                EXPECT_TRUE(flat.contains(english
                                              ? "The finish of Np_1 and the start of Np_2 both go to pin 2"
                                              : "Np_1 的末端与 Np_2 的始端同接脚 2"))
                    << what;
                EXPECT_GT(c.crossSection.margin, 0) << what;
            } else {
                EXPECT_FALSE(text.contains("Np_2")) << what;
            }

            EXPECT_EQ(fontsNotEmbedded(pdf), QStringList()) << what;
            const ToolOutput info = runTool(QStringLiteral("pdfinfo"), {pdf});
            EXPECT_TRUE(info.text.contains(QRegularExpression("Pages:\\s+1\\n"))) << what;
            EXPECT_TRUE(info.text.contains(QStringLiteral("(A4)"))) << what;
        }
    }
}

// The cross-section to scale: each role's band is as many pixel rows high as its layers are thick.
TEST(WindingSheet, CrossSectionBandsFollowTheLayers) {
    constexpr int kDpi = 300;
    for (const SheetDesign& d : kDesigns) {
        Design design;
        d.change(design);
        const AnalysisResult result = analyse(design);
        const WindingSheetContent c = *windingSheetContent(design, result, d.solution, {}, kDate).content;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        ASSERT_FALSE(writeWindingSheetPage(pdf, c)) << d.name;
        const QString png = dir.filePath(QStringLiteral("page"));
        ASSERT_EQ(runTool(QStringLiteral("pdftoppm"),
                          {"-r", QString::number(kDpi), "-png", "-singlefile", pdf, png})
                      .exitCode,
                  0);
        const QImage page(png + ".png");
        ASSERT_FALSE(page.isNull()) << d.name;

        // Pixels per mm of slot, from the tape bands, which span the slot's whole width.
        int tapeWidth = 0;
        for (int y = 0; y < page.height(); ++y) {
            int run = 0;
            for (int x = 0; x < page.width(); ++x)
                run += (page.pixel(x, y) & 0xFFFFFF) == (tapeColour().rgb() & 0xFFFFFF);
            tapeWidth = std::max(tapeWidth, run);
        }
        const double pixelsPerMm = tapeWidth / c.crossSection.slotWidth;
        ASSERT_GT(pixelsPerMm, 10) << d.name;
        for (const WindingRole role :
             {WindingRole::Primary, WindingRole::Secondary, WindingRole::Auxiliary}) {
            double thickness = 0;  // mm of slot
            for (const SheetWinding& w : c.windings) {
                const bool primary = w.role != WindingRole::Secondary && w.role != WindingRole::Auxiliary;
                const bool same = role == WindingRole::Primary ? primary : w.role == role;
                if (same) thickness += w.layers * w.outerDiameter;
            }
            const QRgb colour = windingColour(role).rgb();
            int rows = 0;
            for (int y = 0; y < page.height(); ++y) {
                int run = 0;
                for (int x = 0; x < page.width(); ++x)
                    run += (page.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
                if (run > 20) ++rows;
            }
            ASSERT_GT(thickness, 0) << d.name;
            EXPECT_NEAR(rows, thickness * pixelsPerMm, 0.03 * thickness * pixelsPerMm + 2)
                << d.name << " role " << static_cast<int>(role);
        }
    }
}

// A winding of 0 turns is not wound; one of 1 turn is one layer of 1 turn.
TEST(WindingSheet, WindingsOfNoneOrOneTurn) {
    Design design;
    AnalysisResult result = analyse(design);
    ASSERT_FALSE(result.solutions.empty());
    CandidateRecord& numbers = result.solutions[0].numbers;
    const double w = design.inputs.slotWidth;
    const double pw = outerDiameter(numbers.primaryWire);
    const double sw = outerDiameter(numbers.secondaryWire);
    const double fw = design.inputs.auxWireDiameter;
    const struct {
        float turns;
        bool wound;
    } cases[] = {{0, false}, {1, true}};
    for (const auto& c : cases) {
        numbers.feedbackTurns = c.turns;
        numbers.fills[3] = layersOf(static_cast<double>(c.turns) - 1, (w - pw - sw - fw) / fw)->fraction;
        const SheetContentResult made = windingSheetContent(design, result, 0, {}, kDate);
        ASSERT_TRUE(made.content) << c.turns << ": " << made.refusal.toStdString();
        const WindingSheetContent& content = *made.content;
        const auto nf = std::find_if(content.windings.begin(), content.windings.end(),
                                     [](const SheetWinding& s) { return s.symbol == "Nf"; });
        if (!c.wound) {
            EXPECT_EQ(nf, content.windings.end());
            EXPECT_EQ(content.notWound, std::vector<std::string>{"Nf"});
            for (const auto& band : content.crossSection.bands)
                EXPECT_LT(band.winding, content.windings.size());
            EXPECT_EQ(content.crossSection.bands.size(), 4u);  // Np, tape, Ns, tape
        } else {
            ASSERT_NE(nf, content.windings.end());
            EXPECT_EQ(nf->layers, 1);
            EXPECT_EQ(nf->lastLayerTurns, 1);
        }
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        ASSERT_FALSE(writeWindingSheetPage(pdf, content));
        const QString text = pdfText(pdf);
        EXPECT_FALSE(text.contains(QRegularExpression("(?<!\\d)-\\d"))) << c.turns;
        if (!c.wound)
            EXPECT_TRUE(text.contains(QStringLiteral("Nf 为 0 匝：不绕制"))) << c.turns;
        else
            EXPECT_TRUE(text.contains(QStringLiteral("反馈绕组 Nf 1 匝，1 层"))) << c.turns;
    }
}

TEST(WindingSheet, FiguresHaveFourSignificantDigitsAtMost) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.3185007, "0.3185"},  {75.75316, "75.75"},
        {170.3855, "170.4"},    {1706.4, "1706"},
        {12345, "12350"},       {0.0397878, "0.03979"},
        {9.99996, "10"},        {0.25, "0.25"},
        {3000, "3000"},         {0, "0"},
        {-0.00001, "-0.00001"}, {-2.5e-9, "-0.0000000025"},
        {1e9, "1000000000"},    {-0.0, "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(sheetNumber(c.value), c.text) << c.value;
    EXPECT_EQ(sheetNumber(std::nan("")), "—");
    EXPECT_EQ(sheetNumber(0.123456, 3), "0.123");
}

TEST(WindingSheet, RefusalsWriteNothingAndKeepAnEarlierFile) {
    Design design;
    const AnalysisResult result = analyse(design);
    const struct {
        const char* what;
        std::function<void(Design&)> change;
        int solution;
        const char* missingDirectory;  // the sheet goes there instead of over the earlier file
        bool cutShort;
        const char* message;
    } cases[] = {
        {"past the last solution", [](Design&) {}, 10, nullptr, false, "没有第 11 个解法（共 10 个）"},
        {"slot changed after the analysis", [](Design& d) { d.inputs.slotWidth = 9; }, 0, nullptr, false,
         "与当前设计不符"},
        {"core area zero", [](Design& d) { d.inputs.coreAe = 0; }, 0, nullptr, false, "磁芯AE"},
        {"missing directory", [](Design&) {}, 0, "none", false, "无法写入"},
        {"write cut short", [](Design&) {}, 0, nullptr, true, "无法写入"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString earlier = dir.filePath(QStringLiteral("sheet.pdf"));
        QFile file(earlier);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("the earlier sheet");
        file.close();
        const QString path =
            c.missingDirectory ? dir.filePath(QString(c.missingDirectory) + "/sheet.pdf") : earlier;
        Design changed = design;
        c.change(changed);

        std::optional<QString> error;
        {
            std::optional<FileSizeLimit> limit;
            if (c.cutShort) limit.emplace(4096);
            error = writeWindingSheet(path, changed, result, c.solution, {}, kDate);
        }
        ASSERT_TRUE(error) << c.what;
        EXPECT_TRUE(error->contains(QString::fromUtf8(c.message))) << c.what << ": " << error->toStdString();
        if (c.missingDirectory) {
            EXPECT_TRUE(error->contains(path)) << c.what;
        }
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "the earlier sheet") << c.what;
        file.close();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"sheet.pdf"}) << c.what;
    }
}

}  // namespace

namespace {

// Band labels: at their bands where there is room, a pitch apart where there is not, and never
// above the drawing's top, whatever the number of bands (a sandwich has eight).
TEST(WindingSheetLabels, StandAtTheirBandsApartAndBelowTheTop) {
    struct Case {
        const char* name;
        std::vector<double> centres;
        double top;
        std::vector<double> lines;
    };
    const Case cases[] = {
        {"room for every label", {100, 90, 80}, 50, {100, 90, 80}},
        {"crowded bands", {100, 99, 98}, 50, {100, 96.6, 93.2}},
        {"a stack that would climb above the top", {100, 99, 98, 97}, 95, {105.2, 101.8, 98.4, 95}},
        {"no bands", {}, 95, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<double> lines = bandLabelLines(c.centres, 100, c.top, 3.4);
        ASSERT_EQ(lines.size(), c.lines.size());
        for (std::size_t k = 0; k < lines.size(); ++k) {
            EXPECT_NEAR(lines[k], c.lines[k], 1e-9) << k;
            EXPECT_GE(lines[k], c.top - 1e-9);
            if (k > 0) {
                EXPECT_GE(lines[k - 1] - lines[k], 3.4 - 1e-9);
            }
        }
    }
}

}  // namespace
