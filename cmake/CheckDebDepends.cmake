# Run by CPack after packing (CPACK_POST_BUILD_SCRIPTS): fails a package when its
# Depends field leaves out a package of CPACK_VEXMOOR_EXPECTED_DEPENDS_<its name>, e.g.
# when dpkg-shlibdeps did not see a library the programs need.
find_program(dpkg_deb dpkg-deb)
if(NOT dpkg_deb)
  message(STATUS "dpkg-deb not found: the package's Depends field was not checked")
  return()
endif()
foreach(package_file IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package_file MATCHES "\\.deb$")
    continue()
  endif()
  execute_process(COMMAND ${dpkg_deb} --field ${package_file} Package
                  OUTPUT_VARIABLE package RESULT_VARIABLE failed OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${dpkg_deb} --field ${package_file} Depends
                  OUTPUT_VARIABLE depends RESULT_VARIABLE failed_depends OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(failed OR failed_depends)
    message(FATAL_ERROR "cannot read the Package and Depends fields of ${package_file}")
  endif()
  # "a (>= 1), b | c" -> the names a;b;c
  string(REGEX REPLACE "\\([^)]*\\)" "" names "${depends}")
  string(REGEX REPLACE "[ \t\n]" "" names "${names}")
  string(REGEX REPLACE "[,|]" ";" names "${names}")
  foreach(expected IN LISTS CPACK_VEXMOOR_EXPECTED_DEPENDS_${package})
    if(NOT expected IN_LIST names)
      message(FATAL_ERROR "${package_file}: Depends does not name ${expected}: ${depends}")
    endif()
  endforeach()
  message(STATUS "Depends of ${package_file}: ${depends}")
endforeach()
