#pragma once

#include <functional>

#include <QString>

#include "engine/result_format.h"

class QWidget;

/// What a file is chosen for; each has its own dialog title and file types.
enum class FileAction { OpenDesign, SaveDesign, ExportResults, ExportDiagram, ExportWindingSheet };

/// The chosen file and the index of the file type picked in the dialog's list (see chooseFile).
struct ChosenFile {
    QString path;  ///< empty when the engineer cancelled
    int type = 0;
};

/// How the form asks for a file; tests put their own in place of the dialogs.
using FileChooser = std::function<ChosenFile(QWidget* parent, FileAction action, const QString& suggested)>;

/// File types, in list order: results those of kResultFormats offered for files (0 CSV, 1 JSON;
/// `resultFileFormat` reads the choice); diagram 0 PNG, 1 PNG at twice the pixels, 2 SVG; the
/// others have one type each.
inline constexpr int kCsvType = 0, kJsonType = 1;
static_assert(quillmere::kResultFormats[kCsvType].format == quillmere::ResultFormat::Csv &&
              quillmere::kResultFormats[kCsvType].forFiles);
static_assert(quillmere::kResultFormats[kJsonType].format == quillmere::ResultFormat::Json &&
              quillmere::kResultFormats[kJsonType].forFiles);
inline constexpr int kPngType = 0, kPng2xType = 1, kSvgType = 2;

/// The title of the file dialog of `action`, in the shown language.
QString fileDialogTitle(FileAction action);

/// The standard file dialogs. A name typed without an extension gets that of the chosen type.
ChosenFile chooseFile(QWidget* parent, FileAction action, const QString& suggested);
