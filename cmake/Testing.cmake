# GoogleTest for both builds: the Linux build uses Debian's packaged libraries, the
# cross build compiles Debian's googletest sources with the cross compiler.
include(CTest)
if(NOT BUILD_TESTING)
  return()
endif()

if(WIN32)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Debian's googletest sources define the GTest:: aliases themselves.
  foreach(lib gtest gtest_main gmock)
    if(NOT TARGET GTest::${lib})
      add_library(GTest::${lib} ALIAS ${lib})
    endif()
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# One test program per area. On Linux every test case is its own CTest entry; under
# Wine a process start is dear, so each program is one entry there.
function(velmora_add_test_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT TARGET velmora_testfiles)
    # The one unit that knows where the sources are, so the others compile alike in
    # every checkout.
    add_library(velmora_testfiles STATIC ${PROJECT_SOURCE_DIR}/tests/helpers/TestFiles.cpp)
    target_include_directories(velmora_testfiles PUBLIC ${PROJECT_SOURCE_DIR}/tests)
    target_compile_definitions(velmora_testfiles PRIVATE VELMORA_TESTS_DIR="${PROJECT_SOURCE_DIR}/tests")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} velmora_testfiles GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  if(WIN32 AND name IN_LIST VELMORA_WINDOW_TESTS)
    # Real windows need an X display for Wine.
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/scripts/with-display ${WINE_PROGRAM} $<TARGET_FILE:${name}>)
    # One window test at a time on the shared display: another program's window takes
    # the activation and covers pictures.
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
  elseif(WIN32)
    add_test(NAME ${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
