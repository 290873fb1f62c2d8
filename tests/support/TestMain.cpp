#include "platform/TextConversion.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    Platform::UseUtf8Paths();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
