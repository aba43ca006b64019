// Entry point of the window tests: runs offscreen unless a display platform is chosen.
#include <gtest/gtest.h>

#include <QApplication>

#include "widgets/application_setup.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepareApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
