# Discovery of a GoogleTest executable's cases (run after each build, as CMake's own script is):
# CMake's script writes the ctest file, then the skip pattern it gives every case is taken out, so
# that a skipped case meets the failure pattern of TevaroTesting.cmake instead of counting as run.
include(${CMAKE_ROOT}/Modules/GoogleTestAddTests.cmake)

set(skip_pattern [===[SKIP_REGULAR_EXPRESSION [==[\[  SKIPPED \]]==]]===])
file(READ "${CTEST_FILE}" cases)
string(REPLACE "${skip_pattern}" "" cases "${cases}")
if(cases MATCHES "SKIP_REGULAR_EXPRESSION")
  # A CMake that spells the pattern differently must not quietly turn skips into passes again.
  message(FATAL_ERROR "${CTEST_FILE}: a skip pattern is left that this script does not know")
endif()
file(WRITE "${CTEST_FILE}" "${cases}")
