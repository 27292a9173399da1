# Installing like a Linux game (`cmake --install`, `make install PREFIX=... DESTDIR=...`):
#   PREFIX/games/vexmoor, vexmoor-soft                          the two programs
#   PREFIX/share/games/vexmoor/Data/...                         the assembled Data tree
#   PREFIX/share/applications/io.vexmoor.Vexmoor.desktop        the menu entry
#   PREFIX/share/metainfo/io.vexmoor.Vexmoor.metainfo.xml       its AppStream metadata
#   PREFIX/share/icons/hicolor/<size>/apps/vexmoor.png          its icon, drawn by artgen
#   PREFIX/share/man/man6/vexmoor.6.gz, vexmoor-soft.6.gz       the man pages (with help2man)
#   PREFIX/share/doc/vexmoor/copyright, changelog.gz, screenshots/
#   PREFIX/bin/mapc, artgen                                     the level-author tools
#   PREFIX/share/man/man1/mapc.1.gz, artgen.1.gz
#   PREFIX/share/doc/vexmoor-tools/copyright, changelog.gz, maps.md (the map source format)
# and the Debian packages of the same files under /usr (`make package`, CPack): vexmoor
# (component game, section games) and vexmoor-tools (component tools, section devel),
# so that the games package holds nothing in /usr/bin.
include(GNUInstallDirs)
include(cmake/PackageFiles.cmake)

set(VEXMOOR_GAMES_DIR games)
set(VEXMOOR_SHARE_DIR ${CMAKE_INSTALL_DATAROOTDIR}/games/vexmoor)
set(game_doc ${CMAKE_INSTALL_DATAROOTDIR}/doc/vexmoor)
set(tools_doc ${CMAKE_INSTALL_DATAROOTDIR}/doc/vexmoor-tools)

# Directories in the staging tree and the package: rwxr-xr-x whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The programs look for Data in the share folder beside them (for a relocated or
# DESTDIR install) and then in the configured prefix's (src/shell/data_directory.cpp).
file(RELATIVE_PATH share_from_program /${VEXMOOR_GAMES_DIR} /${VEXMOOR_SHARE_DIR})
set_property(SOURCE ${PROJECT_SOURCE_DIR}/src/shell/data_directory.cpp TARGET_DIRECTORY vx_shell APPEND PROPERTY
  COMPILE_DEFINITIONS VEXMOOR_SHARE_DIR="${CMAKE_INSTALL_PREFIX}/${VEXMOOR_SHARE_DIR}"
                      VEXMOOR_SHARE_FROM_PROGRAM="${share_from_program}")

# The game.
install(TARGETS vexmoor vexmoor-soft RUNTIME DESTINATION ${VEXMOOR_GAMES_DIR} COMPONENT game)
# The Data tree as data/CMakeLists.txt and artgen assemble it (built by data_tree).
install(DIRECTORY ${CMAKE_BINARY_DIR}/Data/ DESTINATION ${VEXMOOR_SHARE_DIR}/Data COMPONENT game
        FILES_MATCHING PATTERN "*.png" PATTERN "*.xml" PATTERN "*.map" PATTERN "*.txt" PATTERN "*.wav")
install(FILES ${PROJECT_SOURCE_DIR}/packaging/io.vexmoor.Vexmoor.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications COMPONENT game)
install(FILES ${VEXMOOR_PACKAGING_DIR}/io.vexmoor.Vexmoor.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo COMPONENT game)
# The icons artgen draws with the other images (target art): icons/<size>x<size>/apps/vexmoor.png.
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor COMPONENT game
        FILES_MATCHING PATTERN "vexmoor.png")
install(DIRECTORY ${VEXMOOR_PACKAGING_DIR}/screenshots DESTINATION ${game_doc} COMPONENT game)

# The level-author tools.
install(TARGETS mapc artgen RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tools)
install(FILES ${PROJECT_SOURCE_DIR}/docs/maps.md DESTINATION ${tools_doc} COMPONENT tools)

