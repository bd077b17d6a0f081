# Cross-compiles the Windows build on Debian. The -posix compilers are required:
# the win32-thread variant has no std::mutex, which GoogleTest needs.
# mingw-w64-i686.cmake sets VELMORA_MINGW_PROCESSOR first for the 32-bit build.
if(NOT VELMORA_MINGW_PROCESSOR)
    set(VELMORA_MINGW_PROCESSOR x86_64)
endif()
set(triple ${VELMORA_MINGW_PROCESSOR}-w64-mingw32)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VELMORA_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Static runtime: the .exe then imports only DLLs that ship with Windows.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Cross-built tests run under Wine, in a prefix of the project's own; 32-bit
# ones in a 32-bit Windows.
if(VELMORA_MINGW_PROCESSOR STREQUAL i686)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh;--32-bit")
else()
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh")
endif()
