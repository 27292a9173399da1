# vexmoor_subsystem(NAME [DEPS lib...]): one static library from every .cpp in the
# current folder (new files are picked up at the next build).
function(vexmoor_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(ex ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${ex})
  endforeach()
  if(sources)
    add_library(vx_${name} STATIC ${sources})
    target_include_directories(vx_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(vx_${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(vx_${name} INTERFACE)
    target_include_directories(vx_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(vx_${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# vexmoor_test(NAME SOURCES... LIBS ...): one GoogleTest binary registered with CTest.
function(vexmoor_test name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  target_compile_definitions(${name} PRIVATE
    VEXMOOR_SOURCE_DIR="${PROJECT_SOURCE_DIR}" VEXMOOR_BUILD_DIR="${CMAKE_BINARY_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  if(ARG_LABEL)
    gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR} PROPERTIES LABELS ${ARG_LABEL}
                         ENVIRONMENT XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config DISCOVERY_TIMEOUT 30)
  else()
    gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
                         PROPERTIES ENVIRONMENT XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
