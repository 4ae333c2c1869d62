# Every test runs headless, with the program folder and the sources named.
# The variables ride on the launcher, so discovery and runs both see them.
function(tarnwick_discover_tests target)
  set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR
    "/usr/bin/env;SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy;TARNWICK_BIN=${CMAKE_BINARY_DIR}/bin;TARNWICK_SOURCE=${PROJECT_SOURCE_DIR};${ARGN}")
  gtest_discover_tests(${target} WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 60)
endfunction()

# tarnwick_module(NAME DEPS a b ... LIBS x y ...)
# Builds src/NAME/*.cpp into the static library tw_NAME and, when tests/NAME
# holds sources, the GoogleTest binary test_NAME linked against it.
function(tarnwick_module name)
  cmake_parse_arguments(M "" "" "DEPS;LIBS;TEST_LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp)
  set(deps)
  foreach(d ${M_DEPS})
    list(APPEND deps tw_${d})
  endforeach()
  if(NOT srcs)
    # A folder with headers only so far.
    add_library(tw_${name} INTERFACE)
    target_include_directories(tw_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(tw_${name} INTERFACE ${deps} ${M_LIBS})
    return()
  endif()
  add_library(tw_${name} STATIC ${srcs})
  target_include_directories(tw_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(tw_${name} PUBLIC ${deps} ${M_LIBS})
  file(GLOB tsrcs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${name}/*.cpp)
  if(tsrcs AND TARNWICK_TESTS)
    add_executable(test_${name} ${tsrcs})
    target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(test_${name} PRIVATE tw_${name} ${M_TEST_LIBS} GTest::gtest_main)
    set_target_properties(test_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    tarnwick_discover_tests(test_${name})
  endif()
endfunction()
