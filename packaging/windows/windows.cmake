# The Windows program's icon and version resource: the icon is made from the
# program's SVG at build time (rsvg-convert and ImageMagick, which
# scripts/windows.sh installs) and linked into trevanor.exe.
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
configure_file(${CMAKE_CURRENT_LIST_DIR}/trevanor.rc.in ${CMAKE_CURRENT_BINARY_DIR}/trevanor.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/trevanor.rc PROPERTIES OBJECT_DEPENDS ${icon})
target_sources(trevanor PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/trevanor.rc)
