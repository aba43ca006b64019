// The catalogue core on the form: the catalogue dialog, the core's numbers in the entries, the
// core in the title, and the cores "分析" searches.
#include <QLineEdit>

#include "app/quillmere_dlg.h"
#include "catalogue/core_catalogue_dlg.h"
#include "engine/core_selection.h"
#include "widgets/entry_text.h"

namespace {

constexpr int kAeEntry = 1050;
constexpr int kSlotWidthEntry = 1051;
constexpr int kSlotDepthEntry = 1052;

// The catalogue's messages about the user's own files, one per line.
QString catalogueMessages(const CatalogueLoad& load) {
    QStringList lines;
    for (const CatalogueMessage& message : load.messages) lines << QString::fromStdString(message.text());
    return lines.join(QLatin1Char('\n'));
}

QString unknownNameText(const CoreResolution& failure) {
    const QString name = QString::fromStdString(failure.name);
    QString text = failure.what == "core"     ? CQuillmereDlg::tr("未知的磁芯：%1").arg(name)
                   : failure.what == "bobbin" ? CQuillmereDlg::tr("未知的骨架：%1").arg(name)
                                              : CQuillmereDlg::tr("未知的材质：%1").arg(name);
    if (!failure.nearest.empty()) {
        QStringList nearest;
        for (const std::string& each : failure.nearest) nearest << QString::fromStdString(each);
        text += QLatin1Char('\n') + CQuillmereDlg::tr("你是指：%1").arg(nearest.join(QStringLiteral(", ")));
    }
    return text;
}

}  // namespace

void CQuillmereDlg::openCoreCatalogue() {
    if (state_.analysisBusy) {
        message(tr("系统正忙!请等待分析完成!"));
        return;
    }
    if (!catalogueMessagesShown_ && !catalogue_.messages.empty()) {
        catalogueMessagesShown_ = true;
        message(catalogueMessages(catalogue_));
    }
    CCoreCatalogueDlg dialog(catalogue_.catalogue, this);
    if (state_.coreSet) dialog.preselect(*state_.coreSet);
    if (state_.core) dialog.preselect(*state_.core);
    connect(&dialog, &CCoreCatalogueDlg::coreUsed, this, &CQuillmereDlg::useCore);
    // Analysed once the dialog has closed, so that the worker's progress shows on the form.
    std::optional<CoreSetChoice> search;
    connect(&dialog, &CCoreCatalogueDlg::searchRequested, this,
            [&search](const CoreSetChoice& set) { search = set; });
    dialog.exec();
    if (search) searchCores(*search);
}

void CQuillmereDlg::useCore(const CoreChoice& choice) {
    const CoreResolution resolved = resolveCore(choice, catalogue_.catalogue);
    if (!resolved) {
        message(unknownNameText(resolved));
        return;
    }
    const DesignInputs inputs = withCore(state_.inputs, *resolved.context);
    // Set, not typed: the entries' textEdited stays silent, so the core stays.
    edit(kAeEntry)->setText(entryText(inputs.coreAe));
    edit(kSlotWidthEntry)->setText(entryText(inputs.slotWidth));
    edit(kSlotDepthEntry)->setText(entryText(inputs.slotDepth));
    state_.core = choiceOf(*resolved.context);
    state_.coreSet.reset();
    updateTitle();
}

void CQuillmereDlg::searchCores(const CoreSetChoice& cores) {
    state_.coreSet = cores;
    updateTitle();
    analyse();
}

void CQuillmereDlg::coreNumbersTyped() {
    if (!state_.core && !state_.coreSet) return;
    state_.core.reset();
    state_.coreSet.reset();
    updateTitle();
}

bool CQuillmereDlg::coresToSearch(std::vector<CoreContext>& cores) {
    const CoreSetResolution resolved = searchedCores(state_, catalogue_.catalogue);
    if (!resolved) {
        message(unknownNameText(resolved.failure));
        return false;
    }
    if (state_.coreSet && resolved.cores.empty()) {
        message(tr("所选范围内没有可搜索的磁芯"));
        return false;
    }
    cores = resolved.cores;
    return true;
}

QString CQuillmereDlg::coreTitle() const {
    if (state_.coreSet) {
        const CoreSetResolution resolved = resolveCoreSet(*state_.coreSet, catalogue_.catalogue);
        return tr("(在 %1 个磁芯中搜索)").arg(resolved.cores.size());
    }
    if (!state_.core) return {};
    const CoreChoice& core = *state_.core;
    QStringList parts{QString::fromStdString(core.core)};
    if (!core.bobbin.empty()) parts << QString::fromStdString(core.bobbin);
    parts << QString::fromStdString(core.material.empty() ? std::string(CoreCatalogue::kDefaultMaterial)
                                                          : core.material);
    return QStringLiteral("(%1)").arg(parts.join(QStringLiteral(", ")));
}
