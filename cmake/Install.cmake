# Installing like a Linux game (`cmake --install`, `make install PREFIX=... DESTDIR=...`):
#   PREFIX/games/vexmoor, vexmoor-soft                   the two programs
#   PREFIX/share/games/vexmoor/Data/...                  the assembled Data tree
#   PREFIX/bin/mapc, artgen                              the level-author tools
#   PREFIX/share/doc/vexmoor/maps.md                     the map source format
#   PREFIX/share/applications/vexmoor.desktop            the menu entry
#   PREFIX/share/icons/hicolor/<size>/apps/vexmoor.png   its icon, drawn by artgen
# and the Debian package of the same files under /usr (`make package`, CPack).
include(GNUInstallDirs)

set(VEXMOOR_GAMES_DIR games)
set(VEXMOOR_SHARE_DIR ${CMAKE_INSTALL_DATAROOTDIR}/games/vexmoor)

# Directories in the staging tree and the package: rwxr-xr-x whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The programs look for Data in the share folder beside them (for a relocated or
# DESTDIR install) and then in the configured prefix's (src/shell/data_directory.cpp).
file(RELATIVE_PATH share_from_program /${VEXMOOR_GAMES_DIR} /${VEXMOOR_SHARE_DIR})
set_property(SOURCE ${PROJECT_SOURCE_DIR}/src/shell/data_directory.cpp TARGET_DIRECTORY vx_shell APPEND PROPERTY
  COMPILE_DEFINITIONS VEXMOOR_SHARE_DIR="${CMAKE_INSTALL_PREFIX}/${VEXMOOR_SHARE_DIR}"
                      VEXMOOR_SHARE_FROM_PROGRAM="${share_from_program}")

install(TARGETS vexmoor vexmoor-soft RUNTIME DESTINATION ${VEXMOOR_GAMES_DIR})
install(TARGETS mapc artgen RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The Data tree as data/CMakeLists.txt and artgen assemble it (built by data_tree).
install(DIRECTORY ${CMAKE_BINARY_DIR}/Data/ DESTINATION ${VEXMOOR_SHARE_DIR}/Data
        FILES_MATCHING PATTERN "*.png" PATTERN "*.xml" PATTERN "*.map" PATTERN "*.txt" PATTERN "*.wav")
install(FILES ${PROJECT_SOURCE_DIR}/docs/maps.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/vexmoor.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
# The icons artgen draws with the other images (target art): icons/<size>x<size>/apps/vexmoor.png.
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor
        FILES_MATCHING PATTERN "vexmoor.png")

# The Debian package: vexmoor_VERSION_ARCH.deb in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexmoor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "vexmoor developers <vexmoor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down 2D action game in a dark, lamp-lit base")
set(CPACK_PACKAGE_DESCRIPTION "\
Walk a soldier through a dark tile map, lit only by its lamps and your own
flashlight, against soldiers that hunt you along planned paths and turrets
that fire ten times a second. Start it from the menu or as vexmoor
(vexmoor-soft draws without OpenGL).
Includes mapc and artgen, the map compiler and image generator for level
authors.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Runtime dependencies, Debian 12 names. The shared libraries the programs link: add a
# package here with every library linked.
set(VEXMOOR_DEB_LIBRARIES libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 libgtk-3-0 libpng16-16 libexpat1
    libfontconfig1)
# What no link shows: the fonts the text is drawn in (src/platform/text_pen.cpp).
set(VEXMOOR_DEB_PACKAGES fonts-dejavu-core)
# dpkg-shlibdeps reads the linked libraries from the programs with their least
# versions; the list above stands in for it where it is missing, and checks it.
find_program(VEXMOOR_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VEXMOOR_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(deb_depends ${VEXMOOR_DEB_PACKAGES})
else()
  set(deb_depends ${VEXMOOR_DEB_PACKAGES} ${VEXMOOR_DEB_LIBRARIES})
endif()
list(JOIN deb_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# After packing, the Depends field must name every package of both lists.
set(CPACK_VEXMOOR_EXPECTED_DEPENDS ${VEXMOOR_DEB_PACKAGES} ${VEXMOOR_DEB_LIBRARIES})
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/CheckDebDepends.cmake)

include(CPack)
