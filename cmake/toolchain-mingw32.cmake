# i686 Windows: the production build. Compiled here, never run (no 32-bit code runs on this kernel).
set(TALVO_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
