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
include(${CMAKE_CURRENT_LIST_DIR}/test-data-source.cmake)

# The prefix is made once and reused by every later run. One persistent Wine server serves it for
# the whole run, started before the first test and ended after the last: a server that exits
# between two tests (as Wine's does a few seconds after its last program) can take down a program
# that connects just then. Ending it writes the registry to the prefix's .reg files.
add_test(NAME wine_prefix
  COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-server.sh start ${TALVO_WINEPREFIX})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP WinePrefix)
add_test(NAME wine_prefix_stop
  COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-server.sh stop ${TALVO_WINEPREFIX})
set_tests_properties(wine_prefix_stop PROPERTIES FIXTURES_CLEANUP WinePrefix)

# The prefix of the tests that open windows: made once, each such test running alone in it.
set(TALVO_GUI_PREFIX ${CMAKE_BINARY_DIR}/gui-prefix)
add_test(NAME gui_prefix COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-prefix.sh ${TALVO_GUI_PREFIX})
set_tests_properties(gui_prefix PROPERTIES FIXTURES_SETUP GuiPrefix RESOURCE_LOCK gui_prefix)

# talvo_add_test(<name> SOURCES ... [LIBS ...] [SERVERS ...] [ANSI] [DRIVE_C] [GUI] [REGISTRY])
#   SERVERS   COM server targets the program loads: each is built first and its host path is
#             compiled in as TALVO_SERVER_<target> (a narrow string literal)
#   ANSI      compile the sources into the ANSI code page, as the installer's own
#   DRIVE_C   the program touches fixed paths of drive C: and runs alone among such programs
#   GUI       the program opens real windows and runs under Xvfb
#   REGISTRY  the program registers servers in the prefix and runs alone among such programs
function(talvo_add_test name)
  cmake_parse_arguments(T "ANSI;DRIVE_C;GUI;REGISTRY" "" "SOURCES;LIBS;SERVERS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  foreach(server IN LISTS T_SERVERS)
    add_dependencies(${name} ${server})
    target_compile_definitions(${name} PRIVATE "TALVO_SERVER_${server}=\"$<TARGET_FILE:${server}>\"")
  endforeach()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  if(T_ANSI)
    talvo_ansi_target(${name})
  endif()
  if(T_GUI)
    # Windows on a screen of the test's own, in a prefix of their own with a server started for
    # the test and ended after it: Wine's desktop process stays bound to the screen of the program
    # that started it, so a server shared with later tests would draw their windows nowhere.
    add_test(NAME ${name}
      COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-server.sh run ${TALVO_GUI_PREFIX}
              ${CMAKE_SOURCE_DIR}/tools/xvfb-wine.sh $<TARGET_FILE:${name}>
      WORKING_DIRECTORY ${TALVO_GUI_PREFIX}/drive_c)
    set(env ${TALVO_TEST_ENV})
    list(TRANSFORM env REPLACE "^WINEPREFIX=.*" "WINEPREFIX=${TALVO_GUI_PREFIX}")
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "${env}"
      FIXTURES_REQUIRED GuiPrefix
      RESOURCE_LOCK gui_prefix)
  else()
    # The current folder is on drive C: inside the prefix, never the host's root seen as Z:.
    add_test(NAME ${name} COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>
      WORKING_DIRECTORY ${TALVO_WINEPREFIX}/drive_c)
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "${TALVO_TEST_ENV}"
      FIXTURES_REQUIRED WinePrefix)
  endif()
  if(T_DRIVE_C)
    set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK drive_c)
  endif()
  if(T_REGISTRY)
    set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK registry)
  endif()
endfunction()

# talvo_add_vbscript_test(<name> SCRIPT <file.vbs> SERVERS <target>...)
#   Registers the servers with Wine's regsvr32, runs the script late-bound through Wine's cscript
#   and unregisters them again. The script fails the test with WScript.Quit and a non-zero code.
function(talvo_add_vbscript_test name)
  cmake_parse_arguments(V "" "SCRIPT" "SERVERS" ${ARGN})
  get_filename_component(script ${V_SCRIPT} ABSOLUTE)
  set(servers)
  foreach(server IN LISTS V_SERVERS)
    list(APPEND servers $<TARGET_FILE:${server}>)
  endforeach()
  add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/tools/cscript-test.sh ${script} ${servers}
    WORKING_DIRECTORY ${TALVO_WINEPREFIX}/drive_c)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${TALVO_TEST_ENV}"
    FIXTURES_REQUIRED WinePrefix
    RESOURCE_LOCK registry)
endfunction()
