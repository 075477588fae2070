// CoverDrift's Wine test executables run with COM initialised for the whole process.
#include "cover_drift_test_support.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new tevaro::album::test::ComEnvironment);
    return RUN_ALL_TESTS();
}
