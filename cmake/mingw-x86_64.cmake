# Cross build for Windows with MinGW-w64 (x86_64). The posix thread model is used so that
# std::mutex and friends exist (GoogleTest needs them); everything is linked statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOVR_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOVR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOVR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TOVR_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TOVR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
