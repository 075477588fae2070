// Every visualization test executable runs with COM initialised for the whole process.
#include "effect_test_support.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new tevaro::viz::test::ComEnvironment);
    return RUN_ALL_TESTS();
}
