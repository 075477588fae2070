# Test plumbing shared by every module, and the one place ctest entries are registered.
#
#   tevaro_add_test(<name> SOURCES ... [LIBS ...] [WINDOWS] [NO_GTEST_MAIN] [FIXTURES ...] [LABELS ...]
#                   [NOT_EMULATED <Suite.Case> ...] [DISPLAY_DEPTH <bits>] [ON_DESKTOP])
#     LABELS: extra labels of a Windows test; every portable case is labelled native.
#     DISPLAY_DEPTH: a Windows test that runs on a second virtual display of that depth (fixture
#     WineBedDisplay<bits>, started once per run).
#     ON_DESKTOP: a Windows test that shows windows, sends pointer input, or depends on which window
#     is active. Wine keeps one window tree and one input queue per desktop for every process of the
#     prefix, whichever X display each draws on, and X focus is shared by every prefix on a display:
#     a topmost window of one suite takes the clicks of another and steals its activation. Such
#     suites take the desktop one at a time (RESOURCE_LOCK WineDesktop).
#     NOT_EMULATED: cases that need the target's own kernel. qemu-user does not emulate every
#     system call (robust futex lists, so no EOWNERDEAD); under it these cases are registered
#     disabled, so ctest and ./tevaro test list them as not run instead of failing or hiding them.
#   tevaro_add_check(<name> COMMAND ... [KIND check|fixture] [LABELS ...] [ENVIRONMENT ...])
#
# Portable tests (<module>/tests/) build in every tree that runs the native suites (native,
# native-asan, native-i386 under qemu-i386) and run under ctest one case per ctest entry.
# Windows tests (<module>/tests/win/, flag WINDOWS) build only in the Windows trees; in the win64
# tree each executable is one ctest entry run under Wine through the test bed, in the win32 tree
# it is only built (its import table is still checked). tevaro_add_check registers a command
# that is not a GoogleTest executable: a tool's self-check, a comparison script, a bed fixture.
enable_testing()
include(GoogleTest)

# Time limits by kind of entry, generous for a loaded 2-core machine, so that a hang fails its
# entry instead of holding the whole run.
set(TEVARO_TIMEOUT_case 300)     # one GoogleTest case: native, under the sanitizers or under qemu-i386
set(TEVARO_TIMEOUT_wine 600)     # one Windows test executable, all its cases, under Wine
set(TEVARO_TIMEOUT_check 900)    # a tool or script run as a check (whole programmes rendered)
set(TEVARO_TIMEOUT_fixture 300)  # test-bed start (may prepare the prefix), stop, DLL registration

# A case that skips, or a filter that ran nothing, tested nothing: both fail the entry. A non-zero
# exit still fails too (this is a failure pattern, not a pass pattern).
set(TEVARO_GTEST_NOTHING_TESTED "\\[  SKIPPED \\]|\\[=+\\] 0 tests from 0 test suites ran")

# CMake's discovery marks every case with a skip pattern, and ctest lets a skip pattern win over
# a failure pattern; our discovery script runs CMake's and then takes the skip pattern out.
set(TEVARO_GTEST_ADD_TESTS ${CMAKE_CURRENT_LIST_DIR}/TevaroGTestAddTests.cmake)

if(CMAKE_CROSSCOMPILING)
  # The trees for other targets build GoogleTest from Debian's sources with their own compiler.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Our own -Wall -Wextra are for our code, not for GoogleTest's.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
else()
  find_package(GTest REQUIRED)
endif()

set(TEVARO_WINEBED ${CMAKE_SOURCE_DIR}/tools/winebed/winebed)
set(TEVARO_WINEBED_DIR ${CMAKE_BINARY_DIR}/winebed)

