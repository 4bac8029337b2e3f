# The ODBC data source TALVO for tests: unixODBC with the SQLite ODBC driver, configured by files
# in the build folder (ODBCSYSINI names the folder of odbcinst.ini, ODBCINI the file of the data
# source), so that the machine's own ODBC configuration is neither needed nor touched. Wine's
# odbc32 hands the connection to unixODBC, which reads these variables from the test's environment.

find_file(TALVO_SQLITE_ODBC_DRIVER libsqlite3odbc.so
  PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/odbc /usr/lib/x86_64-linux-gnu/odbc /usr/lib/odbc
  NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH REQUIRED)

set(TALVO_ODBC_DIR ${CMAKE_BINARY_DIR}/odbc)
# The SQLite file behind the data source; the tests create and fill its tables themselves.
set(TALVO_TEST_DATABASE ${TALVO_ODBC_DIR}/talvo.db)

file(WRITE ${TALVO_ODBC_DIR}/odbcinst.ini.in
  "[SQLite3]\n"
  "Description=SQLite3 ODBC Driver\n"
  "Driver=${TALVO_SQLITE_ODBC_DRIVER}\n")
file(WRITE ${TALVO_ODBC_DIR}/odbc.ini.in
  "[TALVO]\n"
  "Description=TALVO test database\n"
  "Driver=SQLite3\n"
  "Database=${TALVO_TEST_DATABASE}\n"
  # A statement waits up to 10 s for a lock another process holds, instead of failing at once.
  "Timeout=10000\n"
  # Test data is thrown away: no fsync after each commit.
  "SyncPragma=OFF\n")
configure_file(${TALVO_ODBC_DIR}/odbcinst.ini.in ${TALVO_ODBC_DIR}/odbcinst.ini COPYONLY)
configure_file(${TALVO_ODBC_DIR}/odbc.ini.in ${TALVO_ODBC_DIR}/odbc.ini COPYONLY)

list(APPEND TALVO_TEST_ENV ODBCSYSINI=${TALVO_ODBC_DIR} ODBCINI=${TALVO_ODBC_DIR}/odbc.ini)

# talvo_uses_test_data_source(<test>...)
#   The tests work on the data source's one database file, so they run one at a time.
function(talvo_uses_test_data_source)
  foreach(test IN LISTS ARGN)
    set_property(TEST ${test} APPEND PROPERTY RESOURCE_LOCK talvo_database)
  endforeach()
endfunction()

# talvo_add_database_vbscript_test(<name> SCRIPT <file.vbs> SETUP <setup.sql> CHECK <check.sql>
#                                  EXPECT <output> SERVERS <target>...)
#   Fills the test database with SETUP (run by the host's sqlite3), runs the script late-bound
#   through Wine's cscript with the servers registered, and passes when CHECK then prints exactly
#   EXPECT (one line).
function(talvo_add_database_vbscript_test name)
  cmake_parse_arguments(V "" "SCRIPT;SETUP;CHECK;EXPECT" "SERVERS" ${ARGN})
  foreach(file SCRIPT SETUP CHECK)
    get_filename_component(V_${file} ${V_${file}} ABSOLUTE)
  endforeach()
  set(servers)
  foreach(server IN LISTS V_SERVERS)
    list(APPEND servers $<TARGET_FILE:${server}>)
  endforeach()
  add_test(NAME ${name}
    COMMAND ${CMAKE_SOURCE_DIR}/tools/cscript-database-test.sh ${TALVO_TEST_DATABASE} ${V_SETUP} ${V_CHECK}
      "${V_EXPECT}" ${V_SCRIPT} ${servers}
    WORKING_DIRECTORY ${TALVO_WINEPREFIX}/drive_c)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${TALVO_TEST_ENV}"
    FIXTURES_REQUIRED WinePrefix
    RESOURCE_LOCK "registry;talvo_database")
endfunction()
