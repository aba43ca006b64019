#include "app/file_chooser.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "engine/result_format.h"

using namespace quillmere;

namespace {

struct FileType {
    const char* name;
    const char* extension;
};

QString tr(const char* text) {
    return QCoreApplication::translate("FileChooser", text);
}

const char* resultTypeName(ResultFormat format) {
    switch (format) {
        case ResultFormat::Csv:
            return QT_TRANSLATE_NOOP("FileChooser", "CSV 表格");
        case ResultFormat::Json:
            return "JSON";
        case ResultFormat::Table:
            break;
    }
    return "";
}

std::vector<FileType> typesOf(FileAction action) {
    switch (action) {
        case FileAction::OpenDesign:
        case FileAction::SaveDesign:
            return {{QT_TRANSLATE_NOOP("FileChooser", "Quillmere 设计"), "qmd"}};
        case FileAction::ExportResults: {
            std::vector<FileType> types;
            for (const ResultFormatInfo& format : kResultFormats)
                if (format.forFiles) types.push_back({resultTypeName(format.format), format.suffix.data()});
            return types;
        }
        case FileAction::ExportDiagram:
            return {{QT_TRANSLATE_NOOP("FileChooser", "PNG 图像"), "png"},
                    {QT_TRANSLATE_NOOP("FileChooser", "PNG 图像, 2 倍像素"), "png"},
                    {QT_TRANSLATE_NOOP("FileChooser", "SVG 矢量图"), "svg"}};
        case FileAction::ExportWindingSheet:
            return {{QT_TRANSLATE_NOOP("FileChooser", "PDF 文档"), "pdf"}};
    }
    return {};
}

}  // namespace

QString fileDialogTitle(FileAction action) {
    // Marked where they stand: lupdate does not look inside a call of this file's own tr().
    const char* title = "";
    switch (action) {
        case FileAction::OpenDesign:
            title = QT_TRANSLATE_NOOP("FileChooser", "打开设计");
            break;
        case FileAction::SaveDesign:
            title = QT_TRANSLATE_NOOP("FileChooser", "保存设计");
            break;
        case FileAction::ExportResults:
            title = QT_TRANSLATE_NOOP("FileChooser", "导出结果");
            break;
        case FileAction::ExportDiagram:
            title = QT_TRANSLATE_NOOP("FileChooser", "导出绕组图");
            break;
        case FileAction::ExportWindingSheet:
            title = QT_TRANSLATE_NOOP("FileChooser", "导出绕组规格书");
            break;
    }
    return tr(title);
}

ChosenFile chooseFile(QWidget* parent, FileAction action, const QString& suggested) {
    const std::vector<FileType> types = typesOf(action);
    QStringList filters;
    for (const FileType& type : types)
        filters << QStringLiteral("%1 (*.%2)").arg(tr(type.name), type.extension);
    QString selected = filters.front();
    ChosenFile chosen;
    chosen.path = action == FileAction::OpenDesign
                      ? QFileDialog::getOpenFileName(parent, fileDialogTitle(action), suggested,
                                                     filters.join(";;"), &selected)
                      : QFileDialog::getSaveFileName(parent, fileDialogTitle(action), suggested,
                                                     filters.join(";;"), &selected);
    chosen.type = std::max<int>(0, static_cast<int>(filters.indexOf(selected)));
    if (!chosen.path.isEmpty() && action != FileAction::OpenDesign &&
        QFileInfo(chosen.path).suffix().isEmpty())
        chosen.path +=
            QLatin1Char('.') + QLatin1String(types[static_cast<std::size_t>(chosen.type)].extension);
    return chosen;
}
