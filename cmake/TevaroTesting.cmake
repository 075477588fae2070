# Test plumbing shared by every module.
#
#   tevaro_add_test(<name> SOURCES ... [LIBS ...] [WINDOWS] [NO_GTEST_MAIN] [FIXTURES ...])
#
# Portable tests (<module>/tests/) build natively and run under ctest one case per ctest entry.
# Windows tests (<module>/tests/win/, flag WINDOWS) build only in the Windows trees; in the win64
# tree each executable is one ctest entry run under Wine through the test bed, in the win32 tree
# it is only built (its import table is still checked).
enable_testing()
include(GoogleTest)

if(WIN32)
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

function(tevaro_add_test name)
  cmake_parse_arguments(T "WINDOWS;NO_GTEST_MAIN" "" "SOURCES;LIBS;FIXTURES;LABELS" ${ARGN})
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
      add_test(NAME ${name}
               COMMAND ${TEVARO_WINEBED} run --bed ${TEVARO_WINEBED_DIR} $<TARGET_FILE:${name}>)
      set_tests_properties(${name} PROPERTIES
        FIXTURES_REQUIRED "WineBed;${T_FIXTURES}" LABELS "wine;${T_LABELS}" TIMEOUT 600)
    endif()
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "native;${T_LABELS}")
  endif()
endfunction()

# In the win64 tree: one Wine prefix, one Xvfb and one warm wineserver for the whole ctest run,
# started by a setup fixture and stopped by process id in its cleanup.
if(WIN32 AND TEVARO_RUN_UNDER_WINE)
  add_test(NAME winebed.start COMMAND ${TEVARO_WINEBED} start --bed ${TEVARO_WINEBED_DIR})
  add_test(NAME winebed.stop COMMAND ${TEVARO_WINEBED} stop --bed ${TEVARO_WINEBED_DIR})
  set_tests_properties(winebed.start PROPERTIES FIXTURES_SETUP WineBed TIMEOUT 300)
  set_tests_properties(winebed.stop PROPERTIES FIXTURES_CLEANUP WineBed)
endif()

# tevaro_register_dll_fixture(<dll target> <fixture name>): registers the DLL with regsvr32 in the
# bed's prefix before the tests that require <fixture name>, and unregisters it afterwards.
function(tevaro_register_dll_fixture target fixture)
  if(NOT (WIN32 AND TEVARO_RUN_UNDER_WINE))
    return()
  endif()
  add_test(NAME ${fixture}.register
           COMMAND ${TEVARO_WINEBED} regsvr32 --bed ${TEVARO_WINEBED_DIR} $<TARGET_FILE:${target}>)
  add_test(NAME ${fixture}.unregister
           COMMAND ${TEVARO_WINEBED} regsvr32 --bed ${TEVARO_WINEBED_DIR} /u $<TARGET_FILE:${target}>)
  set_tests_properties(${fixture}.register PROPERTIES FIXTURES_SETUP ${fixture} FIXTURES_REQUIRED WineBed)
  set_tests_properties(${fixture}.unregister PROPERTIES FIXTURES_CLEANUP ${fixture} FIXTURES_REQUIRED WineBed)
endfunction()
