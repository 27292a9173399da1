# Files of the installed tree that the build makes (target package_files, part of all):
#   packaging/changelog.gz                             debian/changelog, gzip -9n
#   packaging/io.vexmoor.Vexmoor.metainfo.xml          AppStream metadata, version and date filled in
#   packaging/screenshots/arena.png, bunker.png        headless frames of vexmoor-soft
#   packaging/man/vexmoor.6.gz, vexmoor-soft.6.gz      help2man pages from each program's --help
#   packaging/man/mapc.1.gz, artgen.1.gz               the tools' hand-written pages
# The newest debian/changelog entry must name the project's version; its date is the
# release date of the AppStream metadata.

set(VEXMOOR_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
set(changelog ${PROJECT_SOURCE_DIR}/debian/changelog)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})

# "vexmoor (0.1) unstable; urgency=medium" ... " -- Name <mail>  Tue, 08 Dec 2026 23:00:00 +0000"
file(STRINGS ${changelog} changelog_lines)
list(GET changelog_lines 0 changelog_head)
if(NOT changelog_head MATCHES "^vexmoor \\(([^)]+)\\) ")
  message(FATAL_ERROR "debian/changelog: the first line names no vexmoor version: ${changelog_head}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "debian/changelog's newest entry is version ${CMAKE_MATCH_1}, the project is ${PROJECT_VERSION}")
endif()
list(FILTER changelog_lines INCLUDE REGEX "^ -- ")
list(GET changelog_lines 0 changelog_trailer)
if(NOT changelog_trailer MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "debian/changelog: no date in the newest entry's trailer: ${changelog_trailer}")
endif()
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month_number "${month} + 1" OUTPUT_FORMAT DECIMAL)
if(month_number LESS 10)
  set(month_number 0${month_number})
endif()
set(VEXMOOR_RELEASE_DATE ${year}-${month_number}-${day})
set(month_names January February March April May June July August September October November December)
list(GET month_names ${month} month_name)
set(VEXMOOR_RELEASE_MONTH "${month_name} ${year}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/io.vexmoor.Vexmoor.metainfo.xml.in
               ${VEXMOOR_PACKAGING_DIR}/io.vexmoor.Vexmoor.metainfo.xml @ONLY)

find_program(VEXMOOR_GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT ${VEXMOOR_PACKAGING_DIR}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${changelog} ${VEXMOOR_PACKAGING_DIR}/changelog
  COMMAND ${VEXMOOR_GZIP} -9nf ${VEXMOOR_PACKAGING_DIR}/changelog
  DEPENDS ${changelog}
  COMMENT "Compressing debian/changelog"
  VERBATIM)
set(package_outputs ${VEXMOOR_PACKAGING_DIR}/changelog.gz)

# Screenshots: both maps with their demo recordings replayed into a fight.
add_custom_command(
  OUTPUT ${VEXMOOR_PACKAGING_DIR}/screenshots/arena.png ${VEXMOOR_PACKAGING_DIR}/screenshots/bunker.png
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VEXMOOR_PACKAGING_DIR}/screenshots
  COMMAND $<TARGET_FILE:vexmoor-soft> --headless --mute --map Arena --input ${PROJECT_SOURCE_DIR}/data/demos/arena.rec
          --frames 400 --screenshot ${VEXMOOR_PACKAGING_DIR}/screenshots/arena.png
  COMMAND $<TARGET_FILE:vexmoor-soft> --headless --mute --map Bunker --input ${PROJECT_SOURCE_DIR}/data/demos/bunker.rec
          --frames 700 --screenshot ${VEXMOOR_PACKAGING_DIR}/screenshots/bunker.png
  DEPENDS vexmoor-soft data_tree ${PROJECT_SOURCE_DIR}/data/demos/arena.rec ${PROJECT_SOURCE_DIR}/data/demos/bunker.rec
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Rendering the screenshots of the AppStream metadata"
  VERBATIM)
list(APPEND package_outputs ${VEXMOOR_PACKAGING_DIR}/screenshots/arena.png)

# Man pages of the game: help2man reads --help and adds the sections of
# packaging/man/PROGRAM.h2m. Without help2man the build makes and installs none.
find_program(VEXMOOR_HELP2MAN help2man)
if(VEXMOOR_HELP2MAN)
  foreach(program IN ITEMS vexmoor vexmoor-soft)
    set(include ${PROJECT_SOURCE_DIR}/packaging/man/${program}.h2m)
    set(out ${VEXMOOR_PACKAGING_DIR}/man/${program}.6)
    add_custom_command(
      OUTPUT ${out}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${VEXMOOR_PACKAGING_DIR}/man
      COMMAND ${VEXMOOR_HELP2MAN} --no-info --section=6 --version-string=${PROJECT_VERSION} --include=${include}
              --output=${out} $<TARGET_FILE:${program}>
      COMMAND ${VEXMOOR_GZIP} -9nf ${out}
      DEPENDS ${program} ${include}
      COMMENT "Writing the man page ${program}(6)"
      VERBATIM)
    list(APPEND package_outputs ${out}.gz)
  endforeach()
else()
  message(STATUS "help2man not found: the man pages of vexmoor and vexmoor-soft are not built or installed")
endif()
# The tools' pages are written by hand (their usage texts are not in help2man's form).
foreach(program IN ITEMS mapc artgen)
  set(out ${VEXMOOR_PACKAGING_DIR}/man/${program}.1)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/man/${program}.1.in ${out} @ONLY)
  add_custom_command(
    OUTPUT ${out}.gz
    COMMAND ${VEXMOOR_GZIP} -9nkf ${out}
    DEPENDS ${out}
    COMMENT "Compressing the man page ${program}(1)"
    VERBATIM)
  list(APPEND package_outputs ${out}.gz)
endforeach()

add_custom_target(package_files ALL DEPENDS ${package_outputs})
