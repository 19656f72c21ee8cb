# The Windows program's icon and version resource: the icon is made from the
# program's SVG at build time (rsvg-convert and ImageMagick, which
# scripts/windows.sh installs) and linked into trevanor.exe; the manifest
# (8-bit strings in UTF-8) into trevanor.exe and trevanor-dump.exe.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(IMAGEMAGICK_CONVERT convert REQUIRED)
set(icon ${CMAKE_CURRENT_BINARY_DIR}/trevanor.ico)
set(svg ${CMAKE_CURRENT_LIST_DIR}/../trevanor.svg)
set(pngs)
foreach(size 16 24 32 48 64 256)
  set(png ${CMAKE_CURRENT_BINARY_DIR}/icon-${size}.png)
  add_custom_command(OUTPUT ${png} COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
                     DEPENDS ${svg} VERBATIM)
  list(APPEND pngs ${png})
endforeach()
add_custom_command(OUTPUT ${icon} COMMAND ${IMAGEMAGICK_CONVERT} ${pngs} ${icon} DEPENDS ${pngs}
                   COMMENT "Making the program's icon" VERBATIM)
set(TREVANOR_MANIFEST ${CMAKE_CURRENT_LIST_DIR}/trevanor.manifest)
set(manifest_rc ${CMAKE_CURRENT_BINARY_DIR}/manifest.rc)
configure_file(${CMAKE_CURRENT_LIST_DIR}/manifest.rc.in ${manifest_rc} @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/trevanor.rc.in ${CMAKE_CURRENT_BINARY_DIR}/trevanor.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/trevanor.rc PROPERTIES
  OBJECT_DEPENDS "${icon};${TREVANOR_MANIFEST}")
target_sources(trevanor PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/trevanor.rc)
# The dump is defined later (tools/): the manifest is added to it once it exists.
cmake_language(EVAL CODE
  "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]] CALL target_sources trevanor-dump PRIVATE [[${manifest_rc}]])")
