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

# tevaro_type_library(<out dir> <name> <idl>): <out dir>/<name>.tlb made by widl from <idl>, for a
# DLL's TYPELIB resource.
find_program(TEVARO_WIDL NAMES x86_64-w64-mingw32-widl widl REQUIRED)
set(TEVARO_WIDL_INCLUDE /usr/include/wine/wine/windows)
set(TEVARO_WIDL_LIBS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)  # stdole2.tlb, only imported
function(tevaro_type_library out name idl)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(arch --win32)
  else()
    set(arch --win64)
  endif()
  add_custom_command(OUTPUT ${out}/${name}.tlb
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
    COMMAND ${TEVARO_WIDL} ${arch} -I${TEVARO_WIDL_INCLUDE} -L${TEVARO_WIDL_LIBS} -t -o ${out}/${name}.tlb ${idl}
    DEPENDS ${idl} COMMENT "Type library of ${name}" VERBATIM)
endfunction()
