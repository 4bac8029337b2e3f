# Helpers shared by the targets of the suite.

# The installer works in the ANSI code page: its UTF-8 sources are compiled so that narrow
# literals hold code page 1252 bytes and reach the -A functions, message boxes and the log as written.
function(talvo_ansi_target target)
  target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP1252)
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/version.cmake)
