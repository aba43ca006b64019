// The winding sheet as the maker gets it: the PDF's text, fonts and rendering, and what it refuses.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <functional>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "engine/core_figures.h"
#include "engine/number_text.h"
#include "engine/search.h"
#include "pdf_tools.h"
#include "sheet/winding_sheet.h"
#include "tests/file_size_limit.h"

namespace {

AnalysisResult analyse(const Design& design) {
    return analyseNow(design);
}

const QDate kDate(2024, 3, 5);

TEST(WindingSheet, OnePageWithTheSolutionsTextsAndEmbeddedFonts) {
    const struct {
        const char* what;
        std::function<void(Design&)> change;
        int solution;
        QStringList texts;  // beside the record's and the core figures'
    } cases[] = {
        {"plain, solution 1 of the defaults",
         [](Design&) {},
         0,
         {"75.75316", "0.3185007", "170.3855", "初级 Np", "次级 Ns", "无（非三明治绕法）", "反馈 Nf",
          "PFM频率范围"}},
        {"sandwich whose second half may change wire",
         [](Design& d) {
             d.rules.sandwichWinding = 1;
             d.rules.sandwichWireChange = true;
         },
         1,
         {"初级前半 Np_1", "次级 Ns", "初级后半 Np_2", "反馈 Nf", "三明治绕法：是"}},
        {"CV", [](Design& d) { d.rules.ccMode = false; }, 2, {"CV (PWM)", "PWM频率", "空闲比例"}},
    };
    for (const auto& c : cases) {
        Design design;
        c.change(design);
        const AnalysisResult result = analyse(design);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        const auto error =
            writeWindingSheet(pdf, design, result, c.solution, QStringLiteral("样机A.qmd"), kDate);
        ASSERT_FALSE(error) << c.what << ": " << error->toStdString();

        const QString text = pdfText(pdf);
        QStringList expected = c.texts;
        expected << "变压器绕组规格书"
                 << "样机A.qmd"
                 << "2024-03-05"
                 << "Quillmere 1.4"
                 << "一阶估算";
        const Solution& solution = result.solutions.at(static_cast<std::size_t>(c.solution));
        // The table's texts; a sandwiched primary's wire shows as its two halves.
        for (std::size_t k = 0; k < kShownColumns; ++k)
            expected
                << QString::fromStdString(solutionText(solution, static_cast<RecordField>(k))).split('/');
        const CoreFigures core = *coreFigures(solution, design.inputs.coreAe).figures;
        for (const double figure : {core.inductanceFactor, core.airGap, core.storedEnergy})
            expected << QString::fromStdString(numberText(figure));
        for (const QString& s : expected) EXPECT_TRUE(text.contains(s)) << c.what << ": " << s.toStdString();

        EXPECT_EQ(fontsNotEmbedded(pdf), QStringList()) << c.what;
        const ToolOutput info = runTool(QStringLiteral("pdfinfo"), {pdf});
        EXPECT_TRUE(info.text.contains(QRegularExpression("Pages:\\s+1\\n"))) << c.what;
        EXPECT_TRUE(info.text.contains(QStringLiteral("(A4)"))) << c.what;
        const QString png = dir.filePath(QStringLiteral("page"));
        EXPECT_EQ(runTool(QStringLiteral("pdftoppm"), {"-r", "30", "-png", "-singlefile", pdf, png}).exitCode,
                  0);
        EXPECT_GT(QFile(png + ".png").size(), 1000) << c.what;
    }
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
