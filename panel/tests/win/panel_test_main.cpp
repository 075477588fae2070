// Every panel test executable runs with COM initialised for the whole process.
#include <gtest/gtest.h>

#include "panel_test_support.h"

#include <cstdlib>
#include <cstring>

// A suite's own programme doubles as the second process that holds the settings mutex.
int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--hold-mutex") == 0)
        return tevaro::panel::test::runMutexHolder(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new tevaro::panel::test::ComEnvironment);
    return RUN_ALL_TESTS();
}
