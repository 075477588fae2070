# Helpers for the Windows deliverables.
#
#   tevaro_com_dll(<target> OUTPUT_NAME <file name without .dll> DEF <file.def> SOURCES ... [LIBS ...])
#
# An in-process COM server: static runtime (only system DLLs imported), exports from a .def file
# so the four standard entry points keep their undecorated names in both bitnesses. DllMain,
# DllGetClassObject and DllCanUnloadNow come from com_support/module_entry_points.cpp over the
# DLL's own com_support::moduleClasses(); the DLL writes its registration.
function(tevaro_com_dll target)
  cmake_parse_arguments(D "" "OUTPUT_NAME;DEF" "SOURCES;LIBS" ${ARGN})
  add_library(${target} SHARED ${D_SOURCES} ${D_DEF} ${CMAKE_SOURCE_DIR}/com_support/module_entry_points.cpp)
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME ${D_OUTPUT_NAME}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  target_link_libraries(${target} PRIVATE ${D_LIBS})
  set_property(GLOBAL APPEND PROPERTY TEVARO_WINDOWS_BINARIES ${target})
endfunction()

# Executables that ship or run under Wine (host_sim, tools) register themselves for the
# import-table check too.
function(tevaro_windows_executable target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_property(GLOBAL APPEND PROPERTY TEVARO_WINDOWS_BINARIES ${target})
endfunction()
