# Installation as a desktop program (cmake --install) and the Debian package
# (cpack -G DEB in the build folder; scripts/package.sh does both).
include(GNUInstallDirs)

install(TARGETS trevanor trevanor-dump RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/trevanor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/trevanor.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/samples/DEMO.MAP ${PROJECT_SOURCE_DIR}/samples/DEMO.F1
              ${PROJECT_SOURCE_DIR}/samples/DEMO.F2 ${PROJECT_SOURCE_DIR}/samples/DEMO.F4
              ${PROJECT_SOURCE_DIR}/samples/DEMO-1.F1 ${PROJECT_SOURCE_DIR}/samples/DEMO-1.F2
              ${PROJECT_SOURCE_DIR}/samples/DEMO-1.F4
              ${PROJECT_SOURCE_DIR}/samples/README.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/trevanor/samples)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/history DESTINATION ${CMAKE_INSTALL_DATADIR}/trevanor/samples)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/trevanor)

set(TREVANOR_MAINTAINER "Pellam <trevanor@pellam.invalid>" CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trevanor)
set(CPACK_PACKAGE_VENDOR Pellam)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "companion for players of the space strategy game Kelvra")
set(CPACK_PACKAGE_DESCRIPTION
    "Trevanor reads the plain-text reports that Kelvra exports: the universe (a MAP
file) and fleet reports, your own and your allies'. It merges them into one
fleet table and shows it: a zoomable star map with fleet routes and scanner
ranges, fleet particulars, statistics per race, scanner planning and a distance
and angle calculator. trevanor-dump prints the same import as text.

A demo game is installed in /usr/share/trevanor/samples.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TREVANOR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link (Qt 6 and the C++ runtime) as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Tahoma's metric twin from Wine; without it Qt puts another font in its place.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine")
include(CPack)
