// The design form's files: opening and saving designs, exporting the results, the diagram and
// the winding sheet.
#include <QBuffer>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QLabel>
#include <QSignalBlocker>

#include "app/design_form.h"
#include "app/result_table.h"
#include "diagram/diagram_export.h"
#include "engine/design_file.h"
#include "engine/result_format.h"
#include "sheet/winding_sheet.h"
#include "widgets/language.h"
#include "widgets/save_file.h"

using namespace quillmere;

namespace {

QByteArray utf8Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void DesignForm::setFileChooser(FileChooser chooser) {
    chooseFile_ = withLastFolder(std::move(chooser));
}

bool DesignForm::openDesign(const QString& path) {
    const DesignRead read = readDesignFile(QFile::encodeName(path).toStdString(),
                                           applicationLanguage(*QCoreApplication::instance()));
    if (!read) {
        message_(this, tr("无法打开设计文件:\n%1").arg(QString::fromStdString(read.error)));
        return false;
    }
    // As after a controller change, what was shown belongs to another design.
    resultModel_->show(nullptr);
    shown_ = {};
    design_ = *read.design;
    designPath_ = path;
    {
        const QSignalBlocker blocker(controllerCombo());
        controllerCombo()->setCurrentIndex(design_.controllerChoice);
    }
    writeForm();
    designFileUsed(path);
    // Nothing of the previous run stays: neither its caption nor its counts.
    setStatusLine({nullptr, "Quillmere Beta Version"});
    analysedCountLabel()->clear();
    foundCaption()->clear();
    update();
    return true;
}

void DesignForm::openDesignFile() {
    if (analysisBusy_ || worker_.held()) {
        message_(this, tr("系统正忙!请等待分析完成!"));
        return;
    }
    if (!maySaveChanges()) return;
    const ChosenFile chosen = chooseFile_(this, FileAction::OpenDesign, designPath_);
    if (!chosen.path.isEmpty()) openDesign(chosen.path);
}

bool DesignForm::saveDesignFile() {
    // What is saved is what "分析" would analyse: a bad entry is refused the same way.
    if (!readForm()) {
        message_(this, tr("参数错误！"));
        return false;
    }
    const QString suggested = designPath_.isEmpty() ? tr("设计") + QStringLiteral(".qmd") : designPath_;
    const ChosenFile chosen = chooseFile_(this, FileAction::SaveDesign, suggested);
    if (chosen.path.isEmpty() || !saveFile(chosen.path, utf8Bytes(designFileText(design_)))) return false;
    designPath_ = chosen.path;
    designFileUsed(chosen.path);
    return true;
}

bool DesignForm::resultsShown() {
    if (!analysisBusy_ && !shown_.result.solutions.empty()) return true;
    message_(this, tr("没有可导出的解法!请先分析。"));
    return false;
}

void DesignForm::exportResults() {
    if (!resultsShown()) return;
    const ChosenFile chosen =
        chooseFile_(this, FileAction::ExportResults, exportName(QStringLiteral(".csv")));
    if (chosen.path.isEmpty()) return;
    const ResultFormat format = resultFileFormat(chosen.type, QFileInfo(chosen.path).suffix().toStdString());
    // Each export says which design it came from (docs/exports.md).
    if (format == ResultFormat::Json) {
        saveFile(chosen.path, utf8Bytes(resultJsonWithDesign(shown_.result, shown_.design) + "\n"));
    } else if (saveFile(chosen.path, utf8Bytes(resultFormatInfo(format).write(shown_.result)))) {
        writeDesignBeside(chosen.path);
    }
}

void DesignForm::exportDiagram() {
    if (!resultsShown()) return;
    const ChosenFile chosen =
        chooseFile_(this, FileAction::ExportDiagram, exportName(QStringLiteral(".png")));
    if (chosen.path.isEmpty()) return;
    const auto& records = shown_.result.solutions;
    const int sandwich = shown_.design.rules.sandwichWinding;
    const float tapeTurns = shown_.design.rules.tapeTurns;
    if (chosen.type == kSvgType || QFileInfo(chosen.path).suffix().compare("svg", Qt::CaseInsensitive) == 0) {
        saveFile(chosen.path, windingDiagramSvg(records, shown_.selectedSolution, sandwich, tapeTurns));
        return;
    }
    const QImage image = windingDiagramImage(records, shown_.selectedSolution, sandwich, tapeTurns,
                                             chosen.type == kPng2xType ? 2 : 1);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    saveFile(chosen.path, png);
}

void DesignForm::exportWindingSheet() {
    if (!resultsShown()) return;
    const ChosenFile chosen =
        chooseFile_(this, FileAction::ExportWindingSheet, exportName(QStringLiteral(".pdf")));
    if (chosen.path.isEmpty()) return;
    const QString designName = designPath_.isEmpty() ? QString() : QFileInfo(designPath_).fileName();
    if (const auto error = writeWindingSheet(chosen.path, shown_.design, shown_.result,
                                             shown_.selectedSolution, designName, QDate::currentDate()))
        message_(this, tr("无法导出绕组规格书:\n%1").arg(*error));
}

QString DesignForm::exportName(const QString& extension) const {
    const QFileInfo design(designPath_);
    const QString base = designPath_.isEmpty() ? QStringLiteral("quillmere") : design.completeBaseName();
    return (designPath_.isEmpty() ? QString() : design.path() + QLatin1Char('/')) + base + extension;
}

bool DesignForm::saveFile(const QString& path, const QByteArray& bytes) {
    if (const auto error = saveFileAtomically(path, bytes)) {
        message_(this, tr("无法保存文件:\n%1\n%2").arg(path, *error));
        return false;
    }
    return true;
}
