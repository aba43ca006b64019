// The catalogue core on the form: the catalogue dialog, the core's numbers in the entries, the
// core in the title, and the cores "分析" searches.
#include <QLineEdit>

#include "app/design_form.h"
#include "catalogue/core_catalogue_dialog.h"
#include "engine/core_selection.h"
#include "ui_design_form.h"
#include "widgets/entry_text.h"

using namespace quillmere;

namespace {

// The catalogue's messages about the user's own files, one per line.
QString catalogueMessages(const CatalogueLoad& load) {
    QStringList lines;
    for (const CatalogueMessage& message : load.messages) lines << QString::fromStdString(message.text());
    return lines.join(QLatin1Char('\n'));
}

QString unknownNameText(const CoreResolution& failure) {
    const QString name = QString::fromStdString(failure.name);
    QString text = failure.what == "core"     ? DesignForm::tr("未知的磁芯：%1").arg(name)
                   : failure.what == "bobbin" ? DesignForm::tr("未知的骨架：%1").arg(name)
                                              : DesignForm::tr("未知的材质：%1").arg(name);
    if (!failure.nearest.empty()) {
        QStringList nearest;
        for (const std::string& each : failure.nearest) nearest << QString::fromStdString(each);
        text += QLatin1Char('\n') + DesignForm::tr("你是指：%1").arg(nearest.join(QStringLiteral(", ")));
    }
    return text;
}

}  // namespace

void DesignForm::openCoreCatalogue() {
    if (analysisBusy_) {
        message(tr("系统正忙!请等待分析完成!"));
        return;
    }
    if (!catalogueMessagesShown_ && !catalogue_.messages.empty()) {
        catalogueMessagesShown_ = true;
        message(catalogueMessages(catalogue_));
    }
    CoreCatalogueDialog dialog(catalogue_.catalogue, this);
    if (design_.coreSet) dialog.preselect(*design_.coreSet);
    if (design_.core) dialog.preselect(*design_.core);
    connect(&dialog, &CoreCatalogueDialog::coreUsed, this, &DesignForm::useCore);
    // Analysed once the dialog has closed, so that the worker's progress shows on the form.
    std::optional<CoreSetChoice> search;
    connect(&dialog, &CoreCatalogueDialog::searchRequested, this,
            [&search](const CoreSetChoice& set) { search = set; });
    dialog.exec();
    if (search) searchCores(*search);
}

void DesignForm::useCore(const CoreChoice& choice) {
    const CoreResolution resolved = resolveCore(choice, catalogue_.catalogue);
    if (!resolved) {
        message(unknownNameText(resolved));
        return;
    }
    const DesignInputs inputs = withCore(design_.inputs, *resolved.context);
    // Set, not typed: the entries' textEdited stays silent, so the core stays.
    ui_->coreAeEdit->setText(entryText(inputs.coreAe));
    ui_->slotWidthEdit->setText(entryText(inputs.slotWidth));
    ui_->slotDepthEdit->setText(entryText(inputs.slotDepth));
    design_.core = choiceOf(*resolved.context);
    design_.coreSet.reset();
    updateTitle();
}

void DesignForm::searchCores(const CoreSetChoice& cores) {
    design_.coreSet = cores;
    updateTitle();
    analyse();
}

void DesignForm::coreNumbersTyped() {
    if (!design_.core && !design_.coreSet) return;
    design_.core.reset();
    design_.coreSet.reset();
    updateTitle();
}

bool DesignForm::coresToSearch(std::vector<CoreContext>& cores) {
    const CoreSetResolution resolved = searchedCores(design_, catalogue_.catalogue);
    if (!resolved) {
        message(unknownNameText(resolved.failure));
        return false;
    }
    if (design_.coreSet && resolved.cores.empty()) {
        message(tr("所选范围内没有可搜索的磁芯"));
        return false;
    }
    cores = resolved.cores;
    return true;
}

QString DesignForm::coreTitle() const {
    if (design_.coreSet) {
        const CoreSetResolution resolved = resolveCoreSet(*design_.coreSet, catalogue_.catalogue);
        return tr("(在 %1 个磁芯中搜索)").arg(resolved.cores.size());
    }
    if (!design_.core) return {};
    const CoreChoice& core = *design_.core;
    QStringList parts{QString::fromStdString(core.core)};
    if (!core.bobbin.empty()) parts << QString::fromStdString(core.bobbin);
    parts << QString::fromStdString(core.material.empty() ? std::string(CoreCatalogue::kDefaultMaterial)
                                                          : core.material);
    return QStringLiteral("(%1)").arg(parts.join(QStringLiteral(", ")));
}
