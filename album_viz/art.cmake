# CoverDrift's pictures are generated, never committed: tools/assetgen/coverdrift_art_gen draws the
# sky, the clouds, the cover panel's frames, case and star, and the bars' bitmaps into
# ${TEVARO_COVERDRIFT_ART_DIR}, with coverdrift_art.rc declaring each under its resource name
# (file names relative to that folder, so the resource compiler gets it as an include directory),
# and demo/ holding the demo tracks' album covers. Depend on target `coverdrift_art_files`.
#
# Native tree: the generator is a target of this tree; it also writes contact_sheet.png for review,
#   and the test decodes the files. Other trees: the host-built assetgen (classic_viz/archives.cmake).
set(coverdrift_art_dir ${CMAKE_BINARY_DIR}/assets/coverdrift)
set(TEVARO_COVERDRIFT_ART_DIR ${coverdrift_art_dir} CACHE INTERNAL "CoverDrift's generated pictures")

set(coverdrift_art_files ${coverdrift_art_dir}/coverdrift_art.rc ${coverdrift_art_dir}/DATATABLE_Bkg.jpg
    ${coverdrift_art_dir}/DATATABLE_Cloud_1.jpg ${coverdrift_art_dir}/DATATABLE_Cloud_2.jpg
    ${coverdrift_art_dir}/demo/track1_art.jpg ${coverdrift_art_dir}/demo/track2_art.jpg)
foreach(name Album_drop_shadow Album_hover No_cover Rating)
  list(APPEND coverdrift_art_files ${coverdrift_art_dir}/DATATABLE_${name}.png)
endforeach()
foreach(name Button_1A Button_2A Button_3A Button_4A Button_5A Button_6A Button_1B Button_Peak)
  list(APPEND coverdrift_art_files ${coverdrift_art_dir}/DATATABLE_${name}.bmp ${coverdrift_art_dir}/DATATABLE_hd_${name}.bmp)
endforeach()
foreach(name Button_R1 Button_R2 Button_R3 Button_R_Peak)
  list(APPEND coverdrift_art_files ${coverdrift_art_dir}/DATATABLE_${name}.bmp)
endforeach()

if(NOT CMAKE_CROSSCOMPILING)
  set(coverdrift_contact_sheet ${coverdrift_art_dir}/contact_sheet.png)
  add_custom_command(
    OUTPUT ${coverdrift_art_files} ${coverdrift_contact_sheet}
    COMMAND coverdrift_art_gen --out ${coverdrift_art_dir} --contact ${coverdrift_contact_sheet}
    DEPENDS coverdrift_art_gen
    COMMENT "Drawing CoverDrift's pictures")
  add_custom_target(coverdrift_art_files ALL DEPENDS ${coverdrift_art_files} ${coverdrift_contact_sheet})

  find_package(JPEG REQUIRED)
  find_package(PNG REQUIRED)
  tevaro_add_test(coverdrift_art_test SOURCES ${CMAKE_SOURCE_DIR}/tools/assetgen/tests/coverdrift_art_test.cpp
                  LIBS JPEG::JPEG PNG::PNG)
  target_compile_definitions(coverdrift_art_test PRIVATE TEVARO_COVERDRIFT_ART_DIR="${coverdrift_art_dir}")
  add_dependencies(coverdrift_art_test coverdrift_art_files)
else()
  set(host_generator ${TEVARO_ASSETGEN_HOST_DIR}/coverdrift_art_gen)
  add_custom_command(
    OUTPUT ${coverdrift_art_files}
    COMMAND ${host_generator} --out ${coverdrift_art_dir}
    DEPENDS assetgen_host ${host_generator}
    COMMENT "Drawing CoverDrift's pictures with the host generator")
  add_custom_target(coverdrift_art_files ALL DEPENDS ${coverdrift_art_files})
  if(WIN32)
    # No DLL embeds the pictures yet in every branch: a resource object that includes the fragment
    # proves the resource compiler finds every file it names.
    add_library(coverdrift_art_resources OBJECT ${CMAKE_CURRENT_LIST_DIR}/resources/coverdrift_art_probe.rc)
    target_include_directories(coverdrift_art_resources PRIVATE ${coverdrift_art_dir})
    set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/resources/coverdrift_art_probe.rc PROPERTIES
      OBJECT_DEPENDS "${coverdrift_art_files}")
    add_dependencies(coverdrift_art_resources coverdrift_art_files)
  endif()
endif()
