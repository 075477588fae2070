# The effects' image archives are generated, never committed. tools/assetgen draws and encodes them
# (one generator, classic_archive_gen, for every archive).
#
# Native tree: the generator is a target of this tree; it writes the archive file and a C++ source
#   holding the same bytes, compiled into `<name>_archive` for the tests and tools.
# Trees for another target: tools/assetgen is configured and built again as a host program
#   (ExternalProject, host gcc, no toolchain file) and writes the same archive file, for the
#   resource compiler of the effect DLLs: depend on target `<name>_archive_file`, read
#   ${TEVARO_<NAME>_ARCHIVE}. A tree that runs the portable suites on another target
#   (native-i386) also gets the C++ source from the host generator and compiles `<name>_archive`.
#
# Archives: glintora (DATATABLE_5), tessaray (DATATABLE_3), pulse (DATATABLE_2, shipped by both
# spectrum-bar effects).

if(CMAKE_CROSSCOMPILING)
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
    BUILD_BYPRODUCTS ${host_dir}/classic_archive_gen ${host_dir}/panel_art_gen ${host_dir}/coverdrift_art_gen
    EXCLUDE_FROM_ALL TRUE)
  set(archive_generator ${host_dir}/classic_archive_gen)
  set(archive_generator_depends assetgen_host ${host_dir}/classic_archive_gen)
else()
  set(archive_generator classic_archive_gen)
  set(archive_generator_depends classic_archive_gen)
endif()

function(tevaro_classic_archive name table)
  string(TOUPPER ${name} upper)
  set(archive_dir ${CMAKE_BINARY_DIR}/assets/${name})
  set(archive_file ${archive_dir}/${table}.bin)
  set(TEVARO_${upper}_ARCHIVE ${archive_file} CACHE INTERNAL "${name} image archive")
  set(outputs ${archive_file})
  set(source_args)
  # Windows trees need only the file, for the resource compiler.
  if(NOT WIN32)
    set(archive_source ${archive_dir}/${name}_archive_data.cpp)
    list(APPEND outputs ${archive_source})
    set(source_args --source ${archive_source})
  endif()
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${archive_dir}
    COMMAND ${archive_generator} --archive ${name} --out ${archive_file} ${source_args}
    DEPENDS ${archive_generator_depends}
    COMMENT "Drawing the ${name} image archive")
  add_custom_target(${name}_archive_file DEPENDS ${archive_file})
  if(NOT WIN32)
    add_library(${name}_archive STATIC ${archive_source})
    target_include_directories(${name}_archive PUBLIC ${CMAKE_SOURCE_DIR})
  endif()
endfunction()

tevaro_classic_archive(glintora DATATABLE_5)
tevaro_classic_archive(tessaray DATATABLE_3)
tevaro_classic_archive(pulse DATATABLE_2)
