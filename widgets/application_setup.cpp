#include "widgets/application_setup.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

void prepareApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Quillmere"));
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW")});
    QFont::insertSubstitutions(QStringLiteral("楷体"),
                               {QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL UKai TW")});
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}
