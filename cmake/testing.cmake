# Test programs: GoogleTest built with the cross compiler, each program run by ctest through Wine
# in a prefix private to the build folder.

set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

enable_testing()

set(TALVO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(TALVO_TEST_ENV
  WINEPREFIX=${TALVO_WINEPREFIX}
  WINEDEBUG=-all
  "WINEDLLOVERRIDES=mscoree=;mshtml=;winemenubuilder.exe=d"
  WINE=/usr/lib/wine/wine64
  TALVO_SILENT=1)

# The prefix is made once and reused by every later run.
add_test(NAME wine_prefix
  COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-prefix.sh ${TALVO_WINEPREFIX})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP WinePrefix)

# talvo_add_test(<name> SOURCES ... [LIBS ...] [ANSI] [DRIVE_C] [GUI])
#   ANSI     compile the sources into the ANSI code page, as the installer's own
#   DRIVE_C  the program touches fixed paths of drive C: and runs alone among such programs
#   GUI      the program opens real windows and runs under Xvfb
function(talvo_add_test name)
  cmake_parse_arguments(T "ANSI;DRIVE_C;GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  if(T_ANSI)
    talvo_ansi_target(${name})
  endif()
  if(T_GUI)
    set(runner ${CMAKE_SOURCE_DIR}/tools/xvfb-wine.sh)
  else()
    set(runner ${CMAKE_CROSSCOMPILING_EMULATOR})
  endif()
  # The current folder is on drive C: inside the prefix, never the host's root seen as Z:.
  add_test(NAME ${name} COMMAND ${runner} $<TARGET_FILE:${name}>
    WORKING_DIRECTORY ${TALVO_WINEPREFIX}/drive_c)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${TALVO_TEST_ENV}"
    FIXTURES_REQUIRED WinePrefix)
  if(T_DRIVE_C)
    set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK drive_c)
  endif()
endfunction()
