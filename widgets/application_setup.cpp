#include "widgets/application_setup.h"

#include <QApplication>
#include <QFont>

using namespace quillmere;

void prepareApplication(QApplication& app, Language language) {
    QApplication::setApplicationName(QStringLiteral("Quillmere"));
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW")});
    QFont::insertSubstitutions(QStringLiteral("楷体"),
                               {QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL UKai TW")});
    setApplicationLanguage(app, language);
}
