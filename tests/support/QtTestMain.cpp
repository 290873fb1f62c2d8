#include "platform/TextConversion.h"

#include <QApplication>

#include <gtest/gtest.h>

// Tests of Qt objects that need no real window run on Qt's offscreen platform.
int main(int argc, char** argv)
{
    Platform::UseUtf8Paths();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
