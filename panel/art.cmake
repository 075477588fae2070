# The panel's bitmaps are generated, never committed: tools/assetgen/panel_art_gen draws every one
# as <id>.bmp into ${TEVARO_PANEL_ART_DIR}, so the panel's .rc can say
#   116 BITMAP "${TEVARO_PANEL_ART_DIR}/116.bmp"
# once it depends on target `panel_art_files`.
#
# Native tree: the generator is a target of this tree; it also writes contact.png (the panel
#   assembled in its looks and every bitmap with its id) for review, and the test checks the files.
# Windows trees: the host-built assetgen (classic_viz/archives.cmake) writes the same files.
set(art_dir ${CMAKE_BINARY_DIR}/assets/panel)
set(TEVARO_PANEL_ART_DIR ${art_dir} CACHE INTERNAL "The control panel's generated bitmaps")

# Each control's images are consecutive ids: presets 116..130, switch 131..133, levels 148..159,
# Auto 160..162, backgrounds 264 and 265, Info control 267..275, status display 332..363, and the
# dialogs' picture 446; the about box's logos 143, 172, 183, its background 462 and link labels
# 487..489; the help page's header 463, side strip 464 and pictures 465..485 (no 475).
set(art_ids 143 172 183 264 265 446 462 463 464)
foreach(range "116;133" "148;162" "267;275" "332;363" "465;474" "476;485" "487;489")
  list(GET range 0 first)
  list(GET range 1 last)
  foreach(id RANGE ${first} ${last})
    list(APPEND art_ids ${id})
  endforeach()
endforeach()
set(art_files)
foreach(id ${art_ids})
  list(APPEND art_files ${art_dir}/${id}.bmp)
endforeach()
list(APPEND art_files ${art_dir}/490.avi)

if(NOT CMAKE_CROSSCOMPILING)
  set(contact_sheet ${art_dir}/contact.png)
  add_custom_command(
    OUTPUT ${art_files} ${contact_sheet}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${art_dir}
    COMMAND panel_art_gen --out ${art_dir} --contact ${contact_sheet}
    DEPENDS panel_art_gen
    COMMENT "Drawing the control panel's bitmaps")
  add_custom_target(panel_art_files ALL DEPENDS ${art_files} ${contact_sheet})

  tevaro_add_test(panel_art_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/panel_art_test.cpp)
  target_compile_definitions(panel_art_test PRIVATE TEVARO_PANEL_ART_DIR="${art_dir}")
  add_dependencies(panel_art_test panel_art_files)
else()
  set(host_generator ${TEVARO_ASSETGEN_HOST_DIR}/panel_art_gen)
  add_custom_command(
    OUTPUT ${art_files}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${art_dir}
    COMMAND ${host_generator} --out ${art_dir}
    DEPENDS assetgen_host ${host_generator}
    COMMENT "Drawing the control panel's bitmaps with the host generator")
  add_custom_target(panel_art_files ALL DEPENDS ${art_files})
endif()