function(tevaro_add_check name)
  cmake_parse_arguments(C "" "KIND" "COMMAND;LABELS;ENVIRONMENT" ${ARGN})
  if(NOT C_KIND)
    set(C_KIND check)
  endif()
  if(NOT DEFINED TEVARO_TIMEOUT_${C_KIND})
    message(FATAL_ERROR "tevaro_add_check(${name}): unknown KIND '${C_KIND}'")
  endif()
  add_test(NAME ${name} COMMAND ${C_COMMAND})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${TEVARO_TIMEOUT_${C_KIND}})
  if(C_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${C_LABELS}")
  endif()
  if(C_ENVIRONMENT)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${C_ENVIRONMENT}")
  endif()
endfunction()

function(tevaro_add_test name)
  cmake_parse_arguments(T "WINDOWS;NO_GTEST_MAIN;ON_DESKTOP" "DISPLAY_DEPTH" "SOURCES;LIBS;FIXTURES;LABELS;NOT_EMULATED" ${ARGN})
  if(T_WINDOWS AND NOT WIN32)
    return()
  endif()
  if(NOT T_WINDOWS AND WIN32)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  if(T_NO_GTEST_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest ${T_LIBS})
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main ${T_LIBS})
  endif()
  if(WIN32)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    if(TEVARO_RUN_UNDER_WINE)
      set(display)
      if(T_DISPLAY_DEPTH)
        set(display --depth ${T_DISPLAY_DEPTH})
        tevaro_winebed_display(${T_DISPLAY_DEPTH})
        list(APPEND T_FIXTURES WineBedDisplay${T_DISPLAY_DEPTH})
      endif()
      tevaro_add_check(${name} KIND wine LABELS wine ${T_LABELS}
        COMMAND ${TEVARO_WINEBED} run --bed ${TEVARO_WINEBED_DIR} ${display} $<TARGET_FILE:${name}>)
      set_tests_properties(${name} PROPERTIES
        FIXTURES_REQUIRED "WineBed;${T_FIXTURES}" FAIL_REGULAR_EXPRESSION "${TEVARO_GTEST_NOTHING_TESTED}")
      if(T_ON_DESKTOP)
        set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK WineDesktop)
      endif()
    endif()
  else()
    set(filter)
    if(CMAKE_CROSSCOMPILING_EMULATOR AND T_NOT_EMULATED)
      list(JOIN T_NOT_EMULATED ":" excluded)
      set(filter TEST_FILTER "-${excluded}")
      foreach(case ${T_NOT_EMULATED})
        tevaro_add_check(${case} KIND case LABELS native COMMAND ${name} --gtest_filter=${case})
        set_tests_properties(${case} PROPERTIES DISABLED TRUE)
      endforeach()
    endif()
    # gtest_discover_tests passes PROPERTIES on as a flat list, so each value is a single item.
    # The discovery timeout leaves room for an emulator's start-up. The script variable is the
    # module's own hook, set here because every include(GoogleTest) resets it.
    set(_GOOGLETEST_DISCOVER_TESTS_SCRIPT ${TEVARO_GTEST_ADD_TESTS})
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 ${filter}
      PROPERTIES LABELS native TIMEOUT ${TEVARO_TIMEOUT_case}
                 FAIL_REGULAR_EXPRESSION "${TEVARO_GTEST_NOTHING_TESTED}")
  endif()
endfunction()

# In the win64 tree: one Wine prefix, one Xvfb and one warm wineserver for the whole ctest run,
# started by a setup fixture and stopped by process id in its cleanup.
if(WIN32 AND TEVARO_RUN_UNDER_WINE)
  tevaro_add_check(winebed.start KIND fixture COMMAND ${TEVARO_WINEBED} start --bed ${TEVARO_WINEBED_DIR})
  tevaro_add_check(winebed.stop KIND fixture COMMAND ${TEVARO_WINEBED} stop --bed ${TEVARO_WINEBED_DIR})
  set_tests_properties(winebed.start PROPERTIES FIXTURES_SETUP WineBed)
  set_tests_properties(winebed.stop PROPERTIES FIXTURES_CLEANUP WineBed)
endif()

# tevaro_winebed_display(<bits>): the fixture WineBedDisplay<bits>, a second virtual display of that
# depth on the running bed; winebed.stop ends it with the bed.
function(tevaro_winebed_display bits)
  if(TEST winebed.display${bits})
    return()
  endif()
  tevaro_add_check(winebed.display${bits} KIND fixture
    COMMAND ${TEVARO_WINEBED} display --bed ${TEVARO_WINEBED_DIR} ${bits})
  set_tests_properties(winebed.display${bits} PROPERTIES FIXTURES_SETUP WineBedDisplay${bits} FIXTURES_REQUIRED WineBed)
endfunction()

# tevaro_register_dll_fixture(<dll target> <fixture name>): registers the DLL with regsvr32 in the
# bed's prefix before the tests that require <fixture name>, and unregisters it afterwards.
function(tevaro_register_dll_fixture target fixture)
  if(NOT (WIN32 AND TEVARO_RUN_UNDER_WINE))
    return()
  endif()
  tevaro_add_check(${fixture}.register KIND fixture
    COMMAND ${TEVARO_WINEBED} regsvr32 --bed ${TEVARO_WINEBED_DIR} $<TARGET_FILE:${target}>)
  tevaro_add_check(${fixture}.unregister KIND fixture
    COMMAND ${TEVARO_WINEBED} regsvr32 --bed ${TEVARO_WINEBED_DIR} /u $<TARGET_FILE:${target}>)
  set_tests_properties(${fixture}.register PROPERTIES FIXTURES_SETUP ${fixture} FIXTURES_REQUIRED WineBed)
  set_tests_properties(${fixture}.unregister PROPERTIES FIXTURES_CLEANUP ${fixture} FIXTURES_REQUIRED WineBed)
endfunction()
