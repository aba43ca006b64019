#include "sheet/winding_sheet_command.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include <QApplication>
#include <QDate>
#include <QString>

#include "engine/analysis.h"
#include "engine/catalogue_files.h"
#include "engine/core_search.h"
#include "engine/core_selection.h"
#include "engine/design_file.h"
#include "engine/entry_number.h"
#include "engine/search.h"
#include "sheet/sheet_text.h"
#include "sheet/winding_sheet.h"
#include "widgets/application_setup.h"
#include "widgets/language.h"

using namespace quillmere;

namespace {

constexpr const char* kOption = "--winding-sheet";
constexpr const char* kUsage = QT_TRANSLATE_NOOP(
    "WindingSheet",
    "用法: quillmere --winding-sheet OUT.pdf [--design FILE.qmd] [--solution N] [--lang en|zh]");

enum ExitStatus : int { kWritten = 0, kBadUsage = 2, kNoSolution = 3 };

struct SheetOptions {
    QString output;
    std::optional<std::filesystem::path> design;  ///< nothing: the form's defaults
    int rank = 1;
};

void say(const QString& message) {
    std::fprintf(stderr, "quillmere: %s\n", message.toLocal8Bit().constData());
}

// Reads the options after the program name; nothing, with a message said, when they are wrong.
std::optional<SheetOptions> readOptions(int argc, char** argv) {
    SheetOptions options;
    bool haveOutput = false;
    for (int i = 1; i < argc; ++i) {
        const char* name = argv[i];
        if (std::strncmp(name, "--lang=", 7) == 0) continue;
        const bool known = std::strcmp(name, kOption) == 0 || std::strcmp(name, "--solution") == 0 ||
                           std::strcmp(name, "--design") == 0 || std::strcmp(name, "--lang") == 0;
        if (!known) {
            say(WindingSheet::tr("未知的选项 %1").arg(QString::fromLocal8Bit(name)));
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            say(WindingSheet::tr("%1 缺少参数").arg(QString::fromLocal8Bit(name)));
            return std::nullopt;
        }
        const char* value = argv[++i];
        if (std::strcmp(name, "--lang") == 0) continue;  // chosen before the options are read
        if (std::strcmp(name, kOption) == 0) {
            options.output = QString::fromLocal8Bit(value);
            haveOutput = !options.output.isEmpty();
        } else if (std::strcmp(name, "--design") == 0) {
            options.design = std::filesystem::path(value);
        } else {
            const std::optional<int> rank = parseEntryInt(value);
            if (!rank || *rank < 1) {
                say(WindingSheet::tr("--solution 需要一个正整数: %1").arg(QString::fromLocal8Bit(value)));
                return std::nullopt;
            }
            options.rank = *rank;
        }
    }
    if (!haveOutput) {
        say(WindingSheet::tr("--winding-sheet 缺少输出文件"));
        return std::nullopt;
    }
    return options;
}

}  // namespace

bool windingSheetRequested(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], kOption) == 0) return true;
    }
    return false;
}

int runWindingSheetCommand(int argc, char** argv, Language language) {
    // The sheet is drawn with Qt's fonts and painter, which need an application object but no
    // display: the offscreen platform works on any machine. Made first, so that every message
    // is in the chosen language.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    prepareApplication(application, language);

    const std::optional<SheetOptions> options = readOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "%s\n", WindingSheet::tr(kUsage).toLocal8Bit().constData());
        return kBadUsage;
    }
    Design design;
    QString designName;
    if (options->design) {
        DesignRead read = readDesignFile(*options->design, language);
        if (!read) {
            say(QString::fromStdString(read.error));
            return kBadUsage;
        }
        design = *read.design;
        designName = QString::fromStdString(options->design->filename().string());
    }

    if (const AnalyseRefusal refusal = checkDesign(design); refusal != AnalyseRefusal::None) {
        say(engineText(refusalMessage(refusal)));
        return kNoSolution;
    }
    // The design's catalogue core (or core set) is searched as the command line and the form do.
    std::vector<CatalogueFile> files;
    if (const auto folder = userCatalogueFolder()) files = userCatalogueFiles(*folder);
    const CatalogueLoad catalogue = loadCatalogue(files);
    const CoreSetResolution searched = searchedCores(design, catalogue.catalogue);
    if (!searched) {
        say(WindingSheet::tr("磁芯库中没有 %1").arg(QString::fromStdString(searched.failure.name)));
        return kBadUsage;
    }
    SearchCounters counters;
    NullSink sink;
    const AnalysisResult result =
        runCoreSearch(SearchSetup::from(design), searched.cores, counters, sink, Pacing::none(), {})
            .value_or(AnalysisResult{});
    const std::size_t count = result.solutions.size();
    if (count == 0) {
        say(WindingSheet::tr("分析没有找到解法。"));
        return kNoSolution;
    }
    if (static_cast<std::size_t>(options->rank) > count) {
        say(WindingSheet::tr("没有第 %1 个解法（共 %2 个）。").arg(options->rank).arg(count));
        return kNoSolution;
    }
    if (const std::optional<QString> error = writeWindingSheet(
            options->output, design, result, options->rank - 1, designName, QDate::currentDate())) {
        say(*error);
        return kBadUsage;
    }
    return kWritten;
}
