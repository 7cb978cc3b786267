// GoogleTest main for the tests that drive real widgets: the program's application object, with its
// exception display, on the offscreen platform.
#include <gtest/gtest.h>

#include "platform/Application.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("Kavrinto"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
