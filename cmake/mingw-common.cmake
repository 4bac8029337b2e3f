# Settings shared by both mingw-w64 toolchains; TALVO_MINGW_ARCH is set by the including file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TALVO_MINGW_ARCH})
set(TALVO_TRIPLET ${TALVO_MINGW_ARCH}-w64-mingw32)

# The posix-thread variants: the win32-thread ones lack std::mutex and std::thread.
set(CMAKE_C_COMPILER ${TALVO_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TALVO_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TALVO_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TALVO_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
