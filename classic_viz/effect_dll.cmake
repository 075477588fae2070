# tevaro_classic_effect_dll(<target> NAME <Name> DIR <dir> SCRIPT <scene library> ARCHIVE <file> ARCHIVE_TARGET <t>)
#
# One classic visualization DLL: the shared face (classic_viz_face) over the effect's scene
# library, with the effect's own moduleEffect() (<dir>/<lowercase name>_effect.cpp) and its
# resources: <dir>/<Name>.rc naming <Name>.rgs, the type library <Name>.tlb that widl makes from
# <dir>/<Name>.idl, and the generated image archive, copied beside them under its resource name.
# A script kept in git as <dir>/<Name>.utf8.rgs is converted to Windows-1251 at build time (the
# DLL's face names that code page); otherwise <dir>/<Name>.rgs is used as it is.

function(tevaro_classic_effect_dll target)
  cmake_parse_arguments(E "" "NAME;DIR;SCRIPT;ARCHIVE;ARCHIVE_TARGET" "" ${ARGN})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
  tevaro_type_library(${out} ${E_NAME} ${E_DIR}/${E_NAME}.idl)
  get_filename_component(archive_name ${E_ARCHIVE} NAME)
  add_custom_command(OUTPUT ${out}/${archive_name}
    COMMAND ${CMAKE_COMMAND} -E copy ${E_ARCHIVE} ${out}/${archive_name}
    DEPENDS ${E_ARCHIVE_TARGET} ${E_ARCHIVE} VERBATIM)
  if(EXISTS ${E_DIR}/${E_NAME}.utf8.rgs)
    set(script ${out}/${E_NAME}.rgs)
    add_custom_command(OUTPUT ${script}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
      COMMAND iconv -f UTF-8 -t CP1251 ${E_DIR}/${E_NAME}.utf8.rgs -o ${script}
      DEPENDS ${E_DIR}/${E_NAME}.utf8.rgs COMMENT "Registry script of ${E_NAME} in Windows-1251" VERBATIM)
  else()
    set(script ${E_DIR}/${E_NAME}.rgs)
  endif()
  set_source_files_properties(${E_DIR}/${E_NAME}.rc PROPERTIES OBJECT_DEPENDS
    "${out}/${E_NAME}.tlb;${out}/${archive_name};${script}")
  string(TOLOWER ${E_NAME} lower)
  tevaro_com_dll(${target} OUTPUT_NAME ${E_NAME} DEF ${E_DIR}/${E_NAME}.def
    SOURCES ${E_DIR}/${lower}_effect.cpp ${CMAKE_SOURCE_DIR}/classic_viz/framework/win32/effect_exports.cpp
            ${E_DIR}/${E_NAME}.rc
    LIBS classic_viz_face ${E_SCRIPT})
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    target_link_options(${target} PRIVATE -Wl,--enable-stdcall-fixup)
  endif()
  # windres finds the .rgs beside the .rc and the generated files through the include path.
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${E_DIR} ${out})
endfunction()
