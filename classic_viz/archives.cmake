# The effects' image archives are generated, never committed. tools/assetgen draws and encodes them.
#
# Native tree: the generator is a target of this tree; it writes the archive file and a C++ source
#   holding the same bytes, compiled into `glintora_archive` for the tests and tools.
# Trees for another target: tools/assetgen is configured and built again as a host program
#   (ExternalProject, host gcc, no toolchain file) and writes the same archive file, for the
#   resource compiler of the effect DLLs: depend on target `glintora_archive_file`, read
#   ${TEVARO_GLINTORA_ARCHIVE}. A tree that runs the portable suites on another target
#   (native-i386) also gets the C++ source from the host generator and compiles `glintora_archive`.
set(archive_dir ${CMAKE_BINARY_DIR}/assets/glintora)
set(TEVARO_GLINTORA_ARCHIVE ${archive_dir}/DATATABLE_5.bin CACHE INTERNAL "Glintora image archive")

if(NOT CMAKE_CROSSCOMPILING)
  set(archive_source ${archive_dir}/glintora_archive_data.cpp)
  add_custom_command(
    OUTPUT ${TEVARO_GLINTORA_ARCHIVE} ${archive_source}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${archive_dir}
    COMMAND glintora_archive_gen --out ${TEVARO_GLINTORA_ARCHIVE} --source ${archive_source}
    DEPENDS glintora_archive_gen
    COMMENT "Drawing the Glintora image archive")
  add_library(glintora_archive STATIC ${archive_source})
  target_include_directories(glintora_archive PUBLIC ${CMAKE_SOURCE_DIR})
  add_custom_target(glintora_archive_file DEPENDS ${TEVARO_GLINTORA_ARCHIVE})
else()
  include(ExternalProject)
  set(host_dir ${CMAKE_BINARY_DIR}/assetgen-host)
  # Other modules run the host generators too (panel/art.cmake): they find them here.
  set(TEVARO_ASSETGEN_HOST_DIR ${host_dir} CACHE INTERNAL "Host-built tools/assetgen")
  # Built every time (the inner build is a no-op when nothing changed), so an edited generator
  # is rebuilt and its byproducts, when they change, draw their files again.
  ExternalProject_Add(assetgen_host
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/assetgen
    BINARY_DIR ${host_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
    INSTALL_COMMAND ""
    BUILD_ALWAYS TRUE
    BUILD_BYPRODUCTS ${host_dir}/glintora_archive_gen ${host_dir}/panel_art_gen ${host_dir}/coverdrift_art_gen
    EXCLUDE_FROM_ALL TRUE)
  if(WIN32)
    set(archive_outputs ${TEVARO_GLINTORA_ARCHIVE})
    set(source_args)
  else()
    set(archive_source ${archive_dir}/glintora_archive_data.cpp)
    set(archive_outputs ${TEVARO_GLINTORA_ARCHIVE} ${archive_source})
    set(source_args --source ${archive_source})
  endif()
  add_custom_command(
    OUTPUT ${archive_outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${archive_dir}
    COMMAND ${host_dir}/glintora_archive_gen --out ${TEVARO_GLINTORA_ARCHIVE} ${source_args}
    DEPENDS assetgen_host ${host_dir}/glintora_archive_gen
    COMMENT "Drawing the Glintora image archive with the host generator")
  add_custom_target(glintora_archive_file DEPENDS ${TEVARO_GLINTORA_ARCHIVE})
  if(NOT WIN32)
    add_library(glintora_archive STATIC ${archive_source})
    target_include_directories(glintora_archive PUBLIC ${CMAKE_SOURCE_DIR})
  endif()
endif()