# Both: the licence and the changelog, and the man pages of each package's programs.
foreach(component IN ITEMS game tools)
  set(doc ${${component}_doc})
  install(FILES ${PROJECT_SOURCE_DIR}/debian/copyright ${VEXMOOR_PACKAGING_DIR}/changelog.gz
          DESTINATION ${doc} COMPONENT ${component})
endforeach()
if(VEXMOOR_HELP2MAN)
  install(FILES ${VEXMOOR_PACKAGING_DIR}/man/vexmoor.6.gz ${VEXMOOR_PACKAGING_DIR}/man/vexmoor-soft.6.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT game)
endif()
install(FILES ${VEXMOOR_PACKAGING_DIR}/man/mapc.1.gz ${VEXMOOR_PACKAGING_DIR}/man/artgen.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tools)

# The install and package tests install every file of both packages.
if(TARGET test_e2e)
  add_dependencies(test_e2e package_files mapc artgen)
endif()

# The Debian packages: vexmoor_VERSION_ARCH.deb and vexmoor-tools_VERSION_ARCH.deb in the
# build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexmoor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "vexmoor developers <maintainers@vexmoor.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game tools)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The first line of a description is the package's summary.
set(CPACK_DEBIAN_GAME_PACKAGE_NAME vexmoor)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
set(CPACK_DEBIAN_GAME_DESCRIPTION "\
top-down 2D action game in a dark, lamp-lit base
Walk a soldier through a dark tile map, lit only by its lamps and your own
flashlight, against soldiers that hunt you along planned paths and turrets
that fire ten times a second. Start it from the menu or as vexmoor
(vexmoor-soft draws without OpenGL).")
# The tools compile maps and draw images for level authors: development tools, not games.
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME vexmoor-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_TOOLS_DESCRIPTION "\
level-author tools of the vexmoor game
mapc compiles map sources into the game's map files and prints a map back
as a source; artgen draws the game's images, its icon and contact sheets.")

# Runtime dependencies, Debian 12 names. The shared libraries the programs link: add a
# package here with every library linked.
set(VEXMOOR_DEB_LIBRARIES libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 libgtk-3-0 libpng16-16 libexpat1
    libfontconfig1)
set(VEXMOOR_DEB_TOOLS_LIBRARIES libpng16-16 libexpat1 libsdl2-2.0-0 libsdl2-ttf-2.0-0 libfontconfig1)
# What no link shows: the fonts the text pen draws in (the HUD, artgen's contact sheets).
set(VEXMOOR_DEB_PACKAGES fonts-dejavu-core)
# dpkg-shlibdeps reads the linked libraries from the programs with their least
# versions; the lists above stand in for it where it is missing, and check it.
find_program(VEXMOOR_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VEXMOOR_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(game_depends ${VEXMOOR_DEB_PACKAGES})
  set(tools_depends ${VEXMOOR_DEB_PACKAGES})
else()
  set(game_depends ${VEXMOOR_DEB_PACKAGES} ${VEXMOOR_DEB_LIBRARIES})
  set(tools_depends ${VEXMOOR_DEB_PACKAGES} ${VEXMOOR_DEB_TOOLS_LIBRARIES})
endif()
list(JOIN game_depends ", " CPACK_DEBIAN_GAME_PACKAGE_DEPENDS)
list(JOIN tools_depends ", " CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS)
# After packing, each package's Depends field must name every package of its list.
set(CPACK_VEXMOOR_EXPECTED_DEPENDS_vexmoor ${VEXMOOR_DEB_PACKAGES} ${VEXMOOR_DEB_LIBRARIES})
set(CPACK_VEXMOOR_EXPECTED_DEPENDS_vexmoor-tools ${VEXMOOR_DEB_PACKAGES} ${VEXMOOR_DEB_TOOLS_LIBRARIES})
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/CheckDebDepends.cmake)

include(CPack)
