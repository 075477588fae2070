// Every panel test executable runs with COM initialised for the whole process.
#include <gtest/gtest.h>

#include "panel_test_support.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new tevaro::panel::test::ComEnvironment);
    return RUN_ALL_TESTS();
}
